#include "core/ProgramSettings.h"

#include <QDir>
#include <QFileInfo>

ProgramSettings &programSettings()
{
    static ProgramSettings settings;
    return settings;
}

QString UsableResultsFolder()
{
    const QString folder = programSettings().resultsFolder;
    if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        QDir().mkpath(folder);
    return folder;
}
