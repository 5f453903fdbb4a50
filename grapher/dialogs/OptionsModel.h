#pragma once
// What the general options dialog does, without the dialog: the list of languages, the
// decimals check, the skin preview and what OK and Cancel store and undo. It shows nothing:
// it reports what changed and the dialog applies it.
#include "ui/Skins.h"

#include <QList>
#include <QString>

struct LanguageEntry {
    QString name;   // the language's display name (section Info, key Language; else the file name)
    QString path;   // the file; empty for the built-in English entry when there is no lang folder
};

class OptionsModel {
public:
    static constexpr int MinDecimals = 4;
    static constexpr int MaxDecimals = 14;

    // Starts from the program-wide values: current decimals, skin and language; the languages
    // are those of `languageFolder`.
    explicit OptionsModel(const QString &languageFolder = LanguageFolder());

    // The languages of `folder` (files *.lng, by name), or the single entry "English" when
    // the folder does not exist.
    static QList<LanguageEntry> ScanLanguages(const QString &folder);
    // The folder the options dialog lists: <program folder>/lang.
    static QString LanguageFolder();

    const QList<LanguageEntry> &languages() const { return m_languages; }
    int selectedLanguage() const { return m_selectedLanguage; }   // -1 when none matches
    int selectedSkin() const { return m_selectedSkin; }           // 0-based entry of the skin list
    QString decimalsText() const { return m_decimalsText; }
    bool backgroundPicture() const { return m_backgroundPicture; }

    // The decimals a text stands for: a number in the user's notation (or with "."), rounded
    // to the nearest integer, ties to even. False when it is no number or outside 4..14.
    static bool ParseDecimals(const QString &text, int &decimals);
    // "The value must be an integer between 4 and 14 !" in the current language.
    static QString DecimalsMessage();
    // "The language will be changed at the next run!" in the current language.
    static QString LanguageChangedMessage();
    // Stores the "Fit new projects to the curve" switch.
    static void setFitNewProjects(bool on);

    // The user picked skin entry `index`: the colours to preview on every open window.
    SkinColors chooseSkin(int index);
    bool skinChanged() const { return m_skinChanged; }

    // What OK did: refused decimals (nothing stored, the dialog stays open and shows
    // DecimalsMessage), or stored, with a language that takes effect at the next run.
    struct AcceptResult {
        bool decimalsRefused = false;
        bool languageChangesAtNextRun = false;
        bool backgroundPictureChanged = false;   // the graph windows must be redrawn
        bool accepted() const { return !decimalsRefused; }
    };
    // OK: checks and stores.
    AcceptResult accept(const QString &decimalsText, int skinIndex, int languageIndex, bool backgroundPicture);
    // The "Find roots automatically" switch: read from and stored in the settings.
    bool findRootsAutomatically() const;
    void setFindRootsAutomatically(bool on);
    // Cancel: true when a preview must be undone, with the colours in force in `restored`.
    bool cancel(SkinColors &restored) const;

private:
    QList<LanguageEntry> m_languages;
    int m_selectedLanguage = -1;
    int m_selectedSkin = 0;
    QString m_decimalsText;
    bool m_skinChanged = false;
    bool m_backgroundPicture = true;
};

// True when the two paths name the same file (spelling of the path aside).
bool SameFile(const QString &a, const QString &b);
