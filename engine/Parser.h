#pragma once
// The tokenizer and the two operator-precedence drivers: ParseExpression builds a tree,
// EvalConstText computes a constant expression as it reads.
#include "Tree.h"

#include <cstdint>
#include <string>

namespace trev {

// 0 = the succession is an error, 1 = allowed, 2 = allowed with an implied multiplication.
// Rows: kind of the previous token (8 = start state); columns: kind of the current token.
extern const int8_t SuccessionTable[9][8];
// 1 = apply the operator on top of the stack before pushing the incoming binary operator.
extern const int8_t PrecedenceTable[6][6];

// Deepest tree the parser builds. Every walk over a tree (evaluation, printing, derivative) is
// recursive, so bounding the depth here keeps them all far from the end of the stack.
constexpr int MaxTreeDepth = 1000;

// The characters names and numbers are made of (after lower-casing).
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }

// The text with A-Z lower-cased; null reads as empty.
std::string LowerCase(const char *text);

// Lower-cases, reads "," as ".", and encloses the text in parentheses.
std::string PrepareText(const char *text);

// Reads an optional "-" and a run of digits and points the way the C library's atof does
// ("1.2.3" is 1.2; "." and "-" are 0), independent of the process locale.
double ReadDecimal(const char *begin, const char *end);

// Reads the token at text[pos]. token: in = the previous token (its kind is the succession
// state), out = the new token. pos: in = the token's first character, out = the first character
// of the next token. implied: set when an implied multiplication precedes the token.
// parameters: the tree whose parameters names may resolve to, or null.
int32_t NextToken(const std::string &text, Token &token, size_t &pos, bool &implied, const TreeHandle *parameters);

// Parses text into handle.root (left null on failure). errpos: position of the last token read
// in the prepared text.
int32_t ParseExpression(TreeHandle &handle, const char *text, int32_t &errpos);

// Evaluates a constant expression (no x, no parameters) into value.
int32_t EvalConstText(const char *text, Real &value, int32_t &errpos);

} // namespace trev
