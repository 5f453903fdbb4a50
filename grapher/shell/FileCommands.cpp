#include "shell/FileCommands.h"

#include "core/LangText.h"
#include "core/LocalFileName.h"
#include "core/ProgramSettings.h"
#include "dialogs/NewProjectWizard.h"
#include "project/FunctionProject.h"
#include "project/ProjectFile.h"
#include "shell/MainMenus.h"
#include "shell/MainWindow.h"
#include "shell/RecentFiles.h"
#include "ui/CommonDialogs.h"
#include "ui/MessageSink.h"
#include "windows/FullScreenGraph.h"
#include "windows/GraphWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace {

const QString ProjectExtension = QStringLiteral("*.tvp");

FileFilter projectFilter()
{
    return {{QStringLiteral("Trevolin Projects (*.tvp)"), ProjectExtension}};
}

QString saveTitle() { return LangText("SaveTrevolinProject", "Save the current Trevolin project"); }

} // namespace

FileCommands::FileCommands(MainWindow *window) : QObject(window), m_window(window)
{
    const MainMenus &m = window->menus();
    connect(m.newProjectAction, &QAction::triggered, this, &FileCommands::showWizard);
    connect(m.openProjectAction, &QAction::triggered, this, &FileCommands::openProjects);
    connect(m.saveProjectAction, &QAction::triggered, this, [this] { saveProject(activeGraphWindow()); });
    connect(m.contextSaveProjectAction, &QAction::triggered, this, [this] { saveProject(activeGraphWindow()); });
    connect(m.saveProjectAsAction, &QAction::triggered, this, [this] { saveProjectAs(activeGraphWindow()); });
    connect(m.saveAllAction, &QAction::triggered, this, &FileCommands::saveAll);
    connect(m.closeProjectAction, &QAction::triggered, this, &FileCommands::closeProject);
    connect(m.closeAllAction, &QAction::triggered, this, &FileCommands::closeAll);
    // The list is read when the File menu opens, so a file deleted meanwhile is never offered.
    connect(m.fileMenu, &QMenu::aboutToShow, this, &FileCommands::fillRecentMenu);
}

void FileCommands::attach(GraphWindow *graphWindow)
{
    QPointer<GraphWindow> window(graphWindow);
    graphWindow->setSaveHandler([this, window] { return window && saveProject(window); });
}

void FileCommands::showWizard()
{
    QMdiArea *area = m_window->mdiArea();
    if (!m_wizard) {
        m_wizard = new NewProjectWizard(
            [this](std::unique_ptr<FunctionProject> project) { m_window->openNewProjectWindow(std::move(project)); });
        connect(m_wizard, &NewProjectWizard::openSavedProjectRequested, this, &FileCommands::openProjects,
                Qt::QueuedConnection);
        QMdiSubWindow *frame = area->addSubWindow(m_wizard);
        frame->setAttribute(Qt::WA_DeleteOnClose);
    }
    auto *frame = qobject_cast<QMdiSubWindow *>(m_wizard->parentWidget());
    frame->show();
    area->setActiveSubWindow(frame);
    // The typing goes to the equation box, also when the main window was active already and
    // no activation hands the focus on.
    m_wizard->focusEquation();
}

NewProjectWizard *FileCommands::wizard() const { return m_wizard.data(); }

void FileCommands::openProjects()
{
    QStringList chosen;
    if (!OpenFileDialog(m_window, projectFilter(), ProjectExtension,
                        LangText("OpenTrevolinProject", "Open Trevolin project"), UsableResultsFolder(),
                        chosen))
        return;
    openFiles(ChosenFilePaths(chosen));
}

int FileCommands::openFiles(const QStringList &paths)
{
    int opened = 0;
    RecentFiles recent;
    for (const QString &path : paths) {
        auto project = std::make_unique<FunctionProject>();
        QString reason;
        const ProjectFile::OpenResult result = ProjectFile::open(*project, path, &reason);
        if (result != ProjectFile::OpenResult::Opened) {
            Messages().warning(path, ProjectFile::openFailureText(result, reason));
            continue;
        }
        recent.add(path);
        m_window->openProjectWindow(std::move(project));
        ++opened;
    }
    return opened;
}

void FileCommands::openRecent(const QString &path)
{
    if (RecentFiles().checkExists(path))
        openFiles({path});
}

void FileCommands::rememberFile(const QString &path) { RecentFiles().add(path); }

bool FileCommands::saveProject(GraphWindow *window)
{
    if (!window || !window->project())
        return false;
    const QString file = window->project()->file();
    if (file.isEmpty())
        return saveProjectAs(window);
    return writeProject(window, file);
}

bool FileCommands::saveProjectAs(GraphWindow *window)
{
    if (!window || !window->project())
        return false;
    return saveWithDialog(window, saveTitle(), proposedFileName(window->project()->functionText()));
}

