#pragma once
// Sectioned key=value text files (language files, project files, the calculator's settings).
//
// Rules, kept identical wherever such a file is read or written:
// - section and key names are matched without regard to case; the first match wins;
// - values are taken without surrounding blanks and cut to MaxValueLength characters;
// - lines that are neither a section header nor a key line are kept untouched;
// - writing a key replaces its value on its own line, or appends the key at the end of its
//   section, or appends the section at the end of the file; every other line stays as it was.
// Files are read as UTF-8, or as Latin-1 when they are not valid UTF-8 (older 8-bit files).
#include "core/SafeFile.h"

#include <QString>
#include <QStringList>

class IniFile {
public:
    static constexpr int MaxValueLength = 999;
    // Larger files are not read at all (a language file is the largest kind written by hand).
    static constexpr qint64 DefaultMaxBytes = 4 * 1024 * 1024;

    // Reads the file; a missing or unreadable file, or one larger than `maxBytes`, gives an
    // empty document.
    explicit IniFile(const QString &path, qint64 maxBytes = DefaultMaxBytes);

    QString path() const { return m_path; }

    // Why an existing file was not read (its size, or the system's reason); empty when it was
    // read or does not exist. save() refuses to replace a file that was not read.
    QString readFailure() const { return m_readFailure; }
    bool isTooLarge() const { return m_tooLarge; }
    // The reason given for a file larger than `maxBytes`.
    static QString tooLargeText(qint64 maxBytes);

    // The value of `key` in `section`, or `def` when the section or the key is missing.
    QString value(const QString &section, const QString &key, const QString &def = QString()) const;
    bool contains(const QString &section, const QString &key) const;

    // Changes the document in memory; save() writes it.
    void setValue(const QString &section, const QString &key, const QString &value);

    // Writes the document atomically (SafeFile): on failure the old file is left as it was and
    // the result says why.
    FileWriteResult save();

    // The lines of the document as they would be written.
    QStringList lines() const { return m_lines; }

    // One lookup in a file, read afresh.
    static QString read(const QString &file, const QString &section, const QString &key, const QString &def);
    // One key written to a file (read, change, save).
    static FileWriteResult write(const QString &file, const QString &section, const QString &key, const QString &value);

private:
    // Index of the header line of `section`, or -1.
    int findSection(const QString &section) const;
    // Index of the line of `key` in the section whose header is at `header`, or -1.
    int findKey(int header, const QString &key) const;
    // Index one past the last line that belongs to the section whose header is at `header`.
    int sectionEnd(int header) const;

    QString m_path;
    QStringList m_lines;
    QString m_lineEnd = QStringLiteral("\n");
    bool m_endsWithNewline = true;
    bool m_latin1 = false;
    bool m_tooLarge = false;
    QString m_readFailure;   // the file was read as Latin-1 and is written back the same way when it can be
};

// The same lookup as IniFile::read, under the name the programs use throughout.
QString IniRead(const QString &file, const QString &section, const QString &key, const QString &def);
