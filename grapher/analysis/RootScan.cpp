#include "analysis/RootScan.h"

#include "analysis/RootScanChunks.h"
#include "core/Expression.h"
#include "project/FunctionProject.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

bool signChange(double previous, double current)
{
    return (previous > 0 && current < 0) || (previous < 0 && current > 0);
}

} // namespace

RootScan::RootScan(const Expression &f, const Expression &fPrime, const Expression &fSecond, double a, double b,
                   qint32 steps)
    : m_f(f), m_fPrime(fPrime), m_fSecond(fSecond), m_a(a), m_b(b)
{
    const double h = steps > 0 ? (b - a) / steps : 0;
    // An empty or non-finite interval has nothing to scan.
    if (f.isNull() || h == 0 || !std::isfinite(h) || !std::isfinite(a)) {
        m_steps = -1;
        return;
    }
    m_h = h;
    m_steps = steps;
    // The first sub-interval is [a - h, a], one step left of the interval.
    m_x = a - h;
    m_y = f.evaluate(m_x, m_e);
}

RootScan::RootScan(const Expression &f, const Expression &fPrime, const Expression &fSecond, double a, double h,
                   qint32 first, qint32 last)
    : m_f(f), m_fPrime(fPrime), m_fSecond(fSecond), m_a(a), m_b(a + last * h), m_h(h), m_steps(last),
      m_next(first), m_onThisThreadOnly(true), m_isChunk(true)
{
    // The sample before the first, exactly as the scan's loop takes it.
    m_x = a + (first - 1) * h;
    m_y = f.evaluate(m_x, m_e);
    if (m_e != 0) {
        m_de = m_e;
        m_d = 0;
    } else {
        m_d = fPrime.evaluate(m_x, m_de);
    }
}

RootScan::RootScan(const FunctionProject &project)
    : RootScan(project.f(), project.fPrime(), project.fSecond(), project.xMin(), project.xMax(), project.rootSteps())
{
}

double RootScan::progress() const
{
    return m_steps <= 0 ? 1.0 : std::min(1.0, double(m_next) / double(m_steps + 1));
}

void RootScan::acceptIfRoot(double x)
{
    qint32 error = 0;
    const double v = m_f.evaluate(x, error);
    if (error == 0 && std::fabs(v) < Acceptance)
        m_roots.append(x);
}

void RootScan::acceptIfSignChangeRoot(double r, double xp, double yp, double x, double y)
{
    qint32 error = 0;
    const double v = m_f.evaluate(r, error);
    if (error != 0 || !std::isfinite(v))
        return;
    const double size = std::fabs(v);
    if (size < Acceptance) {
        m_roots.append(r);
        return;
    }
    const double bound = Acceptance * std::max({1.0, std::fabs(yp), std::fabs(y)});
    if (!(size <= bound))
        return;
    double left = r, right = r;
    for (int i = 0; i < NeighbourUlps; ++i) {
        left = std::nextafter(left, -HUGE_VAL);
        right = std::nextafter(right, HUGE_VAL);
    }
    qint32 leftError = 0, rightError = 0;
    const double vLeft = m_f.evaluate(left, leftError);
    const double vRight = m_f.evaluate(right, rightError);
    if (leftError == 0 && rightError == 0 && (vLeft == 0 || vRight == 0 || signChange(vLeft, vRight))) {
        m_roots.append(r);
        return;
    }
    // Rounding noise near the root can be wider than a few ulps, so that f takes one sign on
    // both sides of r. The computed f still changes sign somewhere in [xp, x]: bisect on its
    // signs down to neighbouring doubles and take the one where |f| is smaller, under the same
    // bound. A pole draws the bisection to itself and a jump keeps |f| large, so both stay out.
    double lo = xp, hi = x, vLo = yp, vHi = y;
    for (;;) {
        const double mid = lo + (hi - lo) / 2;
        if (mid == lo || mid == hi)
            break;
        qint32 midError = 0;
        const double vMid = m_f.evaluate(mid, midError);
        if (midError != 0 || !std::isfinite(vMid))
            return;
        if (vMid == 0) {
            m_roots.append(mid);
            return;
        }
        if (signChange(vLo, vMid)) {
            hi = mid;
            vHi = vMid;
        } else {
            lo = mid;
            vLo = vMid;
        }
    }
    const bool loCloser = std::fabs(vLo) <= std::fabs(vHi);
    if (std::fabs(loCloser ? vLo : vHi) <= bound)
        m_roots.append(loCloser ? lo : hi);
}

void RootScan::advanceOnThisThread(qint32 samples)
{
    const bool onlyBefore = m_onThisThreadOnly;
    m_onThisThreadOnly = true;
    advance(samples);
    m_onThisThreadOnly = onlyBefore;
}

