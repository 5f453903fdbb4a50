#pragma once
// The main window's three graph commands, on the active graph window's project and picture:
// save the graph as a file, print it, copy it to the clipboard. They ask with the common
// dialogs and report a failed write with the path and the reason; a cancelled dialog ends a
// command silently, and so does a file name whose extension names no known format.
#include "ui/CommonDialogs.h"

#include <QString>
#include <QVector>

class FunctionProject;
class GraphPane;
class GraphSurface;
class QWidget;

class GraphExportCommands {
public:
    // Save graph (mnusavegraph, mnupopsavegraph): proposes the equation with its parameters as
    // name (with ".png") in the results folder; the extension typed decides the format. SVG
    // and PDF draw the graph again with `markedRoots` as markers.
    static void saveGraph(const FunctionProject &f, const GraphSurface &picture, const QVector<double> &markedRoots,
                          QWidget *owner);
    // Print graph (mnuprintgraph): the print dialog, then the graph at the top-left corner of
    // the printable area, as large as it fits without distortion. Printing to a PDF file is
    // one of the dialog's choices.
    static void printGraph(const FunctionProject &f, const GraphSurface &picture, const QVector<double> &markedRoots,
                           QWidget *owner);
    // Copy to clipboard (mnucopyclipb): the picture, exactly its pixels.
    static void copyGraph(const GraphSurface &picture);

    // The same on a graph window's pane: its project, its picture and its checked roots. A pane
    // without a project does nothing.
    static void saveGraph(const GraphPane &pane, QWidget *owner);
    static void printGraph(const GraphPane &pane, QWidget *owner);
    static void copyGraph(const GraphPane &pane);

    // The file types the save dialog offers, PNG first.
    static FileFilter saveFilter();
};
