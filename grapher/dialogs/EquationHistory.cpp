#include "dialogs/EquationHistory.h"

#include "project/SettingsStore.h"

#include <QStringList>

namespace {

const QString HistorySection = QStringLiteral("EqHistory");
const QString SettingsSection = QStringLiteral("Settings");
const QString DefaultStartKey = QStringLiteral("DefaultMinX");
const QString DefaultEndKey = QStringLiteral("DefaultMaxX");
const QChar FieldSeparator = QLatin1Char('|');

// Every write makes the store save its file, so values already stored are not written again
// (for the history a missing key and an empty value both end the list).
void writeChanged(const QString &section, const QString &key, const QString &value)
{
    if (ReadSetting(section, key, QString()) != value)
        WriteSetting(section, key, value);
}

} // namespace

QString EquationHistory::storeKey(int index) { return QStringLiteral("%1").arg(index + 1, 2, 10, QLatin1Char('0')); }

QString EquationHistory::storedText(const EquationEntry &entry)
{
    return QStringList{entry.function, entry.parameters, entry.start, entry.end}.join(FieldSeparator);
}

EquationEntry EquationHistory::fromStoredText(const QString &text, const QString &defaultStart,
                                              const QString &defaultEnd)
{
    const QStringList fields = text.split(FieldSeparator);
    EquationEntry entry;
    entry.function = fields.value(0);
    if (fields.size() < 3) {
        entry.start = defaultStart;
        entry.end = defaultEnd;
        return entry;
    }
    entry.parameters = fields.at(1);
    entry.start = fields.at(2);
    entry.end = fields.size() > 3 ? fields.at(3) : defaultEnd;
    return entry;
}

void EquationHistory::load()
{
    m_defaultStart = ReadSetting(SettingsSection, DefaultStartKey, defaultStartText());
    m_defaultEnd = ReadSetting(SettingsSection, DefaultEndKey, defaultEndText());
    m_entries.clear();
    for (int index = 0; index < MaxEntries; ++index) {
        const QString stored = ReadSetting(HistorySection, storeKey(index), QString());
        if (stored.isEmpty())
            break;
        m_entries.append(fromStoredText(stored, m_defaultStart, m_defaultEnd));
    }
}

void EquationHistory::save() const
{
    for (int index = 0; index < MaxEntries; ++index)
        writeChanged(HistorySection, storeKey(index), index < m_entries.size() ? storedText(m_entries.at(index)) : QString());
}

void EquationHistory::saveDefaultInterval(const QString &start, const QString &end)
{
    // Written even when unchanged: an empty text must not fall back to the default.
    WriteSetting(SettingsSection, DefaultStartKey, start);
    WriteSetting(SettingsSection, DefaultEndKey, end);
}

void EquationHistory::setEntries(const QList<EquationEntry> &entries) { m_entries = entries.mid(0, MaxEntries); }

int EquationHistory::findPrefix(const QString &text) const
{
    const int count = m_entries.size();
    for (int step = 0; step < count; ++step) {
        const int index = (step + 1) % count;
        if (m_entries.at(index).function.startsWith(text, Qt::CaseInsensitive))
            return index;
    }
    return -1;
}

void EquationHistory::record(const EquationEntry &entry)
{
    const int found = findPrefix(entry.function);
    if (found >= 0 && m_entries.at(found).function == entry.function)
        m_entries.removeAt(found);
    m_entries.prepend(entry);
    // Only the stored entries are offered, so the lists match what the next start shows.
    while (m_entries.size() > MaxEntries)
        m_entries.removeLast();
}
