#pragma once
// Where the main window puts a new child window in its area.
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// The frame of a new child window in an area of size `area` (coordinates from the area's
// top-left corner): one `step` right of and below the child opened before it, whose top-left
// corner is `previous`, or in the corner when there is none. At its default size when the area
// has room for that; otherwise shrunk with its proportions kept until it fits. A window that
// would reach past the right or bottom edge where the cascade puts it starts again in the corner.
QRect CascadedChildGeometry(const QSize &area, const QSize &defaultSize, const std::optional<QPoint> &previous,
                            int step);
