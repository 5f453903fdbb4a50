// The grapher: loads the engine, then shows the main window.
#include "MainMDI.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevolin"));
    QApplication::setOrganizationName(QStringLiteral("Trevolin"));

    InitializeEngine();

    MainMDI window;
    window.load();
    window.show();
    return app.exec();
}
