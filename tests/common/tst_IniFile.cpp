// Sectioned key=value files: lookups, writes that keep the rest of the file, and limits.
#include "core/IniFile.h"
#include "core/LocalFileName.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
        return path;
    }

    QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void lookup_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        const QByteArray basic = "[Msg]\nFile=&File\nExit = E&xit  \n\n[Other]\nFile=other\n";
        QTest::newRow("plain key") << basic << "Msg" << "File" << "&File";
        QTest::newRow("key case ignored") << basic << "Msg" << "FILE" << "&File";
        QTest::newRow("section case ignored") << basic << "msg" << "file" << "&File";
        QTest::newRow("blanks around key and value dropped") << basic << "Msg" << "Exit" << "E&xit";
        QTest::newRow("same key in another section") << basic << "Other" << "File" << "other";
        QTest::newRow("missing key gives default") << basic << "Msg" << "Open" << "DEF";
        QTest::newRow("missing section gives default") << basic << "None" << "File" << "DEF";
        QTest::newRow("key of another section is not seen") << QByteArray("[A]\nx=1\n[B]\ny=2\n") << "A" << "y"
                                                            << "DEF";
        QTest::newRow("blanks inside the header") << QByteArray("[ Msg ]\nk=v\n") << "Msg" << "k" << "v";
        QTest::newRow("CR LF lines") << QByteArray("[Msg]\r\nk=v\r\n") << "Msg" << "k" << "v";
        QTest::newRow("first of two equal keys wins") << QByteArray("[S]\nk=1\nk=2\n") << "S" << "k" << "1";
        QTest::newRow("value keeps later equals signs") << QByteArray("[S]\nk=a=b\n") << "S" << "k" << "a=b";
        QTest::newRow("empty value is a value") << QByteArray("[S]\nk=\n") << "S" << "k" << "";
        QTest::newRow("one pair of quotes dropped") << QByteArray("[S]\nk= \"x^2-2\" \n") << "S" << "k" << "x^2-2";
        QTest::newRow("single quotes dropped") << QByteArray("[S]\nk='a b'\n") << "S" << "k" << "a b";
        QTest::newRow("quotes that do not match kept") << QByteArray("[S]\nk=\"a'\n") << "S" << "k" << "\"a'";
        QTest::newRow("empty quoted value") << QByteArray("[S]\nk=\"\"\n") << "S" << "k" << "";
        QTest::newRow("key before any section ignored") << QByteArray("k=1\n[S]\n") << "S" << "k" << "DEF";
        QTest::newRow("UTF-8 text") << QByteArray("[S]\nk=\xc8\x98tef\xc4\x83\n") << "S" << "k"
                                    << QString::fromUtf8("\xc8\x98tef\xc4\x83");
        QTest::newRow("8-bit text read as Latin-1") << QByteArray("[S]\nk=caf\xe9\n") << "S" << "k"
                                                    << QString::fromLatin1("caf\xe9");
        QTest::newRow("byte order mark skipped") << QByteArray("\xef\xbb\xbf[S]\nk=v\n") << "S" << "k" << "v";
    }

    void lookup()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const QString path = writeFile(QStringLiteral("lookup.ini"), content);
        QCOMPARE(IniFile(path).value(section, key, QStringLiteral("DEF")), expected);
        QCOMPARE(IniRead(path, section, key, QStringLiteral("DEF")), expected);
    }

    void missingFileGivesDefaults()
    {
        QCOMPARE(IniRead(m_dir.filePath(QStringLiteral("none.ini")), QStringLiteral("S"), QStringLiteral("k"),
                         QStringLiteral("dflt")),
                 QStringLiteral("dflt"));
    }

    void valuesAreCutTo999Characters()
    {
        const QByteArray longValue(1500, 'a');
        const QString path = writeFile(QStringLiteral("long.ini"), "[S]\nk=" + longValue + "\nj=" + longValue.left(999) + "\n");
        QCOMPARE(IniRead(path, QStringLiteral("S"), QStringLiteral("k"), QString()).size(), 999);
        QCOMPARE(IniRead(path, QStringLiteral("S"), QStringLiteral("j"), QString()).size(), 999);
    }

    void write_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("replace in place, other lines kept")
            << QByteArray("; comment\n[Graph]\nTitle=old\nXmin= -1\nunknown line\n[Show]\nGrid=True\n") << "graph"
            << "TITLE" << "new" << QByteArray("; comment\n[Graph]\nTitle=new\nXmin= -1\nunknown line\n[Show]\nGrid=True\n");
        QTest::newRow("key spelling and spacing kept")
            << QByteArray("[S]\n  Key  =  old  \n") << "S" << "key" << "v" << QByteArray("[S]\n  Key  =v\n");
        QTest::newRow("new key at the end of its section, before the blank line")
            << QByteArray("[A]\nx=1\n\n[B]\ny=2\n") << "a" << "z" << "3" << QByteArray("[A]\nx=1\nz=3\n\n[B]\ny=2\n");
        QTest::newRow("new key in the last section")
            << QByteArray("[A]\nx=1\n") << "A" << "z" << "3" << QByteArray("[A]\nx=1\nz=3\n");
        QTest::newRow("new section at the end")
            << QByteArray("[A]\nx=1\n") << "B" << "y" << "2" << QByteArray("[A]\nx=1\n[B]\ny=2\n");
        QTest::newRow("empty file") << QByteArray() << "Trevolin" << "Version" << "2.36"
                                    << QByteArray("[Trevolin]\nVersion=2.36\n");
        QTest::newRow("CR LF file stays CR LF")
            << QByteArray("[A]\r\nx=1\r\n") << "A" << "y" << "2" << QByteArray("[A]\r\nx=1\r\ny=2\r\n");
        QTest::newRow("file without final line break keeps it so")
            << QByteArray("[A]\nx=1") << "A" << "x" << "2" << QByteArray("[A]\nx=2");
        QTest::newRow("line break in a value cannot split the line")
            << QByteArray("[A]\n") << "A" << "x" << "a\nb" << QByteArray("[A]\nx=a b\n");
        QTest::newRow("Latin-1 file stays Latin-1")
            << QByteArray("[A]\nx=caf\xe9\n") << "A" << "y" << "1" << QByteArray("[A]\nx=caf\xe9\ny=1\n");
    }

    void write()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        const QString path = writeFile(QStringLiteral("write.ini"), before);
        QVERIFY(IniFile::write(path, section, key, value));
        QCOMPARE(readFile(path), after);
    }

    void writingTwiceLeavesOneKey()
    {
        const QString path = m_dir.filePath(QStringLiteral("twice.ini"));
        QFile::remove(path);
        for (int i = 0; i < 2; ++i) {
            IniFile ini(path);
            ini.setValue(QStringLiteral("Function"), QStringLiteral("Name"), QStringLiteral("x^2-2"));
            ini.setValue(QStringLiteral("Function"), QStringLiteral("Param"), QString());
            QVERIFY(ini.save());
        }
        QCOMPARE(readFile(path), QByteArray("[Function]\nName=x^2-2\nParam=\n"));
    }

    void fileNameThatIsNoUtf8()
    {
        // Read and written by its own bytes: Qt alone would look for "lat\uFFFD.ini" instead.
        QTemporaryDir folder;
        const QByteArray name = QFile::encodeName(folder.path()) + "/lat\xe9.ini";
        QFile raw;
        QVERIFY(raw.open(::fopen(name.constData(), "w"), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        raw.write("[S]\nk=1\n");
        raw.close();
        const QString path = LocalFileName::fromBytes(name);
        QVERIFY(LocalFileName::isFile(path));
        IniFile ini(path);
        QCOMPARE(ini.value(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("1"));
        ini.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("2"));
        QVERIFY(ini.save());
        QCOMPARE(IniFile(path).value(QStringLiteral("S"), QStringLiteral("k")), QStringLiteral("2"));
        QVERIFY(!QFile::exists(QDir(folder.path()).filePath(QStringLiteral("lat\uFFFD.ini"))));
        QCOMPARE(::remove(name.constData()), 0); // Qt could not remove it with the folder

    }

    void saveFailureIsReported()
    {
        IniFile ini(m_dir.filePath(QStringLiteral("no/such/folder/file.ini")));
        ini.setValue(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
        QVERIFY(!ini.save());
        QVERIFY(!IniFile::write(m_dir.filePath(QStringLiteral("no/such/folder/file.ini")), QStringLiteral("S"),
                                QStringLiteral("k"), QStringLiteral("v")));
    }
};

TREV_TEST_MAIN(TestIniFile)
#include "tst_IniFile.moc"
