// Engine benchmarks. The about-box expression is evaluated at x = 1 ... 200000 by the engine,
// by the same expression written directly in long double (the floor for 80-bit evaluation),
// and, for context, by a double-precision expression library. The wizard's sixteen examples are
// timed the same way: f and f' written directly in long double at the 50,001 sample points of a
// 50,000-step root scan (the floor of a scan that evaluates both with the library's functions).
#include "trevmath.h"

#include "project/ExampleEquations.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#ifdef HAVE_MUPARSER
#include <muParser.h>
#endif

namespace {

constexpr const char *AboutExpression = "sin(2*x)^cos(3*x)*(cos(4*x)/sin(5*x)*cos(7*x)-sin(x))+ln(x/sqrt(x^2))";
constexpr int Points = 200000;

struct Engine {
    Engine() { InitTrevolin(); }
};

TrevHandle Parse(const char *text)
{
    static Engine engine;
    int32_t err = 0, errpos = 0;
    TrevHandle h = CrTree2(text, &err, &errpos);
    if (err != 0) {
        std::fprintf(stderr, "cannot parse %s\n", text);
        std::abort();
    }
    return h;
}

long double Direct(long double x)
{
    return powl(sinl(2 * x), cosl(3 * x)) * (cosl(4 * x) / sinl(5 * x) * cosl(7 * x) - sinl(x)) +
           logl(x / sqrtl(powl(x, 2)));
}

void BM_EvalTree(benchmark::State &state)
{
    TrevHandle h = Parse(AboutExpression);
    for (auto _ : state) {
        double sum = 0;
        int32_t err = 0;
        for (int i = 1; i <= Points; ++i) {
            double v = EvalTree(h, i, &err);
            if (err == 0)
                sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Points);
    DelTree(h);
}

void BM_DirectLongDouble(benchmark::State &state)
{
    for (auto _ : state) {
        double sum = 0;
        for (int i = 1; i <= Points; ++i) {
            double v = static_cast<double>(Direct(i));
            if (std::isfinite(v))
                sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Points);
}

#ifdef HAVE_MUPARSER
void BM_MuParserDouble(benchmark::State &state)
{
    double x = 0;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.SetExpr(AboutExpression);
    for (auto _ : state) {
        double sum = 0;
        for (int i = 1; i <= Points; ++i) {
            x = i;
            double v = parser.Eval();
            if (std::isfinite(v))
                sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * Points);
}
BENCHMARK(BM_MuParserDouble)->Unit(benchmark::kMillisecond);
#endif

// The engine and the direct code must agree to the last bit wherever both succeed.
void BM_CheckBitIdentical(benchmark::State &state)
{
    TrevHandle h = Parse(AboutExpression);
    long mismatches = 0;
    for (auto _ : state) {
        mismatches = 0;
        int32_t err = 0;
        for (int i = 1; i <= Points; ++i) {
            double engine = EvalTree(h, i, &err);
            double direct = static_cast<double>(Direct(i));
            if (err == 0 && std::memcmp(&engine, &direct, sizeof engine) != 0)
                ++mismatches;
        }
    }
    state.counters["mismatches"] = static_cast<double>(mismatches);
    DelTree(h);
}

void BM_FindRootSqrt2(benchmark::State &state)
{
    TrevHandle f = Parse("x*x-2"), df = Parse("2*x");
    for (auto _ : state) {
        int32_t err = 0;
        benchmark::DoNotOptimize(FindRoot(f, df, 0, 2, &err));
    }
    DelTree(f);
    DelTree(df);
}

void BM_FindRootAboutExpression(benchmark::State &state)
{
    // The first bracket a 1000-step scan of [-10, 10] finds (left of 0 the logarithm fails).
    TrevHandle f = Parse(AboutExpression);
    TrevHandle df = DerTree(f);
    for (auto _ : state) {
        int32_t err = 0;
        benchmark::DoNotOptimize(FindRoot(f, df, 0.18, 0.2, &err));
    }
    DelTree(df);
    DelTree(f);
}

void BM_IntegrateAboutExpression(benchmark::State &state)
{
    TrevHandle f = Parse(AboutExpression);
    for (auto _ : state) {
        int32_t err = 0;
        benchmark::DoNotOptimize(Integrate(f, 1, 2, &err));
    }
    DelTree(f);
}

void BM_EvalTree1501(benchmark::State &state)
{
    // The cost an integral is measured against: 1501 evaluations over [1, 2].
    TrevHandle f = Parse(AboutExpression);
    for (auto _ : state) {
        int32_t err = 0;
        double sum = 0;
        for (int i = 0; i <= 1500; ++i)
            sum += EvalTree(f, 1 + i / 1500.0, &err);
        benchmark::DoNotOptimize(sum);
    }
    DelTree(f);
}

void BM_DerTree(benchmark::State &state)
{
    TrevHandle f = Parse(AboutExpression);
    for (auto _ : state) {
        TrevHandle d = DerTree(f);
        DelTree(d);
    }
    DelTree(f);
}

void BM_DerTreeSecond(benchmark::State &state)
{
    TrevHandle f = Parse(AboutExpression);
    TrevHandle d = DerTree(f);
    for (auto _ : state) {
        TrevHandle d2 = DerTree(d);
        DelTree(d2);
    }
    DelTree(d);
    DelTree(f);
}

// f and f' of the examples, in the order of ExampleEquations, written operation for operation
// as the engine evaluates them (every power by powl, as in Direct above).
using LongFunction = long double (*)(long double);
struct DirectExample {
    LongFunction f, fPrime;
};
const long double Ln2 = logl(2), Ln3 = logl(3), Ln6 = logl(6);
const DirectExample DirectExamples[16] = {
    {[](long double x) { return asinl(powl(x, 2)) - 1; },
     [](long double x) { return 2 * x / sqrtl(1 - powl(x, 4)); }},
    {[](long double x) { return powl(3, x) - powl(x, 3); },
     [](long double x) { return powl(3, x) * Ln3 - 3 * powl(x, 2); }},
    {[](long double x) { return powl(x, x) - 4; }, [](long double x) { return powl(x, x) * (logl(x) + 1); }},
    {[](long double x) { return powl(2, x) + powl(3, x) + powl(6, x) - powl(x, 2); },
     [](long double x) { return powl(2, x) * Ln2 + powl(3, x) * Ln3 + powl(6, x) * Ln6 - 2 * x; }},
    {[](long double x) { return powl(x + 2, 2) + powl(x + 3, 3) + powl(x + 4, 4) - 2; },
     [](long double x) { return 2 * (x + 2) + 3 * powl(x + 3, 2) + 4 * powl(x + 4, 3); }},
    {[](long double x) { return sinl(x) - cosl(x); }, [](long double x) { return cosl(x) + sinl(x); }},
    {[](long double x) { return atanl(x) + atanl(powl(x, 2)); },
     [](long double x) { return 1 / (1 + powl(x, 2)) + 2 * x / (1 + powl(x, 4)); }},
    {[](long double x) { return powl(x, 3) - 2 * powl(x, 2) + 1 / x - 3; },
     [](long double x) { return 3 * powl(x, 2) - 4 * x - 1 / powl(x, 2); }},
    {[](long double x) { return expl(x) - sinl(1 / powl(2, x)); },
     [](long double x) { return expl(x) + cosl(1 / powl(2, x)) * Ln2 / powl(2, x); }},
    {[](long double x) { return (1 - 2 * x) / x - 2 * x; }, [](long double x) { return -1 / powl(x, 2) - 2; }},
    {[](long double x) { return atanhl(1 / logl(x) - logl(x)); },
     [](long double x) {
         return (-1 / (x * powl(logl(x), 2)) - 1 / x) / (1 - powl(1 / logl(x) - logl(x), 2));
     }},
    {[](long double x) { return expl(2 * x) - expl(4 * x) + 1; },
     [](long double x) { return 2 * expl(2 * x) - 4 * expl(4 * x); }},
    {[](long double x) { return 1 + 12 * (1 - expl(x / 6)); }, [](long double x) { return -2 * expl(x / 6); }},
    {[](long double x) { return sinhl(powl(x, 2)) - coshl(2 * x) / 2; },
     [](long double x) { return 2 * x * coshl(powl(x, 2)) - sinhl(2 * x); }},
    {[](long double x) { return 5 * powl(1 - 10 * x, -1) - 1; },
     [](long double x) { return 50 * powl(1 - 10 * x, -2); }},
    {[](long double x) { return powl(2, x) - powl(x, 2); }, [](long double x) { return powl(2, x) * Ln2 - 2 * x; }},
};

void BM_ExampleFloor(benchmark::State &state)
{
    constexpr int Steps = 50000;
    const int index = static_cast<int>(state.range(0));
    const ExampleEquation &example = ExampleEquations[static_cast<size_t>(index)];
    const DirectExample &direct = DirectExamples[index];
    const double h = (example.end - example.start) / Steps;
    for (auto _ : state) {
        double sum = 0;
        for (int k = 0; k <= Steps; ++k) {
            const double x = example.start + k * h;
            const double y = static_cast<double>(direct.f(x)), d = static_cast<double>(direct.fPrime(x));
            if (std::isfinite(y))
                sum += y;
            if (std::isfinite(d))
                sum += d;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetLabel(example.function);
}

} // namespace

BENCHMARK(BM_ExampleFloor)->DenseRange(0, 15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EvalTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DirectLongDouble)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckBitIdentical)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindRootSqrt2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindRootAboutExpression)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_IntegrateAboutExpression)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EvalTree1501)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DerTree)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DerTreeSecond)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