bool RootScan::advanceInChunks(qint32 end)
{
    if (qint64(end) - m_next + 1 <= RootScanChunks::ProbeSamples)
        return false;
    QElapsedTimer clock;
    clock.start();
    advanceOnThisThread(qint32(RootScanChunks::ProbeSamples));
    const qint32 first = m_next;
    const qint64 count = qint64(end) - first + 1;
    const int chunks = RootScanChunks::chunkCount(count, clock.nsecsElapsed());
    if (chunks < 2) {
        advanceOnThisThread(qint32(count));
        return true;
    }
    // Chunk 0 is this scan's own continuation; every other chunk gets its own trees, made here
    // because only one thread may create and release them.
    struct Trees {
        Expression f, fPrime, fSecond;
    };
    std::vector<Trees> trees;
    for (int i = 1; i < chunks; ++i)
        trees.push_back({m_f.copy(), m_fPrime.copy(), m_fSecond.copy()});
    std::vector<std::unique_ptr<RootScan>> parts(size_t(chunks - 1));
    auto bound = [&](int i) { return qint32(RootScanChunks::chunkStart(first, count, chunks, i)); };
    RootScanChunks::run(chunks, [&](int i) {
        if (i == 0) {
            advanceOnThisThread(bound(1) - first);
            return;
        }
        const Trees &own = trees[size_t(i - 1)];
        std::unique_ptr<RootScan> part(
            new RootScan(own.f, own.fPrime, own.fSecond, m_a, m_h, bound(i), bound(i + 1) - 1));
        part->advance(bound(i + 1) - bound(i));
        parts[size_t(i - 1)] = std::move(part);
    });
    for (const auto &part : parts)
        m_roots += part->m_roots;
    const RootScan &last = *parts.back();
    m_next = last.m_next;
    m_x = last.m_x;
    m_y = last.m_y;
    m_d = last.m_d;
    m_e = last.m_e;
    m_de = last.m_de;
    return true;
}

bool RootScan::advance(qint32 samples)
{
    const qint32 end = samples >= m_steps - m_next + 1 ? m_steps : m_next + samples - 1;
    if (!m_onThisThreadOnly && advanceInChunks(end))
        return finishScan();
    // The loop works on locals (kept in registers) and stores the state once at the end.
    const Expression &f = m_f, &fPrime = m_fPrime;
    const double a = m_a, h = m_h;
    double x = m_x, y = m_y, d = m_d;
    qint32 e = m_e, de = m_de;
    qint32 k = m_next;
    for (; k <= end; ++k) {
        const double xp = x, yp = y, dp = d;
        const qint32 ep = e, dep = de;
        x = a + k * h;
        y = f.evaluate(x, e);
        if (e != 0) {
            de = e;
            d = 0;
        } else {
            d = fPrime.evaluate(x, de);
        }

        if (e == 0 && y == 0) {
            m_roots.append(x);
        } else if (ep == 0 && e == 0 && signChange(yp, y)) {
            int error = 0;
            const double r = f.findRoot(fPrime, xp, x, &error);
            if (error == 0)
                acceptIfSignChangeRoot(r, xp, yp, x, y);
        } else if (de == 0 && d == 0) {
            acceptIfRoot(x);
        } else if (dep == 0 && de == 0 && signChange(dp, d)) {
            // f' changes sign: f has an extremum in [xp, x] that may touch zero.
            int error = 0;
            const double r = fPrime.findRoot(m_fSecond, xp, x, &error);
            if (error == 0)
                acceptIfRoot(r);
        }
    }
    m_next = k;
    m_x = x;
    m_y = y;
    m_d = d;
    m_e = e;
    m_de = de;
    return finishScan();
}

bool RootScan::finishScan()
{
    if (finished() && m_steps > 0 && !m_isChunk && !m_endChecked) {
        m_endChecked = true;
        acceptEndIfRoot();
    }
    return finished();
}

// b as a double may lie just before a root of f (2*pi before the root of sin), so that no step
// sees the sign change; accept b itself when f is that small there and the last step found
// nothing.
void RootScan::acceptEndIfRoot()
{
    const double lastStart = m_a + (m_steps - 1) * m_h;
    const double lastEnd = m_a + m_steps * m_h;
    if (!m_roots.isEmpty()) {
        const double r = m_roots.last();
        if (r >= std::min(lastStart, lastEnd) && r <= std::max(lastStart, lastEnd))
            return;
    }
    qint32 error = 0;
    const double v = m_f.evaluate(m_b, error);
    if (error == 0 && std::fabs(v) < Acceptance)
        m_roots.append(m_b);
}

QVector<double> RootScan::run(const FunctionProject &project)
{
    RootScan scan(project);
    scan.advance(project.rootSteps() + 1);
    return scan.roots();
}
