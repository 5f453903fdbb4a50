#pragma once
// File > Open recent: the last projects opened or saved, newest first, at most MaxEntries,
// kept in the settings store (section "RecentFiles", keys "01" to "08"). A file that no longer
// exists leaves the list without a message.
#include <QString>
#include <QStringList>

class RecentFiles {
public:
    static constexpr int MaxEntries = 8;
    static const QString Section;

    // Reads the list from the settings store.
    RecentFiles();

    QStringList files() const { return m_files; }

    // Puts `path` (made absolute) at the top, removing an older entry of the same file and the
    // oldest entry beyond MaxEntries, and stores the list.
    void add(const QString &path);
    // Takes `path` off the list and stores it.
    void remove(const QString &path);
    // Takes every file that no longer exists off the list (stored when something changed) and
    // returns what remains: call it before the menu is shown.
    QStringList dropMissing();
    // For a chosen entry: true when the file still exists; otherwise it is dropped.
    bool checkExists(const QString &path);

    // The submenu's caption and the text of its entry number `index` (from 0): "&1 /path".
    static QString menuCaption();
    static QString entryText(int index, const QString &path);

private:
    void store();

    QStringList m_files;
    QStringList m_stored;  // the store's values of the keys "01" to "08"
};
