// The about box: the speed test's result line, the test run from the box, and the web links
// while the product has no web site.
#include "dialogs/AboutDialog.h"
#include "dialogs/AboutModel.h"
#include "ProjectTestSupport.h"
#include "TestEnvironment.h"

#include <QLabel>

class TestAboutDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QString why;
        QVERIFY2(ProjectTestSupport::engineReady(&why), qPrintable(why));
    }
    void resultText_data();
    void resultText();
    void speedTest_data();
    void speedTest();
    void linksWithoutWebSite();
};

void TestAboutDialog::resultText_data()
{
    QTest::addColumn<qint64>("milliseconds");
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("seconds");
    QTest::newRow("milliseconds as seconds") << qint64(1234) << "C" << "1.234";
    QTest::newRow("no trailing zeros") << qint64(1500) << "C" << "1.5";
    QTest::newRow("below a tenth") << qint64(20) << "C" << "0.02";
    QTest::newRow("too fast to measure") << qint64(0) << "C" << "0";
    QTest::newRow("user's decimal comma") << qint64(1250) << "de_DE" << "1,25";
}

void TestAboutDialog::resultText()
{
    QFETCH(qint64, milliseconds);
    QFETCH(QString, localeName);
    QFETCH(QString, seconds);
    QCOMPARE(AboutModel::speedTestText(QStringLiteral("x^2"), milliseconds, QLocale(localeName)),
             QStringLiteral("x^2\n200000 evaluations in ") + seconds + QStringLiteral(" seconds"));
}

void TestAboutDialog::speedTest_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("shown");
    QTest::newRow("the proposed function") << AboutModel::speedTestFunction() << true;
    QTest::newRow("errors at some points still count") << "ln(x-100000)" << true;
    QTest::newRow("does not parse: nothing") << "sin(" << false;
    QTest::newRow("empty answer: nothing") << "" << false;
}

void TestAboutDialog::speedTest()
{
    QFETCH(QString, answer);
    QFETCH(bool, shown);
    AboutDialog dialog(nullptr);
    RecordingMessages messages;
    dialog.runSpeedTest(answer);
    QCOMPARE(messages.shown.size(), shown ? 1 : 0);
    if (!answer.isEmpty())
        QCOMPARE(AboutModel::speedTestFunction(), answer);   // proposed the next time
    if (!shown)
        return;
    QCOMPARE(messages.shown.constFirst().section(QStringLiteral(": "), 0, 1), QStringLiteral("information: Test"));
    const QString prefix = answer + QStringLiteral("\n200000 evaluations in ");
    const QString text = messages.texts.constFirst();
    QVERIFY2(text.startsWith(prefix) && text.endsWith(QStringLiteral(" seconds")), qPrintable(text));
    bool number = false;
    const double seconds = text.mid(prefix.size()).section(QLatin1Char(' '), 0, 0).toDouble(&number);
    // 200000 evaluations take well under a minute on any machine that runs the tests.
    QVERIFY(number && seconds >= 0 && seconds < 60);
}

void TestAboutDialog::linksWithoutWebSite()
{
    AboutDialog dialog(nullptr);
    RecordingMessages messages;
    emit dialog.siteLabel()->linkActivated(QStringLiteral("site"));
    emit dialog.supportLabel()->linkActivated(QStringLiteral("contact"));
    QCOMPARE(messages.texts, QStringList(2, AboutModel::noWebSiteText()));
}

TREV_TEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
