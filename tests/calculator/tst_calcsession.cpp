// processLine and calculate against the real engine: history lines, definitions, error codes
// and caret positions, multi-line input, the name lists, the recall of earlier lines, the
// exponent-notation hint, and the history file that carries a session into the next run.
//
// One engine serves the whole run, as in the program: definitions cannot be removed, so every
// name keeps one role here (g, h, k, kk constants; f, fa, p1, p2 functions; a, b, q, u and
// selfref never defined). Each test starts with x, res, pi and e at their initial values.
#include "CalcHistoryFile.h"
#include "CalcSession.h"
#include "CalcTestSupport.h"
#include "core/ErrorMessage.h"
#include "core/MathEngine.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestCalcSession : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EngineScope> m_engine;

    // Processes lines that must all be accepted.
    static void prepare(CalcSession &session, const QStringList &lines)
    {
        for (const QString &line : lines)
            QVERIFY2(session.processLine(line, QString()), qPrintable(QStringLiteral("setup line ") + line));
    }

private slots:
    void initTestCase()
    {
        useTestEnvironment();
        m_engine = std::make_unique<EngineScope>();
    }
    void cleanupTestCase() { m_engine.reset(); }
    void init()
    {
        QLocale::setDefault(QLocale::c());
        MathEngine::initialize();   // x, res, pi and e back to their initial values
    }

    void acceptedLine_data();
    void acceptedLine();
    void rejectedLine_data();
    void rejectedLine();
    void failureSignals();
    void successHidesError();
    void blankLineKeepsRest();
    void calculateSplitsLines_data();
    void calculateSplitsLines();
    void pasteStopsAtRejectedLine();
    void redefinitionsListedOnce_data();
    void redefinitionsListedOnce();
    void rejectedDefinitionNotListed();
    void rejectedFunctionRedefinitionKeepsBody_data();
    void rejectedFunctionRedefinitionKeepsBody();
    void redefinedFunctionUsedByOthers();
    void decimalCommaHistoryTypedBack_data();
    void decimalCommaHistoryTypedBack();
    void lastLine();
    void recallWalk();
    void clearHistoryKeepsDefinitions();
    void exponentHint_data();
    void exponentHint();
    void sessionRoundTrip_data();
    void sessionRoundTrip();
    void historyFileRead_data();
    void historyFileRead();
    void historyFileWrite_data();
    void historyFileWrite();
};

void TestCalcSession::acceptedLine_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("history");

    QTest::newRow("expression") << QStringList() << "2+3" << "2+3=5";
    QTest::newRow("final equals asks for the value") << QStringList() << "2+3=" << "2+3=5";
    QTest::newRow("constant definition") << QStringList() << "g=9.81" << ":: g=9.81";
    QTest::newRow("constant computed from an expression") << QStringList() << "h=2*3+1" << ":: h=7";
    QTest::newRow("constant name without blanks") << QStringList() << "  k = 4 " << ":: k=4";
    QTest::newRow("constant used later") << QStringList{"g=9.81"} << "g*2" << "g*2=19.62";
    QTest::newRow("function definition") << QStringList() << "f: x^2+1" << ":: f(x)=x^2+1";
    QTest::newRow("function name and body without blanks") << QStringList() << " f :  x^2+1 " << ":: f(x)=x^2+1";
    QTest::newRow("function used later") << QStringList{"f: x^2+1"} << "f(3)" << "f(3)=10";
    QTest::newRow("function of a constant") << QStringList{"g=2", "f: g*x"} << "f(5)" << "f(5)=10";
    QTest::newRow("res holds the last result") << QStringList{"2+3"} << "res+1" << "res+1=6";
    QTest::newRow("res after a constant definition") << QStringList{"g=4"} << "res*2" << "res*2=8";
    QTest::newRow("decimal comma") << QStringList() << "1,5*2" << "1,5*2=3";
    QTest::newRow("constant redefined") << QStringList{"g=1"} << "g=g+1" << ":: g=2";
    QTest::newRow("one third to 15 digits") << QStringList() << "1/3" << "1/3=0.333333333333333";
    QTest::newRow("pi may be redefined") << QStringList() << "pi=3" << ":: pi=3";
    QTest::newRow("constant line typed back from the history") << QStringList() << ":: g=9.81" << ":: g=9.81";
    QTest::newRow("function line typed back from the history") << QStringList() << ":: f(x)=x^2+1"
                                                               << ":: f(x)=x^2+1";
}

