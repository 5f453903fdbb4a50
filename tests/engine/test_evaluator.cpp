// The evaluator: error codes, first error wins, left before right, the shared x, handles that are
// not (or no longer) trees, and results equal to the same formula computed directly in long double.
#include "Evaluator.h"
#include "Handles.h"
#include "trevmath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <thread>
#include <vector>

using namespace trev;

namespace {

void EnsureEngine()
{
    if (g_tables.funs.empty())
        InitTrevolin();
}

class Evaluator : public ::testing::Test {
protected:
    void SetUp() override { EnsureEngine(); }
};

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Parses (asserting success), evaluates once at x, releases.
double Eval(const char *text, double x, int32_t &err)
{
    int32_t errpos = 0;
    const TrevHandle h = CrTree2(text, &err, &errpos);
    EXPECT_EQ(err, 0) << "does not parse: " << text;
    const double value = EvalTree(h, x, &err);
    DelTree(h);
    return value;
}

enum class Expect { Anything, Exactly, NotANumber };

struct CodeRow {
    const char *name;
    const char *text;
    double x;
    int32_t code;
    Expect kind;
    double value; // for Exactly; infinities included
};

TEST_F(Evaluator, ErrorCodesAndTheValuesReturnedWithThem)
{
    const CodeRow rows[] = {
        {"sum beyond the double range", "10^308+10^308", 0, 31, Expect::Exactly, Inf},
        {"difference beyond the double range", "0-10^308-10^308", 0, 31, Expect::Exactly, -Inf},
        {"product finite only in extended precision", "exp(700)*exp(700)", 0, 31, Expect::Exactly, Inf},
        {"sum with an infinite x", "x+1", Inf, 31, Expect::Exactly, Inf},
        {"division by zero returns an infinity", "1/0", 0, 32, Expect::Exactly, Inf},
        {"negative number over zero", "-1/0", 0, 32, Expect::Exactly, -Inf},
        {"zero over zero", "0/0", 0, 32, Expect::NotANumber, 0},
        {"quotient finite only in extended precision", "1/10^-400", 0, 32, Expect::Exactly, Inf},
        {"odd root of a negative base", "(-8)^(1/3)", 0, 33, Expect::NotANumber, 0},
        {"zero to a negative power", "0^-1", 0, 33, Expect::Exactly, Inf},
        {"power finite only in extended precision", "10^400", 0, 33, Expect::Exactly, Inf},
        {"ln(0)", "ln(0)", 0, 101, Expect::Exactly, -Inf},
        {"log(-1)", "log(-1)", 0, 102, Expect::NotANumber, 0},
        {"exp(1000) although finite in extended precision", "exp(1000)", 0, 103, Expect::Exactly, Inf},
        {"exp(710)", "exp(710)", 0, 103, Expect::Exactly, Inf},
        {"asin(2)", "asin(2)", 0, 105, Expect::NotANumber, 0},
        {"acos(1.5)", "acos(1.5)", 0, 107, Expect::NotANumber, 0},
        {"sinh(1000)", "sinh(1000)", 0, 110, Expect::Exactly, Inf},
        {"cosh(-1000)", "cosh(-1000)", 0, 112, Expect::Exactly, Inf},
        {"acosh(0.5)", "acosh(0.5)", 0, 113, Expect::NotANumber, 0},
        {"atanh(1)", "atanh(1)", 0, 115, Expect::Exactly, Inf},
        {"sqrt(-4)", "sqrt(-4)", 0, 118, Expect::NotANumber, 0},
        {"an enclosing sum returns 0", "1/0+1", 0, 32, Expect::Exactly, 0},
        {"an enclosing product returns 0", "ln(0)*0", 0, 101, Expect::Exactly, 0},
        {"an enclosing unary minus returns 0", "-ln(0)", 0, 101, Expect::Exactly, 0},
        {"an enclosing call returns 0", "sin(1/0)", 0, 32, Expect::Exactly, 0},
        {"left failure wins over right", "ln(0)+sqrt(-1)", 0, 101, Expect::Anything, 0},
        {"left failure wins, mirrored", "sqrt(-1)+ln(0)", 0, 118, Expect::Anything, 0},
        {"argument before the function", "sqrt(ln(0))", 0, 101, Expect::Anything, 0},
        {"a later power cannot hide the failure", "(1/0)^0", 0, 32, Expect::Exactly, 0},
        {"failure in the right operand", "2^(1/0)", 0, 32, Expect::Exactly, 0},
        {"exp(709) is in range", "exp(709)", 0, 0, Expect::Anything, 0},
        {"underflow of the double result is no error", "10^-400", 0, 0, Expect::Exactly, 0},
        {"sgn(0)", "sgn(0)", 0, 0, Expect::Exactly, 0},
        {"abs(-2)", "abs(-2)", 0, 0, Expect::Exactly, 2},
        {"a leaf is never checked", "x", NaN, 0, Expect::NotANumber, 0},
    };
    for (const CodeRow &row : rows) {
        SCOPED_TRACE(row.name);
        int32_t err = 99;
        const double value = Eval(row.text, row.x, err);
        EXPECT_EQ(err, row.code) << row.text;
        if (row.kind == Expect::Exactly) {
            EXPECT_EQ(value, row.value) << row.text;
        } else if (row.kind == Expect::NotANumber) {
            EXPECT_TRUE(std::isnan(value)) << row.text << " gave " << value;
        }
    }
}

// A result too small for a double is its rounded value (0 or a subnormal), even where the
// library reports ERANGE because it underflowed the extended range too; a result too large keeps
// its code. Trees run twice, the second time through the memory of recent results.
TEST_F(Evaluator, UnderflowIsAValueOverflowIsAnError)
{
    const struct {
        const char *tree;
        double x;
        const char *constant; // the same at that x, for EvalConst
        int32_t code;
        double value; // when the code is 0
    } rows[] = {
        {"exp(-x^2)", 107, "exp(-11449)", 0, 0},
        {"x*exp(-x)", 12000, "12000*exp(-12000)", 0, 0},
        {"exp(-x)^2", 6000, "exp(-6000)^2", 0, 0},
        {"2^(-x)", 20000, "2^-20000", 0, 0},
        {"2^(-x)", 1074, "2^-1074", 0, std::numeric_limits<double>::denorm_min()},
        {"x*x", 1e-200, "10^-200*10^-200", 0, 0},
        {"x/10^300", 1e-300, "10^-300/10^300", 0, 0},
        {"exp(x)", 1000, "exp(1000)", 103, 0},
        {"2^x", 20000, "2^20000", 33, 0},
        {"x*x", 1e200, "10^200*10^200", 31, 0},
        {"x/10^-300", 1e300, "10^300/10^-300", 32, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.constant);
        int32_t err = 99, errpos = 0;
        const TrevHandle h = CrTree2(row.tree, &err, &errpos);
        ASSERT_EQ(err, 0);
        for (int round = 0; round < 2; ++round) {
            const double value = EvalTree(h, row.x, &err);
            EXPECT_EQ(err, row.code) << "EvalTree, round " << round;
            if (row.code == 0) {
                EXPECT_EQ(value, row.value);
            }
        }
        DelTree(h);
        const double value = EvalConst(row.constant, &err, &errpos);
        EXPECT_EQ(err, row.code) << "EvalConst";
        if (row.code == 0) {
            EXPECT_EQ(value, row.value);
        }
    }
}

// A NaN argument makes every built-in but sgn fail, which reaches every code 101 + i that a
// finite argument cannot (tan, for one, never fails on a finite double).
TEST_F(Evaluator, EveryBuiltinReportsItsOwnCode)
{
    const char *names[BuiltinCount] = {"ln",   "log",   "exp",  "sin",   "asin", "cos",   "acos", "tan", "atan",
                                       "sinh", "asinh", "cosh", "acosh", "tanh", "atanh", "abs",  "sgn", "sqrt"};
    for (int i = 0; i < BuiltinCount; ++i) {
        const std::string text = std::string(names[i]) + "(x)";
        SCOPED_TRACE(text);
        int32_t err = 99;
        const double value = Eval(text.c_str(), NaN, err);
        if (i == 16) { // sgn is 0 for NaN, without error
            EXPECT_EQ(err, 0);
            EXPECT_EQ(value, 0.0);
        } else {
            EXPECT_EQ(err, 101 + i);
        }
    }
}

TEST_F(Evaluator, SignFunction)
{
    const struct {
        double x;
        double expected;
    } rows[] = {{-0.0, 0}, {0.0, 0}, {NaN, 0}, {1e-300, 1}, {-1e-300, -1}, {5e-324, 1}, {-Inf, -1}, {Inf, 1}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.x);
        int32_t err = 99;
        EXPECT_EQ(Eval("sgn(x)", row.x, err), row.expected);
        EXPECT_EQ(err, 0);
    }
    // The argument is judged in extended precision: 10^-4000 is 0 as a double but not here.
    int32_t err = 99;
    EXPECT_EQ(Eval("sgn(10^-4000)", 0, err), 1.0);
    EXPECT_EQ(Eval("sgn(0-10^-4000)", 0, err), -1.0);
}

