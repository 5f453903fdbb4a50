#include "analysis/ExtremaScan.h"

#include "analysis/RootScanChunks.h"
#include "project/FunctionProject.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

bool negative(double v) { return !(v >= 0); }
bool positive(double v) { return v > 0; }

// Scans samples first .. last, where `x` is the sample before first; returns the last sample's x.
// x advances by adding h, so a chunk reaches its samples by the same additions as the scan.
double scanSamples(const Expression &f, const Expression &fPrime, const Expression &fSecond, double h, double x,
                   qint64 first, qint64 last, QVector<Extremum> &extrema)
{
    qint32 code = 0;
    double d = fPrime.evaluate(x, code);
    for (qint64 i = first; i <= last; ++i) {
        const double previousX = x;
        const double previousD = d;
        const qint32 previousCode = code;
        x += h;
        d = fPrime.evaluate(x, code);
        if (previousCode != 0 || code != 0 || negative(previousD) == negative(d))
            continue;
        int error = 0;
        const double r = fPrime.findRoot(fSecond, previousX, x, &error);
        if (error != 0)
            continue;
        qint32 leftCode = 0, rightCode = 0, valueCode = 0;
        const double left = fPrime.evaluate(r - h / 2, leftCode);
        const double right = fPrime.evaluate(r + h / 2, rightCode);
        const double y = f.evaluate(r, valueCode);
        if (leftCode != 0 || rightCode != 0 || valueCode != 0)
            continue;
        if (negative(left) && positive(right))
            extrema.append({r, y, true});
        else if (positive(left) && negative(right))
            extrema.append({r, y, false});
    }
    return x;
}

} // namespace

QVector<Extremum> ExtremaScan::run(const FunctionProject &project)
{
    QVector<Extremum> extrema;
    const Expression &f = project.f();
    const Expression &fPrime = project.fPrime();
    const qint32 steps = project.rootSteps();
    const double h = steps > 0 ? (project.xMax() - project.xMin()) / steps : 0;
    if (f.isNull() || fPrime.isNull() || h == 0 || !std::isfinite(h) || !std::isfinite(project.xMin()))
        return extrema;

    // Samples 0 .. steps + 1 follow the one at a - h: a probe on this thread, then the rest in chunks.
    const qint64 samples = qint64(steps) + 2;
    const qint64 probe = std::min(samples, RootScanChunks::ProbeSamples);
    QElapsedTimer clock;
    clock.start();
    double x = scanSamples(f, fPrime, project.fSecond(), h, project.xMin() - h, 0, probe - 1, extrema);
    const qint64 count = samples - probe;
    const int chunks = RootScanChunks::chunkCount(count, clock.nsecsElapsed());
    if (chunks < 2) {
        scanSamples(f, fPrime, project.fSecond(), h, x, probe, samples - 1, extrema);
        return extrema;
    }
    struct Chunk {
        Expression f, fPrime, fSecond;
        double before = 0; // the x of the sample before the chunk's first
        QVector<Extremum> extrema;
    };
    std::vector<Chunk> parts(static_cast<size_t>(chunks));
    for (int i = 0; i < chunks; ++i) {
        Chunk &part = parts[size_t(i)];
        part.f = f.copy();
        part.fPrime = fPrime.copy();
        part.fSecond = project.fSecond().copy();
        part.before = x;
        for (qint64 k = RootScanChunks::chunkStart(probe, count, chunks, i);
             k < RootScanChunks::chunkStart(probe, count, chunks, i + 1); ++k)
            x += h;
    }
    RootScanChunks::run(chunks, [&](int i) {
        Chunk &part = parts[size_t(i)];
        scanSamples(part.f, part.fPrime, part.fSecond, h, part.before, RootScanChunks::chunkStart(probe, count, chunks, i),
                    RootScanChunks::chunkStart(probe, count, chunks, i + 1) - 1, part.extrema);
    });
    for (const Chunk &part : parts)
        extrema += part.extrema;
    return extrema;
}

int ExtremaScan::formFailure(const Expression &derivative)
{
    qint32 code = 0;
    derivative.evaluate(0, code);
    return code < 0 ? code : 0;
}
