#pragma once
// The roots list of a graph window: the roots found by the scan (as numbers) with their check
// marks, their texts, the summary label, the two roles of the roots button, the markers on the
// graph and the text copied to the clipboard.
//
// The graph window's rootsList, resultLabel and rootsButton show what this class holds;
// toggling a check mark here draws or erases that root's marker.
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class GraphSurface;
class FunctionProject;

class RootList {
public:
    enum class ButtonRole { FindRoots, SaveRoots };

    static constexpr int RootDecimals = 8;
    static constexpr double MarkerRadius = 4;   // logical pixels
    static constexpr int MarkerColor = 0xFF0000; // 0x00BBGGRR: blue

    // The scan (RootScan). Appends every root it finds to the list (which it does not empty),
    // sets rootsFound and the summary label; returns the number of roots found by this scan.
    int scanRoots(const FunctionProject &f);

    // The same scan run in slices by the window (RootScan::advance), so that a long one can show
    // its progress and be cancelled. Together the three calls do what scanRoots does
    // (fromButton false: loading) or what the roots button's find role does (fromButton true:
    // the list is emptied first and the captions turn to saving). A cancelled scan keeps the
    // roots found so far, listed and marked, says so in the summary label and leaves the
    // button in its find role, so that pressing it scans again.
    void beginScan(bool fromButton);
    void addScannedRoots(const QVector<double> &roots);
    void endScan(bool cancelled);
    bool scanCancelled() const { return m_cancelled; }
    // The summary label after a scan that found `found` roots.
    static QString summaryText(int found);

    // The roots button: saves the report when roots are listed (through the handler the
    // window supplies), otherwise empties the list, scans and turns into the save button.
    void rootsButtonClicked(const FunctionProject &f);
    // The menu's entry: with `save`, finds the roots first when none are listed; then one click.
    void findOrSaveRoots(const FunctionProject &f, bool save = false);

    // The list's part of the window's update: a changed x interval (or step count) empties the
    // list and turns the button back into the find button.
    void refresh(bool intervalChanged);
    // The same for a function that changed (new parameter values): the list is emptied, and
    // the summary label says why.
    void functionChanged();

    // Empties the list (markers are not touched: the graph is redrawn after this).
    void clear();

    // Check marks. Each change toggles that entry's marker on `surface`; setting an entry to
    // the state it has changes nothing.
    void setChecked(int index, bool checked, GraphSurface &surface);
    void selectRoots(bool checked, bool invert, GraphSurface &surface);
    bool isChecked(int index) const;
    // The texts of the checked entries, and checking again the entries from `from` on whose
    // text is among them (a new scan of a changed view keeps the user's choice).
    QStringList checkedTexts() const;
    void checkListed(const QStringList &texts, int from, GraphSurface &surface);

    // The marker of entry `index`: a disc at (root, 0) drawn with XOR, so drawing it twice
    // erases it.
    void markRoot(int index, GraphSurface &surface) const;
    // The markers of every checked entry, in list order (after each redraw of the graph).
    void markCheckedRoots(GraphSurface &surface) const;

    // The summary of the roots for the clipboard, lines ended by CR LF.
    QString copyRootsText(const FunctionProject &f) const;
    // Puts that summary on the clipboard.
    void copyRoots(const FunctionProject &f) const;

    bool rootsFound() const { return m_rootsFound; }
    int count() const { return static_cast<int>(m_roots.size()); }
    // The roots as numbers and as the list shows them.
    const QVector<double> &roots() const { return m_roots; }
    QStringList texts() const;
    QString resultText() const { return m_resultText; }
    ButtonRole buttonRole() const
    {
        return m_rootsFound && !m_cancelled ? ButtonRole::SaveRoots : ButtonRole::FindRoots;
    }
    QString buttonCaption() const { return m_buttonCaption; }
    QString menuCaption() const { return m_menuCaption; }
    void setButtonCaption(const QString &caption) { m_buttonCaption = caption; }

    // The roots report (written by the window's owner); called by the button in its save role.
    void setSaveRootsHandler(std::function<void()> handler) { m_saveRoots = std::move(handler); }

    // The text of a root: rounded to 8 decimals, halves to even, in the user's locale.
    static QString rootText(double root);

private:
    void accept(double root);
    // Empties the list, turns the button back into the find button and shows `resultText`.
    void reset(const QString &resultText);

    bool m_rootsFound = false;
    bool m_cancelled = false;       // the last scan was stopped before its end
    bool m_scanFromButton = false;  // the scan under way was started by the roots button
    int m_scanFound = 0;            // roots found by the scan under way
    QVector<double> m_roots;
    QVector<bool> m_checked;
    QString m_resultText;
    QString m_buttonCaption;
    QString m_menuCaption;
    std::function<void()> m_saveRoots;
};
