// FunctionProject: a new project from load, copies for dialogs with copyViewFrom, the release of
// its three expressions, and the arithmetic of pan and zoom.
#include "core/ProgramSettings.h"
#include "ProjectTestSupport.h"
#include "project/FunctionProject.h"
#include "project/ParameterSlider.h"

#include <QtTest>

using namespace ProjectTestSupport;

class TestFunctionProject : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void loadDataView_data();
    void loadDataView();
    void loadDataFields();
    void loadDataParameters();
    void loadDataCounts_data();
    void loadDataCounts();
    void copyData();
    void releaseTrees();
    void destructorReleasesTrees();
    void pan_data();
    void pan();
    void zoom_data();
    void zoom();
    void zoomAboutKeepsThePoint_data();
    void zoomAboutKeepsThePoint();
    void directionAt_data();
    void directionAt();
    void sliderStep_data();
    void sliderStep();
};

void TestFunctionProject::initTestCase()
{
    // Numbers are checked as a C locale writes them; nothing touches the user's settings.
    QLocale::setDefault(QLocale::c());
    QStandardPaths::setTestModeEnabled(true);
    QString why;
    QVERIFY2(engineReady(&why), qPrintable(why));
}

void TestFunctionProject::cleanup() { programSettings() = ProgramSettings(); }

void TestFunctionProject::loadDataView_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("ymin");
    QTest::addColumn<double>("ymax");

    QTest::newRow("spans zero: the interval itself") << -3.0 << 5.0 << -3.0 << 5.0;
    QTest::newRow("right of zero: centred") << 2.0 << 6.0 << -2.0 << 2.0;
    QTest::newRow("left of zero: centred") << -6.0 << -2.0 << -2.0 << 2.0;
    QTest::newRow("starts at zero: neither end negative") << 0.0 << 4.0 << -2.0 << 2.0;
    QTest::newRow("ends at zero: exactly one negative") << -4.0 << 0.0 << -4.0 << 0.0;
    QTest::newRow("default wizard interval") << -10.0 << 10.0 << -10.0 << 10.0;
}

void TestFunctionProject::loadDataView()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, ymin);
    QFETCH(double, ymax);
    const auto project = makeProject(QStringLiteral("x^2-2"), a, b);
    QVERIFY(project);
    QCOMPARE(project->xMin(), a);
    QCOMPARE(project->xMax(), b);
    QCOMPARE(project->yMin(), ymin);
    QCOMPARE(project->yMax(), ymax);
}

void TestFunctionProject::loadDataFields()
{
    const auto project = makeProject(QStringLiteral("sin(x)-cos(x)"), -3, 3);
    QVERIFY(project);
    QCOMPARE(project->functionText(), QStringLiteral("sin(x)-cos(x)"));
    QCOMPARE(project->title(), QStringLiteral("sin(x)-cos(x)=0"));
    QVERIFY(project->file().isEmpty());
    QCOMPARE(project->parameterText(), QString());
    QCOMPARE(project->axesColor(), 0);
    QCOMPARE(project->graphColor(), 255);
    QCOMPARE(project->gridColor(), 12632256);
    QVERIFY(project->showGrid());
    QCOMPARE(project->graphPoints(), 200);
    QCOMPARE(project->rootSteps(), 1000);

    // f' and f'' are the derivatives of f: at x = 0, cos + sin = 1 and -sin + cos = 1.
    QVERIFY(!project->fPrime().isNull() && !project->fSecond().isNull());
    qint32 error = 0;
    QCOMPARE(project->fPrime().evaluate(0, error), 1.0);
    QCOMPARE(error, 0);
    QCOMPARE(project->fSecond().evaluate(0, error), 1.0);
}

void TestFunctionProject::loadDataParameters()
{
    const auto project = makeProject(QStringLiteral("exp(a*x)-exp(b*x)+c"), -3, 3, QStringLiteral("a=2; b=4; c=1"));
    QVERIFY(project);
    const QString shown = project->f().parameters();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(project->parameterText(), shown);
    // The derivative carries the parameter values: f'(0) = a - b = -2.
    qint32 error = 0;
    QCOMPARE(project->fPrime().evaluate(0, error), -2.0);
    QCOMPARE(error, 0);
}

