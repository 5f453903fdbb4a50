#include "shell/ProgramEntry.h"

#include "shell/CommandLine.h"

#include <QDir>

#include <cstdio>

ProgramEntry::ProgramEntry(const QStringList &arguments, const QString &instanceKey,
                           const FileAssociation &association)
    : m_commandLine(CommandLineFromArguments(AbsoluteFileArguments(arguments, QDir::currentPath()))), m_instance(instanceKey), m_association(association)
{
}

ProgramEntry::Outcome ProgramEntry::run()
{
    switch (MaintenanceSwitchOf(m_commandLine)) {
    case MaintenanceSwitch::RemoveAssociation:
        m_association.unregisterProjectFiles();
        return Outcome::AssociationRemoved;
    case MaintenanceSwitch::WriteAssociation:
        m_association.registerProjectFiles();
        return Outcome::AssociationWritten;
    case MaintenanceSwitch::None:
        break;
    }
    switch (m_instance.start(m_commandLine)) {
    case SingleInstance::Role::HandedOver:
        return Outcome::HandedOver;
    case SingleInstance::Role::NoAnswer:
        std::fprintf(stderr, "line: The running instance of line did not answer.\n");
        std::fflush(stderr);
        return Outcome::NoAnswer;
    case SingleInstance::Role::Refused:
        return Outcome::Refused;
    case SingleInstance::Role::First:
        break;
    }
    m_association.registerProjectFiles();
    return Outcome::FirstInstance;
}

int ProgramEntry::ReportRefusal(const QString &reason)
{
    std::fprintf(stderr, "line: /eq: %s\n", reason.toLocal8Bit().constData());
    std::fflush(stderr);
    return RefusedExitStatus;
}
