// The grapher: loads the engine, then shows the main window.
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
    return app.exec();
}
