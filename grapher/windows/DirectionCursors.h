#pragma once
// The eight pointers of the pan margins: an arrow towards the direction the view moves when the
// mouse is released there. They are drawn, not loaded, at the screen's device pixel ratio, so
// they are crisp at any ratio; a new ratio draws them again.
//
// Numbered by direction: index dx*3 + dy + 4 (0 left-down, 1 left, 2 left-up,
// 3 down, 5 up, 6 right-down, 7 right, 8 right-up); 4, no direction, has no arrow.
#include "project/FunctionProject.h"

#include <QCursor>
#include <QPixmap>

#include <array>

class DirectionCursors {
public:
    // Logical size of a pointer.
    static constexpr int Side = 32;

    static int index(const ViewDirection &direction) { return direction.dx * 3 + direction.dy + 4; }

    // The arrow for a direction at a pixel ratio (a null pixmap for no direction).
    static QPixmap arrow(const ViewDirection &direction, qreal devicePixelRatio);

    // The pointer for a direction on a screen of the given ratio; the normal arrow pointer for
    // no direction.
    QCursor cursor(const ViewDirection &direction, qreal devicePixelRatio);

private:
    qreal m_ratio = 0;
    std::array<QCursor, 9> m_cursors;
};
