#pragma once
// The menu tree of the main window: the menu bar (File, Calculate, Graph, Window, Help) and the
// two menus that graph windows open as context menus. Every item is a typed member; each also
// carries its item name as object name ("mnuwizard", "mnuzoominpro(2)", ...), which the
// captions and the tests use. Captions come from the language file; shortcuts are fixed.
#include <QHash>
#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class MainMenus {
public:
    // Builds every menu and item under `owner`; the bar menus go into `bar`.
    MainMenus(QWidget *owner, QMenuBar *bar);

    // Sets every caption from the current language file ("..." appended where the item opens
    // a dialog); fixed captions stay as they are.
    void setCaptions();
    // The Maximize item reads "Back to normal mode" while the full-screen window is active.
    void setMaximizeCaption(bool backToNormal);

    // File
    QMenu *fileMenu = nullptr;
    QAction *newProjectAction = nullptr;
    QAction *openProjectAction = nullptr;
    QMenu *recentMenu = nullptr;           // the last projects opened or saved
    QAction *saveProjectAction = nullptr;
    QAction *saveProjectAsAction = nullptr;
    QAction *saveAllAction = nullptr;
    QAction *closeProjectAction = nullptr;
    QAction *closeAllAction = nullptr;
    QAction *calculatorAction = nullptr;
    QAction *generalOptionsAction = nullptr;
    QAction *exitAction = nullptr;
    // Calculate
    QMenu *calculateMenu = nullptr;
    QAction *evaluateAction = nullptr;
    QAction *deriveAction = nullptr;
    QAction *integrateAction = nullptr;
    QAction *rootsAction = nullptr;        // finds the roots, or saves them once found
    QAction *extremaAction = nullptr;
    // Graph; the zoom entries are X, Y and X && Y
    QMenu *graphMenu = nullptr;
    QMenu *zoomInMenu = nullptr;
    QMenu *zoomOutMenu = nullptr;
    QAction *zoomInActions[3] = {};
    QAction *zoomOutActions[3] = {};
    QAction *graphSettingsAction = nullptr;
    QAction *showGridAction = nullptr;
    QAction *fitViewAction = nullptr;
    QAction *showExtremaAction = nullptr;  // hollow markers on the extrema of the active graph window
    QAction *viewBackAction = nullptr;     // Alt+Left, Alt+Right: the window's view history
    QAction *viewForwardAction = nullptr;
    QAction *showFPrimeAction = nullptr;    // the dashed curve of f'
    QAction *showFSecondAction = nullptr;   // the dashed curve of f''
    QAction *maximizeAction = nullptr;
    QAction *saveGraphAction = nullptr;
    QAction *printGraphAction = nullptr;
    QAction *copyGraphAction = nullptr;
    // Window
    QMenu *windowMenu = nullptr;
    QAction *cascadeAction = nullptr;
    // Help
    QMenu *helpMenu = nullptr;
    QAction *helpContentsAction = nullptr;
    QAction *whatsNewAction = nullptr;
    QAction *siteAction = nullptr;
    QAction *numericalMethodsAction = nullptr;
    QAction *checkUpdatesAction = nullptr;
    QAction *aboutAction = nullptr;
    // Context menu of the graph windows' save button
    QMenu *saveContextMenu = nullptr;
    QAction *contextSaveProjectAction = nullptr;
    QAction *contextSaveGraphAction = nullptr;
    QAction *contextSaveRootsAction = nullptr;
    // Context menu of the roots list
    QMenu *selectContextMenu = nullptr;
    QAction *selectAllAction = nullptr;
    QAction *selectNoneAction = nullptr;
    QAction *invertSelectionAction = nullptr;
    QAction *copyRootsAction = nullptr;

private:
    QMenu *addMenu(const QString &name, QMenu *parent);
    QAction *addItem(QMenu *menu, const QString &name, const QKeySequence &shortcut = QKeySequence());
    void addSeparator(QMenu *menu, const QString &name);
    void caption(const QString &name, const QString &text);

    QWidget *m_owner;
    QMenuBar *m_bar;
    QHash<QString, QAction *> m_actions;   // by object name, for the captions
};
