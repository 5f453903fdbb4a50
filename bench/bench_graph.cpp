// Timing of the costly operations of a graph window on the sixteen example equations of the
// wizard's Random button: the root scan with 50,000 steps and a redraw with 1,000 graph points,
// a pan and a wheel-zoom step, the extrema scan with 50,000 steps, and a parameter slider's
// step. Prints a table per operation with the median of several runs of each. Run from the
// program folder (the engine library is loaded from beside the program). With --roots-only only the root scan table
// is printed (bench/compare_scan.py reads it).
#include "analysis/ExtremaScan.h"
#include "core/EngineBinding.h"
#include "core/Expression.h"
#include "core/MathEngine.h"
#include "graph/GraphPane.h"
#include "graph/GraphRenderer.h"
#include "graph/RootList.h"
#include "project/ExampleEquations.h"
#include "project/FunctionProject.h"
#include "project/ParameterSlider.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The wizard's examples, as a user meets them.
const auto &Examples = ExampleEquations;

constexpr int Runs = 7;
constexpr qint32 Steps = 50000;
constexpr qint32 Points = 1000;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The example's function, parameters and interval in `project`; false when the engine refuses it.
bool loadExample(const ExampleEquation &example, FunctionProject &project)
{
    Expression f = Expression::parse(QString::fromLatin1(example.function), QString::fromLatin1(example.parameters));
    if (f.isNull())
        return false;
    project.load(QString::fromLatin1(example.function), std::move(f), example.start, example.end);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    std::string error;
    if (!trev::EngineBinding::load(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    MathEngine::initialize();
    const bool rootsOnly = argc > 1 && std::strcmp(argv[1], "--roots-only") == 0;

    std::printf("| # | f(x) | interval | roots | root scan, %d steps (ms) | of which f, f' samples (ms) | drawing, %d points (ms) |\n",
                Steps, Points);
    std::printf("|---|---|---|---|---|---|---|\n");
    double worst = 0;
    for (int i = 0; i < 16; ++i) {
        const ExampleEquation &example = Examples[i];
        EngineError parseError;
        Expression f = Expression::parse(QString::fromLatin1(example.function), QString::fromLatin1(example.parameters),
                                         &parseError);
        if (!parseError.ok()) {
            std::printf("| %d | %s | parse error %d | | | | |\n", i, example.function, parseError.code);
            continue;
        }
        FunctionProject project;
        project.load(QString::fromLatin1(example.function), std::move(f), example.start, example.end);
        project.setRootSteps(Steps);
        project.setGraphPoints(Points);

        std::vector<double> scans, draws;
        int roots = 0;
        for (int run = 0; run < Runs; ++run) {
            RootList search;
            QElapsedTimer timer;
            timer.start();
            roots = search.scanRoots(project);
            scans.push_back(timer.nsecsElapsed() / 1e6);
        }
        // The part of the scan that is the engine's: f and f' at every sample, nothing else.
        std::vector<double> samples;
        for (int run = 0; run < Runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            const double h = (project.xMax() - project.xMin()) / Steps;
            double sink = 0;
            for (qint32 k = -1; k <= Steps; ++k) {
                qint32 e = 0;
                sink += project.f().evaluate(project.xMin() + k * h, e);
                sink += project.fPrime().evaluate(project.xMin() + k * h, e);
            }
            samples.push_back(timer.nsecsElapsed() / 1e6);
            if (sink == 12345.678)
                std::printf(" ");
        }
        GraphPane pane;
        for (int run = 0; run < Runs && !rootsOnly; ++run) {
            QElapsedTimer timer;
            timer.start();
            GraphRenderer::drawGraph(pane.surface(), project);
            draws.push_back(timer.nsecsElapsed() / 1e6);
        }
        if (draws.empty())
            draws.push_back(0);
        const double scan = median(scans), draw = median(draws);
        worst = std::max({worst, scan, draw});
        std::printf("| %d | %s%s%s%s | [%g, %g] | %d | %.1f | %.1f | %.1f |\n", i, example.function,
                    *example.parameters ? " (" : "", example.parameters, *example.parameters ? ")" : "",
                    example.start, example.end, roots, scan, median(samples), draw);
    }
    std::printf("\nSlowest median: %.1f ms (median of %d runs each)\n", worst, Runs);
    if (rootsOnly)
        return 0;

    // Moving the view: one pan step and one wheel-zoom step of a graph window, each followed by
    // the redraw (no root scan), at 1000 graph points.
    constexpr int MoveRuns = 51;
    std::printf("\n| # | f(x) | pan step + redraw (ms) | wheel-zoom step + redraw (ms) |\n|---|---|---|---|\n");
    double worstMove = 0;
    for (int i = 0; i < 16; ++i) {
        const ExampleEquation &example = Examples[i];
        FunctionProject project;
        if (!loadExample(example, project))
            continue;
        project.setGraphPoints(Points);
        GraphPane pane;
        pane.setProject(&project);
        pane.load();
        std::vector<double> pans, zooms;
        for (int run = 0; run < MoveRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            // Back and forth, so the view stays where the example is interesting.
            pane.refresh(project.pan(run % 2 == 0 ? 1 : -1, 0));
            pans.push_back(timer.nsecsElapsed() / 1e6);
        }
        for (int run = 0; run < MoveRuns; ++run) {
            const double x = project.xMin() + 0.3 * (project.xMax() - project.xMin());
            const double y = project.yMin() + 0.6 * (project.yMax() - project.yMin());
            bool zoomX = true, zoomY = true;
            QElapsedTimer timer;
            timer.start();
            project.zoomAbout(x, y, zoomX, zoomY, run % 2 == 0 ? 0.5 : 2);
            pane.refresh(zoomX);
            zooms.push_back(timer.nsecsElapsed() / 1e6);
        }
        const double pan = median(pans), zoom = median(zooms);
        worstMove = std::max({worstMove, pan, zoom});
        std::printf("| %d | %s | %.2f | %.2f |\n", i, example.function, pan, zoom);
    }
    std::printf("\nSlowest median of a view step: %.2f ms (median of %d runs each)\n", worstMove, MoveRuns);

    // The extrema dialog's scan: f' sampled over [a - h, b + h] with 50,000 steps, each sign
    // change refined by the root finder on f' and checked half a step to either side.
    std::printf("\n| # | f(x) | extrema | extrema scan, %d steps (ms) |\n|---|---|---|---|\n", Steps);
    double worstExtrema = 0;
    for (int i = 0; i < 16; ++i) {
        const ExampleEquation &example = Examples[i];
        FunctionProject project;
        if (!loadExample(example, project))
            continue;
        project.setRootSteps(Steps);
        std::vector<double> scans;
        int found = 0;
        for (int run = 0; run < Runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            found = static_cast<int>(ExtremaScan::run(project).size());
            scans.push_back(timer.nsecsElapsed() / 1e6);
        }
        const double scan = median(scans);
        worstExtrema = std::max(worstExtrema, scan);
        std::printf("| %d | %s | %d | %.1f |\n", i, example.function, found, scan);
    }
    std::printf("\nSlowest median of an extrema scan: %.1f ms (median of %d runs each)\n", worstExtrema, Runs);

    // One step of a parameter slider: the new value into f, f' and f'', the redraw at 1000
    // points and the root scan at 1000 steps; the first parameter moves one step back and forth
    // in its default range (examples without parameters redraw and scan only). Once plain,
    // once with the dashed curves of f' and f'' shown.
    constexpr int SliderRuns = 51;
    constexpr qint32 SliderScanSteps = 1000;
    std::printf("\n| # | f(x) | slider step (ms) | slider step with f', f'' shown (ms) |\n|---|---|---|---|\n");
    double worstSlider = 0;
    for (int i = 0; i < 16; ++i) {
        const ExampleEquation &example = Examples[i];
        FunctionProject project;
        if (!loadExample(example, project))
            continue;
        project.setGraphPoints(Points);
        project.setRootSteps(SliderScanSteps);
        const QString text = project.f().parameters();
        const QVector<ParameterValue> values = ParameterSlider::parse(text);
        GraphPane pane;
        double step[2] = {0, 0};
        for (int shown = 0; shown < 2; ++shown) {
            project.setShowFPrime(shown == 1);
            project.setShowFSecond(shown == 1);
            std::vector<double> times;
            for (int run = 0; run < SliderRuns; ++run) {
                QElapsedTimer timer;
                timer.start();
                if (!values.isEmpty()) {
                    const SliderRange range = ParameterSlider::defaultRange(values.first().value);
                    const int position = ParameterSlider::position(range, values.first().value) + (run % 2 == 0 ? 1 : 0);
                    project.applyParameters(ParameterSlider::withValue(
                        text, values.first().name,
                        ParameterSlider::valueText(ParameterSlider::value(range, position), range)));
                }
                GraphRenderer::drawGraph(pane.surface(), project);
                RootList search;
                search.scanRoots(project);
                times.push_back(timer.nsecsElapsed() / 1e6);
            }
            step[shown] = median(times);
        }
        worstSlider = std::max({worstSlider, step[0], step[1]});
        std::printf("| %d | %s%s%s%s | %.2f | %.2f |\n", i, example.function, *example.parameters ? " (" : "",
                    example.parameters, *example.parameters ? ")" : "", step[0], step[1]);
    }
    std::printf("\nSlowest median of a slider step: %.2f ms (median of %d runs each)\n", worstSlider, SliderRuns);
    return 0;
}
