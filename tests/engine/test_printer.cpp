// Printing trees: the fewest parentheses that keep the parser's reading, numbers that read back,
// and round trips of random numbers and random expressions through print and parse.
#include "Handles.h"
#include "Printer.h"
#include "trevmath.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

using namespace trev;

namespace {

void EnsureEngine()
{
    if (g_tables.funs.empty())
        InitTrevolin();
}

class Printer : public ::testing::Test {
protected:
    void SetUp() override { EnsureEngine(); }
};

// A tree that is a single number, as the parser could not produce for most doubles.
TrevHandle NumberTree(double value)
{
    auto tree = std::make_unique<TreeHandle>();
    tree->root = NewNumber(value);
    return g_handles.add(std::move(tree));
}

std::string Print(const char *text, const char *parameters)
{
    int32_t err = 99, errpos = 0;
    const TrevHandle h = CrTree(text, parameters, &err, &errpos);
    EXPECT_EQ(err, 0) << "does not parse: " << text;
    const std::string printed = StrTree(h);
    DelTree(h);
    return printed;
}

double Value(const char *text, const char *parameters, double x, int32_t &err)
{
    int32_t errpos = 0;
    const TrevHandle h = CrTree(text, parameters, &err, &errpos);
    const double value = err == 0 ? EvalTree(h, x, &err) : 0;
    DelTree(h);
    return value;
}

struct PrintRow {
    const char *input;
    const char *printed;
};

// Every operator with every kind of operator operand, on both sides, and under a unary minus.
// The expected texts drop exactly the parentheses the parser does not need.
TEST_F(Printer, FewestParenthesesForEveryOperatorPair)
{
    const PrintRow rows[] = {
        {"(a+b)+c", "a+b+c"},     {"(a-b)+c", "a-b+c"},     {"(a*b)+c", "a*b+c"},     {"(a/b)+c", "a/b+c"},
        {"(-a)+c", "-a+c"},       {"(a^b)+c", "a^b+c"},     {"(a+b)-c", "a+b-c"},     {"(a-b)-c", "a-b-c"},
        {"(a*b)-c", "a*b-c"},     {"(a/b)-c", "a/b-c"},     {"(-a)-c", "-a-c"},       {"(a^b)-c", "a^b-c"},
        {"(a+b)*c", "(a+b)*c"},   {"(a-b)*c", "(a-b)*c"},   {"(a*b)*c", "a*b*c"},     {"(a/b)*c", "a/b*c"},
        {"(-a)*c", "-a*c"},       {"(a^b)*c", "a^b*c"},     {"(a+b)/c", "(a+b)/c"},   {"(a-b)/c", "(a-b)/c"},
        {"(a*b)/c", "a*b/c"},     {"(a/b)/c", "a/b/c"},     {"(-a)/c", "-a/c"},       {"(a^b)/c", "a^b/c"},
        {"(a+b)^c", "(a+b)^c"},   {"(a-b)^c", "(a-b)^c"},   {"(a*b)^c", "(a*b)^c"},   {"(a/b)^c", "(a/b)^c"},
        {"(-a)^c", "(-a)^c"},     {"(a^b)^c", "a^b^c"},     {"c+(a+b)", "c+a+b"},     {"c+(a-b)", "c+a-b"},
        {"c+(a*b)", "c+a*b"},     {"c+(a/b)", "c+a/b"},     {"c+(-a)", "c+-a"},       {"c+(a^b)", "c+a^b"},
        {"c-(a+b)", "c-(a+b)"},   {"c-(a-b)", "c-(a-b)"},   {"c-(a*b)", "c-a*b"},     {"c-(a/b)", "c-a/b"},
        {"c-(-a)", "c-(-a)"},     {"c-(a^b)", "c-a^b"},     {"c*(a+b)", "c*(a+b)"},   {"c*(a-b)", "c*(a-b)"},
        {"c*(a*b)", "c*a*b"},     {"c*(a/b)", "c*a/b"},     {"c*(-a)", "c*(-a)"},     {"c*(a^b)", "c*a^b"},
        {"c/(a+b)", "c/(a+b)"},   {"c/(a-b)", "c/(a-b)"},   {"c/(a*b)", "c/(a*b)"},   {"c/(a/b)", "c/(a/b)"},
        {"c/(-a)", "c/(-a)"},     {"c/(a^b)", "c/a^b"},     {"c^(a+b)", "c^(a+b)"},   {"c^(a-b)", "c^(a-b)"},
        {"c^(a*b)", "c^(a*b)"},   {"c^(a/b)", "c^(a/b)"},   {"c^(-a)", "c^(-a)"},     {"c^(a^b)", "c^(a^b)"},
        {"-(a+b)", "-(a+b)"},     {"-(a-b)", "-(a-b)"},     {"-(a*b)", "-a*b"},       {"-(a/b)", "-a/b"},
        {"-(-a)", "-(-a)"},       {"-(a^b)", "-a^b"},
    };
    const char *parameters = "a=2; b=3; c=5";
    for (const PrintRow &row : rows) {
        SCOPED_TRACE(row.input);
        const std::string printed = Print(row.input, parameters);
        EXPECT_EQ(printed, row.printed);
        int32_t err1 = 0, err2 = 0;
        const double original = Value(row.input, parameters, 0, err1);
        const double reparsed = Value(printed.c_str(), parameters, 0, err2);
        ASSERT_EQ(err2, 0) << printed;
        // Regrouping a sum or product may move the last bit; a wrong reading changes far more.
        EXPECT_NEAR(reparsed, original, 1e-15 * std::fabs(original));
        EXPECT_EQ(Print(printed.c_str(), parameters), printed) << "printing is stable";
    }
}

// Examples, and the texts where a unary minus must keep its parentheses to read back: before
// a text that starts with "-" ("--x" does not parse) or with "<number>^" ("-2^x" is (-2)^x).
TEST_F(Printer, ExamplesAndUnaryMinusOperandsThatNeedParentheses)
{
    const PrintRow rows[] = {
        {"(x+1)*2", "(x+1)*2"}, {"x-(y-z)", "x-(y-z)"}, {"x/(y*z)", "x/(y*z)"}, {"(x^2)^3", "x^2^3"},
        {"x^(2^3)", "x^(2^3)"}, {"-(x*y)", "-x*y"}, {"(-x)^2", "(-x)^2"}, {"-(x+1)", "-(x+1)"}, {"x*-2", "x*-2"},
        {"sin(2*x)", "sin(2*x)"}, {"y", "y"}, {"x-(-2)", "x--2"}, {"x+-y", "x+-y"}, {"(-2)^x", "-2^x"},
        {"x*((-2)^y)", "x*-2^y"}, {"-(-2)", "-(-2)"}, {"-(2^x)", "-(2^x)"}, {"-(2.5^x)", "-(2.5^x)"},
        {"-((-2)^x)", "-(-2^x)"}, {"-(-2*x)", "-(-2*x)"}, {"-(2^x*3)", "-(2^x*3)"}, {"-(2*x)", "-2*x"},
        {"-(x^2)", "-x^2"}, {"-(0.000000000000000000000000000001)", "-(1*10^-30)"},
        {"(0.000000000000000000001)^x", "(1*10^-21)^x"},
    };
    const char *parameters = "y=3; z=5";
    for (const PrintRow &row : rows) {
        SCOPED_TRACE(row.input);
        const std::string printed = Print(row.input, parameters);
        EXPECT_EQ(printed, row.printed);
        for (const double x : {-1.5, 0.5, 2.0}) {
            int32_t err1 = 0, err2 = 0;
            const double original = Value(row.input, parameters, x, err1);
            const double reparsed = Value(printed.c_str(), parameters, x, err2);
            EXPECT_EQ(err1, err2);
            if (err1 == 0) {
                EXPECT_NEAR(reparsed, original, 1e-15 * std::fabs(original)) << "x = " << x;
            }
        }
    }
}

TEST_F(Printer, NumberTexts)
{
    const struct {
        double value;
        const char *text;
    } rows[] = {
        {2.5, "2.5"}, {1.0 / 3, "0.3333333333"}, {-2, "-2"}, {0, "0"}, {-0.0, "0"}, {0.1, "0.1"},
        {1234567890, "1234567890"},
        {123456.7890123, "123456.789"}, {0.000123456789012, "0.000123456789"}, {12345678901, "12345678900"},
        {9999999999.5, "10000000000"}, {0.00001, "0.00001"}, {2.5e-5, "0.000025"},
        {1.23456789012e-5, "0.0000123456789"}, {1.5e-12, "0.0000000000015"}, {1.5e-13, "(1.5*10^-13)"},
        {1e-20, "(1*10^-20)"}, {-1.5e-20, "(-1.5*10^-20)"}, {1.5e20, "150000000000000000000"},
        {9.99999999999e20, "(1*10^21)"}, {-1e300, "(-1*10^300)"}, {DBL_MAX, "(1.797693135*10^308)"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        const TrevHandle h = NumberTree(row.value);
        EXPECT_STREQ(StrTree(h), row.text);
        DelTree(h);
    }
    // Each text stays valid until the next call of the same operation.
    int32_t err = 0, errpos = 0;
    const TrevHandle tree = CrTree("a*x", "a=2", &err, &errpos);
    const char *expression = StrTree(tree);
    const char *parameters = ShowParameters(tree);
    EXPECT_STREQ(expression, "a*x");
    EXPECT_STREQ(parameters, "a=2; ");
    DelTree(tree);
}

// The double nearest to value rounded to ten significant digits.
double TenDigits(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.9e", value);
    return std::strtod(text, nullptr);
}

// Every printed number reads back, through the expression parser and through the parameter
// syntax, to the value rounded to ten significant digits.
TEST_F(Printer, RandomNumbersReadBack)
{
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> exponent(-300, 300), mantissa(1, 10);
    for (int i = 0; i < 4000; ++i) {
        const double value = (i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, std::floor(exponent(random)));
        const double expected = TenDigits(value);
        SCOPED_TRACE(value);

        const TrevHandle number = NumberTree(value);
        const std::string printed = StrTree(number);
        int32_t err = 99;
        const double parsed = Value(printed.c_str(), "", 0, err);
        ASSERT_EQ(err, 0) << printed;
        // (m*10^e) forms are computed in extended precision and rounded once: within 2 ulps.
        EXPECT_NEAR(parsed, expected, 4.5e-16 * std::fabs(expected)) << printed;

        TreeHandle *tree = g_handles.find(number);
        tree->parameters.push_back(ParamEntry{0, "a", value});
        tree->parameterIndex["a"] = 0;
        const std::string list = ShowParameters(number);
        const double fromList = Value("a", list.c_str(), 0, err);
        ASSERT_EQ(err, 0) << list;
        EXPECT_NEAR(fromList, expected, 4.5e-16 * std::fabs(expected)) << list;
        DelTree(number);
    }
}

// Random texts from a small grammar: every operator, unary minus, negative literals, calls,
// parameters, and numbers of at most ten significant digits in every printed form, written the
// way the printer writes them, so that printing changes no number and only the grouping of the
// text can change a value.
class RandomText {
public:
    explicit RandomText(unsigned seed) : m_random(seed) {}

    std::string number()
    {
        std::string text = std::to_string(pick(1, 999));
        switch (pick(0, 4)) {
        case 0: break;
        case 1: text = std::to_string(pick(0, 99)) + "." + std::to_string(pick(0, 9999)); break;
        case 2: text = "0." + std::string(static_cast<size_t>(pick(3, 9)), '0') + text; break;
        case 3: text += std::string(static_cast<size_t>(pick(10, 18)), '0'); break;
        default:
            text = "(" + std::to_string(pick(1, 9)) + "." + std::to_string(pick(1, 99)) + "*10^" +
                   std::to_string(pick(0, 1) ? pick(21, 300) : -pick(13, 300)) + ")";
            break;
        }
        return pick(0, 3) == 0 ? "-" + text : text;
    }

    std::string expression(int depth)
    {
        static const char *const leaves[] = {"x", "a", "b", "pi"};
        static const char *const functions[] = {"sin", "cos", "atan", "exp", "abs", "sqrt", "ln", "tanh"};
        static const char *const operators[] = {"+", "-", "*", "/", "^"};
        if (depth == 0 || pick(0, 3) == 0)
            return pick(0, 2) == 0 ? number() : leaves[pick(0, 3)];
        switch (pick(0, 5)) {
        case 0: {
            std::string operand = expression(depth - 1);
            return operand[0] == '-' || pick(0, 1) ? "-(" + operand + ")" : "-" + operand;
        }
        case 1: return std::string(functions[pick(0, 7)]) + "(" + expression(depth - 1) + ")";
        default: {
            const std::string left = maybeParenthesised(expression(depth - 1));
            return left + operators[pick(0, 4)] + maybeParenthesised(expression(depth - 1));
        }
        }
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    std::string maybeParenthesised(const std::string &text) { return pick(0, 2) ? "(" + text + ")" : text; }
    std::mt19937 m_random;
};

TEST_F(Printer, RandomTreesPrintAndReadBackToTheSameFunction)
{
    RandomText generator(7);
    int compared = 0;
    for (int i = 0; i < 1500; ++i) {
        const std::string text = generator.expression(5);
        const std::string parameters = "a=" + generator.number() + "; b=" + generator.number();
        SCOPED_TRACE(text + "   with " + parameters);
        int32_t err = 99, errpos = 0;
        const TrevHandle original = CrTree(text.c_str(), parameters.c_str(), &err, &errpos);
        ASSERT_EQ(err, 0);
        const std::string printed = StrTree(original);
        const std::string printedParameters = ShowParameters(original);
        const TrevHandle reparsed = CrTree(printed.c_str(), printedParameters.c_str(), &err, &errpos);
        ASSERT_EQ(err, 0) << printed << "   with " << printedParameters;
        for (const double x : {-2.3, -0.4, 0.7, 1.9, 3.1}) {
            int32_t err1 = 0, err2 = 0;
            const double v1 = EvalTree(original, x, &err1);
            const double v2 = EvalTree(reparsed, x, &err2);
            if (err1 != 0 || err2 != 0)
                continue;
            // The numbers are the same; regrouping c*(a/b) as c*a/b moves the last bits of an
            // extended result, which 1e-9 absorbs even after strong amplification.
            EXPECT_NEAR(v2, v1, 1e-9 * std::fmax(std::fabs(v1), DBL_MIN)) << printed << " at x = " << x;
            ++compared;
        }
        DelTree(original);
        DelTree(reparsed);
    }
    EXPECT_GT(compared, 2500);
}

} // namespace
