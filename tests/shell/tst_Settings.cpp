// The settings store: defaults of a first start, the results folder, the language file and the
// conversion of stored texts to numbers.
#include "core/LangText.h"
#include "core/ProgramFolder.h"
#include "core/ProgramSettings.h"
#include "project/SettingsStore.h"
#include "TestEnvironment.h"
#include "ui/Skins.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <limits>

class TestSettings : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString documents() const { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }
    QString resultsFolder() const { return documents() + QStringLiteral("/Trevolin Results"); }

private slots:
    void initTestCase()
    {
        QFile file(m_dir.filePath(QStringLiteral("Deutsch.lng")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Info]\nLanguage=Deutsch\n[Msg]\nFile=&Datei\n");
    }

    void init()
    {
        QSettings(QStringLiteral("Trevolin"), QStringLiteral("Trevolin")).clear();
        QDir(resultsFolder()).removeRecursively();
        programSettings() = ProgramSettings();
    }

    void storeIsPrivateToTheTest()
    {
        const QString file = QSettings(QStringLiteral("Trevolin"), QStringLiteral("Trevolin")).fileName();
        QVERIFY2(file.startsWith(QDir::homePath()), qPrintable(file));
        QVERIFY2(QDir::homePath().startsWith(QDir::tempPath()), qPrintable(QDir::homePath()));
    }

    void firstStartGivesTheDefaults()
    {
        LoadSettings();
        const ProgramSettings &settings = programSettings();
        QCOMPARE(settings.skin, 1);
        QCOMPARE(SkinColorsFor(settings.skin).back, SkinColorsFor(1).back);
        QCOMPARE(settings.Decimals, 8);
        QCOMPARE(settings.MinLen, 0.001);
        QCOMPARE(settings.MaxLen, 10000.0);
        QCOMPARE(settings.GraphPrecision, 200);
        QCOMPARE(settings.RootSteps, 1000);
        QCOMPARE(settings.languageFile, ProgramFolder() + QStringLiteral("/lang/english.lng"));
        QCOMPARE(LanguageFile(), settings.languageFile);
        QCOMPARE(settings.resultsFolder, resultsFolder());
        QVERIFY(QFileInfo(resultsFolder()).isDir());
        QCOMPARE(ReadSetting(QStringLiteral("Settings"), QStringLiteral("Results"), QString()), resultsFolder());
        // Only the results folder is written at start-up.
        QCOMPARE(QSettings(QStringLiteral("Trevolin"), QStringLiteral("Trevolin")).allKeys(),
                 QStringList{QStringLiteral("Settings/Results")});
    }

    void existingResultsFolderIsKept()
    {
        QTemporaryDir elsewhere;
        const QString stored = elsewhere.path() + QLatin1Char('/');
        WriteSetting(QStringLiteral("Settings"), QStringLiteral("Results"), stored);
        LoadSettings();
        QCOMPARE(programSettings().resultsFolder, stored);
        QCOMPARE(ReadSetting(QStringLiteral("Settings"), QStringLiteral("Results"), QString()), stored);
        QVERIFY(!QFileInfo(resultsFolder()).exists());
    }

    void missingResultsFolderIsMadeAnew()
    {
        WriteSetting(QStringLiteral("Settings"), QStringLiteral("Results"), QStringLiteral("/no/such/folder"));
        LoadSettings();
        QCOMPARE(programSettings().resultsFolder, resultsFolder());
        QVERIFY(QFileInfo(resultsFolder()).isDir());
        QCOMPARE(ReadSetting(QStringLiteral("Settings"), QStringLiteral("Results"), QString()), resultsFolder());
    }

    void languageFile_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("kept");
        QTest::newRow("existing file used as stored, case kept") << m_dir.filePath(QStringLiteral("Deutsch.lng")) << true;
        QTest::newRow("file gone falls back to English") << m_dir.filePath(QStringLiteral("gone.lng")) << false;
    }

    void languageFile()
    {
        QFETCH(QString, stored);
        QFETCH(bool, kept);
        WriteSetting(QStringLiteral("Settings"), QStringLiteral("Language"), stored);
        LoadSettings();
        const QString expected = kept ? stored : ProgramFolder() + QStringLiteral("/lang/english.lng");
        QCOMPARE(programSettings().languageFile, expected);
        QCOMPARE(LangText(QStringLiteral("File"), QStringLiteral("&File")),
                 kept ? QStringLiteral("&Datei") : QStringLiteral("&File"));
    }

    void storedNumbers_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("expected");
        QTest::newRow("decimals 7.5 to even 8") << "Decimals" << "7.5" << 8.0;
        QTest::newRow("decimals 6.5 to even 6") << "Decimals" << "6.5" << 6.0;
        QTest::newRow("decimals with trailing text") << "Decimals" << "10 digits" << 10.0;
        QTest::newRow("decimals not a number reads 0") << "Decimals" << "abc" << 0.0;
        QTest::newRow("MinLen with a comma stops at the comma") << "MinLen" << "0,5" << 0.0;
        QTest::newRow("MinLen prefix") << "MinLen" << "0.25mm" << 0.25;
        QTest::newRow("MaxLen exponent") << "MaxLen" << "1e3" << 1000.0;
        QTest::newRow("graph points leading blanks") << "GraphPrecision" << "  300" << 300.0;
        QTest::newRow("root steps 2.5 to even 2") << "RootSteps" << "2.5" << 2.0;
        QTest::newRow("root steps empty reads 0") << "RootSteps" << "" << 0.0;
        QTest::newRow("skin out of range gives skin 1") << "ForeItem" << "9" << 1.0;
        QTest::newRow("skin 3.5 rounds to 4") << "ForeItem" << "3.5" << 4.0;
    }

    void storedNumbers()
    {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        QFETCH(double, expected);
        WriteSetting(QStringLiteral("Settings"), key, stored);
        LoadSettings();
        const ProgramSettings &settings = programSettings();
        const double actual = key == QLatin1String("Decimals")       ? settings.Decimals
            : key == QLatin1String("MinLen")                         ? settings.MinLen
            : key == QLatin1String("MaxLen")                         ? settings.MaxLen
            : key == QLatin1String("GraphPrecision")                 ? settings.GraphPrecision
            : key == QLatin1String("RootSteps")                      ? settings.RootSteps
                                                                     : settings.skin;
        QCOMPARE(actual, expected);
        if (key == QLatin1String("ForeItem"))
            QCOMPARE(SkinColorsFor(settings.skin).back, SkinColorsFor(int(expected)).back);
    }

    void settingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("integer");
        QTest::newRow("plain") << "12" << 12.0 << 12;
        QTest::newRow("sign") << "-3.25" << -3.25 << -3;
        QTest::newRow("plus sign") << "+4" << 4.0 << 4;
        QTest::newRow("leading point") << ".5" << 0.5 << 0;
        QTest::newRow("trailing point") << "5." << 5.0 << 5;
        QTest::newRow("second point ends the number") << "1.2.3" << 1.2 << 1;
        QTest::newRow("exponent") << "2.5E2" << 250.0 << 250;
        QTest::newRow("e without digits is not an exponent") << "3e" << 3.0 << 3;
        QTest::newRow("half to even, down") << "0.5" << 0.5 << 0;
        QTest::newRow("half to even, up") << "1.5" << 1.5 << 2;
        QTest::newRow("negative half to even") << "-2.5" << -2.5 << -2;
        QTest::newRow("just below a half") << "2.4999" << 2.4999 << 2;
        QTest::newRow("blank then number") << " \t7" << 7.0 << 7;
        QTest::newRow("letter first") << "x1" << 0.0 << 0;
        QTest::newRow("empty") << "" << 0.0 << 0;
        QTest::newRow("lone sign") << "-" << 0.0 << 0;
        QTest::newRow("too large for an integer") << "1e12" << 1e12 << std::numeric_limits<int>::max();
        QTest::newRow("too small for an integer") << "-1e12" << -1e12 << std::numeric_limits<int>::min();
        QTest::newRow("beyond double reads 0") << "1e999" << 0.0 << 0;
    }

    void settingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(int, integer);
        QCOMPARE(SettingNumber(text), number);
        QCOMPARE(SettingInteger(text), integer);
    }
};

TREV_TEST_MAIN(TestSettings)
#include "tst_Settings.moc"
