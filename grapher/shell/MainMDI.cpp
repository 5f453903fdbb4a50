#include "MainMDI.h"

#include "EngineBinding.h"
#include "Help.h"
#include "LangText.h"
#include "MainMenus.h"
#include "MessageSink.h"
#include "Options.h"
#include "ProgramFolder.h"
#include "ProgramSettings.h"
#include "SettingsStore.h"
#include "Version.h"

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

QPointer<MainMDI> &mainWindowPointer()
{
    static QPointer<MainMDI> window;
    return window;
}

} // namespace

MainMDI *MainWindow() { return mainWindowPointer().data(); }

void InstallEngineFailureHandler()
{
    trev::EngineBinding::setFailureHandler([](const std::string &message) {
        Messages().critical(LangText("Error", "Error"), QString::fromStdString(message));
    });
}

void InitializeEngine()
{
    InstallEngineFailureHandler();
    trev::engine().InitTrevolin();
}

MainMDI::MainMDI(QWidget *parent) : QMainWindow(parent), m_area(new QMdiArea(this))
{
    setObjectName(QStringLiteral("MainMDI"));
    mainWindowPointer() = this;
    m_area->setObjectName(QStringLiteral("MDIArea"));
    m_calculatorPath = ProgramFolder() + QStringLiteral("/calc");
    setCentralWidget(m_area);
    m_menus = std::make_unique<MainMenus>(this, menuBar());

    connect(action(QStringLiteral("mnuexit")), &QAction::triggered, this, &MainMDI::mnuexit);
    connect(action(QStringLiteral("mnugenoptions")), &QAction::triggered, this, &MainMDI::mnugenoptions);
    connect(action(QStringLiteral("mnucascade")), &QAction::triggered, this, &MainMDI::mnucascade);
    connect(action(QStringLiteral("mnutrevcalc")), &QAction::triggered, this, &MainMDI::mnutrevcalc);
    connect(action(QStringLiteral("mnumainhelp")), &QAction::triggered, this, &MainMDI::mnumainhelp);
    connect(action(QStringLiteral("mnuhelpnew")), &QAction::triggered, this, &MainMDI::mnuhelpnew);
    connect(action(QStringLiteral("mnusite")), &QAction::triggered, this, &MainMDI::mnusite);
    connect(action(QStringLiteral("mnunumerical")), &QAction::triggered, this, &MainMDI::mnunumerical);
    connect(action(QStringLiteral("mnucheck")), &QAction::triggered, this, &MainMDI::mnucheck);
    connect(menu(QStringLiteral("mnuwindow")), &QMenu::aboutToShow, this, &MainMDI::fillWindowMenu);

    resize(1000, 720);
}

MainMDI::~MainMDI() = default;

void MainMDI::load()
{
    // Seeds the random equations of the wizard.
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    LoadSettings();
    applySkin();
    setWindowTitle(Caption());
    m_menus->setCaptions();
    // Nothing is open yet, so there is no project for the project menus to act on.
    SetProjectMenus(false);
}

QAction *MainMDI::action(const QString &name) const { return m_menus->action(name); }

QMenu *MainMDI::menu(const QString &name) const { return m_menus->menu(name); }

void MainMDI::SetProjectMenus(bool on)
{
    for (const char *name : {"mnucalc", "mnugraph", "mnuwindow", "mnuclose", "mnucloseall", "mnusaveproj",
                             "mnusaveprojas", "mnusaveall"}) {
        if (QAction *item = action(QString::fromLatin1(name)))
            item->setEnabled(on);
    }
}

void MainMDI::applySkin() { m_area->setBackground(programSettings().skinColors.back); }

QString MainMDI::Caption() { return QStringLiteral("Trevolin ") + VersionText(); }

QString MainMDI::UpdateCheckAddress()
{
    return ProductSite() + QStringLiteral("check.php?clientversion=") + QString::number(VersionMajor)
        + QLatin1Char('.') + QString::number(VersionMinor) + QLatin1Char('.') + QString::number(VersionRevision);
}

void MainMDI::mnuexit() { close(); }

void MainMDI::mnugenoptions()
{
    Options dialog(this);
    dialog.exec();
}

void MainMDI::mnucascade() { m_area->cascadeSubWindows(); }

void MainMDI::mnutrevcalc()
{
    if (QFileInfo(m_calculatorPath).isFile()) {
        OpenDocument(m_calculatorPath);
        return;
    }
    Messages().critical(LangText("Error", "Error"),
                        LangText("CalcError", "Cannot find Trevolin Calculator. Please reinstall Trevolin."));
    action(QStringLiteral("mnutrevcalc"))->setEnabled(false);
}

void MainMDI::mnumainhelp() { ShowHelpContents(this); }

void MainMDI::mnuhelpnew() { ShowHelpTopic(this, QStringLiteral("whatsnew.html")); }

void MainMDI::mnusite() { OpenDocument(ProductSite()); }

void MainMDI::mnunumerical() { OpenDocument(ProductSite() + QStringLiteral("numerical.html")); }

void MainMDI::mnucheck() { OpenDocument(UpdateCheckAddress()); }

void MainMDI::fillWindowMenu()
{
    QMenu *window = menu(QStringLiteral("mnuwindow"));
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

void MainMDI::closeEvent(QCloseEvent *event)
{
    // Every child window closes first (each graph window releases its project); unsaved
    // projects are not asked about.
    m_area->closeAllSubWindows();
    event->accept();
}
