// Starts the engine the way line does, with the library missing: the report must name the
// file, and the program must end instead of going on without an engine.
#include "core/EngineBinding.h"
#include "shell/MainWindow.h"
#include "RecordingMessages.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RecordingMessages messages(true); // printed at once: the program ends inside the call
    trev::EngineBinding::setLibraryPath(QCoreApplication::applicationDirPath().toStdString()
                                        + "/missing/libtrevmath.so");
    InitializeEngine();
    std::printf("the program went on without its engine\n");
    return 0;
}
