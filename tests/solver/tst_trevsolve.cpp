// trevsolve as a script uses it: the program beside this test is started as a process and its
// exit status, plain output, error output and JSON are checked against known answers.
#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <cmath>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const double Sqrt2 = 1.4142135623730951;    // the double nearest to the square root of 2
const double Pi = 3.141592653589793;

struct SolverRun {
    bool finished = false;
    int exitCode = -1;
    QString standardOutput;
    QString standardError;
};

SolverRun runSolver(const QStringList &arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/trevsolve"), arguments);
    SolverRun run;
    run.finished = process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.standardOutput = QString::fromUtf8(process.readAllStandardOutput());
    run.standardError = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The value inside a JSON document at a path such as "points/0/f".
QJsonValue valueAt(QJsonValue value, const QString &path)
{
    for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        bool isIndex = false;
        const int index = step.toInt(&isIndex);
        value = isIndex ? value.toArray().at(index) : value.toObject().value(step);
    }
    return value;
}

// Equal JSON, numbers within a relative `tolerance` (0: the very same double).
bool sameJson(const QJsonValue &actual, const QJsonValue &expected, double tolerance)
{
    if (expected.isDouble() && actual.isDouble()) {
        const double a = actual.toDouble(), e = expected.toDouble();
        return tolerance == 0 ? a == e : std::fabs(a - e) <= tolerance * std::max(1.0, std::fabs(e));
    }
    if (expected.isArray() && actual.isArray()) {
        const QJsonArray a = actual.toArray(), e = expected.toArray();
        if (a.size() != e.size())
            return false;
        for (int i = 0; i < e.size(); ++i) {
            if (!sameJson(a.at(i), e.at(i), tolerance))
                return false;
        }
        return true;
    }
    if (expected.isObject() && actual.isObject()) {
        const QJsonObject a = actual.toObject(), e = expected.toObject();
        if (a.keys() != e.keys())
            return false;
        for (const QString &key : e.keys()) {
            if (!sameJson(a.value(key), e.value(key), tolerance))
                return false;
        }
        return true;
    }
    return actual == expected;
}

QString jsonText(const QJsonValue &value)
{
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    return QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact));
}

} // namespace

class TestTrevsolve : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void plainText_data();
    void plainText();
    void json_data();
    void json();
    void endings_data();
    void endings();

private:
    QTemporaryDir m_dir;
    QString m_projectPath;
};

