// The graph as the window shows it: loading, the roots button's two roles, the interval rule of
// update, check marks with their XOR markers, the clipboard text, the readouts, the full-screen
// variant, and a picture of x^2-2 with its roots marked.
#include "graph/GraphPane.h"
#include "graph/GraphRenderer.h"
#include "analysis/PointReadout.h"
#include "core/ProgramSettings.h"
#include "ProjectTestSupport.h"
#include "project/FunctionProject.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

using namespace ProjectTestSupport;

namespace {

// Pixels near the world point (x, 0) that show the marker's blue on the white ground.
int bluePixelsNear(const GraphSurface &surface, double x)
{
    const QPointF centre = surface.toPixel(x, 0) * surface.devicePixelRatio();
    const int r = qRound(6 * surface.devicePixelRatio());
    int count = 0;
    for (int dy = -r; dy <= r; ++dy) {
        for (int dx = -r; dx <= r; ++dx) {
            const QColor c = surface.image().pixelColor(qRound(centre.x()) + dx, qRound(centre.y()) + dy);
            count += c.blue() > 200 && c.red() < 60 && c.green() < 60;
        }
    }
    return count;
}

} // namespace

class TestGraphPane : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void loadFindsRoots();
    void buttonRoles();
    void findOrSaveRoots_data();
    void findOrSaveRoots();
    void updateIntervalRule();
    void markersToggle();
    void selectRoots_data();
    void selectRoots();
    void markersSurviveRedraw();
    void copyRoots_data();
    void copyRoots();
    void clipboard();
    void pointValues_data();
    void pointValues();
    void toolTip();
    void fullScreen();
    void renderedPicture();

private:
    std::unique_ptr<FunctionProject> m_project;
};

void TestGraphPane::initTestCase()
{
    // Numbers are checked as a C locale writes them; nothing touches the user's settings.
    QLocale::setDefault(QLocale::c());
    QStandardPaths::setTestModeEnabled(true);
    QString why;
    QVERIFY2(engineReady(&why), qPrintable(why));
}

void TestGraphPane::cleanup()
{
    QLocale::setDefault(QLocale::c());
    m_project.reset();
}

void TestGraphPane::loadFindsRoots()
{
    m_project = makeProject(QStringLiteral("x^2-2"), -10, 10);
    GraphPane pane;
    pane.setProject(m_project.get());
    pane.load();
    QVERIFY(pane.roots().rootsFound());
    QCOMPARE(pane.roots().texts(), (QStringList{"-1.41421356", "1.41421356"}));
    QCOMPARE(pane.roots().resultText(), QStringLiteral("2 roots found. Select one to locate it on the graph."));
    QCOMPARE(pane.roots().buttonCaption(), QStringLiteral("&Save roots"));
    QCOMPARE(pane.roots().buttonRole(), RootList::ButtonRole::SaveRoots);
}

void TestGraphPane::buttonRoles()
{
    m_project = makeProject(QStringLiteral("x^3-x"), -2, 2);
    int saves = 0;
    RootList search;
    search.setSaveRootsHandler([&saves] { ++saves; });
    QCOMPARE(search.buttonRole(), RootList::ButtonRole::FindRoots);

    search.rootsButtonClicked(*m_project);  // find
    QCOMPARE(saves, 0);
    QCOMPARE(search.count(), 3);
    QCOMPARE(search.buttonRole(), RootList::ButtonRole::SaveRoots);
    QCOMPARE(search.buttonCaption(), QStringLiteral("Save roots"));
    QCOMPARE(search.menuCaption(), QStringLiteral("&Save roots..."));

    search.rootsButtonClicked(*m_project);  // save, and nothing else
    QCOMPARE(saves, 1);
    QCOMPARE(search.count(), 3);
}

void TestGraphPane::findOrSaveRoots_data()
{
    QTest::addColumn<bool>("foundBefore");
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("saves");
    QTest::addColumn<int>("count");

    QTest::newRow("menu find: one action finds") << false << false << 0 << 2;
    QTest::newRow("menu save with nothing found: find, then save") << false << true << 1 << 2;
    QTest::newRow("menu save with roots listed: save only") << true << true << 1 << 2;
    QTest::newRow("menu find with roots listed: saves") << true << false << 1 << 2;
}

