// File > Open recent: order, limit, storage and files that have gone.
#include "shell/RecentFiles.h"
#include "TestEnvironment.h"

#include <QSettings>
#include <QTemporaryDir>

class TestRecentFiles : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QStringList paths(const QStringList &names) const
    {
        QStringList result;
        for (const QString &name : names)
            result << m_dir.filePath(name);
        return result;
    }

private slots:
    void init() { QSettings(QStringLiteral("Trevolin"), QStringLiteral("Trevolin")).clear(); }

    void order_data()
    {
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("newest first") << QStringList{"a", "b"} << QStringList{"b", "a"};
        QTest::newRow("reopened moves to the top") << QStringList{"a", "b", "c", "a"} << QStringList{"a", "c", "b"};
        QTest::newRow("ninth drops the oldest") << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9"}
                                                << QStringList{"9", "8", "7", "6", "5", "4", "3", "2"};
        QTest::newRow("one file, two spellings") << QStringList{"a", "x/../a"} << QStringList{"a"};
    }
    void order()
    {
        QFETCH(QStringList, added);
        QFETCH(QStringList, expected);
        RecentFiles recent;
        for (const QString &path : paths(added))
            recent.add(path);
        QCOMPARE(recent.files(), paths(expected));
        QCOMPARE(RecentFiles().files(), paths(expected));
    }

    void missingFilesLeaveTheList()
    {
        RecentFiles recent;
        for (const QString &path : paths({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")})) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            recent.add(path);
        }
        QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral("b"))));
        QCOMPARE(recent.dropMissing(), paths({QStringLiteral("c"), QStringLiteral("a")}));
        QVERIFY(recent.checkExists(m_dir.filePath(QStringLiteral("a"))));
        QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral("a"))));
        QVERIFY(!recent.checkExists(m_dir.filePath(QStringLiteral("a"))));
        QCOMPARE(RecentFiles().files(), paths({QStringLiteral("c")}));
    }

    void entryTextKeepsAmpersands()
    {
        QCOMPARE(RecentFiles::entryText(0, QStringLiteral("/p&q.tvp")), QStringLiteral("&1 /p&&q.tvp"));
    }
};

TREV_TEST_MAIN(TestRecentFiles)
#include "tst_RecentFiles.moc"
