#pragma once
// What the keys, the zoom menus, the mouse wheel and dragging do to a project's view: the
// rules behind the graph windows' input, apart from the widgets.
//
// Every step says whether the view changed (the window redraws) and whether the x interval
// changed (the graph window then empties its roots list).
#include "project/FunctionProject.h"

#include <Qt>

struct ViewChange {
    bool changed = false;
    bool intervalChanged = false;
};

// What a key asks of a graph window.
struct KeyCommand {
    enum class Kind { None, Zoom, Pan, FocusParameters, CloseFullScreen };
    Kind kind = Kind::None;
    double factor = 1;   // Zoom: 0.5 in, 2 out
    bool zoomX = false;  // Zoom: the axes asked for
    bool zoomY = false;
    int dx = 0;          // Pan: the direction
    int dy = 0;
};

namespace GraphNavigation {

// The zoom factor of one wheel notch away from the user (zoom in); towards the user it is 2.
constexpr double WheelZoomInFactor = FunctionProject::ZoomInFactor;
// Wheel angle of one notch, in eighths of a degree.
constexpr int WheelNotch = 120;

// The key table. Keypad + and - zoom (Shift alone: only x, Ctrl alone: only y), keypad 1 to 9
// but 5 pan towards the key's place on the pad (with Num Lock off the same keys arrive as
// arrows, Home, End, Page Up and Page Down and count the same), P asks for the parameters box,
// Esc and F11 close the full-screen window. Everything else is None.
KeyCommand keyCommand(int key, Qt::KeyboardModifiers modifiers);

// Which axes a zoom key or a wheel notch acts on: y unless exactly Shift is held, x unless
// exactly Ctrl is held.
void axesFor(Qt::KeyboardModifiers modifiers, bool &zoomX, bool &zoomY);

// Zooms about the centre within the MinLen and MaxLen settings.
ViewChange zoom(FunctionProject &f, bool zoomX, bool zoomY, double factor);
// Entry i of the zoom menus: x when i != 1, y when i > 0.
ViewChange zoomMenuEntry(FunctionProject &f, int entry, double factor);
// A tenth of the view per unit of direction.
ViewChange pan(FunctionProject &f, int dx, int dy);
// A zoom or pan key; None and the window's own keys change nothing.
ViewChange apply(FunctionProject &f, const KeyCommand &command);
// `notches` wheel notches (positive away from the user: zoom in) about the world point
// (x, y), which keeps its place on the screen; each notch is refused on its own at the limits.
ViewChange wheel(FunctionProject &f, double x, double y, int notches, Qt::KeyboardModifiers modifiers);

} // namespace GraphNavigation
