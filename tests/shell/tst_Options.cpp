// The general options dialog: decimals, skin preview and language choice.
#include "core/LangText.h"
#include "dialogs/OptionsDialog.h"
#include "core/ProgramSettings.h"
#include "RecordingMessages.h"
#include "project/SettingsStore.h"
#include "TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

namespace {

const QString DecimalsRefused = QStringLiteral("The value must be an integer between 4 and 14 !");

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

    QTemporaryDir m_lang;   // a language folder of the test's own
    QString english() const { return m_lang.filePath(QStringLiteral("english.lng")); }
    QString testish() const { return m_lang.filePath(QStringLiteral("testish.lng")); }

    QString stored(const QString &key) const { return ReadSetting(QStringLiteral("Settings"), key, QStringLiteral("(none)")); }

private slots:
    void initTestCase()
    {
        writeFile(english(), "[Info]\nLanguage=English\n[Msg]\n");
        writeFile(testish(), "[Info]\nLanguage=Testish\n[Msg]\nChangedLanguage=Changed!\n");
        writeFile(m_lang.filePath(QStringLiteral("Anonymous.lng")), "[Msg]\nFile=x\n");
        writeFile(m_lang.filePath(QStringLiteral("readme.txt")), "not a language\n");
    }

    void init()
    {
        QSettings(QStringLiteral("Trevolin"), QStringLiteral("Trevolin")).clear();
        programSettings() = ProgramSettings();
        programSettings().languageFile = english();
        SetLanguageFile(english());
    }

    void languageList()
    {
        const QList<LanguageEntry> languages = OptionsModel::ScanLanguages(m_lang.path());
        QCOMPARE(languages.size(), 3);
        // In file-name order; a file without an Info section is listed under its file name.
        QCOMPARE(languages.at(0).name, QStringLiteral("Anonymous.lng"));
        QCOMPARE(languages.at(1).name, QStringLiteral("English"));
        QCOMPARE(languages.at(2).name, QStringLiteral("Testish"));
        QCOMPARE(languages.at(2).path, testish());
    }

    void languageListWithoutFolder()
    {
        const QList<LanguageEntry> languages = OptionsModel::ScanLanguages(m_lang.filePath(QStringLiteral("none")));
        QCOMPARE(languages.size(), 1);
        QCOMPARE(languages.constFirst().name, QStringLiteral("English"));
        QVERIFY(languages.constFirst().path.isEmpty());
    }

    void dialogStartsFromTheCurrentValues()
    {
        programSettings().Decimals = 11;
        programSettings().skin = 6;
        OptionsDialog dialog(nullptr, m_lang.path());
        QCOMPARE(dialog.decimalsBox()->text(), QStringLiteral("11"));
        QCOMPARE(dialog.skinBox()->currentIndex(), 5);
        QCOMPARE(dialog.skinBox()->count(), 8);
        QCOMPARE(dialog.languageBox()->currentText(), QStringLiteral("English"));
    }

