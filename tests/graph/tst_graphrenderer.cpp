// Rendering checked by pixels: grid steps, axes solid and dashed, grid on and off, the curve and
// its breaks, the shaded area, views that cannot be drawn, and high-density screens.
#include "graph/BackgroundPicture.h"
#include "gui/Colors.h"
#include "graph/GraphRenderer.h"
#include "graph/GraphSurface.h"
#include "ProjectTestSupport.h"
#include "project/FunctionProject.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace ProjectTestSupport;

namespace {

constexpr qint32 AxisValue = 0x00FF00;   // green, easy to tell from everything else
constexpr qint32 GridValue = 0xFF8000;   // 0x00BBGGRR: a blue the axis and curve never use

// A project without a function: enough for everything DrawAxes draws.
void setView(FunctionProject &f, double a, double b, double ymin, double ymax, bool grid = true)
{
    f.setXMin(a);
    f.setXMax(b);
    f.setYMin(ymin);
    f.setYMax(ymax);
    f.setGraphPoints(200);
    f.setRootSteps(1000);
    f.setAxesColor(AxisValue);
    f.setGridColor(GridValue);
    f.setGraphColor(255);
    f.setShowGrid(grid);
    f.setTitle(QStringLiteral("title=0"));
}

int countInRow(const QImage &image, int row, int from, int to, QRgb color)
{
    int count = 0;
    for (int x = std::max(0, from); x <= std::min(image.width() - 1, to); ++x)
        count += (image.pixel(x, row) & 0xFFFFFF) == (color & 0xFFFFFF);
    return count;
}

int countInColumn(const QImage &image, int column, int from, int to, QRgb color)
{
    int count = 0;
    for (int y = std::max(0, from); y <= std::min(image.height() - 1, to); ++y)
        count += (image.pixel(column, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    return count;
}

int countInImage(const QImage &image, QRgb color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        count += countInRow(image, y, 0, image.width() - 1, color);
    return count;
}

// The row near `predicted` that holds most pixels of `color` between two columns.
int bestRow(const QImage &image, double predicted, int from, int to, QRgb color)
{
    int best = static_cast<int>(predicted), bestCount = -1;
    for (int row = static_cast<int>(predicted) - 2; row <= static_cast<int>(predicted) + 2; ++row) {
        if (row < 0 || row >= image.height())
            continue;
        const int count = countInRow(image, row, from, to, color);
        if (count > bestCount) {
            best = row;
            bestCount = count;
        }
    }
    return best;
}

int bestColumn(const QImage &image, double predicted, int from, int to, QRgb color)
{
    int best = static_cast<int>(predicted), bestCount = -1;
    for (int column = static_cast<int>(predicted) - 2; column <= static_cast<int>(predicted) + 2; ++column) {
        if (column < 0 || column >= image.width())
            continue;
        const int count = countInColumn(image, column, from, to, color);
        if (count > bestCount) {
            best = column;
            bestCount = count;
        }
    }
    return best;
}

// Runs of `color` along a row: one per stroke that crosses it.
int runsInRow(const QImage &image, int row, QRgb color)
{
    int runs = 0;
    bool inside = false;
    for (int x = 0; x < image.width(); ++x) {
        const bool hit = (image.pixel(x, row) & 0xFFFFFF) == (color & 0xFFFFFF);
        runs += hit && !inside;
        inside = hit;
    }
    return runs;
}

QRgb rgb(qint32 value) { return ColorFromValue(value).rgb(); }

} // namespace

class TestGraphRenderer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void gridStep_data();
    void gridStep();
    void axes_data();
    void axes();
    void gridSwitch_data();
    void gridSwitch();
    void undrawableViews_data();
    void undrawableViews();
    void highDensity();
    void backgroundPicture();
    void labelsInsideAndOverTheCurve_data();
    void labelsInsideAndOverTheCurve();
    void curvePixels();
    void derivativeCurvesAreDashed();
    void noSegmentAcrossPole();
    void steepSegmentBetweenInsideSamples();
    void curvesReachTheEdge_data();
    void curvesReachTheEdge();
    void fillerClampsAndStrokes_data();
    void fillerClampsAndStrokes();
    void adaptiveCurveReachesThePeaks_data();
    void adaptiveCurveReachesThePeaks();
};

void TestGraphRenderer::initTestCase()
{
    // Numbers are checked as a C locale writes them; nothing touches the user's settings.
    QLocale::setDefault(QLocale::c());
    QStandardPaths::setTestModeEnabled(true);
    QString why;
    QVERIFY2(engineReady(&why), qPrintable(why));
}

void TestGraphRenderer::gridStep_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("step");

