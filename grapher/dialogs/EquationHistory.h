#pragma once
// The new-project wizard's history: the last accepted equations, most recent first, each with
// its parameter text and the texts of the interval's start and end, as the user typed them.
//
// The store keeps it in section "EqHistory", keys "01" to "20", each entry as the four texts
// joined by "|" (function, parameters, start, end); an empty value ends the list. Section
// "Settings" keeps the start and end texts the wizard showed when it last closed
// ("DefaultMinX", "DefaultMaxX"); they fill in entries stored with fewer than three fields and
// the interval of a wizard that has no history yet.
#include <QList>
#include <QString>

// The four texts of the wizard: one history entry.
struct EquationEntry {
    QString function;
    QString parameters;
    QString start;
    QString end;
    bool operator==(const EquationEntry &other) const
    {
        return function == other.function && parameters == other.parameters && start == other.start
            && end == other.end;
    }
};

class EquationHistory {
public:
    static constexpr int MaxEntries = 20;

    // The interval texts used when the store has none.
    static QString defaultStartText() { return QStringLiteral("-10"); }
    static QString defaultEndText() { return QStringLiteral("10"); }

    // Reads the entries and the default interval texts from the settings store, replacing
    // what the history held.
    void load();
    // The stored interval texts as load() read them (the defaults above when none were stored).
    const QString &defaultStart() const { return m_defaultStart; }
    const QString &defaultEnd() const { return m_defaultEnd; }
    // Stores every entry, and empty values for the keys above the last one.
    void save() const;
    // Writes the texts of the wizard's start and end boxes, whatever they hold.
    static void saveDefaultInterval(const QString &start, const QString &end);

    int size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const EquationEntry &at(int index) const { return m_entries.at(index); }
    const QList<EquationEntry> &entries() const { return m_entries; }
    void setEntries(const QList<EquationEntry> &entries);

    // The first entry whose function begins with `text`, ignoring case, looking from the
    // second entry on and then at the first (the most recent entry is what the user usually
    // sees already); -1 when none does.
    int findPrefix(const QString &text) const;

    // An accepted equation goes to the front. An earlier copy of the same function is dropped
    // only when it is the entry findPrefix names, so a longer function that begins with the
    // same text and stands before it leaves both copies in the list.
    void record(const EquationEntry &entry);

    // One entry as the store keeps it, and back. A value with fewer than three fields takes
    // empty parameters and the default interval; one with three takes the default end.
    static QString storedText(const EquationEntry &entry);
    static EquationEntry fromStoredText(const QString &text, const QString &defaultStart, const QString &defaultEnd);

    // The store's key of entry `index` (0-based): "01" to "20".
    static QString storeKey(int index);

private:
    QList<EquationEntry> m_entries;
    QString m_defaultStart = defaultStartText();
    QString m_defaultEnd = defaultEndText();
};