    void decimals_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("decimals");
        QTest::newRow("3 is too few") << "3" << false << 0;
        QTest::newRow("15 is too many") << "15" << false << 0;
        QTest::newRow("abc is no number") << "abc" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("3.5 rounds to even 4") << "3.5" << true << 4;
        QTest::newRow("14.5 rounds to even 14") << "14.5" << true << 14;
        QTest::newRow("4 is the least") << "4" << true << 4;
        QTest::newRow("14 is the most") << "14" << true << 14;
        QTest::newRow("7.5 rounds to 8") << "7.5" << true << 8;
        QTest::newRow("6.5 rounds to 6") << "6.5" << true << 6;
        QTest::newRow("blanks around") << " 9 " << true << 9;
    }

    void decimals()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(int, decimals);
        RecordingMessages messages;
        OptionsDialog dialog(nullptr, m_lang.path());
        dialog.show();
        dialog.decimalsBox()->setText(typed);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        if (accepted) {
            QVERIFY(messages.shown.isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(programSettings().Decimals, decimals);
            QCOMPARE(stored(QStringLiteral("Decimals")), QString::number(decimals));
        } else {
            QCOMPARE(messages.texts, QStringList{DecimalsRefused});
            QVERIFY(dialog.isVisible());
            QCOMPARE(programSettings().Decimals, 8);
            QCOMPARE(stored(QStringLiteral("Decimals")), QStringLiteral("(none)"));
            QCOMPARE(stored(QStringLiteral("Language")), QStringLiteral("(none)"));
        }
    }

    void backgroundPictureSwitch()
    {
        OptionsDialog dialog(nullptr, m_lang.path());
        dialog.show();
        QVERIFY(dialog.backgroundBox()->isChecked());
        QTest::mouseClick(dialog.backgroundBox(), Qt::LeftButton);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QVERIFY(dialog.backgroundPictureChanged());
        QCOMPARE(programSettings().backgroundPicture, false);
        QCOMPARE(stored(QStringLiteral("BackgroundPicture")), QStringLiteral("0"));
    }

    void decimalsMessageFollowsTheLanguage()
    {
        writeFile(m_lang.filePath(QStringLiteral("fr.tmp")),
                  "[Msg]\nNumberDecimals=La valeur doit \xc3\xaatre un entier entre\nAnd=et\n");
        SetLanguageFile(m_lang.filePath(QStringLiteral("fr.tmp")));
        QCOMPARE(OptionsModel::DecimalsMessage(), QString::fromUtf8("La valeur doit \xc3\xaatre un entier entre 4 et 14 !"));
    }

    void skinPreviewUndoneByCancel()
    {
        QWidget other;
        auto *label = new QLabel(QStringLiteral("label"), &other);
        auto *list = new QListWidget(&other);
        ApplySkin(&other, SkinColorsFor(1));
        other.show();

        OptionsDialog dialog(nullptr, m_lang.path());
        dialog.show();
        dialog.chooseSkin(6);
        const SkinColors rose = SkinColorsFor(7);
        QCOMPARE(other.palette().color(QPalette::Window), rose.back);
        QCOMPARE(list->palette().color(QPalette::Base), rose.back);
        QCOMPARE(dialog.palette().color(QPalette::Window), rose.back);
        QCOMPARE(programSettings().skin, 1);

        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(other.palette().color(QPalette::Window), SkinColorsFor(1).back);
        QCOMPARE(label->palette().color(QPalette::WindowText), SkinColorsFor(1).fore);
        QCOMPARE(programSettings().skin, 1);
        QCOMPARE(stored(QStringLiteral("ForeItem")), QStringLiteral("(none)"));
    }

    void skinKeptAndStoredByOk()
    {
        QWidget other;
        auto *label = new QLabel(QStringLiteral("label"), &other);
        other.show();

        OptionsDialog dialog(nullptr, m_lang.path());
        dialog.show();
        dialog.chooseSkin(3);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const SkinColors system = SkinColorsFor(4);
        QCOMPARE(other.palette().color(QPalette::Window), system.back);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(programSettings().skin, 4);
        QCOMPARE(SkinColorsFor(programSettings().skin).back, system.back);
        QCOMPARE(stored(QStringLiteral("ForeItem")), QStringLiteral("4"));
    }

    void unchangedSkinIsNotStored()
    {
        OptionsDialog dialog(nullptr, m_lang.path());
        dialog.show();
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(stored(QStringLiteral("ForeItem")), QStringLiteral("(none)"));
        QCOMPARE(stored(QStringLiteral("Decimals")), QStringLiteral("8"));
    }

    void languageChoice_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("another language: stored, and told it comes at the next run")
            << "Testish" << QStringList{QStringLiteral("The language will be changed at the next run!")};
        QTest::newRow("the language in use: stored, no message") << "English" << QStringList();
    }

    void languageChoice()
    {
        QFETCH(QString, chosen);
        QFETCH(QStringList, messages);
        RecordingMessages recorder;
        OptionsDialog dialog(nullptr, m_lang.path());
        dialog.show();
        dialog.languageBox()->setCurrentIndex(dialog.languageBox()->findText(chosen));
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(recorder.texts, messages);
        QCOMPARE(stored(QStringLiteral("Language")), chosen == QLatin1String("Testish") ? testish() : english());
        // The running program keeps its language.
        QCOMPARE(LanguageFile(), english());
    }

    void noLanguageFolderStoresNoLanguage()
    {
        OptionsDialog dialog(nullptr, m_lang.filePath(QStringLiteral("none")));
        dialog.show();
        QCOMPARE(dialog.languageBox()->count(), 1);
        QCOMPARE(dialog.languageBox()->currentText(), QStringLiteral("English"));
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(stored(QStringLiteral("Language")), QStringLiteral("(none)"));
    }
};

TREV_TEST_MAIN(TestOptions)
#include "tst_Options.moc"
