// The association of project files with line on the desktop, under the test's own data folder.
#include "shell/FileAssociation.h"
#include "TestEnvironment.h"

#include <QDirIterator>
#include <QMimeDatabase>
#include <QStandardPaths>

namespace {

QString dataHome() { return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation); }

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void place(const QString &relativePath, const QByteArray &bytes)
{
    const QString path = dataHome() + QLatin1Char('/') + relativePath;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray packageFor(const char *type, const char *pattern)
{
    return QByteArray("<?xml version=\"1.0\"?><mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">"
                      "<mime-type type=\"") + type + "\"><glob pattern=\"" + pattern + "\"/></mime-type></mime-info>";
}

} // namespace

class TestFileAssociation : public QObject {
    Q_OBJECT

private slots:
    void init() { QDir(dataHome()).removeRecursively(); }

    void writtenOnceAndRemovedBySlashU()
    {
        const FileAssociation association(QStringLiteral("/opt/trev/line"));
        QCOMPARE(association.registerProjectFiles(), FileAssociation::Registration::Written);
        const QMimeType type = QMimeDatabase().mimeTypeForFile(QStringLiteral("/x/eq.tvp"), QMimeDatabase::MatchExtension);
        QCOMPARE(type.name(), FileAssociation::MimeTypeName);
        QCOMPARE(type.comment(), QStringLiteral("Trevolin Math Equation"));
        const QList<QByteArray> entry = contents(association.desktopEntryPath()).split('\n');
        for (const char *line : {"[Desktop Entry]", "MimeType=application/x-trevolin-project;", "Actions=Solve;Open;",
                                 "Exec=\"/opt/trev/line\" %f", "[Desktop Action Solve]", "Name=Solve equation",
                                 "[Desktop Action Open]", "Name=Open"})
            QVERIFY2(entry.contains(line), line);
        QCOMPARE(entry.count("Exec=\"/opt/trev/line\" %f"), 3);

        const QByteArray package = contents(association.packagePath());
        QCOMPARE(association.registerProjectFiles(), FileAssociation::Registration::AlreadyDefined);
        QCOMPARE(contents(association.packagePath()), package);

        QVERIFY(association.unregisterProjectFiles());
        QVERIFY(!association.unregisterProjectFiles());
        // Nothing of ours is left, also not in the desktop's refreshed caches.
        QDirIterator files(dataHome(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QVERIFY2(!contents(path).contains("trevolin"), qPrintable(path));
        }
        QCOMPARE(association.registerProjectFiles(), FileAssociation::Registration::Written);
    }

    // The program path in Exec, quoted and escaped as desktop entries require.
    void execLine_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("blank") << "/opt/my apps/line" << "\"/opt/my apps/line\" %f";
        QTest::newRow("percent") << "/opt/100%/line" << "\"/opt/100%%/line\" %f";
        QTest::newRow("quote, dollar, backtick") << "/opt/a\"b$c`d/line" << "\"/opt/a\\\\\"b\\\\$c\\\\`d/line\" %f";
        QTest::newRow("backslash") << "/opt/a\\b/line" << "\"/opt/a\\\\\\\\b/line\" %f";
    }
    void execLine()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(FileAssociation(program).execLine(), exec);
    }

    // What is already there decides whether our files are written.
    void existingDefinitions_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("defined");
        QTest::newRow("nothing") << "" << QByteArray() << false;
        QTest::newRow("another program's type") << "mime/packages/other.xml" << packageFor("text/x-other", "*.tvp") << true;
        QTest::newRow("pattern in upper case") << "mime/packages/other.xml" << packageFor("text/x-other", "*.TVP") << true;
        QTest::newRow("a package for other files") << "mime/packages/other.xml" << packageFor("text/x-other", "*.tv") << false;
        QTest::newRow("our package") << "mime/packages/trevolin-project.xml" << QByteArray() << true;
        QTest::newRow("installed package") << "mime/packages/trevolin.xml" << QByteArray() << true;
        QTest::newRow("compiled list, other type") << "mime/globs2" << QByteArray("50:text/x-other:*.tvp\n") << true;
        QTest::newRow("stale compiled list, our type") << "mime/globs2" << QByteArray("50:application/x-trevolin-project:*.tvp\n") << false;
        QTest::newRow("old list format") << "mime/globs" << QByteArray("text/x-other:*.tvp\n") << true;
    }
    void existingDefinitions()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, defined);
        if (!file.isEmpty())
            place(file, bytes);
        const FileAssociation association(QStringLiteral("/opt/trev/line"));
        QCOMPARE(association.isTypeDefined(), defined);
        QCOMPARE(association.registerProjectFiles(), defined ? FileAssociation::Registration::AlreadyDefined
                                                             : FileAssociation::Registration::Written);
        QCOMPARE(QFile::exists(association.desktopEntryPath()), !defined);
    }
};

TREV_TEST_MAIN(TestFileAssociation)
#include "tst_FileAssociation.moc"