void TestFunctionProject::loadDataCounts_data()
{
    QTest::addColumn<int>("graphPrecision");
    QTest::addColumn<int>("rootSteps");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("steps");

    QTest::newRow("settings taken as they are") << 500 << 2000 << 500 << 2000;
    QTest::newRow("limits themselves") << 10 << 50000 << 10 << 50000;
    QTest::newRow("too few clamped up") << 5 << 50 << 10 << 100;
    QTest::newRow("too many clamped down") << 5000 << 1000000 << 1000 << 50000;
    QTest::newRow("zero and negative clamped up") << 0 << -7 << 10 << 100;
}

void TestFunctionProject::loadDataCounts()
{
    QFETCH(int, graphPrecision);
    QFETCH(int, rootSteps);
    QFETCH(int, points);
    QFETCH(int, steps);
    programSettings().GraphPrecision = graphPrecision;
    programSettings().RootSteps = rootSteps;
    const auto project = makeProject(QStringLiteral("x"), -1, 1);
    QVERIFY(project);
    QCOMPARE(project->graphPoints(), points);
    QCOMPARE(project->rootSteps(), steps);
}

void TestFunctionProject::copyData()
{
    const auto source = makeProject(QStringLiteral("x^3"), -1, 2);
    const auto target = makeProject(QStringLiteral("a*x"), -5, 5, QStringLiteral("a=3"));
    QVERIFY(source && target);
    source->setYMin(-7);
    source->setYMax(9);
    source->setGraphPoints(321);
    source->setRootSteps(4321);
    source->setAxesColor(0x112233);
    source->setGraphColor(0x445566);
    source->setGridColor(0x778899);
    source->setTitle(QStringLiteral("copied title"));
    source->setShowGrid(true);
    source->setFile(QStringLiteral("/tmp/source.tvp"));
    target->setShowGrid(false);
    target->setFile(QStringLiteral("/tmp/target.tvp"));
    const QString param = target->parameterText();
    const QString texts[3] = {target->f().text(), target->fPrime().text(), target->fSecond().text()};

    target->copyViewFrom(*source);

    QCOMPARE(target->xMin(), -1.0);
    QCOMPARE(target->xMax(), 2.0);
    QCOMPARE(target->yMin(), -7.0);
    QCOMPARE(target->yMax(), 9.0);
    QCOMPARE(target->graphPoints(), 321);
    QCOMPARE(target->rootSteps(), 4321);
    QCOMPARE(target->axesColor(), 0x112233);
    QCOMPARE(target->graphColor(), 0x445566);
    QCOMPARE(target->gridColor(), 0x778899);
    QCOMPARE(target->title(), QStringLiteral("copied title"));
    // Everything else is the target's own.
    QCOMPARE(target->functionText(), QStringLiteral("a*x"));
    QCOMPARE(target->parameterText(), param);
    QVERIFY(!target->showGrid());
    QCOMPARE(target->file(), QStringLiteral("/tmp/target.tvp"));
    QCOMPARE(target->f().text(), texts[0]);
    QCOMPARE(target->fPrime().text(), texts[1]);
    QCOMPARE(target->fSecond().text(), texts[2]);

    // A copy for a dialog owns no trees.
    const int live = Expression::liveCount();
    FunctionProject backup;
    backup.copyViewFrom(*source);
    QVERIFY(backup.f().isNull() && backup.fPrime().isNull() && backup.fSecond().isNull());
    QCOMPARE(Expression::liveCount(), live);
}

