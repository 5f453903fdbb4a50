#include "shell/MainWindow.h"

#include "analysis/VerticalFit.h"
#include "core/MathEngine.h"
#include "ui/Help.h"
#include "core/LangText.h"
#include "shell/AnalysisCommands.h"
#include "shell/ChildWindowPlacement.h"
#include "shell/CommandLine.h"
#include "shell/FileCommands.h"
#include "shell/MainMenus.h"
#include "ui/MessageSink.h"
#include "dialogs/OptionsDialog.h"
#include "core/ProgramFolder.h"
#include "core/ProgramSettings.h"
#include "project/SettingsStore.h"
#include "core/Version.h"
#include "project/FunctionProject.h"
#include "ui/Skins.h"
#include "windows/FullScreenGraph.h"
#include "windows/GraphWindow.h"
#include "windows/GraphWindowMenus.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStyle>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <optional>

namespace {

QPointer<MainWindow> &mainWindowPointer()
{
    static QPointer<MainWindow> window;
    return window;
}

} // namespace

MainWindow *mainWindow() { return mainWindowPointer().data(); }

void InstallEngineFailureHandler()
{
    MathEngine::setFailureHandler([](const QString &message) { Messages().critical(LangText("Error", "Error"), message); });
}

void InitializeEngine()
{
    InstallEngineFailureHandler();
    MathEngine::initialize();
}

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), m_area(new QMdiArea(this))
{
    setObjectName(QStringLiteral("MainWindow"));
    mainWindowPointer() = this;
    m_area->setObjectName(QStringLiteral("MDIArea"));
    setAcceptDrops(true);
    m_calculatorPath = ProgramFolder() + QStringLiteral("/calc");
    setCentralWidget(m_area);
    m_menus = std::make_unique<MainMenus>(this, menuBar());

    const MainMenus &m = *m_menus;
    connect(m.exitAction, &QAction::triggered, this, &QWidget::close);
    connect(m.generalOptionsAction, &QAction::triggered, this, &MainWindow::showGeneralOptions);
    connect(m.cascadeAction, &QAction::triggered, this, &MainWindow::cascade);
    connect(m.calculatorAction, &QAction::triggered, this, &MainWindow::startCalculator);
    connect(m.helpContentsAction, &QAction::triggered, this, &MainWindow::showHelpContents);
    connect(m.whatsNewAction, &QAction::triggered, this, &MainWindow::showWhatsNew);
    connect(m.siteAction, &QAction::triggered, this, &MainWindow::openSite);
    connect(m.numericalMethodsAction, &QAction::triggered, this, &MainWindow::openNumericalMethods);
    connect(m.checkUpdatesAction, &QAction::triggered, this, &MainWindow::checkForUpdates);
    connect(m.windowMenu, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    connect(m_area, &QMdiArea::subWindowActivated, this, &MainWindow::updateMenus);
    connectGraphCommands();
    m_fileCommands = new FileCommands(this);
    m_analysisCommands = new AnalysisCommands(this);
    // A window the user maximised does not maximise every window activated after it.
    m_area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    // A closed window hands over to the one used before it, not to the oldest (the wizard).
    m_area->setActivationOrder(QMdiArea::ActivationHistoryOrder);

    resize(1000, 720);
}

MainWindow::~MainWindow()
{
    // The base class closes and deletes the child windows after this body has run, when the
    // menus are gone: nothing they announce may reach this window then.
    m_area->disconnect(this);
    if (m_fullScreen)
        m_fullScreen->disconnect(this);
    for (QMdiSubWindow *child : m_area->subWindowList()) {
        child->disconnect(this);
        if (QWidget *content = child->widget())
            content->disconnect(this);
    }
}

void MainWindow::load()
{
    // Seeds the random equations of the wizard.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    LoadSettings();
    applySkin();
    setWindowTitle(caption());
    m_menus->setCaptions();
    // Nothing is open yet, so there is no project for the project menus to act on.
    updateMenus();
}

void MainWindow::setProjectMenus(bool on)
{
    const MainMenus &m = *m_menus;
    for (QAction *item : {m.calculateMenu->menuAction(), m.graphMenu->menuAction(), m.windowMenu->menuAction(),
                          m.closeProjectAction, m.closeAllAction, m.saveProjectAction, m.saveProjectAsAction,
                          m.saveAllAction})
        item->setEnabled(on);
}

void MainWindow::updateMenus()
{
    // The project commands act on the active graph window (or the full-screen window that
    // stands in for it); the wizard is no project.
    const MainMenus &m = *m_menus;
    ProjectWindow *active = activeProjectWindow();
    const bool fullScreen = active && active->inherits("FullScreenGraph");
    const bool busy = active && active->isBusy();
    setProjectMenus(active && (active->inherits("GraphWindow") || fullScreen));
    m.calculateMenu->menuAction()->setEnabled(active && !busy);
    m.graphMenu->menuAction()->setEnabled(active && !busy);
    // Their shortcuts wait for a running root scan too.
    for (QMenu *menu : {m.calculateMenu, m.graphMenu, m.zoomInMenu, m.zoomOutMenu}) {
        for (QAction *item : menu->actions()) {
            if (!item->isSeparator() && !item->menu())
                item->setEnabled(!busy);
        }
    }
    m.showGridAction->setChecked(active && active->project() && active->project()->showGrid());
    m.showExtremaAction->setChecked(activeGraphWindow() && activeGraphWindow()->showsExtrema());
    m.showExtremaAction->setEnabled(!fullScreen && !busy);
    m.viewBackAction->setEnabled(active && !busy && active->viewHistory().canGoBack());
    m.viewForwardAction->setEnabled(active && !busy && active->viewHistory().canGoForward());
    m.showFPrimeAction->setChecked(active && active->project() && active->project()->showFPrime());
    m.showFSecondAction->setChecked(active && active->project() && active->project()->showFSecond());
    m_menus->setMaximizeCaption(fullScreen);
    m.rootsAction->setEnabled(!fullScreen && !busy);
    if (const GraphWindow *graphWindow = activeGraphWindow())
        m.rootsAction->setText(graphWindow->rootsMenuCaption());
    for (QMdiSubWindow *child : m_area->subWindowList()) {
        if (auto *window = qobject_cast<ProjectWindow *>(child->widget()))
            window->setTracking(window == active);
    }
}

ProjectWindow *MainWindow::activeProjectWindow() const
{
    if (m_fullScreen && m_fullScreen->isInUse())
        return m_fullScreen;
    const QMdiSubWindow *current = m_area->currentSubWindow();
    return current ? qobject_cast<ProjectWindow *>(current->widget()) : nullptr;
}

GraphWindow *MainWindow::activeGraphWindow() const { return qobject_cast<GraphWindow *>(activeProjectWindow()); }

GraphWindowMenus MainWindow::graphWindowMenus() const
{
    GraphWindowMenus menus;
    menus.graphMenu = m_menus->graphMenu;
    menus.zoomInMenu = m_menus->zoomInMenu;
    menus.zoomOutMenu = m_menus->zoomOutMenu;
    menus.saveMenu = m_menus->saveContextMenu;
    menus.selectMenu = m_menus->selectContextMenu;
    return menus;
}

GraphWindow *MainWindow::openProjectWindow(std::unique_ptr<FunctionProject> project)
{
    if (!project)
        return nullptr;
    auto *window = new GraphWindow(std::move(project), graphWindowMenus());
    connect(window, &GraphWindow::saveProjectRequested, m_menus->saveProjectAction, &QAction::trigger);
    connect(window, &GraphWindow::calculatorRequested, this, &MainWindow::startCalculator);
    connect(window, &GraphWindow::resultsFolderRequested, this, &MainWindow::openResultsFolder);
    connect(window, &ProjectWindow::stateChanged, this, &MainWindow::updateMenus);
    QMdiSubWindow *frame = addProjectFrame(window);
    placeNewChild(frame, frame->sizeHint().expandedTo(QSize(GraphWindow::DefaultWidth, GraphWindow::DefaultHeight)));
    frame->show();
    bringToFront(frame);
    m_fileCommands->attach(window);
    m_analysisCommands->attach(window);
    window->load();
    updateMenus();
    return window;
}

GraphWindow *MainWindow::openNewProjectWindow(std::unique_ptr<FunctionProject> project)
{
    if (project && programSettings().fitNewProjects)
        VerticalFit::fitProject(*project);
    return openProjectWindow(std::move(project));
}

QMdiSubWindow *MainWindow::addProjectFrame(QWidget *window)
{
    QMdiSubWindow *frame = m_area->addSubWindow(window);
    // Ctrl+W is Close project, which asks about unsaved changes. The frame's own close item
    // claims the same keys, and two claims on one key leave both unanswered.
    if (QMenu *menu = frame->systemMenu()) {
        const QKeySequence closeKeys(Qt::CTRL | Qt::Key_W);
        for (QAction *item : menu->actions()) {
            QList<QKeySequence> keys = item->shortcuts();
            if (keys.removeAll(closeKeys) > 0)
                item->setShortcuts(keys);
        }
    }
    return frame;
}

void MainWindow::placeNewChild(QMdiSubWindow *frame, const QSize &defaultSize)
{
    // Before the main window is shown its area has no size yet: the area places the window.
    if (!m_area->isVisible()) {
        frame->resize(defaultSize);
        return;
    }
    std::optional<QPoint> previous;
    for (QMdiSubWindow *child : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (child != frame && child->isVisible())
            previous = child->pos();
    }
    const int step = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame);
    frame->setGeometry(CascadedChildGeometry(m_area->viewport()->size(), defaultSize, previous, step));
}

