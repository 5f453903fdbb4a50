// User-defined functions: definition, redefinition, the refusal of self-reference, name rules,
// calls from trees and from constant expressions, and calls after the engine was cleared.
// User functions live for the whole process, so every test defines its own names.
#include "Printer.h"
#include "UserFunctions.h"
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

class UserFunctions : public ::testing::Test {
protected:
    void SetUp() override { EnsureEngine(); }
};

double Constant(const char *text, int32_t expectedCode = 0)
{
    int32_t err = 99, errpos = 0;
    const double value = EvalConst(text, &err, &errpos);
    EXPECT_EQ(err, expectedCode) << text;
    return value;
}

int32_t IndexOf(const char *name) { return g_tables.funIndex.at(name); }

TEST_F(UserFunctions, DefinitionsCallsAndRedefinitionSeenByCallers)
{
    const size_t before = g_tables.funs.size();
    ASSERT_EQ(::AddFun("uff", "x^2+1"), 0);
    EXPECT_EQ(IndexOf("uff"), static_cast<int32_t>(before)) << "the next free index";
    EXPECT_GE(IndexOf("uff"), BuiltinCount);
    EXPECT_EQ(Constant("uff(3)"), 10.0);
    EXPECT_EQ(Constant("2uff(1)"), 4.0);
    EXPECT_EQ(Constant("uff(uff(1))"), 5.0);

    ASSERT_EQ(::AddFun("ufg", "uff(x)+1"), 0);
    EXPECT_EQ(IndexOf("ufg"), static_cast<int32_t>(before) + 1);
    EXPECT_EQ(Constant("ufg(1)"), 3.0);
    ASSERT_EQ(::AddFun("uff", "2x"), 0);
    EXPECT_EQ(IndexOf("uff"), static_cast<int32_t>(before)) << "a redefinition keeps the index";
    EXPECT_EQ(g_tables.funs.size(), before + 2);
    EXPECT_EQ(Constant("ufg(1)"), 3.0) << "callers use the new body";

    // Refused redefinitions: the function would call itself, directly or through ufg.
    const char *refused[] = {"uff(x)+1", "sin(uff(x))", "ufg(x)", "2*ufg(x+1)"};
    for (const char *body : refused) {
        SCOPED_TRACE(body);
        EXPECT_EQ(::AddFun("uff", body), -19);
        EXPECT_EQ(Constant("uff(3)"), 6.0) << "the previous body stays";
        EXPECT_EQ(Constant("ufg(1)"), 3.0);
    }
    EXPECT_EQ(g_tables.funs.size(), before + 2);
}

TEST_F(UserFunctions, NameRules)
{
    ASSERT_EQ(AddConst("ufconst", 1), 0);
    const size_t before = g_tables.funs.size();
    const char *refused[] = {"sin", "pi", "x", "e", "res", "ufconst", "2f", "", "   ", "f g", "f_1", "f="};
    for (const char *name : refused) {
        SCOPED_TRACE(name);
        EXPECT_EQ(::AddFun(name, "x+1"), -19);
    }
    EXPECT_EQ(g_tables.funs.size(), before);
    EXPECT_EQ(Constant("sin(0)"), 0.0) << "a built-in cannot be redefined";

    ASSERT_EQ(::AddFun(" F ", "x+1"), 0);
    EXPECT_EQ(g_tables.funIndex.count("f"), 1u);
    EXPECT_EQ(Constant("f(1)"), 2.0);
    ASSERT_EQ(::AddFun("Uf2 ", "x*3"), 0);
    EXPECT_EQ(Constant("UF2(2)"), 6.0);
    EXPECT_EQ(AddConst("uf2", 1), -19) << "a function name cannot become a constant";
}

TEST_F(UserFunctions, RefusedFirstDefinitionsAddNothing)
{
    const size_t before = g_tables.funs.size();
    const char *bodies[][2] = {
        {"ufh", "ufh(x)"},  // its own name is not known yet
        {"ufk", "q*x"},     // no constant q
        {"ufl", "x+"},      // does not parse
        {"ufm", ""},        // empty body
    };
    for (const auto &definition : bodies) {
        SCOPED_TRACE(definition[1]);
        EXPECT_EQ(::AddFun(definition[0], definition[1]), -19);
        EXPECT_EQ(g_tables.funIndex.count(definition[0]), 0u);
    }
    EXPECT_EQ(g_tables.funs.size(), before);
    for (size_t i = BuiltinCount; i < g_tables.funs.size(); ++i)
        EXPECT_EQ(g_tables.funs[i].index, static_cast<int32_t>(i));
}

