#pragma once
// Symbolic differentiation with respect to x and the one-pass simplifier applied to its result.
#include "Tree.h"

#include <memory>

namespace trev {

// Builds d(node)/dx from new nodes only; the input is never shared or changed.
Node *DeriveNode(const TreeHandle &handle, const Node *node);

// Rewrites the subtree held in *slot bottom-up in one pass; releases whatever it drops.
void SimplifyNode(const TreeHandle &handle, Node **slot);

// Derivative, simplified once, with a copy of the input's parameters.
std::unique_ptr<TreeHandle> DeriveTree(const TreeHandle &handle);

} // namespace trev