    QTest::newRow("0.1") << 0.1 << 0.01;
    QTest::newRow("1") << 1.0 << 0.1;
    QTest::newRow("3") << 3.0 << 0.5;
    QTest::newRow("0.5") << 0.5 << 0.1;
    QTest::newRow("15") << 15.0 << 2.0;
    QTest::newRow("20") << 20.0 << 5.0;
    QTest::newRow("10 is its own power") << 10.0 << 1.0;
    QTest::newRow("8000") << 8000.0 << 1000.0;
    QTest::newRow("0.001") << 0.001 << 0.0001;
    QTest::newRow("just above a power") << 100.5 << 20.0;
    QTest::newRow("tiny but positive") << 1e-300 << 1e-301;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("negative") << -5.0 << 0.0;
    QTest::newRow("not a number") << std::nan("") << 0.0;
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 0.0;
}

void TestGraphRenderer::gridStep()
{
    QFETCH(double, width);
    QFETCH(double, step);
    const double result = GraphRenderer::gridStep(width);
    if (step == 0) {
        QCOMPARE(result, 0.0);
        return;
    }
    // c is reached by repeated multiplication or division by 10, which rounds at each step.
    QVERIFY2(std::fabs(result - step) <= 1e-12 * step, qPrintable(QString::number(result, 'g', 17)));
}

void TestGraphRenderer::axes_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("ymin");
    QTest::addColumn<double>("ymax");
    QTest::addColumn<double>("yA");
    QTest::addColumn<double>("xA");
    QTest::addColumn<bool>("dashed");

    QTest::newRow("zero in view: solid axes at zero") << -10.0 << 10.0 << -10.0 << 10.0 << 0.0 << 0.0 << false;
    QTest::newRow("above and right of zero: bottom and left") << 2.0 << 6.0 << 1.0 << 5.0 << 1.0 << 2.0 << true;
    QTest::newRow("below and left of zero: top and right") << -6.0 << -2.0 << -5.0 << -1.0 << -1.0 << -2.0 << true;
    QTest::newRow("uneven view") << -1.0 << 7.0 << -30.0 << 2.0 << 0.0 << 0.0 << false;
}

void TestGraphRenderer::axes()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, ymin);
    QFETCH(double, ymax);
    QFETCH(double, yA);
    QFETCH(double, xA);
    QFETCH(bool, dashed);
    FunctionProject f;
    setView(f, a, b, ymin, ymax);
    GraphSurface surface;
    GraphRenderer::drawAxes(surface, f);
    const QImage &image = surface.image();
    const QPointF topLeft = surface.toPixel(a, ymax);
    const QPointF bottomRight = surface.toPixel(b, ymin);
    const int left = qRound(topLeft.x()) + 1, right = qRound(bottomRight.x()) - 1;
    const int top = qRound(topLeft.y()) + 1, bottom = qRound(bottomRight.y()) - 1;
    const QRgb axis = rgb(AxisValue);

    const int row = bestRow(image, surface.toPixel(0, yA).y(), left, right, axis);
    const int column = bestColumn(image, surface.toPixel(xA, 0).x(), top, bottom, axis);
    const int inRow = countInRow(image, row, left, right, axis);
    const int inColumn = countInColumn(image, column, top, bottom, axis);
    if (dashed) {
        // A dashed line: clearly drawn, clearly broken.
        QVERIFY2(inRow > (right - left) / 3 && inRow < (right - left) * 9 / 10, qPrintable(QString::number(inRow)));
        QVERIFY2(inColumn > (bottom - top) / 3 && inColumn < (bottom - top) * 9 / 10, qPrintable(QString::number(inColumn)));
    } else {
        // Solid from a to b: the grid crosses it, but the ticks drawn afterwards restore it.
        QCOMPARE(inRow, right - left + 1);
        QCOMPARE(inColumn, bottom - top + 1);
    }
    // The surface keeps 10 % margins: the view starts at 1/12 of the width.
    QCOMPARE(qRound(topLeft.x()), qRound(364.0 / 12));
    QCOMPARE(qRound(bottomRight.y()), qRound(364.0 * 11 / 12));
}

