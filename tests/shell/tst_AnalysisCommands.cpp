// The main window's analysis, export and help commands: each acts on the active graph window,
// and none does anything without one.
#include "ProjectTestSupport.h"
#include "TestEnvironment.h"
#include "graph/GraphPane.h"
#include "shell/MainWindow.h"
#include "ui/CommonDialogs.h"
#include "ui/HelpWindow.h"
#include "windows/GraphWindow.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

using ProjectTestSupport::makeProject;

namespace {

// Answers the save dialog with a fixed path (empty: Cancel) and the print dialog with Cancel.
class AnsweredDialogs : public DialogSink {
public:
    explicit AnsweredDialogs(const QString &answer = QString()) : m_answer(answer) { SetDialogSink(this); }
    ~AnsweredDialogs() override { SetDialogSink(nullptr); }
    QStringList openFiles(QWidget *, const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFile(QWidget *, const QString &, const QString &proposedPath, const QString &, const QString &) override
    {
        proposed << proposedPath;
        return m_answer;
    }
    QColor colour(QWidget *, const QColor &initial) override { return initial; }
    bool print(QWidget *, QPrinter &) override { return ++prints, false; }

    QStringList proposed;
    int prints = 0;

private:
    QString m_answer;
};

QAction *item(const MainWindow &window, const QString &name) { return window.findChild<QAction *>(name); }

// Every text a dialog shows in its boxes, labels and lists.
QStringList shownTexts(const QWidget *dialog)
{
    QStringList texts;
    for (const QLineEdit *box : dialog->findChildren<QLineEdit *>())
        texts << box->text();
    for (const QLabel *label : dialog->findChildren<QLabel *>())
        texts << label->text();
    for (const QTableWidget *table : dialog->findChildren<QTableWidget *>()) {
        for (int row = 0; row < table->rowCount(); ++row)
            for (int column = 0; column < table->columnCount(); ++column)
                texts << (table->item(row, column) ? table->item(row, column)->text() : QString());
    }
    return texts;
}

// The class of the modal dialog that `trigger` opens (closed at once), or empty.
QString modalDialogOpenedBy(QAction *trigger, QStringList *texts = nullptr, QWidget **parent = nullptr)
{
    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget *dialog = QApplication::activeModalWidget()) {
            opened = QString::fromLatin1(dialog->metaObject()->className());
            if (texts)
                *texts = shownTexts(dialog);
            if (parent)
                *parent = dialog->parentWidget();
            dialog->close();
        }
    });
    trigger->trigger();
    QCoreApplication::processEvents();
    return opened;
}

} // namespace

