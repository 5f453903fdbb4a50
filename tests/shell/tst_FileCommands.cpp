// The File menu driven through the main window with answered dialogs: open, save, save as,
// save all, close all, Open recent, dropped files, and the question about unsaved changes on
// close and exit.
#include "core/ProgramSettings.h"
#include "dialogs/NewProjectWizard.h"
#include "project/FunctionProject.h"
#include "project/SettingsStore.h"
#include "RecordingMessages.h"
#include "shell/FileCommands.h"
#include "shell/MainMenus.h"
#include "shell/MainWindow.h"
#include "shell/RecentFiles.h"
#include "shell/SingleInstance.h"
#include "TestEnvironment.h"
#include "ui/CommonDialogs.h"
#include "windows/GraphWindow.h"
#include "windows/ParameterSliders.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QUrl>

Q_DECLARE_METATYPE(SaveChangesAnswer)

namespace {

// Answers the file dialogs from queues and records what they were asked.
class AnsweringDialogs : public DialogSink {
public:
    AnsweringDialogs() { SetDialogSink(this); }
    ~AnsweringDialogs() override { SetDialogSink(nullptr); }
    QList<QStringList> openAnswers;
    QStringList saveAnswers;  // an empty answer is Cancel
    QStringList titles, folders, proposed;

    QStringList openFiles(QWidget *, const QString &title, const QString &folder, const QString &,
                          const QString &) override
    {
        titles << title;
        folders << folder;
        return openAnswers.isEmpty() ? QStringList() : openAnswers.takeFirst();
    }
    QString saveFile(QWidget *, const QString &title, const QString &proposedPath, const QString &,
                     const QString &) override
    {
        titles << title;
        proposed << proposedPath;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    QColor colour(QWidget *, const QColor &) override { return QColor(); }
    bool print(QWidget *, QPrinter &) override { return false; }
};

std::unique_ptr<FunctionProject> makeProject(const QString &expression)
{
    auto project = std::make_unique<FunctionProject>();
    project->load(expression, Expression::parse(expression), -10, 10);
    return project;
}

QStringList captions(const MainWindow &window)
{
    QStringList titles;
    for (QMdiSubWindow *frame : window.mdiArea()->subWindowList()) {
        if (!frame->isHidden())
            titles << frame->widget()->windowTitle();
    }
    return titles;
}

const QString SaveTitle = QStringLiteral("Save the current Trevolin project");

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;

    QString writeProjectFile(const QString &name, const QString &function, const QString &parameters = QString())
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("[Trevolin]\nVersion=2.36.969\n[Function]\nName=" + function.toUtf8() + "\n");
        if (!parameters.isEmpty())
            file.write("Param=" + parameters.toUtf8() + "\n");
        return path;
    }
    const MainMenus &menus() const { return m_window->menus(); }

private slots:
    void initTestCase() { InitializeEngine(); }