void TestGraphPane::findOrSaveRoots()
{
    QFETCH(bool, foundBefore);
    QFETCH(bool, save);
    QFETCH(int, saves);
    QFETCH(int, count);
    m_project = makeProject(QStringLiteral("x^2-2"), -10, 10);
    GraphPane pane;
    pane.setProject(m_project.get());
    int written = 0;
    pane.roots().setSaveRootsHandler([&written] { ++written; });
    if (foundBefore)
        pane.load();
    else
        pane.refresh(true);
    pane.findOrSaveRoots(save);
    QCOMPARE(written, saves);
    QCOMPARE(pane.roots().count(), count);
    QVERIFY(pane.roots().rootsFound());
}

void TestGraphPane::updateIntervalRule()
{
    m_project = makeProject(QStringLiteral("x^2-2"), -10, 10);
    GraphPane pane;
    pane.setProject(m_project.get());
    pane.load();
    pane.setRootChecked(1, true);

    // A change of the vertical view alone keeps the list and its check marks.
    m_project->setYMax(20);
    pane.refresh(false);
    QCOMPARE(pane.roots().count(), 2);
    QVERIFY(pane.roots().isChecked(1));
    QVERIFY(pane.roots().rootsFound());

    // A new x interval empties the list and turns the button back.
    m_project->setXMin(-5);
    pane.refresh(true);
    QCOMPARE(pane.roots().count(), 0);
    QVERIFY(!pane.roots().rootsFound());
    QCOMPARE(pane.roots().buttonRole(), RootList::ButtonRole::FindRoots);
    QCOMPARE(pane.roots().buttonCaption(), QStringLiteral("Find roots"));
    QCOMPARE(pane.roots().menuCaption(), QStringLiteral("&Find roots"));
    QCOMPARE(pane.roots().resultText(), QStringLiteral("Click the button above to find the roots on the new interval."));
    // And the graph is the plain graph again, without markers.
    GraphPane fresh;
    fresh.setProject(m_project.get());
    fresh.refresh(true);
    QCOMPARE(pane.surface().image(), fresh.surface().image());
}

void TestGraphPane::markersToggle()
{
    m_project = makeProject(QStringLiteral("x^2-2"), -10, 10);
    GraphPane pane;
    pane.setProject(m_project.get());
    pane.load();
    const QImage before = pane.surface().image().copy();
    QCOMPARE(bluePixelsNear(pane.surface(), std::sqrt(2.0)), 0);

    pane.setRootChecked(1, true);
    QVERIFY(pane.surface().image() != before);
    QVERIFY2(bluePixelsNear(pane.surface(), std::sqrt(2.0)) > 20, "a blue disc at the root");
    QCOMPARE(bluePixelsNear(pane.surface(), -std::sqrt(2.0)), 0);
    pane.setRootChecked(1, true);  // no change, no second XOR
    QVERIFY(pane.surface().image() != before);
    pane.setRootChecked(1, false);
    QCOMPARE(pane.surface().image(), before);

    // Checking and unchecking twice leaves the graph as it was.
    for (int i = 0; i < 2; ++i) {
        pane.setRootChecked(0, true);
        pane.setRootChecked(0, false);
    }
    QCOMPARE(pane.surface().image(), before);
    pane.setRootChecked(7, true);  // no such entry
    QCOMPARE(pane.surface().image(), before);
}

void TestGraphPane::selectRoots_data()
{
    QTest::addColumn<QString>("steps");  // a = all, n = none, i = invert, then the check states
    QTest::addColumn<QString>("states");

    QTest::newRow("select all") << "a" << "111";
    QTest::newRow("select none after all") << "an" << "000";
    QTest::newRow("invert from none") << "i" << "111";
    QTest::newRow("invert twice") << "ii" << "000";
    QTest::newRow("invert a single check") << "1i" << "101";
    QTest::newRow("all after a single check") << "1a" << "111";
}

