#include "core/IniFile.h"

#include "core/LangText.h"
#include "core/LocalFileName.h"
#include "core/SafeFile.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// The name of a "[name]" line, or a null string when the line is no section header.
QString sectionName(const QString &line)
{
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return QString();
    const int close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return QString();
    const QString name = trimmed.mid(1, close - 1).trimmed();
    return name.isNull() ? QStringLiteral("") : name;
}

bool isSectionHeader(const QString &line) { return !sectionName(line).isNull(); }

// The key of a "key=value" line, or a null string when the line carries no key.
QString keyName(const QString &line)
{
    const int equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return QString();
    return line.left(equals).trimmed();
}

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// A value is kept on one line: line breaks inside it would split the file's structure.
QString oneLine(const QString &value)
{
    QString result = value;
    result.replace(QLatin1String("\r\n"), QLatin1String(" "));
    result.replace(QLatin1Char('\r'), QLatin1Char(' '));
    result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

} // namespace

IniFile::IniFile(const QString &path, qint64 maxBytes) : m_path(path)
{
    QFile file;
    QString reason;
    bool missing = false;
    if (!LocalFileName::openForReading(file, path, &reason, &missing)) {
        if (!missing)
            m_readFailure = reason;
        return;
    }
    // The size is checked before anything is read; the limited read also covers a device or a
    // pipe in the file's place, which has no size to check beforehand.
    QByteArray bytes;
    if (file.size() <= maxBytes)
        bytes = file.read(maxBytes + 1);
    if (file.size() > maxBytes || bytes.size() > maxBytes) {
        m_tooLarge = true;
        m_readFailure = tooLargeText(maxBytes);
        return;
    }
    if (file.error() != QFileDevice::NoError) {
        m_readFailure = file.errorString();
        return;
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes);
        m_latin1 = true;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (text.isEmpty())
        return;
    if (text.contains(QLatin1String("\r\n")))
        m_lineEnd = QStringLiteral("\r\n");
    m_endsWithNewline = text.endsWith(QLatin1Char('\n'));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_lines = text.split(QLatin1Char('\n'));
    if (m_endsWithNewline)
        m_lines.removeLast();
}

int IniFile::findSection(const QString &section) const
{
    const QString wanted = section.trimmed();
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString name = sectionName(m_lines.at(i));
        if (!name.isNull() && sameName(name, wanted))
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int header) const
{
    int i = header + 1;
    while (i < m_lines.size() && !isSectionHeader(m_lines.at(i)))
        ++i;
    return i;
}

int IniFile::findKey(int header, const QString &key) const
{
    const QString wanted = key.trimmed();
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const QString name = keyName(m_lines.at(i));
        if (!name.isNull() && sameName(name, wanted))
            return i;
    }
    return -1;
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    const int header = findSection(section);
    return header >= 0 && findKey(header, key) >= 0;
}

QString IniFile::value(const QString &section, const QString &key, const QString &def) const
{
    const int header = findSection(section);
    if (header < 0)
        return def;
    const int line = findKey(header, key);
    if (line < 0)
        return def;
    const QString &text = m_lines.at(line);
    QString found = text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed();
    // As the classic profile functions do, one pair of matching quotes around the value is
    // not part of it.
    if (found.size() >= 2 && (found.front() == QLatin1Char('"') || found.front() == QLatin1Char('\'')) &&
        found.back() == found.front())
        found = found.mid(1, found.size() - 2);
    return found.left(MaxValueLength);
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString entry = key.trimmed() + QLatin1Char('=') + oneLine(value);
    const int header = findSection(section);
    if (header < 0) {
        m_lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
        m_lines.append(entry);
        return;
    }
    const int line = findKey(header, key);
    if (line >= 0) {
        // Only the value changes; the key keeps its spelling and spacing.
        const QString &old = m_lines.at(line);
        m_lines[line] = old.left(old.indexOf(QLatin1Char('=')) + 1) + oneLine(value);
        return;
    }
    // After the section's last non-blank line, so blank lines between sections stay between them.
    int insertAt = sectionEnd(header);
    while (insertAt - 1 > header && m_lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    m_lines.insert(insertAt, entry);
}

QString IniFile::tooLargeText(qint64 maxBytes)
{
    return LangText("FileTooLarge", "The file is larger than %1 MB.").arg(maxBytes / (1024 * 1024));
}

FileWriteResult IniFile::save()
{
    // Writing would replace lines that were never read.
    if (!m_readFailure.isEmpty())
        return {false, m_readFailure};
    QString text = m_lines.join(m_lineEnd);
    if (m_endsWithNewline && !m_lines.isEmpty())
        text += m_lineEnd;
    QByteArray bytes;
    bool latin1 = m_latin1;
    if (latin1) {
        for (const QChar c : std::as_const(text)) {
            if (c.unicode() > 0xFF) {
                latin1 = false;
                break;
            }
        }
    }
    bytes = latin1 ? text.toLatin1() : text.toUtf8();
    return SafeFile::write(m_path, bytes);
}

QString IniFile::read(const QString &file, const QString &section, const QString &key, const QString &def)
{
    return IniFile(file).value(section, key, def);
}

FileWriteResult IniFile::write(const QString &file, const QString &section, const QString &key, const QString &value)
{
    IniFile ini(file);
    ini.setValue(section, key, value);
    return ini.save();
}

QString IniRead(const QString &file, const QString &section, const QString &key, const QString &def)
{
    return IniFile::read(file, section, key, def);
}
