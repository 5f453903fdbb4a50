#include "Tree.h"

#include <cerrno>
#include <cmath>

namespace trev {

const char *const OpSymbols[6] = {"+", "-", "*", "/", "-", "^"};

EngineTables g_tables;

Node *NewNode(int32_t code, int32_t kind, Real value, Node *left, Node *right)
{
    Node *n = new Node;
    n->code = code;
    n->kind = kind;
    n->value = value;
    n->left = left;
    n->right = right;
    return n;
}

Node *CopyNodes(const Node *node)
{
    if (!node)
        return nullptr;
    Node *left = CopyNodes(node->left);
    Node *right = CopyNodes(node->right);
    return NewNode(node->code, node->kind, node->value, left, right);
}

void FreeNodes(Node *node)
{
    // Iterative, so that releasing never depends on the depth of the tree.
    std::vector<Node *> pending;
    if (node)
        pending.push_back(node);
    while (!pending.empty()) {
        Node *n = pending.back();
        pending.pop_back();
        if (n->left)
            pending.push_back(n->left);
        if (n->right)
            pending.push_back(n->right);
        delete n;
    }
}

int TreeDepth(const Node *node)
{
    int deepest = 0;
    std::vector<std::pair<const Node *, int>> pending;
    if (node)
        pending.emplace_back(node, 1);
    while (!pending.empty()) {
        auto [n, depth] = pending.back();
        pending.pop_back();
        if (depth > deepest)
            deepest = depth;
        if (n->left)
            pending.emplace_back(n->left, depth + 1);
        if (n->right)
            pending.emplace_back(n->right, depth + 1);
    }
    return deepest;
}

long TreeSize(const Node *node)
{
    long count = 0;
    std::vector<const Node *> pending;
    if (node)
        pending.push_back(node);
    while (!pending.empty()) {
        const Node *n = pending.back();
        pending.pop_back();
        ++count;
        if (n->left)
            pending.push_back(n->left);
        if (n->right)
            pending.push_back(n->right);
    }
    return count;
}

void SetVariable(const std::string &name, Real value)
{
    auto found = g_tables.varIndex.find(name);
    if (found != g_tables.varIndex.end()) {
        g_tables.vars[static_cast<size_t>(found->second)].value = value;
        return;
    }
    int32_t index = static_cast<int32_t>(g_tables.vars.size());
    g_tables.vars.push_back(VarEntry{index, name, value});
    g_tables.varIndex.emplace(name, index);
}

void RegisterFunction(const std::string &name, int32_t index, NativeFunction native)
{
    FunEntry entry;
    entry.index = index;
    entry.name = name;
    entry.native = native;
    g_tables.funs.push_back(std::move(entry));
    g_tables.funIndex.emplace(name, index); // keeps the first registration of a name
}

int32_t ResolveName(const std::string &name, const TreeHandle *tree, int32_t &index)
{
    if (auto f = g_tables.funIndex.find(name); f != g_tables.funIndex.end()) {
        index = f->second;
        return Call;
    }
    if (auto v = g_tables.varIndex.find(name); v != g_tables.varIndex.end()) {
        index = v->second;
        return Variable;
    }
    if (tree) {
        if (auto p = tree->parameterIndex.find(name); p != tree->parameterIndex.end()) {
            index = p->second;
            return Parameter;
        }
    }
    index = -1;
    return Unresolved;
}

namespace {

Real Sign(Real v)
{
    if (v > 0)
        return 1;
    if (v < 0)
        return -1;
    return 0;
}

// The built-ins in their fixed index order; failures show up as errno or a non-finite result.
Real Ln(Real v) { return logl(v); }
Real Log10(Real v) { return log10l(v); }
Real Exp(Real v) { return expl(v); }
Real Sin(Real v) { return sinl(v); }
Real Asin(Real v) { return asinl(v); }
Real Cos(Real v) { return cosl(v); }
Real Acos(Real v) { return acosl(v); }
Real Tan(Real v) { return tanl(v); }
Real Atan(Real v) { return atanl(v); }
Real Sinh(Real v) { return sinhl(v); }
Real Asinh(Real v) { return asinhl(v); }
Real Cosh(Real v) { return coshl(v); }
Real Acosh(Real v) { return acoshl(v); }
Real Tanh(Real v) { return tanhl(v); }
Real Atanh(Real v) { return atanhl(v); }
Real Abs(Real v) { return fabsl(v); }
Real Sqrt(Real v) { return sqrtl(v); }

struct Builtin {
    const char *name;
    NativeFunction function;
};

const Builtin Builtins[BuiltinCount] = {
    {"ln", Ln},     {"log", Log10},  {"exp", Exp},     {"sin", Sin},    {"asin", Asin},   {"cos", Cos},
    {"acos", Acos}, {"tan", Tan},    {"atan", Atan},   {"sinh", Sinh},  {"asinh", Asinh}, {"cosh", Cosh},
    {"acosh", Acosh}, {"tanh", Tanh}, {"atanh", Atanh}, {"abs", Abs},   {"sgn", Sign},    {"sqrt", Sqrt},
};

} // namespace

void InitTables()
{
    // A second initialisation appends the built-ins again (unreachable by name, since the name
    // index keeps the first registration) and resets the four variables.
    for (int32_t i = 0; i < BuiltinCount; ++i)
        RegisterFunction(Builtins[i].name, static_cast<int32_t>(g_tables.funs.size()), Builtins[i].function);
    SetVariable("x", 0);
    SetVariable("res", 0);
    SetVariable("pi", static_cast<Real>(3.141592653589793));
    SetVariable("e", static_cast<Real>(2.718281828459045));
}

void ClearUserFunctionBodies()
{
    for (FunEntry &f : g_tables.funs) {
        if (f.userTree && f.userTree->root) {
            FreeNodes(f.userTree->root);
            f.userTree->root = nullptr;
            f.bodyDepth = 0;
        }
    }
}

std::unique_ptr<TreeHandle> CopyHandle(const TreeHandle &source)
{
    auto copy = std::make_unique<TreeHandle>();
    copy->root = CopyNodes(source.root);
    copy->buildError = source.buildError;
    copy->parameterIndex = source.parameterIndex;
    copy->parameters = source.parameters;
    return copy;
}

} // namespace trev
