#include "core/ProgramFolder.h"

#include "core/EngineBinding.h"

#include <QCoreApplication>

QString ProgramFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QString::fromStdString(trev::EngineBinding::programFolder());
}
