// The full-screen window as the main window's Maximize item drives it: taking over a graph
// window's project under its caption, handing over between graph windows, the menus while it is
// active, zoom and pan in full screen, the ways back, and closing the program with it open.
#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "ProjectTestSupport.h"
#include "shell/MainMenus.h"
#include "shell/MainWindow.h"
#include "TestEnvironment.h"
#include "windows/FullScreenGraph.h"
#include "windows/GraphView.h"
#include "windows/GraphWindow.h"

#include <QAction>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>

using namespace ProjectTestSupport;

namespace {

// A graph window's MDI frame; the full-screen window is a window of its own.
QWidget *frameOf(QWidget *window)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget()))
        return frame;
    return window;
}

} // namespace

class TestFullScreenGraph : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> m_main;

    GraphWindow *openWindow(const QString &expression)
    {
        GraphWindow *window = m_main->openProjectWindow(makeProject(expression, -10, 10));
        m_main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(frameOf(window)));
        return window;
    }

    // The user goes back to the main window and picks a child there.
    void activate(QWidget *window)
    {
        m_main->activateWindow();
        QTRY_COMPARE(QGuiApplication::focusWindow(), m_main->windowHandle());
        m_main->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(frameOf(window)));
    }

    MainMenus &menus() { return m_main->menus(); }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QString why;
        QVERIFY2(engineReady(&why), qPrintable(why));
    }

    void init()
    {
        programSettings() = ProgramSettings();
        m_main = std::make_unique<MainWindow>();
        m_main->load();
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }

    void cleanup() { m_main.reset(); }

    void maximizeAndBack()
    {
        GraphWindow *window = openWindow(QStringLiteral("x^2-2"));
        menus().maximizeAction->trigger();
        FullScreenGraph *fullScreen = m_main->fullScreenGraph();
        QVERIFY(fullScreen->isOpen());
        QCOMPARE(fullScreen->project(), window->project());
        QVERIFY(frameOf(window)->isHidden());
        QVERIFY(frameOf(fullScreen)->isVisible());
        QVERIFY(fullScreen->isFullScreen());
        QCOMPARE(fullScreen->windowTitle(), QStringLiteral("x^2-2 = 0"));
        QCOMPARE(m_main->activeProjectWindow(), fullScreen);
        QCOMPARE(menus().maximizeAction->text(), QStringLiteral("Back to normal mode"));
        QVERIFY(!menus().rootsAction->isEnabled());
        QVERIFY(menus().graphMenu->menuAction()->isEnabled());
        // The Window menu does not list the hidden graph window.
        emit menus().windowMenu->aboutToShow();
        QCOMPARE(menus().windowMenu->actions().size(), 1);  // Cascade

        menus().maximizeAction->trigger();
        QVERIFY(!fullScreen->isOpen());
        QVERIFY(frameOf(fullScreen)->isHidden());
        QVERIFY(frameOf(window)->isVisible());
        QCOMPARE(m_main->activeProjectWindow(), window);
        QCOMPARE(fullScreen->windowTitle(), QString());
        QCOMPARE(window->windowTitle(), QStringLiteral("x^2-2 = 0"));
        QCOMPARE(menus().maximizeAction->text(), QStringLiteral("Maximize"));
        QVERIFY(menus().rootsAction->isEnabled());
        // The same window object serves every use.
        menus().maximizeAction->trigger();
        QCOMPARE(m_main->fullScreenGraph(), fullScreen);
        QVERIFY(fullScreen->isOpen());
    }

    void maximizeSecondWhileFirstIsFullScreen()
    {
        GraphWindow *first = openWindow(QStringLiteral("x^2-2"));
        GraphWindow *second = openWindow(QStringLiteral("sin(x)"));
        activate(first);
        menus().maximizeAction->trigger();
        FullScreenGraph *fullScreen = m_main->fullScreenGraph();
        QCOMPARE(fullScreen->project(), first->project());
        QTRY_COMPARE(QGuiApplication::focusWindow(), fullScreen->windowHandle());
        // The user goes back to the main window: its second window is maximized in its turn.
        activate(second);
        QCOMPARE(menus().maximizeAction->text(), QStringLiteral("Maximize"));
        menus().maximizeAction->trigger();
        QVERIFY(frameOf(first)->isVisible());
        QVERIFY(frameOf(second)->isHidden());
        QCOMPARE(fullScreen->project(), second->project());
        QCOMPARE(fullScreen->replacedWindow(), second);
        QCOMPARE(fullScreen->windowTitle(), QStringLiteral("sin(x) = 0"));
        QCOMPARE(m_main->activeProjectWindow(), fullScreen);
        // Back: the second window returns, the first stays.
        QTest::keyClick(fullScreen->view(), Qt::Key_Escape);
        QVERIFY(frameOf(first)->isVisible());
        QVERIFY(frameOf(second)->isVisible());
        QVERIFY(!fullScreen->isOpen());
        QCOMPARE(m_main->activeProjectWindow(), second);
    }

    void zoomInFullScreenThenClose_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Esc") << "esc";
        QTest::newRow("F11 in the window") << "f11";
        QTest::newRow("the Graph menu's Back to normal mode") << "menu";
        QTest::newRow("the window's close button") << "close";
    }

    void zoomInFullScreenThenClose()
    {
        QFETCH(QString, way);
        GraphWindow *window = openWindow(QStringLiteral("x^2-2"));
        window->rootsList()->item(1)->setCheckState(Qt::Checked);
        menus().maximizeAction->trigger();
        FullScreenGraph *fullScreen = m_main->fullScreenGraph();
        QTest::keyClick(fullScreen->view(), Qt::Key_Plus, Qt::KeypadModifier);
        // The project itself changed; the hidden graph window has not drawn it yet.
        QCOMPARE(window->project()->xMin(), -5.0);
        QCOMPARE(fullScreen->pane().surface().scaleLeft(), -6.0);
        QCOMPARE(window->pane().surface().scaleLeft(), -12.0);

        if (way == QLatin1String("esc"))
            QTest::keyClick(fullScreen->view(), Qt::Key_Escape);
        else if (way == QLatin1String("f11"))
            QTest::keyClick(fullScreen->view(), Qt::Key_F11);
        else if (way == QLatin1String("menu"))
            menus().maximizeAction->trigger();
        else
            frameOf(fullScreen)->close();

        QVERIFY(!fullScreen->isOpen());
        QVERIFY(frameOf(window)->isVisible());
        QVERIFY(frameOf(fullScreen)->isHidden());
        // The graph window shows the new view and keeps its roots and check marks, although
        // the interval has changed.
        QCOMPARE(window->pane().surface().scaleLeft(), -6.0);
        QCOMPARE(window->rootsList()->count(), 2);
        QCOMPARE(window->rootsList()->item(1)->checkState(), Qt::Checked);
        QCOMPARE(window->rootsButton()->text(), QStringLiteral("&Save roots"));
        QCOMPARE(m_main->mdiArea()->subWindowList().size(), 1);   // the full-screen window is none
    }

    void panInFullScreen()
    {
        GraphWindow *window = openWindow(QStringLiteral("x^2-2"));
        menus().maximizeAction->trigger();
        FullScreenGraph *fullScreen = m_main->fullScreenGraph();
        GraphView *view = fullScreen->view();
        const QPoint rightMargin = fullScreen->pane().surface().toPixel(10.5, 0).toPoint();
        QTest::mouseClick(view, Qt::LeftButton, {}, rightMargin);
        QCOMPARE(window->project()->xMin(), -8.0);
        QCOMPARE(fullScreen->pane().surface().scaleLeft(), -10.0);
        // Only the full-screen graph is redrawn: the roots wait in the hidden window.
        QCOMPARE(window->rootsList()->count(), 2);
        // The Graph menu's zoom and grid items act on the full-screen window's project.
        menus().zoomOutActions[1]->trigger();
        QCOMPARE(window->project()->yMax() - window->project()->yMin(), 40.0);
        const bool grid = window->project()->showGrid();
        menus().showGridAction->trigger();
        QCOMPARE(window->project()->showGrid(), !grid);
        QCOMPARE(menus().showGridAction->isChecked(), !grid);
    }

    void closingTheProgramInFullScreenReleasesEverything()
    {
        const int before = Expression::liveCount();
        openWindow(QStringLiteral("x^2-2"));
        openWindow(QStringLiteral("sin(x)"));
        menus().maximizeAction->trigger();
        QCOMPARE(Expression::liveCount(), before + 6);
        QPointer<FullScreenGraph> fullScreen = m_main->fullScreenGraph();
        menus().exitAction->trigger();
        QTRY_COMPARE(Expression::liveCount(), before);
        QTRY_VERIFY(fullScreen.isNull());
        QVERIFY(m_main->mdiArea()->subWindowList().isEmpty());
    }

    void f11CoversTheScreen()
    {
        openWindow(QStringLiteral("x^2-2"));
        m_main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
        QTest::keyClick(m_main->windowHandle(), Qt::Key_F11);
        FullScreenGraph *fullScreen = m_main->fullScreenGraph();
        QVERIFY(fullScreen->isOpen());
        QVERIFY(fullScreen->isWindow());
        QTRY_COMPARE(QGuiApplication::focusWindow(), fullScreen->windowHandle());
        QCOMPARE(fullScreen->frameGeometry(), fullScreen->screen()->geometry());
        QTest::keyClick(fullScreen->windowHandle(), Qt::Key_F11);
        QVERIFY(!fullScreen->isOpen());
        QVERIFY(fullScreen->isHidden());
    }

    void fitVerticalRange_data()
    {
        QTest::addColumn<bool>("fullScreen");
        QTest::newRow("graph window") << false;
        QTest::newRow("full screen, the shortcut lent to it") << true;
    }

    void fitVerticalRange()
    {
        QFETCH(bool, fullScreen);
        GraphWindow *window = m_main->openProjectWindow(makeProject(QStringLiteral("x^3-2*x-5"), -3, 3));
        FunctionProject *project = window->project();
        project->setYMin(-3);
        project->setYMax(3);
        QWidget *target = m_main.get();
        if (fullScreen) {
            menus().maximizeAction->trigger();
            target = m_main->fullScreenGraph();
        }
        target->activateWindow();
        QTRY_COMPARE(QGuiApplication::focusWindow(), target->windowHandle());
        QTest::keyClick(target->windowHandle(), Qt::Key_0, Qt::ControlModifier);
        // f(-3) = -26 and f(3) = 16: the central part of that range shows, the ends may be
        // cut off by the percentiles; the padding keeps the view within half again as much.
        QVERIFY2(project->yMin() < -20 && project->yMin() > -40, qPrintable(QString::number(project->yMin())));
        QVERIFY2(project->yMax() > 10 && project->yMax() < 30, qPrintable(QString::number(project->yMax())));
        QCOMPARE(project->xMin(), -3.0);
        QCOMPARE(project->xMax(), 3.0);
    }

    void closingTheHiddenWindowEndsFullScreen()
    {
        const int before = Expression::liveCount();
        GraphWindow *window = openWindow(QStringLiteral("x^2-2"));
        menus().maximizeAction->trigger();
        FullScreenGraph *fullScreen = m_main->fullScreenGraph();
        frameOf(window)->close();
        QTRY_COMPARE(Expression::liveCount(), before);
        QVERIFY(!fullScreen->isOpen());
        QCOMPARE(fullScreen->project(), nullptr);
        QVERIFY(frameOf(fullScreen)->isHidden());
    }
};

TREV_TEST_MAIN(TestFullScreenGraph)
#include "tst_fullscreengraph.moc"
