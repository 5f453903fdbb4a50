#pragma once
// What the general options dialog does, without the dialog: the list of languages, the
// decimals check, the skin preview and what OK and Cancel store and undo.
#include "Skins.h"

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

    // The decimals a text stands for: a number in the user's notation (or with "."), rounded
    // to the nearest integer, ties to even. False when it is no number or outside 4..14.
    static bool ParseDecimals(const QString &text, int &decimals);
    // "The value must be an integer between 4 and 14 !" in the current language.
    static QString DecimalsMessage();

    // The user picked skin entry `index`: preview it on every open window.
    void chooseSkin(int index);
    bool skinChanged() const { return m_skinChanged; }

    // OK: checks and stores. False (with the message shown) when the decimals are refused;
    // the dialog then stays open and nothing is stored.
    bool accept(const QString &decimalsText, int skinIndex, int languageIndex);
    // Cancel: undoes the skin preview.
    void cancel();

private:
    QList<LanguageEntry> m_languages;
    int m_selectedLanguage = -1;
    int m_selectedSkin = 0;
    QString m_decimalsText;
    bool m_skinChanged = false;
};

// True when the two paths name the same file (spelling of the path aside).
bool SameFile(const QString &a, const QString &b);
