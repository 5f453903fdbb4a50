// The project file: what ProjectFile::save writes, what ProjectFile::open accepts, refuses and defaults,
// and how a command-line path is found.
#include "core/IniFile.h"
#include "project/ProjectFile.h"
#include "ProjectTestSupport.h"
#include "project/FunctionProject.h"

#include <QtTest>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ProjectTestSupport;

namespace {

const QString NoProject = QStringLiteral("The file is not a Trevolin project.");
const QString ErrorFile = QStringLiteral("Error on file opening.");
const QString Header = QStringLiteral("[Trevolin]\nVersion=2.36.969\n[Function]\nName=x^2-2\n");

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList nonEmptyLines(const QString &path)
{
    QStringList lines;
    for (const QString &line : QString::fromUtf8(readFile(path)).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            lines << line;
    }
    return lines;
}

// A field of the project by its name, as a number (Booleans as 0 and 1).
double field(const FunctionProject &f, const QString &name)
{
    if (name == QLatin1String("xMin")) return f.xMin();
    if (name == QLatin1String("xMax")) return f.xMax();
    if (name == QLatin1String("yMin")) return f.yMin();
    if (name == QLatin1String("yMax")) return f.yMax();
    if (name == QLatin1String("graphPoints")) return f.graphPoints();
    if (name == QLatin1String("rootSteps")) return f.rootSteps();
    if (name == QLatin1String("axesColor")) return f.axesColor();
    if (name == QLatin1String("gridColor")) return f.gridColor();
    if (name == QLatin1String("graphColor")) return f.graphColor();
    if (name == QLatin1String("showGrid")) return f.showGrid() ? 1 : 0;
    qFatal("unknown field %s", qPrintable(name));
    return 0;
}

bool opens(FunctionProject &project, const QString &file)
{
    return ProjectFile::open(project, file) == ProjectFile::OpenResult::Opened;
}

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void minimalFile();
    void readValues_data();
    void readValues();
    void hugeFunctionGetsFewerSteps();
    void refusedFiles_data();
    void refusedFiles();
    void savedLayout();
    void saveTwiceKeepsOneCopy();
    void unknownLinesSurvive();
    void roundTrip();
    void saveWritesParametersInForce();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void failedWriteMidwayKeepsOldFile();
    void commandLinePaths_data();
    void commandLinePaths();
    void largeGarbageIsQuick();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestProjectFile::initTestCase()
{
    // Numbers are checked as a C locale writes them; nothing touches the user's settings.
    QLocale::setDefault(QLocale::c());
    QStandardPaths::setTestModeEnabled(true);
    QString why;
    QVERIFY2(engineReady(&why), qPrintable(why));
    QVERIFY(m_dir.isValid());
}

void TestProjectFile::init() { QDir::setCurrent(m_dir.path()); }

void TestProjectFile::minimalFile()
{
    const QString file = path(QStringLiteral("minimal.tvp"));
    QVERIFY(writeFile(file, "[Trevolin]\nVersion=7\n[Function]\nName=x^2-2\n"));
    RecordingMessages messages;
    FunctionProject project;
    QVERIFY(opens(project, file));
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(project.functionText(), QStringLiteral("x^2-2"));
    QCOMPARE(project.parameterText(), QString());
    QCOMPARE(project.title(), QStringLiteral("x^2-2=0"));
    QCOMPARE(project.file(), file);
    QCOMPARE(project.xMin(), -10.0);
    QCOMPARE(project.xMax(), 10.0);
    QCOMPARE(project.yMin(), -10.0);
    QCOMPARE(project.yMax(), 10.0);
    QCOMPARE(project.graphPoints(), 200);
    QCOMPARE(project.rootSteps(), 1000);
    QCOMPARE(project.axesColor(), 0);
    QCOMPARE(project.gridColor(), 12632256);
    QCOMPARE(project.graphColor(), 255);
    QVERIFY(project.showGrid());
    QVERIFY(!project.f().isNull() && !project.fPrime().isNull() && !project.fSecond().isNull());
    qint32 error = 0;
    QCOMPARE(project.fPrime().evaluate(3, error), 6.0);
    QCOMPARE(project.fSecond().evaluate(3, error), 2.0);
}

void TestProjectFile::readValues_data()
{
    QTest::addColumn<QString>("extra");
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("expected");

    QTest::newRow("exponent") << "[Graph]\nXmax=1E+20" << "xMax" << 1e20;
    QTest::newRow("comma stops") << "[Graph]\nXmax=12,5" << "xMax" << 12.0;
    QTest::newRow("blank and exponent") << "[Graph]\nXmin=  -2.5e1" << "xMin" << -25.0;
    QTest::newRow("no zero before point") << "[Graph]\nYmin=-.5" << "yMin" << -0.5;
    QTest::newRow("case-insensitive names") << "[graph]\nYMAX= 3" << "yMax" << 3.0;
    QTest::newRow("half to even") << "[Precision]\nGraph points=200.5" << "graphPoints" << 200.0;
    QTest::newRow("text gives 0, clamped to 10") << "[Precision]\nGraph points=abc" << "graphPoints" << 10.0;
    QTest::newRow("graph points clamped to 1000") << "[Precision]\nGraph points=5000" << "graphPoints" << 1000.0;
    QTest::newRow("steps clamped to 100") << "[Precision]\nRoot-finding steps=99" << "rootSteps" << 100.0;
    QTest::newRow("steps clamped to 50000") << "[Precision]\nRoot-finding steps=1000000" << "rootSteps" << 50000.0;
    QTest::newRow("steps inside") << "[Precision]\nRoot-finding steps= 2500" << "rootSteps" << 2500.0;
    QTest::newRow("curve colour") << "[Colors]\nGraph= 16711680" << "graphColor" << 16711680.0;
    QTest::newRow("system colour kept") << "[Colors]\nAxes=-2147483635" << "axesColor" << -2147483635.0;
    QTest::newRow("grid off as word") << "[Show]\nGrid=false" << "showGrid" << 0.0;
    QTest::newRow("grid on in capitals") << "[Show]\nGrid=TRUE" << "showGrid" << 1.0;
    QTest::newRow("grid off as zero") << "[Show]\nGrid=0" << "showGrid" << 0.0;
    QTest::newRow("grid on as number") << "[Show]\nGrid=-1" << "showGrid" << 1.0;
}

void TestProjectFile::readValues()
{
    QFETCH(QString, extra);
    QFETCH(QString, field);
    QFETCH(double, expected);
    const QString file = path(QStringLiteral("values.tvp"));
    QVERIFY(writeFile(file, (Header + extra + QLatin1Char('\n')).toUtf8()));
    RecordingMessages messages;
    FunctionProject project;
    QVERIFY(opens(project, file));
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(::field(project, field), expected);
}

// A crafted file with an enormous function must not block the window that opens it: its
// root-finding steps are cut so that f and f' together are evaluated within a fixed budget.
void TestProjectFile::hugeFunctionGetsFewerSteps()
{
    QStringList factors;
    for (int i = 0; i < 80; ++i)
        factors << QStringLiteral("sin(x)");
    const QString file = path(QStringLiteral("huge.tvp"));
    QVERIFY(writeFile(file, QStringLiteral("[Trevolin]\nVersion=2.36.969\n[Function]\nName=%1\n"
                                           "[Precision]\nRoot-finding steps=50000\n")
                                .arg(factors.join(QLatin1Char('*')))
                                .toUtf8()));
    RecordingMessages messages;
    FunctionProject project;
    QVERIFY(opens(project, file));
    const qint64 characters = project.f().text().size() + project.fPrime().text().size();
    QVERIFY2(project.rootSteps() >= FunctionProject::MinRootSteps && project.rootSteps() < 50000, qPrintable(QString::number(project.rootSteps())));
    QVERIFY(project.rootSteps() * characters <= 80000000);
}

void TestProjectFile::refusedFiles_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    QTest::newRow("plain text") << QByteArray("Dear reader,\nthis is a letter, not a project.\n") << NoProject;
    QTest::newRow("empty file") << QByteArray() << NoProject;
    QTest::newRow("empty version") << QByteArray("[Trevolin]\nVersion=\n[Function]\nName=x\n") << NoProject;
    QTest::newRow("binary bytes") << QByteArray("\x00\xff\xfe[\x01=\x02\n\x80\x81", 10) << NoProject;
    const QString missingName = ErrorFile + QStringLiteral("\n[Function] Name: The key is missing or empty.");
    QTest::newRow("no function") << QByteArray("[Trevolin]\nVersion=2.36.969\n") << missingName;
    QTest::newRow("empty function") << QByteArray("[Trevolin]\nVersion=1\n[Function]\nName=\n") << missingName;
    QTest::newRow("rejected function") << QByteArray("[Trevolin]\nVersion=1\n[Function]\nName=sin(x\n")
                                       << ErrorFile + "\n[Function] Name=sin(x: End of parenthesis missing.";
    QTest::newRow("unknown function") << QByteArray("[Trevolin]\nVersion=1\n[Function]\nName=foo(x)\n")
                                      << ErrorFile + "\n[Function] Name=foo(x): Unknown function.";
    QTest::newRow("rejected parameters")
        << QByteArray("[Trevolin]\nVersion=1\n[Function]\nName=a*x\nParam=a=\n")
        << ErrorFile + "\n[Function] Name=a*x; Param=a=: Unknown function.";
    const QString range = QStringLiteral(": The number is out of range.");
    QTest::newRow("count too large for an integer") << (Header + QStringLiteral("[Precision]\nGraph points=1E+20\n")).toUtf8()
                                                    << ErrorFile + "\n[Precision] Graph points=1E+20" + range;
    QTest::newRow("colour too large for an integer") << (Header + QStringLiteral("[Colors]\nGrid=4294967296\n")).toUtf8()
                                                     << ErrorFile + "\n[Colors] Grid=4294967296" + range;
    QTest::newRow("bound too large for a double") << (Header + QStringLiteral("[Graph]\nXmin=-1e999\n")).toUtf8()
                                                  << ErrorFile + "\n[Graph] Xmin=-1e999" + range;
    const QString noBoolean = QStringLiteral(": The value is neither True, False nor a number.");
    QTest::newRow("Boolean neither word nor number") << (Header + QStringLiteral("[Show]\nGrid=maybe\n")).toUtf8()
                                                     << ErrorFile + "\n[Show] Grid=maybe" + noBoolean;
    QTest::newRow("Boolean empty") << (Header + QStringLiteral("[Show]\nGrid=\n")).toUtf8()
                                   << ErrorFile + "\n[Show] Grid=" + noBoolean;
    QTest::newRow("Boolean number with garbage") << (Header + QStringLiteral("[Show]\nGrid=1x\n")).toUtf8()
                                                 << ErrorFile + "\n[Show] Grid=1x" + noBoolean;
    QTest::newRow("a project padded past 1 MB") << (Header.toUtf8() + QByteArray(1024 * 1024, '\n'))
                                                << ErrorFile + QStringLiteral("\nThe file is larger than 1 MB.");
}

