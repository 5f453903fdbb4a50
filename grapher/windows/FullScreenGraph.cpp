#include "windows/FullScreenGraph.h"

#include "analysis/PointReadout.h"
#include "core/ProgramSettings.h"
#include "ui/Skins.h"
#include "windows/GraphView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// Shows a child window's frame and makes it the active one.
void showAndActivate(QWidget *window)
{
    QWidget *frame = windowFrame(window);
    frame->show();
    if (auto *subWindow = qobject_cast<QMdiSubWindow *>(frame)) {
        if (QMdiArea *area = subWindow->mdiArea())
            area->setActiveSubWindow(subWindow);
    }
}

} // namespace

FullScreenGraph::FullScreenGraph(const GraphWindowMenus &menus, QWidget *parent)
    : ProjectWindow(GraphPane::Kind::FullScreen, menus, parent)
{
    setWindowFlag(Qt::Window);
    setObjectName(QStringLiteral("MaxG"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(Border, Border, Border, Border);
    layout->addWidget(m_view);
    ApplySkin(this, SkinColorsFor(programSettings().skin));
    connect(m_view, &GraphView::pointerMoved, this, &FullScreenGraph::showToolTip);
    connect(m_view, &GraphView::pointerLeft, this, [] { QToolTip::hideText(); });
    // The full-screen window always follows the pointer.
    ProjectWindow::setTracking(true);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &FullScreenGraph::focusWindowChanged);
}

void FullScreenGraph::showInPlaceOf(ProjectWindow *window)
{
    if (!window || !window->project())
        return;
    if (m_open && m_replaced && m_replaced != window) {
        ProjectWindow *previous = m_replaced;
        previous->refreshGraph(false);
        windowFrame(previous)->show();
    }
    if (m_replaced != window) {
        if (m_replaced)
            disconnect(m_replaced, nullptr, this, nullptr);
        m_replaced = window;
        connect(window, &QObject::destroyed, this, &FullScreenGraph::replacedWindowDestroyed);
    }
    m_pane.setProject(window->project());
    m_open = true;
    m_inUse = true;
    windowFrame(window)->hide();
    setWindowTitle(window->windowTitle());
    // Without a window manager to honour the full-screen state the window covers the screen
    // by its own geometry.
    if (QScreen *screen = windowFrame(window)->screen())
        setGeometry(screen->geometry());
    showFullScreen();
    raise();
    activateWindow();
    m_view->matchSurfaceToWidget();
    refreshGraph(false);
    m_view->setFocus(Qt::OtherFocusReason);
    emit stateChanged();
}

bool FullScreenGraph::isInUse() const { return m_open && m_inUse; }

void FullScreenGraph::focusWindowChanged(QWindow *window)
{
    if (!window || !m_open)
        return;
    if (window == windowHandle())
        m_inUse = true;
    else if (parentWidget() && window == parentWidget()->window()->windowHandle())
        m_inUse = false;
    else
        return;
    emit stateChanged();
}

void FullScreenGraph::giveBack()
{
    if (!m_open)
        return;
    m_open = false;
    ProjectWindow *window = m_replaced;
    // The graph window shows the view as it is now, and keeps its roots even when the
    // interval has changed meanwhile.
    if (window)
        window->refreshGraph(false);
    QToolTip::hideText();
    hide();
    setWindowTitle(QString());
    m_pane.setProject(nullptr);
    if (window) {
        if (QWidget *mainWindow = windowFrame(window)->window())
            mainWindow->activateWindow();
        disconnect(window, nullptr, this, nullptr);
        showAndActivate(window);
        window->view()->setFocus(Qt::OtherFocusReason);
    }
    m_replaced = nullptr;
    emit stateChanged();
}

void FullScreenGraph::setProgramEnding()
{
    m_programEnding = true;
    setAttribute(Qt::WA_DeleteOnClose);
}

void FullScreenGraph::replacedWindowDestroyed()
{
    m_open = false;
    m_replaced = nullptr;
    m_pane.setProject(nullptr);
    hide();
    setWindowTitle(QString());
    emit stateChanged();
}

void FullScreenGraph::refreshGraph(bool)
{
    if (!project())
        return;
    m_pane.refresh(false);
    m_view->update();
    m_view->reportPointer();
    emit stateChanged();
}

void FullScreenGraph::showToolTip(double x, double y)
{
    QToolTip::showText(QCursor::pos(), PointReadout::toolTipText(x, y), m_view);
}

bool FullScreenGraph::handleWindowKey(const KeyCommand &command)
{
    if (command.kind != KeyCommand::Kind::CloseFullScreen)
        return false;
    giveBack();
    return true;
}

void FullScreenGraph::closeEvent(QCloseEvent *event)
{
    if (m_programEnding) {
        event->accept();
        return;
    }
    giveBack();
    event->ignore();
}
