#pragma once
// Where a dialog that works on a graph opens, so that the graph it draws on stays in view: at
// the right of the graph window when the screen has room there, else below it, else at the
// place on the screen that hides least of the graph surface, never over the surface's centre.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace DialogPlacement {

// The top-left corner for a dialog of size `dialog` (frame included). All rectangles are in
// screen coordinates: the graph window's frame, the graph surface inside it, and the part of
// the screen that windows may use.
QPoint besideGraph(const QSize &dialog, const QRect &graphWindow, const QRect &surface, const QRect &screen);

// Moves `dialog`, before it is shown, beside the window that holds `surface`: the child window
// around it inside the main window, or its top-level window.
void placeBesideGraph(QWidget *dialog, const QWidget *surface);

} // namespace DialogPlacement