    void init()
    {
        QSettings(QStringLiteral("Trevolin"), QStringLiteral("Trevolin")).clear();
        programSettings() = ProgramSettings();
        for (const QString &name : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(m_dir.filePath(name));
        m_window = std::make_unique<MainWindow>();
        m_window->load();
        programSettings().resultsFolder = m_dir.path();
        m_window->show();
    }
    void cleanup() { m_window.reset(); }

    void openSeveralFilesInOrder()
    {
        RecordingMessages messages;
        AnsweringDialogs dialogs;
        const QString a = writeProjectFile(QStringLiteral("a.tvp"), QStringLiteral("x^2-2"));
        const QString b = writeProjectFile(QStringLiteral("b.tvp"), QStringLiteral("x^3-x"));
        const QString bad = m_dir.filePath(QStringLiteral("notes.tvp"));
        QFile(bad).open(QIODevice::WriteOnly);
        dialogs.openAnswers << QStringList{b, bad, a};
        menus().openProjectAction->trigger();
        QCOMPARE(dialogs.titles, QStringList{QStringLiteral("Open Trevolin project")});
        QCOMPARE(dialogs.folders, QStringList{m_dir.path()});
        QCOMPARE(captions(*m_window), (QStringList{b, a}));
        QCOMPARE(messages.titles, QStringList{bad});
        QCOMPARE(RecentFiles().files(), (QStringList{a, b}));
    }

    void saveAsProposesAFileName_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("proposedName");
        QTest::newRow("plain") << "x^2-2" << "x^2-2";
        QTest::newRow("product becomes a blank") << "2*x-sin(x)" << "2 x-sin(x)";
        QTest::newRow("division cannot make a folder") << "1/x-x/4" << "1%x-x%4";
    }
    void saveAsProposesAFileName()
    {
        QFETCH(QString, function);
        QFETCH(QString, proposedName);
        AnsweringDialogs dialogs;
        GraphWindow *window = m_window->openProjectWindow(makeProject(function));
        const QString path = m_dir.filePath(QStringLiteral("saved.tvp"));
        dialogs.saveAnswers << path;
        menus().saveProjectAsAction->trigger();
        QCOMPARE(dialogs.proposed, QStringList{m_dir.filePath(proposedName)});
        QCOMPARE(dialogs.titles, QStringList{SaveTitle});
        QCOMPARE(window->windowTitle(), path);
        QCOMPARE(window->project()->file(), path);
        QVERIFY(QFileInfo(path).size() > 0);
        QCOMPARE(RecentFiles().files().value(0), path);
    }

    void slidersAndDerivativeCurvesReopen_data()
    {
        QTest::addColumn<int>("curveKey");
        QTest::addColumn<bool>("fPrime");
        QTest::addColumn<bool>("fSecond");
        QTest::newRow("f' shown") << int(Qt::Key_1) << true << false;
        QTest::newRow("f'' shown") << int(Qt::Key_2) << false << true;
    }
    void slidersAndDerivativeCurvesReopen()
    {
        QFETCH(int, curveKey);
        QFETCH(bool, fPrime);
        QFETCH(bool, fSecond);
        RecordingMessages messages;
        AnsweringDialogs dialogs;
        const QString path = writeProjectFile(QStringLiteral("slid.tvp"), QStringLiteral("x-a"), QStringLiteral("a=2"));
        dialogs.openAnswers << QStringList{path} << QStringList{path};
        menus().openProjectAction->trigger();
        GraphWindow *window = m_window->activeGraphWindow();
        QVERIFY(window);
        // The slider of a = 2 spans [0, 4]; a click on it and End move a to 4.
        QSlider *slider = window->parameterSliders()->slider(0);
        QWindow *top = m_window->windowHandle();
        m_window->activateWindow();
        QTest::mouseClick(top, Qt::LeftButton, {}, slider->mapTo(m_window.get(), slider->rect().center()));
        QTest::keyClick(top, Qt::Key_End);
        QCOMPARE(window->parametersBox()->text(), QStringLiteral("a=4; "));
        QTest::keyClick(top, Qt::Key(curveKey), Qt::ControlModifier);
        menus().saveProjectAction->trigger();
        menus().closeProjectAction->trigger();
        QCOMPARE(messages.kinds, QStringList());
        menus().openProjectAction->trigger();
        window = m_window->activeGraphWindow();
        QVERIFY(window);
        // Reopened with a = 4 in the range it was moved in, not the default [0, 8] around 4.
        QCOMPARE(window->parameterSliders()->range(0), (SliderRange{0, 4}));
        QCOMPARE(window->parameterSliders()->slider(0)->value(), 1000);
        QCOMPARE(window->project()->showFPrime(), fPrime);
        QCOMPARE(window->project()->showFSecond(), fSecond);
        QCOMPARE(menus().showFPrimeAction->isChecked(), fPrime);
        QCOMPARE(menus().showFSecondAction->isChecked(), fSecond);
    }