void TestFunctionProject::releaseTrees()
{
    const int before = Expression::liveCount();
    const auto project = makeProject(QStringLiteral("x^2"), -1, 1);
    QVERIFY(project);
    QCOMPARE(Expression::liveCount(), before + 3);
    project->releaseExpressions();
    QVERIFY(project->f().isNull() && project->fPrime().isNull() && project->fSecond().isNull());
    QCOMPARE(Expression::liveCount(), before);
    project->releaseExpressions();  // a second release finds nothing to release
    QCOMPARE(Expression::liveCount(), before);
}

void TestFunctionProject::destructorReleasesTrees()
{
    const int before = Expression::liveCount();
    {
        const auto project = makeProject(QStringLiteral("x+1"), -1, 1);
        QVERIFY(project);
    }
    QCOMPARE(Expression::liveCount(), before);
}

// Views as "xMin xMax yMin yMax".
using View = QVector<double>;
View viewOf(const FunctionProject &p) { return {p.xMin(), p.xMax(), p.yMin(), p.yMax()}; }
void setView(FunctionProject &p, const View &v)
{
    p.setXMin(v[0]);
    p.setXMax(v[1]);
    p.setYMin(v[2]);
    p.setYMax(v[3]);
}

void TestFunctionProject::pan_data()
{
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<View>("expected");
    QTest::addColumn<bool>("xChanged");
    // From [-10, 10] x [-5, 5].
    QTest::newRow("right and down") << 1 << -1 << View{-8, 12, -6, 4} << true;
    QTest::newRow("up only keeps the x interval") << 0 << 1 << View{-10, 10, -4, 6} << false;
    QTest::newRow("left") << -1 << 0 << View{-12, 8, -5, 5} << true;
    QTest::newRow("nowhere") << 0 << 0 << View{-10, 10, -5, 5} << false;
}

void TestFunctionProject::pan()
{
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(View, expected);
    QFETCH(bool, xChanged);
    FunctionProject project;
    setView(project, {-10, 10, -5, 5});
    QCOMPARE(project.pan(dx, dy), xChanged);
    QCOMPARE(viewOf(project), expected);
}

void TestFunctionProject::zoom_data()
{
    QTest::addColumn<View>("start");
    QTest::addColumn<bool>("zoomX");
    QTest::addColumn<bool>("zoomY");
    QTest::addColumn<double>("factor");
    QTest::addColumn<View>("expected");
    QTest::addColumn<bool>("xChanged");
    QTest::addColumn<bool>("yChanged");
    // Limits: MinLen 0.001, MaxLen 10000.
    QTest::newRow("in, both") << View{-10, 10, -5, 5} << true << true << 0.5 << View{-5, 5, -2.5, 2.5} << true << true;
    QTest::newRow("out, both") << View{-10, 10, -5, 5} << true << true << 2.0 << View{-20, 20, -10, 10} << true << true;
    QTest::newRow("out refused in x beyond MaxLen, y still zooms")
        << View{-4000, 4000, -5, 5} << true << true << 2.0 << View{-4000, 4000, -10, 10} << false << true;
    QTest::newRow("in refused below MinLen") << View{0, 0.0015, -1, 1} << true << false << 0.5
                                             << View{0, 0.0015, -1, 1} << false << false;
    QTest::newRow("in to exactly MinLen") << View{0, 0.002, -1, 1} << true << false << 0.5
                                          << View{0.0005, 0.0015, -1, 1} << true << false;
    QTest::newRow("only y") << View{-10, 10, -5, 5} << false << true << 0.5 << View{-10, 10, -2.5, 2.5} << false << true;
}

void TestFunctionProject::zoom()
{
    QFETCH(View, start);
    QFETCH(bool, zoomX);
    QFETCH(bool, zoomY);
    QFETCH(double, factor);
    QFETCH(View, expected);
    QFETCH(bool, xChanged);
    QFETCH(bool, yChanged);
    FunctionProject project;
    setView(project, start);
    project.zoom(zoomX, zoomY, factor);
    QCOMPARE(zoomX, xChanged);
    QCOMPARE(zoomY, yChanged);
    QCOMPARE(viewOf(project), expected);
}

