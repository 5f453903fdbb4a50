#include "analysis/RootScan.h"

#include "core/Expression.h"
#include "project/FunctionProject.h"

#include <cmath>

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

bool RootScan::advance(qint32 samples)
{
    const qint32 end = samples >= m_steps - m_next + 1 ? m_steps : m_next + samples - 1;
    // The loop works on locals (kept in registers) and stores the state once at the end.
    const Expression &f = m_f, &fPrime = m_fPrime;
    const double a = m_a, h = m_h;
    double x = m_x, y = m_y, d = m_d;
    qint32 e = m_e, de = m_de;
    qint32 k = m_next;
    for (; k <= end; ++k) {
        const qsizetype rootsBefore = m_roots.size();
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
                acceptIfRoot(r);
        } else if (de == 0 && d == 0) {
            acceptIfRoot(x);
        } else if (dep == 0 && de == 0 && signChange(dp, d)) {
            // f' changes sign: f has an extremum in [xp, x] that may touch zero.
            int error = 0;
            const double r = fPrime.findRoot(m_fSecond, xp, x, &error);
            if (error == 0)
                acceptIfRoot(r);
        }
        if (k == m_steps && m_roots.size() == rootsBefore)
            acceptEndIfRoot();
    }
    m_next = k;
    m_x = x;
    m_y = y;
    m_d = d;
    m_e = e;
    m_de = de;
    return finished();
}

// b as a double may lie just before a root of f (2*pi before the root of sin), so that no step
// sees the sign change; accept b itself when f is that small there and the last step found
// nothing.
void RootScan::acceptEndIfRoot()
{
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
