// The extrema scan: minima and maxima of f on the interval, ends included, inflections and
// poles as the scan treats them.
#include "ProjectTestSupport.h"
#include "analysis/ExtremaScan.h"
#include "analysis/RootScanChunks.h"
#include "analysis/VerticalFit.h"
#include "project/ExampleEquations.h"

#include <QtTest>

using namespace ProjectTestSupport;

Q_DECLARE_METATYPE(QVector<double>)

class TestExtremaScan : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(engineReady(&why), qPrintable(why));
    }

    // The fitted vertical range: rows give bounds the range must lie between, so that the
    // exact percentile index does not matter.
    void verticalFit_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<bool>("fitted");
        QTest::addColumn<double>("lowAtMost");
        QTest::addColumn<double>("lowAtLeast");
        QTest::addColumn<double>("highAtLeast");
        QTest::addColumn<double>("highAtMost");

        QTest::newRow("cubic: the central part with room") << "x^3-2*x-5" << -3.0 << 3.0 << true << -23.0 << -30.0 << 14.0 << 20.0;
        QTest::newRow("tan: the poles do not flatten it") << "tan(x)" << -5.0 << 5.0 << true << -5.0 << -60.0 << 5.0 << 60.0;
        QTest::newRow("constant: never narrower than the minimum") << "1" << 0.0 << 1.0 << true << 0.9995 << 0.9995 << 1.0005 << 1.0005;
        QTest::newRow("no finite value: refused") << "sqrt(x)" << -2.0 << -1.0 << false << 0.0 << 0.0 << 0.0 << 0.0;
    }

    void verticalFit()
    {
        QFETCH(QString, function);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(bool, fitted);
        const auto project = makeProject(function, a, b);
        QVERIFY(project);
        double low = 0, high = 0;
        QCOMPARE(VerticalFit::fittedRange(project->f(), a, b, 1000, 0.001, low, high), fitted);
        if (!fitted)
            return;
        QFETCH(double, lowAtMost);
        QFETCH(double, lowAtLeast);
        QFETCH(double, highAtLeast);
        QFETCH(double, highAtMost);
        // 1e-9 absorbs the rounding of the centred minimum range.
        QVERIFY2(low <= lowAtMost + 1e-9 && low >= lowAtLeast - 1e-9, qPrintable(QString::number(low)));
        QVERIFY2(high >= highAtLeast - 1e-9 && high <= highAtMost + 1e-9, qPrintable(QString::number(high)));
    }

    void extrema_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<QVector<double>>("xs");
        QTest::addColumn<QString>("types");   // m for a minimum, M for a maximum, in order

        QTest::newRow("parabola") << "x^2-2" << -10.0 << 10.0 << QVector<double>{0} << "m";
        QTest::newRow("cubic, ascending x") << "x^3-3x" << -3.0 << 3.0 << QVector<double>{-1, 1} << "Mm";
        QTest::newRow("sine over two periods") << "sin(x)" << 0.0 << 4 * M_PI
                                                << QVector<double>{M_PI / 2, 3 * M_PI / 2, 5 * M_PI / 2, 7 * M_PI / 2}
                                                << "MmMm";
        QTest::newRow("inflection is no extremum") << "x^3" << -2.0 << 2.0 << QVector<double>{} << "";
        QTest::newRow("extremum just beyond the end is found") << "(x-2)^2" << -1.0 << 2.0 << QVector<double>{2}
                                                               << "m";
        QTest::newRow("straight line") << "2x+1" << -5.0 << 5.0 << QVector<double>{} << "";
    }

    void extrema()
    {
        QFETCH(QString, function);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(QVector<double>, xs);
        QFETCH(QString, types);
        const auto project = makeProject(function, a, b);
        QVERIFY(project);
        const QVector<Extremum> found = ExtremaScan::run(*project);
        QCOMPARE(found.size(), xs.size());
        for (int i = 0; i < found.size(); ++i) {
            // The root finder refines f' = 0 far below the 1e-8 the lists show.
            QVERIFY2(std::fabs(found[i].x - xs[i]) < 1e-9, qPrintable(QString::number(found[i].x, 'g', 17)));
            QCOMPARE(found[i].isMinimum, types.at(i) == QLatin1Char('m'));
            int code = 0;
            QCOMPARE(found[i].y, project->f().evaluate(found[i].x, &code));
        }
    }

    // Shared among threads, the scan finds the very extrema of the single-thread scan.
    void chunkedScanEqualsSingleThread_data()
    {
        QTest::addColumn<int>("example");
        for (int i = 0; i < int(ExampleEquations.size()); ++i)
            QTest::newRow(ExampleEquations[size_t(i)].function) << i;
    }

    void chunkedScanEqualsSingleThread()
    {
        QFETCH(int, example);
        const ExampleEquation &e = ExampleEquations[size_t(example)];
        const auto project = makeProject(QString::fromLatin1(e.function), e.start, e.end,
                                         QString::fromLatin1(e.parameters), 4999);
        QVERIFY(project);
        RootScanChunks::setFixedChunkCount(1);
        const QVector<Extremum> single = ExtremaScan::run(*project);
        RootScanChunks::setFixedChunkCount(3);
        const QVector<Extremum> chunked = ExtremaScan::run(*project);
        RootScanChunks::setFixedChunkCount(0);
        QCOMPARE(chunked.size(), single.size());
        for (int i = 0; i < single.size(); ++i) {
            QCOMPARE(chunked[i].x, single[i].x);
            QCOMPARE(chunked[i].y, single[i].y);
            QCOMPARE(chunked[i].isMinimum, single[i].isMinimum);
        }
    }
};

QTEST_GUILESS_MAIN(TestExtremaScan)
#include "tst_extremascan.moc"