TEST_F(Evaluator, AllTreesShareOneX)
{
    int32_t err = 0, errpos = 0;
    const TrevHandle writer = CrTree2("x*2", &err, &errpos);
    const TrevHandle reader = CrTree2("x+1", &err, &errpos);
    EXPECT_EQ(EvalTree(writer, 2.5, &err), 5.0);
    EXPECT_EQ(static_cast<double>(g_tables.vars[VarX].value), 2.5); // x stays after the call
    TreeHandle *tree = g_handles.find(reader);
    ASSERT_NE(tree, nullptr);
    tree->error = 0;
    EXPECT_EQ(static_cast<double>(EvaluateNode(*tree, tree->root)), 3.5);
    DelTree(writer);
    DelTree(reader);
}

// A user function writes its argument into x, which makes visible whether an operand ran.
TEST_F(Evaluator, RightOperandIsNotEvaluatedAfterALeftFailure)
{
    ASSERT_EQ(AddFun("evalwitness", "x"), 0);
    int32_t err = 99;
    Eval("1+evalwitness(7)", 3, err);
    if (g_tables.vars[VarX].value != 7)
        GTEST_SKIP() << "calls restore x in this build, so x cannot show whether an operand ran";

    const char *texts[] = {"ln(0)+evalwitness(7)", "1/0*evalwitness(7)", "evalwitness(ln(0))"};
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        Eval(text, 3, err);
        EXPECT_NE(err, 0);
        EXPECT_EQ(static_cast<double>(g_tables.vars[VarX].value), 3.0);
    }
}

