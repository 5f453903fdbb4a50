// Root finding in a bracket (Newton safeguarded by bisection) and Simpson integrals.
#include "Parser.h"
#include "trevmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace trev;

namespace {

void EnsureEngine()
{
    if (g_tables.funs.empty())
        InitTrevolin();
}

class Numerics : public ::testing::Test {
protected:
    void SetUp() override { EnsureEngine(); }
};

constexpr double Pi = 3.141592653589793;

TrevHandle Parse(const char *text)
{
    int32_t err = 99, errpos = 0;
    const TrevHandle h = CrTree2(text, &err, &errpos);
    EXPECT_EQ(err, 0) << "does not parse: " << text;
    return h;
}

struct RootRow {
    const char *name;
    const char *f;
    const char *df;
    double a, b;
    int32_t code;
    double root; // compared exactly when code is 0
};

TEST_F(Numerics, FindRootCases)
{
    const double W = 1e-11 * std::ldexp(1.0, 99); // 100 halvings of 1.5 W or 2.5 W straddle 1e-11
    const RootRow rows[] = {
        {"x^2-2 gives sqrt(2) to double precision", "x*x-2", "2*x", 0, 2, 0, std::sqrt(2.0)},
        {"decreasing function", "2-x*x", "-2*x", 0, 2, 0, std::sqrt(2.0)},
        {"reversed bracket", "x*x-2", "2*x", 2, 0, 0, std::sqrt(2.0)},
        {"zero at the right end returns at once (df is never evaluated)", "x", "ln(0)", -1, 0, 0, 0},
        {"root at the right end", "x-2", "ln(0)", 0, 2, 0, 2},
        {"zero at the left end is found by iterating", "x", "1", 0, 1, 0, 0},
        {"zero at the left end: no shortcut, so df is evaluated", "x", "ln(0)", 0, 1, 101, 0},
        {"no sign change: 38 bisections to 1e-11, no root, no error", "5", "0", 0, 2, 0, 2 - std::ldexp(1.0, -37)},
        {"converges exactly in the 100th pass", "5", "0", 1.5 * W, 0, 0, std::ldexp(1.5 * W, -100)},
        {"not converged after 100 passes", "5", "0", 2.5 * W, 0, -1, 0},
        {"NaN values take Newton steps until the pass limit", "x", "1", std::nan(""), 1, -1, 0},
        {"f fails at the left end", "ln(x)", "1/x", 0, 2, 101, 0},
        {"f fails at the right end", "ln(x)", "1/x", 1, 0, 101, 0},
        {"f fails at the midpoint", "1/(x-1)", "-1/(x-1)^2", 0, 2, 32, 0},
        {"df fails at the midpoint", "x-1", "ln(x-1)", 0, 2, 101, 0},
        {"df fails after a Newton step", "x-0.3", "sqrt(x-0.4)*0+1", 0, 1, 118, 0},
    };
    for (const RootRow &row : rows) {
        SCOPED_TRACE(row.name);
        const TrevHandle f = Parse(row.f), df = Parse(row.df);
        int32_t err = 99;
        const double root = FindRoot(f, df, row.a, row.b, &err);
        EXPECT_EQ(err, row.code);
        EXPECT_EQ(root, row.root);
        DelTree(f);
        DelTree(df);
    }
}

// The root finder step by step, on functions given in long double, for texts whose evaluation
// performs exactly these operations.
long double ReferenceRoot(const std::function<long double(long double)> &f,
                          const std::function<long double(long double)> &df, long double x1, long double x2, int &err)
{
    err = 0;
    const long double fl = f(x1), fh = f(x2);
    if (fh == 0)
        return x2;
    long double xl = fl > 0 ? x2 : x1, xh = fl > 0 ? x1 : x2;
    long double rts = (x1 + x2) * 0.5L, dxold = fabsl(x2 - x1), dx = dxold;
    long double f0 = f(rts), d0 = df(rts);
    for (int j = 1;;) {
        if (((rts - xl) * d0 - f0) * ((rts - xh) * d0 - f0) > 0 || fabsl(2 * f0) > fabsl(dxold * d0)) {
            dxold = dx;
            dx = (xh - xl) * 0.5L;
            rts = xl + dx;
            if (xl == rts)
                return rts;
        } else {
            dxold = dx;
            dx = f0 / d0;
            const long double temp = rts;
            rts -= dx;
            if (temp == rts)
                return rts;
        }
        if (fabsl(dx) < static_cast<long double>(1e-11))
            return rts;
        f0 = f(rts);
        d0 = df(rts);
        if (f0 < 0)
            xl = rts;
        else
            xh = rts;
        if (++j > 100) {
            err = -1;
            return 0;
        }
    }
}

// With a poor or wrong derivative the search stops where its steps say, not at the exact root,
// so these results show whether each step is taken as prescribed.
TEST_F(Numerics, FindRootFollowsTheStepsExactly)
{
    const struct {
        const char *f, *df;
        std::function<long double(long double)> fn, dfn;
        double a, b;
    } rows[] = {
        {"cos(x)-x", "-sin(x)-1", [](long double x) { return cosl(x) - x; },
         [](long double x) { return -sinl(x) - 1; }, 0, 1},
        {"x^2-2", "1", [](long double x) { return powl(x, 2) - 2; }, [](long double) { return 1.0L; }, 0, 2},
        {"x^2-2", "10", [](long double x) { return powl(x, 2) - 2; }, [](long double) { return 10.0L; }, 2, 0},
        {"atan(x)", "1/(1+x^2)", [](long double x) { return atanl(x); },
         [](long double x) { return 1 / (1 + powl(x, 2)); }, -1, 10},
        {"x^3-x", "0.1", [](long double x) { return powl(x, 3) - x; }, [](long double) { return 0.1L; }, 0.5, 3},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.f) + " with derivative " + row.df);
        const TrevHandle f = Parse(row.f), df = Parse(row.df);
        int32_t err = 99;
        int referenceErr = 0;
        const double expected = static_cast<double>(ReferenceRoot(row.fn, row.dfn, row.a, row.b, referenceErr));
        EXPECT_EQ(FindRoot(f, df, row.a, row.b, &err), expected);
        EXPECT_EQ(err, referenceErr);
        DelTree(f);
        DelTree(df);
    }
}

