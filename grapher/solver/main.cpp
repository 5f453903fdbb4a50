// trevsolve: the equation solver on the command line. It finds the roots of f(x) = 0 on an
// interval exactly as the graph window does, and on request the extrema, the integral, values at
// points and the derivatives, as plain text or JSON. QtCore only: it runs without a display.
#include "core/ExponentNotation.h"
#include "core/FileSizeSignal.h"
#include "core/MathEngine.h"
#include "core/Version.h"
#include "project/FunctionProject.h"
#include "core/LocalFileName.h"
#include "solver/SolverInput.h"
#include "solver/SolverOptions.h"
#include "solver/SolverReport.h"

#include <QCoreApplication>
#include <QStringList>
#include <QVector>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Exit statuses: a usage mistake or rejected input, apart from an engine that cannot load (1,
// which the engine binding uses when it ends the program, and output that cannot be written).
constexpr int ExitOutputFailed = 1;
constexpr int ExitBadInput = 2;
constexpr int ExitInPart = 3;

const QString ProgramName = QStringLiteral("trevsolve");

void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void writeError(const QString &text) { write(stderr, ProgramName + QStringLiteral(": ") + text); }

// Writes the answer and ends with `status`, unless the answer did not reach its file (a full
// disk, a closed pipe, a file-size limit): a script must not take a cut-off answer for a whole one.
int answer(const QString &text, int status)
{
    write(stdout, text);
    errno = 0;
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    const int error = errno;
    if (std::fclose(stdout) != 0 || failed) {
        writeError(QStringLiteral("the output could not be written: %1\n")
                       .arg(QString::fromLocal8Bit(std::strerror(failed && error != 0 ? error : errno))));
        return ExitOutputFailed;
    }
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    IgnoreFileSizeSignal();
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(ProgramName);

    SolverOptions options;
    QString usageError;
    if (!options.parse(LocalFileName::arguments(argc, argv), &usageError)) {
        writeError(usageError + QStringLiteral("\nTry \"trevsolve --help\".\n"));
        return ExitBadInput;
    }
    if (options.helpRequested())
        return answer(SolverOptions::usageText(), 0);
    if (options.versionRequested())
        return answer(ProgramName + QLatin1Char(' ') + FullVersionText() + QLatin1Char('\n'), 0);

    MathEngine::setFailureHandler([](const QString &message) { writeError(message + QLatin1Char('\n')); });
    MathEngine::initialize();

    // A number typed as 2.5e-3 is read with e the number e; say so, as the calculator does.
    QStringList typed = options.pointTexts();
    typed << options.functionText() << options.parameterText() << options.xMinText() << options.xMaxText();
    for (const QString &text : typed) {
        if (ExponentNotation::looksLikeExponentNotation(text)) {
            writeError(ExponentNotation::exponentHint() + QLatin1Char('\n'));
            break;
        }
    }

    FunctionProject project;
    QVector<double> points;
    InputError inputError;
    if (!SolverInput::load(options, project, points, inputError)) {
        writeError(inputError.report());
        return ExitBadInput;
    }
    if (options.requestedSteps() > 0 && options.requestedSteps() != project.rootSteps())
        writeError(QStringLiteral("root-finding steps kept within %1..%2 and what the function's size allows: "
                                  "using %3.\n")
                       .arg(FunctionProject::MinRootSteps)
                       .arg(FunctionProject::MaxRootSteps)
                       .arg(project.rootSteps()));

    const SolverReport report = SolverReport::compute(project, options, points);
    return answer(options.wantsJson() ? report.jsonText() : report.plainText(),
                  report.isComplete() ? 0 : ExitInPart);
}