void TestCalcSession::acceptedLine()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, line);
    QFETCH(QString, history);

    CalcSession session;
    prepare(session, setup);
    QVERIFY(session.processLine(line, QString()));
    QCOMPARE(session.history().last(), history);
}

void TestCalcSession::rejectedLine_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("caret");

    QTest::newRow("two equals signs are an expression") << QStringList{"g=1", "k=2"} << "g=k=1" << -3 << 1;
    QTest::newRow("two equals signs, unknown name first") << QStringList() << "a=b=1" << -1 << 0;
    QTest::newRow("empty constant name") << QStringList() << "=5" << 1 << 0;
    QTest::newRow("lone equals sign") << QStringList() << "=" << 1 << 0;
    QTest::newRow("parenthesis left open") << QStringList() << "sin(1" << -4 << 5;
    QTest::newRow("parenthesis left open, caret past blanks") << QStringList() << "2*(3  " << -4 << 6;
    QTest::newRow("nothing after an opening parenthesis") << QStringList() << "sin(" << -16 << 4;
    QTest::newRow("unknown character in an expression") << QStringList() << "2+$" << -3 << 2;
    QTest::newRow("constant value: caret offset by the name") << QStringList() << "g=2+$" << -3 << 4;
    QTest::newRow("constant value: blanks count") << QStringList() << "long = 1+$" << -3 << 9;
    QTest::newRow("constant value: open parenthesis") << QStringList() << "g=2*(3" << -4 << 6;
    QTest::newRow("constant named like a function") << QStringList() << "sin=1" << -19 << 0;
    QTest::newRow("constant name not a name") << QStringList() << "2g=1" << -19 << 0;
    QTest::newRow("function empty name") << QStringList() << ": x" << 1 << 0;
    QTest::newRow("function empty body") << QStringList() << "f:" << 1 << 1;
    QTest::newRow("function empty body after a long name") << QStringList() << "long:" << 1 << 4;
    QTest::newRow("built-in function redefined") << QStringList() << "sin: x" << -19 << 0;
    QTest::newRow("function named like a constant") << QStringList{"g=1"} << "g: x" << -19 << 0;
    QTest::newRow("function body calls itself") << QStringList{"f: x"} << "f: f(x)+1" << -19 << 0;
    QTest::newRow("new function calls itself") << QStringList() << "selfref: selfref(x)" << -19 << 0;
    QTest::newRow("unknown name") << QStringList() << "q*2" << -1 << 0;
    QTest::newRow("history constant line: caret at the error") << QStringList() << ":: g=2+$" << -3 << 7;
    QStringList doubling{QStringLiteral("u0: x")};
    for (int i = 1; i <= 16; ++i)
        doubling << QStringLiteral("u%1: u%2(x)+u%2(x)").arg(i).arg(i - 1);
    QTest::newRow("functions written out too large") << doubling << "u16(1)+u16(1)" << 2 << 0;
    QTest::newRow("definition written out too large") << doubling << "u17: u16(x)+u16(x)" << 2 << 4;
    // A NUL would end the engine's text early and 2 would be accepted as the value.
    QTest::newRow("NUL character") << QStringList() << QString(QStringLiteral("2") + QChar(0) + QStringLiteral("+3")) << -3
                                   << 1;
    QTest::newRow("character outside the engine's set") << QStringList() << QString::fromUtf8("2+\u03c0") << -3 << 2;
    QTest::newRow("division by zero") << QStringList() << "1/0" << 32 << -1;
    QTest::newRow("logarithm of a negative number") << QStringList() << "ln(-1)" << 101 << -1;
}