void TestProjectFile::refusedFiles()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString file = path(QStringLiteral("refused.tvp"));
    QVERIFY(writeFile(file, content));
    RecordingMessages messages;
    FunctionProject project;
    QString reason;
    const ProjectFile::OpenResult result = ProjectFile::open(project, file, &reason);
    QVERIFY(result != ProjectFile::OpenResult::Opened);
    QCOMPARE(ProjectFile::openFailureText(result, reason), message);
    QVERIFY(messages.texts.isEmpty());  // the caller shows the message
    // A refused file leaves the project as it was, without trees.
    QVERIFY(project.functionText().isEmpty());
    QVERIFY(project.file().isEmpty());
    QVERIFY(project.f().isNull());
}

void TestProjectFile::savedLayout()
{
    const auto project = makeProject(QStringLiteral("x^2-2"), -0.5, 2);
    QVERIFY(project);
    const QString file = path(QStringLiteral("layout.tvp"));
    QFile::remove(file);
    QVERIFY(bool(ProjectFile::save(*project, file)));
    QCOMPARE(project->file(), file);
    const QStringList expected = {
        QStringLiteral("[Trevolin]"), QStringLiteral("Version=2.36.969"),
        QStringLiteral("[Function]"), QStringLiteral("Name=x^2-2"), QStringLiteral("Param="),
        QStringLiteral("[Graph]"), QStringLiteral("Title=x^2-2=0"), QStringLiteral("Xmin=-.5"),
        QStringLiteral("Xmax= 2"), QStringLiteral("Ymin=-.5"), QStringLiteral("Ymax= 2"),
        QStringLiteral("[Precision]"), QStringLiteral("Graph points= 200"), QStringLiteral("Root-finding steps= 1000"),
        QStringLiteral("[Colors]"), QStringLiteral("Axes= 0"), QStringLiteral("Grid= 12632256"), QStringLiteral("Graph= 255"),
        QStringLiteral("[Show]"), QStringLiteral("Grid=True"),
    };
    QCOMPARE(nonEmptyLines(file), expected);
}

