#include "Parser.h"

#include "Evaluator.h"
#include "trevmath.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace trev {

const int8_t SuccessionTable[9][8] = {
    // Num (  )  Var Par Call Bin Neg
    {2, 2, 1, 2, 2, 2, 1, 0}, // Number
    {1, 1, 0, 1, 1, 1, 0, 1}, // (
    {2, 2, 1, 2, 2, 2, 1, 0}, // )
    {2, 2, 1, 2, 2, 2, 1, 0}, // Variable
    {2, 2, 1, 2, 2, 2, 1, 0}, // Parameter
    {0, 1, 0, 0, 0, 0, 0, 0}, // Call
    {1, 1, 0, 1, 1, 1, 0, 1}, // BinaryOp
    {1, 1, 0, 1, 1, 1, 0, 0}, // Negate
    {1, 1, 1, 1, 1, 1, 1, 1}, // start
};

const int8_t PrecedenceTable[6][6] = {
    // +  -  *  /  neg ^
    {1, 1, 0, 0, 0, 0}, // +
    {1, 1, 0, 0, 0, 0}, // -
    {1, 1, 1, 1, 0, 0}, // *
    {1, 1, 1, 1, 0, 0}, // /
    {1, 1, 0, 0, 1, 0}, // unary minus
    {1, 1, 1, 1, 1, 1}, // ^
};

namespace {

bool IsNumberChar(char c) { return IsDigit(c) || c == '.'; }

} // namespace