void TestCalcSession::rejectedLine()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, line);
    QFETCH(int, code);
    QFETCH(int, caret);

    CalcSession session;
    prepare(session, setup);
    const int historyBefore = session.history().size();
    QVERIFY(!session.processLine(line, QStringLiteral("rest")));
    QCOMPARE(session.lastErrorCode(), code);
    if (caret >= 0)
        QCOMPARE(session.lastErrorCaret(), caret);
    QVERIFY(session.lastErrorCaret() >= 0 && session.lastErrorCaret() <= line.size());
    QCOMPARE(session.history().size(), historyBefore);
}

void TestCalcSession::failureSignals()
{
    CalcSession session;
    QSignalSpy shown(&session, &CalcSession::errorShown);
    QSignalSpy caret(&session, &CalcSession::caretPlaced);
    QSignalSpy replaced(&session, &CalcSession::inputReplaced);
    QSignalSpy appended(&session, &CalcSession::historyAppended);

    QVERIFY(!session.processLine(QStringLiteral("g=sin(1"), QString()));
    QCOMPARE(shown.count(), 1);
    QCOMPARE(shown.at(0).at(0).toString(), ErrorMessage(-4));
    QCOMPARE(caret.count(), 1);
    QCOMPARE(caret.at(0).at(0).toInt(), 7);
    QCOMPARE(replaced.count(), 0);   // the line stays for correction
    QCOMPARE(appended.count(), 0);
}

void TestCalcSession::successHidesError()
{
    CalcSession session;
    QSignalSpy hidden(&session, &CalcSession::errorHidden);
    QSignalSpy replaced(&session, &CalcSession::inputReplaced);
    QVERIFY(!session.processLine(QStringLiteral("2+"), QString()));
    QCOMPARE(hidden.count(), 0);
    QVERIFY(session.processLine(QStringLiteral("2+2"), QStringLiteral("next")));
    QCOMPARE(hidden.count(), 1);
    QCOMPARE(replaced.count(), 1);
    QCOMPARE(replaced.at(0).at(0).toString(), QStringLiteral("next"));
}

void TestCalcSession::blankLineKeepsRest()
{
    CalcSession session;
    QSignalSpy replaced(&session, &CalcSession::inputReplaced);
    QVERIFY(session.processLine(QStringLiteral("   "), QStringLiteral("2+2")));
    QCOMPARE(replaced.count(), 1);
    QCOMPARE(replaced.at(0).at(0).toString(), QStringLiteral("2+2"));
    QVERIFY(session.history().isEmpty());
}

void TestCalcSession::calculateSplitsLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("history");

    QTest::newRow("one line") << "1+1" << QStringList{"1+1=2"};
    QTest::newRow("CR LF") << "1+1\r\n2+2" << QStringList{"1+1=2", "2+2=4"};
    QTest::newRow("LF") << "1+1\n2+2\n3+3" << QStringList{"1+1=2", "2+2=4", "3+3=6"};
    QTest::newRow("CR") << "1+1\r2+2" << QStringList{"1+1=2", "2+2=4"};
    QTest::newRow("blank lines skipped") << "\n1+1\n\n2+2\n" << QStringList{"1+1=2", "2+2=4"};
    QTest::newRow("definitions used by later lines") << "g=3\nf: g*x\nf(2)"
                                                     << QStringList{":: g=3", ":: f(x)=g*x", "f(2)=6"};
}

void TestCalcSession::calculateSplitsLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, history);

    CalcSession session;
    QSignalSpy replaced(&session, &CalcSession::inputReplaced);
    session.calculate(text);
    QCOMPARE(session.history(), history);
    QVERIFY(!replaced.isEmpty());
    QCOMPARE(replaced.last().at(0).toString(), QString());
}

