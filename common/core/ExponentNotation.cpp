#include "core/ExponentNotation.h"

#include "core/LangText.h"

namespace ExponentNotation {

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool isNameCharacter(QChar c)
{
    const QChar lower = c.toLower();
    return isDigit(c) || (lower >= QLatin1Char('a') && lower <= QLatin1Char('z'));
}

} // namespace

bool looksLikeExponentNotation(const QString &text)
{
    const int length = static_cast<int>(text.size());
    for (int i = 1; i + 1 < length; ++i) {
        if (text.at(i).toLower() != QLatin1Char('e'))
            continue;
        // The characters before the letter must be a number of their own: digits and decimal
        // separators with a digit among them, not the tail of a name such as "x2".
        int start = i;
        bool digit = false;
        while (start > 0 && (isDigit(text.at(start - 1)) || text.at(start - 1) == QLatin1Char('.')
                             || text.at(start - 1) == QLatin1Char(','))) {
            --start;
            digit = digit || isDigit(text.at(start));
        }
        if (!digit || (start > 0 && isNameCharacter(text.at(start - 1))))
            continue;
        const QChar next = text.at(i + 1);
        if (isDigit(next))
            return true;
        if ((next == QLatin1Char('+') || next == QLatin1Char('-')) && i + 2 < length && isDigit(text.at(i + 2)))
            return true;
    }
    return false;
}

QString exponentHint()
{
    return LangText(QStringLiteral("ExponentHint"),
                    QStringLiteral("Here e is the number e: 2.5e-3 means 2.5*e-3. For 2.5·10^-3 type 2.5*10^-3."));
}

} // namespace ExponentNotation
