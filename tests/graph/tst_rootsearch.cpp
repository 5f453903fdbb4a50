// The root scan: which roots it lists for functions with simple, double, touching and missing
// roots, roots at and beyond the ends, poles and partly undefined functions, with the texts of
// the list and the summary label.
#include "ProjectTestSupport.h"
#include "analysis/RootScan.h"
#include "analysis/RootScanChunks.h"
#include "graph/RootList.h"
#include "project/ExampleEquations.h"
#include "project/FunctionProject.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace ProjectTestSupport;

namespace {

const QString NoRoot = QStringLiteral("No root found. Select another interval or change the root-finding steps.");
const QString OneRoot = QStringLiteral("One root found. Select the root to locate it on the graph.");
const QString Roots = QStringLiteral("roots found. Select one to locate it on the graph.");

} // namespace

class TestRootSearch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void scan_data();
    void scan();
    void manyRoots();
    void emptyOrBrokenIntervals_data();
    void emptyOrBrokenIntervals();
    void scanAppendsToTheList();
    void rootTextInLocale_data();
    void rootTextInLocale();
    void largestStepCountIsQuick();
    void chunkedScanEqualsSingleThread_data();
    void chunkedScanEqualsSingleThread();
};

void TestRootSearch::initTestCase()
{
    // Numbers are checked as a C locale writes them; nothing touches the user's settings.
    QLocale::setDefault(QLocale::c());
    QStandardPaths::setTestModeEnabled(true);
    QString why;
    QVERIFY2(engineReady(&why), qPrintable(why));
}

void TestRootSearch::cleanup()
{
    QLocale::setDefault(QLocale::c());
    RootScanChunks::setFixedChunkCount(0);
}

void TestRootSearch::scan_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QStringList>("roots");

    QTest::newRow("x^2-2: two simple roots") << "x^2-2" << "" << -10.0 << 10.0 << 1000
                                           << QStringList{"-1.41421356", "1.41421356"};
    QTest::newRow("x^2: zero at a sample, listed once") << "x^2" << "" << -10.0 << 10.0 << 1000 << QStringList{"0"};
    QTest::newRow("(x-1)^2 with 999 steps: touching root between samples")
        << "(x-1)^2" << "" << -10.0 << 10.0 << 999 << QStringList{"1"};
    QTest::newRow("(3x-1)^2: double root off the grid") << "(3x-1)^2" << "" << -1.0 << 1.0 << 1000
                                                      << QStringList{"0.33333333"};
    QTest::newRow("1/x: pole is no root (0 a sample)") << "1/x" << "" << -1.0 << 1.0 << 1000 << QStringList{};
    QTest::newRow("1/x: sign change across the pole dropped") << "1/x" << "" << -1.0 << 1.0 << 999 << QStringList{};
    QTest::newRow("tan: poles dropped, zero kept") << "tan(x)" << "" << -2.0 << 2.0 << 1000 << QStringList{"0"};
    QTest::newRow("sin on [0, 7]") << "sin(x)" << "" << 0.0 << 7.0 << 1000
                                   << QStringList{"0", "3.14159265", "6.28318531"};
    QTest::newRow("sin on [0, 2*pi]: b just below the root is the root")
        << "sin(x)" << "" << 0.0 << 2 * M_PI << 1000 << QStringList{"0", "3.14159265", "6.28318531"};
    QTest::newRow("root one step left of a") << "x+1.001" << "" << -1.0 << 1.0 << 1000 << QStringList{"-1.001"};
    QTest::newRow("roots at both ends") << "x^2-1" << "" << -1.0 << 1.0 << 1000 << QStringList{"-1", "1"};
    QTest::newRow("root beyond b not listed") << "x-1.001" << "" << -1.0 << 1.0 << 1000 << QStringList{};
    QTest::newRow("three roots, one on a sample") << "x^3-x" << "" << -2.0 << 2.0 << 1000
                                                << QStringList{"-1", "0", "1"};
    QTest::newRow("ln undefined left of zero") << "ln(x)" << "" << -2.0 << 3.0 << 1000 << QStringList{"1"};
    QTest::newRow("sqrt undefined left of zero") << "sqrt(x)-1" << "" << -5.0 << 5.0 << 1000 << QStringList{"1"};
    QTest::newRow("sqrt touching zero where it starts") << "sqrt(x)" << "" << -1.0 << 1.0 << 1000 << QStringList{"0"};
    QTest::newRow("undefined end of a sign change") << "sqrt(x)+x-2" << "" << -3.0 << 3.0 << 1000 << QStringList{"1"};
    QTest::newRow("fourth power") << "(x-0.5)^4" << "" << -1.0 << 1.0 << 1000 << QStringList{"0.5"};
    QTest::newRow("no real root") << "x^2+1" << "" << -10.0 << 10.0 << 1000 << QStringList{};
    QTest::newRow("parameters") << "exp(a*x)-exp(b*x)+c" << "a=2; b=4; c=1" << -3.0 << 3.0 << 1000
                                << QStringList{"0.24060591"};
    QTest::newRow("x^2-2*10^10: large values near the roots")
        << "x^2-2*10^10" << "" << -2e5 << 2e5 << 1000 << QStringList{"-141421.35623731", "141421.35623731"};
    QTest::newRow("x^3-2*10^9: large values near the root") << "x^3-2*10^9" << "" << 0.0 << 2000.0 << 1000
                                                           << QStringList{"1259.92104989"};
    QTest::newRow("Wilkinson's polynomial of degree 10, expanded: 9 kept")
        << "x^10-55x^9+1320x^8-18150x^7+157773x^6-902055x^5+3416930x^4-8409500x^3+12753576x^2-10628640x+3628800"
        << "" << -1.0 << 11.0 << 50000 << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    QTest::newRow("Wilkinson's polynomial on [0.1, 10.9]: rounding noise wider than the neighbours")
        << "x^10-55x^9+1320x^8-18150x^7+157773x^6-902055x^5+3416930x^4-8409500x^3+12753576x^2-10628640x+3628800"
        << "" << 0.1 << 10.9 << 50000 << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    QTest::newRow("tan on [-5, 5]: poles dropped") << "tan(x)" << "" << -5.0 << 5.0 << 1000
                                                  << QStringList{"-3.14159265", "0", "3.14159265"};
    QTest::newRow("abs(x)/x: a jump is no root") << "abs(x)/x" << "" << -1.0 << 1.0 << 999 << QStringList{};
    QTest::newRow("reversed interval scans downwards") << "x^2-2" << "" << 10.0 << -10.0 << 1000
                                                     << QStringList{"1.41421356", "-1.41421356"};
}