void TestProjectFile::saveTwiceKeepsOneCopy()
{
    const auto project = makeProject(QStringLiteral("x^3-x"), -2, 2);
    QVERIFY(project);
    const QString file = path(QStringLiteral("twice.tvp"));
    QFile::remove(file);
    QVERIFY(bool(ProjectFile::save(*project, file)));
    const QByteArray first = readFile(file);
    project->setXMin(-3);
    QVERIFY(bool(ProjectFile::save(*project, file)));
    project->setXMin(-2);
    QVERIFY(bool(ProjectFile::save(*project, file)));
    QCOMPARE(readFile(file), first);
    const QStringList lines = nonEmptyLines(file);
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^Xmin="))).size(), 1);
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^Grid="))).size(), 2);  // colour and switch
}

void TestProjectFile::unknownLinesSurvive()
{
    const QString file = path(QStringLiteral("unknown.tvp"));
    QVERIFY(writeFile(file, "; written by hand\n"
                            "[Trevolin]\nVersion=1.0.0\nAuthor=Ana\n"
                            "[Graph]\nComment=keep me\nXmin=-1\n"
                            "[Extra]\nFoo=bar\n"));
    const auto project = makeProject(QStringLiteral("x"), -4, 4);
    QVERIFY(project);
    QVERIFY(bool(ProjectFile::save(*project, file)));
    const QStringList lines = nonEmptyLines(file);
    QCOMPARE(lines.first(), QStringLiteral("; written by hand"));
    QVERIFY(lines.contains(QStringLiteral("Author=Ana")));
    QVERIFY(lines.contains(QStringLiteral("Comment=keep me")));
    QVERIFY(lines.contains(QStringLiteral("Foo=bar")));
    // Our keys are replaced where they stood; the others follow in their sections.
    QCOMPARE(lines.indexOf(QStringLiteral("Version=2.36.969")), 2);
    QCOMPARE(lines.indexOf(QStringLiteral("Xmin=-4")), lines.indexOf(QStringLiteral("Comment=keep me")) + 1);
    QCOMPARE(lines.filter(QStringLiteral("Xmin=")).size(), 1);
    QVERIFY(lines.indexOf(QStringLiteral("[Extra]")) < lines.indexOf(QStringLiteral("[Function]")));
}

