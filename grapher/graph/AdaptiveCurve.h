#pragma once
// Refines the straight piece of a curve between two neighbouring samples that both lie in the
// view: where the curve's value at the middle of the piece lies more than half a pixel off the
// chord, the piece is split there and each half refined in turn, down to MaxDepth halvings.
// A drawing shares one budget of evaluations, so a wild function cannot stall it; once the
// budget is spent, the pieces are drawn as chords. A middle value that fails, is not a number
// or leaves the view keeps the chord: poles and edges are the sampler's business.
#include <QLineF>
#include <QVector>

class Expression;
class GraphSurface;

class AdaptiveCurve {
public:
    static constexpr int MaxDepth = 8;
    static constexpr int MaxEvaluations = 20000;
    static constexpr double Tolerance = 0.5;   // logical pixels

    AdaptiveCurve(const Expression &f, const GraphSurface &surface, double ymin, double ymax);

    // Appends the segments from `from` to `to` (both on the curve and in the view).
    void append(const QPointF &from, const QPointF &to, QVector<QLineF> &segments);

    int evaluations() const { return m_evaluations; }

private:
    void refine(const QPointF &from, const QPointF &to, int depth, QVector<QLineF> &segments);

    const Expression &m_f;
    const GraphSurface &m_surface;
    double m_ymin, m_ymax;
    int m_evaluations = 0;
};
