// Operator precedence and grouping in both drivers: the tree builder and the constant evaluator
// that computes as it reads, where they agree and where their grouping differs.
#include "Parser.h"
#include "trevmath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace trev;

namespace {

void EnsureEngine()
{
    if (g_tables.funs.empty())
        InitTrevolin();
}

class Precedence : public ::testing::Test {
protected:
    void SetUp() override { EnsureEngine(); }
};

constexpr double Pi = 3.141592653589793;

struct GroupingRow {
    const char *name;
    const char *text; // with parameters a=2, b=3, c=5
    double expected;
};

TEST_F(Precedence, TreeGroupsAsThePrecedenceTableSays)
{
    const GroupingRow rows[] = {
        {"power groups from the left", "2^3^2", 64},
        {"power of parameters groups from the left", "a^b^2", 64},
        {"unary minus applies after a following power", "-a^2", -4},
        {"unary minus applies after a following product", "-a*b", -6},
        {"unary minus applies after a following quotient", "-a/b", -2.0 / 3},
        {"unary minus applies before a following sum", "-a+b", 1},
        {"unary minus applies before a following difference", "-a-b", -5},
        {"differences group from the left", "a-b-c", -6},
        {"difference then sum", "a-b+c", 4},
        {"quotients group from the left", "a/b/c", 2.0 / 15},
        {"quotient then product", "a/b*c", 10.0 / 3},
        {"product then quotient", "a*b/c", 6.0 / 5},
        {"product before sum", "a+b*c", 17},
        {"power before product", "a*b^2", 18},
        {"power before quotient", "c/a^2", 1.25},
        {"unary minus in an exponent takes the whole product", "2^-a*b", 1.0 / 64},
        {"unary minus in an exponent takes the power after it", "2^-a^2", 1.0 / 16},
        {"negative literal in an exponent binds first", "2^-2*b", 0.75},
        {"unary minus after times takes the power", "a*-b^2", -18},
        {"negative literal base after times", "a*-3^2", 18},
        {"unary minus after a quotient takes the product", "c/-a*b", -5.0 / 6},
        {"parentheses first", "(a+b)*c", 25},
        {"implied product binds like times", "2a^b", 16},
    };
    for (const GroupingRow &row : rows) {
        SCOPED_TRACE(row.name);
        int32_t err = 99, errpos = 0;
        const TrevHandle h = CrTree(row.text, "a=2; b=3; c=5", &err, &errpos);
        ASSERT_EQ(err, 0) << row.text;
        // Any other grouping changes these values grossly; 1e-15 leaves room for one rounding.
        EXPECT_NEAR(EvalTree(h, 0, &err), row.expected, 1e-15 * std::fabs(row.expected)) << row.text;
        EXPECT_EQ(err, 0);
        DelTree(h);
    }
}

// Where both drivers group alike they run the same extended operations in the same order, so
// the doubles and the codes must be identical.
TEST_F(Precedence, ConstantEvaluatorAgreesWithTheTree)
{
    const char *texts[] = {
        "2^3^2", "-2^2", "2*-3", "1/2*3", "2-3-4", "2-3+4", "2/3/4", "-pi^2", "-pi*2", "-pi/2", "-pi+1",
        "2pi", "1/2cosh(2)", "5(1-10*0.5)^2-3", "sin(1)^2+cos(1)^2", "2 3", "(2+3)(4-1)", "2^-2", "2^0.5*3",
        "e^pi-pi^e", "sqrt(2)*sqrt(2)-2", "1/3-1/3", "2^-pi^2", "exp(1)/3*7", "-(2+3)*4", "res",
        "10^308+10^308", "10^300*10^300 10^-300", "1/0", "ln(0)+1/0", "sqrt(-1)", "(-8)^(1/3)",
    };
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        int32_t constErr = 99, treeErr = 99, errpos = 0;
        const double constant = EvalConst(text, &constErr, &errpos);
        const TrevHandle h = CrTree2(text, &treeErr, &errpos);
        ASSERT_EQ(treeErr, 0);
        const double tree = EvalTree(h, 0, &treeErr);
        EXPECT_EQ(constErr, treeErr);
        if (constErr == 0 && treeErr == 0) {
            EXPECT_EQ(constant, tree);
        }
        DelTree(h);
    }
}

