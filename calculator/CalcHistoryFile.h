#pragma once
// The calculator's history between runs: a UTF-8 text file with one history line per line.
// Each window reads it when it opens and adds its own new lines when it closes, under a lock and
// to what the file holds by then, so two calculators open at once both keep their lines.
//
// A line that cannot be read (not UTF-8, a NUL, longer than MaxLineBytes) is left out and
// counted; a file that cannot be read at all (larger than MaxFileBytes, refused by the system)
// gives no lines. Either way the file is damaged: the next write first moves it aside to
// damagedPath(), so no byte of it is lost.
#include "core/SafeFile.h"

#include <QString>
#include <QStringList>

struct HistoryRead {
    QStringList lines;   // the readable lines, oldest first, at most MaxLines
    int skipped = 0;     // lines among the last MaxLines that could not be read
    QString failure;     // why the file could not be read at all; empty when it could or is missing
    bool isDamaged() const { return skipped > 0 || !failure.isEmpty(); }
};

class CalcHistoryFile {
public:
    // Lines kept; older ones are left out, unread, when the file is read or written.
    static constexpr int MaxLines = 1000;
    // Larger files are not a history the calculator wrote, and are not read.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;
    // Longer lines are no line the input box would take (it holds far less in practice); the
    // history box would lay them out for minutes.
    static constexpr int MaxLineBytes = 64 * 1024;

    explicit CalcHistoryFile(const QString &path = QString());

    // "history.txt" in the user's data folder of the program (QStandardPaths::AppDataLocation);
    // empty when the system names no such folder.
    static QString defaultPath();

    QString path() const { return m_path; }
    QString damagedPath() const { return m_path + QStringLiteral(".damaged"); }

    // The file as it is now (a missing file gives no lines and no damage).
    HistoryRead read() const;
    // Just its readable lines.
    QStringList load() const { return read().lines; }

    // Adds `newLines` after the lines the file holds now and keeps the last MaxLines.
    FileWriteResult append(const QStringList &newLines) const;
    // Replaces the history with the last MaxLines of `lines` (none leaves an empty file).
    // Both make the folder when needed; without a path nothing is written and the result is
    // a success.
    FileWriteResult save(const QStringList &lines) const;

private:
    FileWriteResult write(const QStringList &lines, bool keepCurrent) const;

    QString m_path;
};