void MainWindow::bringToFront(QMdiSubWindow *frame)
{
    m_area->setActiveSubWindow(frame);
    frame->raise();
    // Opened from another program (a second start) or after a dialog, the main window may not
    // be the active one; it comes forward with its new child.
    if (isVisible()) {
        raise();
        activateWindow();
    }
}

void MainWindow::processCommandLine(const QString &commandLine)
{
    CommandLineAction action = ProcessCommandLine(commandLine);
    switch (action.kind) {
    case CommandLineAction::Kind::ShowWizard:
        m_fileCommands->showWizard();
        break;
    case CommandLineAction::Kind::Nothing:
        break;
    case CommandLineAction::Kind::Equation:
        openNewProjectWindow(std::move(action.equation));
        break;
    case CommandLineAction::Kind::Files:
        for (CommandLineFile &file : action.files) {
            if (file.project) {
                m_fileCommands->rememberFile(file.fullPath);
                openProjectWindow(std::move(file.project));
            } else if (!file.failureText.isEmpty()) {
                Messages().warning(file.fullPath, file.failureText);
            }
        }
        break;
    }
}

FullScreenGraph *MainWindow::fullScreenGraph()
{
    if (!m_fullScreen) {
        m_fullScreen = new FullScreenGraph(graphWindowMenus(), this);
        connect(m_fullScreen, &ProjectWindow::stateChanged, this, &MainWindow::updateMenus);
        // The project menus' shortcuts work in the full-screen window too.
        const MainMenus &m = *m_menus;
        for (QMenu *menu : {m.calculateMenu, m.graphMenu, m.zoomInMenu, m.zoomOutMenu})
            m_fullScreen->addActions(menu->actions());
        m_fullScreen->hide();
    }
    return m_fullScreen;
}

