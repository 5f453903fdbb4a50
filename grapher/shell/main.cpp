// The grapher: the maintenance switches, one running instance per user (a second start hands
// its command line over and ends), then the engine, the main window and the command line.
#include "shell/MainWindow.h"
#include "shell/ProgramEntry.h"
#include "core/FileSizeSignal.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevolin"));
    QApplication::setOrganizationName(QStringLiteral("Trevolin"));

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