struct DifferenceRow {
    const char *name;
    const char *text;
    double constant; // the constant evaluator's reading, code 0
    int32_t treeCode;
    double tree; // the tree's reading when treeCode is 0
};

// The constant evaluator pops only operators of an equal or higher code, so a+b-c is a+(b-c)
// and a*b/c is a*(b/c); it also applies a pending unary minus before a following "*" or "/".
TEST_F(Precedence, ConstantEvaluatorGroupsDifferentlyWhereItsRulesSay)
{
    const DifferenceRow rows[] = {
        {"sum then difference: the 1 survives only as 1+(b-c)", "1+100000000000000000000-100000000000000000000", 1,
         0, 0},
        {"sum then difference: (a+b) overflows the double range", "10^308+10^308-10^308", 1e308, 31, 0},
        {"product then quotient: (a*b) overflows the double range", "10^300*10^300/10^300", 1e300, 31, 0},
        {"unary minus in an exponent before a product", "2^-pi*3", std::pow(2.0, -Pi) * 3, 0, std::pow(2.0, -3 * Pi)},
        {"unary minus after a quotient before a product", "2/-pi*3", -6 / Pi, 0, -2 / (3 * Pi)},
    };
    for (const DifferenceRow &row : rows) {
        SCOPED_TRACE(row.name);
        int32_t err = 99, errpos = 0;
        EXPECT_NEAR(EvalConst(row.text, &err, &errpos), row.constant, 1e-15 * std::fabs(row.constant));
        EXPECT_EQ(err, 0);
        const TrevHandle h = CrTree2(row.text, &err, &errpos);
        ASSERT_EQ(err, 0);
        const double tree = EvalTree(h, 0, &err);
        EXPECT_EQ(err, row.treeCode);
        if (row.treeCode == 0) {
            EXPECT_NEAR(tree, row.tree, 1e-15 * std::fabs(row.tree));
        }
        DelTree(h);
    }
}

struct ConstantFailureRow {
    const char *name;
    const char *text;
    int32_t code;
    int32_t errpos; // -1: not checked (evaluation codes)
};

TEST_F(Precedence, ConstantEvaluatorFailures)
{
    const ConstantFailureRow rows[] = {
        {"x is not a constant", "x+1", -3, 1},
        {"x later in the text", "1+X", -3, 3},
        {"succession is checked before the x test", "sin x", -45, 5},
        {"surplus closing parenthesis is unbalanced", "1)", -4, 3},
        {"stray ) balanced later must not read as 2", "1)-(2", -4, 2},
        {"unclosed parenthesis", "(1", -4, 3},
        {"unknown name", "foo", -1, 1},
        {"empty text", "", -16, 1},
        {"division by zero", "1/0", 32, -1},
        {"logarithm of zero", "ln(0)", 101, -1},
        {"root of a negative number", "sqrt(-1)", 118, -1},
        {"first failure is returned", "ln(0)+sqrt(-1)", 101, -1},
    };
    for (const ConstantFailureRow &row : rows) {
        SCOPED_TRACE(row.name);
        Real value = 0;
        int32_t errpos = -99;
        EXPECT_EQ(EvalConstText(row.text, value, errpos), row.code) << row.text;
        if (row.errpos >= 0) {
            EXPECT_EQ(errpos, row.errpos) << row.text;
        }
    }
}

TEST_F(Precedence, ConstantEvaluatorKeepsExtendedPrecisionAndReadsRes)
{
    Real value = 0;
    int32_t errpos = 0;
    ASSERT_EQ(EvalConstText("1/3", value, errpos), 0);
    EXPECT_EQ(value, 1.0L / 3.0L); // not the double 1/3 widened

    int32_t err = 99;
    EXPECT_EQ(EvalConst("21", &err, &errpos), 21.0);
    EXPECT_EQ(EvalConst("res*2", &err, &errpos), 42.0);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(EvalConst("res*2", &err, &errpos), 84.0);
    EXPECT_EQ(EvalConst("res+res/4", &err, &errpos), 105.0);
}

} // namespace