void FileCommands::saveAll()
{
    for (GraphWindow *window : graphWindows(true)) {
        const FunctionProject *project = window->project();
        if (!project)
            continue;
        if (!project->file().isEmpty()) {
            writeProject(window, project->file());
            continue;
        }
        // The dialog names the project it asks about, and its window comes to the front.
        if (auto *frame = qobject_cast<QMdiSubWindow *>(windowFrame(window)); frame && frame->isVisible())
            m_window->mdiArea()->setActiveSubWindow(frame);
        saveWithDialog(window, saveTitle() + QStringLiteral(" : ") + project->functionText() + QStringLiteral(" = 0"),
                       QString());
    }
}

void FileCommands::closeProject() { m_window->mdiArea()->closeActiveSubWindow(); }

void FileCommands::closeAll()
{
    if (!Messages().question(LangText("CloseProjects", "Close projects"),
                             LangText("CloseProjectsQuestion", "Are you sure you want to close all projects ? ")))
        return;
    // The full-screen window keeps its project; only the shown graph windows close.
    if (closeGraphWindows(true))
        showWizard();
}

bool FileCommands::closeGraphWindows(bool visibleOnly)
{
    for (GraphWindow *window : graphWindows(visibleOnly)) {
        QWidget *frame = windowFrame(window);
        if (visibleOnly && frame->isHidden())
            continue;
        if (!frame->close())
            return false;
    }
    return true;
}

QString FileCommands::proposedFileName(const QString &functionText)
{
    QString name = functionText;
    name.replace(QLatin1Char('*'), QLatin1Char(' '));
    name.replace(QLatin1Char('/'), QLatin1Char('%'));
    return name;
}

QStringList FileCommands::projectFilesIn(const QMimeData &data)
{
    QStringList files;
    for (const QUrl &url : data.urls()) {
        // A local path comes percent-encoded byte by byte: decoded as the file name's own bytes,
        // a name that is no UTF-8 still finds its file.
        const QString path = url.isLocalFile() && url.host().isEmpty()
            ? LocalFileName::fromBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()))
            : url.toLocalFile();
        if (!path.isEmpty() && path.endsWith(QLatin1String(".tvp"), Qt::CaseInsensitive))
            files << path;
    }
    return files;
}

bool FileCommands::writeProject(GraphWindow *window, const QString &path)
{
    FunctionProject &project = *window->project();
    const FileWriteResult result = ProjectFile::save(project, path);
    if (!result.ok) {
        Messages().warning(path, ProjectFile::saveFailureText(result));
        return false;
    }
    project.setUnsavedChanges(false);
    window->setWindowTitle(GraphWindow::captionFor(project));
    RecentFiles().add(path);
    return true;
}

bool FileCommands::saveWithDialog(GraphWindow *window, const QString &title, const QString &proposedName)
{
    QString path = proposedName;
    if (!SaveFileDialog(m_window, projectFilter(), ProjectExtension, title, UsableResultsFolder(), path))
        return false;
    return writeProject(window, path);
}

GraphWindow *FileCommands::activeGraphWindow() const
{
    ProjectWindow *active = m_window->activeProjectWindow();
    if (auto *fullScreen = qobject_cast<FullScreenGraph *>(active))
        return qobject_cast<GraphWindow *>(fullScreen->replacedWindow());
    return qobject_cast<GraphWindow *>(active);
}

QList<GraphWindow *> FileCommands::graphWindows(bool visibleOnly) const
{
    QList<GraphWindow *> windows;
    for (QMdiSubWindow *frame : m_window->mdiArea()->subWindowList()) {
        if (visibleOnly && frame->isHidden())
            continue;
        GraphWindow *window = qobject_cast<GraphWindow *>(frame->widget());
        if (!window) {
            if (auto *fullScreen = qobject_cast<FullScreenGraph *>(frame->widget()); fullScreen && fullScreen->isOpen())
                window = qobject_cast<GraphWindow *>(fullScreen->replacedWindow());
        }
        if (window && !windows.contains(window))
            windows << window;
    }
    // The window the full-screen window stands in for is hidden, but in use.
    if (auto *fullScreen = m_window->findChild<FullScreenGraph *>(); fullScreen && fullScreen->isOpen()) {
        if (auto *window = qobject_cast<GraphWindow *>(fullScreen->replacedWindow()); window && !windows.contains(window))
            windows << window;
    }
    return windows;
}

void FileCommands::fillRecentMenu()
{
    QMenu *menu = m_window->menus().recentMenu;
    menu->clear();
    const QStringList files = RecentFiles().dropMissing();
    for (int index = 0; index < files.size(); ++index) {
        const QString path = files.at(index);
        QAction *entry = menu->addAction(RecentFiles::entryText(index, path));
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
    menu->menuAction()->setEnabled(!files.isEmpty());
}
