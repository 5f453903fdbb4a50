#include "Powers.h"

namespace trev {
namespace {

// Arithmetic on RealPairs (Dekker's exact products and Knuth's exact sums). Exact as long as
// nothing overflows or drops below the normal range, which the callers make sure of.
constexpr Real Splitter = 4294967297.0L; // 2^32 + 1: halves of 32 bits, whose products are exact

inline void Split(Real a, Real &high, Real &low)
{
    const Real t = Splitter * a;
    high = t - (t - a);
    low = a - high;
}

inline RealPair FastTwoSum(Real a, Real b) // |a| >= |b|
{
    const Real s = a + b;
    return {s, b - (s - a)};
}

inline RealPair TwoSum(Real a, Real b)
{
    const Real s = a + b;
    const Real bPart = s - a;
    return {s, (a - (s - bPart)) + (b - bPart)};
}

inline RealPair TwoProduct(Real a, Real b)
{
    const Real p = a * b;
    Real ah, al, bh, bl;
    Split(a, ah, al);
    Split(b, bh, bl);
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

inline RealPair Multiply(const RealPair &x, const RealPair &y)
{
    RealPair p = TwoProduct(x.hi, y.hi);
    p.lo += x.hi * y.lo + x.lo * y.hi;
    return FastTwoSum(p.hi, p.lo);
}

inline RealPair Square(const RealPair &x)
{
    Real h, l;
    Split(x.hi, h, l);
    const Real p = x.hi * x.hi;
    Real e = ((h * h - p) + 2 * h * l) + l * l;
    e += 2 * x.hi * x.lo;
    return FastTwoSum(p, e);
}

inline RealPair Add(const RealPair &x, const RealPair &y)
{
    RealPair s = TwoSum(x.hi, y.hi);
    s.lo += x.lo + y.lo;
    return FastTwoSum(s.hi, s.lo);
}

// a / b for a Real a and a pair b, as a pair.
inline RealPair Divide(Real a, const RealPair &b)
{
    const Real q = a / b.hi;
    const RealPair p = TwoProduct(q, b.hi);
    const Real remainder = ((a - p.hi) - p.lo) - q * b.lo; // a - p.hi is exact: p.hi is close to a
    return FastTwoSum(q, remainder / b.hi);
}

// log2(e) to 128 bits, and ln 2 to 64.
constexpr RealPair Log2E{0xb8aa3b295c17f0bcp-63L, -0x82f0025f2dc582eep-128L};
constexpr Real Ln2 = 0xb17217f7d1cf79acp-64L;

// Products stay exact while the values stay well inside the normal range.
constexpr Real SafeLow = 0x1p-16000L;
constexpr Real SafeHigh = 0x1p16000L;

} // namespace

Real WholePower(Real x, int n)
{
    unsigned m = static_cast<unsigned>(n < 0 ? -n : n);
    if (m <= 3) {
        if (n < 0)
            x = 1 / x;
        switch (m) {
        case 0: return 1;
        case 1: return x;
        case 2: return x * x;
        default: return x * (x * x);
        }
    }
    RealPair base{x, 0}, power;
    bool first = true;
    for (;;) {
        if (m & 1) {
            power = first ? base : Multiply(power, base);
            first = false;
        }
        m >>= 1;
        if (m == 0)
            break;
        base = Square(base);
    }
    // Between 1 and |x|^m lie all the intermediate values, so they were safe too.
    if (!(fabsl(power.hi) >= SafeLow && fabsl(power.hi) <= SafeHigh))
        return powl(x, static_cast<Real>(n));
    return n > 0 ? power.hi + power.lo : Divide(1, power).hi;
}

RealPair BaseLogarithms::Log2Pair(Real base)
{
    // base = m * 2^k with m in [sqrt(1/2), sqrt(2)); log2(base) = k + ln(m) * log2(e).
    int k = 0;
    Real m = frexpl(base, &k);
    if (m < 0.70710678118654752440L) {
        m *= 2;
        --k;
    }
    // ln(m) = 2 atanh(s) with s = (m - 1) / (m + 1), |s| < 0.172; atanh(s) / s is the sum of
    // z^j / (2j + 1) for z = s^2 < 0.0295, whose 27th term is below 2^-130.
    const RealPair s = Divide(m - 1, TwoSum(m, 1)); // m - 1 is exact
    const RealPair z = Multiply(s, s);
    RealPair sum;
    for (int j = 26; j >= 0; --j)
        sum = Add(Divide(1, RealPair{static_cast<Real>(2 * j + 1), 0}), Multiply(z, sum));
    RealPair logM = Multiply(Multiply(s, sum), Log2E);
    logM.hi *= 2;
    logM.lo *= 2;
    return Add(RealPair{static_cast<Real>(k), 0}, logM);
}

bool ConstantBasePower(BaseLogarithms &logarithms, Real c, Real y, Real &result)
{
    const RealPair &log = logarithms.of(c);
    RealPair t = TwoProduct(y, log.hi);
    t.lo += y * log.lo;
    t = FastTwoSum(t.hi, t.lo);
    // |t| < 16000 keeps exp2 away from overflow and from the subnormal results it rounds
    // coarsely; NaN fails here too.
    if (!(fabsl(t.hi) < 16000))
        return false;
    // 2^(hi + lo) = 2^hi * 2^lo, and 2^lo = 1 + lo ln 2 to far below an ulp since |lo| < 2^-50.
    const Real power = exp2l(t.hi);
    result = power + power * (t.lo * Ln2);
    return true;
}

} // namespace trev
