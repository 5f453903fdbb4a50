#include "analysis/VerticalFit.h"
#include "windows/ProjectWindow.h"

#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/GraphSettingsDialog.h"
#include "project/FunctionProject.h"
#include "ui/MessageSink.h"
#include "windows/GraphView.h"

#include <QKeyEvent>
#include <QMdiArea>
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
    markProjectChanged();
    refreshGraph(intervalChanged);
}

void ProjectWindow::markProjectChanged()
{
    if (project())
        project()->setUnsavedChanges(true);
}

void ProjectWindow::recordView()
{
    if (const FunctionProject *f = project())
        m_history.record({f->xMin(), f->xMax(), f->yMin(), f->yMax()});
}

void ProjectWindow::goBack() { showHistoryView(false); }

void ProjectWindow::goForward() { showHistoryView(true); }

void ProjectWindow::showHistoryView(bool forward)
{
    FunctionProject *f = project();
    if (!f || isBusy())
        return;
    ViewState view;
    if (!(forward ? m_history.forward(view) : m_history.back(view)))
        return;
    const bool intervalChanged = view.xMin != f->xMin() || view.xMax != f->xMax();
    f->setXMin(view.xMin);
    f->setXMax(view.xMax);
    f->setYMin(view.yMin);
    f->setYMax(view.yMax);
    markProjectChanged();
    refreshGraph(intervalChanged);
    emit stateChanged();
}

void ProjectWindow::zoomFromMenu(int entry, double factor)
{
    if (!project() || isBusy())
        return;
    const ViewChange change = GraphNavigation::zoomMenuEntry(*project(), entry, factor);
    if (change.changed) {
        markProjectChanged();
        refreshGraph(change.intervalChanged);
    }
}

void ProjectWindow::toggleGrid()
{
    if (!project() || isBusy())
        return;
    project()->setShowGrid(!project()->showGrid());
    markProjectChanged();
    refreshGraph(false);
}

void ProjectWindow::fitVerticalRange()
{
    if (!project() || isBusy() || !VerticalFit::fitProject(*project()))
        return;
    markProjectChanged();
    refreshGraph(false);
}

void ProjectWindow::toggleDerivative(int order)
{
    if (!project() || isBusy())
        return;
    if (order == 1)
        project()->setShowFPrime(!project()->showFPrime());
    else
        project()->setShowFSecond(!project()->showFSecond());
    markProjectChanged();
    refreshGraph(false);
}

void ProjectWindow::openSettings()
{
    if (!project() || isBusy())
        return;
    // A previewed interval empties the roots list; a cancel that brings the interval back
    // brings back the list as it was (an automatic scan finds them again by itself).
    const RootList rootsBefore = m_pane.roots();
    const double xMin = project()->xMin(), xMax = project()->xMax();
    const qint32 steps = project()->rootSteps();
    GraphSettingsDialog dialog(
        *project(),
        [this](bool intervalChanged) {
            markProjectChanged();
            refreshGraph(intervalChanged);
        },
        window());
    DialogPlacement::placeBesideGraph(&dialog, m_view);
    const bool cancelled = dialog.exec() != QDialog::Accepted;
    if (cancelled && rootsBefore.rootsFound() && !m_pane.roots().rootsFound() && !isBusy()
        && !programSettings().findRootsAutomatically && project()->xMin() == xMin && project()->xMax() == xMax
        && project()->rootSteps() == steps) {
        m_pane.roots() = rootsBefore;
        refreshGraph(false);
    }
}

bool ProjectWindow::maybeSave()
{
    if (!project() || !project()->hasUnsavedChanges())
        return true;
    // The user sees which project the question is about.
    if (auto *frame = qobject_cast<QMdiSubWindow *>(windowFrame(this))) {
        if (frame->mdiArea() && frame->isVisible())
            frame->mdiArea()->setActiveSubWindow(frame);
    }
    const SaveChangesAnswer answer = Messages().askSaveChanges(
        windowTitle(), LangText("SaveChangesQuestion", "Do you want to save the changes to this project?"));
    switch (answer) {
    case SaveChangesAnswer::Save:
        return m_save && m_save();
    case SaveChangesAnswer::Discard:
        // The window closes now; a second close request on its way out must not ask again.
        project()->setUnsavedChanges(false);
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
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
