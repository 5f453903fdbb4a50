#pragma once
// The main window: the frame in which the wizard and the graph windows live as child windows,
// with the program's menus. Menu items are reached by name (action("mnueval")); commands that
// act on projects are connected by the windows that provide them.
#include <QMainWindow>

#include <memory>

class MainMenus;
class QAction;
class QMdiArea;
class QMenu;

class MainMDI : public QMainWindow {
    Q_OBJECT
public:
    explicit MainMDI(QWidget *parent = nullptr);
    ~MainMDI() override;

    // The start-up steps once the window exists: settings, skin, language, caption, menu
    // captions. The engine is initialised before (InitializeEngine).
    void load();

    QMdiArea *mdiArea() const { return m_area; }
    QAction *action(const QString &name) const;
    QMenu *menu(const QString &name) const;
    MainMenus &menus() const { return *m_menus; }

    // Enables or disables the menus that need a project: Calculate, Graph, Window, Close,
    // Close all, Save, Save as and Save all.
    void SetProjectMenus(bool on);

    // Colours the window's background with the current skin.
    void applySkin();

    // Commands of the menus.
    void mnuexit();
    void mnugenoptions();
    void mnucascade();
    void mnutrevcalc();
    void mnumainhelp();
    void mnuhelpnew();
    void mnusite();
    void mnunumerical();
    void mnucheck();

    // The calculator program that mnutrevcalc starts (<program folder>/calc).
    QString calculatorPath() const { return m_calculatorPath; }
    void setCalculatorPath(const QString &path) { m_calculatorPath = path; }

    // The caption: "Trevolin " and the version.
    static QString Caption();
    // Address the update check opens: the web site's check page with this version.
    static QString UpdateCheckAddress();

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
MainMDI *MainWindow();

// Loads the engine and initialises it; a missing or incomplete library is reported in one
// message box naming the file and what is missing, and the program ends.
void InitializeEngine();
// The message handler used for that report; installed by InitializeEngine.
void InstallEngineFailureHandler();
