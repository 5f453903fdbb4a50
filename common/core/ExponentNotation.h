#pragma once
// Text typed as exponent notation ("2.5e-3", "1E3"): the grammar reads e as the number e, so
// 2.5e-3 is 2.5*e-3 and 1e3 asks for a name "e3". Every place that takes an expression shows
// the same hint about it.
#include <QString>


namespace ExponentNotation {

// True when the text holds a number followed directly by "e" or "E" and then a digit, or a
// sign and a digit.
bool looksLikeExponentNotation(const QString &text);

// What the hint says about such a text.
QString exponentHint();

} // namespace ExponentNotation
