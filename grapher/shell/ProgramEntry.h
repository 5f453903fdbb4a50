#pragma once
// The start of line up to its main window, in this order: the maintenance switches "/u" and
// "/r" (the whole command line, exactly), the one-instance rule (a second start hands its
// command line over and ends), and the file association, written at every first start when it
// is missing. main() shows the main window only for FirstInstance.
#include "shell/FileAssociation.h"
#include "shell/SingleInstance.h"

#include <QString>
#include <QStringList>

class ProgramEntry {
public:
    enum class Outcome {
        AssociationRemoved,  // "/u": nothing else happens
        AssociationWritten,  // "/r": nothing else happens
        HandedOver,          // a running instance took the command line
        NoAnswer,            // a running instance did not answer in time; said on stderr, then end
        FirstInstance,       // go on: show the main window and process commandLine()
        Refused,             // a running instance refused the command line; report refusal() and end
    };

    // A start whose equation was refused ends with this status after ReportRefusal.
    static constexpr int RefusedExitStatus = 2;
    // Writes "line: /eq: " and the reason on the standard error output; returns RefusedExitStatus.
    static int ReportRefusal(const QString &reason);

    // `arguments` without the program's own name (QCoreApplication::arguments().mid(1)); file
    // names are made absolute against the working folder at once.
    explicit ProgramEntry(const QStringList &arguments, const QString &instanceKey = SingleInstance::InstanceKey,
                          const FileAssociation &association = FileAssociation());

    Outcome run();

    // The command line rebuilt from the arguments, as a second start hands it over.
    QString commandLine() const { return m_commandLine; }
    // Stays alive as long as this object; the main window connects to its signals.
    SingleInstance &instance() { return m_instance; }
    // After Outcome::Refused: the reason the running instance gave.
    QString refusal() const { return m_instance.refusal(); }

private:
    QString m_commandLine;
    SingleInstance m_instance;
    FileAssociation m_association;
};
