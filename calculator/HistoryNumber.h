#pragma once
// How a result is written into the calculator's history.
#include <QLocale>
#include <QString>

// The value rounded to 15 decimal places, then written with at most 15 significant digits,
// without a leading blank and with the user's decimal separator. The text is always positional
// (never 1e+20: the engine reads "e" as the constant e) and uses ASCII digits and "-", so a
// history value typed back into the calculator evaluates to the same number. The separator is
// "," when the locale uses a decimal comma and "." otherwise, the two the engine accepts.
QString HistoryNumber(double value, const QLocale &locale = QLocale());
