#include "shell/RecentFiles.h"

#include "core/LangText.h"
#include "core/LocalFileName.h"
#include "project/SettingsStore.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString entryKey(int index) { return QStringLiteral("%1").arg(index + 1, 2, 10, QLatin1Char('0')); }

QString normalised(const QString &path) { return QFileInfo(path).absoluteFilePath(); }

// The settings hold text, so a name that is no UTF-8 is stored as its bytes, percent-encoded
// after a prefix that no absolute path has.
const QString BytesPrefix = QStringLiteral("bytes:");

QString storedText(const QString &path)
{
    if (LocalFileName::shown(path) == path)
        return path;
    return BytesPrefix + QString::fromLatin1(LocalFileName::bytes(path).toPercentEncoding("/"));
}

QString pathOf(const QString &stored)
{
    if (!stored.startsWith(BytesPrefix))
        return stored;
    return LocalFileName::fromBytes(QByteArray::fromPercentEncoding(stored.mid(BytesPrefix.size()).toLatin1()));
}

} // namespace

const QString RecentFiles::Section = QStringLiteral("RecentFiles");

RecentFiles::RecentFiles()
{
    for (int index = 0; index < MaxEntries; ++index) {
        const QString path = pathOf(ReadSetting(Section, entryKey(index), QString()));
        m_stored << path;
        if (!path.isEmpty() && !m_files.contains(path))
            m_files << path;
    }
}

void RecentFiles::add(const QString &path)
{
    if (path.isEmpty())
        return;
    const QString file = normalised(path);
    m_files.removeAll(file);
    m_files.prepend(file);
    while (m_files.size() > MaxEntries)
        m_files.removeLast();
    store();
}

void RecentFiles::remove(const QString &path)
{
    if (m_files.removeAll(path) + m_files.removeAll(normalised(path)) > 0)
        store();
}

QStringList RecentFiles::dropMissing()
{
    const qsizetype before = m_files.size();
    m_files.erase(std::remove_if(m_files.begin(), m_files.end(),
                                 [](const QString &file) { return !LocalFileName::isFile(file); }),
                  m_files.end());
    if (m_files.size() != before)
        store();
    return m_files;
}

bool RecentFiles::checkExists(const QString &path)
{
    if (LocalFileName::isFile(path))
        return true;
    remove(path);
    return false;
}

QString RecentFiles::menuCaption() { return LangText("OpenRecent", "Open &recent"); }

QString RecentFiles::entryText(int index, const QString &path)
{
    QString text = LocalFileName::shown(path);
    text.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(text);
}

void RecentFiles::store()
{
    // Every write is a round trip to the store's file, so only the entries that moved are written.
    for (int index = 0; index < MaxEntries; ++index) {
        const QString value = m_files.value(index);
        if (value != m_stored.at(index)) {
            WriteSetting(Section, entryKey(index), storedText(value));
            m_stored[index] = value;
        }
    }
}