TEST_F(Numerics, InvalidHandlesAreRefused)
{
    const TrevHandle f = Parse("x");
    int32_t err = 0;
    EXPECT_EQ(FindRoot(f, 0xABCDEFu, 0, 1, &err), 0.0);
    EXPECT_EQ(err, TREVMATH_ERR_INVALID_HANDLE);
    err = 0;
    FindRoot(0, f, 0, 1, &err);
    EXPECT_EQ(err, TREVMATH_ERR_INVALID_HANDLE);
    err = 0;
    Integrate(0xABCDEFu, 0, 1, &err);
    EXPECT_EQ(err, TREVMATH_ERR_INVALID_HANDLE);
    DelTree(f);
}

struct IntegralRow {
    const char *name;
    const char *f;
    double a, b;
    double expected;
    double tolerance; // absolute
};

TEST_F(Numerics, IntegralsAgainstClosedForms)
{
    // Simpson is exact up to degree 3, so polynomials leave only rounding (1e-14 relative). For
    // the others the bound (b-a) h^4 max|f''''| / 180 with h = (b-a)/1500 sets the tolerance.
    const IntegralRow rows[] = {
        {"x^2 on [0, 3]", "x^2", 0, 3, 9, 9e-14},
        {"reversed bounds negate", "x^2", 3, 0, -9, 9e-14},
        {"constant", "1", 0, 1, 1, 1e-14},
        {"linear", "x", -1, 2, 1.5, 2e-14},
        {"cubic", "x^3", 0, 2, 4, 4e-14},
        {"cubic with all terms", "2*x^3-x+1", -1, 2, 9, 9e-14},
        {"quartic shows exactly 1500 sub-intervals", "x^4", 0, 1, 0.2 + 24 / (180 * std::pow(1500.0, 4)), 1e-16},
        {"sin on [0, pi]", "sin(x)", 0, Pi, 2, 4e-13},
        {"exp on [0, 1]", "exp(x)", 0, 1, std::exp(1.0) - 1, 1e-14},
        {"reversed exp", "exp(x)", 1, 0, 1 - std::exp(1.0), 1e-14},
        {"1/(1+x^2) on [0, 1]", "1/(1+x^2)", 0, 1, Pi / 4, 3e-14},
        {"sqrt on [1, 4]", "sqrt(x)", 1, 4, 14.0 / 3, 3e-13},
        {"ln on [1, 2]", "ln(x)", 1, 2, 2 * std::log(2.0) - 1, 1e-14},
    };
    for (const IntegralRow &row : rows) {
        SCOPED_TRACE(row.name);
        const TrevHandle f = Parse(row.f);
        int32_t err = 99;
        EXPECT_NEAR(Integrate(f, row.a, row.b, &err), row.expected, row.tolerance);
        EXPECT_EQ(err, 0);
        DelTree(f);
    }
}

