#pragma once
// The sixteen example equations that the wizard's Random button offers (and the benchmarks
// time): function, interval and parameters.
#include <array>

struct ExampleEquation {
    const char *function;
    double start;
    double end;
    const char *parameters;
};

inline constexpr std::array<ExampleEquation, 16> ExampleEquations = {{
    {"asin(x^2)-1", -1.5, 1.5, ""},
    {"3^x-x^3", 0, 6, ""},
    {"x^x-4", 0, 6, ""},
    {"2^x+3^x+6^x-x^2", -10, 10, ""},
    {"(x+2)^2+(x+3)^3+(x+4)^4-2", -6, 6, ""},
    {"sin(x)-cos(x)", -3.14159265358979, 3.14159265358979, ""},
    {"atan(x)+atan(x^2)", -3, 3, ""},
    {"x^3-2x^2+1/x-3", -6, 6, ""},
    {"e^x-sin(1/a^x)", -4, 6, "a=2"},
    {"(1-2x)/x-2x", -5, 5, ""},
    {"atanh(1/ln(x)-ln(x))", -3, 4, ""},
    {"exp(a*x)-exp(b*x)+c", -3, 3, "a=2; b=4; c=1"},
    {"1+12(1-exp(x/6))", -10, 10, ""},
    {"sinh(x^2)-1/2cosh(2x)", -5, 5, ""},
    {"5(1-10x)^a-b", -5, 5, "a=-1; b=1"},
    {"a^x-x^a", -2, 4, "a=2"},
}};
