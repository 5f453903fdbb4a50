// Tokenizer and successions: how a text is cut into tokens, which neighbours are refused with
// which code, and where the caret (errpos) lands for every kind of failure.
#include "Parser.h"
#include "trevmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace trev;

namespace {

// The tables are process-wide: initialise once, whichever test of the binary runs first.
void EnsureEngine()
{
    if (g_tables.funs.empty())
        InitTrevolin();
}

class Tokenizer : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureEngine();
        m_parameters.parameters.push_back(ParamEntry{0, "a", 2});
        m_parameters.parameterIndex["a"] = 0;
        m_parameters.parameters.push_back(ParamEntry{1, "e", 5});
        m_parameters.parameterIndex["e"] = 1;
    }
    TreeHandle m_parameters; // parameters "a" and "e" (the latter always hidden by the constant)
};

// Tokens of a text, space separated: numbers as %g, names as stored, operators by symbol,
// "neg" for a unary minus; "&" stands for an implied multiplication before the next token.
// A failure yields "error <code> at <errpos>".
std::string Lex(const char *text, const TreeHandle *parameters)
{
    const std::string prepared = PrepareText(text);
    Token token;
    size_t pos = 0;
    std::string out;
    while (pos < prepared.size()) {
        const size_t start = pos;
        bool implied = false;
        const int32_t code = NextToken(prepared, token, pos, implied, parameters);
        if (code != 0)
            return "error " + std::to_string(code) + " at " + std::to_string(start);
        if (!out.empty())
            out += ' ';
        if (implied)
            out += "& ";
        char number[32];
        switch (token.kind) {
        case Number: std::snprintf(number, sizeof number, "%g", static_cast<double>(token.value)); out += number; break;
        case OpenParen: out += '('; break;
        case CloseParen: out += ')'; break;
        case Variable: out += g_tables.vars[static_cast<size_t>(token.code)].name; break;
        case Parameter: out += "param:" + parameters->parameters[static_cast<size_t>(token.code)].name; break;
        case Call: out += g_tables.funs[static_cast<size_t>(token.code)].name; break;
        case BinaryOp: out += OpSymbols[token.code]; break;
        case Negate: out += "neg"; break;
        default: out += '?'; break;
        }
    }
    return out;
}

struct LexRow {
    const char *name;
    const char *text;
    const char *tokens;
};

TEST_F(Tokenizer, CutsTextIntoTokens)
{
    const LexRow rows[] = {
        {"two stars are one power operator", "2**3", "( 2 ^ 3 )"},
        {"power pair followed by a negative literal", "2**-3", "( 2 ^ -3 )"},
        {"minus after the opening parenthesis starts a literal", "- 2", "( -2 )"},
        {"literal keeps any spaces after the sign", "2*-   3", "( 2 * -3 )"},
        {"literal after a power", "2^-2", "( 2 ^ -2 )"},
        {"literal made of a point and digits", "(-.5)", "( ( -0.5 ) )"},
        {"minus after a number is binary", "2 - 3", "( 2 - 3 )"},
        {"minus after a closing parenthesis is binary", "(x)-2", "( ( x ) - 2 )"},
        {"minus before a name is a unary minus", "-x", "( neg x )"},
        {"minus before a parenthesis is a unary minus", "2*-(x)", "( 2 * neg ( x ) )"},
        {"minus after a call's parenthesis", "sin(-x)", "( sin ( neg x ) )"},
        {"number then name", "2x", "( 2 & x )"},
        {"number then number", "2 3", "( 2 & 3 )"},
        {"number then parenthesis", "2(x+1)", "( 2 & ( x + 1 ) )"},
        {"parenthesis then parenthesis", "(x)(x)", "( ( x ) & ( x ) )"},
        {"name then call", "x sin(x)", "( x & sin ( x ) )"},
        {"number then constant", "2pi", "( 2 & pi )"},
        {"e is the constant, so 2e is two times e", "2e", "( 2 & e )"},
        {"parameter then variable", "a x", "( param:a & x )"},
        {"name then parenthesis", "a(x)", "( param:a & ( x ) )"},
        {"upper case is read as lower case", "SIN(X)", "( sin ( x ) )"},
        {"decimal comma", "2,5x", "( 2.5 & x )"},
        {"second point ends the number's value", "1.2.3", "( 1.2 )"},
        {"lone point reads 0", ".", "( 0 )"},
        {"trailing point", "5.", "( 5 )"},
        {"spaces are skipped everywhere", "  res  +  1  ", "( res + 1 )"},
        {"global variables win over parameters", "e", "( e )"},
    };
    for (const LexRow &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Lex(row.text, &m_parameters), row.tokens) << "text: " << row.text;
    }
}

struct FailureRow {
    const char *name;
    const char *text;
    bool withParameter; // parsed with CrTree and "a=1"
    int32_t code;
    int32_t errpos; // index into "(" + text + ")"
};

