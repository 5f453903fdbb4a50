// Parameter lists, plain numbers, constant values, user constants and the rule that keeps the
// last computed constant in res.
#include "Handles.h"
#include "Parameters.h"
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

class Parameters : public ::testing::Test {
protected:
    void SetUp() override { EnsureEngine(); }
};

long double &Res() { return g_tables.vars[VarRes].value; }

struct PlainRow {
    const char *name;
    const char *text;
    int32_t code;
    double value;
};

TEST_F(Parameters, PlainNumbers)
{
    const PlainRow rows[] = {
        {"integer", "12", 0, 12},
        {"negative with blanks around", "  -3.5  ", 0, -3.5},
        {"second point ends the value", "1.2.3", 0, 1.2},
        {"trailing point", "5.", 0, 5},
        {"leading point", "-.5", 0, -0.5},
        {"lone minus", "-", 0, 0},
        {"lone minus and point", "-.", 0, 0},
        {"lone point", ".", 0, 0},
        {"minus, blank, digit", "- 2", -1, 0},
        {"no exponent syntax", "1e5", -1, 0},
        {"constant name", "pi", -1, 0},
        {"expression", "2sin(1)", -1, 0},
        {"two numbers", "1 2", -1, 0},
        {"difference", "1-2", -1, 0},
        {"plus sign", "+5", -1, 0},
        {"decimal comma", "1,5", -1, 0},
        {"tab before the number", "\t5", -1, 0},
        {"empty", "", -1, 0},
        {"spaces only", "   ", -1, 0},
    };
    for (const PlainRow &row : rows) {
        SCOPED_TRACE(row.name);
        double value = -99;
        EXPECT_EQ(IsPlainNumber(row.text, value), row.code) << row.text;
        if (row.code == 0) {
            EXPECT_EQ(value, row.value) << row.text;
            // atof performs no conversion on a lone sign and returns +0, not -0.
            EXPECT_EQ(std::signbit(value), std::signbit(row.value)) << row.text << " gave " << value;
        }
    }
}

struct ListRow {
    const char *name;
    const char *text;
    int32_t code;
    const char *shown; // the resulting list as ShowParameters prints it
};

TEST_F(Parameters, ParameterListsInCreateMode)
{
    const ListRow rows[] = {
        {"three entries in order", "a=2; b=4; c=1", 0, "a=2; b=4; c=1; "},
        {"first appearance decides the index", "b=2; a=1; b=3", 0, "b=3; a=1; "},
        {"upper case and spaces", "A = 1 ;B=2", 0, "a=1; b=2; "},
        {"spaces everywhere", "  a  =  3  ;  b  =  4  ", 0, "a=3; b=4; "},
        {"digits in names", "a1=1; b22=2", 0, "a1=1; b22=2; "},
        {"empty text", "", 0, ""},
        {"trailing separator", "a=1;  ", 0, "a=1; "},
        {"empty entry after an applied one", "a=1;;b=2", -1, "a=1; "},
        {"entry not starting with a letter", "a=1; 2b=3", -1, "a=1; "},
        {"spaces only", "   ", -1, ""},
        {"name without equals sign", "a 1", -2, ""},
        {"missing equals sign after an applied entry", "a=1; b 2; c=3", -2, "a=1; "},
        {"name at the end", "a=1;b", -2, "a=1; "},
        {"constant name ignored", "pi=3; b=1", 0, "b=1; "},
        {"function name ignored", "sin=2; b=1", 0, "b=1; "},
        {"x, e and res ignored", "x=1; e=5; res=2; b=1", 0, "b=1; "},
        {"longer name is a parameter", "pi2=3", 0, "pi2=3; "},
        {"value using x ignored", "a=x; b=2", 0, "b=2; "},
        {"value using a parameter ignored", "a=1; b=a", 0, "a=1; "},
        {"failing value ignored", "a=1/0; b=2", 0, "b=2; "},
        {"empty value ignored", "a=; b=2", 0, "b=2; "},
        {"implied product in a value", "a=1 2", 0, "a=2; "},
        {"decimal comma in a value", "a=1,5", 0, "a=1.5; "},
        {"lone minus is zero, printed without a sign", "a=-", 0, "a=0; "},
        {"lone point is zero", "a=.", 0, "a=0; "},
        {"functions and constants in a value", "a=sqrt(16)+pi-pi", 0, "a=4; "},
        {"tenth", "a=0.1", 0, "a=0.1; "},
        {"ten significant digits", "a=1/3", 0, "a=0.3333333333; "},
        {"small value printed without exponent", "a=0.00001", 0, "a=0.00001; "},
        {"negative value", "a=-2.5", 0, "a=-2.5; "},
    };
    for (const ListRow &row : rows) {
        SCOPED_TRACE(row.name);
        TreeHandle tree;
        EXPECT_EQ(ParseParameters(tree, row.text, ParameterMode::Create), row.code) << row.text;
        EXPECT_EQ(ShowParametersText(tree), row.shown) << row.text;
        for (size_t i = 0; i < tree.parameters.size(); ++i) {
            EXPECT_EQ(tree.parameters[i].index, static_cast<int32_t>(i));
            EXPECT_EQ(tree.parameterIndex.at(tree.parameters[i].name), static_cast<int32_t>(i));
        }
    }
}

