#include "dialogs/GraphExportCommands.h"

#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "graph/GraphExport.h"
#include "graph/GraphPane.h"
#include "ui/MessageSink.h"

#include <QDir>
#include <QPrinter>

namespace {

const QString DefaultExtension = QStringLiteral("*.png");

} // namespace

FileFilter GraphExportCommands::saveFilter()
{
    return {
        {LangText("PngFiles", "PNG - Portable Network Graphics"), QStringLiteral("*.png")},
        {LangText("GifFiles", "GIF - Graphics Interchange Format"), QStringLiteral("*.gif")},
        {LangText("BmpFiles", "BMP - Windows Bitmap"), QStringLiteral("*.bmp")},
        {LangText("TiffFiles", "TIFF - Tagged Image File Format"), QStringLiteral("*.tiff")},
        {LangText("SvgFiles", "SVG - Scalable Vector Graphics"), QStringLiteral("*.svg")},
        {LangText("PdfFiles", "PDF - Portable Document Format"), QStringLiteral("*.pdf")},
    };
}

void GraphExportCommands::saveGraph(const FunctionProject &f, const GraphSurface &picture,
                                    const QVector<double> &markedRoots, QWidget *owner)
{
    // The extension is proposed with the name: a function or parameter with a decimal point
    // ("x-1.5") would otherwise look like a name with the extension "5" and save nothing.
    QString path = GraphExport::proposedName(f) + QStringLiteral(".png");
    if (!SaveFileDialog(owner, saveFilter(), DefaultExtension, LangText("SaveGraphAs", "Save graph as"),
                        UsableResultsFolder(), path))
        return;
    const GraphExport::SaveResult result = GraphExport::save(path, f, picture, markedRoots);
    if (result.outcome == GraphExport::Outcome::Failed) {
        Messages().warning(QDir::toNativeSeparators(path),
                           LangText("ErrorSave", "The file could not be saved.") + QLatin1Char('\n') + result.reason);
    }
}

void GraphExportCommands::printGraph(const FunctionProject &f, const GraphSurface &picture,
                                     const QVector<double> &markedRoots, QWidget *owner)
{
    if (!PrintDialog(owner))
        return;
    QPrinter &printer = CurrentPrinter();
    if (!GraphExport::print(printer, f, picture, markedRoots)) {
        const QString target = printer.outputFileName().isEmpty() ? printer.printerName()
                                                                  : QDir::toNativeSeparators(printer.outputFileName());
        Messages().warning(target, LangText("PrintFailed", "The graph could not be printed."));
    }
}

void GraphExportCommands::copyGraph(const GraphSurface &picture) { GraphExport::copyToClipboard(picture); }

void GraphExportCommands::saveGraph(const GraphPane &pane, QWidget *owner)
{
    if (pane.project())
        saveGraph(*pane.project(), pane.surface(), GraphExport::checkedRoots(pane.roots()), owner);
}

void GraphExportCommands::printGraph(const GraphPane &pane, QWidget *owner)
{
    if (pane.project())
        printGraph(*pane.project(), pane.surface(), GraphExport::checkedRoots(pane.roots()), owner);
}

void GraphExportCommands::copyGraph(const GraphPane &pane) { copyGraph(pane.surface()); }
