#pragma once
// Shared by the project and graph tests: the engine made ready once per test program, projects
// made from an expression as the wizard makes them, and a message recorder.
#include "RecordingMessages.h"
#include "project/FunctionProject.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace ProjectTestSupport {

// Loads the engine from the program folder and initialises it once; false with the reason.
bool engineReady(QString *why = nullptr);

// A project as the wizard makes it: parsed, load over [a, b], then `steps` root-finding
// steps when given. Null when the expression does not parse.
std::unique_ptr<FunctionProject> makeProject(const QString &expression, double a, double b,
                                      const QString &parameters = QString(), qint32 steps = 0);

} // namespace ProjectTestSupport