void TestTrevsolve::initTestCase()
{
    QVERIFY(QFileInfo::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/trevsolve")));
    QVERIFY(m_dir.isValid());
    // A project as the grapher saves it, with a parameter and steps of its own.
    m_projectPath = m_dir.filePath(QStringLiteral("parabola.tvp"));
    QFile file(m_projectPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray project("[Trevolin]\nVersion=2.36.969\n[Function]\nName=x^2-a\nParam=a=3\n"
                             "[Graph]\nXmin=-10\nXmax=10\n[Precision]\nRoot-finding steps=777\n");
    file.write(project);
    // The same project under a name that is no UTF-8, and padded past the size limit.
    const int fd = ::open(QFile::encodeName(m_dir.path()).append("/lat\xe9.tvp").constData(), O_WRONLY | O_CREAT, 0644);
    QVERIFY(fd >= 0 && ::write(fd, project.constData(), size_t(project.size())) == project.size() && ::close(fd) == 0);
    QFile huge(m_dir.filePath(QStringLiteral("huge.tvp")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write(project) == project.size() && huge.resize(1024 * 1024 + 1));
}

// Qt cannot remove a name that is no UTF-8 with the folder.
void TestTrevsolve::cleanupTestCase()
{
    ::unlink(QFile::encodeName(m_dir.path()).append("/lat\xe9.tvp").constData());
}

void TestTrevsolve::plainText_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("standardOutput");
    QTest::addColumn<QString>("standardError");

    QTest::newRow("roots of x^2-2") << QStringList{"x^2-2", "-10", "10"} << 0
                                    << "2 roots found.\n-1.41421356\n1.41421356\n" << "";
    QTest::newRow("no root") << QStringList{"x^2+1", "-10", "10"} << 0 << "No root found.\n" << "";
    QTest::newRow("bounds are constant expressions") << QStringList{"x^2-4", "-pi", "pi"} << 0
                                                     << "2 roots found.\n-2\n2\n" << "";
    QTest::newRow("parameters") << QStringList{"--params", "a=2; b=4", "a*x-b", "0", "10"} << 0
                                << "1 root found.\n2\n" << "";
    QTest::newRow("extremum") << QStringList{"x^2-2", "-10", "10", "--extrema"} << 0
                              << "2 roots found.\n-1.41421356\n1.41421356\n\n1 local extremum found.\n0 -2 minimum\n"
                              << "";
    QTest::newRow("extrema of sine") << QStringList{"--extrema", "sin(x)", "0", "10"} << 0
                                     << "4 roots found.\n0\n3.14159265\n6.28318531\n9.42477796\n\n"
                                        "3 local extrema found.\n1.57079633 1 maximum\n4.71238898 -1 minimum\n"
                                        "7.85398163 1 maximum\n"
                                     << "";
    QTest::newRow("integral") << QStringList{"--integral", "x^2", "0", "3"} << 0
                              << "1 root found.\n0\n\nIntegral from 0 to 3 = 9\n" << "";
    QTest::newRow("points, one undefined") << QStringList{"ln(x)", "0.5", "3", "--at", "-1", "--at", "e"} << 0
                                           << "1 root found.\n1\n\n"
                                              "f(-1): Error evaluating logarithm. The argument must be > 0.\n"
                                              "f'(-1) = -1\nf''(-1) = -1\n"
                                              "f(2.71828183) = 1\nf'(2.71828183) = 0.36787944\n"
                                              "f''(2.71828183) = -0.13533528\n"
                                           << "";
    QTest::newRow("project file") << QStringList{"--project", m_projectPath} << 0
                                  << "2 roots found.\n-1.73205081\n1.73205081\n" << "";

    QTest::newRow("exponent notation: a hint, the same roots")
        << QStringList{"x-2.5e-3", "-10", "10"} << 0 << "1 root found.\n9.79570457\n"
        << "trevsolve: Here e is the number e: 2.5e-3 means 2.5*e-3. For 2.5·10^-3 type 2.5*10^-3.\n";

    QTest::newRow("unknown character") << QStringList{"x^2-2$", "-10", "10"} << 2 << ""
                                       << "trevsolve: function: Unknown characters.\n  x^2-2$\n       ^\n";
    QTest::newRow("parenthesis missing at the end") << QStringList{"(x", "0", "1"} << 2 << ""
                                                    << "trevsolve: function: End of parenthesis missing.\n  (x\n    ^\n";
    QTest::newRow("point that is no expression")
        << QStringList{"x", "-1", "1", "--at", "2+"} << 2 << ""
        << "trevsolve: --at: Operators must be followed by number, constant, function.\n  2+\n    ^\n";
    QTest::newRow("bound without a value") << QStringList{"x", "1/0", "1"} << 2 << ""
                                           << "trevsolve: XMIN: Division by zero.\n  1/0\n";
    QTest::newRow("reversed interval") << QStringList{"x", "1", "0"} << 2 << ""
                                       << "trevsolve: interval: The two values don't build an interval.\n";
    QTest::newRow("unknown option") << QStringList{"--roots", "x", "0", "1"} << 2 << ""
                                    << "trevsolve: Unknown option --roots.\nTry \"trevsolve --help\".\n";
    QTest::newRow("bound missing") << QStringList{"x", "0"} << 2 << ""
                                   << "trevsolve: Expected FUNCTION XMIN XMAX, got 2 argument(s).\n"
                                      "Try \"trevsolve --help\".\n";
    const QString tooDeep = QStringLiteral("The expression is nested too deeply (more than 1000 levels) or too large.");
    QTest::newRow("f'' not formed: said for each section")
        << QStringList{"--extrema", QStringLiteral("sin(").repeated(120) + "x^2-0.5" + QStringLiteral(")").repeated(120),
                       "-1", "1"}
        << 3
        << "2 roots found.\n-0.70710678\n0.70710678\nRoots where f only touches zero were not searched: the engine "
           "could not form f''(x): " + tooDeep + "\n\nLocal extrema not computed: the engine could not form f''(x): "
           + tooDeep + "\n"
        << "";
    QTest::newRow("steps cut for a huge derivative")
        << QStringList{"--steps", "1000", QStringLiteral("x^(").repeated(300) + "x" + QStringLiteral(")").repeated(300),
                       "0.5", "2"}
        << 3
        << "No root found.\nRoots where f only touches zero were not searched: the engine could not form f''(x): "
           + tooDeep + "\n"
        << "trevsolve: root-finding steps kept within 100..50000 and what the function's size allows: using 219.\n";
    QTest::newRow("integral across a pole between Simpson's points")
        << QStringList{"--integral", "x^3-2x^2+1/x-3", "-6", "6"} << 0
        << "2 roots found.\n0.31567235\n2.43628197\n\n"
           "Integral from -6 to 6: The integral does not converge: f has a pole near x = 0.\n"
        << "";
    const QString missing = m_dir.filePath(QStringLiteral("missing.tvp"));
    QTest::newRow("missing project file") << QStringList{"--project", missing} << 2 << ""
                                          << "trevsolve: project " + missing + ": No such file.\n";
    QTest::newRow("a folder for a project file") << QStringList{"--project", m_dir.path()} << 2 << ""
                                                 << "trevsolve: project " + m_dir.path()
            + ": This is a folder, not a project file.\n";
}

void TestTrevsolve::plainText()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, standardOutput);
    QFETCH(QString, standardError);

    const SolverRun run = runSolver(arguments);
    QVERIFY(run.finished);
    QCOMPARE(run.standardError, standardError);
    QCOMPARE(run.standardOutput, standardOutput);
    QCOMPARE(run.exitCode, exitCode);
}