// Points in the order odd, even, a, b; the first non-zero code is the one reported.
TEST_F(Numerics, IntegralReportsTheFirstFailure)
{
    const struct {
        const char *name, *f;
        double a, b;
        int32_t code;
    } rows[] = {
        {"failure at the lower end, the last evaluation succeeds", "ln(x)", 0, 1, 101},
        {"failure at the upper end, the last evaluation", "ln(x)", 1, 0, 101},
        {"failure only inside the interval", "sqrt(abs(x-1)-0.1)", 0, 2, 118},
        {"an inner failure comes before the one at a", "sqrt(abs(x-0.5)-0.1)+ln(x)", 0, 1, 118},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const TrevHandle f = Parse(row.f);
        int32_t err = 0;
        Integrate(f, row.a, row.b, &err);
        EXPECT_EQ(err, row.code);
        DelTree(f);
    }
    // The failing point still contributes the value it returned: ln(0) is -infinity.
    const TrevHandle ln = Parse("ln(x)");
    int32_t err = 0;
    EXPECT_EQ(Integrate(ln, 0, 1, &err), -std::numeric_limits<double>::infinity());
    DelTree(ln);
}

// The sum in the order written: 4*odd + 2*even, then + f(a), then + f(b), then * h, then / 3.
// The intervals were picked where another order or grouping changes the double result.
TEST_F(Numerics, IntegralSumsInThePrescribedOrder)
{
    auto f = [](long double x) { return sinl(x) * expl(x); };
    const TrevHandle tree = Parse("sin(x)*exp(x)");
    const double bounds[][2] = {{0.3, 1.7}, {1.5569999999999999, 15.446}, {1.6261999999999999, 28.673200000000001},
                                {3.0448, 30.091799999999999}};
    for (const auto &bound : bounds) {
        SCOPED_TRACE(bound[1]);
        const long double a = bound[0], b = bound[1]; // the doubles the call passes, widened
        const long double h = (b - a) / 1500;
        long double odd = 0, even = 0;
        for (int i = 1; i < 1500; i += 2)
            odd += f(a + i * h);
        for (int i = 2; i < 1500; i += 2)
            even += f(a + i * h);
        long double sum = 4 * odd + 2 * even;
        sum += f(a);
        sum += f(b);
        int32_t err = 99;
        EXPECT_EQ(Integrate(tree, bound[0], bound[1], &err), static_cast<double>(sum * h / 3));
        EXPECT_EQ(err, 0);
        EXPECT_EQ(g_tables.vars[VarX].value, b) << "the last point evaluated is b";
    }
    DelTree(tree);
}

} // namespace
