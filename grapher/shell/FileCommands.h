#pragma once
// The main window's File menu: new project (the wizard), open, open recent, save, save as,
// save all, close, close all and exit, with the question about unsaved changes.
#include <QObject>

class GraphWindow;
class MainWindow;

class FileCommands : public QObject {
    Q_OBJECT
public:
    // Connects the menu items of `window`'s menus.
    explicit FileCommands(MainWindow *window);

    // Called for every new graph window.
    void attach(GraphWindow *graphWindow);

private:
    MainWindow *m_window;
};