void TestCalcSession::pasteStopsAtRejectedLine()
{
    CalcSession session;
    QSignalSpy replaced(&session, &CalcSession::inputReplaced);
    QSignalSpy caret(&session, &CalcSession::caretPlaced);

    session.calculate(QStringLiteral("1+1\r\n2*(3\r\n4+4"));

    // The good line is in the history; the bad one leads the input box with the line after it.
    QCOMPARE(session.history(), QStringList{QStringLiteral("1+1=2")});
    QCOMPARE(replaced.last().at(0).toString(), QStringLiteral("2*(3\r\n4+4"));
    QCOMPARE(caret.count(), 1);
    QCOMPARE(caret.at(0).at(0).toInt(), 4);
    QCOMPARE(session.lastErrorCode(), -4);
    QCOMPARE(session.lastLine(), QStringLiteral("2*(3"));
}

void TestCalcSession::redefinitionsListedOnce_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("addedConstants");
    QTest::addColumn<QStringList>("addedFunctions");

    QTest::newRow("constant redefined") << QStringList{"g=9.81", "g=1"} << QStringList{"g"} << QStringList();
    // The prefix rule lists a name as typed unless the first entry beginning with it is exactly
    // that name: blanks and capitals make new entries, and a shorter name behind a longer one
    // is found as the longer one and listed again.
    QTest::newRow("constant redefined with blanks and capitals")
        << QStringList{"g=1", " G = 2", "g =3", "g=4"} << QStringList{"g", " G ", "g "} << QStringList();
    QTest::newRow("shorter name after a longer one") << QStringList{"kk=1", "k=2", "k=3", "kk=4"}
                                                     << QStringList{"kk", "k", "k"} << QStringList();
    QTest::newRow("built-in constant redefined") << QStringList{"pi=3", "res=1", "e=2"} << QStringList()
                                                 << QStringList();
    QTest::newRow("function redefined") << QStringList{"f: x^2+1", "f: 2x", "F : x"} << QStringList()
                                        << QStringList{"f", "F "};
    QTest::newRow("two functions") << QStringList{"fa: x", "f: 2x", "f: 3x", "fa: 4x"} << QStringList()
                                   << QStringList{"fa", "f", "f"};
}

void TestCalcSession::redefinitionsListedOnce()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, addedConstants);
    QFETCH(QStringList, addedFunctions);

    CalcSession session;
    prepare(session, lines);
    QCOMPARE(session.constants(), CalcSession::builtInConstants() + addedConstants);
    QCOMPARE(session.functions(), CalcSession::builtInFunctions() + addedFunctions);
}

void TestCalcSession::rejectedDefinitionNotListed()
{
    CalcSession session;
    QSignalSpy constants(&session, &CalcSession::constantListed);
    QSignalSpy functions(&session, &CalcSession::functionListed);
    QVERIFY(!session.processLine(QStringLiteral("sin=1"), QString()));
    QVERIFY(!session.processLine(QStringLiteral("g=1/0"), QString()));
    QVERIFY(!session.processLine(QStringLiteral("selfref: selfref(x)"), QString()));
    QVERIFY(!session.processLine(QStringLiteral("u: x*"), QString()));
    QCOMPARE(constants.count(), 0);
    QCOMPARE(functions.count(), 0);
    QCOMPARE(session.constants(), CalcSession::builtInConstants());
    QCOMPARE(session.functions(), CalcSession::builtInFunctions());
}

void TestCalcSession::rejectedFunctionRedefinitionKeepsBody_data()
{
    QTest::addColumn<QString>("redefinition");

    QTest::newRow("calls itself") << "f: f(x)+1";
    QTest::newRow("calls itself inside a call") << "f: sin(f(x))";
    QTest::newRow("does not parse") << "f: x^";
    QTest::newRow("unknown name") << "f: nothere*x";
}

void TestCalcSession::rejectedFunctionRedefinitionKeepsBody()
{
    QFETCH(QString, redefinition);

    CalcSession session;
    prepare(session, {QStringLiteral("f: x^2+1")});
    QVERIFY(!session.processLine(redefinition, QString()));
    QCOMPARE(session.lastErrorCode(), -19);
    QCOMPARE(session.lastErrorCaret(), 0);
    QVERIFY(session.processLine(QStringLiteral("f(3)"), QString()));
    QCOMPARE(session.history().last(), QStringLiteral("f(3)=10"));
}

