// Starts the engine the way line does, with the library missing: the report must name the
// file, and the program must end instead of going on without an engine.
#include "EngineBinding.h"
#include "MainMDI.h"
#include "MessageSink.h"

#include <QApplication>

#include <cstdio>

namespace {

class PrintingMessages : public MessageSink {
    void warning(const QString &title, const QString &text) override { print("warning", title, text); }
    void information(const QString &title, const QString &text) override { print("information", title, text); }
    void critical(const QString &title, const QString &text) override { print("critical", title, text); }
    bool question(const QString &title, const QString &text) override
    {
        print("question", title, text);
        return false;
    }
    static void print(const char *kind, const QString &title, const QString &text)
    {
        std::printf("%s: %s: %s\n", kind, qPrintable(title), qPrintable(text));
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PrintingMessages messages;
    SetMessageSink(&messages);
    trev::EngineBinding::setLibraryPath(QCoreApplication::applicationDirPath().toStdString()
                                        + "/missing/libtrevmath.so");
    InitializeEngine();
    std::printf("the program went on without its engine\n");
    return 0;
}
