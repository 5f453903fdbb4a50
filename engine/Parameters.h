#pragma once
// Parameter lists ("a=2; b=4; c=1"), constant expressions and user constants.
#include "Tree.h"

#include <string>

namespace trev {

enum class ParameterMode { Create, Update };

// 0 when text is a plain number (spaces, a digit, "." or "-", digits and points, spaces);
// value is then what atof reads from it. -1 otherwise.
int32_t IsPlainNumber(const char *text, double &value);

// A parameter value or a constant: a plain number or a constant expression. On success the
// value is also written into res. errpos is written only when the expression parser ran, and
// parsed (when given) tells whether it did.
int32_t EvaluateValueText(const char *text, Real &value, int32_t &errpos, bool *parsed = nullptr);

int32_t ParseParameters(TreeHandle &handle, const char *text, ParameterMode mode);

// "a=2; b=4; " — every parameter with its value and a "; " after each.
std::string ShowParametersText(const TreeHandle &handle);

// Defines or updates a global constant; 0 or -19.
int32_t AddConstant(const char *name, double value);

// Reads a definition name: leading spaces, a letter, letters and digits, trailing spaces only.
// Lower-cases it; false when the text is not such a name.
bool ReadDefinitionName(const char *text, std::string &name);

} // namespace trev
