#include "NumberText.h"

#include <charconv>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace NumberText {
namespace {

// The decimal digits of a finite, non-zero |value| rounded to 15 significant digits, without
// trailing zeros, and the decimal exponent of the first digit (1.5 -> "15", 0; 1e20 -> "1", 20).
void significantDigits(double value, std::string &digits, int &exponent)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, SignificantDigits - 1);
    const std::string text(buffer, result.ptr);
    const size_t e = text.find('e');
    digits.clear();
    for (size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            digits += text[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    exponent = std::atoi(text.c_str() + e + 1);
}

// The shared writer: `point` and `minus` are the separators to use, `blankForPositive` puts a
// blank before values that are not negative, `zeroBeforePoint` writes 0.5 rather than .5.
QString formatGeneral(double value, const QString &point, const QString &minus, bool blankForPositive,
                      bool zeroBeforePoint)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    const bool negative = value < 0;
    QString sign = negative ? minus : (blankForPositive ? QStringLiteral(" ") : QString());
    if (std::isinf(value))
        return sign + QStringLiteral("Inf");
    if (value == 0)
        return (blankForPositive ? QStringLiteral(" ") : QString()) + QLatin1Char('0');

    std::string digits;
    int exponent = 0;
    significantDigits(value, digits, exponent);
    const int count = static_cast<int>(digits.size());
    QString body;
    if (exponent >= SignificantDigits || exponent < -4) {
        body = QLatin1Char(digits[0]);
        if (count > 1)
            body += point + QString::fromLatin1(digits.c_str() + 1);
        const int magnitude = std::abs(exponent);
        body += QLatin1Char('E');
        body += QLatin1Char(exponent < 0 ? '-' : '+');
        body += QString::number(magnitude).rightJustified(2, QLatin1Char('0'));
    } else if (exponent >= 0) {
        const int integerDigits = exponent + 1;
        if (count <= integerDigits) {
            body = QString::fromLatin1(digits.c_str()) + QString(integerDigits - count, QLatin1Char('0'));
        } else {
            body = QString::fromLatin1(digits.c_str(), integerDigits) + point
                + QString::fromLatin1(digits.c_str() + integerDigits);
        }
    } else {
        body = (zeroBeforePoint ? QStringLiteral("0") : QString()) + point
            + QString(-exponent - 1, QLatin1Char('0')) + QString::fromLatin1(digits.c_str());
    }
    return sign + body;
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

locale_t cLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

} // namespace

double roundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    // Beyond 2^52 every double is an integer: there is nothing left to round.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0)
        return value;
    const double rounded = std::nearbyint(scaled) / scale;
    return rounded == 0 ? 0.0 : rounded;
}

bool roundToInt32(double value, qint32 &result)
{
    if (!std::isfinite(value))
        return false;
    const double rounded = std::nearbyint(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return false;
    result = static_cast<qint32>(rounded);
    return true;
}

QString fileNumber(double value)
{
    return formatGeneral(value, QStringLiteral("."), QStringLiteral("-"), true, false);
}

QString fileInteger(qint64 value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

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

QString generalText(double value, const QLocale &locale)
{
    return formatGeneral(value, locale.decimalPoint(), locale.negativeSign(), false, true);
}

QString roundedText(double value, int decimals, const QLocale &locale)
{
    return generalText(roundHalfEven(value, decimals), locale);
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

} // namespace NumberText
