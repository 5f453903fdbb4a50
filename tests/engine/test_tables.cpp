// The engine's tables after initialisation, a second initialisation, tree ownership (copy and
// delete), and the bound on nesting that keeps every recursive walk off the end of the stack.
#include "Handles.h"
#include "Parser.h"
#include "trevmath.h"

#include <gtest/gtest.h>

#include <string>

using namespace trev;

namespace {

void EnsureEngine()
{
    if (g_tables.funs.empty())
        InitTrevolin();
}

class Tables : public ::testing::Test {
protected:
    void SetUp() override { EnsureEngine(); }
};

const char *const BuiltinNames[BuiltinCount] = {
    "ln", "log", "exp", "sin", "asin", "cos", "acos", "tan", "atan",
    "sinh", "asinh", "cosh", "acosh", "tanh", "atanh", "abs", "sgn", "sqrt",
};

std::string Repeat(const std::string &piece, int count)
{
    std::string out;
    out.reserve(piece.size() * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        out += piece;
    return out;
}

// "x+x+...+x" with n terms: a left-leaning chain n nodes deep.
std::string Sum(int terms) { return "x" + Repeat("+x", terms - 1); }

TEST_F(Tables, VariablesAfterInit)
{
    const char *names[] = {"x", "res", "pi", "e"};
    for (int32_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(g_tables.vars[static_cast<size_t>(i)].name, names[i]);
        EXPECT_EQ(g_tables.vars[static_cast<size_t>(i)].index, i);
        EXPECT_EQ(g_tables.varIndex.at(names[i]), i);
    }
    // The doubles nearest to pi and e, widened: not the extended-precision constants.
    EXPECT_EQ(g_tables.vars[2].value, static_cast<long double>(3.141592653589793));
    EXPECT_NE(g_tables.vars[2].value, 3.141592653589793238462643383279503L);
    EXPECT_EQ(g_tables.vars[3].value, static_cast<long double>(2.718281828459045));
    EXPECT_NE(g_tables.vars[3].value, 2.718281828459045235360287471352662L);
    int32_t err = 99, errpos = 0;
    EXPECT_EQ(EvalConst("pi", &err, &errpos), 3.141592653589793);
    EXPECT_EQ(EvalConst("e", &err, &errpos), 2.718281828459045);
}

TEST_F(Tables, BuiltinFunctionsInTheirFixedOrder)
{
    ASSERT_GE(g_tables.funs.size(), static_cast<size_t>(BuiltinCount));
    for (int32_t i = 0; i < BuiltinCount; ++i) {
        SCOPED_TRACE(BuiltinNames[i]);
        const FunEntry &f = g_tables.funs[static_cast<size_t>(i)];
        EXPECT_EQ(f.name, BuiltinNames[i]);
        EXPECT_EQ(f.index, i);
        EXPECT_NE(f.native, nullptr);
        EXPECT_EQ(f.userTree, nullptr);
        EXPECT_EQ(g_tables.funIndex.at(BuiltinNames[i]), i);
    }
    for (size_t i = 0; i < g_tables.funs.size(); ++i)
        EXPECT_EQ(g_tables.funs[i].index, static_cast<int32_t>(i)) << "entry index is its position";
}

// Written relative to the table sizes on entry, so it holds whichever tests ran before it.
TEST_F(Tables, SecondInitAppendsBuiltinsAgainAndResetsTheFourVariables)
{
    ASSERT_EQ(AddConst("tablesconst", 4), 0);
    const size_t funsBefore = g_tables.funs.size();
    const size_t varsBefore = g_tables.vars.size();
    const size_t namesBefore = g_tables.funIndex.size();
    int32_t err = 0, errpos = 0;
    const TrevHandle h = CrTree2("x", &err, &errpos);
    EvalTree(h, 7, &err);
    EvalConst("5", &err, &errpos);
    ASSERT_EQ(AddConst("pi", 3), 0);
    ASSERT_EQ(AddConst("e", 2), 0);

    InitTrevolin();

    ASSERT_EQ(g_tables.funs.size(), funsBefore + BuiltinCount);
    for (int32_t i = 0; i < BuiltinCount; ++i) {
        const FunEntry &f = g_tables.funs[funsBefore + static_cast<size_t>(i)];
        EXPECT_EQ(f.name, BuiltinNames[i]);
        EXPECT_EQ(f.index, static_cast<int32_t>(funsBefore) + i);
        EXPECT_NE(f.native, nullptr);
    }
    EXPECT_EQ(g_tables.funIndex.size(), namesBefore) << "the name index keeps the first registration";
    EXPECT_EQ(g_tables.funIndex.at("sin"), 3);
    EXPECT_EQ(g_tables.vars.size(), varsBefore);
    EXPECT_EQ(g_tables.vars[0].value, 0.0L);
    EXPECT_EQ(g_tables.vars[1].value, 0.0L);
    EXPECT_EQ(g_tables.vars[2].value, static_cast<long double>(3.141592653589793));
    EXPECT_EQ(g_tables.vars[3].value, static_cast<long double>(2.718281828459045));
    EXPECT_EQ(EvalConst("tablesconst", &err, &errpos), 4.0) << "user constants are kept";
    EXPECT_EQ(EvalConst("sin(pi/2)", &err, &errpos), 1.0);

    ASSERT_EQ(AddFun("tablesafter", "x+1"), 0);
    EXPECT_EQ(g_tables.funIndex.at("tablesafter"), static_cast<int32_t>(funsBefore) + BuiltinCount);
    DelTree(h);
}

TEST_F(Tables, CopyIsIndependentOfItsOriginal)
{
    int32_t err = 0, errpos = 0;
    const TrevHandle original = CrTree("a*x+b", "a=2; b=4", &err, &errpos);
    ASSERT_EQ(err, 0);
    const TrevHandle copy = CopyTree(original);
    ASSERT_NE(copy, 0u);
    ASSERT_NE(copy, original);
    EXPECT_EQ(EditParameters(copy, "a=10"), 0);
    EXPECT_EQ(EvalTree(copy, 1, &err), 14.0);
    EXPECT_EQ(EvalTree(original, 1, &err), 6.0);
    EXPECT_EQ(EditParameters(original, "b=-1"), 0);
    EXPECT_EQ(EvalTree(copy, 1, &err), 14.0);
    EXPECT_EQ(std::string(ShowParameters(original)), "a=2; b=-1; ");
    EXPECT_EQ(std::string(ShowParameters(copy)), "a=10; b=4; ");

    DelTree(original);
    EXPECT_EQ(EvalTree(copy, 1, &err), 14.0);
    EXPECT_EQ(err, 0);
    EXPECT_STREQ(StrTree(copy), "a*x+b");
    DelTree(copy);
}

TEST_F(Tables, HandlesOfFailedParsesAreOrdinaryHandles)
{
    const size_t liveBefore = g_handles.liveCount();
    int32_t err = 0, errpos = 0;
    const TrevHandle failed = CrTree("a+", "a=1", &err, &errpos);
    ASSERT_EQ(err, -51);
    ASSERT_NE(failed, 0u);
    EXPECT_EQ(g_handles.find(failed)->root, nullptr);
    EXPECT_STREQ(StrTree(failed), "");
    EXPECT_STREQ(ShowParameters(failed), "a=1; ");
    const TrevHandle copy = CopyTree(failed);
    ASSERT_NE(copy, 0u);
    EXPECT_EQ(g_handles.find(copy)->root, nullptr);
    EXPECT_STREQ(StrTree(copy), "");
    DelTree(failed);
    DelTree(copy);
    DelTree(0);
    EXPECT_EQ(g_handles.liveCount(), liveBefore);
}

struct NestingRow {
    const char *name;
    std::string text;
    int32_t code;
    double x;
    double value; // when code is 0
};

// Trees are bounded at MaxTreeDepth levels (a leaf is one level); deeper texts are refused.
TEST_F(Tables, DeepNestingIsBoundedWithoutCrashing)
{
    static_assert(MaxTreeDepth == 1000, "the rows below are written for a bound of 1000 levels");
    const NestingRow rows[] = {
        {"100,000 parentheses add no level", Repeat("(", 100000) + "x" + Repeat(")", 100000), 0, 1.5, 1.5},
        {"100,000 unary minus", Repeat("-(", 100000) + "x" + Repeat(")", 100000), TREVMATH_ERR_TOO_DEEP, 0, 0},
        {"100,000 nested calls", Repeat("sin(", 100000) + "x" + Repeat(")", 100000), TREVMATH_ERR_TOO_DEEP, 0, 0},
        {"100,000-term sum", Sum(100000), TREVMATH_ERR_TOO_DEEP, 0, 0},
        {"sum exactly at the bound", Sum(1000), 0, 0.5, 500},
        {"sum one level beyond", Sum(1001), TREVMATH_ERR_TOO_DEEP, 0, 0},
        {"unary minus chain at the bound", Repeat("-(", 999) + "x" + Repeat(")", 999), 0, 2, -2},
        {"unary minus chain one beyond", Repeat("-(", 1000) + "x" + Repeat(")", 1000), TREVMATH_ERR_TOO_DEEP, 0, 0},
        {"calls at the bound", Repeat("abs(", 999) + "x" + Repeat(")", 999), 0, -3, 3},
        {"calls one beyond", Repeat("abs(", 1000) + "x" + Repeat(")", 1000), TREVMATH_ERR_TOO_DEEP, 0, 0},
        {"implied products at the bound", "2" + Repeat(" 1", 999), 0, 0, 2},
        {"implied products one beyond", "2" + Repeat(" 1", 1000), TREVMATH_ERR_TOO_DEEP, 0, 0},
        {"right-nested powers one beyond", Repeat("1^(", 1000) + "x" + Repeat(")", 1000), TREVMATH_ERR_TOO_DEEP, 0, 0},
    };
    for (const NestingRow &row : rows) {
        SCOPED_TRACE(row.name);
        int32_t err = 99, errpos = 0;
        const TrevHandle h = CrTree2(row.text.c_str(), &err, &errpos);
        ASSERT_NE(h, 0u);
        EXPECT_EQ(err, row.code);
        if (row.code == 0) {
            EXPECT_EQ(EvalTree(h, row.x, &err), row.value);
            EXPECT_EQ(err, 0);
        } else {
            EXPECT_EQ(g_handles.find(h)->root, nullptr);
        }
        DelTree(h);
    }
    // The constant evaluator builds no tree, so it reads any depth.
    int32_t err = 99, errpos = 0;
    EXPECT_EQ(EvalConst((Repeat("(", 100000) + "2" + Repeat(")", 100000)).c_str(), &err, &errpos), 2.0);
    EXPECT_EQ(EvalConst((Repeat("-(", 100000) + "2" + Repeat(")", 100000)).c_str(), &err, &errpos), 2.0);
    EXPECT_EQ(err, 0);
}

TEST_F(Tables, TreeAtTheDepthBoundEvaluatesPrintsAndDerives)
{
    // 998 unary minus over x^3: 1000 levels.
    const std::string text = Repeat("-(", 998) + "x^3" + Repeat(")", 998);
    int32_t err = 99, errpos = 0;
    const TrevHandle h = CrTree2(text.c_str(), &err, &errpos);
    ASSERT_EQ(err, 0);
    EXPECT_EQ(EvalTree(h, 2, &err), 8.0);
    const std::string printed = StrTree(h);
    EXPECT_EQ(printed, Repeat("-(", 997) + "-x^3" + Repeat(")", 997));
    const TrevHandle reparsed = CrTree2(printed.c_str(), &err, &errpos);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(printed, StrTree(reparsed));
    const TrevHandle first = DerTree(h);
    const TrevHandle second = DerTree(first);
    EXPECT_STREQ(StrTree(first), "3*x^2");
    EXPECT_STREQ(StrTree(second), "6*x");

    const TrevHandle sum = CrTree2(Sum(1000).c_str(), &err, &errpos);
    const TrevHandle sumFirst = DerTree(sum);
    const TrevHandle sumSecond = DerTree(sumFirst);
    EXPECT_STREQ(StrTree(sumFirst), "1000");
    EXPECT_STREQ(StrTree(sumSecond), "0");
    for (const TrevHandle t : {h, reparsed, first, second, sum, sumFirst, sumSecond})
        DelTree(t);
}

} // namespace
