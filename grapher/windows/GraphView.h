#pragma once
// The graph surface on screen: paints the pane's persistent image (drawn at the screen's device
// pixel ratio, and drawn again at the new size whenever the widget is resized) and turns the
// mouse into view changes:
// - a release in a margin pans a tenth towards it (the pointer shows that direction there);
// - the right button released inside the view asks for the Graph menu;
// - the wheel zooms about the point under the pointer (Shift: only x, Ctrl: only y);
// - dragging with the left button moves the view with the pointer; the release that ends a
//   drag is no click; a plain left click inside is reported (clicked) and changes no view.
// Each change goes to the view-change handler, which redraws; during a drag the handler hears
// "x unchanged" until the drag ends, so the roots list is emptied once, at the end.
#include "windows/DirectionCursors.h"

#include <QPointF>
#include <QWidget>

#include <functional>

class GraphPane;
class QPainter;

class GraphView : public QWidget {
    Q_OBJECT
public:
    explicit GraphView(GraphPane &pane, QWidget *parent = nullptr);

    // Called after every change of the view made with the mouse.
    void setViewChangedHandler(std::function<void(bool intervalChanged)> handler) { m_viewChanged = std::move(handler); }
    // Draws over the graph's image at every paint (markers and labels that the image lacks).
    void setOverlayPainter(std::function<void(QPainter &)> paint) { m_overlay = std::move(paint); }

    // While tracking, the pointer's position is reported and the margins show their arrows.
    void setTracking(bool on);
    bool isTracking() const { return m_tracking; }
    // After a change of the view that the pointer did not make (keys, buttons, menus, a new
    // function): reports the point now under the pointer, or that the pointer is not over the
    // surface.
    void reportPointer();
    // Off while the window is busy: the mouse changes nothing (the Graph menu still opens).
    void setNavigationEnabled(bool on);
    bool isDragging() const { return m_dragging; }

    // Draws the surface again at the widget's size and the screen's pixel ratio when either
    // differs from the surface's.
    void matchSurfaceToWidget();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The world point under the pointer (while tracking).
    void pointerMoved(double x, double y);
    // The pointer left the surface.
    void pointerLeft();
    // The right button was released inside the view.
    void contextMenuRequested(const QPoint &globalPosition);
    // A plain left click inside the view (no drag), at a position of the widget.
    void clicked(const QPointF &position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    // The world point under a position of the widget.
    QPointF worldAt(const QPointF &position) const;
    ViewDirection directionAt(const QPointF &position) const;
    void showPointer(const QPointF &position);
    void viewChanged(bool intervalChanged);

    GraphPane &m_pane;
    std::function<void(bool)> m_viewChanged;
    std::function<void(QPainter &)> m_overlay;
    DirectionCursors m_cursors;
    bool m_tracking = false;
    bool m_navigation = true;

    // Left button: where it went down, the world point that was there, and whether the
    // pointer has gone far enough to make it a drag.
    bool m_leftPressed = false;
    bool m_dragging = false;
    bool m_dragMovedX = false;
    QPointF m_pressPosition;
    QPointF m_grabbedPoint;
    int m_wheelAngle = 0;  // eighths of a degree not yet used for a whole notch
};
