#pragma once
// What the graph window draws over its graph, apart from the persistent image: hollow markers
// on the local extrema of f (while "Show extrema" is on) and the label that a click on or near a
// marked root or extremum pins there, with the point's coordinates, until the next click.
#include "analysis/ExtremaScan.h"

#include <QPointF>
#include <QString>
#include <QVector>

class FunctionProject;
class GraphSurface;
class RootList;
class QPainter;

class GraphMarks {
public:
    // How close (logical pixels) a click must come to a marked point to pin its label.
    static constexpr double PickDistance = 8;
    static constexpr double MarkerRadius = 5;
    static constexpr int LabelDecimals = 8;

    void setShowExtrema(bool on) { m_showExtrema = on; }
    bool showExtrema() const { return m_showExtrema; }
    // Finds the extrema of the project's interval again (none while they are not shown).
    void findExtrema(const FunctionProject &project);
    const QVector<Extremum> &extrema() const { return m_extrema; }

    // A plain click at `pixel`: pins the label of the nearest marked root (on y = 0) or shown
    // extremum within PickDistance, or takes the label away. True when the label changed.
    bool click(const QPointF &pixel, const RootList &roots, const GraphSurface &surface);
    void unpin() { m_pinned = false; }
    bool hasLabel() const { return m_pinned; }
    QString labelText() const;

    void paint(QPainter &painter, const GraphSurface &surface) const;

private:
    bool m_showExtrema = false;
    QVector<Extremum> m_extrema;
    bool m_pinned = false;
    QPointF m_label;  // world point of the pinned label
};
