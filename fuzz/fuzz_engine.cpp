// Feeds arbitrary bytes to the engine. The input is split at the first '|' into an expression
// and a parameter list. Everything that parses is evaluated (its flat steps checked against the
// recursive walk), printed and parsed back (which must succeed), differentiated twice, printed
// and evaluated again.
#include "Evaluator.h"
#include "Handles.h"
#include "trevmath.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool ok, const char *what, const std::string &text)
{
    if (!ok) {
        std::fprintf(stderr, "%s: [%s]\n", what, text.c_str());
        std::abort();
    }
}

// The tree's flat steps (EvalTree) and the recursive walk give the same bits and code.
void CheckFlatAgainstWalk(TrevHandle handle, double x, double flat, int32_t flatError)
{
    trev::TreeHandle *tree = trev::g_handles.find(handle);
    if (!tree || !tree->root || tree->flatState <= 0)
        return;
    trev::g_tables.vars[trev::VarX].value = x;
    tree->error = 0;
    const double walked = static_cast<double>(trev::EvaluateNode(*tree, tree->root));
    int32_t walkedError = tree->error;
    if (walkedError == 0 && std::isinf(walked))
        walkedError = trev::OverflowError;
    const bool same = std::memcmp(&flat, &walked, sizeof flat) == 0 || (std::isnan(flat) && std::isnan(walked));
    Check(same && flatError == walkedError, "flat steps and the walk differ", StrTree(handle));
}

void Exercise(TrevHandle tree)
{
    static const double Points[] = {-3.5, -1, 0, 0.5, 2, 1e6};
    int32_t err = 0;
    for (double x : Points)
        CheckFlatAgainstWalk(tree, x, EvalTree(tree, x, &err), err);
    std::string printed = StrTree(tree);
    std::string parameters = ShowParameters(tree);
    if (!parameters.empty())
        parameters.resize(parameters.size() - 2);
    int32_t errpos = 0;
    TrevHandle again = CrTree(printed.c_str(), parameters.c_str(), &err, &errpos);
    // Infinite and NaN numbers (from folding constants such as 1/0) print as the C library
    // writes them, which is not expression syntax; every other text must read back.
    const bool nonFinite = printed.find("inf") != std::string::npos || printed.find("nan") != std::string::npos;
    Check(err == 0 || nonFinite, "printed text does not parse", printed);
    DelTree(again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static bool initialised = false;
    if (!initialised) {
        InitTrevolin();
        AddConst("g", 9.81);
        AddFun("sq", "x^2");
        AddFun("twice", "2*sq(x)+1");
        initialised = true;
    }
    std::string input(reinterpret_cast<const char *>(data), size);
    for (char &c : input)
        if (c == '\0')
            c = ' ';
    std::string expression = input, parameters;
    if (size_t bar = input.find('|'); bar != std::string::npos) {
        expression = input.substr(0, bar);
        parameters = input.substr(bar + 1);
    }

    int32_t err = 0, errpos = 0;
    EvalConst(expression.c_str(), &err, &errpos);
    TrevHandle plain = CrTree2(expression.c_str(), &err, &errpos);
    if (err == 0)
        Exercise(plain);
    DelTree(plain);

    TrevHandle tree = CrTree(expression.c_str(), parameters.c_str(), &err, &errpos);
    if (err == 0) {
        Exercise(tree);
        TrevHandle copy = CopyTree(tree);
        TrevHandle first = DerTree(tree);
        DelTree(tree);
        TrevHandle second = DerTree(first);
        Exercise(first);
        Exercise(second);
        EditParameters(copy, parameters.c_str());
        // Nested powers make derivatives grow quickly; the numerics over a huge second
        // derivative only cost time, so they run on the trees of ordinary size.
        if (std::string(StrTree(second)).size() < 20000) {
            int32_t rootErr = 0;
            FindRoot(copy, first, -1, 2, &rootErr);
            Integrate(second, 0, 1, &rootErr);
        }
        DelTree(second);
        DelTree(first);
        DelTree(copy);
    } else {
        DelTree(tree);
    }
    return 0;
}
