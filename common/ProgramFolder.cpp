#include "ProgramFolder.h"

#include "EngineBinding.h"

#include <QCoreApplication>

QString ProgramFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QString::fromStdString(trev::EngineBinding::programFolder());
}
