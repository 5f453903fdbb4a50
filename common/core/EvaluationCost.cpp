#include "core/EvaluationCost.h"

#include "core/LangText.h"

#include <QSet>

namespace {

constexpr qint64 Beyond = EvaluationCost::MaxCharacters + 1;

bool isLetter(QChar c) { return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')); }
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

class Expander {
public:
    explicit Expander(const QHash<QString, QString> &bodies) : m_bodies(bodies) {}

    qint64 size(const QString &text)
    {
        qint64 total = text.size();
        // Names are read as the engine reads them: a letter, then letters and digits.
        for (int i = 0; i < text.size() && total < Beyond;) {
            if (!isLetter(text.at(i))) {
                ++i;
                continue;
            }
            int end = i;
            while (end < text.size() && (isLetter(text.at(end)) || isDigit(text.at(end))))
                ++end;
            total += functionSize(text.mid(i, end - i).toLower());
            i = end;
        }
        return qMin(total, Beyond);
    }

private:
    qint64 functionSize(const QString &name)
    {
        const auto body = m_bodies.constFind(name);
        if (body == m_bodies.constEnd())
            return 0;
        const auto known = m_sizes.constFind(name);
        if (known != m_sizes.constEnd())
            return *known;
        // The engine refuses functions that call themselves; a table that did anyway counts as too large.
        if (m_open.contains(name))
            return Beyond;
        m_open.insert(name);
        const qint64 result = size(*body);
        m_open.remove(name);
        m_sizes.insert(name, result);
        return result;
    }

    const QHash<QString, QString> &m_bodies;
    QHash<QString, qint64> m_sizes;
    QSet<QString> m_open;
};

} // namespace

namespace EvaluationCost {

qint64 affordableSteps(qint64 characters) { return ScanCharacterSteps / qMax<qint64>(characters, 1); }

qint64 expandedCharacters(const QString &text, const QHash<QString, QString> &bodies)
{
    return Expander(bodies).size(text);
}

QString tooLargeMessage()
{
    return LangText("TooLarge",
                    "The expression is too large: with its functions written out, one evaluation would take too long.");
}

} // namespace EvaluationCost
