// The main window: caption, menu tree, captions from the language file, shortcuts, the
// project menus and the commands that are already wired.
#include "core/LangText.h"
#include "core/WebAddresses.h"
#include "shell/ChildWindowPlacement.h"
#include "shell/MainWindow.h"
#include "ui/HelpWindow.h"
#include "shell/MainMenus.h"
#include "dialogs/OptionsDialog.h"
#include "core/ProgramSettings.h"
#include "RecordingMessages.h"
#include "project/FunctionProject.h"
#include "project/SettingsStore.h"
#include "TestEnvironment.h"
#include "ui/CommonDialogs.h"
#include "windows/GraphView.h"
#include "windows/GraphWindow.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

namespace {

QStringList menuBarTitles(QMainWindow &window)
{
    QStringList titles;
    for (QAction *entry : window.menuBar()->actions())
        titles << entry->text();
    return titles;
}

// Names of the entries of a menu, separators as "-".
QStringList entryNames(QMenu *menu)
{
    QStringList names;
    for (QAction *entry : menu->actions())
        names << (entry->isSeparator() ? QStringLiteral("-") : entry->objectName());
    return names;
}

// The item or menu entry with the object name `name`.
QAction *findAction(const QMainWindow &window, const char *name)
{
    for (QAction *action : window.findChildren<QAction *>(QLatin1String(name)))
        return action;
    return nullptr;
}
QAction *findAction(const QMainWindow &window, const QString &name) { return findAction(window, qPrintable(name)); }

QMenu *findMenu(const QMainWindow &window, const char *name) { return window.findChild<QMenu *>(QLatin1String(name)); }

// A project as the wizard makes it, over [a, b] (and the same y view).
std::unique_ptr<FunctionProject> makeProject(const QString &expression, double a = -10, double b = 10)
{
    auto project = std::make_unique<FunctionProject>();
    project->load(expression, Expression::parse(expression), a, b);
    return project;
}

// One wheel notch away from the user (zoom in) over the middle of a graph window's graph,
// sent to the top-level window as the mouse sends it.
void wheelNotchOnGraph(QMainWindow &window, GraphWindow *graph)
{
    const QPointF at = graph->view()->mapTo(&window, graph->view()->rect().center());
    QWheelEvent wheel(at, window.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.windowHandle(), &wheel);
}

QMdiSubWindow *frameOf(QWidget *window) { return qobject_cast<QMdiSubWindow *>(window->parentWidget()); }

// Cancels every save dialog and counts them.
class CancelledSaves : public DialogSink {
public:
    CancelledSaves() { SetDialogSink(this); }
    ~CancelledSaves() override { SetDialogSink(nullptr); }
    QStringList openFiles(QWidget *, const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &, const QString &) override
    {
        ++asked;
        return QString();
    }
    QColor colour(QWidget *, const QColor &initial) override { return initial; }
    bool print(QWidget *, QPrinter &) override { return false; }

