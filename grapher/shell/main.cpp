// The grapher: the maintenance switches, one running instance per user (a second start hands
// its command line over and ends), then the engine, the main window and the command line.
#include "core/FileSizeSignal.h"
#include "core/Version.h"
#include "shell/MainWindow.h"
#include "shell/ProgramEntry.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    IgnoreFileSizeSignal();
    // Answered before a display is opened, so scripts and package checks can ask without one.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("trevolin %s\n", qPrintable(FullVersionText()));
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevolin"));
    QApplication::setOrganizationName(QStringLiteral("Trevolin"));
    // Lets the desktop match the windows to the installed launcher and its icon.
    QApplication::setDesktopFileName(QStringLiteral("trevolin"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("trevolin")));

    // Lives until the end: it answers the later starts.
    ProgramEntry entry(QApplication::arguments().mid(1));
    if (entry.run() != ProgramEntry::Outcome::FirstInstance)
        return 0;

    InitializeEngine();

    MainWindow window;
    window.load();
    QObject::connect(&entry.instance(), &SingleInstance::activationRequested, &window,
                     [&window] { SingleInstance::bringForward(&window); });
    QObject::connect(&entry.instance(), &SingleInstance::commandLineReceived, &window,
                     &MainWindow::processCommandLine);
    window.processCommandLine(entry.commandLine());
    window.show();
    return app.exec();
}
