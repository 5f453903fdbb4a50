#include "HistoryNumber.h"

#include <cmath>

namespace {

constexpr int HistoryDecimals = 15;
constexpr int HistorySignificantDigits = 15;

} // namespace

QString HistoryNumber(double value, const QLocale &locale)
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
