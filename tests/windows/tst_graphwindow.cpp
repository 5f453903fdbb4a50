// The graph window driven as a user drives it: the keypad, the margins, the wheel, dragging,
// the parameters box, the sliced root scan with Esc, the pop-up menus, the settings button, the
// readouts, the pan arrows, and the three expressions released once when the window closes.
#include "core/ProgramSettings.h"
#include "dialogs/GraphSettingsDialog.h"
#include "graph/GraphRenderer.h"
#include "ProjectTestSupport.h"
#include "TestEnvironment.h"
#include "windows/DirectionCursors.h"
#include "windows/GraphView.h"
#include "windows/GraphWindow.h"
#include "windows/ParameterSliders.h"
#include "windows/SlicedRootScan.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSignalSpy>
#include <QTimer>
#include <QWheelEvent>

using namespace ProjectTestSupport;

namespace {

// A view whose width and height are multiples of 12: the view rectangle then starts and ends on
// whole pixels (the margins are a tenth of each range, the surface 12 tenths).
const QSize ViewSize(480, 360);

// The view [xMin, xMax] x [yMin, yMax] of a project.
struct View {
    double xMin, xMax, yMin, yMax;
};

View viewOf(const FunctionProject &f) { return {f.xMin(), f.xMax(), f.yMin(), f.yMax()}; }

bool sameView(const View &a, const View &b, double tolerance)
{
    return std::fabs(a.xMin - b.xMin) <= tolerance && std::fabs(a.xMax - b.xMax) <= tolerance
        && std::fabs(a.yMin - b.yMin) <= tolerance && std::fabs(a.yMax - b.yMax) <= tolerance;
}

QString describe(const View &v)
{
    return QStringLiteral("[%1, %2] x [%3, %4]").arg(v.xMin, 0, 'g', 17).arg(v.xMax, 0, 'g', 17).arg(v.yMin, 0, 'g', 17).arg(v.yMax, 0, 'g', 17);
}

} // namespace

Q_DECLARE_METATYPE(View)

class TestGraphWindow : public QObject {
    Q_OBJECT

    QMenu m_graphMenu, m_zoomInMenu, m_zoomOutMenu, m_saveMenu, m_selectMenu;
    QPointer<GraphWindow> m_window;

