// The grapher: the maintenance switches, one running instance per user (a second start hands
// its command line over and ends), then the engine, the main window and the command line.
#include "core/FileSizeSignal.h"
#include "core/LocalFileName.h"
#include "core/Version.h"
#include "shell/CommandLine.h"
#include "shell/MainWindow.h"
#include "shell/ProgramEntry.h"
#include "ui/ProgramIcon.h"

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
    QApplication::setWindowIcon(ProgramIcon());

    // Lives until the end: it answers the later starts.
    ProgramEntry entry(LocalFileName::arguments(argc, argv));
    switch (entry.run()) {
    case ProgramEntry::Outcome::FirstInstance:
        break;
    case ProgramEntry::Outcome::Refused:
        return ProgramEntry::ReportRefusal(entry.refusal());
    default:
        return 0;
    }

    InitializeEngine();

    MainWindow window;
    window.load();
    // A refused equation opens and shows nothing; the terminal it was typed in hears why.
    if (const QString refusal = EquationRefusal(entry.commandLine()); !refusal.isEmpty())
        return ProgramEntry::ReportRefusal(refusal);
    entry.instance().setCommandLineCheck(&EquationRefusal);
    QObject::connect(&entry.instance(), &SingleInstance::activationRequested, &window,
                     [&window] { SingleInstance::bringForward(&window); });
    QObject::connect(&entry.instance(), &SingleInstance::commandLineReceived, &window,
                     &MainWindow::processCommandLine);
    // Shown first, so that the windows the command line opens are placed in the area's real size.
    window.show();
    window.processCommandLine(entry.commandLine());
    return app.exec();
}