void TestGraphRenderer::gridSwitch_data()
{
    QTest::addColumn<bool>("grid");
    QTest::newRow("grid shown") << true;
    QTest::newRow("grid hidden") << false;
}

void TestGraphRenderer::gridSwitch()
{
    QFETCH(bool, grid);
    FunctionProject f;
    setView(f, -10, 10, -10, 10, grid);
    GraphSurface surface;
    GraphRenderer::drawAxes(surface, f);
    const QImage &image = surface.image();
    const QRgb gridColor = rgb(GridValue);
    const QRgb axis = rgb(AxisValue);
    const int top = qRound(surface.toPixel(0, 10).y()), bottom = qRound(surface.toPixel(0, -10).y());
    const int axisRow = qRound(surface.toPixel(0, 0).y());

    // Grid step 5 for the width 20: lines at -10, -5, 5 and 10, none at 0.
    for (double x : {-10.0, -5.0, 5.0, 10.0}) {
        const int column = bestColumn(image, surface.toPixel(x, 0).x(), top, bottom, gridColor);
        const int dots = countInColumn(image, column, top, bottom, gridColor);
        if (grid)
            QVERIFY2(dots > (bottom - top) / 4, qPrintable(QString::number(dots)));
        else
            QCOMPARE(dots, 0);
        // Ticks and labels stay whether the grid is shown or not.
        const int tickColumn = bestColumn(image, surface.toPixel(x, 0).x(), axisRow - 3, axisRow + 3, axis);
        QVERIFY(countInColumn(image, tickColumn, axisRow - 4, axisRow + 4, axis) >= 7);
        int dark = 0;
        for (int y = axisRow + 5; y < axisRow + 20; ++y) {
            for (int dx = -12; dx <= 12; ++dx)
                dark += qGray(image.pixel(tickColumn + dx, y)) < 128;
        }
        QVERIFY2(dark > 5, "a label hangs below each tick");
    }
    if (!grid)
        QCOMPARE(countInImage(image, gridColor), 0);
    // No grid line, tick or label at 0 beside the axis itself.
    const int zeroColumn = qRound(surface.toPixel(0, 0).x());
    QCOMPARE(countInColumn(image, zeroColumn + 3, top, bottom, gridColor), 0);
}

void TestGraphRenderer::undrawableViews_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("ymin");
    QTest::addColumn<double>("ymax");
    QTest::addColumn<bool>("drawable");
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::nan("");

    QTest::newRow("zero width") << 1.0 << 1.0 << -1.0 << 1.0 << false;
    QTest::newRow("zero height") << -1.0 << 1.0 << 2.0 << 2.0 << false;
    QTest::newRow("reversed") << 5.0 << -5.0 << -5.0 << 5.0 << false;
    QTest::newRow("not a number") << nan << 1.0 << -1.0 << 1.0 << false;
    QTest::newRow("infinite end") << -1.0 << inf << -1.0 << 1.0 << false;
    QTest::newRow("width overflows") << -1e308 << 1e308 << -1.0 << 1.0 << false;
    QTest::newRow("margins overflow") << 1.7e308 << 1.79e308 << -1.0 << 1.0 << false;
    QTest::newRow("tiny width") << 1.0 << 1.0 + 1e-12 << -1.0 << 1.0 << true;
    QTest::newRow("far from zero, narrow") << 1e15 << 1e15 + 0.5 << -1.0 << 1.0 << true;
    QTest::newRow("huge but finite") << -1e300 << 1e300 << -1e300 << 1e300 << true;
}