TEST_F(Evaluator, FailedParseEvaluatesToNaNWithoutCode)
{
    int32_t err = 0, errpos = 0;
    const TrevHandle h = CrTree2("x)", &err, &errpos);
    ASSERT_EQ(err, -2);
    EXPECT_TRUE(std::isnan(EvalTree(h, 1, &err)));
    EXPECT_EQ(err, 0);
    DelTree(h);
}

// Handles that are no tree are reported, never followed.
TEST_F(Evaluator, InvalidHandlesAreRefused)
{
    int32_t err = 0, errpos = 0;
    const TrevHandle live = CrTree2("x+1", &err, &errpos);
    const TrevHandle deleted = CrTree2("x", &err, &errpos);
    DelTree(deleted);
    const TrevHandle reused = CrTree2("x*3", &err, &errpos); // may take the deleted one's slot
    const size_t liveBefore = g_handles.liveCount();

    // Made-up values far from every handle this process has been given so far.
    const TrevHandle invalid[] = {0u, deleted, 0xFFFFFFFFu, live + 1000000u, live ^ 0x80000000u, reused + (1u << 24)};
    for (const TrevHandle h : invalid) {
        SCOPED_TRACE(h);
        err = 0;
        EvalTree(h, 1, &err);
        EXPECT_EQ(err, TREVMATH_ERR_INVALID_HANDLE);
        EXPECT_STREQ(StrTree(h), "");
        EXPECT_STREQ(ShowParameters(h), "");
        EXPECT_EQ(CopyTree(h), 0u);
        EXPECT_EQ(DerTree(h), 0u);
        EXPECT_EQ(EditParameters(h, "a=1"), TREVMATH_ERR_INVALID_HANDLE);
        DelTree(h);
        EXPECT_EQ(g_handles.liveCount(), liveBefore);
    }
    EXPECT_EQ(EvalTree(live, 1, &err), 2.0);
    EXPECT_EQ(EvalTree(reused, 1, &err), 3.0);
    EXPECT_EQ(err, 0);
    DelTree(live);
    DelTree(reused);
}

