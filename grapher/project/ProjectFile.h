#pragma once
// The project file (.tvp): sections and key=value lines. Keys that are not ours are kept on
// writing and ignored on reading. Nothing here shows a message: the caller gets what happened
// and the text to show for it.
#include "core/SafeFile.h"

#include <QString>

class Expression;
class FunctionProject;

class ProjectFile {
public:
    enum class OpenResult {
        Opened,
        NoFile,            // no such file
        NotAProject,       // no [Trevolin] Version
        Unreadable,        // no function, or a number or switch that cannot be read
        FunctionRejected,  // the engine refused the function or its parameters
        TooLarge,          // larger than MaxFileBytes: left unread
        CannotRead,        // the system refused to read it
    };

    // A project file holds a few short lines; a larger file is refused before it is read.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    // Writes the project's keys into `path` in their fixed order, keeping every other line of
    // an existing file. Either the whole file is written and the project's file becomes `path`,
    // or the old file stays byte for byte as it was, the project's file is unchanged and the
    // result says why.
    static FileWriteResult save(FunctionProject &project, const QString &path);

    // Fills `project` from the file. Nothing in the project changes unless the result is Opened.
    // For TooLarge and CannotRead, `reason` receives why; for Unreadable and FunctionRejected,
    // the key and what is wrong with it, for example "[Graph] Xmin=-1e999: The number is out of
    // range.".
    static OpenResult open(FunctionProject &project, const QString &path, QString *reason = nullptr);
    // The same for a path given on the command line (made absolute against the current folder).
    static OpenResult openFromCommandLine(FunctionProject &project, const QString &path, QString *reason = nullptr);

    // The message for a failed open (shown in a warning titled with the path): the reason, when
    // there is one, follows on a second line.
    static QString openFailureText(OpenResult result, const QString &reason = QString());
    // The message for a failed save (shown in a warning titled with the path).
    static QString saveFailureText(const FileWriteResult &result);

    // The root-finding steps a function can afford: each step evaluates f and f', so a huge
    // function gets fewer steps (EvaluationCost), keeping the scan that opening starts under
    // about a second. Any function of ordinary size gets MaxRootSteps.
    static qint32 affordableRootSteps(const Expression &f, const Expression &fPrime);

    // A command-line path made absolute against the current folder (a path is absolute when it
    // starts with "/"); empty when no file exists there.
    static QString commandLinePath(const QString &path);
};
