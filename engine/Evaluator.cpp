#include "Evaluator.h"

#include "Powers.h"
#include "trevmath.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

namespace trev {
namespace {

constexpr Real QuietNaN = std::numeric_limits<Real>::quiet_NaN();

// User functions call each other (never themselves), and each body is at most MaxTreeDepth
// deep; the sum of the body depths on the current call chain is kept below this budget so that
// a long chain of deep functions cannot exhaust the stack.
constexpr int UserCallDepthBudget = 20000;

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
        const Key key(tag, a, b);
        const Entry &e = m_entries[key.slot()];
        if (e.key == key) {
            result = e.result;
            return true;
        }
        return false;
    }
    void remember(int32_t tag, Real a, Real b, Real result)
    {
        const Key key(tag, a, b);
        m_entries[key.slot()] = Entry{key, result};
    }

private:
    // The operation and the bits of its operands: equal keys are the same call to the last bit,
    // sign of zero included (powl(-0, -1) is not powl(+0, -1)). Only successes are remembered,
    // and no success has a NaN operand but powl(NaN, 0), which is 1 whatever the NaN's bits.
    struct Key {
        RealBits a, b;
        int32_t tag = NoTag;

        Key() = default;
        Key(int32_t operation, Real x, Real y) : a(x), b(y), tag(operation) {}
        bool operator==(const Key &other) const { return a == other.a && b == other.b && tag == other.tag; }
        unsigned slot() const
        {
            const unsigned long long h = a.key() * 0x9E3779B97F4A7C15ull + b.key() * 0xC2B2AE3D27D4EB4Full +
                                         static_cast<unsigned long long>(tag + 2);
            return static_cast<unsigned>(h >> 59); // the top five bits: 32 slots
        }
    };
    static constexpr int32_t NoTag = -2; // in no key of an operation: empty entries never match
    struct Entry {
        Key key;
        Real result = 0;
    };
    static constexpr unsigned Size = 32; // must match the five bits taken in slot()
    Entry m_entries[Size];
};

inline bool Memorable(int32_t function) { return function <= 14; } // ln .. atanh; not abs, sgn, sqrt
constexpr int32_t SinIndex = 3, CosIndex = 5;

// Everything an evaluation changes besides the tree's error, one per thread.
struct ThreadState {
    Real x = 0; // x of the threads other than the table's
    int userCallDepth = 0;
    RecentResults recent;
    BaseLogarithms baseLogarithms;
};
thread_local ThreadState t_state;

// The thread whose x is VarTable's entry 0.
std::thread::id g_tableXThread;

Real *ThreadX(ThreadState &state)
{
    return std::this_thread::get_id() == g_tableXThread ? &g_tables.vars[VarX].value : &state.x;
}

// Bases that stay the same from one evaluation to the next.
inline bool ConstantOperand(const Node *node)
{
    return node->kind == Number || node->kind == Parameter || (node->kind == Variable && node->code != VarX);
}

// One evaluation of a tree (or of a user function's body inside it) on the calling thread.
class Evaluation {
public:
    Evaluation(ThreadState &state, Real *x, const TreeHandle &tree, int32_t error)
        : m_error(error), m_state(state), m_x(x), m_parameters(tree.parameters.data())
    {
    }
    Real value(const Node *node);
    // The tree's flat steps (made by Flatten) from an empty stack: the same operations in the
    // same order as value(root), so the same result, error and remembered results.
    Real flatValue(const TreeHandle &tree);
    int32_t callUserFunction(FunEntry &function, Real argument, Real &result);
    // The first failure's code, or 0.
    int32_t error() const { return m_error; }

private:
    Real power(bool constantBase, Real a, Real b);
    Real nativeCall(int32_t function, Real a);

    int32_t m_error;
    ThreadState &m_state;
    Real *m_x;
    const ParamEntry *m_parameters;
};

