#include "shell/ChildWindowPlacement.h"

#include <algorithm>

QRect CascadedChildGeometry(const QSize &area, const QSize &defaultSize, const std::optional<QPoint> &previous,
                            int step)
{
    QSize size = defaultSize;
    if (area.width() > 0 && area.height() > 0 && !defaultSize.isEmpty()
        && (defaultSize.width() > area.width() || defaultSize.height() > area.height())) {
        // The side with less room sets the scale; the other is rounded down, so the shrunk
        // window never overhangs by a pixel. Whole numbers keep the limiting side exact.
        const qint64 w = defaultSize.width(), h = defaultSize.height();
        if (qint64(area.width()) * h <= qint64(area.height()) * w)
            size = QSize(area.width(), std::max(1, int(h * area.width() / w)));
        else
            size = QSize(std::max(1, int(w * area.height() / h)), area.height());
    }
    QPoint topLeft(0, 0);
    if (previous) {
        const QPoint next = *previous + QPoint(step, step);
        if (next.x() >= 0 && next.y() >= 0 && next.x() + size.width() <= area.width()
            && next.y() + size.height() <= area.height())
            topLeft = next;
    }
    return QRect(topLeft, size);
}