void MainWindow::connectGraphCommands()
{
    const MainMenus &m = *m_menus;
    connect(m.rootsAction, &QAction::triggered, this, [this] { findOrSaveRoots(false); });
    connect(m.contextSaveRootsAction, &QAction::triggered, this, [this] { findOrSaveRoots(true); });
    for (int i = 0; i < 3; ++i) {
        connect(m.zoomInActions[i], &QAction::triggered, this,
                [this, i] { zoomFromMenu(i, FunctionProject::ZoomInFactor); });
        connect(m.zoomOutActions[i], &QAction::triggered, this,
                [this, i] { zoomFromMenu(i, FunctionProject::ZoomOutFactor); });
    }
    connect(m.graphSettingsAction, &QAction::triggered, this, &MainWindow::showGraphSettings);
    connect(m.showGridAction, &QAction::triggered, this, &MainWindow::toggleGrid);
    connect(m.showFPrimeAction, &QAction::triggered, this, [this] { toggleDerivative(1); });
    connect(m.showFSecondAction, &QAction::triggered, this, [this] { toggleDerivative(2); });
    connect(m.maximizeAction, &QAction::triggered, this, &MainWindow::maximizeOrRestore);
    connect(m.fitViewAction, &QAction::triggered, this, [this] {
        if (ProjectWindow *window = activeProjectWindow())
            window->fitVerticalRange();
    });
    connect(m.showExtremaAction, &QAction::triggered, this, [this](bool on) {
        if (GraphWindow *window = activeGraphWindow())
            window->setShowExtrema(on);
    });
    connect(m.viewBackAction, &QAction::triggered, this, [this] {
        if (ProjectWindow *window = activeProjectWindow())
            window->goBack();
    });
    connect(m.viewForwardAction, &QAction::triggered, this, [this] {
        if (ProjectWindow *window = activeProjectWindow())
            window->goForward();
    });
    connect(m.selectAllAction, &QAction::triggered, this, [this] { selectRoots(true, false); });
    connect(m.selectNoneAction, &QAction::triggered, this, [this] { selectRoots(false, false); });
    connect(m.invertSelectionAction, &QAction::triggered, this, [this] { selectRoots(true, true); });
    connect(m.copyRootsAction, &QAction::triggered, this, &MainWindow::copyRoots);
}

void MainWindow::findOrSaveRoots(bool save)
{
    if (GraphWindow *window = activeGraphWindow())
        window->findOrSaveRoots(save);
}

void MainWindow::zoomFromMenu(int entry, double factor)
{
    if (ProjectWindow *window = activeProjectWindow())
        window->zoomFromMenu(entry, factor);
}

void MainWindow::showGraphSettings()
{
    if (ProjectWindow *window = activeProjectWindow())
        window->openSettings();
}

void MainWindow::toggleGrid()
{
    if (ProjectWindow *window = activeProjectWindow())
        window->toggleGrid();
    // The check mark follows the project, whatever the click did to it.
    updateMenus();
}

