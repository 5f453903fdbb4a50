#pragma once
// The project file (.tvp): sections and key=value lines, written by SaveProject and read by
// OpenProject of cFunctie. Keys that are not ours are kept on writing and ignored on reading.
#include <QString>

class cFunctie;

class ProjectFile {
public:
    // The version this release writes into [Trevolin] Version.
    static constexpr const char *Version = "2.36.969";

    // Writes the project's keys into `path` in their fixed order, keeping every other line of
    // an existing file. The new content goes to a temporary file that then replaces the old
    // one, so a failed save leaves the old file as it was. False when nothing could be written.
    static bool save(const cFunctie &project, const QString &path);

    // Fills `project` from the file; false after a warning titled with the path. Nothing in the
    // project changes when the file is refused.
    static bool open(cFunctie &project, const QString &path);

    // A command-line path made absolute against the current folder (a path is absolute when it
    // starts with "/"); empty when no file exists there.
    static QString commandLinePath(const QString &path);
};
