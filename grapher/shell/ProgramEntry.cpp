#include "shell/ProgramEntry.h"

#include "shell/CommandLine.h"

ProgramEntry::ProgramEntry(const QStringList &arguments, const QString &instanceKey,
                           const FileAssociation &association)
    : m_commandLine(CommandLineFromArguments(arguments)), m_instance(instanceKey), m_association(association)
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
        return Outcome::NoAnswer;
    case SingleInstance::Role::First:
        break;
    }
    m_association.registerProjectFiles();
    return Outcome::FirstInstance;
}