void MainWindow::toggleDerivative(int order)
{
    if (ProjectWindow *window = activeProjectWindow())
        window->toggleDerivative(order);
    updateMenus();
}

void MainWindow::maximizeOrRestore()
{
    // In full screen the item reads "Back to normal mode"; on a graph window it maximizes,
    // handing the full-screen window over when it shows another project.
    ProjectWindow *active = activeProjectWindow();
    if (auto *fullScreen = qobject_cast<FullScreenGraph *>(active))
        fullScreen->giveBack();
    else if (auto *window = qobject_cast<GraphWindow *>(active))
        window->maximize(*fullScreenGraph());
}

void MainWindow::selectRoots(bool checked, bool invert)
{
    if (GraphWindow *window = activeGraphWindow())
        window->selectRoots(checked, invert);
}

void MainWindow::copyRoots()
{
    if (GraphWindow *window = activeGraphWindow())
        window->copyRoots();
}

void MainWindow::applySkin() { m_area->setBackground(SkinColorsFor(programSettings().skin).back); }

QString MainWindow::caption() { return QStringLiteral("Trevolin ") + VersionText(); }

void MainWindow::showGeneralOptions()
{
    OptionsDialog dialog(this);
    dialog.exec();
    if (!dialog.backgroundPictureChanged())
        return;
    for (QMdiSubWindow *child : m_area->subWindowList()) {
        if (auto *window = qobject_cast<GraphWindow *>(child->widget()))
            window->refreshGraph(false);
    }
}

void MainWindow::cascade()
{
    // Cascading would pull the full-screen window out of its place: normal mode first.
    if (m_fullScreen)
        m_fullScreen->giveBack();
    m_area->cascadeSubWindows();
}

void MainWindow::startCalculator()
{
    if (QFileInfo(m_calculatorPath).isFile()) {
        OpenDocument(m_calculatorPath);
        return;
    }
    Messages().critical(LangText("Error", "Error"),
                        LangText("CalcError", "Cannot find Trevolin Calculator. Please reinstall Trevolin."));
    m_menus->calculatorAction->setEnabled(false);
}

void MainWindow::openResultsFolder()
{
    const QString folder = UsableResultsFolder();
    if (!OpenDocument(folder))
        Messages().information(caption(), LangText("NoFileManager", "No file manager could be started. Your results are in this folder:")
                                              + QLatin1Char('\n') + QDir::toNativeSeparators(folder));
}

void MainWindow::showHelpContents() { ShowHelpContents(this); }

void MainWindow::showWhatsNew() { ShowHelpTopic(this, QStringLiteral("whatsnew.html")); }

void MainWindow::openSite() { m_analysisCommands->openSite(); }

void MainWindow::openNumericalMethods() { m_analysisCommands->openNumericalMethods(); }

void MainWindow::checkForUpdates() { m_analysisCommands->checkForUpdates(); }

void MainWindow::fillWindowMenu()
{
    QMenu *window = m_menus->windowMenu;
    for (QAction *entry : std::as_const(m_windowEntries)) {
        window->removeAction(entry);
        entry->deleteLater();
    }
    m_windowEntries.clear();
    // A graph window replaced by the full-screen window, and the full-screen window between
    // uses, are hidden and not listed.
    QList<QMdiSubWindow *> children = m_area->subWindowList();
    children.erase(std::remove_if(children.begin(), children.end(), [](QMdiSubWindow *child) { return child->isHidden(); }),
                   children.end());
    if (children.isEmpty())
        return;
    m_windowEntries << window->addSeparator();
    int number = 0;
    for (QMdiSubWindow *child : children) {
        ++number;
        QString text = child->windowTitle();
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *entry = window->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(text)
                                                       : QStringLiteral("%1 %2").arg(number).arg(text));
        entry->setCheckable(true);
        entry->setChecked(child == m_area->activeSubWindow());
        QPointer<QMdiSubWindow> target(child);
        connect(entry, &QAction::triggered, this, [this, target] {
            if (target)
                m_area->setActiveSubWindow(target);
        });
        m_windowEntries << entry;
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Every child window closes first (each graph window releases its project), the graph
    // windows in their order, each asking about unsaved changes: Cancel there stops the exit.
    // The full-screen window hands its project back first and, once the program ends, really
    // closes.
    if (m_fullScreen)
        m_fullScreen->giveBack();
    if (!m_fileCommands->closeGraphWindows(false)) {
        event->ignore();
        return;
    }
    if (m_fullScreen) {
        m_fullScreen->setProgramEnding();
        m_fullScreen->close();
    }
    m_area->closeAllSubWindows();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!FileCommands::projectFilesIn(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QStringList files = FileCommands::projectFilesIn(*event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    m_fileCommands->openFiles(files);
}
