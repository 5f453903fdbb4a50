// trevsolve: the equation solver on the command line. It finds the roots of f(x) = 0 on an
// interval exactly as the graph window does, and on request the extrema, the integral, values at
// points and the derivatives, as plain text or JSON. QtCore only: it runs without a display.
#include "core/MathEngine.h"
#include "core/Version.h"
#include "project/FunctionProject.h"
#include "solver/SolverInput.h"
#include "solver/SolverOptions.h"
#include "solver/SolverReport.h"

#include <QCoreApplication>
#include <QStringList>
#include <QVector>

#include <cstdio>

namespace {

// Exit statuses: a usage mistake or rejected input, apart from an engine that cannot load (1,
// which the engine binding uses when it ends the program).
constexpr int ExitBadInput = 2;

const QString ProgramName = QStringLiteral("trevsolve");

void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void writeError(const QString &text) { write(stderr, ProgramName + QStringLiteral(": ") + text); }

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(ProgramName);

    SolverOptions options;
    QString usageError;
    if (!options.parse(QCoreApplication::arguments().mid(1), &usageError)) {
        writeError(usageError + QStringLiteral("\nTry \"trevsolve --help\".\n"));
        return ExitBadInput;
    }
    if (options.helpRequested()) {
        write(stdout, SolverOptions::usageText());
        return 0;
    }
    if (options.versionRequested()) {
        write(stdout, ProgramName + QLatin1Char(' ') + FullVersionText() + QLatin1Char('\n'));
        return 0;
    }

    MathEngine::setFailureHandler([](const QString &message) { writeError(message + QLatin1Char('\n')); });
    MathEngine::initialize();

    FunctionProject project;
    QVector<double> points;
    InputError inputError;
    if (!SolverInput::load(options, project, points, inputError)) {
        writeError(inputError.report());
        return ExitBadInput;
    }
    if (options.requestedSteps() > 0 && options.requestedSteps() != project.rootSteps())
        writeError(QStringLiteral("root-finding steps kept within %1..%2: using %3.\n")
                       .arg(FunctionProject::MinRootSteps)
                       .arg(FunctionProject::MaxRootSteps)
                       .arg(project.rootSteps()));

    const SolverReport report = SolverReport::compute(project, options, points);
    write(stdout, options.wantsJson() ? report.jsonText() : report.plainText());
    return 0;
}