void TestProjectFile::roundTrip()
{
    const auto saved = makeProject(QStringLiteral("exp(a*x)-exp(b*x)+c"), -3, 3, QStringLiteral("a=2; b=4; c=1"));
    QVERIFY(saved);
    saved->setYMin(-0.0001);
    saved->setYMax(123456.789);
    saved->setGraphPoints(750);
    saved->setRootSteps(12345);
    saved->setAxesColor(0x00FF00);
    saved->setGridColor(0x123456);
    saved->setGraphColor(0xFF0000);
    saved->setShowGrid(false);
    saved->setTitle(QStringLiteral("my title"));
    const QString file = path(QStringLiteral("roundtrip.tvp"));
    QVERIFY(bool(ProjectFile::save(*saved, file)));

    RecordingMessages messages;
    FunctionProject opened;
    QVERIFY(opens(opened, file));
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(opened.functionText(), saved->functionText());
    // The file keeps values without surrounding blanks, so the trailing blank of the engine's
    // parameter text is gone; the values themselves are the same.
    QCOMPARE(opened.parameterText(), saved->parameterText().trimmed());
    QCOMPARE(opened.f().parameters(), saved->parameterText());
    QCOMPARE(opened.title(), QStringLiteral("my title"));
    QCOMPARE(opened.xMin(), -3.0);
    QCOMPARE(opened.xMax(), 3.0);
    QCOMPARE(opened.yMin(), -0.0001);
    QCOMPARE(opened.yMax(), 123456.789);
    QCOMPARE(opened.graphPoints(), 750);
    QCOMPARE(opened.rootSteps(), 12345);
    QCOMPARE(opened.axesColor(), 0x00FF00);
    QCOMPARE(opened.gridColor(), 0x123456);
    QCOMPARE(opened.graphColor(), 0xFF0000);
    QVERIFY(!opened.showGrid());
    qint32 e1 = 0, e2 = 0;
    QCOMPARE(opened.f().evaluate(0.7, e1), saved->f().evaluate(0.7, e2));
    QCOMPARE(e1, 0);
}

void TestProjectFile::saveWritesParametersInForce()
{
    const auto project = makeProject(QStringLiteral("a*x-b"), -5, 5, QStringLiteral("a=2; b=1"));
    QVERIFY(project);
    const QString before = project->parameterText();
    QCOMPARE(project->f().setParameters(QStringLiteral("a=5; b=1")), 0);
    const QString file = path(QStringLiteral("inforce.tvp"));
    QVERIFY(bool(ProjectFile::save(*project, file)));
    const QString written = IniFile(file).value(QStringLiteral("Function"), QStringLiteral("Param"));
    QCOMPARE(written, project->f().parameters().trimmed());
    QVERIFY(written.contains(QLatin1String("5")));
    QVERIFY(written != before.trimmed());
    QCOMPARE(project->parameterText(), before);  // the field keeps what the project was made with
}