void TestGraphRenderer::undrawableViews()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, ymin);
    QFETCH(double, ymax);
    QFETCH(bool, drawable);
    const auto f = makeProject(QStringLiteral("sin(x)+x"), -1, 1);
    QVERIFY(f);
    f->setXMin(a);
    f->setXMax(b);
    f->setYMin(ymin);
    f->setYMax(ymax);
    QCOMPARE(GraphRenderer::viewIsDrawable(*f), drawable);
    GraphSurface surface;
    GraphSurface blank;
    QElapsedTimer timer;
    timer.start();
    GraphRenderer::drawGraph(surface, *f);
    double x1 = -1e9, x2 = 1e9;
    GraphRenderer::shadeArea(surface, *f, x1, x2);
    QVERIFY(timer.elapsed() < 1000);
    QCOMPARE(surface.image().size(), QSize(364, 364));
    if (!drawable)
        QCOMPARE(surface.image(), blank.image());
    else
        QVERIFY(surface.image() != blank.image());
}

void TestGraphRenderer::highDensity()
{
    FunctionProject f;
    setView(f, -10, 10, -10, 10);
    GraphSurface surface(QSize(364, 364), 2.0);
    GraphRenderer::drawAxes(surface, f);
    const QImage &image = surface.image();
    QCOMPARE(image.size(), QSize(728, 728));
    const QRgb axis = rgb(AxisValue);
    // The axis is one logical pixel wide: two rows of device pixels.
    int fullRows = 0;
    for (int row = 360; row <= 368; ++row)
        fullRows += countInRow(image, row, 2 * 31, 2 * 333, axis) == 2 * 333 - 2 * 31 + 1;
    QCOMPARE(fullRows, 2);
}

void TestGraphRenderer::backgroundPicture()
{
    const QImage picture = BackgroundPicture::make(QSize(364, 364), 1.0);
    QCOMPARE(picture.size(), QSize(364, 364));
    // Almost white at the top-left, the light-blue word at the bottom-right.
    QCOMPARE(picture.pixel(5, 5), BackgroundPicture::groundColor().rgb());
    int blue = 0;
    for (int y = 300; y < 364; ++y) {
        for (int x = 200; x < 364; ++x) {
            const QColor c = picture.pixelColor(x, y);
            blue += c.blue() > c.red() + 20;
        }
    }
    QVERIFY2(blue > 200, qPrintable(QString::number(blue)));

    // Made for a larger surface, it covers it to the far corner: clearing leaves no white.
    GraphSurface surface(QSize(500, 400));
    surface.setBackgroundPicture(BackgroundPicture::make(QSize(500, 400), 1.0));
    surface.clear();
    QCOMPARE(surface.image().pixel(5, 5), BackgroundPicture::groundColor().rgb());
    QCOMPARE(surface.image().pixel(499, 399), BackgroundPicture::groundColor().rgb());
}

void TestGraphRenderer::labelsInsideAndOverTheCurve_data()
{
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("height");   // the view is [-10, b] x [-height, height]
    QTest::addColumn<double>("level");    // a constant curve through a label
    // Zero just right of the view puts the axis at b, with no room on its right for " 1000".
    QTest::newRow("axis at the right edge, wide labels") << -0.5 << 1000.0 << 500.0;
    QTest::newRow("axis at zero") << 10.0 << 10.0 << 5.0;
}

