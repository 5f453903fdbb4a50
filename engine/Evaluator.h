#pragma once
// Evaluation of expression trees in extended precision. Failures are recorded in the tree
// handle's error (first error wins) and never thrown.
#include "Tree.h"

#include <cerrno>
#include <cmath>
#include <limits>

namespace trev {

// The code of an arithmetic result beyond the double range.
constexpr int32_t OverflowError = 31;

// Whether the result of an operator or built-in, with the errno it left, is a failure: errno
// set, or no finite double. A finite result smaller in magnitude than the least normal double
// has only underflowed: as a double it is 0 or a subnormal, which is the right answer, so the
// ERANGE that expl and powl report once their result leaves even the extended range is no
// failure there. Any other errno (a domain error) still is.
inline bool ResultFailed(Real r, int errorNumber)
{
    // The usual case costs what it always did: no errno, and a finite double.
    if (errorNumber == 0)
        return !std::isfinite(static_cast<double>(r));
    return !(errorNumber == ERANGE && std::isfinite(r) &&
             fabsl(r) < static_cast<Real>(std::numeric_limits<double>::min()));
}

Real EvaluateNode(TreeHandle &handle, const Node *node);

// The protocol every evaluation follows: clear the handle's error, write x, evaluate the root,
// read the error.
inline Real EvaluateAt(TreeHandle &handle, Real x, int32_t &error)
{
    handle.error = handle.root ? 0 : handle.buildError;
    g_tables.vars[VarX].value = x;
    Real result = EvaluateNode(handle, handle.root);
    // Operators and functions check their own results; a bare number or parameter beyond the
    // double range (a literal of 400 digits) is caught here, so no overflow passes as success.
    // (A NaN x given by the caller stays as it is: the root finder relies on its comparisons.)
    if (handle.error == 0 && handle.root && std::isinf(static_cast<double>(result)))
        handle.error = OverflowError;
    error = handle.error;
    return result;
}

// Evaluates a user function's body with x = argument; returns the body's error code.
int32_t CallUserFunction(FunEntry &function, Real argument, Real &result);

} // namespace trev
