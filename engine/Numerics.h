#pragma once
// Root finding in a bracket and definite integrals.
#include "Tree.h"

namespace trev {

// Newton steps safeguarded by bisection; df is the derivative of f. Returns 0 on failure with
// the first failing evaluation's code in err, or -1 after 100 passes without convergence.
Real SafeNewtonRoot(TreeHandle &f, TreeHandle &df, Real x1, Real x2, int32_t &err);

// Composite Simpson rule with 1500 sub-intervals; err is the first non-zero evaluation code.
Real SimpsonIntegral(TreeHandle &f, Real a, Real b, int32_t &err);

} // namespace trev
