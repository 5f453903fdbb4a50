#include "shell/CommandLine.h"

#include "core/ErrorMessage.h"
#include "core/LangText.h"
#include "core/MathEngine.h"
#include "core/ProgramSettings.h"
#include "dialogs/NewProjectWizardModel.h"
#include "project/ProjectFile.h"

#include <QDir>

namespace {

const QChar Quote = QLatin1Char('"');
const QChar Space = QLatin1Char(' ');
// Groups an argument that holds a double quote. No file name or argument can hold it, so
// nothing typed changes its meaning.
const QChar Exact = QChar(0);

// Why an end of the interval was refused: the empty-box message, or the engine's message after
// the text.
QString endRefusal(const QString &text, const EngineError &error, const char *emptyKey, const char *emptyText)
{
    if (text.isEmpty())
        return LangText(emptyKey, emptyText);
    return text + QStringLiteral(": ") + ErrorMessage(error.code);
}

CommandLineAction equationAction(QString rest, double minLength, double maxLength)
{
    CommandLineAction action;
    const QString functionText = NextCommandToken(rest);
    EngineError parseError;
    Expression function = Expression::parse(functionText, &parseError);
    const QString startText = NextCommandToken(rest);
    EngineError startError;
    const double start = MathEngine::evaluateConstant(startText, &startError);
    const QString endText = NextCommandToken(rest);
    EngineError endError;
    const double end = MathEngine::evaluateConstant(endText, &endError);
    if (functionText.isEmpty()) {
        action.refusal = LangText("TypeFunction", "Type the function name.");
        return action;
    }
    if (!parseError.ok() || function.isNull()) {
        action.refusal = ErrorMessage(parseError.code);
        return action;
    }
    if (startText.isEmpty() || !startError.ok()) {
        action.refusal = endRefusal(startText, startError, "TypeStart", "Type the start value.");
        return action;
    }
    if (endText.isEmpty() || !endError.ok()) {
        action.refusal = endRefusal(endText, endError, "TypeEnd", "Type the end value.");
        return action;
    }
    // Written so that a NaN end fails every test.
    const double length = end - start;
    if (!(start < end)) {
        action.refusal = LangText("Build", "The two values don't build an interval.");
        return action;
    }
    if (!(length <= maxLength)) {
        action.refusal = NewProjectWizardModel::lengthMessage(QStringLiteral(" <= "), maxLength);
        return action;
    }
    if (!(length >= minLength)) {
        action.refusal = NewProjectWizardModel::lengthMessage(QStringLiteral(" >= "), minLength);
        return action;
    }
    action.kind = CommandLineAction::Kind::Equation;
    action.equation = std::make_unique<FunctionProject>();
    action.equation->load(functionText, std::move(function), start, end);
    return action;
}

} // namespace

QString NextCommandToken(QString &text)
{
    int first = 0;
    while (first < text.size() && text.at(first) == Space)
        ++first;
    text.remove(0, first);
    if (text.startsWith(Exact)) {
        const int closing = text.indexOf(Exact, 1);
        const QString token = text.mid(1, closing < 0 ? -1 : closing - 1);
        text.remove(0, closing < 0 ? text.size() : closing + 1);
        return token;
    }
    if (text.startsWith(Quote)) {
        const int closing = text.indexOf(Quote, 1);
        if (closing < 0) {
            text.clear();
            return QString();
        }
        const QString token = text.mid(1, closing - 1);
        text.remove(0, closing + 1);
        return token;
    }
    const int space = text.indexOf(Space);
    if (space < 0) {
        QString token = text;
        text.clear();
        return token;
    }
    const QString token = text.left(space);
    text.remove(0, space + 1);
    return token;
}

QString CommandLineFromArguments(const QStringList &arguments)
{
    QStringList parts;
    for (const QString &argument : arguments) {
        if (argument.isEmpty())
            continue;
        if (argument.contains(Quote))
            parts << Exact + argument + Exact;
        else
            parts << (argument.contains(Space) ? Quote + argument + Quote : argument);
    }
    return parts.join(Space);
}

QStringList AbsoluteFileArguments(const QStringList &arguments, const QString &folder)
{
    // The first argument that is not empty decides the mode; an equation names no file.
    for (const QString &argument : arguments) {
        if (argument.toLower() == QLatin1String("/eq"))
            return arguments;
        if (!argument.isEmpty())
            break;
    }
    QStringList absolute;
    for (const QString &argument : arguments)
        absolute << (argument.isEmpty() || argument.startsWith(QLatin1Char('/'))
                         ? argument
                         : QDir::cleanPath(folder + QLatin1Char('/') + argument));
    return absolute;
}

MaintenanceSwitch MaintenanceSwitchOf(const QString &commandLine)
{
    if (commandLine == QLatin1String("/u"))
        return MaintenanceSwitch::RemoveAssociation;
    if (commandLine == QLatin1String("/r"))
        return MaintenanceSwitch::WriteAssociation;
    return MaintenanceSwitch::None;
}

CommandLineAction ProcessCommandLine(const QString &text, double minLength, double maxLength)
{
    CommandLineAction action;
    if (text.isEmpty()) {
        action.kind = CommandLineAction::Kind::ShowWizard;
        return action;
    }
    QString rest = text;
    QString token = NextCommandToken(rest);
    if (token.toLower() == QLatin1String("/eq"))
        return equationAction(rest, minLength, maxLength);

    while (!token.isEmpty()) {
        CommandLineFile file;
        file.path = token;
        file.fullPath = ProjectFile::commandLinePath(token);
        auto project = std::make_unique<FunctionProject>();
        QString reason;
        const ProjectFile::OpenResult result = ProjectFile::openFromCommandLine(*project, token, &reason);
        if (result == ProjectFile::OpenResult::Opened)
            file.project = std::move(project);
        else if (result != ProjectFile::OpenResult::NoFile)
            file.failureText = ProjectFile::openFailureText(result, reason);
        action.files.push_back(std::move(file));
        token = NextCommandToken(rest);
    }
    if (!action.files.empty())
        action.kind = CommandLineAction::Kind::Files;
    return action;
}

QString EquationRefusal(const QString &text)
{
    QString rest = text;
    if (NextCommandToken(rest).toLower() != QLatin1String("/eq"))
        return QString();
    const ProgramSettings &settings = programSettings();
    return equationAction(rest, settings.MinLen, settings.MaxLen).refusal;
}

CommandLineAction ProcessCommandLine(const QString &text)
{
    const ProgramSettings &settings = programSettings();
    return ProcessCommandLine(text, settings.MinLen, settings.MaxLen);
}
