#pragma once
// The main window: the frame in which the wizard and the graph windows live as child windows,
// with the program's menus (typed actions in MainMenus). updateMenus follows the active child
// window and enables the project commands only while a graph window is active.
#include <QMainWindow>

#include <memory>

class MainMenus;
class QAction;
class QMdiArea;
class QMenu;

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
    // The menus for the active child window (connected to the area's activation signal).
    void updateMenus();

    // Colours the window's background with the current skin.
    void applySkin();

    // Commands of the menus.
    void showGeneralOptions();
    void cascade();
    void startCalculator();
    void showHelpContents();
    void showWhatsNew();
    void openSite();
    void openNumericalMethods();
    void checkForUpdates();

    // The calculator program that mnutrevcalc starts (<program folder>/calc).
    QString calculatorPath() const { return m_calculatorPath; }
    void setCalculatorPath(const QString &path) { m_calculatorPath = path; }

    // The caption: "Trevolin " and the version.
    static QString caption();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void fillWindowMenu();

    QMdiArea *m_area;
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
