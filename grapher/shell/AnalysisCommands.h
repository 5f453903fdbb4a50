#pragma once
// The main window's commands that analyse and export the active graph window's project: the
// Calculate menu's dialogs, the roots report, the graph's export, and the Help menu's about box
// and web items.
//
// The project commands act on the active child window when it shows a project (a graph window
// or the full-screen window) and is not scanning for roots; otherwise they do nothing. Their
// dialogs are modal over the main window, so the window they work on outlives them.
#include <QObject>

#include <functional>

class GraphWindow;
class MainWindow;
class ProjectWindow;

class AnalysisCommands : public QObject {
    Q_OBJECT
public:
    // Connects the menu items of `window`'s menus.
    explicit AnalysisCommands(MainWindow *window);

    // Called for every new graph window: its roots button, once roots are listed, saves them
    // as an HTML report.
    void attach(GraphWindow *graphWindow);

    // Calculate menu.
    void evaluate();      // mnueval
    void derive();        // mnuder
    void integrate();     // mnuintegrate
    void findExtrema();   // mnuextrema
    // Graph menu and the save button's context menu.
    void saveGraph();     // mnusavegraph, mnupopsavegraph
    void printGraph();    // mnuprintgraph
    void copyGraph();     // mnucopyclipb
    // Help menu. The product has no web site yet: the site and update items say so, and
    // "Behind the scenes" opens its local help page.
    void openSite();               // mnusite
    void openNumericalMethods();   // mnunumerical
    void checkForUpdates();        // mnucheck
    void showAbout();              // mnuabout

private:
    // The active window the project commands act on, or null when there is none (no project
    // shown, or a root scan running).
    ProjectWindow *commandWindow() const;
    // Runs `command` on that window, if there is one.
    void onActiveWindow(const std::function<void(ProjectWindow &)> &command) const;

    MainWindow *m_window;
};
