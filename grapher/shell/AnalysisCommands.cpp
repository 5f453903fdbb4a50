#include "shell/AnalysisCommands.h"

#include "dialogs/AboutDialog.h"
#include "dialogs/DeriveDialog.h"
#include "dialogs/DialogPlacement.h"
#include "dialogs/EvaluateDialog.h"
#include "dialogs/ExtremaDialog.h"
#include "dialogs/GraphExportCommands.h"
#include "dialogs/IntegrateDialog.h"
#include "dialogs/ReportSaver.h"
#include "project/FunctionProject.h"
#include "shell/MainMenus.h"
#include "shell/MainWindow.h"
#include "ui/Help.h"
#include "windows/GraphView.h"
#include "windows/GraphWindow.h"

#include <QAction>

namespace {

// What the dialogs call after drawing on the pane: the window shows the new picture.
std::function<void()> repaintOf(ProjectWindow &window)
{
    GraphView *view = window.view();
    return [view] { view->update(); };
}

} // namespace

AnalysisCommands::AnalysisCommands(MainWindow *window) : QObject(window), m_window(window)
{
    const MainMenus &m = window->menus();
    connect(m.evaluateAction, &QAction::triggered, this, &AnalysisCommands::evaluate);
    connect(m.deriveAction, &QAction::triggered, this, &AnalysisCommands::derive);
    connect(m.integrateAction, &QAction::triggered, this, &AnalysisCommands::integrate);
    connect(m.extremaAction, &QAction::triggered, this, &AnalysisCommands::findExtrema);
    connect(m.saveGraphAction, &QAction::triggered, this, &AnalysisCommands::saveGraph);
    connect(m.contextSaveGraphAction, &QAction::triggered, this, &AnalysisCommands::saveGraph);
    connect(m.printGraphAction, &QAction::triggered, this, &AnalysisCommands::printGraph);
    connect(m.copyGraphAction, &QAction::triggered, this, &AnalysisCommands::copyGraph);
    connect(m.aboutAction, &QAction::triggered, this, &AnalysisCommands::showAbout);
}

void AnalysisCommands::attach(GraphWindow *graphWindow)
{
    // The handler lives in the window's own pane, so the window outlives every call of it.
    graphWindow->pane().roots().setSaveRootsHandler([graphWindow] {
        const GraphPane &pane = graphWindow->pane();
        if (const FunctionProject *project = pane.project())
            ReportSaver::saveRootsReport(*project, pane.roots().roots(), graphWindow);
    });
}

ProjectWindow *AnalysisCommands::commandWindow() const
{
    ProjectWindow *window = m_window->activeProjectWindow();
    // The menu items wait while a scan runs; their shortcuts may still arrive.
    if (!window || !window->project() || window->isBusy())
        return nullptr;
    return window;
}

void AnalysisCommands::onActiveWindow(const std::function<void(ProjectWindow &)> &command) const
{
    if (ProjectWindow *window = commandWindow())
        command(*window);
}

void AnalysisCommands::evaluate()
{
    onActiveWindow([this](ProjectWindow &window) {
        EvaluateDialog dialog(*window.project(), window.pane(), repaintOf(window), window.window());
        DialogPlacement::placeBesideGraph(&dialog, window.view());
        dialog.exec();
    });
}

void AnalysisCommands::derive()
{
    onActiveWindow([this](ProjectWindow &window) {
        MainWindow *mainWindow = m_window;
        DeriveDialog dialog(
            *window.project(),
            [mainWindow](std::unique_ptr<FunctionProject> project) { mainWindow->openNewProjectWindow(std::move(project)); },
            window.window());
        DialogPlacement::placeBesideGraph(&dialog, window.view());
        dialog.exec();
    });
}

void AnalysisCommands::integrate()
{
    onActiveWindow([this](ProjectWindow &window) {
        IntegrateDialog dialog(*window.project(), window.pane(), repaintOf(window), window.window());
        DialogPlacement::placeBesideGraph(&dialog, window.view());
        dialog.exec();
    });
}

void AnalysisCommands::findExtrema()
{
    onActiveWindow([this](ProjectWindow &window) {
        ExtremaDialog dialog(*window.project(), window.pane(), repaintOf(window), window.window());
        DialogPlacement::placeBesideGraph(&dialog, window.view());
        dialog.exec();
    });
}

void AnalysisCommands::saveGraph()
{
    onActiveWindow([](ProjectWindow &window) { GraphExportCommands::saveGraph(window.pane(), window.window()); });
}

void AnalysisCommands::printGraph()
{
    onActiveWindow([](ProjectWindow &window) { GraphExportCommands::printGraph(window.pane(), window.window()); });
}

void AnalysisCommands::copyGraph()
{
    onActiveWindow([](ProjectWindow &window) { GraphExportCommands::copyGraph(window.pane()); });
}

void AnalysisCommands::openSite() { AboutDialog::reportNoWebSite(); }

void AnalysisCommands::openNumericalMethods() { ShowHelpTopic(m_window, QStringLiteral("numerical.html")); }

void AnalysisCommands::checkForUpdates() { AboutDialog::reportNoWebSite(); }

void AnalysisCommands::showAbout()
{
    AboutDialog dialog(m_window);
    dialog.exec();
}
