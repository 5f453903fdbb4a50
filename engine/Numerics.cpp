#include "Numerics.h"

#include "Evaluator.h"

#include <cmath>

namespace trev {

Real SafeNewtonRoot(TreeHandle &f, TreeHandle &df, Real x1, Real x2, int32_t &err)
{
    constexpr int MaxPasses = 100;
    const Real tolerance = 1e-11; // absolute
    int32_t code = 0;

    const Real fl = EvaluateAt(f, x1, code);
    if (code != 0) {
        err = code;
        return 0;
    }
    const Real fh = EvaluateAt(f, x2, code);
    err = code;
    if (code != 0)
        return 0;
    if (fh == 0)
        return x2;

    Real xl, xh;
    if (fl > 0) {
        xl = x2;
        xh = x1;
    } else {
        xl = x1;
        xh = x2;
    }
    Real rts = (x1 + x2) * 0.5L;
    Real dxold = fabsl(x2 - x1);
    Real dx = dxold;

    auto evaluateBoth = [&](Real &f0, Real &d0) {
        f0 = EvaluateAt(f, rts, code);
        if (code != 0)
            return false;
        d0 = EvaluateAt(df, rts, code);
        return code == 0;
    };
    Real f0 = 0, d0 = 0;
    if (!evaluateBoth(f0, d0)) {
        err = code;
        return 0;
    }
    for (int pass = 1;;) {
        if (((rts - xl) * d0 - f0) * ((rts - xh) * d0 - f0) > 0 || fabsl(2 * f0) > fabsl(dxold * d0)) {
            dxold = dx;
            dx = (xh - xl) * 0.5L;
            rts = xl + dx;
            if (xl == rts)
                return rts;
        } else {
            dxold = dx;
            dx = f0 / d0;
            const Real previous = rts;
            rts -= dx;
            if (previous == rts)
                return rts;
        }
        if (fabsl(dx) < tolerance)
            return rts;
        if (!evaluateBoth(f0, d0)) {
            err = code;
            return 0;
        }
        if (f0 < 0)
            xl = rts;
        else
            xh = rts;
        if (++pass > MaxPasses) {
            err = -1;
            return 0;
        }
        err = 0;
    }
}

Real SimpsonIntegral(TreeHandle &f, Real a, Real b, int32_t &err)
{
    constexpr int Intervals = 1500;
    const Real h = (b - a) / Intervals;
    err = 0;
    int32_t code = 0;
    auto sample = [&](Real x) {
        Real value = EvaluateAt(f, x, code);
        if (err == 0)
            err = code; // the first failure is the one reported
        return value;
    };
    Real odd = 0;
    for (int i = 1; i < Intervals; i += 2)
        odd += sample(a + i * h);
    Real even = 0;
    for (int i = 2; i < Intervals; i += 2)
        even += sample(a + i * h);
    const Real fa = sample(a);
    const Real fb = sample(b);
    Real sum = 4 * odd + 2 * even;
    sum += fa;
    sum += fb;
    return sum * h / 3;
}

} // namespace trev
