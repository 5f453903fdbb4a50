#include "Derivative.h"

#include <cmath>

namespace trev {
namespace {

bool IsNumber(const Node *n) { return n && n->kind == Number; }
bool IsNumber(const Node *n, Real v) { return IsNumber(n) && n->value == v; }
bool IsOp(const Node *n, int32_t code) { return n && n->kind == BinaryOp && n->code == code; }
bool IsNegate(const Node *n) { return n && n->kind == Negate; }

// Replaces the node in *slot by `keep` (a part of it), releasing the rest of the old node.
void ReplaceBy(Node **slot, Node *keep)
{
    Node *old = *slot;
    if (old->left == keep)
        old->left = nullptr;
    else if (old->right == keep)
        old->right = nullptr;
    FreeNodes(old);
    *slot = keep;
}

void ReplaceByNumber(Node **slot, Real value)
{
    FreeNodes(*slot);
    *slot = NewNumber(value);
}

// Unlinks and releases a node whose single child has been taken over by the caller.
void ReleaseShell(Node *shell)
{
    shell->left = shell->right = nullptr;
    FreeNodes(shell);
}

Real Fold(int32_t code, Real a, Real b)
{
    switch (code) {
    case OpAdd: return a + b;
    case OpSub: return a - b;
    case OpMul: return a * b;
    case OpDiv: return a / b;
    default: return powl(a, b);
    }
}

void SimplifyBinary(Node **slot)
{
    Node *n = *slot;
    Node *a = n->left;
    Node *b = n->right;
    // A quotient whose numerator simplified to 0 is 0 even over a denominator that folded to 0:
    // it comes from the derivative of a constant at a singular point, as in asin(1), sqrt(0)
    // or acosh(1), and folding 0/0 would leave a NaN that spoils the whole derivative.
    if (n->code == OpDiv && IsNumber(a, 0) && IsNumber(b, 0)) {
        ReplaceByNumber(slot, 0);
        return;
    }
    if (IsNumber(a) && IsNumber(b)) {
        ReplaceByNumber(slot, Fold(n->code, a->value, b->value));
        return;
    }
    switch (n->code) {
    case OpAdd:
        if (IsNumber(a, 0)) {
            ReplaceBy(slot, b);
        } else if (IsNumber(b, 0)) {
            ReplaceBy(slot, a);
        } else if (IsNegate(b)) { // a + -u  ->  a - u
            n->code = OpSub;
            n->right = b->left;
            ReleaseShell(b);
        }
        return;
    case OpSub:
        if (IsNumber(b, 0)) {
            ReplaceBy(slot, a);
        } else if (IsNumber(a, 0)) { // 0 - b  ->  -b
            n->left = nullptr;
            n->right = nullptr;
            FreeNodes(a);
            FreeNodes(n);
            *slot = NewNegate(b);
        } else if (IsNegate(b)) { // a - -u  ->  a + u
            n->code = OpAdd;
            n->right = b->left;
            ReleaseShell(b);
        }
        return;
    case OpMul:
        if (IsNumber(b)) { // the number goes to the left
            n->left = b;
            n->right = a;
            std::swap(a, b);
        }
        if (!IsNumber(a)) {
            if (IsOp(b, OpDiv) && IsNumber(b->left, 1)) { // a * (1/v)  ->  a / v
                n->code = OpDiv;
                n->right = b->right;
                b->right = nullptr;
                FreeNodes(b);
            }
            return;
        }
        if (a->value == 0) {
            ReplaceByNumber(slot, 0);
        } else if (a->value == 1) {
            ReplaceBy(slot, b);
        } else if (a->value == -1) {
            n->right = nullptr;
            FreeNodes(n);
            *slot = NewNegate(b);
        } else if ((IsOp(b, OpMul) || IsOp(b, OpDiv)) && IsNumber(b->left)) {
            // c * (d * w)  ->  (c*d) * w;  c * (d / w)  ->  (c*d) / w
            a->value *= b->left->value;
            n->code = b->code;
            n->right = b->right;
            b->right = nullptr;
            FreeNodes(b);
        }
        return;
    case OpDiv:
        if (IsNumber(a, 0)) {
            ReplaceByNumber(slot, 0);
        } else if (IsNumber(a) && a->value < 0 && IsNegate(b)) { // -c / -u  ->  c / u
            a->value = -a->value;
            n->right = b->left;
            ReleaseShell(b);
        }
        return;
    case OpPow:
        if (IsNumber(a, 1) || IsNumber(b, 0)) {
            ReplaceByNumber(slot, 1);
        } else if (IsNumber(b, 1)) {
            ReplaceBy(slot, a);
        } else if (IsNumber(b, -1)) { // a^-1  ->  1/a
            n->code = OpDiv;
            n->left = NewNumber(1);
            n->right = a;
            FreeNodes(b);
        } else if (IsOp(a, OpPow) && IsNumber(a->right) && IsNumber(b)) { // (u^c)^d  ->  u^(c*d)
            b->value *= a->right->value;
            n->left = a->left;
            a->left = nullptr;
            FreeNodes(a);
        }
        return;
    default:
        return;
    }
}

void SimplifyCall(Node **slot)
{
    Node *n = *slot;
    const Node *argument = n->left;
    const FunEntry &function = g_tables.funs[static_cast<size_t>(n->code)];
    if (function.userTree || !function.native)
        return;
    Real value;
    if (argument->kind == Number)
        value = argument->value;
    else if (argument->kind == Variable && argument->code != VarX)
        value = g_tables.vars[static_cast<size_t>(argument->code)].value;
    else
        return;
    const double result = static_cast<double>(function.native(value));
    if (result == 0 || result == 1 || result == -1)
        ReplaceByNumber(slot, result);
}

void SimplifyNegate(Node **slot)
{
    Node *n = *slot;
    Node *u = n->left;
    if (IsNegate(u)) { // --w  ->  w
        Node *w = u->left;
        u->left = nullptr;
        FreeNodes(n);
        *slot = w;
    } else if (IsNumber(u)) {
        u->value = -u->value;
        ReplaceBy(slot, u);
    } else if ((IsOp(u, OpMul) || IsOp(u, OpDiv)) && IsNumber(u->left) && u->left->value < 0) {
        // -((-c) * w)  ->  c * w
        u->left->value = -u->left->value;
        ReplaceBy(slot, u);
    }
}

} // namespace

void SimplifyNode(const TreeHandle &handle, Node **slot)
{
    Node *n = *slot;
    if (!n || !n->left)
        return;
    if (n->left->left)
        SimplifyNode(handle, &n->left);
    if (n->right && n->right->left)
        SimplifyNode(handle, &n->right);
    switch (n->kind) {
    case BinaryOp:
        SimplifyBinary(slot);
        break;
    case Call:
        SimplifyCall(slot);
        break;
    case Negate:
        SimplifyNegate(slot);
        break;
    default:
        break;
    }
}

} // namespace trev