void TestCalcSession::redefinedFunctionUsedByOthers()
{
    CalcSession session;
    prepare(session, {QStringLiteral("p1: x^2+1"), QStringLiteral("p2: p1(x)+1"), QStringLiteral("p1: 2x"),
                      QStringLiteral("p2(1)")});
    QCOMPARE(session.history().last(), QStringLiteral("p2(1)=3"));
    // p2 calls p1, so p1 may not call p2.
    QVERIFY(!session.processLine(QStringLiteral("p1: p2(x)"), QString()));
    QVERIFY(session.processLine(QStringLiteral("p2(1)"), QString()));
    QCOMPARE(session.history().last(), QStringLiteral("p2(1)=3"));
}

void TestCalcSession::decimalCommaHistoryTypedBack_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("value");

    QTest::newRow("one third") << "1/3" << "0,333333333333333";
    QTest::newRow("two thirds rounds up") << "2/3" << "0,666666666666667";
    QTest::newRow("negative") << "-7/4" << "-1,75";
    QTest::newRow("large, no group separator") << "1234567,25*2" << "2469134,5";
    QTest::newRow("beyond 15 digits, no exponent") << "10^20/3" << "33333333333333300000";
    QTest::newRow("tiny") << "1/1000000000000" << "0,000000000001";
    QTest::newRow("below the 15th decimal") << "1/10^16" << "0";
    QTest::newRow("pi") << "pi" << "3,14159265358979";
}

void TestCalcSession::decimalCommaHistoryTypedBack()
{
    QFETCH(QString, expression);
    QFETCH(QString, value);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    CalcSession session;
    QVERIFY(session.processLine(expression, QString()));
    QCOMPARE(session.history().last(), expression + QLatin1Char('=') + value);

    // Typed back, the number gives the same history value again.
    QVERIFY(session.processLine(value, QString()));
    QCOMPARE(session.history().last(), value + QLatin1Char('=') + value);
}

void TestCalcSession::lastLine()
{
    CalcSession session;
    QCOMPARE(session.lastLine(), QString());
    session.calculate(QStringLiteral("2+3="));
    QCOMPARE(session.lastLine(), QStringLiteral("2+3="));
    session.calculate(QStringLiteral("sin("));
    QCOMPARE(session.lastLine(), QStringLiteral("sin("));
}

void TestCalcSession::recallWalk()
{
    CalcSession session;
    session.calculate(QStringLiteral("1+1\n2+2\n2+2\n\nsin("));
    QString line;
    QVERIFY(!session.recallNewer(line));

    // Newest first, a rejected line included, the repeated and the blank lines left out.
    QVERIFY(session.recallOlder(QStringLiteral("draft"), line));
    QCOMPARE(line, QStringLiteral("sin("));
    QVERIFY(session.recallOlder(line, line));
    QCOMPARE(line, QStringLiteral("2+2"));
    QVERIFY(session.recallOlder(line, line));
    QCOMPARE(line, QStringLiteral("1+1"));
    QVERIFY(!session.recallOlder(line, line));

    QVERIFY(session.recallNewer(line));
    QCOMPARE(line, QStringLiteral("2+2"));
    QVERIFY(session.recallNewer(line));
    QCOMPARE(line, QStringLiteral("sin("));
    QVERIFY(session.recallNewer(line));
    QCOMPARE(line, QStringLiteral("draft"));
    QVERIFY(!session.recallNewer(line));

    // A new line starts the walk again from the newest.
    session.calculate(QStringLiteral("3+3"));
    QVERIFY(session.recallOlder(QString(), line));
    QCOMPARE(line, QStringLiteral("3+3"));
}

void TestCalcSession::clearHistoryKeepsDefinitions()
{
    CalcSession session;
    prepare(session, {QStringLiteral("g=2"), QStringLiteral("f: x+g")});
    session.clearHistory();
    QVERIFY(session.history().isEmpty());
    QVERIFY(session.processLine(QStringLiteral("f(g)"), QString()));
    QCOMPARE(session.history(), QStringList{QStringLiteral("f(g)=4")});
    QVERIFY(session.constants().contains(QStringLiteral("g")));
}