void TestRootSearch::scan()
{
    QFETCH(QString, expression);
    QFETCH(QString, parameters);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, steps);
    QFETCH(QStringList, roots);
    const auto f = makeProject(expression, a, b, parameters, steps);
    QVERIFY(f);
    RootList search;
    QVERIFY(!search.rootsFound());
    QCOMPARE(search.scanRoots(*f), roots.size());
    QVERIFY(search.rootsFound());
    QCOMPARE(search.texts(), roots);
    if (roots.isEmpty())
        QCOMPARE(search.resultText(), NoRoot);
    else if (roots.size() == 1)
        QCOMPARE(search.resultText(), OneRoot);
    else
        QCOMPARE(search.resultText(), QString::number(roots.size()) + QLatin1Char(' ') + Roots);
}

void TestRootSearch::manyRoots()
{
    // sin(10x) on [0, 10]: the roots k*pi/10, ascending, one per sub-interval.
    const auto f = makeProject(QStringLiteral("sin(10x)"), 0, 10, QString(), 1000);
    QVERIFY(f);
    RootList search;
    QCOMPARE(search.scanRoots(*f), 32);
    const QStringList texts = search.texts();
    for (int k = 0; k < texts.size(); ++k)
        QCOMPARE(texts.at(k), RootList::rootText(k * M_PI / 10));
    QCOMPARE(search.resultText(), QStringLiteral("32 ") + Roots);
}

void TestRootSearch::emptyOrBrokenIntervals_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("steps");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("zero width") << 1.0 << 1.0 << 1000;
    QTest::newRow("no steps") << -1.0 << 1.0 << 0;
    QTest::newRow("negative steps") << -1.0 << 1.0 << -5;
    QTest::newRow("not a number") << std::nan("") << 1.0 << 1000;
    QTest::newRow("infinite end") << -inf << 1.0 << 1000;
    QTest::newRow("width overflows") << -1e308 << 1e308 << 1000;
}

