// Expression: one owned engine tree. Ownership through moves and copies, errors as values, and
// the text conversion that keeps the engine's error positions equal to positions in the text.
#include "core/Expression.h"
#include "core/MathEngine.h"

#include <QtTest>

class TestExpression : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { MathEngine::initialize(); }

    void ownership()
    {
        const int before = Expression::liveCount();
        Expression f = Expression::parse(QStringLiteral("a*x^2"), QStringLiteral("a=3"));
        QVERIFY(!f.isNull());
        Expression moved = std::move(f);
        QVERIFY(f.isNull());
        QCOMPARE(Expression::liveCount(), before + 1);
        {
            Expression copy = moved.copy();
            // The copy is independent: new parameter values stay with it.
            QCOMPARE(copy.setParameters(QStringLiteral("a=5")), 0);
            int code = 0;
            QCOMPARE(copy.evaluate(1, &code), 5.0);
            QCOMPARE(moved.evaluate(1, &code), 3.0);
            QCOMPARE(Expression::liveCount(), before + 2);
        }
        QCOMPARE(Expression::liveCount(), before + 1);
        moved = Expression::parse(QStringLiteral("x"));   // the old tree is released
        QCOMPARE(Expression::liveCount(), before + 1);
        moved.reset();
        moved.reset();
        QCOMPARE(Expression::liveCount(), before);
        QVERIFY(Expression().derivative().isNull());
    }

    void parseErrors_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");   // 1-based, 0 for a success

        QTest::newRow("valid") << QStringLiteral("sin(x)+1") << 0;
        QTest::newRow("character beyond Latin-1 at its own position") << QStringLiteral("x+\u03c0") << 3;
        QTest::newRow("after a Latin-1 letter") << QStringLiteral("2*x\u00e9") << 4;
        QTest::newRow("NUL does not cut the text short")
            << (QStringLiteral("x") + QChar(0) + QStringLiteral("+1")) << 2;
    }

    void parseErrors()
    {
        QFETCH(QString, text);
        QFETCH(int, position);
        EngineError error;
        const Expression f = Expression::parse(text, &error);
        QCOMPARE(f.isNull(), position != 0);
        QCOMPARE(error.ok(), position == 0);
        QCOMPARE(error.position, position);
    }

    void valuesAndCodes()
    {
        const Expression f = Expression::parse(QStringLiteral("ln(x)"));
        int code = -99;
        QCOMPARE(f.evaluate(1, &code), 0.0);
        QCOMPARE(code, 0);
        f.evaluate(-1, &code);
        QCOMPARE(code, 101);   // the first built-in function failed
        QCOMPARE(f.derivative().text(), QStringLiteral("1/x"));
        const Expression g = Expression::parse(QStringLiteral("x^2"));
        QCOMPARE(g.integrate(0, 3, &code), 9.0);
        QCOMPARE(code, 0);
        QCOMPARE(g.parameters(), QString());
    }
};

QTEST_GUILESS_MAIN(TestExpression)
#include "tst_Expression.moc"