    // A shown and loaded window for the expression on [a, b] x [yMin, yMax], with the view at
    // ViewSize.
    GraphWindow *open(const QString &expression, const View &view, const QString &parameters = QString(),
                      qint32 steps = 0)
    {
        std::unique_ptr<FunctionProject> project = makeProject(expression, view.xMin, view.xMax, parameters, steps);
        if (!project)
            return nullptr;
        project->setYMin(view.yMin);
        project->setYMax(view.yMax);
        GraphWindowMenus menus{&m_graphMenu, &m_zoomInMenu, &m_zoomOutMenu, &m_saveMenu, &m_selectMenu};
        m_window = new GraphWindow(std::move(project), menus);
        m_window->view()->setFixedSize(ViewSize);
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window))
            return nullptr;
        m_window->load();
        return m_window;
    }

    static QPoint pixelOf(GraphWindow *window, double x, double y)
    {
        return window->pane().surface().toPixel(x, y).toPoint();
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QString why;
        QVERIFY2(engineReady(&why), qPrintable(why));
    }

    // The rows below hold for the button-driven roots list; rows that want the automatic
    // scan turn it on.
    void init() { programSettings().findRootsAutomatically = false; }

    void cleanup()
    {
        delete m_window;
        programSettings() = ProgramSettings();
        for (QMenu *menu : {&m_graphMenu, &m_zoomInMenu, &m_zoomOutMenu, &m_saveMenu, &m_selectMenu})
            menu->hide();
    }

    void loading()
    {
        GraphWindow *window = open(QStringLiteral("x^2-2"), {-10, 10, -10, 10});
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("x^2-2 = 0"));
        QVERIFY(window->parametersBox()->isHidden());
        QCOMPARE(window->rootsList()->count(), 2);
        QCOMPARE(window->rootsList()->item(0)->text(), QStringLiteral("-1.41421356"));
        QCOMPARE(window->resultLabel()->text(), QStringLiteral("2 roots found. Select one to locate it on the graph."));
        QCOMPARE(window->rootsButton()->text(), QStringLiteral("&Save roots"));
        QCOMPARE(window->xReadout()->text(), QString());
        QCOMPARE(window->valueReadout()->text(), QString());
        QCOMPARE(window->derivativeReadout()->text(), QString());
        QVERIFY(!window->isBusy());
        QVERIFY(window->scanProgress()->isHidden());
        // The graph is drawn at the widget's size and the screen's pixel ratio.
        QCOMPARE(window->pane().surface().size(), ViewSize);
        QCOMPARE(window->pane().surface().devicePixelRatio(), window->view()->devicePixelRatioF());
    }

    void keypad_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("toRootsList");
        QTest::addColumn<View>("expected");
        QTest::addColumn<int>("rootsLeft");
        const int pad = Qt::KeypadModifier;
        QTest::newRow("keypad 8: up a tenth, roots kept") << int(Qt::Key_8) << pad << false << View{-10, 10, -8, 12} << 2;
        QTest::newRow("keypad 2 reaches the window before the list") << int(Qt::Key_2) << pad << true << View{-10, 10, -12, 8} << 2;
        QTest::newRow("keypad 6: right, roots emptied") << int(Qt::Key_6) << pad << false << View{-8, 12, -10, 10} << 0;
        QTest::newRow("keypad 7: left and up") << int(Qt::Key_7) << pad << true << View{-12, 8, -8, 12} << 0;
        QTest::newRow("keypad 3: right and down") << int(Qt::Key_3) << pad << false << View{-8, 12, -12, 8} << 0;
        QTest::newRow("keypad 8 with Num Lock off") << int(Qt::Key_Up) << pad << false << View{-10, 10, -8, 12} << 2;
        QTest::newRow("keypad +: both axes") << int(Qt::Key_Plus) << pad << false << View{-5, 5, -5, 5} << 0;
        QTest::newRow("Shift+keypad +: only x, roots emptied") << int(Qt::Key_Plus) << int(pad | Qt::ShiftModifier) << false << View{-5, 5, -10, 10} << 0;
        QTest::newRow("Ctrl+keypad +: only y, roots kept") << int(Qt::Key_Plus) << int(pad | Qt::ControlModifier) << true << View{-10, 10, -5, 5} << 2;
        QTest::newRow("Ctrl+Shift+keypad +: both") << int(Qt::Key_Plus) << int(pad | Qt::ShiftModifier | Qt::ControlModifier) << false << View{-5, 5, -5, 5} << 0;
        QTest::newRow("Ctrl+keypad -: only y out") << int(Qt::Key_Minus) << int(pad | Qt::ControlModifier) << false << View{-10, 10, -20, 20} << 2;
        QTest::newRow("keypad 5 does nothing") << int(Qt::Key_5) << pad << false << View{-10, 10, -10, 10} << 2;
        QTest::newRow("the 8 of the main keys does nothing") << int(Qt::Key_8) << 0 << false << View{-10, 10, -10, 10} << 2;
        QTest::newRow("P empties the roots list") << int(Qt::Key_P) << 0 << false << View{-10, 10, -10, 10} << 0;
    }

    void keypad()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, toRootsList);
        QFETCH(View, expected);
        QFETCH(int, rootsLeft);
        GraphWindow *window = open(QStringLiteral("x^2-2"), {-10, 10, -10, 10});
        QVERIFY(window);
        QWidget *target = toRootsList ? static_cast<QWidget *>(window->rootsList()) : window->view();
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        const View now = viewOf(*window->project());
        QVERIFY2(sameView(now, expected, 1e-12), qPrintable(describe(now)));
        QCOMPARE(window->rootsList()->count(), rootsLeft);
        // The picture shows the new view.
        QCOMPARE(window->pane().surface().scaleLeft(), now.xMin - 0.1 * (now.xMax - now.xMin));
    }

    void zoomLimits_data()
    {
        QTest::addColumn<View>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<View>("expected");
        QTest::addColumn<int>("rootsLeft");
        const int in = Qt::Key_Plus, out = Qt::Key_Minus;
        // f(x) = x - 0.001 has its root in every interval. [0, 0.002] is exactly twice the
        // double 0.001, so halving it gives MinLen itself.
        QTest::newRow("width 8000 out: x refused (16000 > MaxLen), y zooms, roots kept")
            << View{-3999, 4001, -10, 10} << out << View{-3999, 4001, -20, 20} << 1;
        QTest::newRow("height 8000 out: y refused, x zooms")
            << View{-9, 11, -4000, 4000} << out << View{-19, 21, -4000, 4000} << 0;
        QTest::newRow("width 0.0015 in: x refused (0.00075 < MinLen), y zooms")
            << View{0.00025, 0.00175, -1, 1} << in << View{0.00025, 0.00175, -0.5, 0.5} << 1;
        QTest::newRow("width 0.002 in: exactly MinLen is allowed")
            << View{0, 0.002, -1, 1} << in << View{0.0005, 0.0015, -0.5, 0.5} << 0;
        QTest::newRow("both refused: nothing changes")
            << View{-3999, 4001, -4000, 4000} << out << View{-3999, 4001, -4000, 4000} << 1;
    }

    void zoomLimits()
    {
        QFETCH(View, start);
        QFETCH(int, key);
        QFETCH(View, expected);
        QFETCH(int, rootsLeft);
        GraphWindow *window = open(QStringLiteral("x-0.001"), start);
        QVERIFY(window);
        QCOMPARE(window->rootsList()->count(), 1);
        QTest::keyClick(window->view(), Qt::Key(key), Qt::KeypadModifier);
        const View now = viewOf(*window->project());
        // The refused axes keep their exact values; 1e-12 covers the rounding of a halving.
        QVERIFY2(sameView(now, expected, 1e-12), qPrintable(describe(now)));
        QCOMPARE(window->rootsList()->count(), rootsLeft);
    }

    void marginRelease_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("button");
        QTest::addColumn<View>("expected");
        QTest::addColumn<int>("rootsLeft");
        // View [-10, 10] x [-10, 10] on 480 x 360: x = a at pixel 40, x = b at 440; y = ymax at
        // 30, y = ymin at 330.
        const int left = Qt::LeftButton, right = Qt::RightButton;
        QTest::newRow("exactly on x = b: right margin") << QPoint(440, 180) << left << View{-8, 12, -10, 10} << 0;
        QTest::newRow("exactly on x = a: left margin") << QPoint(40, 180) << left << View{-12, 8, -10, 10} << 0;
        QTest::newRow("one pixel inside b: a plain click does nothing") << QPoint(439, 180) << left << View{-10, 10, -10, 10} << 2;
        QTest::newRow("on y = ymax: up, roots kept") << QPoint(240, 30) << left << View{-10, 10, -8, 12} << 2;
        QTest::newRow("right button in the bottom margin pans too") << QPoint(240, 350) << right << View{-10, 10, -12, 8} << 2;
        QTest::newRow("corner: right and up") << QPoint(470, 5) << left << View{-8, 12, -8, 12} << 0;
    }

    void marginRelease()
    {
        QFETCH(QPoint, at);
        QFETCH(int, button);
        QFETCH(View, expected);
        QFETCH(int, rootsLeft);
        GraphWindow *window = open(QStringLiteral("x^2-2"), {-10, 10, -10, 10});
        QVERIFY(window);
        QCOMPARE(window->view()->size(), ViewSize);
        QTest::mouseClick(window->view(), Qt::MouseButton(button), {}, at);
        QVERIFY2(sameView(viewOf(*window->project()), expected, 1e-12), qPrintable(describe(viewOf(*window->project()))));
        QCOMPARE(window->rootsList()->count(), rootsLeft);
        QVERIFY(!m_graphMenu.isVisible());
    }

    void rightButtonMenus_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("menu");
        QTest::newRow("inside the graph: Graph menu") << "graph" << "graph";
        QTest::newRow("zoom-in button: zoom-in menu") << "zoomIn" << "zoomIn";
        QTest::newRow("zoom-out button: zoom-out menu") << "zoomOut" << "zoomOut";
        QTest::newRow("save button: save menu") << "save" << "save";
        QTest::newRow("roots list: select menu") << "roots" << "select";
    }

    void rightButtonMenus()
    {
        QFETCH(QString, target);
        QFETCH(QString, menu);
        GraphWindow *window = open(QStringLiteral("x^2-2"), {-10, 10, -10, 10});
        QVERIFY(window);
        const QHash<QString, QWidget *> targets{{"graph", window->view()},
                                                {"zoomIn", window->zoomInButton()},
                                                {"zoomOut", window->zoomOutButton()},
                                                {"save", window->saveButton()},
                                                {"roots", window->rootsList()->viewport()}};
        const QHash<QString, QMenu *> menus{{"graph", &m_graphMenu}, {"zoomIn", &m_zoomInMenu},
                                            {"zoomOut", &m_zoomOutMenu}, {"save", &m_saveMenu},
                                            {"select", &m_selectMenu}};
        // An empty menu does not show.
        for (QMenu *each : menus)
            if (each->isEmpty())
                each->addAction(QStringLiteral("entry"));
        const View before = viewOf(*window->project());
        // The graph's centre lies inside the view; a release in a margin would pan instead.
        const QPoint at = target == QLatin1String("graph") ? QPoint(240, 180) : QPoint(10, 10);
        QTest::mouseClick(targets.value(target), Qt::RightButton, {}, at);
        QTRY_VERIFY(menus.value(menu)->isVisible());
        for (QMenu *other : menus)
            QCOMPARE(other->isVisible(), other == menus.value(menu));
        QVERIFY(sameView(viewOf(*window->project()), before, 0));
    }

    void wheelKeepsThePointUnderThePointer_data()
    {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<View>("start");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("rootsLeft");
        QTest::newRow("one notch away: both halve") << 120 << 0 << View{-10, 10, -10, 10} << 10.0 << 10.0 << 0;
        QTest::newRow("one notch towards: both double") << -120 << 0 << View{-10, 10, -10, 10} << 40.0 << 40.0 << 0;
        QTest::newRow("two notches in one turn") << 240 << 0 << View{-10, 10, -10, 10} << 5.0 << 5.0 << 0;
        QTest::newRow("half a notch: nothing yet") << 60 << 0 << View{-10, 10, -10, 10} << 20.0 << 20.0 << 2;
        QTest::newRow("Shift: only x") << 120 << int(Qt::ShiftModifier) << View{-10, 10, -10, 10} << 10.0 << 20.0 << 0;
        QTest::newRow("Ctrl: only y, roots kept") << 120 << int(Qt::ControlModifier) << View{-10, 10, -10, 10} << 20.0 << 10.0 << 2;
        QTest::newRow("out at MaxLen: x refused, roots kept") << -120 << 0 << View{-3999, 4001, -10, 10} << 8000.0 << 40.0 << 2;
    }

    void wheelKeepsThePointUnderThePointer()
    {
        QFETCH(int, angle);
        QFETCH(int, modifiers);
        QFETCH(View, start);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(int, rootsLeft);
        GraphWindow *window = open(QStringLiteral("(x-1.5)*(x+2)"), start);
        QVERIFY(window);
        QCOMPARE(window->rootsList()->count(), 2);
        GraphView *view = window->view();
        const QPointF at(137, 101);
        const GraphSurface &surface = window->pane().surface();
        const QPointF before(surface.worldX(at.x()), surface.worldY(at.y()));
        QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &wheel);
        const FunctionProject &f = *window->project();
        // Relative tolerance: a few ulps of the view's coordinates.
        QVERIFY(std::fabs((f.xMax() - f.xMin()) - width) <= 1e-12 * width);
        QVERIFY(std::fabs((f.yMax() - f.yMin()) - height) <= 1e-12 * height);
        const QPointF after(surface.worldX(at.x()), surface.worldY(at.y()));
        QVERIFY2(std::fabs(after.x() - before.x()) <= 1e-9 * width, qPrintable(QString::number(after.x() - before.x())));
        QVERIFY2(std::fabs(after.y() - before.y()) <= 1e-9 * height, qPrintable(QString::number(after.y() - before.y())));
        QCOMPARE(window->rootsList()->count(), rootsLeft);
    }

    void dragMovesTheViewByTheDraggedDistance_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<View>("expected");
        QTest::addColumn<int>("rootsLeft");
        // 480 x 360 pixels show 24 x 24 world units: 0.05 per pixel across, 1/15 down.
        QTest::newRow("right 60, down 30") << QPoint(100, 100) << QPoint(160, 130) << View{-13, 7, -8, 12} << 0;
        QTest::newRow("only down: roots kept") << QPoint(200, 100) << QPoint(200, 175) << View{-10, 10, -5, 15} << 2;
        QTest::newRow("ending in the right margin is no margin click") << QPoint(100, 180) << QPoint(460, 180)
                                                                        << View{-28, -8, -10, 10} << 0;
    }

    void dragMovesTheViewByTheDraggedDistance()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(View, expected);
        QFETCH(int, rootsLeft);
        GraphWindow *window = open(QStringLiteral("x^2-2"), {-10, 10, -10, 10});
        QVERIFY(window);
        GraphView *view = window->view();
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(view, from + (to - from) * step / 4);
        QVERIFY(view->isDragging());
        // While dragging the roots stay; the list is emptied when the drag ends.
        QCOMPARE(window->rootsList()->count(), 2);
        QTest::mouseRelease(view, Qt::LeftButton, {}, to);
        QVERIFY(!view->isDragging());
        // A drag of n pixels moves the view by n times the world size of a pixel; 1e-9 covers
        // the rounding of the pixel-to-world conversions.
        QVERIFY2(sameView(viewOf(*window->project()), expected, 1e-9), qPrintable(describe(viewOf(*window->project()))));
        QCOMPARE(window->rootsList()->count(), rootsLeft);
    }

    void typingParametersRedrawsAtEachKeystroke()
    {
        GraphWindow *window = open(QStringLiteral("x-a"), {-10, 10, -10, 10}, QStringLiteral("a=2"));
        QVERIFY(window);
        QLineEdit *box = window->parametersBox();
        QVERIFY(box->isVisible());
        // The engine's text of the values.
        QCOMPARE(box->text(), QStringLiteral("a=2; "));
        QCOMPARE(window->rootsList()->count(), 1);
        box->setFocus();
        box->selectAll();
        QSignalSpy redraws(window, &ProjectWindow::stateChanged);
        QTest::keyClicks(box, QStringLiteral("a=3"));
        // "a", "a=", "a=3": three non-empty texts, three redraws.
        QCOMPARE(redraws.count(), 3);
        QCOMPARE(window->rootsList()->count(), 0);
        QCOMPARE(window->resultLabel()->text(), QStringLiteral("Click the button above to find the roots of the changed function."));
        // The picture is the graph with a = 3, and the derivatives carry the value too.
        const auto expected = makeProject(QStringLiteral("x-a"), -10, 10, QStringLiteral("a=3"));
        GraphSurface fresh(ViewSize, window->pane().surface().devicePixelRatio());
        GraphRenderer::drawGraph(fresh, *expected);
        GraphSurface shown(ViewSize, window->pane().surface().devicePixelRatio());
        GraphRenderer::drawGraph(shown, *window->project());
        QCOMPARE(shown.image(), fresh.image());
        QCOMPARE(window->project()->fPrime().parameters(), expected->fPrime().parameters());
        // The slider follows the box within the range it had: a = 3 in [0, 4].
        QCOMPARE(window->parameterSliders()->slider(0)->value(), 750);
        // Keys typed into the box are the box's, keypad ones included.
        QTest::keyClick(box, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(box->text(), QStringLiteral("a=3+"));
        QVERIFY(sameView(viewOf(*window->project()), {-10, 10, -10, 10}, 0));
        // Emptying the box changes nothing.
        redraws.clear();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(redraws.count(), 0);
        // The roots button finds the root of x - 3.
        QTest::mouseClick(window->rootsButton(), Qt::LeftButton);
        QCOMPARE(window->rootsList()->count(), 1);
        QCOMPARE(window->rootsList()->item(0)->text(), QStringLiteral("3"));
    }

    void sliderDragRewritesTheParametersAndTheCurve_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<int>("row");
        QTest::addColumn<double>("toFraction");   // of the groove, where the drag ends
        QTest::addColumn<QString>("expectedText");
        // a = 2 gets [0, 4]; b = -3 gets [-6, 0]; the ends of the groove are the ends of the range.
        QTest::newRow("a to the high end") << "x-a" << "a=2" << 0 << 1.5 << "a=4; ";
        QTest::newRow("a to the low end") << "x-a" << "a=2" << 0 << -0.5 << "a=0; ";
        QTest::newRow("second of two, the first kept") << "a*x+b" << "a=1; b=-3" << 1 << 1.5 << "a=1; b=0; ";
    }

    void sliderDragRewritesTheParametersAndTheCurve()
    {
        QFETCH(QString, expression);
        QFETCH(QString, parameters);
        QFETCH(int, row);
        QFETCH(double, toFraction);
        QFETCH(QString, expectedText);
        GraphWindow *window = open(expression, {-10, 10, -10, 10}, parameters);
        QVERIFY(window);
        QSlider *slider = window->parameterSliders()->slider(row);
        QVERIFY(slider->isVisible());
        // The handle sits in the middle: the value is the middle of its default range.
        QCOMPARE(slider->value(), 500);
        QWindow *top = window->windowHandle();
        const QPoint from = slider->mapTo(window, slider->rect().center());
        const QPoint to = slider->mapTo(window, QPoint(int(toFraction * slider->width()), slider->height() / 2));
        QTest::mousePress(top, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(top, from + (to - from) * step / 4);
        QTest::mouseRelease(top, Qt::LeftButton, {}, to);
        QCOMPARE(window->parametersBox()->text(), expectedText);
        QCOMPARE(window->project()->f().parameters(), expectedText);
        // The picture is the graph with the new values.
        const auto expected = makeProject(expression, -10, 10, expectedText);
        GraphSurface fresh(ViewSize, window->pane().surface().devicePixelRatio());
        GraphRenderer::drawGraph(fresh, *expected);
        GraphSurface shown(ViewSize, window->pane().surface().devicePixelRatio());
        GraphRenderer::drawGraph(shown, *window->project());
        QCOMPARE(shown.image(), fresh.image());
    }

    void enterShowsTheValuesInForce()
    {
        GraphWindow *window = open(QStringLiteral("a*x+b"), {-10, 10, -10, 10}, QStringLiteral("a=1; b=2"));
        QVERIFY(window);
        QLineEdit *box = window->parametersBox();
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("  b = 4*2"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), window->project()->f().parameters());
        QVERIFY2(box->text().contains(QStringLiteral("a=1")) && box->text().contains(QStringLiteral("b=8")),
                 qPrintable(box->text()));
    }

    void escStopsALongScan()
    {
        GraphWindow *window = open(QStringLiteral("sin(x)"), {-10, 10, -10, 10});
        QVERIFY(window);
        QCOMPARE(window->rootsList()->count(), 7);
        QTest::keyClick(window->view(), Qt::Key_6, Qt::KeypadModifier);
        QCOMPARE(window->rootsList()->count(), 0);
        // Back to [-10, 10] without a scan, then a scan that goes on in one-sample slices.
        QTest::keyClick(window->view(), Qt::Key_4, Qt::KeypadModifier);
        window->setRootScanTiming(0, 0);
        QTest::mouseClick(window->rootsButton(), Qt::LeftButton);
        QVERIFY(window->isBusy());
        QVERIFY(window->scanProgress()->isVisible());
        QVERIFY(!window->parametersBox()->isEnabled() && !window->rootsButton()->isEnabled());
        // Meanwhile the view does not move.
        QTest::keyClick(window->view(), Qt::Key_6, Qt::KeypadModifier);
        QVERIFY(sameView(viewOf(*window->project()), {-10, 10, -10, 10}, 1e-12));
        QObject::connect(window->rootScan(), &SlicedRootScan::progressed, window, [window] {
            if (window->rootsList()->count() >= 3 && window->isBusy())
                QTest::keyClick(window->rootsList(), Qt::Key_Escape);
        });
        QTRY_VERIFY(!window->isBusy());
        QCOMPARE(window->rootsList()->count(), 3);
        QCOMPARE(window->rootsList()->item(2)->text(), QStringLiteral("-3.14159265"));
        QVERIFY(window->resultLabel()->text().contains(QStringLiteral("stopped")));
        QVERIFY(window->scanProgress()->isHidden());
        QCOMPARE(window->rootsButton()->text(), QStringLiteral("Find roots"));
        QCOMPARE(window->rootsMenuCaption(), QStringLiteral("&Find roots"));
        // The roots found stay usable; the button starts the scan again.
        window->rootsList()->item(0)->setCheckState(Qt::Checked);
        QVERIFY(window->pane().roots().isChecked(0));
        window->setRootScanTiming(SlicedRootScan::BlockingMilliseconds, SlicedRootScan::SliceMilliseconds);
        QTest::mouseClick(window->rootsButton(), Qt::LeftButton);
        QCOMPARE(window->rootsList()->count(), 7);
        QCOMPARE(window->resultLabel()->text(), QStringLiteral("7 roots found. Select one to locate it on the graph."));
        QCOMPARE(window->rootsButton()->text(), QStringLiteral("Save roots"));
        // The list was emptied before: the old marker went with it.
        GraphPane fresh;
        auto plain = makeProject(QStringLiteral("sin(x)"), -10, 10);
        fresh.setProject(plain.get());
        fresh.resize(ViewSize, window->pane().surface().devicePixelRatio());
        QCOMPARE(window->pane().surface().image(), fresh.surface().image());
    }

    void slicedScanFindsWhatTheWholeScanFinds_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<int>("blocking");
        QTest::addColumn<int>("slice");
        // Roots found by a sign change of f, at a sample point, and by a sign change of f'.
        QTest::newRow("at once") << "sin(x)" << 500 << 20;
        QTest::newRow("sign changes, one sample per slice") << "sin(x)" << 0 << 0;
        QTest::newRow("touching root, one sample per slice") << "(x-1)^2" << 0 << 0;
    }

    void slicedScanFindsWhatTheWholeScanFinds()
    {
        QFETCH(QString, expression);
        QFETCH(int, blocking);
        QFETCH(int, slice);
        const auto project = makeProject(expression, -10, 10, QString(), 999);
        SlicedRootScan scan(*project);
        QSignalSpy finished(&scan, &SlicedRootScan::finished);
        if (!scan.start(blocking, slice)) {
            QVERIFY(scan.isRunning());
            QVERIFY(finished.wait(5000));
            QCOMPARE(finished.constFirst().constFirst().toBool(), false);
        }
        QVERIFY(!scan.isRunning());
        QCOMPARE(scan.progress(), 1.0);
        QCOMPARE(scan.roots(), RootScan::run(*project));
    }

    void settingsDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<double>("xMax");
        QTest::addColumn<int>("roots");
        QTest::addColumn<QString>("button");
        QTest::newRow("OK keeps the previewed interval, roots to find again") << true << 5.0 << 0 << "Find roots";
        QTest::newRow("Esc brings back the interval and its roots") << false << 10.0 << 2 << "&Save roots";
    }

    void settingsDialog()
    {
        QFETCH(bool, accept);
        QFETCH(double, xMax);
        QFETCH(int, roots);
        QFETCH(QString, button);
        GraphWindow *window = open(QStringLiteral("x^2-2"), {-10, 10, -10, 10});
        QVERIFY(window);
        bool seen = false;
        QTimer::singleShot(0, [&seen, window, accept] {
            auto *dialog = qobject_cast<GraphSettingsDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            // A previewed interval reaches the window at once and empties its roots list.
            dialog->edit(GraphSettingsField::XMax)->setText(QStringLiteral("5"));
            seen = window->rootsList()->count() == 0 && window->pane().surface().scaleRight() == 6.5;
            if (accept) {
                dialog->okButton()->click();
                return;
            }
            dialog->activateWindow();
            if (!QTest::qWaitForWindowActive(dialog))
                seen = false;
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
            if (dialog->isVisible()) {
                seen = false;
                dialog->reject();
            }
        });
        QTest::mouseClick(window->settingsButton(), Qt::LeftButton);
        QVERIFY(seen);
        QCOMPARE(window->project()->xMax(), xMax);
        QCOMPARE(window->rootsList()->count(), roots);
        QCOMPARE(window->rootsButton()->text(), button);
    }

    void readoutsFollowThePointer()
    {
        GraphWindow *window = open(QStringLiteral("x^2-2"), {-10, 10, -10, 10});
        QVERIFY(window);
        const QPoint at = pixelOf(window, 2, 0);
        QMouseEvent move(QEvent::MouseMove, at, window->view()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window->view(), &move);
        QCOMPARE(window->xReadout()->text(), QStringLiteral("2"));
        QCOMPARE(window->valueReadout()->text(), QStringLiteral("2"));
        QCOMPARE(window->derivativeReadout()->text(), QStringLiteral("4"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(window->view(), &leave);
        QCOMPARE(window->xReadout()->text(), QString());
        // An inactive window does not follow the pointer.
        window->setTracking(false);
        QApplication::sendEvent(window->view(), &move);
        QCOMPARE(window->xReadout()->text(), QString());
    }

    void readoutsFollowAKeypadViewChange_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("pointerOnGraph");
        QTest::addColumn<QStringList>("expected");   // x, f(x), f'(x) after the key
        // x^2-2 on [-10, 10]; the pointer rests where x = 2.
        QTest::newRow("keypad 6 pans: x = 4 comes under the pointer") << int(Qt::Key_6) << true << QStringList{"4", "14", "8"};
        QTest::newRow("keypad + zooms in: x = 1 comes under it") << int(Qt::Key_Plus) << true << QStringList{"1", "-1", "2"};
        QTest::newRow("pointer off the graph: the readouts are empty") << int(Qt::Key_6) << false << QStringList{"", "", ""};
    }

    void readoutsFollowAKeypadViewChange()
    {
        QFETCH(int, key);
        QFETCH(bool, pointerOnGraph);
        QFETCH(QStringList, expected);
        GraphWindow *window = open(QStringLiteral("x^2-2"), {-10, 10, -10, 10});
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const QPoint besideTheGraph = window->rootsList()->mapToGlobal(QPoint(5, 5));
        QCursor::setPos(besideTheGraph);
        QCursor::setPos(window->view()->mapToGlobal(pixelOf(window, 2, 0)));
        QTRY_COMPARE(window->xReadout()->text(), QStringLiteral("2"));
        if (!pointerOnGraph)
            QCursor::setPos(besideTheGraph);
        QTest::keyClick(window->windowHandle(), Qt::Key(key), Qt::KeypadModifier);
        const QStringList shown{window->xReadout()->text(), window->valueReadout()->text(),
                                window->derivativeReadout()->text()};
        QCOMPARE(shown, expected);
    }

    void clickOnARootsRowTogglesItsMarker_data()
    {
        QTest::addColumn<bool>("onText");
        QTest::addColumn<int>("clicks");
        QTest::newRow("a click on the text checks the root") << true << 1;
        QTest::newRow("a second click on the text unchecks it") << true << 2;
        QTest::newRow("a click on the box still toggles it once") << false << 1;
    }

    void clickOnARootsRowTogglesItsMarker()
    {
        QFETCH(bool, onText);
        QFETCH(int, clicks);
        GraphWindow *window = open(QStringLiteral("x^2-2"), {-10, 10, -10, 10});
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const QImage unmarked = window->pane().surface().image();
        // The box sits at the row's left end, the text in its middle.
        const QRect row = window->rootsList()->visualItemRect(window->rootsList()->item(0));
        const QPoint target = onText ? row.center() : QPoint(row.left() + row.height() / 2, row.center().y());
        const QPoint at = window->rootsList()->viewport()->mapTo(window, target);
        for (int i = 0; i < clicks; ++i) {
            QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
            QTest::qWait(QApplication::doubleClickInterval() + 50);   // separate clicks, not a double click
        }
        const bool checked = clicks % 2 == 1;
        QCOMPARE(window->pane().roots().isChecked(0), checked);
        QCOMPARE(window->pane().surface().image() != unmarked, checked);
    }

    void closingReleasesTheTreesOnce()
    {
        const int before = Expression::liveCount();
        GraphWindow *window = open(QStringLiteral("x^2-2"), {-10, 10, -10, 10});
        QVERIFY(window);
        QCOMPARE(Expression::liveCount(), before + 3);
        window->close();
        QTRY_VERIFY(m_window.isNull());
        QCOMPARE(Expression::liveCount(), before);
    }

    void directionArrows_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                if (dx != 0 || dy != 0)
                    QTest::addRow("direction (%d, %d), icon %d", dx, dy, 101 + DirectionCursors::index({dx, dy})) << dx << dy;
            }
        }
    }

    // Each arrow is drawn at the pixel ratio asked for, and points where the view will move:
    // its head, the heavier end, pulls the centre of its ink towards the direction.
    void directionArrows()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        for (qreal ratio : {1.0, 2.0, 1.5}) {
            const QImage image = DirectionCursors::arrow({dx, dy}, ratio).toImage();
            QCOMPARE(image.size(), QSize(DirectionCursors::Side, DirectionCursors::Side) * ratio);
            double sumX = 0, sumY = 0, ink = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const double alpha = qAlpha(image.pixel(x, y)) / 255.0;
                    sumX += alpha * (x + 0.5);
                    sumY += alpha * (y + 0.5);
                    ink += alpha;
                }
            }
            const double centre = image.width() / 2.0;
            const double towardsX = (sumX / ink - centre) / ratio;
            const double towardsY = -(sumY / ink - centre) / ratio;  // world y grows upwards
            // About 1.3 pixels along the arrow; a tenth of that across it.
            QVERIFY2(dx == 0 ? std::fabs(towardsX) < 0.2 : towardsX * dx > 0.6, qPrintable(QString::number(towardsX)));
            QVERIFY2(dy == 0 ? std::fabs(towardsY) < 0.2 : towardsY * dy > 0.6, qPrintable(QString::number(towardsY)));
        }
        QVERIFY(DirectionCursors::arrow({0, 0}, 1).isNull());
    }
};

TREV_TEST_MAIN(TestGraphWindow)
#include "tst_graphwindow.moc"
