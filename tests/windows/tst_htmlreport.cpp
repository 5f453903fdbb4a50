// The HTML reports of roots and extrema: the exact document of small cases, escaping of every
// inserted text, the proposed file names, and saving through the save dialog (cancel, success,
// a failed write reported with its path and reason).
#include "analysis/HtmlReport.h"
#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "core/Version.h"
#include "dialogs/ExtremaModel.h"
#include "dialogs/ReportSaver.h"
#include "ProjectTestSupport.h"
#include "TestEnvironment.h"
#include "ui/CommonDialogs.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

const QByteArray Style = "<style type=\"text/css\">td {margin: 10px; padding: 10px; border: 1px solid lightgray;}"
                         "td, p {font-family:  Verdana, Tahoma, sans-serif;}body {margin: 40px 3% 20px 3%;} </style>"
                         "</head><body>";
// Builds without a product site credit the version in plain text.
const QByteArray Credit = "Made with Trevolin " + FullVersionText().toUtf8();

// Answers the save dialog with a fixed path (empty: Cancel) and remembers what it proposed.
class FixedSaveAnswer : public DialogSink {
public:
    explicit FixedSaveAnswer(const QString &answer) : m_answer(answer) { SetDialogSink(this); }
    ~FixedSaveAnswer() override { SetDialogSink(nullptr); }
    QStringList openFiles(QWidget *, const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &title, const QString &proposedPath, const QString &filter,
                     const QString &) override
    {
        asked << title << proposedPath << filter;
        return m_answer;
    }
    QColor colour(QWidget *, const QColor &initial) override { return initial; }
    bool print(QWidget *, QPrinter &) override { return false; }

    QStringList asked;   // title, proposed path and filter of each question

private:
    QString m_answer;
};

} // namespace