void TestCalcSession::exponentHint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hinted");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("2.5e-3") << "2.5e-3" << true << true;
    QTest::newRow("2.5E+3") << "2.5E+3" << true << true;
    QTest::newRow("1e3 fails with its own message") << "1e3" << true << false;
    QTest::newRow("2e") << "2e" << false << true;
    QTest::newRow("2e*3") << "2e*3" << false << true;
    QTest::newRow("e-3") << "e-3" << false << true;
    QTest::newRow("sin(2e-1)") << "sin(2e-1)" << true << true;
    QTest::newRow("2.5*e-3 written out") << "2.5*e-3" << false << true;
    QTest::newRow("decimal comma") << "2,5e-3" << true << true;
    QTest::newRow("digits ending a name") << "a2e-3" << false << false;
    QTest::newRow("later lines of a paste keep it") << "2.5e-3\n1+1" << true << true;
}

void TestCalcSession::exponentHint()
{
    QFETCH(QString, text);
    QFETCH(bool, hinted);
    QFETCH(bool, accepted);

    CalcSession session;
    QString shown;   // what the error box holds at the end
    connect(&session, &CalcSession::hintShown, this, [&](const QString &message) { shown = message; });
    connect(&session, &CalcSession::errorShown, this, [&](const QString &message) { shown = message; });
    connect(&session, &CalcSession::errorHidden, this, [&] { shown.clear(); });
    QCOMPARE(CalcSession::looksLikeExponentNotation(text), hinted);
    session.calculate(text);
    QCOMPARE(session.lastErrorCode() == 0, accepted);
    QCOMPARE(shown == CalcSession::exponentHint(), hinted && accepted);
}

void TestCalcSession::sessionRoundTrip_data()
{
    QTest::addColumn<QLocale>("locale");        // of the first run; the next one reads in C
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("broken");    // definition lines that no longer define
    QTest::addColumn<QString>("check");         // gives the same in both runs

    QTest::newRow("definitions in order") << QLocale::c() << QStringList{"g=1", "f: x^2+g", "g=9.81", "f(2)"}
                                          << QStringList() << "f(1)*g";
    QTest::newRow("decimal comma") << QLocale(QLocale::German, QLocale::Germany) << QStringList{"g=2,5", "f: x*g"}
                                   << QStringList() << "f(g)*4";
    QTest::newRow("broken lines shown but skipped")
        << QLocale::c() << QStringList{"g=3"} << QStringList{":: sin(x)=x", ":: g=abc", ":: =5", ":: f(x)="} << "g*2";
}

void TestCalcSession::sessionRoundTrip()
{
    QFETCH(QLocale, locale);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, broken);
    QFETCH(QString, check);

    QTemporaryDir folder;
    const CalcHistoryFile file(folder.filePath(QStringLiteral("data/history.txt")));
    QLocale::setDefault(locale);
    CalcSession first;
    prepare(first, typed);
    const QStringList saved = first.history() + broken;
    QVERIFY(file.save(saved));
    QVERIFY(first.processLine(check, QString()));

    QLocale::setDefault(QLocale::c());
    MathEngine::initialize();   // the next run starts without definitions
    CalcSession next;
    QCOMPARE(next.restoreHistory(file.load()), broken.size());
    QCOMPARE(next.history(), saved);
    QCOMPARE(next.constants(), first.constants());
    QCOMPARE(next.functions(), first.functions());
    QVERIFY(next.processLine(check, QString()));
    QCOMPARE(next.history().last(), first.history().last());
}