    int asked = 0;
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    void useLanguage(const QByteArray &msg)
    {
        const QString path = m_dir.filePath(QStringLiteral("test.lng"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[Info]\nLanguage=Test\n[Msg]\n" + msg);
        file.close();
        WriteSetting(QStringLiteral("Settings"), QStringLiteral("Language"), path);
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        InitializeEngine();
    }

    void init()
    {
        QSettings(QStringLiteral("Trevolin"), QStringLiteral("Trevolin")).clear();
        programSettings() = ProgramSettings();
        // The button-driven roots list, unless a test turns the automatic scan on.
        WriteSetting(QStringLiteral("Settings"), QStringLiteral("FindRootsAutomatically"), QStringLiteral("0"));
    }

    void captionAndBackground()
    {
        WriteSetting(QStringLiteral("Settings"), QStringLiteral("ForeItem"), QStringLiteral("8"));
        MainWindow window;
        window.load();
        QCOMPARE(window.windowTitle(), QStringLiteral("Trevolin 2.36"));
        QCOMPARE(window.mdiArea()->background().color(), SkinColorsFor(8).back);
        QCOMPARE(mainWindow(), &window);
    }

    void menuTree()
    {
        MainWindow window;
        window.load();
        QCOMPARE(menuBarTitles(window),
                 (QStringList{"&File", "&Calculate", "&Graph", "&Window", "&Help"}));
        QCOMPARE(entryNames(findMenu(window, "mnufile")),
                 (QStringList{"mnuwizard", "mnuopenproj", "mnurecent", "-", "mnusaveproj", "mnusaveprojas", "mnusaveall", "-",
                              "mnuclose", "mnucloseall", "-", "mnutrevcalc", "mnugenoptions", "-", "mnuexit"}));
        QCOMPARE(entryNames(findMenu(window, "mnucalc")),
                 (QStringList{"mnueval", "mnuder", "mnuintegrate", "-", "mnuroots", "mnuextrema"}));
        QCOMPARE(entryNames(findMenu(window, "mnugraph")),
                 (QStringList{"mnuzoomin", "mnuzoomout", "mnuoptions", "mnushowgrid", "mnufit", "mnushowextrema",
                              "mnuviewback", "mnuviewforward", "mnushowder1", "mnushowder2", "mnumax", "-", "mnusavegraph",
                              "mnuprintgraph", "mnucopyclipb"}));
        QCOMPARE(entryNames(findMenu(window, "mnuzoomin")),
                 (QStringList{"mnuzoominpro(0)", "mnuzoominpro(1)", "mnuzoominpro(2)"}));
        QCOMPARE(entryNames(findMenu(window, "mnuzoomout")),
                 (QStringList{"mnuzoomoutpro(0)", "mnuzoomoutpro(1)", "mnuzoomoutpro(2)"}));
        QCOMPARE(entryNames(findMenu(window, "mnuwindow")), QStringList{"mnucascade"});
        QCOMPARE(entryNames(findMenu(window, "mnuhelp")),
                 (QStringList{"mnumainhelp", "mnuhelpnew", "-", "mnusite", "mnunumerical", "-", "mnucheck", "mnuabout"}));
        QCOMPARE(entryNames(findMenu(window, "mnupopsave")),
                 (QStringList{"mnupopsaveproj", "mnupopsavegraph", "mnupopsaveroots"}));
        QCOMPARE(entryNames(findMenu(window, "mnuselect")),
                 (QStringList{"mnuselectall", "mnuselectnone", "mnuselectinvert", "-", "mnuselectclip"}));
        QVERIFY(findAction(window, "mnushowgrid")->isCheckable());
        QVERIFY(findAction(window, "mnuprintgraph")->isVisible());
    }

    void englishCaptionsAndShortcuts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        const QKeySequence none;
        auto row = [](const char *name, const char *caption, const QKeySequence &keys) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << keys;
        };
        row("mnuwizard", "&New project...", QKeySequence(Qt::CTRL | Qt::Key_N));
        row("mnuopenproj", "&Open project...", QKeySequence(Qt::CTRL | Qt::Key_O));
        row("mnusaveproj", "&Save project", QKeySequence(Qt::CTRL | Qt::Key_S));
        row("mnusaveprojas", "&Save project as...", none);
        row("mnusaveall", "Save all projects", none);
        row("mnuclose", "&Close project", QKeySequence(Qt::CTRL | Qt::Key_W));
        row("mnucloseall", "Close &all projects", none);
        row("mnutrevcalc", "Trevolin &Calculator", QKeySequence(Qt::Key_F2));
        row("mnugenoptions", "&General options...", QKeySequence(Qt::Key_F8));
        row("mnuexit", "E&xit", none);
        row("mnueval", "&Evaluate...", QKeySequence(Qt::CTRL | Qt::Key_E));
        row("mnuder", "&Derive...", QKeySequence(Qt::CTRL | Qt::Key_D));
        row("mnuintegrate", "&Integrate...", QKeySequence(Qt::CTRL | Qt::Key_I));
        row("mnuroots", "&Save roots...", QKeySequence(Qt::CTRL | Qt::Key_R));
        row("mnuextrema", "Find extrema...", QKeySequence(Qt::CTRL | Qt::Key_M));
        row("mnuzoomin", "Zoom In", none);
        row("mnuzoominpro(0)", "X", none);
        row("mnuzoominpro(1)", "Y", none);
        row("mnuzoominpro(2)", "X && Y", none);
        row("mnuzoomout", "Zoom Out", none);
        row("mnuoptions", "&Options...", QKeySequence(Qt::Key_F9));
        row("mnushowgrid", "Show &grid", none);
        row("mnushowextrema", "Show e&xtrema", none);
        row("mnuviewback", "Back", QKeySequence(Qt::ALT | Qt::Key_Left));
        row("mnuviewforward", "Forward", QKeySequence(Qt::ALT | Qt::Key_Right));
        row("mnushowder1", "Show f\u2032", QKeySequence(Qt::CTRL | Qt::Key_1));
        row("mnushowder2", "Show f\u2033", QKeySequence(Qt::CTRL | Qt::Key_2));
        row("mnumax", "Maximize", QKeySequence(Qt::Key_F11));
        row("mnusavegraph", "&Save graph...", QKeySequence(Qt::CTRL | Qt::Key_G));
        row("mnuprintgraph", "&Print graph...", QKeySequence(Qt::CTRL | Qt::Key_P));
        row("mnucopyclipb", "&Copy to clipboard", QKeySequence(Qt::CTRL | Qt::Key_L));
        row("mnucascade", "&Cascade", none);
        row("mnumainhelp", "&Main help", QKeySequence(Qt::CTRL | Qt::Key_F1));
        row("mnuhelpnew", "&What's new", none);
        row("mnusite", "&Trevolin OnLine", none);
        row("mnunumerical", "&Behind the scenes", none);
        row("mnucheck", "Check for updates", none);
        row("mnuabout", "&About Trevolin...", none);
        row("mnupopsave", "&Save", none);
        row("mnupopsaveproj", "&Save project...", none);
        row("mnupopsavegraph", "Save &graph...", none);
        row("mnupopsaveroots", "Save &roots...", none);
        row("mnuselect", "Select", none);
        row("mnuselectall", "Select &all", none);
        row("mnuselectnone", "Select &none", none);
        row("mnuselectinvert", "&Invert selection", none);
        row("mnuselectclip", "&Copy to clipboard", none);
    }