void TestGraphPane::selectRoots()
{
    QFETCH(QString, steps);
    QFETCH(QString, states);
    m_project = makeProject(QStringLiteral("x^3-x"), -2, 2);
    GraphPane pane;
    pane.setProject(m_project.get());
    pane.load();
    const QImage plain = pane.surface().image().copy();
    for (QChar step : steps) {
        if (step == QLatin1Char('a'))
            pane.selectRoots(true, false);
        else if (step == QLatin1Char('n'))
            pane.selectRoots(false, false);
        else if (step == QLatin1Char('i'))
            pane.selectRoots(true, true);
        else
            pane.setRootChecked(step.digitValue(), true);
    }
    QString result;
    for (int i = 0; i < pane.roots().count(); ++i)
        result += pane.roots().isChecked(i) ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(result, states);
    // The picture holds exactly the markers of the checked entries.
    GraphPane expected;
    expected.setProject(m_project.get());
    expected.load();
    for (int i = 0; i < states.size(); ++i) {
        if (states.at(i) == QLatin1Char('1'))
            expected.setRootChecked(i, true);
    }
    QCOMPARE(pane.surface().image(), expected.surface().image());
    if (!states.contains(QLatin1Char('1')))
        QCOMPARE(pane.surface().image(), plain);
}

void TestGraphPane::markersSurviveRedraw()
{
    m_project = makeProject(QStringLiteral("x^2-2"), -10, 10);
    GraphPane pane;
    pane.setProject(m_project.get());
    pane.load();
    pane.setRootChecked(0, true);
    const QImage marked = pane.surface().image().copy();
    // The redraw clears the picture; the checked markers are drawn again on top.
    pane.refresh(false);
    QCOMPARE(pane.surface().image(), marked);
    pane.resize(QSize(500, 300), 1.0);
    QVERIFY(bluePixelsNear(pane.surface(), -std::sqrt(2.0)) > 20);
}

void TestGraphPane::copyRoots_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<QString>("text");

    QTest::newRow("sin on [0, 7]") << "C" << "sin(x)" << "" << 0.0 << 7.0
                                   << "sin(x) = 0\r\n[0; 7]\r\n\r\n3 roots found.\r\n"
                                      "x1 = 0\r\nx2 = 3.14159265\r\nx3 = 6.28318531\r\n";
    QTest::newRow("no roots") << "C" << "x^2+1" << "" << -0.5 << 2.0
                              << "x^2+1 = 0\r\n[-0.5; 2]\r\n\r\n0 roots found.\r\n";
    QTest::newRow("German separators") << "de_DE" << "x^2-2" << "" << -2.5 << 2.5
                                       << "x^2-2 = 0\r\n[-2,5; 2,5]\r\n\r\n2 roots found.\r\n"
                                          "x1 = -1,41421356\r\nx2 = 1,41421356\r\n";
}

void TestGraphPane::copyRoots()
{
    QFETCH(QString, localeName);
    QFETCH(QString, expression);
    QFETCH(QString, parameters);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(localeName));
    m_project = makeProject(expression, a, b, parameters);
    GraphPane pane;
    pane.setProject(m_project.get());
    pane.load();
    pane.setRootChecked(0, true);  // every entry is copied, checked or not
    QCOMPARE(pane.roots().copyRootsText(*m_project), text);
}

void TestGraphPane::clipboard()
{
    m_project = makeProject(QStringLiteral("a*x-1"), -2, 2, QStringLiteral("a=2"));
    GraphPane pane;
    pane.setProject(m_project.get());
    pane.load();
    const QString parameters = m_project->f().parameters();
    const QString expected = QStringLiteral("a*x-1 = 0\r\n") + parameters + QStringLiteral("\r\n[-2; 2]\r\n\r\n"
                                                                                          "One root found.\r\nx1 = 0.5\r\n");
    QCOMPARE(pane.roots().copyRootsText(*m_project), expected);
    pane.copyRoots();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
}