void TestCalcSession::historyFileRead_data()
{
    QTest::addColumn<QByteArray>("content");   // null: no file; "/": a folder in its place; "huge": past the size limit
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<bool>("unreadable");

    QStringList many;
    for (int i = 0; i < CalcHistoryFile::MaxLines + 5; ++i)
        many << QString::number(i);
    const QByteArray longLine(CalcHistoryFile::MaxLineBytes + 1, '7');
    QTest::newRow("line ends and blank lines") << QByteArray("1+1=2\r\n\r\n:: g=3\n  \n2+2=4")
                                               << QStringList{"1+1=2", ":: g=3", "2+2=4"} << 0 << false;
    QTest::newRow("the last lines") << many.join(QLatin1Char('\n')).toUtf8() << many.mid(5) << 0 << false;
    QTest::newRow("no file") << QByteArray() << QStringList() << 0 << false;
    QTest::newRow("a folder in its place") << QByteArray("/") << QStringList() << 0 << true;
    QTest::newRow("not UTF-8: that line left out") << QByteArray("1+1=2\n\xff\xfe\x80\x81\n2+2=4\n")
                                                   << QStringList{"1+1=2", "2+2=4"} << 1 << false;
    QTest::newRow("a NUL: that line left out") << QByteArray("1+1=2\n\0:: g=3\n", 14) << QStringList{"1+1=2"} << 1
                                               << false;
    QTest::newRow("UTF-16: no line readable") << QByteArray("\xff\xfe" "1\0+\0" "1\0\n\0" "2\0\n\0", 14)
                                              << QStringList() << 3 << false;
    QTest::newRow("a long line left out") << QByteArray("1+1=2\n" + longLine + "\n2+2=4\n")
                                          << QStringList{"1+1=2", "2+2=4"} << 1 << false;
    QTest::newRow("larger than the limit") << QByteArray("huge") << QStringList() << 0 << true;
}

void TestCalcSession::historyFileRead()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);
    QFETCH(int, skipped);
    QFETCH(bool, unreadable);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("history.txt"));
    QFile file(path);
    if (content == "/")
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("history.txt")));
    else if (content == "huge")
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(CalcHistoryFile::MaxFileBytes + 1));
    else if (!content.isNull())
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush());
    const HistoryRead read = CalcHistoryFile(path).read();
    QCOMPARE(read.lines, lines);
    QCOMPARE(read.skipped, skipped);
    QCOMPARE(!read.failure.isEmpty(), unreadable);
}

// What the file holds after two calculators closed one after the other, each adding to what it
// read when it opened; a damaged file is first kept aside byte for byte.
void TestCalcSession::historyFileWrite_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("firstAdds");
    QTest::addColumn<int>("secondAdds");
    QTest::addColumn<int>("keptLines");
    QTest::addColumn<bool>("movedAside");

    QTest::newRow("both windows keep their lines") << QByteArray("1+1=2\n") << 2 << 3 << 6 << false;
    QTest::newRow("the cap still holds") << QByteArray("1+1=2\n") << 600 << 600 << CalcHistoryFile::MaxLines << false;
    QTest::newRow("a damaged file is kept aside") << QByteArray("1+1=2\n\xff\n") << 1 << 1 << 3 << true;
}

void TestCalcSession::historyFileWrite()
{
    QFETCH(QByteArray, before);
    QFETCH(int, firstAdds);
    QFETCH(int, secondAdds);
    QFETCH(int, keptLines);
    QFETCH(bool, movedAside);

    QTemporaryDir folder;
    const CalcHistoryFile history(folder.filePath(QStringLiteral("history.txt")));
    QFile file(history.path());
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
    file.close();
    QStringList first, second;
    for (int i = 0; i < firstAdds; ++i)
        first << QStringLiteral("first %1").arg(i);
    for (int i = 0; i < secondAdds; ++i)
        second << QStringLiteral("second %1").arg(i);
    QVERIFY(bool(history.append(first)));
    QVERIFY(bool(history.append(second)));

    const QStringList lines = history.load();
    QCOMPARE(lines.size(), keptLines);
    QCOMPARE(lines.mid(lines.size() - second.size()), second);
    QVERIFY(lines.contains(first.last()));
    QFile aside(history.damagedPath());
    QCOMPARE(aside.open(QIODevice::ReadOnly) && aside.readAll() == before, movedAside);
}

QTEST_GUILESS_MAIN(TestCalcSession)
#include "tst_calcsession.moc"
