#pragma once
// The command-line language of line, used at start-up and for a command line handed over by a
// second start: project files to open (a name with blanks in double quotes), or
// "/eq <function> <start> <end>" to solve an equation on an interval. Nothing here opens a
// window or shows a message; the caller gets what to open and the texts to show.
#include "project/FunctionProject.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Takes the next token off the front of `text`, which loses it: leading spaces are skipped; a
// token that starts with a double quote runs to the next double quote (the quotes only group,
// and a quote that is never closed empties both the token and the rest); a token that starts
// with a NUL character, which only CommandLineFromArguments writes, runs exactly as it is to
// the next NUL; any other token runs to the next space.
QString NextCommandToken(QString &text);

// The command line that NextCommandToken splits back into `arguments` (the program's own name
// not included): arguments joined by single spaces, every one that holds a space enclosed in
// double quotes, and every one that holds a double quote itself between NUL characters. An
// empty argument has no token of its own and disappears.
QString CommandLineFromArguments(const QStringList &arguments);

// The arguments with every file name that is not absolute made absolute against `folder` (the
// working folder of the start that got them), so that a running instance elsewhere opens the
// same files. A command line whose first argument is "/eq" names no files and stays as it is.
QStringList AbsoluteFileArguments(const QStringList &arguments, const QString &folder);

// The maintenance switches, which count only as the whole command line, exactly.
enum class MaintenanceSwitch {
    None,
    RemoveAssociation,  // "/u"
    WriteAssociation,   // "/r"
};
MaintenanceSwitch MaintenanceSwitchOf(const QString &commandLine);

// One project file named on a command line, after the attempt to open it.
struct CommandLineFile {
    QString path;                              // as given
    QString fullPath;                          // made absolute; empty when no file exists there
    std::unique_ptr<FunctionProject> project;  // the opened project, null when it could not be opened
    QString failureText;                       // to show in a warning titled with fullPath; empty for
                                               // a missing file, which is passed over silently
};

// What a command line asks for.
struct CommandLineAction {
    enum class Kind {
        ShowWizard,  // the command line is empty
        Nothing,     // blanks only, or an equation or interval that was refused (`refusal` says why)
        Equation,    // `equation` holds the project to show
        Files,       // `files` in the order given; at least one
    };
    Kind kind = Kind::Nothing;
    std::unique_ptr<FunctionProject> equation;
    std::vector<CommandLineFile> files;
    QString refusal;  // why an equation or its interval was refused; the window shows nothing
};

// Interprets a command line: in equation mode the function is parsed and the interval ends are
// evaluated as constant expressions, and the project is made only when start < end and
// minLength <= end - start <= maxLength; in file mode every named file is opened as a project.
// Needs the engine.
CommandLineAction ProcessCommandLine(const QString &text, double minLength, double maxLength);
// The same with the MinLen and MaxLen settings.
CommandLineAction ProcessCommandLine(const QString &text);
// For a "/eq" command line that would be refused, the reason (the wizard's message for the
// same fault, for example "End of parenthesis missing."); empty for any other command line.
// Opens nothing, so a running instance can answer a second start with it at once.
QString EquationRefusal(const QString &text);
