#include "UserFunctions.h"

#include "Parameters.h"
#include "Parser.h"

#include <vector>

namespace trev {

bool CallsFunction(const Node *node, int32_t function)
{
    // Iterative, with each user function's body searched once, so that chains of functions
    // calling each other several times cost time linear in their size.
    std::vector<const Node *> pending;
    std::vector<bool> bodySearched(g_tables.funs.size(), false);
    if (node)
        pending.push_back(node);
    while (!pending.empty()) {
        const Node *n = pending.back();
        pending.pop_back();
        if (n->kind == Call) {
            if (n->code == function)
                return true;
            const FunEntry &callee = g_tables.funs[static_cast<size_t>(n->code)];
            if (callee.userTree && callee.userTree->root && !bodySearched[static_cast<size_t>(n->code)]) {
                bodySearched[static_cast<size_t>(n->code)] = true;
                pending.push_back(callee.userTree->root);
            }
        }
        if (n->left)
            pending.push_back(n->left);
        if (n->right)
            pending.push_back(n->right);
    }
    return false;
}

int32_t DefineFunction(const std::string &name, const char *body)
{
    auto parsed = std::make_unique<TreeHandle>();
    int32_t errpos = 0;
    auto existing = g_tables.funIndex.find(name);
    if (existing == g_tables.funIndex.end()) {
        if (ParseExpression(*parsed, body, errpos) != 0)
            return 3;
        FunEntry entry;
        entry.index = static_cast<int32_t>(g_tables.funs.size());
        entry.name = name;
        entry.bodyDepth = TreeDepth(parsed->root);
        entry.userTree = std::move(parsed);
        g_tables.funIndex.emplace(name, entry.index);
        g_tables.funs.push_back(std::move(entry));
        return 0;
    }
    FunEntry &entry = g_tables.funs[static_cast<size_t>(existing->second)];
    if (!entry.userTree)
        return 2;
    // The new body is checked completely before the old one is let go.
    if (ParseExpression(*parsed, body, errpos) != 0)
        return 3;
    if (CallsFunction(parsed->root, entry.index))
        return 1;
    entry.bodyDepth = TreeDepth(parsed->root);
    entry.userTree = std::move(parsed);
    return 0;
}

int32_t AddFun(const char *name, const char *body)
{
    std::string lowered;
    if (!ReadDefinitionName(name, lowered))
        return -19;
    if (g_tables.varIndex.count(lowered))
        return -19;
    return DefineFunction(lowered, body) == 0 ? 0 : -19;
}

} // namespace trev
