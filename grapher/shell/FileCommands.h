#pragma once
// The main window's File menu: new project (the wizard), open, open recent, save, save as,
// save all, close, close all and exit, with the question about unsaved changes.
//
// A project counts as saved in the file its window's caption names. A save that fails leaves
// the project with the file it had, and says why in a warning titled with the path. Every
// project opened or saved goes to the top of File > Open recent.
#include <QObject>
#include <QPointer>
#include <QStringList>

class GraphWindow;
class MainWindow;
class NewProjectWizard;
class QMimeData;

class FileCommands : public QObject {
    Q_OBJECT
public:
    // Connects the menu items of `window`'s menus.
    explicit FileCommands(MainWindow *window);

    // Called for every new graph window: its unsaved-changes question saves through here.
    void attach(GraphWindow *graphWindow);

    // New project: shows the wizard in a child window, or brings the open one forward, with
    // the focus.
    void showWizard();
    // The wizard while it is open.
    NewProjectWizard *wizard() const;

    // Open project: the open-file dialog in the results folder, several files at once.
    void openProjects();
    // Opens each file in a window of its own, in the order given; a file that cannot be opened
    // is reported in a warning titled with its path. Returns how many were opened.
    int openFiles(const QStringList &paths);
    // An entry of Open recent: a file that has gone leaves the list without a message.
    void openRecent(const QString &path);
    // Puts a file opened elsewhere (the command line) at the top of Open recent.
    void rememberFile(const QString &path);

    // Save project: into the project's file, or as Save as when it has none. True when saved.
    bool saveProject(GraphWindow *window);
    // Save project as: the save-file dialog proposing a name made from the equation.
    bool saveProjectAs(GraphWindow *window);
    // Save all: every shown project; one that was never saved asks for a name in a dialog
    // titled with its equation, and Cancel there goes on with the next.
    void saveAll();

    // Close project: the active child window.
    void closeProject();
    // Close all: asks Yes/No, then closes every shown graph window and shows the wizard.
    void closeAll();
    // Closes the graph windows (only the shown ones with `visibleOnly`) in their order, each
    // asking about unsaved changes; false when the user cancelled, which leaves that window and
    // the ones after it open.
    bool closeGraphWindows(bool visibleOnly);

    // The name Save as proposes for an equation: "*" becomes a blank and "/" a "%", so the
    // name is a valid file name.
    static QString proposedFileName(const QString &functionText);
    // The project files (.tvp, any case) among the local files of a drag.
    static QStringList projectFilesIn(const QMimeData &data);

private:
    bool writeProject(GraphWindow *window, const QString &path);
    bool saveWithDialog(GraphWindow *window, const QString &title, const QString &proposedName);
    // The graph window of the active child: itself, or the one the full-screen window stands in
    // for.
    GraphWindow *activeGraphWindow() const;
    // The graph windows in the order of the child windows; a shown full-screen window counts
    // as the graph window it stands in for.
    QList<GraphWindow *> graphWindows(bool visibleOnly) const;
    void fillRecentMenu();

    MainWindow *m_window;
    QPointer<NewProjectWizard> m_wizard;
};