// A program that keeps creating and deleting trees reuses the same storage again and again; a
// handle it deleted long ago must still be refused, not taken for the tree living there now.
TEST_F(Evaluator, DeletedHandleStaysInvalidAcrossManyReuses)
{
    int32_t err = 0, errpos = 0;
    const TrevHandle stale = CrTree2("x", &err, &errpos);
    DelTree(stale);
    for (int cycle = 1; cycle <= 1000; ++cycle) {
        const TrevHandle h = CrTree2("x+1", &err, &errpos);
        err = 0;
        EvalTree(stale, 1, &err);
        if (err != TREVMATH_ERR_INVALID_HANDLE) {
            ADD_FAILURE() << "after " << cycle << " create/delete cycles the deleted handle " << stale
                          << " names a live tree again (new handle " << h << ", code " << err << ")";
            DelTree(stale); // must be ignored; here it releases the live tree
            EXPECT_STREQ(StrTree(h), "x+1") << "a second DelTree of the stale handle released a live tree";
            DelTree(h);
            break;
        }
        DelTree(h);
    }
}

// sin(2x)^cos(3x)*(cos(4x)/sin(5x)*cos(7x)-sin(x))+ln(x/sqrt(x^2)) with the long double library,
// noting whether any step leaves the double range (the evaluator's error condition).
long double DirectFormula(long double x, bool &failed)
{
    failed = false;
    auto step = [&failed](long double v) {
        if (!std::isfinite(static_cast<double>(v)))
            failed = true;
        return v;
    };
    const long double power = step(powl(step(sinl(step(2 * x))), step(cosl(step(3 * x)))));
    const long double quotient = step(step(cosl(step(4 * x))) / step(sinl(step(5 * x))));
    const long double bracket = step(step(quotient * step(cosl(step(7 * x)))) - step(sinl(x)));
    const long double product = step(power * bracket);
    const long double logarithm = step(logl(step(x / step(sqrtl(step(powl(x, 2)))))));
    return step(product + logarithm);
}

TEST_F(Evaluator, ResultsAreTheLongDoubleFormulaRounded)
{
    int32_t err = 0, errpos = 0;
    const TrevHandle h =
        CrTree2("sin(2*x)^cos(3*x)*(cos(4*x)/sin(5*x)*cos(7*x)-sin(x))+ln(x/sqrt(x^2))", &err, &errpos);
    ASSERT_EQ(err, 0);
    int succeeded = 0, failed = 0;
    for (int i = -300; i <= 3000; ++i) {
        const double x = i < 0 ? i * 0.37 : (i < 1000 ? 1 + i * 0.731 : (i - 1000) * 99.97 + 1);
        bool directFailed = false;
        const long double direct = DirectFormula(x, directFailed);
        const double value = EvalTree(h, x, &err);
        ASSERT_EQ(err != 0, directFailed) << "x = " << x << " code " << err;
        if (err == 0) {
            ASSERT_EQ(value, static_cast<double>(direct)) << "x = " << x; // bit-identical
            ++succeeded;
        } else {
            ++failed;
        }
    }
    EXPECT_GT(succeeded, 1000);
    EXPECT_GT(failed, 500); // negative bases with fractional exponents, ln of -1 for x < 0
    DelTree(h);
}

