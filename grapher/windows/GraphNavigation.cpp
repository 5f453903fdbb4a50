#include "windows/GraphNavigation.h"

#include <cstdlib>

namespace GraphNavigation {

namespace {

// The modifiers that choose the axes; the keypad flag only says where the key is.
Qt::KeyboardModifiers choosingModifiers(Qt::KeyboardModifiers modifiers)
{
    return modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

KeyCommand panCommand(int dx, int dy)
{
    KeyCommand command;
    command.kind = KeyCommand::Kind::Pan;
    command.dx = dx;
    command.dy = dy;
    return command;
}

} // namespace

void axesFor(Qt::KeyboardModifiers modifiers, bool &zoomX, bool &zoomY)
{
    const Qt::KeyboardModifiers held = choosingModifiers(modifiers);
    zoomY = held != Qt::ShiftModifier;
    zoomX = held != Qt::ControlModifier;
}

KeyCommand keyCommand(int key, Qt::KeyboardModifiers modifiers)
{
    KeyCommand command;
    if (key == Qt::Key_Escape || key == Qt::Key_F11) {
        command.kind = KeyCommand::Kind::CloseFullScreen;
        return command;
    }
    if (key == Qt::Key_P) {
        // Ctrl+P and Alt+P belong to the menus.
        if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            command.kind = KeyCommand::Kind::FocusParameters;
        return command;
    }
    if (!(modifiers & Qt::KeypadModifier))
        return command;
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        command.kind = KeyCommand::Kind::Zoom;
        command.factor = key == Qt::Key_Plus ? FunctionProject::ZoomInFactor : FunctionProject::ZoomOutFactor;
        axesFor(modifiers, command.zoomX, command.zoomY);
        return command;
    case Qt::Key_7:
    case Qt::Key_Home:
        return panCommand(-1, 1);
    case Qt::Key_8:
    case Qt::Key_Up:
        return panCommand(0, 1);
    case Qt::Key_9:
    case Qt::Key_PageUp:
        return panCommand(1, 1);
    case Qt::Key_4:
    case Qt::Key_Left:
        return panCommand(-1, 0);
    case Qt::Key_6:
    case Qt::Key_Right:
        return panCommand(1, 0);
    case Qt::Key_1:
    case Qt::Key_End:
        return panCommand(-1, -1);
    case Qt::Key_2:
    case Qt::Key_Down:
        return panCommand(0, -1);
    case Qt::Key_3:
    case Qt::Key_PageDown:
        return panCommand(1, -1);
    default:
        return command;
    }
}

ViewChange zoom(FunctionProject &f, bool zoomX, bool zoomY, double factor)
{
    f.zoom(zoomX, zoomY, factor);
    return {zoomX || zoomY, zoomX};
}

ViewChange zoomMenuEntry(FunctionProject &f, int entry, double factor)
{
    return zoom(f, entry != 1, entry > 0, factor);
}

ViewChange pan(FunctionProject &f, int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return {};
    const bool intervalChanged = f.pan(dx, dy);
    return {true, intervalChanged};
}

ViewChange apply(FunctionProject &f, const KeyCommand &command)
{
    switch (command.kind) {
    case KeyCommand::Kind::Zoom:
        return zoom(f, command.zoomX, command.zoomY, command.factor);
    case KeyCommand::Kind::Pan:
        return pan(f, command.dx, command.dy);
    case KeyCommand::Kind::None:
    case KeyCommand::Kind::FocusParameters:
    case KeyCommand::Kind::CloseFullScreen:
        break;
    }
    return {};
}

ViewChange wheel(FunctionProject &f, double x, double y, int notches, Qt::KeyboardModifiers modifiers)
{
    bool wantX = false;
    bool wantY = false;
    axesFor(modifiers, wantX, wantY);
    const double factor = notches > 0 ? WheelZoomInFactor : 1 / WheelZoomInFactor;
    ViewChange change;
    for (int i = 0; i < std::abs(notches); ++i) {
        bool zoomX = wantX;
        bool zoomY = wantY;
        f.zoomAbout(x, y, zoomX, zoomY, factor);
        change.changed = change.changed || zoomX || zoomY;
        change.intervalChanged = change.intervalChanged || zoomX;
    }
    return change;
}

} // namespace GraphNavigation
