#include "core/NumberReader.h"

#include "core/NumberFormat.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <locale.h>
#include <string>

namespace NumberReader {
namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

locale_t cLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

} // namespace

double parseNumberPrefix(const QString &text, bool *overflow, int *consumed)
{
    if (overflow)
        *overflow = false;
    const int length = static_cast<int>(text.size());
    int i = 0;
    while (i < length && isBlank(text[i]))
        ++i;
    std::string number;
    if (i < length && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        number += static_cast<char>(text[i++].unicode());
    int mantissaDigits = 0;
    while (i < length && isDigit(text[i])) {
        number += static_cast<char>(text[i++].unicode());
        ++mantissaDigits;
    }
    if (i < length && text[i] == QLatin1Char('.')) {
        number += '.';
        ++i;
        while (i < length && isDigit(text[i])) {
            number += static_cast<char>(text[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        if (consumed)
            *consumed = 0;
        return 0;
    }
    // The exponent counts only when at least one digit follows its letter (and sign).
    if (i < length) {
        const QChar letter = text[i].toUpper();
        if (letter == QLatin1Char('E') || letter == QLatin1Char('D')) {
            int j = i + 1;
            std::string exponent = "e";
            if (j < length && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
                exponent += static_cast<char>(text[j++].unicode());
            const int firstDigit = j;
            while (j < length && isDigit(text[j]))
                exponent += static_cast<char>(text[j++].unicode());
            if (j > firstDigit) {
                number += exponent;
                i = j;
            }
        }
    }
    if (consumed)
        *consumed = i;
    errno = 0;
    const double value = strtod_l(number.c_str(), nullptr, cLocale());
    if (std::isinf(value)) {
        if (overflow)
            *overflow = true;
        return 0;
    }
    return value;
}

double settingNumber(const QString &text)
{
    bool overflow = false;
    const double value = parseNumberPrefix(text, &overflow);
    return overflow ? 0 : value;
}

bool parseGeneralText(const QString &text, double &value, const QLocale &locale)
{
    QString plain = text.trimmed();
    if (plain.isEmpty())
        return false;
    const QString point = locale.decimalPoint();
    const QString minus = locale.negativeSign();
    if (plain.startsWith(minus))
        plain = QLatin1Char('-') + plain.mid(minus.size());
    if (point != QLatin1String("."))
        plain.replace(point, QStringLiteral("."));
    bool overflow = false;
    int consumed = 0;
    const double parsed = parseNumberPrefix(plain, &overflow, &consumed);
    if (overflow || consumed != plain.size())
        return false;
    value = parsed;
    return true;
}

bool userInteger(const QString &text, qint32 minimum, qint32 maximum, qint32 &value)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    bool ok = false;
    double number = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        number = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(number))
        return false;
    const double rounded = NumberFormat::roundHalfEven(number, 0);
    if (!(rounded >= minimum && rounded <= maximum))
        return false;
    value = static_cast<qint32>(rounded);
    return true;
}

} // namespace NumberReader
