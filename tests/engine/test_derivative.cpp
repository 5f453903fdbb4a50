// Symbolic derivatives and the one-pass simplifier: the printed shapes, every rule checked
// against a central difference, and the independence of a derivative from its input.
#include "Derivative.h"
#include "Evaluator.h"
#include "Handles.h"
#include "Parser.h"
#include "Printer.h"
#include "trevmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

using namespace trev;

namespace {

void EnsureEngine()
{
    if (g_tables.funs.empty())
        InitTrevolin();
}

class Derivative : public ::testing::Test {
protected:
    void SetUp() override { EnsureEngine(); }
};

struct DerivativeRow {
    const char *function;
    const char *parameters;
    const char *first;
    const char *second; // nullptr: not checked
};

TEST_F(Derivative, PrintedShapes)
{
    ASSERT_EQ(AddFun("derivuser", "x^2"), 0);
    const DerivativeRow rows[] = {
        {"x^2", "", "2*x", "2"},
        {"sin(x)", "", "cos(x)", "-sin(x)"},
        {"cos(x)", "", "-sin(x)", "-cos(x)"},
        {"x*sin(x)", "", "x*cos(x)+sin(x)", nullptr},
        {"exp(2*x)", "", "2*exp(2*x)", "4*exp(2*x)"},
        {"ln(x)", "", "1/x", "-1/x^2"},
        {"sqrt(x)", "", "0.5/sqrt(x)", nullptr},
        {"2^x", "", "2^x*ln(2)", nullptr},
        {"x^x", "", "x^x*(ln(x)+x/x)", nullptr},
        {"a*x^2", "a=3", "a*2*x", "2*a"},
        {"3*x", "", "3", "0"},
        {"x^3", "", "3*x^2", "6*x"},
        {"5", "", "0", nullptr},
        {"pi", "", "0", nullptr},
        {"a", "a=3", "0", nullptr},
        {"2+3", "", "0", nullptr},
        {"x", "", "1", "0"},
        {"-x", "", "-1", nullptr},
        // Constants at a singular point of their own derivative rule still differentiate to 0.
        {"x*asin(1)", "", "asin(1)", "0"},
        {"x+acos(1)", "", "1", "0"},
        {"x^2+acosh(1)", "", "2*x", "2"},
        {"x*sqrt(0)", "", "0", "0"},
        {"a*x", "a=3", "a", nullptr},
        {"x^a", "a=3", "a*x^(a-1)", nullptr},
        {"a^x", "a=3", "a^x*ln(a)", nullptr},
        {"x^pi", "", "pi*x^(pi-1)", nullptr},
        {"e^x", "", "e^x", nullptr},
        {"x^-1", "", "-x^-2", nullptr},
        {"x^(2+1)", "", "x^3*3/x", nullptr},
        {"(2*3)^x", "", "6^x*ln(6)", nullptr},
        {"sin(2*x)", "", "2*cos(2*x)", nullptr},
        {"sin(pi*x)", "", "cos(pi*x)*pi", nullptr},
        {"cos(2*x)", "", "-2*sin(2*x)", nullptr},
        {"x/2", "", "0.5", nullptr},
        {"log(x)", "", "1/(ln(10)*x)", nullptr},
        {"exp(x)", "", "exp(x)", nullptr},
        {"asin(x)", "", "1/sqrt(1-x^2)", nullptr},
        {"acos(x)", "", "-1/sqrt(1-x^2)", nullptr},
        {"tan(x)", "", "1/cos(x)^2", nullptr},
        {"tan(2*x)", "", "2/cos(2*x)^2", nullptr},
        {"atan(x)", "", "1/(1+x^2)", nullptr},
        {"sinh(x)", "", "cosh(x)", nullptr},
        {"asinh(x)", "", "1/sqrt(x^2+1)", nullptr},
        {"cosh(x)", "", "sinh(x)", nullptr},
        {"acosh(x)", "", "1/sqrt(x^2-1)", nullptr},
        {"tanh(x)", "", "1/cosh(x)^2", nullptr},
        {"atanh(x)", "", "1/(1-x^2)", nullptr},
        {"abs(x)", "", "sgn(x)", "0"},
        {"sgn(x)", "", "0", nullptr},
        {"derivuser(x)", "", "0", nullptr},
        {"x*derivuser(x)", "", "derivuser(x)", nullptr},
        // Negated constants differentiate to a negative zero, which prints without its sign.
        {"-atan(-2)", "", "0", "0"},
        {"-(x-a*x)", "a=2", "-(1-a)", "0"},
    };
    for (const DerivativeRow &row : rows) {
        SCOPED_TRACE(row.function);
        int32_t err = 99, errpos = 0;
        const TrevHandle f = CrTree(row.function, row.parameters, &err, &errpos);
        ASSERT_EQ(err, 0);
        const TrevHandle d1 = DerTree(f);
        const TrevHandle d2 = DerTree(d1);
        EXPECT_STREQ(StrTree(d1), row.first);
        if (row.second) {
            EXPECT_STREQ(StrTree(d2), row.second);
        }
        for (const TrevHandle h : {f, d1, d2})
            DelTree(h);
    }
}

struct SimplifyRow {
    const char *input;
    const char *simplified;
};

// The simplifier on parsed trees, one rule at a time (row order and the single pass included).
TEST_F(Derivative, SimplifierRules)
{
    ASSERT_EQ(AddFun("derivsimp", "x*0"), 0);
    const SimplifyRow rows[] = {
        {"2+3", "5"},       {"2-3", "-1"},         {"2*3", "6"},          {"6/4", "1.5"},
        {"0/0", "0"}, // a zero numerator wins even over a folded zero denominator
        {"2^10", "1024"},   {"1/0", "inf"},        {"x+0", "x"},          {"0+x", "x"},
        {"0+-x", "-x"},     {"x+-pi", "x-pi"},     {"x-0", "x"},          {"0-x", "-x"},
        {"x--pi", "x+pi"},  {"0--x", "-(-x)"},     {"x*2", "2*x"},        {"-1*x", "-x"},
        {"x*-1", "-x"},     {"0*x", "0"},          {"x*0", "0"},          {"1*x", "x"},
        {"x*1", "x"},       {"pi*1", "pi"},        {"x*(1/pi)", "x/pi"},  {"0*(1/x)", "0"},
        {"x*(2*x)", "x*2*x"}, {"2*(3*x)", "6*x"},  {"2*(3/x)", "6/x"},    {"2*(x*3)", "6*x"},
        {"x*2*3", "6*x"},   {"(0+x)*1", "x"},      {"0/(x+1)", "0"},      {"-2/-x", "2/x"},
        {"-2/x", "-2/x"},   {"x/1", "x/1"},        {"1^x", "1"},          {"x^0", "1"},
        {"x^1", "x"},       {"x^-1", "1/x"},       {"(x^2)^3", "x^6"},    {"(x^0.5)^4", "x^2"},
        {"-(-x)", "x"},     {"-(2)", "-2"},        {"-(-2*x)", "2*x"},    {"-(-2/x)", "2/x"},
        {"-(2*x)", "-2*x"}, {"sin(0)", "0"},       {"cos(0)", "1"},       {"sin(1)", "sin(1)"},
        {"ln(e)", "1"},     {"sin(pi)", "sin(pi)"}, {"cos(pi)", "-1"},    {"sin(x)", "sin(x)"},
        {"exp(0)", "1"},    {"ln(1)", "0"},        {"sqrt(4)", "sqrt(4)"}, {"abs(-1)", "1"},
        {"sgn(-5)", "-1"},  {"atan(1)", "atan(1)"}, {"derivsimp(0)", "derivsimp(0)"},
    };
    for (const SimplifyRow &row : rows) {
        SCOPED_TRACE(row.input);
        TreeHandle tree;
        int32_t errpos = 0;
        ASSERT_EQ(ParseExpression(tree, row.input, errpos), 0);
        SimplifyNode(tree, &tree.root);
        std::string printed;
        PrintNode(tree, tree.root, printed);
        EXPECT_EQ(printed, row.simplified);
    }
}

struct CheckRow {
    const char *function;
    const char *parameters;
    bool positiveOnly; // defined for x > 0 only
};

long double At(TrevHandle h, long double x)
{
    int32_t err = 0;
    const long double value = EvaluateAt(*g_handles.find(h), x, err);
    EXPECT_EQ(err, 0) << "x = " << static_cast<double>(x);
    return value;
}

// Wrong shapes can print plausibly; values cannot. Every rule, first and second derivative,
// against a central difference computed in extended precision: with h = 1e-6 (1+|x|) the
// truncation error is about 2e-13 |f'''| and the rounding error about 1e-13 |f|, so 1e-8
// relative leaves a wide margin while any wrong shape misses by orders of magnitude.
TEST_F(Derivative, EveryRuleAgreesWithACentralDifference)
{
    const CheckRow rows[] = {
        {"ln(x^2+1)", "", false},     {"log(3*x+4)", "", false},   {"exp(sin(x))", "", false},
        {"sin(x^2)", "", false},      {"asin(0.3*x)", "", false},  {"cos(x^2)", "", false},
        {"acos(0.3*x)", "", false},   {"tan(0.5*x)", "", false},   {"atan(x^2)", "", false},
        {"sinh(0.5*x)", "", false},   {"asinh(x^2)", "", false},   {"cosh(0.5*x)", "", false},
        {"acosh(x^2+1.5)", "", false}, {"tanh(0.5*x)", "", false}, {"atanh(0.3*x)", "", false},
        {"abs(x^3-1)", "", false},    {"sgn(x-5)*x", "", false},   {"sqrt(x^2+1)", "", false},
        {"x^3", "", false},           {"(x^2+1)^3", "", false},    {"x^a", "a=2.5", true},
        {"(x+3)^pi", "", false},      {"x^x", "", true},           {"(x+2)^(x/3)", "", false},
        {"2^x", "", false},           {"a^(x^2)", "a=1.7", false}, {"pi^sin(x)", "", false},
        {"(2*3)^(x/4)", "", false},   {"x^2+sin(x)", "", false},   {"x^2-sin(x)", "", false},
        {"x*sin(x)", "", false},      {"sin(x)/(x^2+1)", "", false}, {"-exp(x)", "", false},
        {"-(x^2)*3", "", false},      {"(x+1)/(x-3)", "", false},  {"a*x^2-b/x", "a=2; b=3", true},
    };
    for (const CheckRow &row : rows) {
        SCOPED_TRACE(row.function);
        int32_t err = 99, errpos = 0;
        const TrevHandle f = CrTree(row.function, row.parameters, &err, &errpos);
        ASSERT_EQ(err, 0);
        const TrevHandle d1 = DerTree(f);
        const TrevHandle d2 = DerTree(d1);
        const std::vector<long double> points = row.positiveOnly ? std::vector<long double>{0.4L, 1.1L, 2.3L}
                                                                 : std::vector<long double>{-1.3L, -0.4L, 0.6L, 1.7L};
        for (const long double x : points) {
            const long double h = 1e-6L * (1 + fabsl(x));
            const long double up = x + h, down = x - h;
            const std::pair<TrevHandle, TrevHandle> levels[] = {{f, d1}, {d1, d2}};
            for (const auto &[function, derivative] : levels) {
                const long double expected = (At(function, up) - At(function, down)) / (up - down);
                const long double actual = At(derivative, x);
                EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(expected),
                            1e-8 * std::fmax(1.0, std::fabs(static_cast<double>(expected))))
                    << "x = " << static_cast<double>(x) << (derivative == d1 ? ", first" : ", second") << " derivative "
                    << StrTree(derivative);
            }
        }
        for (const TrevHandle h : {f, d1, d2})
            DelTree(h);
    }
}

