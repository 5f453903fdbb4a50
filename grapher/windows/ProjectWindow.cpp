#include "windows/ProjectWindow.h"

#include "dialogs/GraphSettingsDialog.h"
#include "project/FunctionProject.h"
#include "windows/GraphView.h"

#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>

QWidget *windowFrame(QWidget *window)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        return frame;
    return window;
}

ProjectWindow::ProjectWindow(GraphPane::Kind kind, const GraphWindowMenus &menus, QWidget *parent)
    : QWidget(parent), m_pane(kind), m_view(new GraphView(m_pane, this)), m_menus(menus)
{
    m_view->setViewChangedHandler([this](bool intervalChanged) { viewChanged(intervalChanged); });
    connect(m_view, &GraphView::contextMenuRequested, this, [this](const QPoint &at) {
        if (m_menus.graphMenu)
            m_menus.graphMenu->popup(at);
    });
    installKeyPreview(m_view);
}

void ProjectWindow::setTracking(bool on) { m_view->setTracking(on); }

bool ProjectWindow::isTracking() const { return m_view->isTracking(); }

void ProjectWindow::viewChanged(bool intervalChanged)
{
    refreshGraph(intervalChanged);
}

void ProjectWindow::zoomFromMenu(int entry, double factor)
{
    if (!project() || isBusy())
        return;
    const ViewChange change = GraphNavigation::zoomMenuEntry(*project(), entry, factor);
    if (change.changed)
        refreshGraph(change.intervalChanged);
}

void ProjectWindow::toggleGrid()
{
    if (!project() || isBusy())
        return;
    project()->setShowGrid(!project()->showGrid());
    refreshGraph(false);
}

void ProjectWindow::openSettings()
{
    if (!project() || isBusy())
        return;
    GraphSettingsDialog dialog(*project(), [this](bool intervalChanged) { refreshGraph(intervalChanged); }, window());
    dialog.exec();
}

bool ProjectWindow::handleKey(QKeyEvent *event)
{
    const KeyCommand command = GraphNavigation::keyCommand(event->key(), event->modifiers());
    switch (command.kind) {
    case KeyCommand::Kind::None:
        return false;
    case KeyCommand::Kind::Zoom:
    case KeyCommand::Kind::Pan:
        if (project() && !isBusy()) {
            const ViewChange change = GraphNavigation::apply(*project(), command);
            // A zoom refused on both axes leaves the window as it was.
            if (change.changed)
                viewChanged(change.intervalChanged);
        }
        return true;
    case KeyCommand::Kind::FocusParameters:
    case KeyCommand::Kind::CloseFullScreen:
        break;
    }
    return handleWindowKey(command);
}

bool ProjectWindow::handleWindowKey(const KeyCommand &) { return false; }

void ProjectWindow::installKeyPreview(QWidget *widget) { widget->installEventFilter(this); }

void ProjectWindow::keyPressEvent(QKeyEvent *event)
{
    if (handleKey(event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool ProjectWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}
