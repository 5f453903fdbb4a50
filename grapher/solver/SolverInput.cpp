#include "solver/SolverInput.h"

#include "core/ErrorMessage.h"
#include "core/EvaluationCost.h"
#include "core/Expression.h"
#include "core/LangText.h"
#include "core/MathEngine.h"
#include "project/FunctionProject.h"
#include "project/ProjectFile.h"
#include "core/LocalFileName.h"
#include "solver/SolverOptions.h"

#include <QtGlobal>

#include <cmath>

namespace {

const QString Indent = QStringLiteral("  ");

// Only parse errors (negative codes) have a place in the text; a value that cannot be computed,
// such as 1/0, is wrong as a whole.
InputError engineError(const QString &subject, const QString &text, const EngineError &error)
{
    return {subject, ErrorMessage(error.code), text, error.code < 0 ? error.position : 0};
}

bool readConstant(const QString &subject, const QString &text, double &value, InputError &error)
{
    EngineError engineFailure;
    value = MathEngine::evaluateConstant(text, &engineFailure);
    if (!engineFailure.ok()) {
        error = engineError(subject, text, engineFailure);
        return false;
    }
    return true;
}

// The scans step from the start towards the end, so only a true interval gives ascending roots.
bool checkInterval(double xMin, double xMax, InputError &error)
{
    if (std::isfinite(xMin) && std::isfinite(xMax) && xMin < xMax)
        return true;
    error = {QStringLiteral("interval"), LangText("Build", "The two values don't build an interval."), QString(), 0};
    return false;
}

// An empty text gets the sentence the new-project wizard shows instead of the engine's, which
// would speak of parentheses.
bool checkNotEmpty(const QString &subject, const QString &text, const QString &message, InputError &error)
{
    if (!text.trimmed().isEmpty())
        return true;
    error = {subject, message, QString(), 0};
    return false;
}

bool loadFunction(const SolverOptions &options, FunctionProject &project, InputError &error)
{
    if (!checkNotEmpty(QStringLiteral("function"), options.functionText(),
                       LangText("TypeFunction", "Type the function name."), error)
        || !checkNotEmpty(QStringLiteral("XMIN"), options.xMinText(), LangText("TypeStart", "Type the start value."),
                          error)
        || !checkNotEmpty(QStringLiteral("XMAX"), options.xMaxText(), LangText("TypeEnd", "Type the end value."),
                          error))
        return false;
    EngineError parseFailure;
    Expression f = Expression::parse(options.functionText(), options.parameterText(), &parseFailure);
    if (f.isNull()) {
        error = engineError(QStringLiteral("function"), options.functionText(), parseFailure);
        return false;
    }
    double xMin = 0;
    double xMax = 0;
    if (!readConstant(QStringLiteral("XMIN"), options.xMinText(), xMin, error)
        || !readConstant(QStringLiteral("XMAX"), options.xMaxText(), xMax, error)
        || !checkInterval(xMin, xMax, error))
        return false;
    project.load(options.functionText(), std::move(f), xMin, xMax);
    project.setRootSteps(SolverOptions::DefaultRootSteps);
    return true;
}

bool loadProject(const SolverOptions &options, FunctionProject &project, InputError &error)
{
    QString reason;
    const ProjectFile::OpenResult result = ProjectFile::openFromCommandLine(project, options.projectFile(), &reason);
    if (result != ProjectFile::OpenResult::Opened) {
        // The window says nothing about a missing command-line file; here the user must be told.
        const QString message = result == ProjectFile::OpenResult::NoFile
            ? (LocalFileName::isFolder(options.projectFile()) ? QStringLiteral("This is a folder, not a project file.")
                                                              : QStringLiteral("No such file."))
            : ProjectFile::openFailureText(result, reason).replace(QLatin1Char('\n'), QLatin1Char(' '));
        error = {QStringLiteral("project ") + LocalFileName::shown(options.projectFile()), message, QString(), 0};
        return false;
    }
    project.setFile(LocalFileName::shown(project.file()));
    return checkInterval(project.xMin(), project.xMax(), error);
}

// Every root-finding step evaluates f and f': each must stay within the cost of one evaluation.
bool checkCost(const FunctionProject &project, InputError &error)
{
    for (const Expression *expression : {&project.f(), &project.fPrime()}) {
        if (expression->text().size() > EvaluationCost::MaxCharacters) {
            error = {QStringLiteral("function"), EvaluationCost::tooLargeMessage(), QString(), 0};
            return false;
        }
    }
    return true;
}

} // namespace

QString InputError::report() const
{
    QString lines = subject + QStringLiteral(": ") + message + QLatin1Char('\n');
    if (text.isEmpty() && position == 0)
        return lines;
    lines += Indent + text + QLatin1Char('\n');
    // The engine may point one past the end (something missing there); anything further has
    // no place under the text.
    if (position >= 1 && position <= text.size() + 1)
        lines += Indent + QString(position - 1, QLatin1Char(' ')) + QStringLiteral("^\n");
    return lines;
}

bool SolverInput::load(const SolverOptions &options, FunctionProject &project, QVector<double> &points,
                       InputError &error)
{
    if (!(options.usesProject() ? loadProject(options, project, error) : loadFunction(options, project, error))
        || !checkCost(project, error))
        return false;
    // The steps asked for give way, as the file's do, to what a huge function can afford.
    const int steps = options.requestedSteps() > 0 ? boundedSteps(options.requestedSteps()) : project.rootSteps();
    project.setRootSteps(qMin(steps, ProjectFile::affordableRootSteps(project.f(), project.fPrime())));

    points.clear();
    for (const QString &text : options.pointTexts()) {
        double x = 0;
        if (!readConstant(QStringLiteral("--at"), text, x, error))
            return false;
        points << x;
    }
    return true;
}

int SolverInput::boundedSteps(int requested)
{
    return qBound(FunctionProject::MinRootSteps, requested, FunctionProject::MaxRootSteps);
}
