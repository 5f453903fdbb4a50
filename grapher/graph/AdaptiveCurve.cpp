#include "graph/AdaptiveCurve.h"

#include "core/Expression.h"
#include "graph/GraphSurface.h"

#include <cmath>

AdaptiveCurve::AdaptiveCurve(const Expression &f, const GraphSurface &surface, double ymin, double ymax)
    : m_f(f), m_surface(surface), m_ymin(ymin), m_ymax(ymax)
{
}

void AdaptiveCurve::append(const QPointF &from, const QPointF &to, QVector<QLineF> &segments)
{
    refine(from, to, 0, segments);
}

void AdaptiveCurve::refine(const QPointF &from, const QPointF &to, int depth, QVector<QLineF> &segments)
{
    if (depth >= MaxDepth || m_evaluations >= MaxEvaluations) {
        segments.append(QLineF(from, to));
        return;
    }
    const double xm = (from.x() + to.x()) / 2;
    ++m_evaluations;
    qint32 error = 0;
    const double ym = m_f.evaluate(xm, error);
    if (error != 0 || !std::isfinite(ym) || ym > m_ymax || ym < m_ymin) {
        segments.append(QLineF(from, to));
        return;
    }
    // The distance is measured in pixels, where x and y have the scale the eye sees.
    const QPointF middle = m_surface.toPixel(xm, ym);
    const QPointF chordMiddle = (m_surface.toPixel(from.x(), from.y()) + m_surface.toPixel(to.x(), to.y())) / 2;
    const QPointF off = middle - chordMiddle;
    if (std::hypot(off.x(), off.y()) <= Tolerance) {
        segments.append(QLineF(from, to));
        return;
    }
    const QPointF point(xm, ym);
    refine(from, point, depth + 1, segments);
    refine(point, to, depth + 1, segments);
}
