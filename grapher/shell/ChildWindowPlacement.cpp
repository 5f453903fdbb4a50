#include "shell/ChildWindowPlacement.h"

#include <algorithm>
#include <cmath>

QRect CascadedChildGeometry(const QSize &area, const QSize &defaultSize, const std::optional<QPoint> &previous,
                            int step)
{
    QSize size = defaultSize;
    if (area.width() > 0 && area.height() > 0 && !defaultSize.isEmpty()) {
        const double scale = std::min({1.0, double(area.width()) / defaultSize.width(),
                                       double(area.height()) / defaultSize.height()});
        // Rounded down, so that the shrunk window never overhangs by a pixel.
        size = QSize(std::max(1, int(std::floor(defaultSize.width() * scale))),
                     std::max(1, int(std::floor(defaultSize.height() * scale))));
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
