// Engine benchmarks. The about-box expression is evaluated at x = 1 ... 200000 by the engine,
// by the same expression written directly in long double (the floor for 80-bit evaluation),
// and, for context, by a double-precision expression library.
#include "trevmath.h"

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

} // namespace

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
