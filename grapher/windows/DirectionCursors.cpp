#include "windows/DirectionCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

QPixmap DirectionCursors::arrow(const ViewDirection &direction, qreal devicePixelRatio)
{
    if (direction.isInside())
        return QPixmap();
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(QSize(Side, Side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);

    // An arrow pointing right about the centre, turned towards the direction (screen y grows
    // downwards, world y upwards).
    QPainterPath path;
    path.moveTo(-11, -2.5);
    path.lineTo(3, -2.5);
    path.lineTo(3, -8);
    path.lineTo(13, 0);
    path.lineTo(3, 8);
    path.lineTo(3, 2.5);
    path.lineTo(-11, 2.5);
    path.closeSubpath();

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(Side / 2.0, Side / 2.0);
    painter.rotate(qRadiansToDegrees(std::atan2(-double(direction.dy), double(direction.dx))));
    // A white rim keeps the black arrow visible on the curve and the grid.
    painter.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::black);
    painter.drawPath(path);
    return pixmap;
}

QCursor DirectionCursors::cursor(const ViewDirection &direction, qreal devicePixelRatio)
{
    if (direction.isInside())
        return QCursor(Qt::ArrowCursor);
    if (devicePixelRatio != m_ratio) {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                const ViewDirection d{dx, dy};
                if (!d.isInside())
                    m_cursors[index(d)] = QCursor(arrow(d, devicePixelRatio));  // hot spot in the centre
            }
        }
        m_ratio = devicePixelRatio;
    }
    return m_cursors[index(direction)];
}
