#include "analysis/ExtremaScan.h"

#include "project/FunctionProject.h"

#include <cmath>

namespace {

bool negative(double v) { return !(v >= 0); }
bool positive(double v) { return v > 0; }

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

    double x = project.xMin() - h;
    qint32 code = 0;
    double d = fPrime.evaluate(x, code);
    for (qint64 i = 0; i < qint64(steps) + 2; ++i) {
        const double previousX = x;
        const double previousD = d;
        const qint32 previousCode = code;
        x += h;
        d = fPrime.evaluate(x, code);
        if (previousCode != 0 || code != 0 || negative(previousD) == negative(d))
            continue;
        int error = 0;
        const double r = fPrime.findRoot(project.fSecond(), previousX, x, &error);
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
    return extrema;
}

int ExtremaScan::formFailure(const Expression &derivative)
{
    qint32 code = 0;
    derivative.evaluate(0, code);
    return code < 0 ? code : 0;
}
