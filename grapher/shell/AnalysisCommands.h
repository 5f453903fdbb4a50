#pragma once
// The main window's commands that analyse and export the active graph window's project: the
// Calculate menu's dialogs, the roots report, the graph's export, and the Help menu's about box
// and web items.
#include <QObject>

class GraphWindow;
class MainWindow;

class AnalysisCommands : public QObject {
    Q_OBJECT
public:
    // Connects the menu items of `window`'s menus.
    explicit AnalysisCommands(MainWindow *window);

    // Called for every new graph window (its roots button saves the report).
    void attach(GraphWindow *graphWindow);

private:
    MainWindow *m_window;
};
