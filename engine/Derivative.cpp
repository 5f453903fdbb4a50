#include "Derivative.h"

#include "trevmath.h"

namespace trev {
namespace {

// Derivatives of long products and nested powers grow fast (the second derivative of a product
// of n factors has about n^3/6 nodes). A derivative is built within this many nodes; beyond it
// the result is refused instead of exhausting the memory.
constexpr long DerivativeNodeBudget = 500000;
// The most nodes one rule makes besides its copies and the derivatives of its operands.
constexpr long NodesPerRule = 12;
long g_nodesLeft = DerivativeNodeBudget;

bool BudgetExhausted() { return g_nodesLeft < 0; }

// Built-in function indices used by the derivative rules.
enum : int32_t {
    FnLn = 0, FnLog = 1, FnExp = 2, FnSin = 3, FnAsin = 4, FnCos = 5, FnAcos = 6, FnTan = 7, FnAtan = 8,
    FnSinh = 9, FnAsinh = 10, FnCosh = 11, FnAcosh = 12, FnTanh = 13, FnAtanh = 14, FnAbs = 15, FnSgn = 16,
    FnSqrt = 17,
};

Node *Copy(const Node *n)
{
    g_nodesLeft -= TreeSize(n);
    return BudgetExhausted() ? NewNumber(0) : CopyNodes(n);
}
Node *Num(Real v) { return NewNumber(v); }
Node *Add(Node *a, Node *b) { return NewOp(OpAdd, a, b); }
Node *Sub(Node *a, Node *b) { return NewOp(OpSub, a, b); }
Node *Mul(Node *a, Node *b) { return NewOp(OpMul, a, b); }
Node *Div(Node *a, Node *b) { return NewOp(OpDiv, a, b); }
Node *Pow(Node *a, Node *b) { return NewOp(OpPow, a, b); }

// Numbers, parameters and global variables other than x.
bool IsConstantNode(const Node *n)
{
    return n->kind == Number || n->kind == Parameter || (n->kind == Variable && n->code != VarX);
}

// 1 - u^2, u^2 + 1, u^2 - 1 and friends share this square.
Node *Square(const Node *u) { return Pow(Copy(u), Num(2)); }

Node *DerivePower(const TreeHandle &h, const Node *n)
{
    const Node *u = n->left;
    const Node *v = n->right;
    if (v->kind == Number)
        return Mul(DeriveNode(h, u), Mul(Copy(v), Pow(Copy(u), Num(v->value - 1))));
    if (v->kind == Parameter || (v->kind == Variable && v->code != VarX))
        return Mul(DeriveNode(h, u), Mul(Copy(v), Pow(Copy(u), Sub(Copy(v), Num(1)))));
    if (!IsConstantNode(u))
        return Mul(Copy(n), Add(Mul(DeriveNode(h, v), NewCall(FnLn, Copy(u))), Mul(DeriveNode(h, u), Div(Copy(v), Copy(u)))));
    return Mul(Copy(n), Mul(DeriveNode(h, v), NewCall(FnLn, Copy(u))));
}

Node *DeriveCall(const TreeHandle &h, const Node *n)
{
    const Node *u = n->left;
    switch (n->code) {
    case FnLn: return Div(DeriveNode(h, u), Copy(u));
    case FnLog: return Div(DeriveNode(h, u), Mul(NewCall(FnLn, Num(10)), Copy(u)));
    case FnExp: return Mul(Copy(n), DeriveNode(h, u));
    case FnSin: return Mul(NewCall(FnCos, Copy(u)), DeriveNode(h, u));
    case FnAsin: return Div(DeriveNode(h, u), NewCall(FnSqrt, Sub(Num(1), Square(u))));
    case FnCos: return NewNegate(Mul(NewCall(FnSin, Copy(u)), DeriveNode(h, u)));
    case FnAcos: return NewNegate(Div(DeriveNode(h, u), NewCall(FnSqrt, Sub(Num(1), Square(u)))));
    case FnTan: return Div(DeriveNode(h, u), Pow(NewCall(FnCos, Copy(u)), Num(2)));
    case FnAtan: return Div(DeriveNode(h, u), Add(Num(1), Square(u)));
    case FnSinh: return Mul(NewCall(FnCosh, Copy(u)), DeriveNode(h, u));
    case FnAsinh: return Div(DeriveNode(h, u), NewCall(FnSqrt, Add(Square(u), Num(1))));
    case FnCosh: return Mul(NewCall(FnSinh, Copy(u)), DeriveNode(h, u));
    case FnAcosh: return Div(DeriveNode(h, u), NewCall(FnSqrt, Sub(Square(u), Num(1))));
    case FnTanh: return Div(DeriveNode(h, u), Pow(NewCall(FnCosh, Copy(u)), Num(2)));
    case FnAtanh: return Div(DeriveNode(h, u), Sub(Num(1), Square(u)));
    case FnAbs: return Mul(NewCall(FnSgn, Copy(u)), DeriveNode(h, u));
    case FnSqrt: return Mul(Num(0.5), Div(DeriveNode(h, u), NewCall(FnSqrt, Copy(u))));
    default: return Num(0); // sgn, and user-defined functions
    }
}

} // namespace

Node *DeriveNode(const TreeHandle &h, const Node *n)
{
    if (!n)
        return nullptr;
    g_nodesLeft -= NodesPerRule;
    if (BudgetExhausted())
        return Num(0);
    switch (n->kind) {
    case Variable:
        return Num(n->code == VarX ? 1 : 0);
    case Negate:
        return NewNegate(DeriveNode(h, n->left));
    case Call:
        return DeriveCall(h, n);
    case BinaryOp: {
        const Node *u = n->left;
        const Node *v = n->right;
        switch (n->code) {
        case OpAdd: return Add(DeriveNode(h, u), DeriveNode(h, v));
        case OpSub: return Sub(DeriveNode(h, u), DeriveNode(h, v));
        case OpMul: return Add(Mul(Copy(u), DeriveNode(h, v)), Mul(DeriveNode(h, u), Copy(v)));
        case OpDiv:
            return Div(Sub(Mul(DeriveNode(h, u), Copy(v)), Mul(Copy(u), DeriveNode(h, v))), Pow(Copy(v), Num(2)));
        case OpPow: return DerivePower(h, n);
        default: return Num(0);
        }
    }
    default:
        return Num(0); // numbers, parameters
    }
}

std::unique_ptr<TreeHandle> DeriveTree(const TreeHandle &handle)
{
    auto result = std::make_unique<TreeHandle>();
    g_nodesLeft = DerivativeNodeBudget;
    result->root = DeriveNode(handle, handle.root);
    if (BudgetExhausted()) {
        FreeNodes(result->root);
        result->root = nullptr;
        result->buildError = TREVMATH_ERR_TOO_DEEP;
    } else {
        SimplifyNode(handle, &result->root);
        if (!result->root)
            result->buildError = handle.buildError;
    }
    result->parameterIndex = handle.parameterIndex;
    result->parameters = handle.parameters;
    return result;
}

} // namespace trev