void TestRootSearch::emptyOrBrokenIntervals()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, steps);
    const auto f = makeProject(QStringLiteral("x-1"), -1, 1);
    QVERIFY(f);
    f->setXMin(a);
    f->setXMax(b);
    f->setRootSteps(steps);
    RootList search;
    QCOMPARE(search.scanRoots(*f), 0);
    QVERIFY(search.rootsFound());
    QCOMPARE(search.resultText(), NoRoot);
}

void TestRootSearch::scanAppendsToTheList()
{
    const auto f = makeProject(QStringLiteral("x^2-2"), -10, 10, QString(), 1000);
    QVERIFY(f);
    RootList search;
    search.scanRoots(*f);
    // The scan itself never empties the list; its callers do. The label counts this scan.
    QCOMPARE(search.scanRoots(*f), 2);
    QCOMPARE(search.count(), 4);
    QCOMPARE(search.resultText(), QStringLiteral("2 ") + Roots);
}

void TestRootSearch::rootTextInLocale_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<double>("root");
    QTest::addColumn<QString>("text");
    QTest::newRow("C") << "C" << std::sqrt(2.0) << "1.41421356";
    QTest::newRow("German comma") << "de_DE" << -std::sqrt(2.0) << "-1,41421356";
    QTest::newRow("rounded up at the 9th decimal") << "C" << 0.123456786 << "0.12345679";
    QTest::newRow("tiny root is zero") << "C" << -3e-10 << "0";
    QTest::newRow("large root keeps 15 digits") << "C" << 123456.123456789 << "123456.12345679";
}

void TestRootSearch::rootTextInLocale()
{
    QFETCH(QString, localeName);
    QFETCH(double, root);
    QFETCH(QString, text);
    QLocale::setDefault(QLocale(localeName));
    QCOMPARE(RootList::rootText(root), text);
}

void TestRootSearch::largestStepCountIsQuick()
{
    const auto f = makeProject(QStringLiteral("sin(x)-cos(x)"), -10, 10, QString(), FunctionProject::MaxRootSteps);
    QVERIFY(f);
    RootList search;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(search.scanRoots(*f), 6);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_MAIN(TestRootSearch)
void TestRootSearch::chunkedScanEqualsSingleThread_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("chunks");

    for (const ExampleEquation &example : ExampleEquations)
        QTest::newRow(example.function) << QString::fromLatin1(example.function)
                                        << QString::fromLatin1(example.parameters) << example.start << example.end
                                        << 5000 << 3;
    QTest::newRow("1/x: sign change across the pole") << "1/x" << "" << -1.0 << 1.0 << 999 << 2;
    QTest::newRow("tan(x): poles and zeros") << "tan(x)" << "" << -5.0 << 5.0 << 1000 << 8;
    QTest::newRow("sin(1/x): roots crowding at 0") << "sin(1/x)" << "" << -1.0 << 1.0 << 20000 << 8;
    QTest::newRow("997 steps in 8 chunks") << "sin(10x)" << "" << 0.0 << 10.0 << 997 << 8;
}

// The scan shared among threads lists the very roots of the single-thread scan, whole or in
// slices that do not line up with the chunks.
void TestRootSearch::chunkedScanEqualsSingleThread()
{
    QFETCH(QString, expression);
    QFETCH(QString, parameters);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, steps);
    QFETCH(int, chunks);
    const auto f = makeProject(expression, a, b, parameters, steps);
    QVERIFY(f);
    RootScanChunks::setFixedChunkCount(1);
    RootList single;
    single.scanRoots(*f);
    const QVector<double> singleRoots = RootScan::run(*f);

    RootScanChunks::setFixedChunkCount(chunks);
    RootList chunked;
    chunked.scanRoots(*f);
    QCOMPARE(RootScan::run(*f), singleRoots);
    RootScan sliced(*f);
    while (!sliced.advance(1237)) {
    }
    QCOMPARE(sliced.roots(), singleRoots);
    QCOMPARE(chunked.texts(), single.texts());
    QCOMPARE(chunked.resultText(), single.resultText());
}

#include "tst_rootsearch.moc"