void TestTrevsolve::json_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QJsonValue>("expected");
    QTest::addColumn<double>("tolerance");
    // Text that must appear as it is in the output (numbers written in their shortest form).
    QTest::addColumn<QString>("literal");

    QTest::newRow("roots at full precision") << QStringList{"x^2-2", "-10", "10"} << "roots"
                                             << QJsonValue(QJsonArray{-Sqrt2, Sqrt2}) << 0.0
                                             << "[-1.4142135623730951,1.4142135623730951]";
    QTest::newRow("shortest number") << QStringList{"x^2-2", "0.1", "10"} << "interval/xMin" << QJsonValue(0.1)
                                     << 0.0 << "\"xMin\":0.1,";
    QTest::newRow("bound from a constant") << QStringList{"x", "-1", "2*pi"} << "interval/xMax"
                                           << QJsonValue(2 * Pi) << 0.0 << "";
    QTest::newRow("extremum") << QStringList{"sin(x)", "0", "10", "--extrema"} << "extrema/1"
                              << QJsonValue(QJsonObject{{"x", 1.5 * Pi}, {"y", -1.0}, {"type", "minimum"}}) << 1e-9
                              << "";
    QTest::newRow("integral") << QStringList{"x^2", "0", "3", "--integral"} << "integral"
                              << QJsonValue(QJsonObject{{"value", 9.0}}) << 1e-12 << "";
    QTest::newRow("integral undefined") << QStringList{"sqrt(x)", "-1", "1", "--integral"} << "integral/error"
                                        << QJsonValue(118) << 0.0 << "";
    QTest::newRow("point") << QStringList{"x^2", "0", "1", "--at", "3"} << "points/0"
                           << QJsonValue(QJsonObject{{"x", 3.0}, {"f", 9.0}, {"fPrime", 6.0}, {"fSecond", 2.0}})
                           << 1e-12 << "";
    QTest::newRow("point undefined")
        << QStringList{"ln(x)", "0.5", "3", "--at", "-1"} << "points/0/f"
        << QJsonValue(QJsonObject{{"error", 101}, {"message", "Error evaluating logarithm. The argument must be > 0."}})
        << 0.0 << "";
    QTest::newRow("derivatives") << QStringList{"x^3", "-1", "1", "--derivatives"} << "derivatives"
                                 << QJsonValue(QJsonObject{{"fPrime", "3*x^2"}, {"fSecond", "6*x"}}) << 0.0 << "";
    QTest::newRow("parameters") << QStringList{"--params", "a=2; b=4", "a*x-b", "0", "10"} << "parameters"
                                << QJsonValue("a=2; b=4") << 0.0 << "";
    QTest::newRow("steps kept within bounds") << QStringList{"x", "-1", "1", "--steps", "10"} << "steps"
                                              << QJsonValue(100) << 0.0 << "";
    QTest::newRow("project function") << QStringList{"--project", m_projectPath} << "function"
                                      << QJsonValue("x^2-a") << 0.0 << "";
    QTest::newRow("project steps") << QStringList{"--project", m_projectPath} << "steps" << QJsonValue(777) << 0.0
                                   << "";
    QTest::newRow("project roots") << QStringList{"--project", m_projectPath} << "roots"
                                   << QJsonValue(QJsonArray{-std::sqrt(3.0), std::sqrt(3.0)}) << 1e-15 << "";
    QTest::newRow("extrema without f''")
        << QStringList{"--extrema", QStringLiteral("sin(").repeated(120) + "x^2-0.5" + QStringLiteral(")").repeated(120),
                       "-1", "1"}
        << "extremaError/error" << QJsonValue(-5) << 0.0 << "\"extrema\":null,";
    QTest::newRow("integral across a pole") << QStringList{"1/x^2", "-1", "2", "--integral"} << "integral/message"
                                            << QJsonValue("The integral does not converge: f has a pole near x = 0.")
                                            << 0.0 << "";
}