// Every succession code that can occur, and the other parse failures with their caret.
TEST_F(Tokenizer, RefusesTextsWithCodeAndPosition)
{
    const FailureRow rows[] = {
        {"empty text", "", false, -16, 1},
        {"text of spaces", "   ", false, -16, 4},
        {"empty parentheses", "x*()", false, -16, 4},
        {"operator after opening parenthesis", "*2", false, -20, 1},
        {"plus after opening parenthesis", "(+x)", false, -20, 2},
        {"function followed by number", "sin 2", false, -42, 5},
        {"function at the end", "sin", false, -44, 4},
        {"function followed by variable", "sin x", false, -45, 5},
        {"function followed by parameter", "sin a", true, -46, 5},
        {"function followed by function", "sin cos(x)", false, -47, 5},
        {"function followed by operator", "sin^2(x)", false, -48, 4},
        {"function followed by minus", "sin-1", false, -48, 4},
        {"closing parenthesis after operator", "x+", false, -51, 3},
        {"operator after operator", "x+*2", false, -55, 3},
        {"spaced stars are two multiplications", "2* *3", false, -55, 4},
        {"three stars", "2***3", false, -55, 4},
        {"closing parenthesis after unary minus", "-", false, -58, 2},
        {"double minus", "--x", false, -62, 2},
        {"operator after unary minus", "-*x", false, -62, 2},
        {"unknown name", "x+foo", false, -1, 3},
        {"parameter unknown to CrTree2", "a+1", false, -1, 1},
        {"names never split: x2", "x2", false, -1, 1},
        {"names never split: pi2", "pi2", false, -1, 1},
        {"names never split: xsin", "xsin(x)", false, -1, 1},
        {"no exponent syntax: 1e5 is 1 then e5", "1e5", false, -1, 2},
        {"surplus closing parenthesis", "x)", false, -2, 3},
        // A ")" that closes the whole expression early would drop what follows it.
        {"stray ) balanced later by (", "x)(x", false, -2, 2},
        {"stray ) before a function", "x)sin(x", false, -2, 2},
        {"earlier failure wins over a stray )", "x)(y", false, -1, 4},
        {"first surplus parenthesis is reported", "x))+1", false, -2, 3},
        {"underscore", "x_1", false, -3, 2},
        {"equals sign", "x=1", false, -3, 2},
        {"tab is not a space", "x\t+1", false, -3, 2},
        {"non-ASCII letter", "\xc3\xa9", false, -3, 1},
        {"bad character before a later unknown name", "2#foo", false, -3, 2},
        {"unclosed call: caret at the end", "sin(x", false, -4, 6},
        {"two unclosed parentheses", "((x", false, -4, 4},
    };
    for (const FailureRow &row : rows) {
        SCOPED_TRACE(row.name);
        int32_t err = 99, errpos = 99;
        const TrevHandle h =
            row.withParameter ? CrTree(row.text, "a=1", &err, &errpos) : CrTree2(row.text, &err, &errpos);
        EXPECT_NE(h, 0u);
        EXPECT_EQ(err, row.code) << "text: " << row.text;
        EXPECT_EQ(errpos, row.errpos) << "text: " << row.text;
        DelTree(h);
    }
}

struct ValueRow {
    const char *name;
    const char *text;
    double x;
    double expected;
};

// Negative literals bind tighter than any operator; implied multiplication has the rank of "*".
TEST_F(Tokenizer, NegativeLiteralsAndImpliedMultiplicationValues)
{
    const ValueRow rows[] = {
        {"literal with a space", "- 2", 0, -2},
        {"literal squared", "-2^2", 0, 4},
        {"unary minus of a square", "-x^2", 2, -4},
        {"negative exponent", "2^-2", 0, 0.25},
        {"times a literal", "2*-3", 0, -6},
        {"minus a literal", "2--3", 0, 5},
        {"implied times a variable", "2x", 3, 6},
        {"implied before a parenthesis", "2(x+1)", 3, 8},
        {"implied between parentheses", "(x+1)(x-1)", 3, 8},
        {"implied before a call", "x sin(x)", 2, 2 * std::sin(2.0)},
        {"two numbers", "2 3", 0, 6},
        {"number and pi", "2pi", 0, 2 * 3.141592653589793},
        {"1/2x is (1/2)x", "1/2x", 3, 1.5},
        {"1/2cosh(2x) is (1/2)cosh(2x)", "1/2cosh(2x)", 0.5, std::cosh(1.0) / 2},
        {"implied binds looser than power", "2^3x", 2, 16},
        {"power before implied", "2x^2", 3, 18},
        {"decimal comma", "2,5x", 2, 5},
        {"upper case", "SIN(X)", 1, std::sin(1.0)},
    };
    for (const ValueRow &row : rows) {
        SCOPED_TRACE(row.name);
        int32_t err = 99, errpos = 0;
        const TrevHandle h = CrTree2(row.text, &err, &errpos);
        ASSERT_EQ(err, 0) << "text: " << row.text;
        // A wrong reading differs by far more than the one rounding the 1e-15 leaves room for.
        EXPECT_NEAR(EvalTree(h, row.x, &err), row.expected, 1e-15 * std::fabs(row.expected)) << "text: " << row.text;
        EXPECT_EQ(err, 0);
        DelTree(h);
    }
    // "5(1-10x)^a-b" is 5*((1-10x)^a) - b.
    int32_t err = 0, errpos = 0;
    const TrevHandle h = CrTree("5(1-10x)^a-b", "a=2; b=3", &err, &errpos);
    ASSERT_EQ(err, 0);
    EXPECT_EQ(EvalTree(h, 0.5, &err), 77.0);
    DelTree(h);
}

} // namespace
