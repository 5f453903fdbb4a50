#pragma once
// The roots of f on the project's interval: the scan over hiq sub-intervals, the list of roots
// as text with their check marks, the summary label, the two roles of the roots button, the
// markers on the graph and the text copied to the clipboard.
//
// The graph window's list (LstRoot), label (lblResult) and button (Cmd_Radacini) show what this
// class holds; toggling a check mark here draws or erases that root's marker.
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class GraphSurface;
class cFunctie;

class RootSearch {
public:
    enum class ButtonRole { FindRoots, SaveRoots };

    static constexpr double Acceptance = 1e-8;  // |f| at a root must stay below this
    static constexpr int RootDecimals = 8;
    static constexpr double MarkerRadius = 4;   // logical pixels
    static constexpr int MarkerColor = 0xFF0000; // 0x00BBGGRR: blue

    // The scan. Appends every root it accepts to the list (which it does not empty), sets
    // rootsFound and the summary label; returns the number of roots found by this scan.
    int ScanRoots(const cFunctie &f);

    // The roots button: saves the report when roots are listed (through the handler the
    // window supplies), otherwise empties the list, scans and turns into the save button.
    void Cmd_Radacini_Click(const cFunctie &f);
    // The menu's entry: with `save`, finds the roots first when none are listed; then one click.
    void radacini(const cFunctie &f, bool save = false);

    // The list's part of the window's update: a changed x interval (or step count) empties the
    // list and turns the button back into the find button.
    void update(bool intervalChanged);

    // Empties the list (markers are not touched: the graph is redrawn after this).
    void clear();

    // Check marks. Each change toggles that entry's marker on `surface`; setting an entry to
    // the state it has changes nothing.
    void setChecked(int index, bool checked, GraphSurface &surface);
    void SelectRoots(bool checked, bool invert, GraphSurface &surface);
    bool isChecked(int index) const;

    // The marker of entry `index`: a disc at (root, 0) drawn with XOR, so drawing it twice
    // erases it.
    void MarkRoot(int index, GraphSurface &surface) const;
    // The markers of every checked entry, in list order (after each redraw of the graph).
    void MarkCheckedRoots(GraphSurface &surface) const;

    // The summary of the roots for the clipboard, lines ended by CR LF.
    QString CopyRootsText(const cFunctie &f) const;
    // Puts that summary on the clipboard.
    void CopyRoots(const cFunctie &f) const;

    bool rootsFound() const { return m_rootsFound; }
    int count() const { return static_cast<int>(m_texts.size()); }
    QStringList texts() const { return m_texts; }
    QString resultText() const { return m_resultText; }
    ButtonRole buttonRole() const { return m_rootsFound ? ButtonRole::SaveRoots : ButtonRole::FindRoots; }
    QString buttonCaption() const { return m_buttonCaption; }
    QString menuCaption() const { return m_menuCaption; }
    void setButtonCaption(const QString &caption) { m_buttonCaption = caption; }

    // The roots report (written by the window's owner); called by the button in its save role.
    void setSaveRootsHandler(std::function<void()> handler) { m_saveRoots = std::move(handler); }

    // The text of a root: rounded to 8 decimals, halves to even, in the user's locale.
    static QString RootText(double root);

private:
    void accept(double root);

    bool m_rootsFound = false;
    QStringList m_texts;
    QVector<bool> m_checked;
    QString m_resultText;
    QString m_buttonCaption;
    QString m_menuCaption;
    std::function<void()> m_saveRoots;
};
