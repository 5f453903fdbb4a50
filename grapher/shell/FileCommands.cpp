#include "shell/FileCommands.h"

#include "shell/MainWindow.h"

FileCommands::FileCommands(MainWindow *window) : QObject(window), m_window(window) {}

void FileCommands::attach(GraphWindow *) {}
