#include "windows/GraphMarks.h"

#include "core/NumberFormat.h"
#include "graph/GraphSurface.h"
#include "graph/RootList.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>

void GraphMarks::findExtrema(const FunctionProject &project)
{
    m_extrema.clear();
    if (m_showExtrema)
        m_extrema = ExtremaScan::run(project);
}

bool GraphMarks::click(const QPointF &pixel, const RootList &roots, const GraphSurface &surface)
{
    const bool hadLabel = m_pinned;
    double nearest = PickDistance;
    m_pinned = false;
    auto consider = [&](double x, double y) {
        const double distance = QLineF(pixel, surface.toPixel(x, y)).length();
        if (distance <= nearest) {
            nearest = distance;
            m_pinned = true;
            m_label = QPointF(x, y);
        }
    };
    for (int i = 0; i < roots.count(); ++i) {
        if (roots.isChecked(i))
            consider(roots.roots().at(i), 0);
    }
    if (m_showExtrema) {
        for (const Extremum &extremum : m_extrema)
            consider(extremum.x, extremum.y);
    }
    return m_pinned || hadLabel;
}

QString GraphMarks::labelText() const
{
    return QLatin1Char('(') + NumberFormat::roundedText(m_label.x(), LabelDecimals) + QStringLiteral("; ")
        + NumberFormat::roundedText(m_label.y(), LabelDecimals) + QLatin1Char(')');
}

void GraphMarks::paint(QPainter &painter, const GraphSurface &surface) const
{
    if (!surface.hasScale())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_showExtrema) {
        painter.setBrush(Qt::NoBrush);
        for (const Extremum &extremum : m_extrema) {
            // Minima in blue, maxima in dark red.
            painter.setPen(QPen(extremum.isMinimum ? QColor(0, 0, 200) : QColor(160, 0, 0), 2));
            painter.drawEllipse(surface.toPixel(extremum.x, extremum.y), MarkerRadius, MarkerRadius);
        }
    }
    if (m_pinned) {
        const QString text = labelText();
        const QFontMetricsF metrics(painter.font());
        const QPointF anchor = surface.toPixel(m_label.x(), m_label.y());
        QRectF box(anchor + QPointF(MarkerRadius + 2, -metrics.height() - MarkerRadius - 2),
                   QSizeF(metrics.horizontalAdvance(text) + 6, metrics.height() + 2));
        // Kept inside the graph so that a point near the right edge still shows its label.
        const QRectF bounds(QPointF(0, 0), QSizeF(surface.image().size()) / surface.image().devicePixelRatio());
        if (box.right() > bounds.right())
            box.moveRight(anchor.x() - MarkerRadius - 2);
        if (box.top() < bounds.top())
            box.moveTop(anchor.y() + MarkerRadius + 2);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(255, 255, 225));
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, text);
    }
    painter.restore();
}
