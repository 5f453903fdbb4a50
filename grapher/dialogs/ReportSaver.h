#pragma once
// Saving the HTML reports: asking for the file with the save dialog (HTML files, starting in the
// results folder, proposing a name made from the function) and writing it. A cancelled dialog
// writes nothing and says nothing; a failed write is reported in a message box with the path
// and the system's reason.
//
// The graph window's save-roots action calls saveRootsReport; the extrema dialog calls
// saveExtremaReport. askPath and write are the two halves, for callers that need them apart.
#include "analysis/HtmlReport.h"

#include <QString>
#include <QVector>

class FunctionProject;
class QWidget;

class ReportSaver {
public:
    // The save dialog over `owner`; the chosen path, or empty when the user cancelled.
    static QString askPath(QWidget *owner, const FunctionProject &project, ReportKind kind);
    // Writes `document` to `path` (replacing the file); false after reporting a failure.
    static bool write(const QString &path, const QString &document);

    // Asks for the file and writes the roots report of `roots` (every entry of the list, as
    // numbers; the report shows them as the list does). True when a file was written.
    static bool saveRootsReport(const FunctionProject &project, const QVector<double> &roots, QWidget *owner);
    // The same for the extrema report of `rows`.
    static bool saveExtremaReport(const FunctionProject &project, const QVector<ExtremumRow> &rows, QWidget *owner);
};