void CollectNodes(const Node *node, std::set<const Node *> &nodes)
{
    if (!node)
        return;
    nodes.insert(node);
    CollectNodes(node->left, nodes);
    CollectNodes(node->right, nodes);
}

TEST_F(Derivative, DerivativeIsIndependentOfItsInput)
{
    int32_t err = 0, errpos = 0;
    const TrevHandle f = CrTree("a*sin(x)+x^2*exp(x)", "a=2", &err, &errpos);
    ASSERT_EQ(err, 0);
    const TrevHandle d = DerTree(f);
    std::set<const Node *> inputNodes, resultNodes;
    CollectNodes(g_handles.find(f)->root, inputNodes);
    CollectNodes(g_handles.find(d)->root, resultNodes);
    for (const Node *n : resultNodes)
        EXPECT_EQ(inputNodes.count(n), 0u) << "a node is shared with the input";

    EXPECT_EQ(EditParameters(f, "a=5"), 0);
    EXPECT_STREQ(ShowParameters(d), "a=2; ");
    EXPECT_EQ(EvalTree(d, 0, &err), 2.0);
    DelTree(f); // input first
    EXPECT_EQ(EvalTree(d, 0, &err), 2.0);
    EXPECT_EQ(err, 0);
    const std::string printed = StrTree(d);
    const TrevHandle second = DerTree(d);
    EXPECT_NEAR(EvalTree(second, 0, &err), 2.0, 1e-15); // -a*sin(0) + 2*exp(0)
    DelTree(second);

    const TrevHandle g = CrTree("a*x^3", "a=2", &err, &errpos);
    const TrevHandle dg = DerTree(g);
    DelTree(dg); // derivative first
    EXPECT_STREQ(StrTree(g), "a*x^3");
    EXPECT_EQ(EvalTree(g, 2, &err), 16.0);
    DelTree(g);
    DelTree(d);

    const TrevHandle failed = CrTree2("sin(", &err, &errpos);
    const TrevHandle derivedFromFailed = DerTree(failed);
    EXPECT_NE(derivedFromFailed, 0u);
    EXPECT_STREQ(StrTree(derivedFromFailed), "");
    DelTree(failed);
    DelTree(derivedFromFailed);
}