void TestGraphPane::pointValues_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("xText");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("derivative");

    QTest::newRow("defined") << "x^2-2" << 1.5 << 8 << "1.5" << "0.25" << "3";
    QTest::newRow("rounded to 4 decimals") << "x^2" << 1.0 / 3 << 4 << "0.3333" << "0.1111" << "0.6667";
    QTest::newRow("f and f' undefined") << "sqrt(x)" << -1.0 << 8 << "-1" << "Error" << "f not differentiable";
    QTest::newRow("f' read on its own") << "ln(x)" << -1.0 << 8 << "-1" << "Error" << "-1";
    QTest::newRow("only f' undefined") << "sqrt(x)" << 0.0 << 8 << "0" << "0" << "f not differentiable";
}

void TestGraphPane::pointValues()
{
    QFETCH(QString, expression);
    QFETCH(double, x);
    QFETCH(int, decimals);
    QFETCH(QString, xText);
    QFETCH(QString, value);
    QFETCH(QString, derivative);
    m_project = makeProject(expression, -5, 5);
    const PointValues values = PointReadout::pointValues(*m_project, x, decimals);
    QCOMPARE(values.x, xText);
    QCOMPARE(values.value, value);
    QCOMPARE(values.derivative, derivative);
}

void TestGraphPane::toolTip()
{
    QCOMPARE(PointReadout::toolTipText(1.23456789, -2), QStringLiteral("x = 1.234568   y = -2"));
}

void TestGraphPane::fullScreen()
{
    m_project = makeProject(QStringLiteral("x^2+1"), -10, 10);
    GraphPane window(GraphPane::Kind::GraphWindow);
    GraphPane full(GraphPane::Kind::FullScreen);
    window.setProject(m_project.get());
    full.setProject(m_project.get());
    window.load();
    full.load();
    // No background picture: the top-left corner is white.
    QCOMPARE(full.surface().image().pixel(2, 2), QColor(Qt::white).rgb());
    QVERIFY(window.surface().image().pixel(2, 2) != QColor(Qt::white).rgb());
    // Switched off in the general options, the picture goes with the next redraw.
    programSettings().backgroundPicture = false;
    window.refresh(false);
    QCOMPARE(window.surface().image().pixel(2, 2), QColor(Qt::white).rgb());
    programSettings().backgroundPicture = true;
    QVERIFY(!full.roots().rootsFound());
    // The full-screen window shades with every stroke, the graph window with every second one.
    double x1 = -20, x2 = 20;
    full.shadeArea(x1, x2);
    QCOMPARE(x1, -10.0);
    QCOMPARE(x2, 10.0);
    x1 = -20;
    x2 = 20;
    window.shadeArea(x1, x2);
    const QRgb shade = QColor(0xFE, 0x01, 0x00).rgb();
    const auto strokes = [shade](const GraphSurface &surface) {
        int pixels = 0;
        const QImage &image = surface.image();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                pixels += image.pixel(x, y) == shade;
        }
        return pixels;
    };
    const int fullPixels = strokes(full.surface());
    const int windowPixels = strokes(window.surface());
    QVERIFY2(windowPixels > 0 && fullPixels > windowPixels * 3 / 2,
             qPrintable(QStringLiteral("%1 against %2").arg(fullPixels).arg(windowPixels)));
    // The next update removes the shading.
    full.refresh(true);
    QCOMPARE(strokes(full.surface()), 0);
}

void TestGraphPane::renderedPicture()
{
    m_project = makeProject(QStringLiteral("x^2-2"), -10, 10);
    GraphPane pane(GraphPane::Kind::GraphWindow, QSize(364, 364), 2.0);
    pane.setProject(m_project.get());
    pane.load();
    pane.selectRoots(true, false);
    QCOMPARE(pane.roots().texts(), (QStringList{"-1.41421356", "1.41421356"}));
    QVERIFY(bluePixelsNear(pane.surface(), -std::sqrt(2.0)) > 40);
    QVERIFY(bluePixelsNear(pane.surface(), std::sqrt(2.0)) > 40);
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/test-output");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(pane.surface().image().save(folder + QStringLiteral("/x2-2_roots.png")));
}

QTEST_MAIN(TestGraphPane)
#include "tst_graphpane.moc"