std::string LowerCase(const char *text)
{
    std::string lowered = text ? text : "";
    for (char &c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

std::string PrepareText(const char *text)
{
    std::string prepared = "(" + LowerCase(text) + ")";
    for (char &c : prepared)
        if (c == ',')
            c = '.';
    return prepared;
}

double ReadDecimal(const char *begin, const char *end)
{
    double value = 0;
    auto result = std::from_chars(begin, end, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the double range: atof's answer, an infinity or (for tiny values) zero. Only
        // the magnitude matters here, so the locale's decimal point cannot change it.
        return std::strtod(std::string(begin, end).c_str(), nullptr);
    }
    return result.ec == std::errc() ? value : 0.0;
}

int32_t NextToken(const std::string &text, Token &token, size_t &pos, bool &implied, const TreeHandle *parameters)
{
    implied = false;
    const size_t length = text.size();
    const int32_t previous = token.kind;
    const char c = text[pos];
    Token next;
    size_t end = pos + 1;

    if (IsNumberChar(c)) {
        end = pos;
        while (end < length && IsNumberChar(text[end]))
            ++end;
        next = Token{-1, Number, ReadDecimal(text.data() + pos, text.data() + end)};
    } else if (IsLetter(c)) {
        end = pos;
        while (end < length && (IsLetter(text[end]) || IsDigit(text[end])))
            ++end;
        int32_t index = -1;
        int32_t kind = ResolveName(text.substr(pos, end - pos), parameters, index);
        if (kind == Unresolved)
            return -1;
        next = Token{index, kind, 0};
    } else if (c == '(') {
        next = Token{-1, OpenParen, 0};
    } else if (c == ')') {
        next = Token{-1, CloseParen, 0};
    } else if (c == '+') {
        next = Token{OpAdd, BinaryOp, 0};
    } else if (c == '/') {
        next = Token{OpDiv, BinaryOp, 0};
    } else if (c == '^') {
        next = Token{OpPow, BinaryOp, 0};
    } else if (c == '*') {
        if (pos + 1 < length && text[pos + 1] == '*' && previous != BinaryOp) {
            next = Token{OpPow, BinaryOp, 0};
            end = pos + 2;
        } else {
            next = Token{OpMul, BinaryOp, 0};
        }
    } else if (c == '-') {
        if (previous == OpenParen || previous == BinaryOp) {
            size_t digits = pos + 1;
            while (digits < length && text[digits] == ' ')
                ++digits;
            if (digits < length && IsNumberChar(text[digits])) {
                // A negative number literal, whatever spaces stood after the sign.
                end = digits;
                while (end < length && IsNumberChar(text[end]))
                    ++end;
                next = Token{-1, Number, -static_cast<Real>(ReadDecimal(text.data() + digits, text.data() + end))};
            } else {
                next = Token{OpNeg, Negate, 0};
            }
        } else {
            next = Token{OpSub, BinaryOp, 0};
        }
    } else {
        return -3;
    }

    switch (SuccessionTable[previous][next.kind]) {
    case 0:
        return -(7 * previous + next.kind + 7);
    case 2:
        implied = true;
        break;
    default:
        break;
    }
    token = next;
    pos = end;
    while (pos < length && text[pos] == ' ')
        ++pos;
    return 0;
}

namespace {

struct PendingToken {
    Token token;
    int32_t position;
};

struct Operand {
    Node *node;
    int depth;
};

// Owns the nodes of a tree under construction until it is complete.
struct OperandStack {
    std::vector<Operand> items;
    ~OperandStack()
    {
        for (Operand &o : items)
            FreeNodes(o.node);
    }
    Operand pop()
    {
        Operand o = items.back();
        items.pop_back();
        return o;
    }
};

// Makes a node from an operator token and its operands; false when the tree would be too deep
// or (which the succession rules exclude) an operand is missing.
bool ApplyOperator(const Token &op, OperandStack &operands)
{
    const bool binary = op.kind == BinaryOp;
    if (operands.items.size() < (binary ? 2u : 1u))
        return false;
    Operand right{nullptr, 0};
    if (binary)
        right = operands.pop();
    Operand left = operands.pop();
    int depth = 1 + std::max(left.depth, right.depth);
    Node *node = NewNode(op.code, op.kind, op.value, left.node, right.node);
    operands.items.push_back(Operand{node, depth});
    return depth <= MaxTreeDepth;
}

} // namespace

int32_t ParseExpression(TreeHandle &handle, const char *text, int32_t &errpos)
{
    const std::string prepared = PrepareText(text);
    std::vector<PendingToken> tokens;
    Token token; // start state
    size_t pos = 0;
    int depth = 0;
    // A ")" of the caller's that closes the enclosing "(" before the end, as in "x)(x": the
    // rest would be read outside the expression and silently dropped, so such a text is
    // refused at that ")" (unless it fails for another reason first).
    int32_t strayClose = -1;
    while (pos < prepared.size()) {
        errpos = static_cast<int32_t>(pos);
        bool implied = false;
        int32_t code = NextToken(prepared, token, pos, implied, &handle);
        if (code != 0)
            return code;
        if (token.kind == OpenParen) {
            ++depth;
        } else if (token.kind == CloseParen) {
            if (--depth < 0)
                return -2;
            if (depth == 0 && pos < prepared.size() && strayClose < 0)
                strayClose = errpos;
        }
        if (implied)
            tokens.push_back(PendingToken{Token{OpMul, BinaryOp, 0}, errpos});
        tokens.push_back(PendingToken{token, errpos});
    }
    if (depth != 0)
        return -4;

    std::vector<Token> operators;
    OperandStack operands;
    for (const PendingToken &pending : tokens) {
        const Token &t = pending.token;
        bool ok = true;
        switch (t.kind) {
        case Call:
        case OpenParen:
        case Negate:
            operators.push_back(t);
            break;
        case Number:
        case Variable:
        case Parameter:
            operands.items.push_back(Operand{NewNode(t.code, t.kind, t.value), 1});
            break;
        case BinaryOp:
            while (ok && !operators.empty() && (operators.back().kind == BinaryOp || operators.back().kind == Negate) &&
                   PrecedenceTable[operators.back().code][t.code] == 1) {
                ok = ApplyOperator(operators.back(), operands);
                operators.pop_back();
            }
            operators.push_back(t);
            break;
        case CloseParen:
            while (ok && !operators.empty() && operators.back().kind != OpenParen) {
                ok = ApplyOperator(operators.back(), operands);
                operators.pop_back();
            }
            if (!operators.empty())
                operators.pop_back();
            if (ok && !operators.empty() && operators.back().kind == Call) {
                ok = ApplyOperator(operators.back(), operands);
                operators.pop_back();
            }
            break;
        default:
            break;
        }
        if (!ok) {
            errpos = pending.position;
            return TREVMATH_ERR_TOO_DEEP;
        }
    }
    if (operands.items.empty())
        return -16;
    if (strayClose >= 0) {
        errpos = strayClose;
        return -2;
    }
    handle.root = operands.pop().node;
    return 0;
}

namespace {

// Applies the operator on top of the stack to the values; returns an engine code.
int32_t ApplyConstOperator(std::vector<Token> &operators, std::vector<Real> &values)
{
    Token op = operators.back();
    operators.pop_back();
    const size_t needed = op.kind == BinaryOp ? 2 : 1;
    if (values.size() < needed)
        return -4; // excluded by the succession rules
    if (op.kind == Negate) {
        values.back() = -values.back();
        return 0;
    }
    if (op.kind == Call) {
        Real argument = values.back();
        values.pop_back();
        FunEntry &function = g_tables.funs[static_cast<size_t>(op.code)];
        Real result;
        if (function.userTree) {
            int32_t code = CallUserFunction(function, argument, result);
            if (code != 0)
                return code;
        } else {
            errno = 0;
            result = function.native(argument);
            if (ResultFailed(result, errno))
                return 101 + op.code;
        }
        values.push_back(result);
        return 0;
    }
    Real right = values.back();
    values.pop_back();
    Real left = values.back();
    values.pop_back();
    errno = 0;
    Real result;
    int32_t failure;
    switch (op.code) {
    case OpAdd: result = left + right; failure = 31; break;
    case OpSub: result = left - right; failure = 31; break;
    case OpMul: result = left * right; failure = 31; break;
    case OpDiv: result = left / right; failure = 32; break;
    default: result = powl(left, right); failure = 33; break;
    }
    if (ResultFailed(result, errno))
        return failure;
    values.push_back(result);
    return 0;
}

bool IsOperatorToken(const Token &t) { return t.kind == BinaryOp || t.kind == Negate; }

} // namespace

int32_t EvalConstText(const char *text, Real &value, int32_t &errpos)
{
    const std::string prepared = PrepareText(text);
    std::vector<Token> operators;
    std::vector<Real> values;
    Token token;
    size_t pos = 0;
    int depth = 0;
    int32_t strayClose = -1; // as in ParseExpression: "1)-(2" must not read as 2
    while (pos < prepared.size()) {
        errpos = static_cast<int32_t>(pos);
        bool implied = false;
        int32_t code = NextToken(prepared, token, pos, implied, nullptr);
        if (code != 0)
            return code;
        if (token.kind == Variable && token.code == VarX)
            return -3;
        if (implied) {
            while (!operators.empty() && IsOperatorToken(operators.back()) && operators.back().code >= OpMul)
                if ((code = ApplyConstOperator(operators, values)) != 0)
                    return code;
            operators.push_back(Token{OpMul, BinaryOp, 0});
        }
        switch (token.kind) {
        case OpenParen:
            ++depth;
            operators.push_back(token);
            break;
        case Call:
        case Negate:
            operators.push_back(token);
            break;
        case Number:
            values.push_back(token.value);
            break;
        case Variable:
            values.push_back(g_tables.vars[static_cast<size_t>(token.code)].value);
            break;
        case BinaryOp:
            while (!operators.empty() && IsOperatorToken(operators.back()) && operators.back().code >= token.code)
                if ((code = ApplyConstOperator(operators, values)) != 0)
                    return code;
            operators.push_back(token);
            break;
        case CloseParen:
            if (--depth < 0)
                return -4;
            if (depth == 0 && pos < prepared.size() && strayClose < 0)
                strayClose = errpos;
            while (!operators.empty() && operators.back().kind != OpenParen)
                if ((code = ApplyConstOperator(operators, values)) != 0)
                    return code;
            if (!operators.empty())
                operators.pop_back();
            if (!operators.empty() && operators.back().kind == Call)
                if ((code = ApplyConstOperator(operators, values)) != 0)
                    return code;
            break;
        default:
            break;
        }
    }
    if (depth != 0)
        return -4;
    if (values.empty())
        return -16;
    if (strayClose >= 0) {
        errpos = strayClose;
        return -4;
    }
    value = values.back();
    if (std::isinf(static_cast<double>(value)))
        return OverflowError; // a bare number beyond the double range
    return 0;
}

} // namespace trev