// A product of n factors has a second derivative of about n^3/6 nodes: long products must be
// refused with a code rather than exhaust the memory, and ordinary sizes must still pass.
TEST_F(Derivative, OversizedDerivativesAreRefusedWithACode)
{
    struct Row {
        const char *name;
        int factors;
        bool firstBuilt;
        bool secondBuilt;
    } rows[] = {
        {"30 factors: both derivatives built", 30, true, true},
        {"200 factors: second derivative too large", 200, true, false},
        {"1000 factors: first derivative too large", 1000, false, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        std::string text = "x";
        for (int i = 1; i < row.factors; ++i)
            text += "*x";
        int32_t err = 0, errpos = 0;
        const TrevHandle f = CrTree2(text.c_str(), &err, &errpos);
        ASSERT_EQ(err, 0);
        const TrevHandle d1 = DerTree(f);
        const TrevHandle d2 = DerTree(d1);
        const double slope = EvalTree(d1, 1, &err);
        if (row.firstBuilt) {
            EXPECT_EQ(err, 0);
            EXPECT_EQ(slope, row.factors); // d/dx x^n at 1
        } else {
            EXPECT_EQ(err, TREVMATH_ERR_TOO_DEEP);
            EXPECT_STREQ(StrTree(d1), "");
        }
        const double curvature = EvalTree(d2, 1, &err);
        if (row.secondBuilt) {
            EXPECT_EQ(err, 0);
            EXPECT_EQ(curvature, row.factors * (row.factors - 1.0));
        } else {
            EXPECT_EQ(err, TREVMATH_ERR_TOO_DEEP);
        }
        int32_t rootErr = 0;
        FindRoot(d1, d2, -1, 1, &rootErr);
        EXPECT_EQ(rootErr == TREVMATH_ERR_TOO_DEEP, !row.secondBuilt || !row.firstBuilt);
        DelTree(d2);
        DelTree(d1);
        DelTree(f);
    }
}

} // namespace
