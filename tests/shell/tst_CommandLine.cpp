// The command-line language: tokens, the argument list rebuilt as one line, and what a command
// line opens (equation mode and file mode).
#include "core/MathEngine.h"
#include "project/ProjectFile.h"
#include "shell/CommandLine.h"
#include "TestEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

class TestCommandLine : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        MathEngine::initialize();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        for (const QString &name : {QStringLiteral("a.tvp"), QStringLiteral("b c.tvp")}) {
            FunctionProject project;
            project.load(QStringLiteral("x^2-2"), Expression::parse(QStringLiteral("x^2-2")), 0, 2);
            QVERIFY(ProjectFile::save(project, m_dir.filePath(name)));
        }
        QFile bad(m_dir.filePath(QStringLiteral("bad.tvp")));
        QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("[Other]\nx=1\n") > 0);
    }

    void nextToken_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("rest");
        QTest::newRow("word up to the first blank") << "a b c" << "a" << "b c";
        QTest::newRow("leading blanks skipped") << "   a b" << "a" << "b";
        QTest::newRow("only the first blank is taken") << "a  b" << "a" << " b";
        QTest::newRow("last word") << "abc" << "abc" << "";
        QTest::newRow("quotes group and are dropped") << "\"x y\" z" << "x y" << " z";
        QTest::newRow("closing quote ends the token mid-word") << "\"a\"b c" << "a" << "b c";
        QTest::newRow("empty quotes give an empty token") << "\"\" a" << "" << " a";
        QTest::newRow("unclosed quote empties token and rest") << "\"x y z" << "" << "";
        QTest::newRow("quote inside a word is kept") << "a\"b c" << "a\"b" << "c";
        QTest::newRow("blanks only") << "   " << "" << "";
    }
    void nextToken()
    {
        QFETCH(QString, text);
        QFETCH(QString, token);
        QFETCH(QString, rest);
        QCOMPARE(NextCommandToken(text), token);
        QCOMPARE(text, rest);
    }

    // A second start hands over its arguments as one line; the first instance must split it
    // back into the same arguments.
    void argumentsRebuilt_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain arguments") << QStringList{"/eq", "x^2-2", "0", "2"} << "/eq x^2-2 0 2";
        QTest::newRow("blank in a name is quoted") << QStringList{"a.tvp", "my file.tvp"} << "a.tvp \"my file.tvp\"";
        QTest::newRow("leading blank kept") << QStringList{" /u"} << "\" /u\"";
        QTest::newRow("several blanks") << QStringList{"a  b ", "c"} << "\"a  b \" c";
        QTest::newRow("non-Latin name") << QStringList{"équation π.tvp"} << "\"équation π.tvp\"";
        QTest::newRow("empty argument disappears") << QStringList{"a", "", "b"} << "a b";
        QTest::newRow("no arguments") << QStringList{} << "";
    }
    void argumentsRebuilt()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, line);
        QCOMPARE(CommandLineFromArguments(arguments), line);
        QStringList tokens;
        for (QString rest = line; !rest.isEmpty();)
            tokens << NextCommandToken(rest);
        arguments.removeAll(QString());
        QCOMPARE(tokens, arguments);
    }

    // Each file is listed as "opened", "" (missing, silent) or the message to show. Limits are
    // the defaults, MinLen 0.001 and MaxLen 10000.
    void process_data()
    {
        using Kind = CommandLineAction::Kind;
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("function");
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("end");
        QTest::addColumn<QStringList>("files");
        const QStringList none;
        const QString notProject = QStringLiteral("The file is not a Trevolin project.");
        QTest::newRow("empty shows the wizard") << "" << int(Kind::ShowWizard) << "" << 0. << 0. << none;
        QTest::newRow("blanks only open nothing") << "   " << int(Kind::Nothing) << "" << 0. << 0. << none;
        QTest::newRow("equation") << "/eq sin(x)-cos(x) -3 3" << int(Kind::Equation) << "sin(x)-cos(x)" << -3. << 3. << none;
        QTest::newRow("/EQ accepted") << "/EQ x^2-2 0 2" << int(Kind::Equation) << "x^2-2" << 0. << 2. << none;
        QTest::newRow("quotes only group") << "/eq \"x^2-2\" 0 2" << int(Kind::Equation) << "x^2-2" << 0. << 2. << none;
        QTest::newRow("ends are constant expressions") << "/eq x -pi 2*pi" << int(Kind::Equation) << "x" << -M_PI << 2 * M_PI << none;
        QTest::newRow("length exactly MaxLen") << "/eq x 0 10000" << int(Kind::Equation) << "x" << 0. << 10000. << none;
        QTest::newRow("start not below end") << "/eq x^2-2 2 0" << int(Kind::Nothing) << "" << 0. << 0. << none;
        QTest::newRow("empty interval") << "/eq x 1 1" << int(Kind::Nothing) << "" << 0. << 0. << none;
        QTest::newRow("longer than MaxLen") << "/eq x^2 0 20000" << int(Kind::Nothing) << "" << 0. << 0. << none;
        QTest::newRow("shorter than MinLen") << "/eq x 0 0.0005" << int(Kind::Nothing) << "" << 0. << 0. << none;
        QTest::newRow("function refused") << "/eq sin(x 0 1" << int(Kind::Nothing) << "" << 0. << 0. << none;
        QTest::newRow("end refused") << "/eq x 0 1/0" << int(Kind::Nothing) << "" << 0. << 0. << none;
        QTest::newRow("end missing") << "/eq x 0" << int(Kind::Nothing) << "" << 0. << 0. << none;
        QTest::newRow("/eq alone") << "/eq" << int(Kind::Nothing) << "" << 0. << 0. << none;
        QTest::newRow("two files, one quoted") << "a.tvp \"b c.tvp\"" << int(Kind::Files) << "" << 0. << 0.
                                                << QStringList{"a.tvp=opened", "b c.tvp=opened"};
        QTest::newRow("unclosed quote ends the list") << "a.tvp \"b c.tvp a.tvp" << int(Kind::Files) << "" << 0. << 0.
                                                       << QStringList{"a.tvp=opened"};
        QTest::newRow("/u after a blank is a file name") << " /u" << int(Kind::Files) << "" << 0. << 0. << QStringList{"/u="};
        QTest::newRow("missing file is silent, the next opens") << "none.tvp a.tvp" << int(Kind::Files) << "" << 0. << 0.
                                                                 << QStringList{"none.tvp=", "a.tvp=opened"};
        QTest::newRow("not a project gives its message") << "bad.tvp" << int(Kind::Files) << "" << 0. << 0.
                                                          << QStringList{"bad.tvp=" + notProject};
        QTest::newRow("/eq after a file is a file name") << "a.tvp /eq" << int(Kind::Files) << "" << 0. << 0.
                                                          << QStringList{"a.tvp=opened", "/eq="};
    }
    void process()
    {
        QFETCH(QString, line);
        QFETCH(int, kind);
        QFETCH(QString, function);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(QStringList, files);
        const CommandLineAction action = ProcessCommandLine(line);
        QCOMPARE(int(action.kind), kind);
        QCOMPARE(action.equation != nullptr, kind == int(CommandLineAction::Kind::Equation));
        if (action.equation) {
            QCOMPARE(action.equation->functionText(), function);
            QVERIFY(action.equation->hasExpressions());
            // The ends are the engine's values of the texts: equal up to the last digits of its pi.
            QCOMPARE(action.equation->xMin(), start);
            QCOMPARE(action.equation->xMax(), end);
        }
        QStringList outcomes;
        for (const CommandLineFile &file : action.files) {
            outcomes << file.path + QLatin1Char('=') + (file.project ? QStringLiteral("opened") : file.failureText);
            const QString expectedPath = file.path == QLatin1String("none.tvp") || file.path.startsWith(QLatin1Char('/'))
                                             ? QString() : m_dir.filePath(file.path);
            QCOMPARE(file.fullPath, expectedPath);
        }
        QCOMPARE(outcomes, files);
    }

    // What a terminal hears about a refused equation (MinLen 0.001, MaxLen 10000).
    void equationRefusal_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("accepted") << "/eq x^2-2 0 2" << "";
        QTest::newRow("not an equation") << "a.tvp" << "";
        QTest::newRow("function refused") << "/eq sin(x 0 1" << "End of parenthesis missing.";
        QTest::newRow("no function") << "/eq" << "Type the function name.";
        QTest::newRow("end missing") << "/eq x 0" << "Type the end value.";
        QTest::newRow("end refused, named") << "/eq x 0 1/0" << "1/0: Division by zero.";
        QTest::newRow("start not below end") << "/EQ x^2-2 2 0" << "The two values don't build an interval.";
        QTest::newRow("longer than MaxLen") << "/eq x 0 20000" << "The interval length should be <= 10000.";
        QTest::newRow("shorter than MinLen") << "/eq x 0 0.0005" << "The interval length should be >= 0.001.";
    }
    void equationRefusal()
    {
        QFETCH(QString, line);
        QFETCH(QString, refusal);
        QCOMPARE(EquationRefusal(line), refusal);
        QCOMPARE(ProcessCommandLine(line).refusal, refusal);
    }
};

TREV_TEST_MAIN(TestCommandLine)
#include "tst_CommandLine.moc"
