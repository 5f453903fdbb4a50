#include "Printer.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace trev {

const int8_t LeftParenTable[6][6] = {
    // +  -  *  /  neg ^
    {0, 0, 0, 0, 0, 0}, // +
    {0, 0, 0, 0, 0, 0}, // -
    {1, 1, 0, 0, 0, 0}, // *
    {1, 1, 0, 0, 0, 0}, // /
    {0, 0, 0, 0, 0, 0}, // unary minus
    {1, 1, 1, 1, 1, 0}, // ^
};

const int8_t RightParenTable[6][6] = {
    // +  -  *  /  neg ^
    {0, 0, 0, 0, 0, 0}, // +
    {1, 1, 0, 0, 1, 0}, // -
    {1, 1, 0, 0, 1, 0}, // *
    {1, 1, 1, 1, 1, 0}, // /
    {1, 1, 0, 0, 1, 0}, // operand of a unary minus
    {1, 1, 1, 1, 1, 1}, // ^
};

std::string FormatNumber(double value)
{
    char buffer[64];
    auto general = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
    std::string text(buffer, general.ptr);
    if (!std::isfinite(value) || text.find('e') == std::string::npos)
        return text;

    // Exponent form: take the ten significant digits and the exponent apart.
    auto scientific = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 9);
    std::string s(buffer, scientific.ptr);
    const bool negative = s[0] == '-';
    if (negative)
        s.erase(0, 1);
    const size_t e = s.find('e');
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2); // drop the point
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= -12 && exponent <= 20) {
        if (exponent < 0) {
            out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        } else if (digits.size() <= static_cast<size_t>(exponent) + 1) {
            out += digits + std::string(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
        } else {
            out += digits.substr(0, static_cast<size_t>(exponent) + 1) + "." + digits.substr(static_cast<size_t>(exponent) + 1);
        }
        return out;
    }
    std::string mantissa = digits.substr(0, 1);
    if (digits.size() > 1)
        mantissa += "." + digits.substr(1);
    return "(" + out + mantissa + "*10^" + std::to_string(exponent) + ")";
}

namespace {

bool IsOperatorNode(const Node *n) { return n && (n->kind == BinaryOp || n->kind == Negate); }

void PrintOperand(const TreeHandle &handle, const Node *operand, bool parenthesise, std::string &out)
{
    if (parenthesise) {
        out += '(';
        PrintNode(handle, operand, out);
        out += ')';
    } else {
        PrintNode(handle, operand, out);
    }
}

bool ValidOperator(int32_t code) { return code >= 0 && code <= 5; }

// The operand of a unary minus must not start with "-" ("--x" does not read back), nor with a
// number raised to a power: "-2^x" reads as (-2)^x, because a minus before a number makes a
// negative literal.
bool OperandNeedsParentheses(const std::string &out, size_t start)
{
    if (start >= out.size())
        return false;
    if (out[start] == '-')
        return true;
    size_t p = start;
    while (p < out.size() && ((out[p] >= '0' && out[p] <= '9') || out[p] == '.'))
        ++p;
    return p > start && p < out.size() && out[p] == '^';
}

} // namespace

void PrintNode(const TreeHandle &handle, const Node *node, std::string &out)
{
    if (!node)
        return;
    switch (node->kind) {
    case Number: {
        // A zero prints as "0" whatever its sign: derivatives of negated constants fold to -0,
        // and "-0" would show a sign that means nothing.
        const double value = static_cast<double>(node->value);
        out += value == 0 ? "0" : FormatNumber(value);
        break;
    }
    case Variable:
        out += g_tables.vars[static_cast<size_t>(node->code)].name;
        break;
    case Parameter:
        out += handle.parameters[static_cast<size_t>(node->code)].name;
        break;
    case Call:
        out += g_tables.funs[static_cast<size_t>(node->code)].name;
        out += '(';
        PrintNode(handle, node->left, out);
        out += ')';
        break;
    case BinaryOp: {
        if (!ValidOperator(node->code))
            break;
        const int32_t p = node->code;
        const Node *l = node->left;
        const Node *r = node->right;
        PrintOperand(handle, l, IsOperatorNode(l) && ValidOperator(l->code) && LeftParenTable[p][l->code], out);
        out += OpSymbols[p];
        PrintOperand(handle, r, IsOperatorNode(r) && ValidOperator(r->code) && RightParenTable[p][r->code], out);
        break;
    }
    case Negate: {
        const Node *u = node->left;
        out += '-';
        if (IsOperatorNode(u) && ValidOperator(u->code) && RightParenTable[OpNeg][u->code]) {
            PrintOperand(handle, u, true, out);
            break;
        }
        const size_t start = out.size();
        PrintNode(handle, u, out);
        if (OperandNeedsParentheses(out, start)) {
            out.insert(start, 1, '(');
            out += ')';
        }
        break;
    }
    default:
        break;
    }
}

} // namespace trev
