// The calculator's settings file, the search for the desktop calculator and the about text.
#include "CalcSettings.h"
#include "CalcTestSupport.h"
#include "AboutBox.h"
#include "SystemCalculator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void WriteFile(const QString &path, const QByteArray &content, bool executable = false)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

} // namespace

class TestCalcSupport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { useTestEnvironment(); }
    void settings_data();
    void settings();
    void findCalculator_data();
    void findCalculator();
    void aboutText();
};

void TestCalcSupport::settings_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("frenchFileExists");
    QTest::addColumn<int>("skin");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<QString>("language");   // file name in lang/

    QTest::newRow("no settings file") << QByteArray() << true << 1 << false << "english.lng";
    QTest::newRow("skin and language")
        << QByteArray("[Settings]\nForeItem=3\nLanguage=@/lang/french.lng\n") << true << 3 << false << "french.lng";
    QTest::newRow("section and keys in any case")
        << QByteArray("[settings]\nforeitem = 8 \nlanguage=@/lang/french.lng\n") << true << 8 << false
        << "french.lng";
    QTest::newRow("language file missing") << QByteArray("[Settings]\nLanguage=@/lang/french.lng\n") << false << 1
                                           << false << "english.lng";
    QTest::newRow("skin 9 falls back to 1") << QByteArray("[Settings]\nForeItem=9\n") << true << 1 << true
                                            << "english.lng";
    QTest::newRow("skin 0 falls back to 1") << QByteArray("[Settings]\nForeItem=0\n") << true << 1 << true
                                            << "english.lng";
    QTest::newRow("skin not a number") << QByteArray("[Settings]\nForeItem=blue\n") << true << 1 << true
                                       << "english.lng";
    QTest::newRow("skin 4.0 read as 4") << QByteArray("[Settings]\nForeItem=4.0\n") << true << 4 << false
                                        << "english.lng";
    QTest::newRow("keys in another section ignored")
        << QByteArray("[Other]\nForeItem=5\nLanguage=@/lang/french.lng\n") << true << 1 << false << "english.lng";
}

void TestCalcSupport::settings()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, frenchFileExists);
    QFETCH(int, skin);
    QFETCH(bool, replaced);
    QFETCH(QString, language);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("lang")));
    WriteFile(folder.filePath(QStringLiteral("lang/english.lng")), "[Msg]\n");
    if (frenchFileExists)
        WriteFile(folder.filePath(QStringLiteral("lang/french.lng")), "[Msg]\n");
    if (!ini.isEmpty())
        WriteFile(folder.filePath(CalcSettings::fileName()), ini.replace('@', folder.path().toUtf8()));

    const CalcSettings settings = CalcSettings::load(folder.path());
    QCOMPARE(settings.skin, skin);
    QCOMPARE(settings.skinReplaced, replaced);
    QCOMPARE(settings.colors.back, SkinColorsFor(skin).back);
    QCOMPARE(settings.languageFile, folder.filePath(QStringLiteral("lang/") + language));
}

void TestCalcSupport::findCalculator_data()
{
    QTest::addColumn<QStringList>("executables");
    QTest::addColumn<QStringList>("plainFiles");
    QTest::addColumn<QString>("found");

    QTest::newRow("none installed") << QStringList() << QStringList() << QString();
    QTest::newRow("the only one") << QStringList{"xcalc"} << QStringList() << "xcalc";
    QTest::newRow("preferred first") << QStringList{"xcalc", "kcalc", "galculator"} << QStringList() << "kcalc";
    QTest::newRow("not executable is not a program") << QStringList{"xcalc"} << QStringList{"gnome-calculator"}
                                                     << "xcalc";
    QTest::newRow("other programs ignored") << QStringList{"calculator", "bc"} << QStringList() << QString();
}

void TestCalcSupport::findCalculator()
{
    QFETCH(QStringList, executables);
    QFETCH(QStringList, plainFiles);
    QFETCH(QString, found);

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const QString &name : executables)
        WriteFile(folder.filePath(name), "#!/bin/sh\n", true);
    for (const QString &name : plainFiles)
        WriteFile(folder.filePath(name), "text\n");

    const QString path = SystemCalculator::find({folder.path()});
    QCOMPARE(path, found.isEmpty() ? QString() : folder.filePath(found));
}

void TestCalcSupport::aboutText()
{
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("calc"));
    WriteFile(program, "x");
    const QStringList lines = AboutBox::aboutText(program).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0), QStringLiteral("Trevolin Calculator 2.36 Build 969"));
    QVERIFY(!lines.at(1).isEmpty());
    QVERIFY(!lines.at(2).isEmpty());
}

QTEST_MAIN(TestCalcSupport)
#include "tst_calcsupport.moc"