// Every y label is whole inside the surface, and drawn over the curve that runs through it.
void TestGraphRenderer::labelsInsideAndOverTheCurve()
{
    QFETCH(double, b);
    QFETCH(double, height);
    QFETCH(double, level);
    const auto f = makeProject(QString::number(level), -10, b);
    QVERIFY(f);
    f->setYMin(-height);
    f->setYMax(height);
    GraphSurface surface;
    GraphRenderer::drawGraph(surface, *f);
    const QImage &image = surface.image();
    const int last = image.width() - 1;
    for (int y = 0; y < image.height(); ++y)
        QVERIFY2(qGray(image.pixel(last, y)) > 200 && qGray(image.pixel(last - 1, y)) > 200, "a label was cut off");
    const int row = bestRow(image, surface.toPixel(-10, level).y(), 0, last, rgb(255));
    QVERIFY(runsInRow(image, row, rgb(255)) > 1);
}

void TestGraphRenderer::curvePixels()
{
    const auto f = makeProject(QStringLiteral("x^2-2"), -10, 10);
    QVERIFY(f);
    GraphSurface surface;
    GraphRenderer::drawGraph(surface, *f);
    const QImage &image = surface.image();
    const QRgb red = rgb(255);
    for (double x : {-3.0, -1.0, 0.0, 1.5, 3.0}) {
        const QPointF p = surface.toPixel(x, x * x - 2);
        int hits = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx)
                hits += (image.pixel(qRound(p.x()) + dx, qRound(p.y()) + dy) & 0xFFFFFF) == (red & 0xFFFFFF);
        }
        QVERIFY2(hits > 0, qPrintable(QStringLiteral("no curve near x = %1").arg(x)));
    }
    // Nothing above ymax = 10: the curve stops where it leaves the view.
    const int top = qRound(surface.toPixel(0, 10).y());
    for (int row = 0; row < top - 1; ++row)
        QCOMPARE(countInRow(image, row, 0, 363, red), 0);
}

void TestGraphRenderer::derivativeCurvesAreDashed()
{
    // f' = 3 is a line across the view, drawn from 1000 short segments.
    const auto f = makeProject(QStringLiteral("3x"), -10, 10);
    QVERIFY(f);
    f->setGraphPoints(1000);
    f->setShowFPrime(true);
    GraphSurface surface;
    GraphRenderer::drawGraph(surface, *f);
    const QImage &image = surface.image();
    const int left = qRound(surface.toPixel(-10, 0).x()) + 1, right = qRound(surface.toPixel(10, 0).x()) - 1;
    const QRgb blue = GraphRenderer::fPrimeColor().rgb();
    const int row = bestRow(image, surface.toPixel(0, 3).y(), left, right, blue);
    const int drawn = countInRow(image, row, left, right, blue);
    QVERIFY2(drawn > (right - left) / 4 && drawn < (right - left) * 9 / 10, qPrintable(QString::number(drawn)));
}

void TestGraphRenderer::noSegmentAcrossPole()
{
    const auto f = makeProject(QStringLiteral("1/x"), -1, 1);
    QVERIFY(f);
    f->setYMin(-100);
    f->setYMax(100);
    f->setGraphPoints(20);
    GraphSurface surface;
    GraphRenderer::drawGraph(surface, *f);
    const QImage &image = surface.image();
    const QRgb red = rgb(255);
    QVERIFY(countInImage(image, red) > 50);
    // A segment across the pole would join (-0.1, -10) and (0.1, 10) through the origin; the
    // branches themselves run up to the edges only near x = +-0.01.
    const QPoint origin = surface.toPixel(0, 0).toPoint();
    for (int column = origin.x() - 6; column <= origin.x() + 6; ++column)
        QCOMPARE(countInColumn(image, column, origin.y() - 20, origin.y() + 20, red), 0);
}

