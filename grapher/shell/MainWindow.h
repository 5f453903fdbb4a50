#pragma once
// The main window: the frame in which the wizard and the graph windows live as child windows,
// with the program's menus (typed actions in MainMenus). updateMenus follows the active child
// window and enables the project commands only while a graph window is active.
#include <QMainWindow>
#include <QPointer>

#include <memory>

class AnalysisCommands;
class FileCommands;
class FullScreenGraph;
class FunctionProject;
class GraphWindow;
class MainMenus;
class ProjectWindow;
class QAction;
class QDragEnterEvent;
class QDropEvent;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
struct GraphWindowMenus;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The start-up steps once the window exists: settings, skin, language, caption, menu
    // captions. The engine is initialised before (InitializeEngine).
    void load();

    QMdiArea *mdiArea() const { return m_area; }
    MainMenus &menus() const { return *m_menus; }

    // Enables or disables the menus that need a project: Calculate, Graph, Window, Close,
    // Close all, Save, Save as and Save all.
    void setProjectMenus(bool on);
    // The menus for the active child window (connected to the area's activation signal and to
    // the windows' state): the project menus while a graph window or the full-screen window is
    // active (Calculate and Graph wait while it scans for roots), the grid check mark from its
    // project, the roots item's caption from its roots button, "Back to normal mode" in full
    // screen. Only the active window's pointer drives its readouts.
    void updateMenus();

    // Opens a graph window for a project made or opened elsewhere (wizard, command line, open
    // command, derive dialog): the window owns the project, is shown, draws the graph and lists
    // the roots at once.
    GraphWindow *openProjectWindow(std::unique_ptr<FunctionProject> project);
    // The same for a project just made (wizard, Random, /eq, derive dialog): with "Fit new
    // projects to the curve" on, its y range is fitted first.
    GraphWindow *openNewProjectWindow(std::unique_ptr<FunctionProject> project);
    // Carries out a command line, at start-up and for every one a second start hands over: the
    // wizard for an empty one, the equation of "/eq", or the named project files, each in its
    // own window (a file that is not there is passed over silently, any other that cannot be
    // opened is reported in a warning titled with its path).
    void processCommandLine(const QString &commandLine);
    FileCommands &fileCommands() const { return *m_fileCommands; }

    // The active child window when it shows a project (a graph window or the full-screen
    // window), and the active graph window.
    ProjectWindow *activeProjectWindow() const;
    GraphWindow *activeGraphWindow() const;
    // The one full-screen window, created on its first use.
    FullScreenGraph *fullScreenGraph();
    // The menus the graph windows open as pop-ups.
    GraphWindowMenus graphWindowMenus() const;

    // Colours the window's background with the current skin.
    void applySkin();

    // Commands of the menus.
    void showGeneralOptions();
    void cascade();
    void startCalculator();
    // The graph windows' folder button: the results folder in the file manager, made first when
    // missing; without a file manager, a message names the folder.
    void openResultsFolder();
    void showHelpContents();
    void showWhatsNew();
    void openSite();
    void openNumericalMethods();
    void checkForUpdates();
    // On the active window and its project:
    void findOrSaveRoots(bool save);              // mnuroots (false), mnupopsaveroots (true)
    void zoomFromMenu(int entry, double factor);  // mnuzoominpro(i), mnuzoomoutpro(i)
    void showGraphSettings();                     // mnuoptions
    void toggleGrid();                            // mnushowgrid
    void toggleDerivative(int order);             // mnushowder1, mnushowder2
    void maximizeOrRestore();                     // mnumax
    void selectRoots(bool checked, bool invert);  // mnuselectall, mnuselectnone, mnuselectinvert
    void copyRoots();                             // mnuselectclip

    // The calculator program that mnutrevcalc starts (<program folder>/calc).
    QString calculatorPath() const { return m_calculatorPath; }
    void setCalculatorPath(const QString &path) { m_calculatorPath = path; }

    // The caption: "Trevolin " and the version.
    static QString caption();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Project files dropped on the window open as with the open command.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Adds a graph window or the full-screen window to the area, leaving Ctrl+W to Close project.
    QMdiSubWindow *addProjectFrame(QWidget *window);
    // Sizes and places a new child before it is shown: cascaded from the child opened before
    // it, inside the area (see CascadedChildGeometry).
    void placeNewChild(QMdiSubWindow *frame, const QSize &defaultSize);
    // Makes a new child the active one, in front, and brings the main window forward with it.
    void bringToFront(QMdiSubWindow *frame);
    void fillWindowMenu();
    void connectGraphCommands();

    QMdiArea *m_area;
    QPointer<FullScreenGraph> m_fullScreen;
    FileCommands *m_fileCommands = nullptr;
    AnalysisCommands *m_analysisCommands = nullptr;
    std::unique_ptr<MainMenus> m_menus;
    QList<QAction *> m_windowEntries;
    QString m_calculatorPath;
};

// The running program's main window (nullptr before it exists and after it is gone).
MainWindow *mainWindow();

// Loads the engine and initialises it; a missing or incomplete library is reported in one
// message box naming the file and what is missing, and the program ends.
void InitializeEngine();
// The message handler used for that report; installed by InitializeEngine.
void InstallEngineFailureHandler();
