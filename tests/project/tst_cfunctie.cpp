// cFunctie: a new project from LoadData, copies for dialogs with CopyData, and the release of
// its three trees.
#include "EngineBinding.h"
#include "ProgramSettings.h"
#include "ProjectTestSupport.h"
#include "cFunctie.h"

#include <QtTest>

using namespace ProjectTestSupport;

class TestCFunctie : public QObject {
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
};

void TestCFunctie::initTestCase()
{
    // Numbers are checked as a C locale writes them; nothing touches the user's settings.
    QLocale::setDefault(QLocale::c());
    QStandardPaths::setTestModeEnabled(true);
    QString why;
    QVERIFY2(engineReady(&why), qPrintable(why));
}

void TestCFunctie::cleanup() { programSettings() = ProgramSettings(); }

void TestCFunctie::loadDataView_data()
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

void TestCFunctie::loadDataView()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, ymin);
    QFETCH(double, ymax);
    const auto project = makeProject(QStringLiteral("x^2-2"), a, b);
    QVERIFY(project);
    QCOMPARE(project->a(), a);
    QCOMPARE(project->b(), b);
    QCOMPARE(project->ymin(), ymin);
    QCOMPARE(project->ymax(), ymax);
}

void TestCFunctie::loadDataFields()
{
    const auto project = makeProject(QStringLiteral("sin(x)-cos(x)"), -3, 3);
    QVERIFY(project);
    QCOMPARE(project->numestr(), QStringLiteral("sin(x)-cos(x)"));
    QCOMPARE(project->title(), QStringLiteral("sin(x)-cos(x)=0"));
    QVERIFY(project->file().isEmpty());
    QCOMPARE(project->param(), QString());
    QCOMPARE(project->coloraxe(), 0);
    QCOMPARE(project->colorgrafic(), 255);
    QCOMPARE(project->colorgrid(), 12632256);
    QVERIFY(project->showgrid());
    QCOMPARE(project->prec(), 200);
    QCOMPARE(project->hiq(), 1000);

    // f' and f'' are the derivatives of f: at x = 0, cos + sin = 1 and -sin + cos = 1.
    QVERIFY(project->nume1() != 0 && project->nume2() != 0);
    qint32 error = 0;
    QCOMPARE(trev::engine().EvalTree(project->nume1(), 0, &error), 1.0);
    QCOMPARE(error, 0);
    QCOMPARE(trev::engine().EvalTree(project->nume2(), 0, &error), 1.0);
}

void TestCFunctie::loadDataParameters()
{
    const auto project = makeProject(QStringLiteral("exp(a*x)-exp(b*x)+c"), -3, 3, QStringLiteral("a=2; b=4; c=1"));
    QVERIFY(project);
    const QString shown = QString::fromLocal8Bit(trev::engine().ShowParameters(project->nume()));
    QVERIFY(!shown.isEmpty());
    QCOMPARE(project->param(), shown);
    // The derivative carries the parameter values: f'(0) = a - b = -2.
    qint32 error = 0;
    QCOMPARE(trev::engine().EvalTree(project->nume1(), 0, &error), -2.0);
    QCOMPARE(error, 0);
}

void TestCFunctie::loadDataCounts_data()
{
    QTest::addColumn<int>("graphPrecision");
    QTest::addColumn<int>("rootSteps");
    QTest::addColumn<int>("prec");
    QTest::addColumn<int>("hiq");

    QTest::newRow("settings taken as they are") << 500 << 2000 << 500 << 2000;
    QTest::newRow("limits themselves") << 10 << 50000 << 10 << 50000;
    QTest::newRow("too few clamped up") << 5 << 50 << 10 << 100;
    QTest::newRow("too many clamped down") << 5000 << 1000000 << 1000 << 50000;
    QTest::newRow("zero and negative clamped up") << 0 << -7 << 10 << 100;
}

