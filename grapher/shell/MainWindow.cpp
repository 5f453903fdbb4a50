#include "shell/MainWindow.h"

#include "core/MathEngine.h"
#include "core/WebAddresses.h"
#include "ui/Help.h"
#include "core/LangText.h"
#include "shell/MainMenus.h"
#include "ui/MessageSink.h"
#include "dialogs/OptionsDialog.h"
#include "core/ProgramFolder.h"
#include "core/ProgramSettings.h"
#include "project/SettingsStore.h"
#include "core/Version.h"
#include "ui/Skins.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <cstdlib>
#include <ctime>

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

    resize(1000, 720);
}

MainWindow::~MainWindow() = default;

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
    // The project commands act on the active graph window; the wizard is no project.
    const QMdiSubWindow *active = m_area->activeSubWindow();
    setProjectMenus(active && active->widget() && active->widget()->inherits("GraphWindow"));
}

void MainWindow::applySkin() { m_area->setBackground(SkinColorsFor(programSettings().skin).back); }

QString MainWindow::caption() { return QStringLiteral("Trevolin ") + VersionText(); }

void MainWindow::showGeneralOptions()
{
    OptionsDialog dialog(this);
    dialog.exec();
}

void MainWindow::cascade() { m_area->cascadeSubWindows(); }

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

void MainWindow::showHelpContents() { ShowHelpContents(this); }

void MainWindow::showWhatsNew() { ShowHelpTopic(this, QStringLiteral("whatsnew.html")); }

void MainWindow::openSite() { OpenDocument(WebAddresses::productSite()); }

void MainWindow::openNumericalMethods() { OpenDocument(WebAddresses::numericalMethods()); }

void MainWindow::checkForUpdates() { OpenDocument(WebAddresses::updateCheck()); }

void MainWindow::fillWindowMenu()
{
    QMenu *window = m_menus->windowMenu;
    for (QAction *entry : std::as_const(m_windowEntries)) {
        window->removeAction(entry);
        entry->deleteLater();
    }
    m_windowEntries.clear();
    const QList<QMdiSubWindow *> children = m_area->subWindowList();
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
    // Every child window closes first (each graph window releases its project); unsaved
    // projects are not asked about.
    m_area->closeAllSubWindows();
    event->accept();
}