void TestTrevsolve::json()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, path);
    QFETCH(QJsonValue, expected);
    QFETCH(double, tolerance);
    QFETCH(QString, literal);

    const SolverRun run = runSolver(arguments << QStringLiteral("--json"));
    QVERIFY(run.finished);
    // A section that could not be computed makes the answer one "in part".
    QCOMPARE(run.exitCode, path.contains(QStringLiteral("Error")) ? 3 : 0);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.standardOutput.toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString() + ": " + run.standardOutput));
    QVERIFY(document.isObject());
    const QJsonValue actual = valueAt(document.object(), path);
    QVERIFY2(sameJson(actual, expected, tolerance),
             qPrintable(QStringLiteral("%1 is %2, expected %3").arg(path, jsonText(actual), jsonText(expected))));
    if (!literal.isEmpty())
        QVERIFY2(run.standardOutput.contains(literal), qPrintable(run.standardOutput));
}

// How a run ends when its input or its output is out of the ordinary: status, part of the
// output, part of the error output. A first argument "-c" runs the second through the shell,
// with the program as $0, to pass bytes that are no UTF-8.
void TestTrevsolve::endings_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output");   // "": a pipe; a file name; "limit": a file under "ulimit -f 0"
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("outputPart");
    QTest::addColumn<QString>("errorPart");

    QTest::newRow("help answers whatever else") << QStringList{"--help", "--bogus"} << "" << 0 << "Usage: trevsolve"
                                                << "";
    QTest::newRow("steps out of range name the range") << QStringList{"--steps", "99999999999", "x", "-1", "1"} << ""
                                                       << 2 << "" << "kept within 100..50000";
    QTest::newRow("parse too deep names the limit")
        << QStringList{QStringLiteral("sin(").repeated(1001) + "x" + QStringLiteral(")").repeated(1001), "0", "1"} << ""
        << 2 << "" << "more than 1000 levels";
    QTest::newRow("file name that is no UTF-8")
        << QStringList{"-c", "exec \"$0\" --project \"$(printf 'lat\\351.tvp')\""} << "" << 0 << "2 roots found." << "";
    QTest::newRow("unreadable file") << QStringList{"--project", "/proc/self/mem"} << "" << 2 << ""
                                     << "The file cannot be read. Input/output error";
    QTest::newRow("project file too large") << QStringList{"--project", "huge.tvp"} << "" << 2 << ""
                                            << "Error on file opening. The file is larger than 1 MB.";
    QTest::newRow("full disk") << QStringList{"x", "-1", "1"} << "/dev/full" << 1 << ""
                               << "the output could not be written: No space left on device";
    QTest::newRow("file-size limit") << QStringList{"x", "-1", "1"} << "limit" << 1 << ""
                                     << "the output could not be written: File too large";
}

void TestTrevsolve::endings()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    QFETCH(QString, outputPart);
    QFETCH(QString, errorPart);

    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/trevsolve");
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    if (output == QLatin1String("limit")) {
        process.setStandardOutputFile(m_dir.filePath(QStringLiteral("limited.txt")));
        process.setChildProcessModifier([] {
            const rlimit none{0, 0};
            ::setrlimit(RLIMIT_FSIZE, &none);
        });
    } else if (!output.isEmpty()) {
        process.setStandardOutputFile(output);
    }
    if (arguments.value(0) == QLatin1String("-c"))
        process.start(QStringLiteral("/bin/sh"), {arguments.at(0), arguments.at(1), program});
    else
        process.start(program, arguments);
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QString standardError = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(standardError.contains(errorPart), qPrintable(standardError));
    QVERIFY(QString::fromUtf8(process.readAllStandardOutput()).contains(outputPart));
    QCOMPARE(process.exitCode(), exitCode);
}

QTEST_GUILESS_MAIN(TestTrevsolve)
#include "tst_trevsolve.moc"