// Slow operations repeated between trees at the same x (f and f' in the root scan) are
// answered from a small memory of recent results. Whatever the order of calls, every result
// must be exactly the library's, and a failure must never be remembered as a success.
TEST_F(Evaluator, RepeatedSlowOperationsGiveTheLibrarysExactResults)
{
    int32_t err = 0, errpos = 0;
    const TrevHandle f = CrTree2("2^x+3^x+sin(x)-x^2.5", &err, &errpos);
    const TrevHandle g = CrTree2("2^x*ln(2)+3^x*ln(3)+cos(x)+sin(x)", &err, &errpos);
    const TrevHandle failing = CrTree2("(-x)^0.5", &err, &errpos);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 400; ++i) {
            const long double x = -3.7L + i * 0.0173L + round * 1e-19L;
            const double xd = static_cast<double>(x);
            const long double X = xd;
            const double expectF = static_cast<double>(powl(2, X) + powl(3, X) + sinl(X) - powl(X, 2.5L));
            const double expectG = static_cast<double>(powl(2, X) * logl(2) + powl(3, X) * logl(3) + cosl(X) + sinl(X));
            double value = EvalTree(f, xd, &err);
            if (err == 0) { // x^2.5 fails for negative x
                EXPECT_EQ(value, expectF) << "f at " << xd;
            }
            EXPECT_EQ(EvalTree(g, xd, &err), expectG) << "g at " << xd;
            EXPECT_EQ(err, 0);
            EvalTree(failing, xd, &err);
            EXPECT_EQ(err, xd > 0 ? 33 : 0) << "(-x)^0.5 at " << xd;
        }
    }
    DelTree(failing);
    DelTree(g);
    DelTree(f);
}