TEST_F(Parameters, ParameterListsInUpdateMode)
{
    const ListRow rows[] = {
        {"changes existing, creates nothing", "a=5; d=1", 0, "a=5; b=2; "},
        {"applies entries before a failure", "b=3; a 1", -2, "a=1; b=3; "},
        {"unknown name only", "c=7", 0, "a=1; b=2; "},
        {"empty entry", ";", -1, "a=1; b=2; "},
    };
    for (const ListRow &row : rows) {
        SCOPED_TRACE(row.name);
        TreeHandle tree;
        ASSERT_EQ(ParseParameters(tree, "a=1; b=2", ParameterMode::Create), 0);
        EXPECT_EQ(ParseParameters(tree, row.text, ParameterMode::Update), row.code);
        EXPECT_EQ(ShowParametersText(tree), row.shown);
    }
}

TEST_F(Parameters, EditParametersThroughTheExport)
{
    int32_t err = 0, errpos = 0;
    const TrevHandle h = CrTree("a*x+b", "a=2; b=4", &err, &errpos);
    EXPECT_EQ(EditParameters(h, "a=5; d=1"), 0);
    EXPECT_EQ(EvalTree(h, 1, &err), 9.0);
    EXPECT_EQ(EditParameters(h, "b 1"), -2);
    DelTree(h);
    // A list that failed to give a its value leaves a unknown to the expression.
    const TrevHandle refused = CrTree("a*x", "a=x", &err, &errpos);
    EXPECT_EQ(err, -1);
    DelTree(refused);
}

TEST_F(Parameters, ValuesAreStoredAsDoublesWhileResKeepsExtendedPrecision)
{
    volatile long double one = 1; // computed at run time, with the library the engine uses
    const long double b = 2 * sinl(one) - 6;
    TreeHandle tree;
    ASSERT_EQ(ParseParameters(tree, "a=7; b=2sin(1)-6", ParameterMode::Create), 0);
    ASSERT_EQ(tree.parameters.size(), 2u);
    EXPECT_EQ(tree.parameters[1].value, static_cast<long double>(static_cast<double>(b)));
    EXPECT_EQ(Res(), b);

    TreeHandle third;
    ASSERT_EQ(ParseParameters(third, "a=1/3", ParameterMode::Create), 0);
    EXPECT_EQ(third.parameters[0].value, static_cast<long double>(1.0 / 3.0));
    EXPECT_EQ(Res(), 1.0L / 3.0L);
}

struct ResRow {
    const char *name;
    const char *text;
    int32_t code;
    double value;     // when code is 0
    bool errposWritten;
};