class TestHtmlReport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(ProjectTestSupport::engineReady(&why), qPrintable(why));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void init()
    {
        programSettings() = ProgramSettings();
        SetLanguageFile(QString());
    }

    void exactDocuments_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("extrema of x^2 on [-10, 10]")
            << "extrema"
            << QByteArray("<html><head><meta charset=\"utf-8\"><title>Find extrema: x^2 = 0</title>" + Style
                          + "<table><tr><td>x^2 = 0 </td></tr><tr><td><strong>[-10; 10]</strong></td></tr></table>"
                            "<p style=\"margin-top:40px;\">1 local extremum found.</p><table>"
                            "<tr><td><strong>x</strong></td><td><strong>f(x)</strong></td><td><strong>Type</strong>"
                            "</td></tr><tr><td>0</td><td>0</td><td>Minimum</td></tr>\r\n"
                            "</table><p style=\"margin-top:30px; font-size:smaller;\">"
                          + Credit + "</body></html>\r\n");
        // Parameters get their own row; the interval is rounded to 8 decimals.
        QTest::newRow("roots of a*x^2-b with parameters")
            << "roots"
            << QByteArray("<html><head><meta charset=\"utf-8\"><title>Solve an equation: a*x^2-b = 0</title>" + Style
                          + "<table><tr><td>a*x^2-b = 0 </td></tr><tr><td>a=1; b=2</td></tr>"
                            "<tr><td><strong>[-10; 3.12345679]</strong></td></tr></table>"
                            "<p style=\"margin-top:40px;\">2 roots found.</p><table>\r\n"
                            "<tr><td><strong>x<sub>1</sub></strong></td><td>-1.41421356</td></tr>\r\n"
                            "<tr><td><strong>x<sub>2</sub></strong></td><td>1.41421356</td></tr>\r\n"
                            "</table><p style=\"margin-top:30px;font-size:smaller;\">"
                          + Credit + " </body></html>\r\n");
        QTest::newRow("no roots")
            << "no roots"
            << QByteArray("<html><head><meta charset=\"utf-8\"><title>Solve an equation: x^2+1 = 0</title>" + Style
                          + "<table><tr><td>x^2+1 = 0 </td></tr><tr><td><strong>[-10; 10]</strong></td></tr></table>"
                            "<p style=\"margin-top:40px;\">0 roots found.</p><table>\r\n"
                            "</table><p style=\"margin-top:30px;font-size:smaller;\">"
                          + Credit + " </body></html>\r\n");
    }

    void exactDocuments()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QString document;
        if (kind == QLatin1String("extrema")) {
            auto project = ProjectTestSupport::makeProject(QStringLiteral("x^2"), -10, 10, QString(), 1000);
            document = HtmlReport::extremaDocument(*project, ExtremaModel(*project).rows());
        } else if (kind == QLatin1String("roots")) {
            auto project = ProjectTestSupport::makeProject(QStringLiteral("a*x^2-b"), -10, 3.123456789,
                                                           QStringLiteral("a=1; b=2"));
            document = HtmlReport::rootsDocument(*project, {QStringLiteral("-1.41421356"), QStringLiteral("1.41421356")});
        } else {
            auto project = ProjectTestSupport::makeProject(QStringLiteral("x^2+1"), -10, 10);
            document = HtmlReport::rootsDocument(*project, {});
        }
        QCOMPARE(HtmlReport::fileBytes(document), bytes);
    }

    // "&", "<" and ">" never reach the document raw: not from the function text, nor from the
    // words of a language file.
    void escaping_data()
    {
        QTest::addColumn<QString>("functionText");
        QTest::addColumn<QString>("language");   // lines of the [Msg] section; empty: English
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("function text")
            << "x<1&x>-1" << "" << QStringList{"<title>Find extrema: x&lt;1&amp;x&gt;-1 = 0</title>", "x&lt;1&amp;x&gt;-1 = 0 </td>"}
            << QStringList{"x<1", "&x>"};
        QTest::newRow("title word and type of a translation")
            << "x^2" << "FindExtrema=Extrema <&> more\nType=<b>Kind</b>\nMin=Min & more"
            << QStringList{"<title>Extrema &lt;&amp;&gt; more: x^2", "<strong>&lt;b&gt;Kind&lt;/b&gt;</strong>",
                           "<td>Min &amp; more</td>"}
            << QStringList{"<b>Kind", "Extrema <&>", "Min & more"};
        QTest::newRow("plain text unchanged") << "sin(x)" << "" << QStringList{"<title>Find extrema: sin(x) = 0</title>"}
                                              << QStringList{"&amp;", "&lt;", "&gt;"};
    }

    void escaping()
    {
        QFETCH(QString, functionText);
        QFETCH(QString, language);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        if (!language.isEmpty()) {
            const QString path = m_dir.filePath(QStringLiteral("escaping.lng"));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("[Info]\nLanguage=Test\n[Msg]\n" + language.toUtf8() + "\n");
            file.close();
            SetLanguageFile(path);
        }
        auto project = ProjectTestSupport::makeProject(QStringLiteral("x^2"), -10, 10, QString(), 1000);
        project->setFunctionText(functionText);
        const QString document = HtmlReport::extremaDocument(*project, ExtremaModel(*project).rows());
        for (const QString &text : present)
            QVERIFY2(document.contains(text), qPrintable(text));
        for (const QString &text : absent)
            QVERIFY2(!document.contains(text), qPrintable(text));
    }

    void fileIsUtf8()
    {
        const QByteArray bytes = HtmlReport::fileBytes(QString::fromUtf8("Gr\xc3\xb6\xc3\x9f" "e \xe2\x88\x9a"));
        QCOMPARE(bytes, QByteArray("Gr\xc3\xb6\xc3\x9f" "e \xe2\x88\x9a\r\n"));
    }

    void proposedNames_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<bool>("extrema");
        QTest::addColumn<QString>("name");
        QTest::newRow("parameters in brackets") << "a*x+b" << "a=1; b=2" << true << "Find extrema a x+b [a=1; b=2]";
        QTest::newRow("slash and star") << "x/2*3" << "" << false << "Find roots x%2 3";
        QTest::newRow("plain function") << "sin(x)" << "" << true << "Find extrema sin(x)";
        QTest::newRow("a division in a parameter") << "a*x" << "a=1/4" << false << "Find roots a x [a=0.25]";
    }

    void proposedNames()
    {
        QFETCH(QString, function);
        QFETCH(QString, parameters);
        QFETCH(bool, extrema);
        QFETCH(QString, name);
        auto project = ProjectTestSupport::makeProject(function, -1, 1, parameters);
        QVERIFY(project);
        QCOMPARE(HtmlReport::proposedFileName(*project, extrema ? ReportKind::Extrema : ReportKind::Roots), name);
        // The report itself keeps the text as typed.
        const QString document = HtmlReport::rootsDocument(*project, {});
        QVERIFY(document.contains(QStringLiteral("<td>") + function + QStringLiteral(" = 0 </td>")));
    }

    // Cancel writes nothing and says nothing; a failed write names the path and the reason.
    void saving_data()
    {
        QTest::addColumn<QString>("answer");     // file name in the temporary folder; empty: Cancel
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("warned");
        QTest::newRow("cancelled") << "" << false << false;
        QTest::newRow("written") << "roots.html" << true << false;
        QTest::newRow("folder missing") << "missing/roots.html" << false << true;
    }

    void saving()
    {
        QFETCH(QString, answer);
        QFETCH(bool, written);
        QFETCH(bool, warned);
        RecordingMessages boxes;
        programSettings().resultsFolder = m_dir.path();
        const QString path = answer.isEmpty() ? QString() : m_dir.filePath(answer);
        FixedSaveAnswer dialog(path);
        auto project = ProjectTestSupport::makeProject(QStringLiteral("x^2-2"), -10, 10);
        const QVector<double> roots{-1.4142135623730951, 1.4142135623730951};
        QCOMPARE(ReportSaver::saveRootsReport(*project, roots, nullptr), written);

        QCOMPARE(dialog.asked.size(), 3);
        QCOMPARE(dialog.asked.at(0), QStringLiteral("Save roots"));
        QCOMPARE(dialog.asked.at(1), m_dir.filePath(QStringLiteral("Find roots x^2-2.html")));
        QCOMPARE(dialog.asked.at(2), QStringLiteral("HTML Files (*.html)"));
        QCOMPARE(boxes.shown.size(), warned ? 1 : 0);
        if (warned) {
            QCOMPARE(boxes.kinds.constFirst(), QStringLiteral("warning"));
            QCOMPARE(boxes.titles.constFirst(), path);
            QVERIFY(boxes.texts.constFirst().startsWith(QStringLiteral("The file could not be saved.\n")));
            // The system's reason follows.
            QVERIFY(boxes.texts.constFirst().size() > QStringLiteral("The file could not be saved.\n").size());
        }
        if (!path.isEmpty()) {
            QFile file(path);
            QCOMPARE(file.exists(), written);
            if (written) {
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QByteArray bytes = file.readAll();
                QVERIFY(bytes.contains("<td>-1.41421356</td>"));
                QVERIFY(bytes.endsWith("</body></html>\r\n"));
            }
        }
    }
};

TREV_TEST_MAIN(TestHtmlReport)
#include "tst_htmlreport.moc"