int32_t Evaluation::callUserFunction(FunEntry &function, Real argument, Real &result)
{
    const TreeHandle &body = *function.userTree;
    if (m_state.userCallDepth + function.bodyDepth > UserCallDepthBudget) {
        result = 0;
        return TREVMATH_ERR_TOO_DEEP;
    }
    m_state.userCallDepth += function.bodyDepth;
    *m_x = argument;
    Evaluation inner(m_state, m_x, body, 0);
    result = inner.value(body.root);
    m_state.userCallDepth -= function.bodyDepth;
    return inner.error();
}

Real Evaluation::power(bool constantBase, Real a, Real b)
{
    if (IsSmallWholeExponent(b))
        return WholePower(a, static_cast<int>(b)); // cheaper than remembering
    Real r;
    if (m_state.recent.find(RecentResults::PowerTag, a, b, r))
        return r;
    if (!(a > 0 && std::isfinite(a) && constantBase &&
          ConstantBasePower(m_state.baseLogarithms, a, b, r)))
        r = powl(a, b);
    // Only successes are remembered: a remembered result is returned unchecked.
    if (!ResultFailed(r, errno))
        m_state.recent.remember(RecentResults::PowerTag, a, b, r);
    return r;
}

Real Evaluation::nativeCall(int32_t function, Real a)
{
    const bool memorable = Memorable(function);
    Real r;
    if (memorable && m_state.recent.find(function, a, 0, r))
        return r;
    if ((function == SinIndex || function == CosIndex) && std::isfinite(a)) {
        // f and f' often want both, as sin(u) and cos(u). sincosl reduces u once and runs the
        // kernels of sinl and cosl on it: the same bits and errno as each of them.
        Real sine, cosine;
        errno = 0;
        sincosl(a, &sine, &cosine);
        r = function == SinIndex ? sine : cosine;
        if (ResultFailed(r, errno)) {
            m_error = 101 + function;
        } else {
            m_state.recent.remember(SinIndex, a, 0, sine);
            m_state.recent.remember(CosIndex, a, 0, cosine);
        }
        return r;
    }
    errno = 0;
    r = g_tables.funs[static_cast<size_t>(function)].native(a);
    if (ResultFailed(r, errno))
        m_error = 101 + function;
    else if (memorable)
        m_state.recent.remember(function, a, 0, r);
    return r;
}

Real Evaluation::value(const Node *node)
{
    if (m_error != 0 || node == nullptr)
        return QuietNaN;
    // The left operand (or argument) first, whatever the kind; leaves have none.
    const Real a = node->left ? value(node->left) : QuietNaN;
    if (m_error != 0)
        return 0;

    switch (node->kind) {
    case Number:
        return node->value;
    case Variable:
        return node->code == VarX ? *m_x : g_tables.vars[static_cast<size_t>(node->code)].value;
    case Parameter:
        return m_parameters[node->code].value;
    case Negate:
        return -a;
    case Call: {
        FunEntry &function = g_tables.funs[static_cast<size_t>(node->code)];
        if (!function.userTree)
            return nativeCall(node->code, a);
        Real r;
        m_error = callUserFunction(function, a, r);
        return r;
    }
    case BinaryOp: {
        if (node->code < OpAdd || node->code > OpPow || node->code == OpNeg)
            return a;
        const Real b = value(node->right);
        if (m_error != 0)
            return 0;
        errno = 0;
        Real r;
        int32_t failure;
        switch (node->code) {
        case OpAdd: r = a + b; failure = 31; break;
        case OpSub: r = a - b; failure = 31; break;
        case OpMul: r = a * b; failure = 31; break;
        case OpDiv: r = a / b; failure = 32; break;
        default: r = power(ConstantOperand(node->left), a, b); failure = 33; break;
        }
        if (ResultFailed(r, errno))
            m_error = failure;
        return r;
    }
    default:
        return QuietNaN;
    }
}

// A tree as flat steps in the order value() visits its nodes: operands first, left before
// right. Each step takes its operands from the top of a stack and leaves its result there, so an
// evaluation is a loop without recursion. A whole-number constant exponent becomes part of its
// power step. Trees with anything value() treats specially (missing operands, unknown kinds)
// are not flattened.
enum FlatOp : int32_t {
    PushNumber,
    PushX,
    PushVariable,
    PushParameter,
    NegateTop,
    CallFunction,
    Arithmetic,     // code: OpAdd .. OpDiv
    WithNumber,     // Arithmetic whose right operand is the number in value
    WithX,          // Arithmetic whose right operand is x
    WholePowerStep, // code: the exponent
    PowerStep,      // code: 1 when the base is constant
};

