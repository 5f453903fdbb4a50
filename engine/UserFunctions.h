#pragma once
// User-defined one-argument functions such as f: x^2+1.
#include "Tree.h"

namespace trev {

// 0, or -19 when the name or the definition is refused.
int32_t AddFun(const char *name, const char *body);

// 0 defined, 1 the body calls the function itself, 2 a built-in, 3 the body does not parse.
// A refused redefinition keeps the previous body.
int32_t DefineFunction(const std::string &name, const char *body);

// Whether the subtree calls function i, directly or through user functions it calls.
bool CallsFunction(const Node *node, int32_t function);

} // namespace trev
