#pragma once
// The definite integral of f over [a, b] as the engine computes it (Simpson's rule), except
// where f has a pole in [a, b] (or at an end): there the integral does not exist as a proper
// integral, and any number Simpson's points give would be meaningless.
//
// The pole search is conservative. f is sampled at Samples + 1 points; around the few samples
// where f bends most (or cannot be evaluated), the point where |f| is largest is located, and it
// counts as a pole only when |f| keeps growing at least like 1/|x - p| over the last 16 halvings
// of the distance down to what doubles can resolve there. A bounded function never grows that
// way, so its integral is exactly the engine's value; integrable singularities such as
// 1/sqrt(|x|) grow more slowly and are left to the engine as well.
#include <QString>

#include <optional>

class Expression;

struct IntegralOutcome {
    double value = 0;   // the engine's value (meaningless when code != 0 or pole)
    int code = 0;       // the engine's code
    bool pole = false;  // f has a pole near poleX: the integral does not exist
    double poleX = 0;
};

class ProperIntegral {
public:
    static constexpr int Samples = 1500;

    // The integral over [a, b] (a <= b), with the pole search when a < b.
    static IntegralOutcome compute(const Expression &f, double a, double b);

    // A pole of f in [a, b], or nothing.
    static std::optional<double> findPole(const Expression &f, double a, double b);

    // "The integral does not converge: f has a pole near x = <xText>."
    static QString poleMessage(const QString &xText);
};
