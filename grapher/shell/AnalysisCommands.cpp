#include "shell/AnalysisCommands.h"

#include "shell/MainWindow.h"

AnalysisCommands::AnalysisCommands(MainWindow *window) : QObject(window), m_window(window) {}

void AnalysisCommands::attach(GraphWindow *) {}