// Operators and functions check their results; a bare number beyond the double range must
// not pass as a success either, whichever way it reaches the engine.
TEST_F(Evaluator, BareNumbersBeyondTheDoubleRangeAreOverflows)
{
    const std::string huge = "1" + std::string(400, '0');
    int32_t err = 0, errpos = 0;
    const TrevHandle tree = CrTree2(huge.c_str(), &err, &errpos);
    ASSERT_EQ(err, 0); // it reads like atof reads it: an infinity
    EvalTree(tree, 0, &err);
    EXPECT_EQ(err, 31);
    DelTree(tree);

    const TrevHandle withParameter = CrTree("a*x+b", ("a=" + huge + "; b=2").c_str(), &err, &errpos);
    EXPECT_EQ(err, -1) << "the overflowing value is ignored, so a stays unknown";
    DelTree(withParameter);

    struct Row {
        const char *name;
        std::string text;
        int32_t code;
    } rows[] = {
        {"plain number", huge, 31},
        {"negative plain number", "-" + huge, 31},
        {"number in an expression", "(" + huge + ")", 31},
        {"largest finite value still fine", "179769313486231570" + std::string(291, '0'), 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EvalConst(row.text.c_str(), &err, &errpos);
        EXPECT_EQ(err, row.code);
    }
}

// Distance in units in the last place of the extended format, measured at the larger of the two.
long double Ulps(long double a, long double b)
{
    if (a == b)
        return 0;
    const long double larger = std::max(fabsl(a), fabsl(b));
    return fabsl(a - b) / (nextafterl(larger, INFINITY) - larger);
}

// Evaluates `text` (a tree with parameter a) at a = base and x, next to powl(base, exponent):
// both must fail or succeed together, and agree to 4 ulps where they succeed.
void ExpectLikePowl(const char *text, long double base, long double x, long double exponent, bool xIsExponent)
{
    int32_t err = 0, errpos = 0;
    const TrevHandle h = CrTree(text, "a=2", &err, &errpos);
    ASSERT_EQ(err, 0);
    TreeHandle &tree = *g_handles.find(h);
    tree.parameters[0].value = base;
    const long double value = EvaluateAt(tree, x, err);
    errno = 0;
    const long double expected = powl(base, xIsExponent ? x : exponent);
    const bool libraryFailed = ResultFailed(expected, errno);
    EXPECT_EQ(err, libraryFailed ? 33 : 0) << base << "^" << exponent << " = " << expected;
    if (err == 0 && !libraryFailed) {
        EXPECT_LE(Ulps(value, expected), 4) << base << "^" << (xIsExponent ? x : exponent) << ": " << value
                                            << " against " << expected;
    }
    DelTree(h);
}

const long double Subnormal = 1e-4940L;
const long double LInf = std::numeric_limits<long double>::infinity();

// Whole exponents up to 64 are multiplied out; the results keep powl's accuracy and its codes:
// 0^-1 fails, overflow fails, underflow is a value.
TEST_F(Evaluator, WholePowersAgreeWithTheLibrary)
{
    const long double bases[] = {0, -0.0L, 1, -1, 2, -2.5L, 0.1L, 0.9999999L, 1.0000000001L, 3.7e-5L, -1234.5678L,
                                 1e300L, 1e-300L, 3e4000L, 1e-4000L, Subnormal, LInf, -LInf};
    const int exponents[] = {-64, -33, -7, -4, -3, -2, -1, 0, 1, 2, 3, 4, 5, 8, 17, 31, 63, 64};
    for (const long double base : bases)
        for (const int n : exponents) {
            char text[32];
            std::snprintf(text, sizeof text, "a^(%d)", n);
            ExpectLikePowl(text, base, 0, n, false);
        }
}

// A constant positive base goes through exp2 with an exact logarithm; over the whole range
// where the result is finite it stays within 4 ulps of powl, and fails where powl fails.
TEST_F(Evaluator, ConstantBasesAgreeWithTheLibrary)
{
    const long double bases[] = {2, 3, 6, 10, 0.5L, 0.1L, 2.718281828459045235L, 1.0000001L, 0.999999L, 1,
                                 7.5L, 1e-300L, 1e300L, 1e4000L, Subnormal, -2};
    const long double exponents[] = {-16000.5L, -1075.3L, -100.25L, -1.5L, -1e-20L, 1e-30L, 0.5L, 1 / 3.0L, 2.5L,
                                     64.5L, 100.7L, 1023.9L, 1024.1L, 16383.2L, 1e6L, LInf, -LInf};
    for (const long double base : bases)
        for (const long double x : exponents)
            ExpectLikePowl("a^x", base, x, x, true);
}

// A tree is evaluated as flat steps; the recursive walk (EvaluateNode) must give the same bits
// and the same code, including the value returned with a failure and x written by a call.
TEST_F(Evaluator, FlatStepsGiveTheRecursiveWalksResult)
{
    ASSERT_EQ(AddFun("flatthrice", "3*x"), 0);
    std::string deep = "x";
    for (int i = 0; i < 100; ++i)
        deep = "1+(" + deep + ")*1.01"; // a stack deeper than the steps' local one
    struct Row {
        std::string text;
        double x;
    };
    const Row rows[] = {
        {"(1-2x)/x-2x", 0.3},  {"(1-2x)/x-2x", 0},       {"1/x", 0},
        {"x^3-2x^2+1/x-3", -2}, {"2^x+3^x+6^x-x^2", 7.5}, {"2^x+3^x+6^x-x^2", 20000},
        {"(x+4)^-4+x^0", -4},   {"x^0.5", -1},            {"-(x)^2*e^x-pi", 1.5},
        {"sin(ln(x))", -1},     {"ln(0)+x", 1},           {"flatthrice(x+1)+x", 2},
        {"x^64-x^-64", 1.5},    {deep, 0.25},             {"atanh(1/ln(x)-ln(x))", 2},
        {"2^x*ln(2)-cos(3)+sqrt(-1)*0", 1.25}, {"2^x*ln(2)-cos(3)", 1.25},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text + " at " + std::to_string(row.x));
        int32_t err = 0, errpos = 0;
        const TrevHandle h = CrTree2(row.text.c_str(), &err, &errpos);
        ASSERT_EQ(err, 0);
        const double flat = EvalTree(h, row.x, &err);
        TreeHandle *tree = g_handles.find(h);
        ASSERT_NE(tree, nullptr);
        g_tables.vars[VarX].value = row.x;
        tree->error = 0;
        const long double walked = EvaluateNode(*tree, tree->root);
        int32_t walkedError = tree->error;
        if (walkedError == 0 && std::isinf(static_cast<double>(walked)))
            walkedError = OverflowError; // as EvaluateAt adds for the whole tree
        EXPECT_EQ(err, walkedError);
        const double expected = static_cast<double>(walked);
        EXPECT_TRUE(std::memcmp(&flat, &expected, sizeof flat) == 0 || (std::isnan(flat) && std::isnan(expected)))
            << flat << " against " << expected;
        DelTree(h);
    }
}

