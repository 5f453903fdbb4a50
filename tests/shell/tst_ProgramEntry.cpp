// The start-up: the maintenance switches, a real second process handing its command line to
// the first instance, a first instance that does not answer, and the socket left by a killed
// instance.
#include "core/MathEngine.h"
#include "shell/CommandLine.h"
#include "shell/FileAssociation.h"
#include "shell/ProgramEntry.h"
#include "TestEnvironment.h"

#include <QProcess>
#include <QSignalSpy>

class TestProgramEntry : public QObject {
    Q_OBJECT
    // Keys of their own, so a line the user runs is never reached.
    const QString m_key = QStringLiteral("trev-test-%1").arg(QCoreApplication::applicationPid());
    SingleInstance *m_first = nullptr;

    // Starts a second line with `arguments` (for the instance key `key`) and returns its output.
    void startProbe(QProcess &probe, const QString &key, const QStringList &arguments)
    {
        qputenv("TREV_TEST_INSTANCE_KEY", key.toUtf8());
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
        QTest::addColumn<QStringList>("received");
        QTest::addColumn<QByteArray>("errorOutput");  // of the second start; it ends with status 2 then
        QTest::newRow("a file") << QStringList{"a.tvp"} << QStringList{"a.tvp"} << QByteArray();
        QTest::newRow("a name with blanks and another")
            << QStringList{"my file.tvp", "b.tvp"} << QStringList{"\"my file.tvp\" b.tvp"} << QByteArray();
        QTest::newRow("an equation") << QStringList{"/eq", "x^2-2", "0", "2"} << QStringList{"/eq x^2-2 0 2"} << QByteArray();
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
        startProbe(probe, m_key, arguments);
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
        QStringList lines;
        for (const QList<QVariant> &signal : std::as_const(commandLines))
            lines << signal.first().toString();
        QCOMPARE(lines, received);
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
        startProbe(second, key, {QStringLiteral("x.tvp")});
        QVERIFY(commandLines.wait(SingleInstance::HandOverTimeoutMs));
        QCOMPARE(commandLines.first().first().toString(), QStringLiteral("x.tvp"));
        QVERIFY(second.waitForFinished());
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
