#pragma once
// The program-wide values the grapher loads once from its settings store at start-up
// (LoadSettings in the shell). Until then they hold the defaults below. Only Decimals and the
// skin change during a run (general options); the rest stays fixed until the next start.
#include <QString>

// Skins are numbered 1 to SkinCount.
constexpr int SkinCount = 8;

struct ProgramSettings {
    QString languageFile;          // full path of the language file in use
    int skin = 1;                  // 1..8, the skin of every window (SkinColorsFor)
    int Decimals = 8;              // decimals of the readouts and the evaluate dialog, 4..14
    double MinLen = 0.001;         // smallest allowed interval length
    double MaxLen = 10000;         // largest allowed interval length
    int GraphPrecision = 200;      // graph points of a new project
    int RootSteps = 1000;          // root-finding steps of a new project
    QString resultsFolder;         // default folder of every file dialog
    bool backgroundPicture = true; // the picture behind the graph windows' graphs (general options)
    bool fitNewProjects = true;    // a new project's y range fitted to its curve (general options)
    bool findRootsAutomatically = true; // every change of a graph window's view or function finds its roots again
};

ProgramSettings &programSettings();

// The results folder, made (with any missing folders above it) when it does not exist, so that
// it is there whenever it is used. The path is returned even when it could not be made.
QString UsableResultsFolder();
