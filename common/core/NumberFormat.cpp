#include "core/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <cstdlib>
#include <string>

namespace NumberFormat {
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

constexpr int HistoryDecimals = 15;
constexpr int HistorySignificantDigits = 15;

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

QString generalText(double value, const QLocale &locale)
{
    return formatGeneral(value, locale.decimalPoint(), locale.negativeSign(), false, true);
}

QString roundedText(double value, int decimals, const QLocale &locale)
{
    return generalText(roundHalfEven(value, decimals), locale);
}

QString historyText(double value, const QLocale &locale)
{
    if (!std::isfinite(value))
        return QString::number(value);

    // Round to 15 decimals through the exact decimal expansion, which avoids the overflow and
    // the extra rounding error of scaling by 1e15.
    QString fifteenDecimals = QString::number(value, 'f', HistoryDecimals);
    // Exact ties are rounded to even. value * 10^15 ends in exactly .5 only for odd multiples
    // of 2^-16 (value = m * 2^-16, m odd); the text above rounded those away from zero, and
    // when that made the last digit odd, the even neighbour is one unit lower.
    const double scaled = value * 65536.0; // exact: a power of two
    if (std::fabs(std::fmod(scaled, 2.0)) == 1.0) {
        const int last = fifteenDecimals.size() - 1;
        const int digit = fifteenDecimals.at(last).digitValue();
        if (digit % 2 == 1)
            fifteenDecimals[last] = QLatin1Char(static_cast<char>('0' + digit - 1));
    }
    const double rounded = fifteenDecimals.toDouble();
    if (rounded == 0.0)
        return QStringLiteral("0");   // also turns -0 into 0

    // d.dddddddddddddde±x: the significant digits and the decimal exponent.
    const QString scientific = QString::number(std::fabs(rounded), 'e', HistorySignificantDigits - 1);
    const int exponentAt = scientific.indexOf(QLatin1Char('e'));
    QString digits = scientific.left(exponentAt);
    digits.remove(QLatin1Char('.'));
    const int exponent = scientific.mid(exponentAt + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString integerPart;
    QString fraction;
    if (exponent < 0) {
        integerPart = QStringLiteral("0");
        fraction = QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else if (digits.size() <= exponent + 1) {
        integerPart = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    } else {
        integerPart = digits.left(exponent + 1);
        fraction = digits.mid(exponent + 1);
    }

    const QString separator = locale.decimalPoint() == QLatin1String(",") ? QStringLiteral(",") : QStringLiteral(".");
    QString text = rounded < 0 ? QStringLiteral("-") : QString();
    text += integerPart;
    if (!fraction.isEmpty())
        text += separator + fraction;
    return text;
}

} // namespace NumberFormat