void TestProjectFile::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("folder that does not exist") << QStringLiteral("no/such/folder/p.tvp");
    QTest::newRow("a folder in the way") << QStringLiteral("afolder");
}

void TestProjectFile::failedSaveKeepsOldFile()
{
    QFETCH(QString, target);
    QDir(m_dir.path()).mkpath(QStringLiteral("afolder"));
    const auto project = makeProject(QStringLiteral("x"), -1, 1);
    QVERIFY(project);
    project->setFile(QStringLiteral("/previous.tvp"));
    QVERIFY(!ProjectFile::save(*project, path(target)));
    QCOMPARE(project->file(), QStringLiteral("/previous.tvp"));
    QVERIFY(QFileInfo(path(QStringLiteral("afolder"))).isDir());
}

void TestProjectFile::failedWriteMidwayKeepsOldFile()
{
    // A save that runs out of room after its first bytes (a file-size limit here; a full disk
    // or an exhausted quota behave alike) must leave the old file exactly as it was.
    const QString file = path(QStringLiteral("limited.tvp"));
    QVERIFY(writeFile(file, QByteArray("[Trevolin]\nVersion=2.36.969\n[Function]\nName=x-1\n")));
    const QByteArray before = [&] {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }();
    const auto project = makeProject(QStringLiteral("x^2-2+sin(x)*cos(x)"), -1, 1);
    QVERIFY(project);
    project->setTitle(QString(400, QLatin1Char('t')));
    project->setFile(QStringLiteral("/previous.tvp"));

    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        const rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        const FileWriteResult result = ProjectFile::save(*project, file);
        const bool reported = !result.ok && !result.reason.isEmpty();
        _exit(reported && project->file() == QLatin1String("/previous.tvp") ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "the save reported success or changed the project's file");
    QFile after(file);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
    // No temporary file is left behind.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral(".limited.tvp*")}, QDir::Hidden | QDir::Files), QStringList());
}

void TestProjectFile::commandLinePaths_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("resolved");

    QTest::newRow("relative name") << "cmd.tvp" << true << "cmd.tvp";
    QTest::newRow("relative with folder") << "sub/inner.tvp" << true << "sub/inner.tvp";
    QTest::newRow("dot folder") << "./cmd.tvp" << true << "cmd.tvp";
    QTest::newRow("absolute") << "ABSOLUTE" << true << "cmd.tvp";
    QTest::newRow("missing file") << "missing.tvp" << false << "";
    QTest::newRow("folder") << "sub" << false << "";
    QTest::newRow("empty") << "" << false << "";
}

void TestProjectFile::commandLinePaths()
{
    QFETCH(QString, argument);
    QFETCH(bool, opened);
    QFETCH(QString, resolved);
    QDir(m_dir.path()).mkpath(QStringLiteral("sub"));
    const QByteArray content = "[Trevolin]\nVersion=2.36.969\n[Function]\nName=x-1\n";
    QVERIFY(writeFile(path(QStringLiteral("cmd.tvp")), content));
    QVERIFY(writeFile(path(QStringLiteral("sub/inner.tvp")), content));
    if (argument == QLatin1String("ABSOLUTE"))
        argument = path(QStringLiteral("cmd.tvp"));

    RecordingMessages messages;
    FunctionProject project;
    QCOMPARE(ProjectFile::openFromCommandLine(project, argument) == ProjectFile::OpenResult::Opened, opened);
    QVERIFY(messages.texts.isEmpty());
    QCOMPARE(project.file(), resolved.isEmpty() ? QString() : QDir(m_dir.path()).filePath(resolved));
}

void TestProjectFile::largeGarbageIsQuick()
{
    QByteArray content;
    for (int i = 0; i < 200000; ++i)
        content += "[x" + QByteArray::number(i % 97) + "]\nkey" + QByteArray::number(i) + "=" + QByteArray(20, 'v') + "\n";
    const QString file = path(QStringLiteral("garbage.tvp"));
    QVERIFY(writeFile(file, content));
    RecordingMessages messages;
    FunctionProject project;
    QElapsedTimer timer;
    timer.start();
    const ProjectFile::OpenResult result = ProjectFile::open(project, file);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(ProjectFile::openFailureText(result), ErrorFile + QStringLiteral("\nThe file is larger than 1 MB."));
}

QTEST_GUILESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