void TestGraphRenderer::steepSegmentBetweenInsideSamples()
{
    // With 40 points on [-2, 2] the samples next to the pole of tan at pi/2 are 1.5 (14.1) and
    // 1.6 (-34.2); both lie inside [-40, 40], so a near-vertical segment joins them.
    const auto f = makeProject(QStringLiteral("tan(x)"), -2, 2);
    QVERIFY(f);
    f->setYMin(-40);
    f->setYMax(40);
    f->setGraphPoints(40);
    GraphSurface surface;
    GraphRenderer::drawGraph(surface, *f);
    int red = 0;
    for (int c = qRound(surface.toPixel(1.5, 0).x()); c <= qRound(surface.toPixel(1.6, 0).x()); ++c)
        red += countInColumn(surface.image(), c, 0, 363, rgb(255));
    const int rows = qRound(surface.toPixel(0, -34.2).y() - surface.toPixel(0, 14.1).y());
    QVERIFY2(red >= rows * 9 / 10, qPrintable(QStringLiteral("%1 red pixels for %2 rows").arg(red).arg(rows)));
}

void TestGraphRenderer::curvesReachTheEdge_data()
{
    QTest::addColumn<QString>("function");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("edge");       // yMax = edge, yMin = -edge
    QTest::addColumn<int>("points");
    QTest::addColumn<QVector<double>>("meets");   // x where the curve must touch an edge
    QTest::addColumn<double>("gapFrom");    // no curve at all between these x (a pole)
    QTest::addColumn<double>("gapTo");

    QTest::newRow("parabola touches the top") << "x^2" << -10.0 << 10.0 << 10.0 << 200
                                              << QVector<double>{-std::sqrt(10.0), std::sqrt(10.0)} << 0.0 << 0.0;
    QTest::newRow("tan up to the edges, not across its pole")
        << "tan(x)" << -2.0 << 2.0 << 10.0 << 40 << QVector<double>{std::atan(10.0), M_PI - std::atan(10.0)}
        << std::atan(10.0) + 0.02 << M_PI - std::atan(10.0) - 0.02;
    QTest::newRow("steep exponential enters at the bottom") << "exp(3x)-5" << -1.0 << 1.0 << 5.0 << 10
                                                            << QVector<double>{std::log(10.0) / 3} << 0.0 << 0.0;
}

void TestGraphRenderer::curvesReachTheEdge()
{
    QFETCH(QString, function);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, edge);
    QFETCH(int, points);
    QFETCH(QVector<double>, meets);
    QFETCH(double, gapFrom);
    QFETCH(double, gapTo);
    const auto f = makeProject(function, a, b);
    QVERIFY(f);
    f->setYMin(-edge);
    f->setYMax(edge);
    f->setGraphPoints(points);
    GraphSurface surface;
    GraphRenderer::drawGraph(surface, *f);
    const QRgb red = rgb(255);
    for (double x : meets) {
        qint32 code = 0;
        const double y = f->f().evaluate(x, code) > 0 ? edge : -edge;
        const QPoint p = surface.toPixel(x, y).toPoint();
        // Within two pixels of where the curve crosses the edge.
        int hits = 0;
        for (int dy = -1; dy <= 1; ++dy)
            hits += countInRow(surface.image(), p.y() + dy, p.x() - 2, p.x() + 2, red);
        QVERIFY2(hits > 0, qPrintable(QStringLiteral("the curve stops short of the edge at x = %1").arg(x)));
    }
    if (gapTo > gapFrom) {
        for (int c = qRound(surface.toPixel(gapFrom, 0).x()); c <= qRound(surface.toPixel(gapTo, 0).x()); ++c)
            QCOMPARE(countInColumn(surface.image(), c, 0, 363, red), 0);
    }
}

void TestGraphRenderer::fillerClampsAndStrokes_data()
{
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("x2");
    QTest::addColumn<bool>("all");
    QTest::addColumn<double>("clamped1");
    QTest::addColumn<double>("clamped2");
    QTest::addColumn<int>("strokes");

    // x^2+1 on [-10, 10], prec 200: floor(200 * span / 20) strokes, halved in the graph window.
    QTest::newRow("limits beyond the interval") << -20.0 << 20.0 << false << -10.0 << 10.0 << 100;
    QTest::newRow("full-screen draws all strokes") << -20.0 << 20.0 << true << -10.0 << 10.0 << 200;
    QTest::newRow("left limit inside") << -3.0 << 20.0 << false << -3.0 << 10.0 << 65;
    QTest::newRow("reversed limits draw nothing") << 4.0 << -4.0 << false << 4.0 << -4.0 << 0;
    QTest::newRow("too narrow for a stroke") << 1.0 << 1.15 << false << 1.0 << 1.15 << 0;
}

