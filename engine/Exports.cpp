// The sixteen exported functions: the engine's whole surface. Each checks its handles, so a
// stale or made-up handle is reported instead of being followed.
#include "trevmath.h"

#include "Derivative.h"
#include "Evaluator.h"
#include "Handles.h"
#include "Numerics.h"
#include "Parameters.h"
#include "Parser.h"
#include "Printer.h"
#include "UserFunctions.h"

#include <string>

using namespace trev;

namespace {

// Texts handed out by StrTree and ShowParameters, valid until the next call of the same export.
std::string g_strTreeText;
std::string g_showParametersText;

// The engine's arithmetic is x87 and SSE code. A caller that has just run AVX code without
// clearing the upper halves of the vector registers (the graphics library's raster paths do)
// would make every SSE instruction here pay a transition penalty, a third more time for a
// scan. Clearing them costs about a cycle, so every export that computes does it first.
inline void ClearUpperVectorState()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx)
        __asm__ volatile("vzeroupper");
#endif
}

void Write(int32_t *target, int32_t value)
{
    if (target)
        *target = value;
}

TrevHandle Parse(const char *text, const char *parameters, int32_t *err, int32_t *errpos)
{
    auto tree = std::make_unique<TreeHandle>();
    if (parameters)
        ParseParameters(*tree, parameters, ParameterMode::Create);
    int32_t position = 0;
    int32_t code = ParseExpression(*tree, text, position);
    if (code != 0) {
        FreeNodes(tree->root);
        tree->root = nullptr;
    }
    Write(err, code);
    Write(errpos, position);
    return g_handles.add(std::move(tree));
}

} // namespace

extern "C" {

void InitTrevolin(void)
{
    InitTables();
    TakeTableX();
}

void ClearTrevolin(void) { ClearUserFunctionBodies(); }

TrevHandle CrTree(const char *text, const char *parameters, int32_t *err, int32_t *errpos)
{
    return Parse(text, parameters ? parameters : "", err, errpos);
}

TrevHandle CrTree2(const char *text, int32_t *err, int32_t *errpos) { return Parse(text, nullptr, err, errpos); }

TrevHandle CopyTree(TrevHandle handle)
{
    const TreeHandle *tree = g_handles.find(handle);
    return tree ? g_handles.add(CopyHandle(*tree)) : 0;
}

void DelTree(TrevHandle handle) { g_handles.remove(handle); }

double EvalTree(TrevHandle handle, double x, int32_t *err)
{
    ClearUpperVectorState();
    TreeHandle *tree = g_handles.find(handle);
    if (!tree) {
        Write(err, TREVMATH_ERR_INVALID_HANDLE);
        return 0;
    }
    int32_t code = 0;
    Real result = EvaluateAt(*tree, x, code);
    Write(err, code);
    return static_cast<double>(result);
}

const char *StrTree(TrevHandle handle)
{
    g_strTreeText.clear();
    if (const TreeHandle *tree = g_handles.find(handle))
        PrintNode(*tree, tree->root, g_strTreeText);
    return g_strTreeText.c_str();
}

TrevHandle DerTree(TrevHandle handle)
{
    const TreeHandle *tree = g_handles.find(handle);
    return tree ? g_handles.add(DeriveTree(*tree)) : 0;
}

double FindRoot(TrevHandle f, TrevHandle df, double a, double b, int32_t *err)
{
    ClearUpperVectorState();
    TreeHandle *function = g_handles.find(f);
    TreeHandle *derivative = g_handles.find(df);
    if (!function || !derivative) {
        Write(err, TREVMATH_ERR_INVALID_HANDLE);
        return 0;
    }
    int32_t code = 0;
    Real root = SafeNewtonRoot(*function, *derivative, a, b, code);
    Write(err, code);
    return static_cast<double>(root);
}

double Integrate(TrevHandle f, double a, double b, int32_t *err)
{
    ClearUpperVectorState();
    TreeHandle *function = g_handles.find(f);
    if (!function) {
        Write(err, TREVMATH_ERR_INVALID_HANDLE);
        return 0;
    }
    int32_t code = 0;
    Real integral = SimpsonIntegral(*function, a, b, code);
    Write(err, code);
    return static_cast<double>(integral);
}

int32_t EditParameters(TrevHandle handle, const char *parameters)
{
    TreeHandle *tree = g_handles.find(handle);
    if (!tree)
        return TREVMATH_ERR_INVALID_HANDLE;
    return ParseParameters(*tree, parameters ? parameters : "", ParameterMode::Update);
}

const char *ShowParameters(TrevHandle handle)
{
    const TreeHandle *tree = g_handles.find(handle);
    g_showParametersText = tree ? ShowParametersText(*tree) : std::string();
    return g_showParametersText.c_str();
}

double EvalConst(const char *text, int32_t *err, int32_t *errpos)
{
    ClearUpperVectorState();
    Real value = 0;
    int32_t position = 0;
    bool ranParser = false;
    int32_t code = EvaluateValueText(text ? text : "", value, position, &ranParser);
    Write(err, code);
    if (ranParser)
        Write(errpos, position);
    return code == 0 ? static_cast<double>(value) : 0.0;
}

int32_t AddConst(const char *name, double value) { return AddConstant(name ? name : "", value); }

int32_t AddFun(const char *name, const char *body) { return trev::AddFun(name ? name : "", body ? body : ""); }

} // extern "C"