// Distinct trees evaluate on several threads at once, each thread with its own x, recent results
// and error, and give the bits they give on one thread (the ThreadSanitizer run checks this test
// for data races).
TEST_F(Evaluator, DistinctTreesEvaluateOnSeveralThreadsAtOnce)
{
    const char *const text = "2^x+3^x+6^x-x^2+sin(1/a^x)+(x+2)^7/(x-1)+ln(x)";
    constexpr int Threads = 4, Points = 2000;
    auto at = [](int i) { return -3 + i * 0.0037; };
    int32_t err = 0, errpos = 0;
    std::vector<TrevHandle> trees, derivatives;
    for (int t = 0; t < Threads; ++t) {
        trees.push_back(CrTree(text, "a=2", &err, &errpos));
        derivatives.push_back(DerTree(trees.back()));
    }
    std::vector<double> expected(Points);
    std::vector<int32_t> expectedCodes(Points);
    for (int i = 0; i < Points; ++i)
        expected[size_t(i)] = EvalTree(trees[0], at(i), &expectedCodes[size_t(i)]);
    const double expectedRoot = FindRoot(trees[0], derivatives[0], 1.5, 3, &err);
    const long double tableX = g_tables.vars[VarX].value;

    std::vector<int> mismatches(Threads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < Threads; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < Points; ++i) {
                int32_t code = 0;
                const double value = EvalTree(trees[size_t(t)], at(i), &code);
                EvalTree(derivatives[size_t(t)], at(i), &code);
                code = 0;
                const double again = EvalTree(trees[size_t(t)], at(i), &code);
                if (code != expectedCodes[size_t(i)] || (code == 0 && (value != again || value != expected[size_t(i)])))
                    ++mismatches[size_t(t)];
            }
            int32_t code = 0;
            if (FindRoot(trees[size_t(t)], derivatives[size_t(t)], 1.5, 3, &code) != expectedRoot)
                ++mismatches[size_t(t)];
        });
    for (std::thread &thread : threads)
        thread.join();
    for (int t = 0; t < Threads; ++t) {
        EXPECT_EQ(mismatches[size_t(t)], 0) << "thread " << t;
        DelTree(derivatives[size_t(t)]);
        DelTree(trees[size_t(t)]);
    }
    EXPECT_EQ(g_tables.vars[VarX].value, tableX) << "the other threads' x is their own";
}

} // namespace
