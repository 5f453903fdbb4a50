// The one file writer: a save completes, or the old file stays byte for byte and the reason is
// given.
#include "core/SafeFile.h"

#include <QtTest>

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
    }

    void outcomes()
    {
        QFETCH(QString, target);
        QFETCH(bool, ok);
        QDir(m_dir.path()).mkpath(QStringLiteral("folder"));
        const QString path = m_dir.filePath(target);
        {
            QFile old(m_dir.filePath(QStringLiteral("old.txt")));
            QVERIFY(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
            old.write("old content\n");
        }
        const FileWriteResult result = SafeFile::write(path, QByteArray("new content\n"));
        QCOMPARE(result.ok, ok);
        QCOMPARE(result.reason.isEmpty(), ok);
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
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_SafeFile.moc"