bool Flatten(const Node *node, std::vector<FlatStep> &steps, int32_t depth, int32_t &maxDepth)
{
    if (node == nullptr)
        return false;
    maxDepth = std::max(maxDepth, depth);
    const bool leaf = node->kind == Number || node->kind == Variable || node->kind == Parameter;
    if (leaf != (node->left == nullptr))
        return false;
    switch (node->kind) {
    case Number:
        steps.push_back({PushNumber, 0, node->value});
        return true;
    case Variable:
        steps.push_back({node->code == VarX ? PushX : PushVariable, node->code, 0});
        return true;
    case Parameter:
        steps.push_back({PushParameter, node->code, 0});
        return true;
    case Negate:
        if (!Flatten(node->left, steps, depth, maxDepth))
            return false;
        steps.push_back({NegateTop, 0, 0});
        return true;
    case Call: {
        // A built-in of a number (ln(2) in a derivative) gives the same bits every time: its
        // value is taken once, unless it fails, which every evaluation must then report.
        const FunEntry &function = g_tables.funs[static_cast<size_t>(node->code)];
        const Node *argument = node->left;
        if (!function.userTree && argument->kind == Number && argument->left == nullptr) {
            errno = 0;
            const Real r = function.native(argument->value);
            if (!ResultFailed(r, errno)) {
                steps.push_back({PushNumber, 0, r});
                return true;
            }
        }
        if (!Flatten(argument, steps, depth, maxDepth))
            return false;
        steps.push_back({CallFunction, node->code, 0});
        return true;
    }
    case BinaryOp: {
        if (node->code < OpAdd || node->code > OpPow || node->code == OpNeg || node->right == nullptr)
            return false;
        if (!Flatten(node->left, steps, depth, maxDepth))
            return false;
        const Node *right = node->right;
        if (node->code == OpPow && right->kind == Number && right->left == nullptr &&
            IsSmallWholeExponent(right->value)) {
            steps.push_back({WholePowerStep, static_cast<int32_t>(right->value), 0});
            return true;
        }
        // A number or x on the right is read by the operation itself, as value() would read it
        // right after the left operand.
        if (node->code != OpPow && right->left == nullptr && right->kind == Number) {
            steps.push_back({WithNumber, node->code, right->value});
            return true;
        }
        if (node->code != OpPow && right->left == nullptr && right->kind == Variable && right->code == VarX) {
            steps.push_back({WithX, node->code, 0});
            return true;
        }
        if (!Flatten(right, steps, depth + 1, maxDepth))
            return false;
        if (node->code == OpPow)
            steps.push_back({PowerStep, ConstantOperand(node->left) ? 1 : 0, 0});
        else
            steps.push_back({Arithmetic, node->code, 0});
        return true;
    }
    default:
        return false;
    }
}

void MakeFlatSteps(TreeHandle &tree)
{
    int32_t maxDepth = 0;
    tree.flatSteps.clear();
    const bool flat = tree.root != nullptr && Flatten(tree.root, tree.flatSteps, 1, maxDepth);
    if (!flat)
        tree.flatSteps.clear();
    tree.flatSteps.shrink_to_fit();
    tree.flatStackDepth = maxDepth;
    tree.flatState = flat ? 1 : -1;
}

// One of the four operations: 0, or the code of its failure.
inline int32_t Arithmetic4(int32_t code, Real a, Real b, Real &r)
{
    int32_t failure;
    switch (code) {
    case OpAdd: r = a + b; failure = 31; break;
    case OpSub: r = a - b; failure = 31; break;
    case OpMul: r = a * b; failure = 31; break;
    default: r = a / b; failure = 32; break;
    }
    return ResultFailed(r, 0) ? failure : 0; // arithmetic leaves errno alone
}

