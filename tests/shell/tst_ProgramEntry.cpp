// The start-up: the maintenance switches, a real second process handing its command line to
// the first instance, a first instance that does not answer, the socket left by a killed
// instance, the private folder of lock and socket, and another user's connection.
#include "core/MathEngine.h"
#include "shell/CommandLine.h"
#include "shell/FileAssociation.h"
#include "shell/ProgramEntry.h"
#include "TestEnvironment.h"

#include <QProcess>
#include <QSignalSpy>

#include <cstring>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

class TestProgramEntry : public QObject {
    Q_OBJECT
    // Keys of their own, so a line the user runs is never reached.
    const QString m_key = QStringLiteral("trev-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance *m_first = nullptr;

    // Starts a second line with `arguments` (for the instance key `key`) in `folder`.
    void startProbe(QProcess &probe, const QString &key, const QStringList &arguments, const QString &folder = {})
    {
        qputenv("TREV_TEST_INSTANCE_KEY", key.toUtf8());
        probe.setWorkingDirectory(folder);
        probe.start(QCoreApplication::applicationDirPath() + QStringLiteral("/program_entry_probe"), arguments);
        QVERIFY(probe.waitForStarted());
    }

private slots:
    void initTestCase()
    {
        MathEngine::initialize();
        m_first = new SingleInstance(m_key, this);
        m_first->setCommandLineCheck(&EquationRefusal);
        QCOMPARE(m_first->start(QString()), SingleInstance::Role::First);
    }

    void cleanupTestCase()
    {
        const QString lock = m_first->lockPath();
        delete m_first;
        for (const QString &suffix : {QString(), QStringLiteral("-killed"), QStringLiteral("-entry")})
            QFile::remove(SingleInstance(m_key + suffix).lockPath());
        QVERIFY(!QFile::exists(lock));
    }

    void handOver_data()
    {
        QTest::addColumn<QStringList>("arguments");
        // The tokens of the command line received, %1 for the second start's working folder;
        // empty when none is received.
        QTest::addColumn<QStringList>("received");
        QTest::addColumn<QByteArray>("errorOutput");  // of the second start; it ends with status 2 then
        QTest::newRow("a file") << QStringList{"a.tvp"} << QStringList{"%1/a.tvp"} << QByteArray();
        QTest::newRow("a name with blanks and another") << QStringList{"my file.tvp", "/b.tvp"}
                                                        << QStringList{"%1/my file.tvp", "/b.tvp"} << QByteArray();
        QTest::newRow("a name with double quotes")
            << QStringList{"a \"b\" c.tvp", "d\""} << QStringList{"%1/a \"b\" c.tvp", "%1/d\""} << QByteArray();
        QTest::newRow("an equation") << QStringList{"/eq", "x^2-2", "0", "2"} << QStringList{"/eq", "x^2-2", "0", "2"}
                                     << QByteArray();
        QTest::newRow("a refused equation is not passed on") << QStringList{"/eq", "sin(x", "0", "2"} << QStringList{}
                                                             << QByteArray("line: /eq: End of parenthesis missing.");
        QTest::newRow("nothing only brings the window forward") << QStringList{} << QStringList{} << QByteArray();
    }
    void handOver()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, received);
        QFETCH(QByteArray, errorOutput);
        QSignalSpy activations(m_first, &SingleInstance::activationRequested);
        QSignalSpy commandLines(m_first, &SingleInstance::commandLineReceived);
        QElapsedTimer timer;
        timer.start();
        QProcess probe;
        const QTemporaryDir folder;
        startProbe(probe, m_key, arguments, folder.path());
        QVERIFY(activations.wait(SingleInstance::HandOverTimeoutMs));
        const qint64 launchToReceipt = timer.elapsed();
        QVERIFY(probe.waitForFinished(SingleInstance::HandOverTimeoutMs));
        const QList<QByteArray> output = probe.readAllStandardOutput().trimmed().split(' ');
        QCOMPARE(output.first(), errorOutput.isEmpty() ? QByteArray("handed-over") : QByteArray("refused"));
        QByteArray reported;  // the start's own lines, without Qt's warnings
        for (const QByteArray &line : probe.readAllStandardError().split('\n'))
            reported += line.startsWith("line: ") ? line : QByteArray();
        QCOMPARE(reported, errorOutput);
        QCOMPARE(probe.exitCode(), errorOutput.isEmpty() ? 0 : 2);
        qInfo("hand-over %s ms in the second process, %lld ms from its launch", output.last().constData(),
              launchToReceipt);
        QVERIFY(output.last().toInt() < 300);
        QCOMPARE(activations.count(), 1);
        QCOMPARE(commandLines.count(), received.isEmpty() ? 0 : 1);
        QString rest = received.isEmpty() ? QString() : commandLines.first().first().toString();
        QStringList tokens;
        while (!rest.isEmpty())
            tokens << NextCommandToken(rest);
        for (QString &token : received)
            token.replace(QStringLiteral("%1"), folder.path());
        QCOMPARE(tokens, received);
    }

    void secondEndsWhenTheFirstDoesNotAnswer()
    {
        QElapsedTimer timer;
        timer.start();
        QProcess probe;
        startProbe(probe, m_key, {QStringLiteral("a.tvp")});
        // Not returning to the event loop: the first instance is busy.
        QVERIFY(probe.waitForFinished(3 * SingleInstance::HandOverTimeoutMs));
        QVERIFY(probe.readAllStandardOutput().startsWith("no-answer"));
        QVERIFY(probe.readAllStandardError().contains("line: The running instance of line did not answer."));
        QVERIFY2(timer.elapsed() < SingleInstance::HandOverTimeoutMs + 1500, qPrintable(QString::number(timer.elapsed())));
        QTest::qWait(50);
    }

    void killedInstanceLeavesNoObstacle()
    {
        const QString key = m_key + QStringLiteral("-killed");
        QProcess killed;
        startProbe(killed, key, {});
        QVERIFY(killed.waitForReadyRead(SingleInstance::HandOverTimeoutMs));
        QVERIFY(killed.readAllStandardOutput().startsWith("first"));
        killed.kill();
        QVERIFY(killed.waitForFinished());

        SingleInstance next(key);
        QVERIFY2(QFile::exists(next.serverPath()), "the killed instance should leave its socket behind");
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(next.start(QString()), SingleInstance::Role::First);
        QVERIFY(timer.elapsed() < 1000);
        QSignalSpy commandLines(&next, &SingleInstance::commandLineReceived);
        QProcess second;
        startProbe(second, key, {QStringLiteral("/x.tvp")});
        QVERIFY(commandLines.wait(SingleInstance::HandOverTimeoutMs));
        QCOMPARE(commandLines.first().first().toString(), QStringLiteral("/x.tvp"));
        QVERIFY(second.waitForFinished());
    }

    // Without a runtime folder, lock and socket go to trevolin-UID in the temporary folder,
    // which must be the user's alone; otherwise the start runs without looking for another.
    void privateFolder_data()
    {
        QTest::addColumn<int>("modeBefore");  // of a folder that is there already; -1 for none
        QTest::newRow("made with mode 0700") << -1;
        QTest::newRow("others may enter: not used") << 0755;
    }
    void privateFolder()
    {
        QFETCH(int, modeBefore);
        const QTemporaryDir temp;
        const QByteArray folder = QFile::encodeName(temp.path() + QStringLiteral("/trevolin-%1").arg(::getuid()));
        QVERIFY(modeBefore < 0 || ::mkdir(folder.constData(), mode_t(modeBefore)) == 0);
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR"), tempFolder = qgetenv("TMPDIR");
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        SingleInstance instance(m_key + QStringLiteral("-private"));
        QCOMPARE(instance.start(QString()), SingleInstance::Role::First);
        qputenv("TMPDIR", tempFolder);
        qputenv("XDG_RUNTIME_DIR", runtime);
        const bool used = modeBefore < 0;
        QCOMPARE(instance.serverPath().startsWith(QFile::decodeName(folder) + QLatin1Char('/'))
                     && QFile::exists(instance.serverPath()), used);
        QCOMPARE(instance.serverPath().isEmpty(), !used);
    }

    // A child of the test that runs as nobody reaches the socket and hands over a file name:
    // the first instance hangs up at once.
    void otherUserIsRefused()
    {
        if (::getuid() != 0)
            QSKIP("Only a test run as root can connect as a second user.");
        const passwd *nobody = ::getpwnam("nobody");
        QVERIFY(nobody);
        // A runtime folder and a socket that nobody may reach.
        const QTemporaryDir runtime;
        QVERIFY(::chmod(QFile::encodeName(runtime.path()).constData(), 0711) == 0);
        const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        SingleInstance first(m_key + QStringLiteral("-peer"));
        qputenv("XDG_RUNTIME_DIR", runtimeBefore);
        QCOMPARE(first.start(QString()), SingleInstance::Role::First);
        const QString path = first.serverPath();
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0777) == 0);
        QSignalSpy activations(&first, &SingleInstance::activationRequested);
        const pid_t child = ::fork();
        if (child == 0) {
            // Status 2: no connection; 1: the instance answered.
            sockaddr_un address {};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path - 1);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0
                || ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
                ::_exit(2);
            const char message[] = {0, 0, 0, 5, 'x', '.', 't', 'v', 'p'};
            char answer = 0;
            ::_exit(::write(fd, message, sizeof message) == sizeof message && ::read(fd, &answer, 1) == 1 ? 1 : 0);
        }
        int status = -1;
        const QDeadlineTimer deadline(SingleInstance::HandOverTimeoutMs);
        while (::waitpid(child, &status, WNOHANG) == 0 && !deadline.hasExpired())
            QTest::qWait(10);
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(activations.count(), 0);
    }

    // The switches count only as the whole command line; they neither take the instance nor
    // look for one.
    void entrySteps_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("registeredBefore");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<bool>("registeredAfter");
        QTest::addColumn<bool>("listening");
        using Outcome = ProgramEntry::Outcome;
        QTest::newRow("/u removes") << QStringList{"/u"} << true << int(Outcome::AssociationRemoved) << false << false;
        QTest::newRow("/r writes") << QStringList{"/r"} << false << int(Outcome::AssociationWritten) << true << false;
        QTest::newRow("first start writes") << QStringList{} << false << int(Outcome::FirstInstance) << true << true;
        QTest::newRow("/u after a blank is a file") << QStringList{" /u"} << true << int(Outcome::FirstInstance) << true << true;
        QTest::newRow("/u with a file") << QStringList{"/u", "a.tvp"} << true << int(Outcome::FirstInstance) << true << true;
        QTest::newRow("/U is no switch") << QStringList{"/U"} << false << int(Outcome::FirstInstance) << true << true;
    }
    void entrySteps()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, registeredBefore);
        QFETCH(int, outcome);
        QFETCH(bool, registeredAfter);
        QFETCH(bool, listening);
        const FileAssociation association;
        if (registeredBefore)
            association.registerProjectFiles();
        else
            association.unregisterProjectFiles();
        ProgramEntry entry(arguments, m_key + QStringLiteral("-entry"));
        QCOMPARE(int(entry.run()), outcome);
        QCOMPARE(QFile::exists(association.packagePath()), registeredAfter);
        QCOMPARE(QFile::exists(association.desktopEntryPath()), registeredAfter);
        QCOMPARE(QFile::exists(entry.instance().serverPath()), listening);
    }
};

TREV_TEST_MAIN(TestProgramEntry)
#include "tst_ProgramEntry.moc"
