#pragma once
// Faster ways to x^y that agree with the library's powl to within a few units in the last place
// of the extended format: whole exponents by repeated squaring, and a constant positive base
// through exp2 with its base-2 logarithm kept to twice the extended precision. Where a fast way
// could lose accuracy (results near the ends of the extended range, non-finite operands) powl
// decides, with its own errno.
#include "Tree.h"

#include <cmath>
#include <cstring>

namespace trev {

// Exponents up to this magnitude are multiplied out.
constexpr int MaxMultipliedExponent = 64;

inline bool IsSmallWholeExponent(Real y)
{
    // Adding and taking away 1.5 * 2^63 (where the ulp is 1) rounds y to a whole number without
    // the switch of the rounding mode that a conversion to int costs. NaN fails the first test.
    constexpr Real Rounder = 0x1.8p63L;
    return fabsl(y) <= MaxMultipliedExponent && (y + Rounder) - Rounder == y;
}

// x^n for |n| <= MaxMultipliedExponent. Exponents up to 3 are multiplied as powl multiplies
// them (the same bits); larger ones in twice the extended precision, so the result is the
// exact power correctly rounded but for near ties. Negative n is the reciprocal of x^|n|.
Real WholePower(Real x, int n);

// A number as an unevaluated sum hi + lo, |lo| at most half an ulp of hi.
struct RealPair {
    Real hi = 0;
    Real lo = 0;
};

// The 80 bits of a Real: equal bits are the same value to the last bit, sign of zero included.
struct RealBits {
    unsigned long long mantissa = 0;
    unsigned short signAndExponent = 0;

    RealBits() = default;
    explicit RealBits(Real x)
    {
        std::memcpy(&mantissa, &x, sizeof mantissa); // x87 layout: 64-bit mantissa, then 16 bits
        std::memcpy(&signAndExponent, reinterpret_cast<const char *>(&x) + sizeof mantissa, sizeof signAndExponent);
    }
    bool operator==(const RealBits &other) const
    {
        return mantissa == other.mantissa && signAndExponent == other.signAndExponent;
    }
    // A few bits that tell values apart, for hashing.
    unsigned long long key() const { return mantissa ^ (static_cast<unsigned long long>(signAndExponent) << 47); }
};

inline unsigned long long RealKey(Real x) { return RealBits(x).key(); }

// The base-2 logarithms of the constant bases met recently, each computed once.
class BaseLogarithms {
public:
    // log2(base) to about 128 bits, for a positive finite base.
    const RealPair &of(Real base)
    {
        Entry &entry = m_entries[RealKey(base) * 0x9E3779B97F4A7C15ull >> 60];
        if (!entry.used || !(entry.base == base)) {
            entry.base = base;
            entry.log = Log2Pair(base);
            entry.used = true;
        }
        return entry.log;
    }
    static RealPair Log2Pair(Real base);

private:
    struct Entry {
        Real base = 0;
        RealPair log;
        bool used = false;
    };
    Entry m_entries[16]; // must match the four bits taken in of()
};

// c^y for a positive finite c through exp2(y * log2(c)); false (and nothing computed) where the
// exponent's product leaves the range in which that is as accurate as powl.
bool ConstantBasePower(BaseLogarithms &logarithms, Real c, Real y, Real &result);

} // namespace trev