    void failedSaveKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("savedBefore");
        QTest::newRow("never saved") << false;
        QTest::newRow("saved before") << true;
    }
    void failedSaveKeepsTheOldFile()
    {
        QFETCH(bool, savedBefore);
        RecordingMessages messages;
        AnsweringDialogs dialogs;
        auto project = makeProject(QStringLiteral("x^2-2"));
        const QString old = savedBefore ? writeProjectFile(QStringLiteral("old.tvp"), QStringLiteral("x^2-2")) : QString();
        project->setFile(old);
        GraphWindow *window = m_window->openProjectWindow(std::move(project));
        const QString caption = window->windowTitle();
        const QString unwritable = m_dir.filePath(QStringLiteral("no/such/folder/p.tvp"));
        dialogs.saveAnswers << unwritable;
        menus().saveProjectAsAction->trigger();
        QCOMPARE(messages.kinds, QStringList{QStringLiteral("warning")});
        QCOMPARE(messages.titles, QStringList{unwritable});
        QVERIFY(messages.texts.constFirst().startsWith(QStringLiteral("The file could not be saved.\n")));
        QVERIFY(messages.texts.constFirst().size() > QStringLiteral("The file could not be saved.\n").size());
        QCOMPARE(window->project()->file(), old);
        QCOMPARE(window->windowTitle(), caption);
    }

    void saveAllAsksForEveryNewProject_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("savedNew");
        QTest::newRow("both named") << QStringList{"one.tvp", "two.tvp"} << 2;
        QTest::newRow("first cancelled, next still asked") << QStringList{"", "two.tvp"} << 1;
    }
    void saveAllAsksForEveryNewProject()
    {
        QFETCH(QStringList, answers);
        QFETCH(int, savedNew);
        AnsweringDialogs dialogs;
        for (const QString &answer : answers)
            dialogs.saveAnswers << (answer.isEmpty() ? QString() : m_dir.filePath(answer));
        const QString saved = writeProjectFile(QStringLiteral("kept.tvp"), QStringLiteral("x-1"));
        m_window->openProjectWindow(makeProject(QStringLiteral("x^2-2")));
        auto old = makeProject(QStringLiteral("x-1"));
        old->setFile(saved);
        m_window->openProjectWindow(std::move(old));
        m_window->openProjectWindow(makeProject(QStringLiteral("2*x/3")));
        QFile(saved).resize(0);
        menus().saveAllAction->trigger();
        QCOMPARE(dialogs.titles, (QStringList{SaveTitle + " : x^2-2 = 0", SaveTitle + " : 2*x/3 = 0"}));
        QCOMPARE(dialogs.proposed, (QStringList{m_dir.path(), m_dir.path()}));
        QVERIFY(QFileInfo(saved).size() > 0);
        int written = 0;
        for (const char *name : {"one.tvp", "two.tvp"})
            written += QFileInfo::exists(m_dir.filePath(name)) ? 1 : 0;
        QCOMPARE(written, savedNew);
    }

    void closeAllAsksThenShowsTheWizard_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no leaves everything open") << false;
        QTest::newRow("yes leaves only the wizard") << true;
    }
    void closeAllAsksThenShowsTheWizard()
    {
        QFETCH(bool, yes);
        RecordingMessages messages;
        messages.answer = yes;
        m_window->openProjectWindow(makeProject(QStringLiteral("x^2-2")));
        m_window->openProjectWindow(makeProject(QStringLiteral("x-1")));
        menus().closeAllAction->trigger();
        QCOMPARE(messages.kinds, QStringList{QStringLiteral("question")});
        QCOMPARE(messages.titles, QStringList{QStringLiteral("Close projects")});
        QCOMPARE(messages.texts.constFirst().trimmed(), QStringLiteral("Are you sure you want to close all projects ?"));
        if (yes) {
            QCOMPARE(captions(*m_window), QStringList{m_window->fileCommands().wizard()->windowTitle()});
            QCOMPARE(m_window->mdiArea()->activeSubWindow()->widget(), m_window->fileCommands().wizard());
        } else {
            QCOMPARE(captions(*m_window), (QStringList{"x^2-2 = 0", "x-1 = 0"}));
        }
    }

    // Ctrl+N while the main window is active already: what is typed next is the equation.
    void newProjectTakesTheTyping()
    {
        m_window->openProjectWindow(makeProject(QStringLiteral("x^2-2")));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window->windowHandle(), Qt::Key_N, Qt::ControlModifier);
        for (const char key : {'x', '^', '3'})
            QTest::keyClick(m_window->windowHandle(), key);
        QVERIFY(m_window->fileCommands().wizard());
        QCOMPARE(m_window->fileCommands().wizard()->functionBox()->currentText(), QStringLiteral("x^3"));
    }

    void unsavedChangesQuestion_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<SaveChangesAnswer>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("written");
        using A = SaveChangesAnswer;
        QTest::newRow("fresh project closes silently") << "" << A::Cancel << false << true << false;
        QTest::newRow("selected roots are no change") << "roots" << A::Cancel << false << true << false;
        QTest::newRow("zoom, cancel keeps it open") << "zoom" << A::Cancel << true << false << false;
        QTest::newRow("grid, discard closes") << "grid" << A::Discard << true << true << false;
        QTest::newRow("parameters, save writes and closes") << "parameters" << A::Save << true << true << true;
        QTest::newRow("saved after the change") << "zoom+save" << A::Cancel << false << true << true;
    }
    void unsavedChangesQuestion()
    {
        QFETCH(QString, change);
        QFETCH(SaveChangesAnswer, answer);
        QFETCH(bool, asked);
        QFETCH(bool, closes);
        QFETCH(bool, written);
        RecordingMessages messages;
        messages.saveAnswer = answer;
        const QString path = writeProjectFile(QStringLiteral("p.tvp"), QStringLiteral("a*x^2-2"), QStringLiteral("a=1"));
        const QByteArray before = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        m_window->fileCommands().openFiles({path});
        QPointer<GraphWindow> window = m_window->activeGraphWindow();
        if (change.startsWith(QLatin1String("zoom")))
            window->zoomInButton()->click();
        else if (change == QLatin1String("grid"))
            menus().showGridAction->trigger();
        else if (change == QLatin1String("parameters")) {
            window->parametersBox()->clear();
            QTest::keyClicks(window->parametersBox(), QStringLiteral("a=3"));
        } else if (change == QLatin1String("roots")) {
            menus().selectAllAction->trigger();
        }
        if (change.endsWith(QLatin1String("+save")))
            menus().saveProjectAction->trigger();
        // Close project from its shortcut, with the focus where the change left it.
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window->windowHandle(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(messages.kinds.contains(QStringLiteral("save changes")), asked);
        if (asked)
            QCOMPARE(messages.titles.constFirst(), path);
        QCOMPARE(window.isNull() || window->isHidden(), closes);
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        QCOMPARE(file.readAll() != before, written);
    }

    void openedWindowComesInFront_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("hand-over of an equation") << "/eq";
        QTest::newRow("hand-over of a file") << "hand-over";
        QTest::newRow("open") << "open";
        QTest::newRow("open recent") << "recent";
        QTest::newRow("drop") << "drop";
    }
    // The wizard is open and another program has the focus, as when a second start hands over.
    void openedWindowComesInFront()
    {
        QFETCH(QString, how);
        AnsweringDialogs dialogs;
        const QString path = writeProjectFile(QStringLiteral("front.tvp"), QStringLiteral("x^2-2"));
        RecentFiles().add(path);
        menus().newProjectAction->trigger();
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        if (how == QLatin1String("/eq") || how == QLatin1String("hand-over")) {
            SingleInstance::bringForward(m_window.get());
            m_window->processCommandLine(how == QLatin1String("/eq") ? QStringLiteral("/eq \"sin(x)-cos(x)\" -3 3") : path);
        } else if (how == QLatin1String("open")) {
            dialogs.openAnswers << QStringList{path};
            menus().openProjectAction->trigger();
        } else if (how == QLatin1String("recent")) {
            emit menus().fileMenu->aboutToShow();
            menus().recentMenu->actions().constFirst()->trigger();
        } else {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_window.get(), &enter);
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(m_window.get(), &drop);
        }
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QMdiArea *area = m_window->mdiArea();
        QVERIFY(area->activeSubWindow());
        QVERIFY(qobject_cast<GraphWindow *>(area->activeSubWindow()->widget()));
        QCOMPARE(area->subWindowList(QMdiArea::StackingOrder).constLast(), area->activeSubWindow());
    }

    void cancelStopsTheExit_data()
    {
        QTest::addColumn<SaveChangesAnswer>("answer");
        QTest::addColumn<bool>("exits");
        QTest::newRow("cancel") << SaveChangesAnswer::Cancel << false;
        QTest::newRow("discard") << SaveChangesAnswer::Discard << true;
    }
    void cancelStopsTheExit()
    {
        QFETCH(SaveChangesAnswer, answer);
        QFETCH(bool, exits);
        RecordingMessages messages;
        messages.saveAnswer = answer;
        m_window->openProjectWindow(makeProject(QStringLiteral("x^2-2")));
        GraphWindow *changed = m_window->openProjectWindow(makeProject(QStringLiteral("x-1")));
        changed->zoomOutButton()->click();
        menus().exitAction->trigger();
        QCOMPARE(messages.kinds, QStringList{QStringLiteral("save changes")});
        QCOMPARE(m_window->isVisible(), !exits);
        if (!exits)
            QCOMPARE(captions(*m_window), QStringList{"x-1 = 0"});
    }

    void recentListDropsMissingFilesSilently()
    {
        RecordingMessages messages;
        const QString kept = writeProjectFile(QStringLiteral("kept.tvp"), QStringLiteral("x-1"));
        const QString gone = writeProjectFile(QStringLiteral("gone.tvp"), QStringLiteral("x-2"));
        m_window->fileCommands().openFiles({kept, gone});
        m_window->mdiArea()->closeAllSubWindows();
        QFile::remove(gone);
        m_window->fileCommands().openRecent(gone);
        QCOMPARE(RecentFiles().files(), QStringList{kept});
        emit menus().fileMenu->aboutToShow();
        const QList<QAction *> entries = menus().recentMenu->actions();
        QCOMPARE(entries.size(), 1);
        entries.constFirst()->trigger();
        QCOMPARE(captions(*m_window).value(0), kept);
        QVERIFY(messages.shown.isEmpty());
    }

    void droppedProjectFiles()
    {
        const QString a = writeProjectFile(QStringLiteral("drop.TVP"), QStringLiteral("x-3"));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(m_dir.filePath(QStringLiteral("notes.txt"))), QUrl::fromLocalFile(a),
                      QUrl(QStringLiteral("https://example.org/remote.tvp"))});
        QCOMPARE(FileCommands::projectFilesIn(data), QStringList{a});
        // A name that is no UTF-8 arrives percent-encoded byte by byte.
        QMimeData latin1;
        latin1.setUrls({QUrl::fromEncoded("file://" + QUrl::toPercentEncoding(m_dir.path(), "/") + "/lat%E9.tvp")});
        QCOMPARE(FileCommands::projectFilesIn(latin1),
                 QStringList{m_dir.filePath(QStringLiteral("lat")) + QChar(0xDCE9) + QStringLiteral(".tvp")});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_window.get(), &drop);
        QCOMPARE(captions(*m_window), QStringList{a});
    }
};

TREV_TEST_MAIN(TestFileCommands)
#include "tst_FileCommands.moc"
