#pragma once
// Evaluation of expression trees in extended precision. Failures are recorded in the tree
// handle's error (first error wins) and never thrown.
#include "Tree.h"

namespace trev {

Real EvaluateNode(TreeHandle &handle, const Node *node);

// The protocol every evaluation follows: clear the handle's error, write x, evaluate the root,
// read the error.
inline Real EvaluateAt(TreeHandle &handle, Real x, int32_t &error)
{
    handle.error = handle.root ? 0 : handle.buildError;
    g_tables.vars[VarX].value = x;
    Real result = EvaluateNode(handle, handle.root);
    error = handle.error;
    return result;
}

// Evaluates a user function's body with x = argument; returns the body's error code.
int32_t CallUserFunction(FunEntry &function, Real argument, Real &result);

} // namespace trev
