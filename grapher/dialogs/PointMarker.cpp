#include "dialogs/PointMarker.h"

#include "graph/GraphRenderer.h"
#include "graph/GraphSurface.h"

#include <QColor>
#include <QLineF>
#include <QVector>

#include <algorithm>
#include <cmath>

void PointMarker::draw(GraphSurface &surface, double x, double y, const QString &label)
{
    if (!surface.hasScale() || !std::isfinite(x) || !std::isfinite(y))
        return;
    // A solid disc, drawn as one horizontal stroke per pixel row: it covers the curve under it
    // instead of mixing with it as an XOR disc would.
    QVector<QLineF> rows;
    const double pixelWidth = surface.worldWidth(1);
    const double pixelHeight = surface.worldHeight(1);
    for (int dy = -Radius; dy <= Radius; ++dy) {
        const double halfWidth = std::sqrt(double(Radius * Radius - dy * dy)) * pixelWidth;
        const double rowY = y + dy * pixelHeight;
        rows.append(QLineF(x - halfWidth, rowY, x + halfWidth, rowY));
    }
    surface.setForeColor(Qt::black);
    surface.setDrawStyle(GraphSurface::PenStyle::Solid);
    surface.setDrawWidth(1);
    surface.drawLines(rows);
    if (label.isEmpty())
        return;

    surface.setFont(GraphRenderer::labelFont());
    const double width = surface.textWidth(label);
    const double height = surface.textHeight(label);
    const double gap = surface.worldWidth(Radius + TextGap);
    const double left = std::min(surface.scaleLeft(), surface.scaleRight());
    const double right = std::max(surface.scaleLeft(), surface.scaleRight());
    double textX = x + gap;
    if (textX + width > right)
        textX = x - gap - width;
    textX = std::clamp(textX, left, std::max(left, right - width));

    // Texts hang from their top edge; world y grows upwards.
    const double bottom = std::min(surface.scaleTop(), surface.scaleBottom());
    const double top = std::max(surface.scaleTop(), surface.scaleBottom());
    const double textTop = std::clamp(y + height / 2, std::min(top, bottom + height), top);
    surface.setCurrentX(textX);
    surface.setCurrentY(textTop);
    surface.printText(label);
}
