// The extrema scan: minima and maxima of f on the interval, ends included, inflections and
// poles as the scan treats them.
#include "ProjectTestSupport.h"
#include "analysis/ExtremaScan.h"
#include "analysis/RootScanChunks.h"
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
