// The one file writer: a save completes, or the old file stays byte for byte and the reason is
// given.
#include "core/FileSizeSignal.h"
#include "core/SafeFile.h"

#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

class TestSafeFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void outcomes_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("ok");
        QTest::newRow("new file") << QStringLiteral("new.txt") << true;
        QTest::newRow("replaces an old file") << QStringLiteral("old.txt") << true;
        QTest::newRow("folder in the way") << QStringLiteral("folder") << false;
        QTest::newRow("missing folder") << QStringLiteral("missing/file.txt") << false;
        QTest::newRow("read-only file stays") << QStringLiteral("old.txt") << false;
    }

    void outcomes()
    {
        QFETCH(QString, target);
        QFETCH(bool, ok);
        QDir(m_dir.path()).mkpath(QStringLiteral("folder"));
        const QString path = m_dir.filePath(target);
        const QString oldPath = m_dir.filePath(QStringLiteral("old.txt"));
        QFile::setPermissions(oldPath, QFile::ReadOwner | QFile::WriteOwner);
        {
            QFile old(oldPath);
            QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
            old.write("old content\n");
        }
        const bool readOnly = QByteArray(QTest::currentDataTag()).startsWith("read-only");
        if (readOnly)
            QVERIFY(QFile::setPermissions(oldPath, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const FileWriteResult result = SafeFile::write(path, QByteArray("new content\n"));
        QCOMPARE(result.ok, ok);
        QCOMPARE(result.reason.isEmpty(), ok);
        if (readOnly) {
            QCOMPARE(result.reason, QStringLiteral("Permission denied"));
            QFile old(oldPath);
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), QByteArray("old content\n"));
        }
        if (ok) {
            QFile written(path);
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(written.readAll(), QByteArray("new content\n"));
        }
        QVERIFY(QFileInfo(m_dir.filePath(QStringLiteral("folder"))).isDir());
        // No temporary file stays behind.
        QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral(".*")}, QDir::Hidden | QDir::Files), QStringList());
    }

    void keepsPermissions()
    {
        const QString path = m_dir.filePath(QStringLiteral("private.txt"));
        QVERIFY(bool(SafeFile::write(path, "a")));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(bool(SafeFile::write(path, "b")));
        const QFile::Permissions permissions = QFile::permissions(path);
        QVERIFY(permissions.testFlag(QFile::ReadOwner) && permissions.testFlag(QFile::WriteOwner));
        QVERIFY(!permissions.testFlag(QFile::ReadGroup) && !permissions.testFlag(QFile::ReadOther));
    }

    // Under "ulimit -f 0" a program lives on once it has ignored the signal: the write fails.
    void survivesFileSizeLimit()
    {
        const QByteArray path = QFile::encodeName(m_dir.filePath(QStringLiteral("limited.txt")));
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            const rlimit none{0, 0};
            ::setrlimit(RLIMIT_FSIZE, &none);
            IgnoreFileSizeSignal();
            const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0600);
            const bool refused = ::write(fd, "x", 1) < 0 && errno == EFBIG;
            ::_exit(refused ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), "ended by a signal");
        QCOMPARE(WEXITSTATUS(status), 0);
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_SafeFile.moc"
