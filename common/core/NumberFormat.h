#pragma once
// Numbers as text: the one formatter of the programs (NumberReader reads them back), in the
// forms they use:
// - project files: locale-independent, "." as decimal separator, a leading blank for values
//   that are not negative, no zero before the point (" 10", "-10", " .5", " 1E+20");
// - everything shown to the user: rounded (halves to the even neighbour) and written in the
//   user's locale with at most 15 significant digits.
#include <QLocale>
#include <QString>
#include <QtGlobal>

namespace NumberFormat {

// Significant digits of every number written as text.
constexpr int SignificantDigits = 15;

// `value` rounded to `decimals` places, a half going to the even neighbour. Values too large to
// carry that many decimals, and non-finite values, come back unchanged; -0 becomes 0.
double roundHalfEven(double value, int decimals);

// The nearest 32-bit integer, a half going to the even neighbour; false (and `result`
// untouched) when the value is not finite or lies outside the 32-bit range.
bool roundToInt32(double value, qint32 &result);

// A number as the project file stores it.
QString fileNumber(double value);
// An integer as the project file stores it: a leading blank or the minus sign, then the digits.
QString fileInteger(qint64 value);

// General number format for the user: up to 15 significant digits, plain digits for magnitudes
// from 1E-4 to below 1E15 and an exponent ("1.5E-05", "1E+20") outside, the locale's decimal
// separator and minus sign, no group separators.
QString generalText(double value, const QLocale &locale = QLocale());

// `value` rounded to `decimals` places (roundHalfEven) in the general format.
QString roundedText(double value, int decimals, const QLocale &locale = QLocale());

// The calculator's history form: rounded to 15 decimals (exact ties to even, through the exact
// decimal expansion), at most 15 significant digits, never an exponent, "0" for zero and -0;
// "," as separator when the locale uses one, "." otherwise.
QString historyText(double value, const QLocale &locale = QLocale());

} // namespace NumberFormat
