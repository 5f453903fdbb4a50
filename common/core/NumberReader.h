#pragma once
// Numbers read from text: project files, stored settings and the texts of NumberFormat. The one
// number reader of the programs.
#include <QLocale>
#include <QString>
#include <QtGlobal>

namespace NumberReader {

// The prefix parser of the project file: leading blanks, an optional sign, digits with at most
// one ".", an optional exponent ("E" or "D", optional sign, digits); parsing stops at the first
// character that cannot continue the number, and text that does not begin a number gives 0.
// `overflow` is set when the number is too large for a double (the result is then 0);
// `consumed` receives the number of characters taken, leading blanks included.
double parseNumberPrefix(const QString &text, bool *overflow = nullptr, int *consumed = nullptr);

// A stored setting read as a number: its longest leading part that forms a decimal number; an
// empty, non-numeric or overflowing text gives 0.
double settingNumber(const QString &text);

// Reads back a text made by generalText in the same locale; false when it is not such a number.
bool parseGeneralText(const QString &text, double &value, const QLocale &locale = QLocale());

// A whole number typed by the user: a number in the user's notation (or with "."), rounded to
// the nearest integer with halves to the even neighbour; false when it is no number or the
// rounded value lies outside [minimum, maximum] (`value` is then untouched).
bool userInteger(const QString &text, qint32 minimum, qint32 maximum, qint32 &value);

} // namespace NumberReader