void TestGraphRenderer::fillerClampsAndStrokes()
{
    QFETCH(double, x1);
    QFETCH(double, x2);
    QFETCH(bool, all);
    QFETCH(double, clamped1);
    QFETCH(double, clamped2);
    QFETCH(int, strokes);
    const auto f = makeProject(QStringLiteral("x^2+1"), -10, 10);
    QVERIFY(f);
    GraphSurface surface(QSize(2000, 400));
    GraphRenderer::drawGraph(surface, *f);
    GraphRenderer::shadeArea(surface, *f, x1, x2, all ? GraphRenderer::ShadeStrokes::All : GraphRenderer::ShadeStrokes::Half);
    QCOMPARE(x1, clamped1);
    QCOMPARE(x2, clamped2);
    // The doubled colour value: red 255 gives 510, 0x0001FE.
    const QRgb shade = rgb(510);
    QCOMPARE(shade & 0xFFFFFF, QRgb(0xFE0100));
    // Every stroke rises from the axis, so a row just above it crosses each one once.
    const int row = qRound(surface.toPixel(0, 0).y()) - 3;
    QCOMPARE(runsInRow(surface.image(), row, shade), strokes);
    if (strokes > 0) {
        const int left = qRound(surface.toPixel(clamped1, 0).x());
        QCOMPARE(countInRow(surface.image(), row, 0, left - 2, shade), 0);
    }
}

QTEST_MAIN(TestGraphRenderer)
#include "tst_graphrenderer.moc"

void TestGraphRenderer::adaptiveCurveReachesThePeaks_data()
{
    // Points near the peaks that fall between the 200 samples, where a chord through the
    // samples passes by more than a pixel (at |y| = 0.75, clear of the axis labels' halo).
    QTest::addColumn<QString>("function");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("yLimit");
    QTest::addColumn<QList<double>>("peaks");
    const double pi = 3.14159265358979;
    QList<double> sinPeaks;
    for (int k = 2; k <= 4; ++k)
        for (double offset : {-0.7227, 0.7227})
            sinPeaks << 1 / (pi / 2 + 2 * pi * k + offset) << 1 / (3 * pi / 2 + 2 * pi * k + offset);
    QTest::newRow("sin(1/x) on [0.01, 1]") << QStringLiteral("sin(1/x)") << 0.01 << 1.0 << 1.2 << sinPeaks;
    // Halfway between the samples 1.40 and 1.45, where the chord runs 0.15 (2.5 pixels) high.
    QTest::newRow("tan(x) on [-5, 5]") << QStringLiteral("tan(x)") << -5.0 << 5.0 << 10.0
                                       << QList<double>{1.425, -1.425, 1.425 - pi};
}

void TestGraphRenderer::adaptiveCurveReachesThePeaks()
{
    QFETCH(QString, function);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, yLimit);
    QFETCH(QList<double>, peaks);
    const auto f = makeProject(function, a, b);
    QVERIFY(f);
    f->setYMin(-yLimit);
    f->setYMax(yLimit);
    f->setGraphPoints(200);
    GraphSurface surface(QSize(600, 400));
    GraphRenderer::drawGraph(surface, *f);
    for (double x : peaks) {
        qint32 error = 0;
        // One pixel of slack for the line's rasterisation.
        const QPoint p = surface.toPixel(x, f->f().evaluate(x, error)).toPoint();
        int hits = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx)
                hits += (surface.image().pixel(p.x() + dx, p.y() + dy) & 0xFFFFFF) == (rgb(255) & 0xFFFFFF);
        }
        QVERIFY2(hits > 0, qPrintable(QStringLiteral("no curve at x = %1").arg(x)));
    }
}