void TestCFunctie::loadDataCounts()
{
    QFETCH(int, graphPrecision);
    QFETCH(int, rootSteps);
    QFETCH(int, prec);
    QFETCH(int, hiq);
    programSettings().GraphPrecision = graphPrecision;
    programSettings().RootSteps = rootSteps;
    const auto project = makeProject(QStringLiteral("x"), -1, 1);
    QVERIFY(project);
    QCOMPARE(project->prec(), prec);
    QCOMPARE(project->hiq(), hiq);
}

void TestCFunctie::copyData()
{
    const auto source = makeProject(QStringLiteral("x^3"), -1, 2);
    const auto target = makeProject(QStringLiteral("a*x"), -5, 5, QStringLiteral("a=3"));
    QVERIFY(source && target);
    source->setYmin(-7);
    source->setYmax(9);
    source->setPrec(321);
    source->setHiq(4321);
    source->setColoraxe(0x112233);
    source->setColorgrafic(0x445566);
    source->setColorgrid(0x778899);
    source->setTitle(QStringLiteral("copied title"));
    source->setShowgrid(true);
    source->setFile(QStringLiteral("/tmp/source.tvp"));
    target->setShowgrid(false);
    target->setFile(QStringLiteral("/tmp/target.tvp"));
    const TrevHandle trees[3] = {target->nume(), target->nume1(), target->nume2()};
    const QString param = target->param();

    target->CopyData(*source);

    QCOMPARE(target->a(), -1.0);
    QCOMPARE(target->b(), 2.0);
    QCOMPARE(target->ymin(), -7.0);
    QCOMPARE(target->ymax(), 9.0);
    QCOMPARE(target->prec(), 321);
    QCOMPARE(target->hiq(), 4321);
    QCOMPARE(target->coloraxe(), 0x112233);
    QCOMPARE(target->colorgrafic(), 0x445566);
    QCOMPARE(target->colorgrid(), 0x778899);
    QCOMPARE(target->title(), QStringLiteral("copied title"));
    // Everything else is the target's own.
    QCOMPARE(target->numestr(), QStringLiteral("a*x"));
    QCOMPARE(target->param(), param);
    QVERIFY(!target->showgrid());
    QCOMPARE(target->file(), QStringLiteral("/tmp/target.tvp"));
    QCOMPARE(target->nume(), trees[0]);
    QCOMPARE(target->nume1(), trees[1]);
    QCOMPARE(target->nume2(), trees[2]);

    // A copy for a dialog owns no trees.
    cFunctie backup;
    backup.CopyData(*source);
    QCOMPARE(backup.nume(), TrevHandle(0));
    QCOMPARE(backup.nume1(), TrevHandle(0));
    QCOMPARE(backup.nume2(), TrevHandle(0));
}

void TestCFunctie::releaseTrees()
{
    const auto project = makeProject(QStringLiteral("x^2"), -1, 1);
    QVERIFY(project);
    const TrevHandle trees[3] = {project->nume(), project->nume1(), project->nume2()};
    project->ReleaseTrees();
    QCOMPARE(project->nume(), TrevHandle(0));
    QCOMPARE(project->nume1(), TrevHandle(0));
    QCOMPARE(project->nume2(), TrevHandle(0));
    for (TrevHandle tree : trees) {
        qint32 error = 0;
        trev::engine().EvalTree(tree, 1, &error);
        QCOMPARE(error, TREVMATH_ERR_INVALID_HANDLE);
    }
    project->ReleaseTrees();  // a second release finds nothing to release
}

void TestCFunctie::destructorReleasesTrees()
{
    TrevHandle tree = 0;
    {
        const auto project = makeProject(QStringLiteral("x+1"), -1, 1);
        QVERIFY(project);
        tree = project->nume();
    }
    qint32 error = 0;
    trev::engine().EvalTree(tree, 1, &error);
    QCOMPARE(error, TREVMATH_ERR_INVALID_HANDLE);
}

QTEST_GUILESS_MAIN(TestCFunctie)
#include "tst_cfunctie.moc"
