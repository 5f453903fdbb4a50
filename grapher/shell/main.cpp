// The grapher: loads the engine, shows the main window and opens the project files named on
// the command line.
#include "shell/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevolin"));
    QApplication::setOrganizationName(QStringLiteral("Trevolin"));

    InitializeEngine();

    MainWindow window;
    window.load();
    window.show();
    window.openProjectFiles(QApplication::arguments().mid(1));
    return app.exec();
}