void TestFunctionProject::zoomAboutKeepsThePoint_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("factor");
    QTest::addColumn<View>("expected");
    // From [-10, 10] x [-5, 5].
    QTest::newRow("centre: as the zoom keys") << 0.0 << 0.0 << 0.5 << View{-5, 5, -2.5, 2.5};
    QTest::newRow("off centre, in") << 6.0 << -1.0 << 0.5 << View{-2, 8, -3, 2};
    QTest::newRow("off centre, out") << -10.0 << 5.0 << 2.0 << View{-10, 30, -15, 5};
}

void TestFunctionProject::zoomAboutKeepsThePoint()
{
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, factor);
    QFETCH(View, expected);
    FunctionProject project;
    setView(project, {-10, 10, -5, 5});
    bool zoomX = true, zoomY = true;
    project.zoomAbout(x, y, zoomX, zoomY, factor);
    QVERIFY(zoomX && zoomY);
    QCOMPARE(viewOf(project), expected);
    // The limits hold as for the keys: a view of width 8000 cannot double.
    setView(project, {-4000, 4000, -5, 5});
    project.zoomAbout(x, y, zoomX, zoomY, 2);
    QVERIFY(!zoomX && zoomY);
}

void TestFunctionProject::directionAt_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    // View [-10, 10] x [-5, 5]: the edges themselves belong to the margins.
    QTest::newRow("inside") << 0.f << 0.f << 0 << 0;
    QTest::newRow("exactly on x = b") << 10.f << 0.f << 1 << 0;
    QTest::newRow("exactly on x = a") << -10.f << 0.f << -1 << 0;
    QTest::newRow("top right corner margin") << 11.f << 6.f << 1 << 1;
    QTest::newRow("below") << 3.f << -5.5f << 0 << -1;
}

void TestFunctionProject::directionAt()
{
    QFETCH(float, x);
    QFETCH(float, y);
    QFETCH(int, dx);
    QFETCH(int, dy);
    FunctionProject project;
    setView(project, {-10, 10, -5, 5});
    const ViewDirection direction = project.directionAt(x, y);
    QCOMPARE(direction.dx, dx);
    QCOMPARE(direction.dy, dy);
}

void TestFunctionProject::sliderStep_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("startPosition");   // of the value in the text, in its default range
    QTest::addColumn<int>("position");        // where the slider is moved
    QTest::addColumn<QString>("expected");
    QTest::newRow("a = 2 spans [0, 4]; the high end") << "a=2" << "a" << 500 << 1000 << "a=4";
    QTest::newRow("first of two, the other kept as typed") << "a=-3;  b = 1" << "a" << 500 << 250
                                                           << "a=-4.5;  b = 1";
    QTest::newRow("small steps get their decimals") << "a=0.5" << "a" << 500 << 501 << "a=0.502";
    QTest::newRow("zero spans [-1, 1]; no minus zero") << "c=0; " << "c" << 500 << 500 << "c=0; ";
    QTest::newRow("large values without exponent") << "k=1000000" << "k" << 500 << 1 << "k=2000";
}

void TestFunctionProject::sliderStep()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(int, startPosition);
    QFETCH(int, position);
    QFETCH(QString, expected);
    const QVector<ParameterValue> values = ParameterSlider::parse(text);
    const auto it = std::find_if(values.begin(), values.end(), [&](const ParameterValue &v) { return v.name == name; });
    QVERIFY(it != values.end());
    const SliderRange range = ParameterSlider::defaultRange(it->value);
    QCOMPARE(ParameterSlider::position(range, it->value), startPosition);
    const QString value = ParameterSlider::valueText(ParameterSlider::value(range, position), range);
    QCOMPARE(ParameterSlider::withValue(text, name, value), expected);
    // The range as the project file keeps it reads back the same.
    SliderRange read;
    QVERIFY(ParameterSlider::readRange(ParameterSlider::rangeText(range), read));
    QCOMPARE(read, range);
}

QTEST_GUILESS_MAIN(TestFunctionProject)
#include "tst_functionproject.moc"