TEST_F(UserFunctions, RefusedRedefinitionKeepsThePreviousBody)
{
    ASSERT_EQ(::AddFun("ufkeep", "x^2"), 0);
    int32_t err = 99, errpos = 0;
    const TrevHandle tree = CrTree2("ufkeep(x)+1", &err, &errpos);
    ASSERT_EQ(err, 0);
    EXPECT_EQ(::AddFun("ufkeep", "ufkeep(x)"), -19);
    EXPECT_EQ(::AddFun("ufkeep", "x+"), -19);
    EXPECT_EQ(::AddFun("ufkeep", "unknownname*x"), -19);
    EXPECT_EQ(EvalTree(tree, 3, &err), 10.0);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(Constant("ufkeep(4)"), 16.0);
    std::string body;
    const FunEntry &entry = g_tables.funs[static_cast<size_t>(IndexOf("ufkeep"))];
    PrintNode(*entry.userTree, entry.userTree->root, body);
    EXPECT_EQ(body, "x^2");
    DelTree(tree);
}

TEST_F(UserFunctions, CallsFromTreesAndConstants)
{
    ASSERT_EQ(::AddFun("ufsq", "x^2"), 0);
    ASSERT_EQ(::AddFun("ufln", "ln(x)"), 0);
    ASSERT_EQ(AddConst("ufscalek", 2), 0);
    ASSERT_EQ(::AddFun("ufscale", "ufscalek*x"), 0);
    const struct {
        const char *text;
        double x;
        int32_t code;
        double value;
    } rows[] = {
        {"ufsq(x)+ufsq(2)", 3, 0, 13},
        {"ufsq(ufsq(x))", 2, 0, 16},
        {"2ufsq(x)", 3, 0, 18},
        {"ufln(x)", 0, 101, 0},      // the body's code passes through
        {"1+ufln(x-1)", 1, 101, 0},
        {"ufsq(1/0)", 0, 32, 0},     // the argument fails before the call
        {"ufscale(x)", 3, 0, 6},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        int32_t err = 99, errpos = 0;
        const TrevHandle h = CrTree2(row.text, &err, &errpos);
        ASSERT_EQ(err, 0);
        const double value = EvalTree(h, row.x, &err);
        EXPECT_EQ(err, row.code);
        if (row.code == 0) {
            EXPECT_EQ(value, row.value);
        }
        DelTree(h);
    }
    EXPECT_EQ(Constant("ufln(0)", 101), 0.0);
    ASSERT_EQ(AddConst("ufscalek", 5), 0); // the body refers to the constant, not its value
    EXPECT_EQ(Constant("ufscale(3)"), 15.0);

    int32_t err = 99, errpos = 0;
    const TrevHandle parsedBefore = CrTree2("ufsq(x)", &err, &errpos);
    ASSERT_EQ(::AddFun("ufsq", "x*10"), 0);
    EXPECT_EQ(EvalTree(parsedBefore, 2, &err), 20.0) << "a tree parsed earlier calls the new body";
    DelTree(parsedBefore);
}

// ClearTrevolin releases every user-function body in the process, so this runs last; the other
// tests define the functions they call themselves. No engine call is meant to follow ClearTrevolin,
// but a call that does must not crash.
TEST(UserFunctionsAfterClear, CallsDoNotCrash)
{
    EnsureEngine();
    ASSERT_EQ(::AddFun("ufclear", "x+1"), 0);
    int32_t err = 99, errpos = 0;
    const TrevHandle tree = CrTree2("ufclear(x)*2", &err, &errpos);
    ASSERT_EQ(err, 0);
    ClearTrevolin();
    EvalTree(tree, 1, &err);
    EvalConst("ufclear(2)", &err, &errpos);
    const TrevHandle derivative = DerTree(tree);
    StrTree(derivative);
    StrTree(tree);
    EXPECT_EQ(EvalConst("sin(0)", &err, &errpos), 0.0);
    ::AddFun("ufclear", "x*3");
    DelTree(derivative);
    DelTree(tree);
}

} // namespace
