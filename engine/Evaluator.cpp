#include "Evaluator.h"

#include "trevmath.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>

namespace trev {
namespace {

constexpr Real QuietNaN = std::numeric_limits<Real>::quiet_NaN();

// User functions call each other (never themselves), and each body is at most MaxTreeDepth
// deep; the sum of the body depths on the current call chain is kept below this budget so that
// a long chain of deep functions cannot exhaust the stack.
constexpr int UserCallDepthBudget = 20000;
int g_userCallDepth = 0;

// The root scan evaluates f and f' at the same x, and f' repeats the slow parts of f: a^x
// reappears in the derivative as a^x*ln(a). A few recent successful calls of the slowest
// operations (powl, the transcendental built-ins) are remembered with their exact arguments,
// so a repeated call returns the very same bits without computing them again.
class RecentResults {
public:
    // Operation tags: a built-in's function index, or PowerTag for powl.
    static constexpr int32_t PowerTag = -1;

    bool find(int32_t tag, Real a, Real b, Real &result) const
    {
        const Entry &e = m_entries[slot(tag, a, b)];
        if (e.used && e.tag == tag && Same(e.a, a) && Same(e.b, b)) {
            result = e.result;
            return true;
        }
        return false;
    }
    void remember(int32_t tag, Real a, Real b, Real result)
    {
        m_entries[slot(tag, a, b)] = Entry{tag, a, b, result, true};
    }

private:
    struct Entry {
        int32_t tag = 0;
        Real a = 0, b = 0, result = 0;
        bool used = false;
    };
    static constexpr unsigned Size = 32; // must match the five bits taken in slot()
    // Equal to the last bit, sign of zero included (powl(-0, -1) is not powl(+0, -1)).
    static bool Same(Real x, Real y) { return x == y && std::signbit(x) == std::signbit(y); }
    static unsigned long long Bits(Real x)
    {
        unsigned long long mantissa = 0;
        unsigned short signAndExponent = 0;
        std::memcpy(&mantissa, &x, sizeof mantissa); // x87 layout: 64-bit mantissa, then 16 bits
        std::memcpy(&signAndExponent, reinterpret_cast<const char *>(&x) + sizeof mantissa, sizeof signAndExponent);
        return mantissa ^ (static_cast<unsigned long long>(signAndExponent) << 47);
    }
    static unsigned slot(int32_t tag, Real a, Real b)
    {
        unsigned long long h = Bits(a) * 0x9E3779B97F4A7C15ull + Bits(b) * 0xC2B2AE3D27D4EB4Full +
                               static_cast<unsigned long long>(tag + 2);
        return static_cast<unsigned>(h >> 59); // the top five bits: 32 slots
    }
    Entry m_entries[Size];
};

RecentResults g_recent;

inline bool Memorable(int32_t function) { return function <= 14; } // ln .. atanh; not abs, sgn, sqrt

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
            const bool memorable = Memorable(node->code);
            Real r;
            if (memorable && g_recent.find(node->code, a, 0, r))
                return r;
            errno = 0;
            r = function.native(a);
            if (ResultFailed(r, errno))
                handle.error = 101 + node->code;
            else if (memorable)
                g_recent.remember(node->code, a, 0, r);
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
        default: {
            // Small whole exponents take the library's fast path; remembering them costs more.
            const bool memorable = !(fabsl(b) < 64 && b == static_cast<int>(b));
            if (memorable && g_recent.find(RecentResults::PowerTag, a, b, r))
                return r;
            r = powl(a, b);
            // Only successes are remembered: a remembered result is returned unchecked.
            if (memorable && !ResultFailed(r, errno))
                g_recent.remember(RecentResults::PowerTag, a, b, r);
            failure = 33;
            break;
        }
        }
        if (ResultFailed(r, errno))
            handle.error = failure;
        return r;
    }
    default:
        return QuietNaN;
    }
}

} // namespace trev
