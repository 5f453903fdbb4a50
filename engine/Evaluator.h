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
    // The usual case: no errno, and a finite double. Rounded to nearest, a Real becomes a finite
    // double exactly when its magnitude is below DBL_MAX plus half its ulp; comparing with that
    // saves the conversion.
    constexpr Real RoundsToDoubleInfinity = 0x1.fffffffffffff8p1023L;
    if (errorNumber == 0)
        return !(fabsl(r) < RoundsToDoubleInfinity);
    return !(errorNumber == ERANGE && std::isfinite(r) &&
             fabsl(r) < static_cast<Real>(std::numeric_limits<double>::min()));
}

// Evaluation keeps its state per thread: x, the depth of user-function calls, the recent
// results and the logarithms of constant bases, and the error while a tree is evaluated (the
// tree's `error` receives it at the end). So distinct trees can be evaluated on several threads
// at once. The thread that set up the engine keeps x in VarTable, where it always was.

// Evaluates a subtree of handle's tree, starting from and updating the handle's error.
Real EvaluateNode(TreeHandle &handle, const Node *node);

// The protocol every evaluation follows: clear the handle's error, write x, evaluate the root,
// read the error.
Real EvaluateAt(TreeHandle &handle, Real x, int32_t &error);

// Evaluates a user function's body with x = argument; returns the body's error code.
int32_t CallUserFunction(FunEntry &function, Real argument, Real &result);

// Makes the calling thread the one whose x lives in VarTable (the engine's initialisation).
void TakeTableX();

} // namespace trev
