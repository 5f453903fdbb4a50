#pragma once
// The calculator's history between runs: a UTF-8 text file with one history line per line,
// written when the window closes and read when it opens again.
#include "core/SafeFile.h"

#include <QString>
#include <QStringList>

class CalcHistoryFile {
public:
    // Lines kept; older ones are left out when the file is written.
    static constexpr int MaxLines = 1000;
    // Larger files are not a history the calculator wrote.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

    explicit CalcHistoryFile(const QString &path = QString());

    // "history.txt" in the user's data folder of the program (QStandardPaths::AppDataLocation);
    // empty when the system names no such folder.
    static QString defaultPath();

    QString path() const { return m_path; }

    // The kept lines, oldest first, at most MaxLines. A missing, unreadable or damaged file
    // (larger than MaxFileBytes, not UTF-8 text, a NUL in it) gives none.
    QStringList load() const;

    // Writes the last MaxLines lines (no lines leave an empty file), making the folder when
    // needed. Without a path nothing is written and the result is a success.
    FileWriteResult save(const QStringList &lines) const;

private:
    QString m_path;
};
