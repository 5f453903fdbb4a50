#include "Evaluator.h"

#include "trevmath.h"

#include <cerrno>
#include <cmath>
#include <limits>

namespace trev {
namespace {

constexpr Real QuietNaN = std::numeric_limits<Real>::quiet_NaN();

// User functions call each other (never themselves), and each body is at most MaxTreeDepth
// deep; the sum of the body depths on the current call chain is kept below this budget so that
// a long chain of deep functions cannot exhaust the stack.
constexpr int UserCallDepthBudget = 20000;
int g_userCallDepth = 0;

inline bool FailedAsDouble(Real r) { return !std::isfinite(static_cast<double>(r)); }

} // namespace

int32_t CallUserFunction(FunEntry &function, Real argument, Real &result)
{
    TreeHandle &body = *function.userTree;
    if (g_userCallDepth + function.bodyDepth > UserCallDepthBudget) {
        result = 0;
        return TREVMATH_ERR_TOO_DEEP;
    }
    g_userCallDepth += function.bodyDepth;
    body.error = 0;
    g_tables.vars[VarX].value = argument;
    result = EvaluateNode(body, body.root);
    g_userCallDepth -= function.bodyDepth;
    return body.error;
}

Real EvaluateNode(TreeHandle &handle, const Node *node)
{
    if (handle.error != 0 || node == nullptr)
        return QuietNaN;
    // The left operand (or argument) first, whatever the kind; leaves have none.
    const Real a = node->left ? EvaluateNode(handle, node->left) : QuietNaN;
    if (handle.error != 0)
        return 0;

    switch (node->kind) {
    case Number:
        return node->value;
    case Variable:
        return g_tables.vars[static_cast<size_t>(node->code)].value;
    case Parameter:
        return handle.parameters[static_cast<size_t>(node->code)].value;
    case Negate:
        return -a;
    case Call: {
        FunEntry &function = g_tables.funs[static_cast<size_t>(node->code)];
        if (!function.userTree) {
            errno = 0;
            Real r = function.native(a);
            if (errno != 0 || FailedAsDouble(r))
                handle.error = 101 + node->code;
            return r;
        }
        Real r;
        handle.error = CallUserFunction(function, a, r);
        return r;
    }
    case BinaryOp: {
        if (node->code < OpAdd || node->code > OpPow || node->code == OpNeg)
            return a;
        const Real b = EvaluateNode(handle, node->right);
        if (handle.error != 0)
            return 0;
        errno = 0;
        Real r;
        int32_t failure;
        switch (node->code) {
        case OpAdd: r = a + b; failure = 31; break;
        case OpSub: r = a - b; failure = 31; break;
        case OpMul: r = a * b; failure = 31; break;
        case OpDiv: r = a / b; failure = 32; break;
        default: r = powl(a, b); failure = 33; break;
        }
        if (errno != 0 || FailedAsDouble(r))
            handle.error = failure;
        return r;
    }
    default:
        return QuietNaN;
    }
}

} // namespace trev