class TestAnalysisCommands : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // A main window with two graph windows, the first (x^2 - 2 on [-5, 5]) active.
    struct TwoProjects {
        MainWindow window;
        GraphWindow *active;
        TwoProjects()
        {
            window.load();
            window.show();
            active = window.openProjectWindow(makeProject(QStringLiteral("x^2-2"), -5, 5));
            window.openProjectWindow(makeProject(QStringLiteral("sin(x)"), -5, 5));
            window.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(active->parentWidget()));
        }
    };

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(ProjectTestSupport::engineReady(&why), qPrintable(why));
    }

    void dialogItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("shown");   // a text the dialog shows for the active project
        QTest::newRow("evaluate shows f") << "mnueval" << "EvaluateDialog" << "x^2-2";
        QTest::newRow("derive shows f'") << "mnuder" << "DeriveDialog" << "2*x";
        QTest::newRow("integrate shows f") << "mnuintegrate" << "IntegrateDialog" << "x^2-2";
        QTest::newRow("extrema lists f(0) = -2") << "mnuextrema" << "ExtremaDialog" << "-2";
        QTest::newRow("about box") << "mnuabout" << "AboutDialog" << QString();
    }

    void dialogItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, dialog);
        QFETCH(QString, shown);
        TwoProjects projects;
        QStringList texts;
        QWidget *parent = nullptr;
        QCOMPARE(modalDialogOpenedBy(item(projects.window, name), &texts, &parent), dialog);
        QCOMPARE(parent, &projects.window);
        if (!shown.isEmpty())
            QVERIFY2(texts.contains(shown), qPrintable(texts.join(QStringLiteral(" | "))));
    }

    void rootsButtonSavesTheReport_data()
    {
        QTest::addColumn<bool>("answered");
        QTest::newRow("file chosen: both roots written") << true;
        QTest::newRow("cancelled: nothing written") << false;
    }

    void rootsButtonSavesTheReport()
    {
        QFETCH(bool, answered);
        const QString path = m_dir.filePath(QStringLiteral("roots%1.html").arg(answered));
        TwoProjects projects;
        QTRY_COMPARE(projects.active->pane().roots().count(), 2);
        AnsweredDialogs dialogs(answered ? path : QString());
        RecordingMessages messages;
        projects.active->rootsButton()->click();
        QCOMPARE(dialogs.proposed.size(), 1);
        QVERIFY(messages.shown.isEmpty());
        QFile report(path);
        QCOMPARE(report.open(QIODevice::ReadOnly), answered);
        if (answered) {
            const QString text = QString::fromLocal8Bit(report.readAll());
            QVERIFY(text.contains(QStringLiteral("-1.41421356")));
            QVERIFY(text.contains(QStringLiteral(">1.41421356")));
        }
    }

    void graphItemsActOnTheActiveWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("saves");
        QTest::addColumn<bool>("prints");
        QTest::addColumn<bool>("copies");
        QTest::newRow("save graph") << "mnusavegraph" << true << false << false;
        QTest::newRow("save button's save graph") << "mnupopsavegraph" << true << false << false;
        QTest::newRow("print graph") << "mnuprintgraph" << false << true << false;
        QTest::newRow("copy graph") << "mnucopyclipb" << false << false << true;
    }

    void graphItemsActOnTheActiveWindow()
    {
        QFETCH(QString, name);
        QFETCH(bool, saves);
        QFETCH(bool, prints);
        QFETCH(bool, copies);
        TwoProjects projects;
        const QString path = m_dir.filePath(name + QStringLiteral(".png"));
        AnsweredDialogs dialogs(path);
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
        item(projects.window, name)->trigger();
        QCOMPARE(dialogs.proposed.size(), saves ? 1 : 0);
        if (saves) {
            QVERIFY2(dialogs.proposed.first().contains(QStringLiteral("x^2-2")), qPrintable(dialogs.proposed.first()));
            QVERIFY(!QImage(path).isNull());
        }
        QCOMPARE(dialogs.prints, prints ? 1 : 0);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(!copied.isNull(), copies);
        if (copies)
            QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), projects.active->pane().surface().image());
    }

    void webItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("helpPage");
        QTest::newRow("site: no web site") << "mnusite" << "information" << QString();
        QTest::newRow("updates: no web site") << "mnucheck" << "information" << QString();
        QTest::newRow("behind the scenes: local page") << "mnunumerical" << QString() << "numerical.html";
    }

    void webItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        QFETCH(QString, helpPage);
        MainWindow window;
        window.load();
        RecordingMessages messages;
        item(window, name)->trigger();
        QCOMPARE(messages.kinds.join(QString()), message);
        if (!message.isEmpty())
            QVERIFY(messages.texts.first().contains(QStringLiteral("no web site")));
        const auto help = window.findChildren<HelpWindow *>();
        QCOMPARE(help.size(), helpPage.isEmpty() ? 0 : 1);
        if (!helpPage.isEmpty())
            QCOMPARE(help.first()->currentPage(), helpPage);
    }

    void nothingWithoutAGraphWindow_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"mnueval", "mnuder", "mnuintegrate", "mnuextrema", "mnusavegraph",
                                 "mnupopsavegraph", "mnuprintgraph", "mnucopyclipb"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void nothingWithoutAGraphWindow()
    {
        QFETCH(QString, name);
        MainWindow window;
        window.load();
        window.show();
        AnsweredDialogs dialogs(m_dir.filePath(QStringLiteral("never.png")));
        RecordingMessages messages;
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
        QCOMPARE(modalDialogOpenedBy(item(window, name)), QString());
        QVERIFY(dialogs.proposed.isEmpty());
        QCOMPARE(dialogs.prints, 0);
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("untouched"));
    }
};

TREV_TEST_MAIN(TestAnalysisCommands)
#include "tst_AnalysisCommands.moc"
