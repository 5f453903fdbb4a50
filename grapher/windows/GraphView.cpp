#include "windows/GraphView.h"

#include "graph/GraphPane.h"
#include "windows/GraphNavigation.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

GraphView::GraphView(GraphPane &pane, QWidget *parent) : QWidget(parent), m_pane(pane)
{
    setObjectName(QStringLiteral("Picture1"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize GraphView::sizeHint() const { return QSize(480, 400); }

QSize GraphView::minimumSizeHint() const { return QSize(160, 120); }

void GraphView::setTracking(bool on)
{
    m_tracking = on;
    if (!on)
        unsetCursor();
}

void GraphView::setNavigationEnabled(bool on)
{
    m_navigation = on;
    if (!on) {
        m_leftPressed = false;
        m_dragging = false;
        unsetCursor();
    }
}

void GraphView::matchSurfaceToWidget()
{
    const GraphSurface &surface = m_pane.surface();
    const qreal ratio = devicePixelRatioF();
    if (surface.size() != size() || surface.devicePixelRatio() != ratio)
        m_pane.resize(size(), ratio);
}

void GraphView::paintEvent(QPaintEvent *)
{
    // A move to a screen of another pixel ratio shows here first.
    matchSurfaceToWidget();
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_pane.surface().image());
    if (m_overlay)
        m_overlay(painter);
}

void GraphView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    matchSurfaceToWidget();
}

QPointF GraphView::worldAt(const QPointF &position) const
{
    const GraphSurface &surface = m_pane.surface();
    return QPointF(surface.worldX(position.x()), surface.worldY(position.y()));
}

ViewDirection GraphView::directionAt(const QPointF &position) const
{
    const FunctionProject *project = m_pane.project();
    if (!project || !m_pane.surface().hasScale())
        return {};
    const QPointF world = worldAt(position);
    return project->directionAt(float(world.x()), float(world.y()));
}

void GraphView::viewChanged(bool intervalChanged)
{
    if (m_viewChanged)
        m_viewChanged(intervalChanged);
    update();
}

void GraphView::showPointer(const QPointF &position)
{
    if (!m_tracking || !m_pane.project() || !m_pane.surface().hasScale())
        return;
    const ViewDirection direction = m_navigation ? directionAt(position) : ViewDirection();
    if (direction.isInside())
        unsetCursor();
    else
        setCursor(m_cursors.cursor(direction, devicePixelRatioF()));
    const QPointF world = worldAt(position);
    emit pointerMoved(world.x(), world.y());
}

void GraphView::reportPointer()
{
    // A drag keeps the grabbed point under the pointer and shows its own cursor.
    if (!m_tracking || m_dragging)
        return;
    const QPoint at = mapFromGlobal(QCursor::pos());
    if (isVisible() && rect().contains(at))
        showPointer(at);
    else
        emit pointerLeft();
}

void GraphView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_navigation && m_pane.project()) {
        m_leftPressed = true;
        m_dragging = false;
        m_dragMovedX = false;
        m_pressPosition = event->position();
        m_grabbedPoint = worldAt(event->position());
    }
    // Every button's release is the graph's, so its press is too (it must not reach the frame).
    event->accept();
}

void GraphView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_leftPressed && (event->buttons() & Qt::LeftButton) && m_pane.project()) {
        if (!m_dragging
            && (event->position() - m_pressPosition).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragging = true;
            setCursor(Qt::ClosedHandCursor);
        }
        if (m_dragging) {
            // The grabbed world point goes where the pointer is now.
            const QPointF now = worldAt(event->position());
            const double dx = m_grabbedPoint.x() - now.x();
            const double dy = m_grabbedPoint.y() - now.y();
            if (dx != 0 || dy != 0) {
                m_dragMovedX = m_pane.project()->shift(dx, dy) || m_dragMovedX;
                viewChanged(false);
            }
            return;
        }
    }
    showPointer(event->position());
}

void GraphView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_leftPressed) {
        m_leftPressed = false;
        if (m_dragging) {
            m_dragging = false;
            unsetCursor();
            if (m_dragMovedX)
                viewChanged(true);
            showPointer(event->position());
            return;
        }
    }
    // A button let go beyond the widget (the mouse is still ours) is no click on the graph.
    if (!rect().contains(event->position().toPoint()))
        return;
    const ViewDirection direction = directionAt(event->position());
    if (!direction.isInside()) {
        if (m_navigation && m_pane.project()) {
            const ViewChange change = GraphNavigation::pan(*m_pane.project(), direction.dx, direction.dy);
            viewChanged(change.intervalChanged);
        }
        return;
    }
    if (event->button() == Qt::RightButton)
        emit contextMenuRequested(event->globalPosition().toPoint());
    else if (event->button() == Qt::LeftButton)
        emit clicked(event->position());
}

void GraphView::wheelEvent(QWheelEvent *event)
{
    event->accept();
    if (!m_navigation || !m_pane.project() || !m_pane.surface().hasScale())
        return;
    // Some systems turn Shift+wheel into a sideways wheel.
    const QPoint angle = event->angleDelta();
    m_wheelAngle += angle.y() != 0 ? angle.y() : angle.x();
    const int notches = m_wheelAngle / GraphNavigation::WheelNotch;
    if (notches == 0)
        return;
    m_wheelAngle -= notches * GraphNavigation::WheelNotch;
    const QPointF world = worldAt(event->position());
    const ViewChange change =
        GraphNavigation::wheel(*m_pane.project(), world.x(), world.y(), notches, event->modifiers());
    if (change.changed)
        viewChanged(change.intervalChanged);
}

void GraphView::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    emit pointerLeft();
}