// EvalConst: res after every kind of success and failure; errpos only when the parser ran.
TEST_F(Parameters, EvalConstAndRes)
{
    const ResRow rows[] = {
        {"plain number", "2", 0, 2, false},
        {"plain number with a second point", "1.2.3", 0, 1.2, false},
        {"lone minus", "-", 0, 0, false},
        {"lone point", ".", 0, 0, false},
        {"expression", "2+3", 0, 5, true},
        {"minus, blank, digit is an expression", "- 2", 0, -2, true},
        {"decimal comma is an expression", "2,5", 0, 2.5, true},
        {"constant expression", "2sin(1)-6", 0, 2 * std::sin(1.0) - 6, true},
        {"evaluation failure", "1/0", 32, 0, true},
        {"function failure", "ln(0)", 101, 0, true},
        {"x is refused", "x+1", -3, 0, true},
        {"parse failure", "2+", -51, 0, true},
        {"unknown name", "foo", -1, 0, true},
    };
    for (const ResRow &row : rows) {
        SCOPED_TRACE(row.name);
        Res() = 123;
        int32_t err = 99, errpos = -77;
        const double value = EvalConst(row.text, &err, &errpos);
        EXPECT_EQ(err, row.code);
        if (row.code == 0) {
            EXPECT_NEAR(value, row.value, 1e-15 * std::fabs(row.value));
            EXPECT_EQ(static_cast<double>(Res()), value);
        } else {
            EXPECT_EQ(Res(), 123.0L) << "res is unchanged after a failure";
        }
        EXPECT_EQ(errpos != -77, row.errposWritten);
    }
    int32_t err = 99, errpos = 0;
    EvalConst("x+1", &err, &errpos);
    EXPECT_EQ(errpos, 1);
}

TEST_F(Parameters, ParameterValuesUpdateResEvenWhenTheEntryIsIgnored)
{
    Res() = 123;
    TreeHandle tree;
    ParseParameters(tree, "pi=7", ParameterMode::Create);
    EXPECT_EQ(Res(), 7.0L);
    EXPECT_EQ(static_cast<double>(g_tables.vars[2].value), 3.141592653589793);
    ParseParameters(tree, "a=1/0", ParameterMode::Create);
    EXPECT_EQ(Res(), 7.0L);
    int32_t err = 0, errpos = 0;
    const TrevHandle h = CrTree("x", "a=3", &err, &errpos);
    EXPECT_EQ(Res(), 3.0L);
    DelTree(h);
}

TEST_F(Parameters, UserConstants)
{
    ASSERT_EQ(AddConst("gconst", 9.81), 0);
    int32_t err = 99, errpos = 0;
    // 1e-14: the product of two decimal fractions carries one rounding.
    EXPECT_NEAR(EvalConst("2gconst", &err, &errpos), 19.62, 1e-14);
    const TrevHandle h = CrTree("gconst*x+a", "a=gconst", &err, &errpos);
    ASSERT_EQ(err, 0);
    EXPECT_STREQ(ShowParameters(h), "a=9.81; ");
    EXPECT_NEAR(EvalTree(h, 2, &err), 3 * 9.81, 1e-14);
    ASSERT_EQ(AddConst("GCONST", 10), 0); // an existing tree sees the new value
    EXPECT_NEAR(EvalTree(h, 2, &err), 29.81, 1e-14); // one rounding of the sum
    DelTree(h);

    const size_t varsBefore = g_tables.vars.size();
    ASSERT_EQ(AddConst(" Gconst2 ", 0.1), 0);
    EXPECT_EQ(g_tables.varIndex.at("gconst2"), static_cast<int32_t>(varsBefore));
    EXPECT_EQ(g_tables.vars[varsBefore].value, static_cast<long double>(0.1));

    ASSERT_EQ(AddFun("paramfun", "x"), 0);
    const char *refused[] = {"sin", "2g", "", "  ", "g 2", "g_1", "g=1", "paramfun"};
    for (const char *name : refused) {
        SCOPED_TRACE(name);
        EXPECT_EQ(AddConst(name, 1), -19);
    }
    EXPECT_EQ(g_tables.vars.size(), varsBefore + 1);

    ASSERT_EQ(AddConst("pi", 3), 0);
    EXPECT_EQ(EvalConst("pi", &err, &errpos), 3.0);
    const TrevHandle p = CrTree2("2pi", &err, &errpos);
    EXPECT_EQ(EvalTree(p, 0, &err), 6.0);
    DelTree(p);
    ASSERT_EQ(AddConst("pi", 3.141592653589793), 0);
    ASSERT_EQ(AddConst("res", 6), 0);
    EXPECT_EQ(EvalConst("res", &err, &errpos), 6.0);
}

} // namespace