    // With the English file in the program folder.
    void englishCaptionsAndShortcuts()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        MainWindow window;
        window.load();
        QAction *item = findAction(window, name);
        QVERIFY(item);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut(), shortcut);
    }

    void translatedCaptions()
    {
        useLanguage("File=&Fichier\n"
                    "NewProject=&Nouveau projet\n"
                    "SaveProject=&Enregistrer le projet\n"
                    "GeneralOptions1=Options &g\xc3\xa9n\xc3\xa9rales\n"
                    "CopyClipboard=Co&pier\n"
                    "Maximize=Agrandir\n");
        MainWindow window;
        window.load();
        QCOMPARE(findAction(window, "mnufile")->text(), QStringLiteral("&Fichier"));
        QCOMPARE(findAction(window, "mnuwizard")->text(), QStringLiteral("&Nouveau projet..."));
        // One key serves two items; only the context-menu item opens a dialog.
        QCOMPARE(findAction(window, "mnusaveproj")->text(), QStringLiteral("&Enregistrer le projet"));
        QCOMPARE(findAction(window, "mnupopsaveproj")->text(), QStringLiteral("&Enregistrer le projet..."));
        QCOMPARE(findAction(window, "mnucopyclipb")->text(), QStringLiteral("Co&pier"));
        QCOMPARE(findAction(window, "mnuselectclip")->text(), QStringLiteral("Co&pier"));
        QCOMPARE(findAction(window, "mnugenoptions")->text(), QString::fromUtf8("Options &g\xc3\xa9n\xc3\xa9rales..."));
        QCOMPARE(findAction(window, "mnumax")->text(), QStringLiteral("Agrandir"));
        // Keys the file lacks keep their English text; fixed captions stay.
        QCOMPARE(findAction(window, "mnuexit")->text(), QStringLiteral("E&xit"));
        QCOMPARE(findAction(window, "mnutrevcalc")->text(), QStringLiteral("Trevolin &Calculator"));
        QCOMPARE(findAction(window, "mnuzoomoutpro(2)")->text(), QStringLiteral("X && Y"));
        QCOMPARE(findAction(window, "mnusite")->text(), QStringLiteral("&Trevolin OnLine"));
        // Shortcuts do not depend on the language.
        QCOMPARE(findAction(window, "mnuwizard")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(menuBarTitles(window).constFirst(), QStringLiteral("&Fichier"));
    }

    void contextMenusStayOutOfTheMenuBar()
    {
        MainWindow window;
        window.load();
        for (QAction *entry : window.menuBar()->actions()) {
            QVERIFY(entry->menu() != findMenu(window, "mnupopsave"));
            QVERIFY(entry->menu() != findMenu(window, "mnuselect"));
        }
        QCOMPARE(window.menuBar()->actions().size(), 5);
    }

    void projectMenus()
    {
        MainWindow window;
        window.load();
        const QStringList projectItems{"mnucalc", "mnugraph", "mnuwindow", "mnuclose", "mnucloseall",
                                       "mnusaveproj", "mnusaveprojas", "mnusaveall"};
        const QStringList others{"mnufile", "mnuhelp", "mnuwizard", "mnuopenproj", "mnugenoptions", "mnuexit",
                                 "mnutrevcalc", "mnumainhelp"};
        // Nothing is open after loading.
        for (const QString &name : projectItems)
            QVERIFY2(!findAction(window, name)->isEnabled(), qPrintable(name));
        window.setProjectMenus(true);
        for (const QString &name : projectItems)
            QVERIFY2(findAction(window, name)->isEnabled(), qPrintable(name));
        window.setProjectMenus(false);
        for (const QString &name : projectItems)
            QVERIFY2(!findAction(window, name)->isEnabled(), qPrintable(name));
        for (const QString &name : others)
            QVERIFY2(findAction(window, name)->isEnabled(), qPrintable(name));
    }

    void windowMenuListsTheChildren()
    {
        MainWindow window;
        window.load();
        window.show();
        QMdiSubWindow *first = window.mdiArea()->addSubWindow(new QLabel(QStringLiteral("one")));
        first->setWindowTitle(QStringLiteral("sin(x) = 0"));
        first->show();
        QMdiSubWindow *second = window.mdiArea()->addSubWindow(new QLabel(QStringLiteral("two")));
        second->setWindowTitle(QStringLiteral("a&b.tvp"));
        second->show();
        window.mdiArea()->setActiveSubWindow(second);

        QMenu *menu = findMenu(window, "mnuwindow");
        emit menu->aboutToShow();
        QStringList texts;
        QAction *checked = nullptr;
        for (QAction *entry : menu->actions()) {
            if (!entry->isSeparator())
                texts << entry->text();
            if (entry->isChecked())
                checked = entry;
        }
        QCOMPARE(texts, (QStringList{"&Cascade", "&1 sin(x) = 0", "&2 a&&b.tvp"}));
        QVERIFY(checked);
        QCOMPARE(checked->text(), QStringLiteral("&2 a&&b.tvp"));
        // Showing the menu again does not repeat the entries; picking one activates its window.
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 4);
        menu->actions().at(2)->trigger();
        QCOMPARE(window.mdiArea()->activeSubWindow(), first);
    }

    void missingCalculatorIsReportedOnce()
    {
        RecordingMessages messages;
        MainWindow window;
        window.load();
        window.setCalculatorPath(m_dir.filePath(QStringLiteral("calc")));
        findAction(window, "mnutrevcalc")->trigger();
        QCOMPARE(messages.shown,
                 QStringList{"critical: Error: Cannot find Trevolin Calculator. Please reinstall Trevolin."});
        QVERIFY(!findAction(window, "mnutrevcalc")->isEnabled());
    }

    void generalOptionsOpenModallyFromTheShortcut()
    {
        MainWindow window;
        window.load();
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        bool seen = false;
        QTimer::singleShot(0, [&seen, &window] {
            auto *dialog = qobject_cast<OptionsDialog *>(QApplication::activeModalWidget());
            if (dialog) {
                seen = dialog->parentWidget() == &window && dialog->isModal();
                dialog->reject();
            }
        });
        QTest::keyClick(&window, Qt::Key_F8);
        QVERIFY(seen);
    }

    void printItemAnswersItsShortcut()
    {
        MainWindow window;
        window.load();
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        int triggered = 0;
        connect(findAction(window, "mnuprintgraph"), &QAction::triggered, [&triggered] { ++triggered; });
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(triggered, 1);
    }

    void exitClosesTheChildrenAndTheWindow()
    {
        MainWindow window;
        window.load();
        window.show();
        auto *child = new QLabel(QStringLiteral("child"));
        child->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<QLabel> watch(child);
        window.mdiArea()->addSubWindow(child)->show();
        findAction(window, "mnuexit")->trigger();
        QVERIFY(!window.isVisible());
        QVERIFY(window.mdiArea()->subWindowList().isEmpty());
        QTRY_VERIFY(watch.isNull());
    }

    void openProjectWindowShowsTheProject()
    {
        MainWindow window;
        window.load();
        window.show();
        GraphWindow *graph = window.openProjectWindow(makeProject(QStringLiteral("x^2-2")));
        QCOMPARE(frameOf(graph)->windowTitle(), QStringLiteral("x^2-2 = 0"));
        QCOMPARE(window.activeGraphWindow(), graph);
        QVERIFY(findAction(window, "mnugraph")->isEnabled());
        // It fits the main window's area, and so does the next one, at the same size, one step
        // further; closed, they switch the project menus off.
        const QRect area = window.mdiArea()->viewport()->rect();
        QVERIFY(area.contains(frameOf(graph)->geometry()));
        GraphWindow *next = window.openProjectWindow(makeProject(QStringLiteral("x-1")));
        QVERIFY(area.contains(frameOf(next)->geometry()));
        QCOMPARE(frameOf(next)->size(), frameOf(graph)->size());
        QVERIFY(frameOf(next)->x() > frameOf(graph)->x());
        window.mdiArea()->closeAllSubWindows();
        QTRY_VERIFY(window.mdiArea()->subWindowList().isEmpty());
        QVERIFY(!findAction(window, "mnugraph")->isEnabled());
    }

    void cascadedChildGeometry_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QPoint>("previous");  // (-1, -1): no child before
        QTest::addColumn<QRect>("expected");
        const QPoint none(-1, -1);
        // A default size of 780 x 540 and a step of 24.
        QTest::newRow("first in the corner") << QSize(1000, 700) << none << QRect(0, 0, 780, 540);
        QTest::newRow("next one step further") << QSize(1000, 700) << QPoint(0, 0) << QRect(24, 24, 780, 540);
        QTest::newRow("would overhang: back to the corner") << QSize(1000, 700) << QPoint(200, 100) << QRect(0, 0, 780, 540);
        QTest::newRow("narrow area: shrunk to its width") << QSize(390, 700) << none << QRect(0, 0, 390, 270);
        QTest::newRow("low area: shrunk to its height") << QSize(1000, 270) << QPoint(0, 0) << QRect(0, 0, 390, 270);
        QTest::newRow("room for the shrunk size only") << QSize(400, 400) << QPoint(0, 0) << QRect(0, 0, 400, 276);
    }
    void cascadedChildGeometry()
    {
        QFETCH(QSize, area);
        QFETCH(QPoint, previous);
        QFETCH(QRect, expected);
        const std::optional<QPoint> before = previous.x() < 0 ? std::nullopt : std::optional<QPoint>(previous);
        QCOMPARE(CascadedChildGeometry(area, QSize(780, 540), before, 24), expected);
    }

    // Without desktop services (as offscreen, or with no file manager installed) the button says
    // where the folder is; either way the folder is made when it is missing.
    void folderButtonMakesTheFolder()
    {
        RecordingMessages messages;
        MainWindow window;
        window.load();
        const QString folder = m_dir.filePath(QStringLiteral("no documents yet/Trevolin Results"));
        programSettings().resultsFolder = folder;
        window.show();
        GraphWindow *graph = window.openProjectWindow(makeProject(QStringLiteral("x")));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_dir.path().toLocal8Bit());
        QTest::mouseClick(graph->folderButton(), Qt::LeftButton);
        qputenv("PATH", path);
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(messages.texts,
                 QStringList{"No file manager could be started. Your results are in this folder:\n" + folder});
    }

    void projectFilesFromTheCommandLine()
    {
        RecordingMessages messages;
        const QString good = m_dir.filePath(QStringLiteral("roots.tvp"));
        QFile file(good);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Trevolin]\nVersion=2.36.969\n[Function]\nName=x^3-x\n");
        file.close();
        const QString missing = m_dir.filePath(QStringLiteral("missing.tvp"));
        MainWindow window;
        window.load();
        window.show();
        // A file that is not there is passed over without a message.
        window.processCommandLine(good + QStringLiteral(" ") + missing);
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
        GraphWindow *graph = window.activeGraphWindow();
        QVERIFY(graph);
        QCOMPARE(graph->windowTitle(), good);
        QCOMPARE(graph->rootsList()->count(), 3);
    }

    void zoomItems_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("zoomIn");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("rootsLeft");
        QTest::newRow("in, X: only the width, roots emptied") << 0 << true << 10.0 << 20.0 << 0;
        QTest::newRow("in, Y: only the height, roots kept") << 1 << true << 20.0 << 10.0 << 2;
        QTest::newRow("in, X && Y: both") << 2 << true << 10.0 << 10.0 << 0;
        QTest::newRow("out, X") << 0 << false << 40.0 << 20.0 << 0;
        QTest::newRow("out, Y") << 1 << false << 20.0 << 40.0 << 2;
        QTest::newRow("out, X && Y") << 2 << false << 40.0 << 40.0 << 0;
    }

    void zoomItems()
    {
        QFETCH(int, entry);
        QFETCH(bool, zoomIn);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(int, rootsLeft);
        MainWindow window;
        window.load();
        window.show();
        GraphWindow *graph = window.openProjectWindow(makeProject(QStringLiteral("x^2-2")));
        const MainMenus &m = window.menus();
        (zoomIn ? m.zoomInActions : m.zoomOutActions)[entry]->trigger();
        const FunctionProject &f = *graph->project();
        QCOMPARE(f.xMax() - f.xMin(), width);
        QCOMPARE(f.yMax() - f.yMin(), height);
        QCOMPARE(graph->rootsList()->count(), rootsLeft);
        QCOMPARE(findAction(window, "mnuroots")->text(),
                 rootsLeft ? QStringLiteral("&Save roots...") : QStringLiteral("&Find roots"));
    }

    void showGridKeepsTheRoots()
    {
        MainWindow window;
        window.load();
        window.show();
        GraphWindow *graph = window.openProjectWindow(makeProject(QStringLiteral("x^2-2")));
        graph->rootsList()->item(0)->setCheckState(Qt::Checked);
        QAction *grid = findAction(window, "mnushowgrid");
        QVERIFY(grid->isChecked());
        grid->trigger();
        QVERIFY(!graph->project()->showGrid());
        QVERIFY(!grid->isChecked());
        QCOMPARE(graph->rootsList()->count(), 2);
        QVERIFY(graph->pane().roots().isChecked(0));
        grid->trigger();
        QVERIFY(graph->project()->showGrid());
        QVERIFY(grid->isChecked());
        // A second window without grid: the check mark follows the active window.
        auto plain = makeProject(QStringLiteral("sin(x)"));
        plain->setShowGrid(false);
        window.openProjectWindow(std::move(plain));
        QVERIFY(!grid->isChecked());
        window.mdiArea()->setActiveSubWindow(frameOf(graph));
        QVERIFY(grid->isChecked());
    }

    void rootsItems()
    {
        MainWindow window;
        window.load();
        window.show();
        GraphWindow *graph = window.openProjectWindow(makeProject(QStringLiteral("x^2-2")));
        QAction *roots = findAction(window, "mnuroots");
        QCOMPARE(roots->text(), QStringLiteral("&Save roots..."));
        QTest::keyClick(graph->view(), Qt::Key_6, Qt::KeypadModifier);
        QCOMPARE(roots->text(), QStringLiteral("&Find roots"));
        roots->trigger();
        QCOMPARE(graph->rootsList()->count(), 2);
        QCOMPARE(roots->text(), QStringLiteral("&Save roots..."));
        // Saving asks for the report's file; a cancelled save keeps the list as it is.
        CancelledSaves saves;
        roots->trigger();
        QCOMPARE(saves.asked, 1);
        QCOMPARE(graph->rootsList()->count(), 2);
        // The save menu's roots item finds them first when none are listed, then saves.
        QTest::keyClick(graph->view(), Qt::Key_4, Qt::KeypadModifier);
        findAction(window, "mnupopsaveroots")->trigger();
        QCOMPARE(graph->rootsList()->count(), 2);
        QCOMPARE(saves.asked, 2);
    }

    void wheelNotchAndTheRootsList_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<int>("rootsLeft");
        QTest::newRow("found again, the checked one kept checked") << true << 2;
        QTest::newRow("option off: emptied, the button asked for") << false << 0;
    }

    void f1OpensTheHelp()
    {
        MainWindow window;
        window.load();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.openProjectWindow(makeProject(QStringLiteral("x^2-2")));
        QTest::keyClick(window.windowHandle(), Qt::Key_F1);
        QTRY_COMPARE(window.findChildren<HelpWindow *>().size(), 1);
    }

    void wheelNotchAndTheRootsList()
    {
        QFETCH(bool, automatic);
        QFETCH(int, rootsLeft);
        WriteSetting(QStringLiteral("Settings"), QStringLiteral("FindRootsAutomatically"),
                     automatic ? QStringLiteral("1") : QStringLiteral("0"));
        MainWindow window;
        window.load();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        GraphWindow *graph = window.openProjectWindow(makeProject(QStringLiteral("x^2-2")));
        graph->rootsList()->item(1)->setCheckState(Qt::Checked);
        const double widthBefore = graph->project()->xMax() - graph->project()->xMin();
        wheelNotchOnGraph(window, graph);
        QVERIFY(graph->project()->xMax() - graph->project()->xMin() < widthBefore);
        QCOMPARE(graph->rootsList()->count(), rootsLeft);
        if (automatic) {
            QVERIFY(!graph->pane().roots().isChecked(0));
            QVERIFY(graph->pane().roots().isChecked(1));
        } else {
            QVERIFY(graph->resultLabel()->text().startsWith(QStringLiteral("Click the button above")));
        }
    }

    // Views: 0 as opened, 1 after a keypad zoom, 2 after a wheel notch.
    void altLeftAndAltRightStepThroughTheViews_data()
    {
        QTest::addColumn<int>("backs");
        QTest::addColumn<int>("forwards");
        QTest::addColumn<int>("expected");
        QTest::newRow("one back: the first zoom") << 1 << 0 << 1;
        QTest::newRow("two back: the opening view, exactly") << 2 << 0 << 0;
        QTest::newRow("back stops at the opening view") << 3 << 0 << 0;
        QTest::newRow("two back, one forward") << 2 << 1 << 1;
        QTest::newRow("forward stops at the newest view") << 1 << 3 << 2;
    }

    void altLeftAndAltRightStepThroughTheViews()
    {
        QFETCH(int, backs);
        QFETCH(int, forwards);
        QFETCH(int, expected);
        MainWindow window;
        window.load();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // An interval whose ends the zooms cannot give back exactly by zooming out again.
        GraphWindow *graph = window.openProjectWindow(makeProject(QStringLiteral("sin(x)"), -2.3, 7.1));
        graph->view()->setFocus();
        const FunctionProject &f = *graph->project();
        QVector<QVector<double>> views{{f.xMin(), f.xMax(), f.yMin(), f.yMax()}};
        QTest::keyClick(window.windowHandle(), Qt::Key_Plus, Qt::KeypadModifier);
        views.append({f.xMin(), f.xMax(), f.yMin(), f.yMax()});
        wheelNotchOnGraph(window, graph);
        views.append({f.xMin(), f.xMax(), f.yMin(), f.yMax()});
        QVERIFY(views.at(1) != views.at(0) && views.at(2) != views.at(1));
        for (int i = 0; i < backs; ++i)
            QTest::keyClick(window.windowHandle(), Qt::Key_Left, Qt::AltModifier);
        for (int i = 0; i < forwards; ++i)
            QTest::keyClick(window.windowHandle(), Qt::Key_Right, Qt::AltModifier);
        // Exact: the history gives back the numbers it stored.
        QVERIFY(QVector<double>({f.xMin(), f.xMax(), f.yMin(), f.yMax()}) == views.at(expected));
    }

    void engineCommandsWaitForARunningScan()
    {
        MainWindow window;
        window.load();
        window.show();
        GraphWindow *graph = window.openProjectWindow(makeProject(QStringLiteral("sin(x)")));
        QTest::keyClick(graph->view(), Qt::Key_6, Qt::KeypadModifier);
        graph->setRootScanTiming(0, 0);
        findAction(window, "mnuroots")->trigger();
        QVERIFY(graph->isBusy());
        for (const char *name : {"mnucalc", "mnugraph", "mnuroots", "mnuoptions", "mnumax", "mnuzoominpro(2)", "mnueval"})
            QVERIFY2(!findAction(window, name)->isEnabled(), name);
        // F11 does nothing meanwhile; Esc stops the scan and everything is back.
        QTest::keyClick(graph->view(), Qt::Key_F11);
        QVERIFY(graph->isVisible());
        QTest::keyClick(graph->view(), Qt::Key_Escape);
        QVERIFY(!graph->isBusy());
        for (const char *name : {"mnucalc", "mnugraph", "mnuroots", "mnuoptions", "mnumax", "mnuzoominpro(2)", "mnueval"})
            QVERIFY2(findAction(window, name)->isEnabled(), name);
        QCOMPARE(findAction(window, "mnuroots")->text(), QStringLiteral("&Find roots"));
    }

    void selectMenu_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("expected");  // check marks after the item, from "+-+"
        QTest::newRow("select all") << "mnuselectall" << "+++";
        QTest::newRow("select none") << "mnuselectnone" << "---";
        QTest::newRow("invert") << "mnuselectinvert" << "-+-";
    }

    void selectMenu()
    {
        QFETCH(QString, item);
        QFETCH(QString, expected);
        MainWindow window;
        window.load();
        window.show();
        GraphWindow *graph = window.openProjectWindow(makeProject(QStringLiteral("x^3-x"), -2, 2));
        QCOMPARE(graph->rootsList()->count(), 3);
        graph->rootsList()->item(0)->setCheckState(Qt::Checked);
        graph->rootsList()->item(2)->setCheckState(Qt::Checked);
        findAction(window, item)->trigger();
        QString marks;
        for (int i = 0; i < 3; ++i) {
            const bool checked = graph->rootsList()->item(i)->checkState() == Qt::Checked;
            QCOMPARE(graph->pane().roots().isChecked(i), checked);
            marks += checked ? QLatin1Char('+') : QLatin1Char('-');
        }
        QCOMPARE(marks, expected);
    }

    void updateCheckAddressCarriesTheVersion()
    {
        QVERIFY(WebAddresses::updateCheck().endsWith(QStringLiteral("check.php?clientversion=2.36.969")));
    }
};

TREV_TEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