Real Evaluation::flatValue(const TreeHandle &tree)
{
    // The top of the stack stays in `top`; `below` points at the value under it.
    constexpr int32_t LocalDepth = 64;
    Real local[LocalDepth];
    std::vector<Real> large;
    if (tree.flatStackDepth >= LocalDepth)
        large.resize(static_cast<size_t>(tree.flatStackDepth) + 1);
    Real *below = tree.flatStackDepth >= LocalDepth ? large.data() : local;
    Real top = 0;
    const FlatStep *const steps = tree.flatSteps.data();
    const size_t count = tree.flatSteps.size();
    int32_t error = 0;
    for (size_t i = 0; i < count; ++i) {
        const FlatStep &step = steps[i];
        Real r;
        switch (step.op) {
        case PushNumber:
            *++below = top;
            top = step.value;
            continue;
        case PushX:
            *++below = top;
            top = *m_x; // read each time: a user function's call sets x
            continue;
        case PushVariable:
            *++below = top;
            top = g_tables.vars[static_cast<size_t>(step.code)].value;
            continue;
        case PushParameter:
            *++below = top;
            top = m_parameters[step.code].value;
            continue;
        case NegateTop:
            top = -top;
            continue;
        case CallFunction: {
            FunEntry &function = g_tables.funs[static_cast<size_t>(step.code)];
            if (!function.userTree) {
                r = nativeCall(step.code, top);
                error = m_error;
            } else {
                error = callUserFunction(function, top, r);
            }
            break;
        }
        case Arithmetic:
            if ((error = Arithmetic4(step.code, *below--, top, r)) != 0)
                break;
            top = r;
            continue;
        case WithNumber:
            if ((error = Arithmetic4(step.code, top, step.value, r)) != 0)
                break;
            top = r;
            continue;
        case WithX:
            if ((error = Arithmetic4(step.code, top, *m_x, r)) != 0)
                break;
            top = r;
            continue;
        case WholePowerStep:
            if (step.code == 2) {
                r = top * top; // as WholePower multiplies it, without errno
                if (ResultFailed(r, 0))
                    error = 33;
                break;
            }
            errno = 0;
            r = WholePower(top, step.code);
            if (ResultFailed(r, errno))
                error = 33;
            break;
        default: { // PowerStep
            const Real a = *below--;
            errno = 0;
            r = power(step.code != 0, a, top);
            if (ResultFailed(r, errno))
                error = 33;
            break;
        }
        }
        // As in value(): a failing step's own result is the tree's when it is the root; an
        // operand's failure makes every node above it give 0.
        if (error != 0) {
            m_error = error;
            return i + 1 == count ? r : 0;
        }
        top = r;
    }
    return top;
}

} // namespace

void TakeTableX() { g_tableXThread = std::this_thread::get_id(); }

int32_t CallUserFunction(FunEntry &function, Real argument, Real &result)
{
    ThreadState &state = t_state;
    Evaluation outer(state, ThreadX(state), *function.userTree, 0);
    return outer.callUserFunction(function, argument, result);
}

Real EvaluateNode(TreeHandle &handle, const Node *node)
{
    ThreadState &state = t_state;
    Evaluation evaluation(state, ThreadX(state), handle, handle.error);
    const Real result = evaluation.value(node);
    handle.error = evaluation.error();
    return result;
}

Real EvaluateAt(TreeHandle &handle, Real x, int32_t &error)
{
    ThreadState &state = t_state;
    Real *threadX = ThreadX(state);
    *threadX = x;
    Evaluation evaluation(state, threadX, handle, handle.root ? 0 : handle.buildError);
    if (handle.flatState == 0)
        MakeFlatSteps(handle);
    Real result = handle.flatState > 0 ? evaluation.flatValue(handle) : evaluation.value(handle.root);
    // Operators and functions check their own results; a bare number or parameter beyond the
    // double range (a literal of 400 digits) is caught here, so no overflow passes as success.
    // (A NaN x given by the caller stays as it is: the root finder relies on its comparisons.)
    error = evaluation.error();
    if (error == 0 && handle.root && std::isinf(static_cast<double>(result)))
        error = OverflowError;
    handle.error = error;
    return result;
}

} // namespace trev
