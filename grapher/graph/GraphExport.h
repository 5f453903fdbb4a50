#pragma once
// The graph leaving the program: as an image or vector file, on the printer, on the clipboard.
// This layer encodes, writes and scales; asking for a file or a printer and reporting a failure
// are the commands' business (dialogs/GraphExportCommands.h).
//
// The file type follows the file name, whatever type a dialog had selected: the extension (from
// the name's last "." on, upper case) picks the first format whose list of extensions contains it
// as a substring, so ".TIF" and ".TIFF" both give TIFF and ".JPG" gives JPEG. A name whose
// extension is in no list is not written at all.
//
// Bitmaps (PNG, GIF, BMP, TIFF, JPEG) are the picture exactly as the window shows it, root
// markers included. SVG, PDF and printed pages draw the graph again with the same renderer as
// vectors at the picture's size; the root markers there are plain discs in the marker colour.
#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QVector>

class FunctionProject;
class GraphSurface;
class QPaintDevice;
class QPainter;
class RootList;

class GraphExport {
public:
    enum class Format { None, Bmp, Jpeg, Gif, Tiff, Png, Svg, Pdf };
    enum class Outcome { Saved, UnknownType, Failed };

    struct SaveResult {
        Outcome outcome = Outcome::Saved;
        QString reason;   // why the file could not be written (Failed)
    };

    // The file name the save dialog proposes: the function text, then its parameter values in
    // brackets when it has any ("exp(a x)-exp(b x)+c [a=2; b=4; c=1]"), with every "*" turned
    // into a blank and every "/" into "%" so that the name is a valid file name.
    static QString proposedName(const FunctionProject &f);

    // The format a path asks for (Format::None: nothing is written).
    static Format formatForPath(const QString &path);

    // The roots whose check mark is set, in list order: the markers of the vector output.
    static QVector<double> checkedRoots(const RootList &roots);

    // Writes the graph to `path` (through SafeFile) in the format of its extension: the picture
    // itself for a bitmap format, or f drawn again with the given root markers for SVG and PDF.
    static SaveResult save(const QString &path, const FunctionProject &f, const GraphSurface &picture,
                           const QVector<double> &markedRoots);

    // The encoded bytes of one format; false with the reason. Bitmap formats encode `image`;
    // SVG and PDF draw f at `size` (logical pixels) with the markers.
    static bool encodeImage(const QImage &image, Format format, QByteArray &bytes, QString &reason);
    static QByteArray svg(const FunctionProject &f, const QSize &size, const QVector<double> &markedRoots);
    static QByteArray pdf(const FunctionProject &f, const QSize &size, const QVector<double> &markedRoots);

    // Draws f as vectors with `painter`, the picture's `size` (logical pixels) stretched over
    // `target` (the painter's coordinates), then the markers.
    static void drawVector(QPainter &painter, const QRectF &target, const FunctionProject &f, const QSize &size,
                           const QVector<double> &markedRoots);

    // Where a picture of `picture` proportions goes on a printable area of `printable` (both in
    // the same physical unit): at the top-left corner, as large as fits, the proportions kept.
    static QRectF printArea(const QSizeF &picture, const QSizeF &printable);

    // Prints the graph on `device` (a printer, whose coordinates start at the printable area),
    // placed by printArea in physical units, so that a device with different horizontal and
    // vertical resolutions does not distort it. False when the device cannot be painted on.
    static bool print(QPaintDevice &device, const FunctionProject &f, const GraphSurface &picture,
                      const QVector<double> &markedRoots);

    // The clipboard's copy of the picture: every pixel of it, exactly its size.
    static QImage clipboardImage(const GraphSurface &picture);
    // Puts that copy on the clipboard, replacing what was there.
    static void copyToClipboard(const GraphSurface &picture);
};
