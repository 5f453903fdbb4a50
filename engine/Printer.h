#pragma once
// Printing trees back as text with the fewest parentheses the parser needs.
#include "Tree.h"

#include <string>

namespace trev {

// Row: the operator being printed; column: the operator code of the operand. 1 = parenthesise.
extern const int8_t LeftParenTable[6][6];
extern const int8_t RightParenTable[6][6];

// A number with at most 10 significant digits that the parser and the parameter syntax read
// back to the same value: the shortest "%.10g" form where it has no exponent (2.5,
// 0.3333333333, 1234567890); plain decimal digits for exponents from -12 to 20
// (0.00001, 12345678900); and a parenthesised power of ten beyond (1.5e-20 as (1.5*10^-20)).
// Infinities and NaN print as the C library writes them ("inf", "-inf", "nan", "-nan").
std::string FormatNumber(double value);

// Appends the text of a subtree; the handle supplies parameter names.
void PrintNode(const TreeHandle &handle, const Node *node, std::string &out);

} // namespace trev
