#include "graph/GraphExport.h"

#include "core/LangText.h"
#include "core/SafeFile.h"
#include "core/Version.h"
#include "graph/GifWriter.h"
#include "graph/GraphRenderer.h"
#include "graph/GraphSurface.h"
#include "graph/RootList.h"
#include "gui/Colors.h"
#include "project/FunctionProject.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

// The formats in the order they are searched, each with its list of extensions. The order
// matters for short extensions: ".B" finds BMP, ".P" finds PNG before PDF.
struct FormatEntry {
    GraphExport::Format format;
    const char *extensions;
    const char *writerFormat;   // QImageWriter's name; nullptr where it is not used
};

constexpr FormatEntry Formats[] = {
    {GraphExport::Format::Bmp, "*.BMP;*.DIB;*.RLE", "bmp"},
    {GraphExport::Format::Jpeg, "*.JPG;*.JPEG;*.JPE;*.JFIF", "jpeg"},
    {GraphExport::Format::Gif, "*.GIF", nullptr},
    {GraphExport::Format::Tiff, "*.TIF;*.TIFF", "tiff"},
    {GraphExport::Format::Png, "*.PNG", "png"},
    {GraphExport::Format::Svg, "*.SVG", nullptr},
    {GraphExport::Format::Pdf, "*.PDF", nullptr},
};

// The vector devices count 96 units to the inch, as the picture does, so one unit is one of its
// logical pixels.
constexpr int VectorDotsPerInch = 96;
constexpr double PointsPerInch = 72;

QString encodeFailure() { return LangText("EncodeFailed", "The picture could not be encoded."); }

} // namespace

QString GraphExport::proposedName(const FunctionProject &f)
{
    QString name = f.functionText();
    QString parameters = f.f().parameters();
    // The engine ends the list with the separator "; ".
    while (parameters.endsWith(QLatin1Char(' ')) || parameters.endsWith(QLatin1Char(';')))
        parameters.chop(1);
    if (!parameters.isEmpty())
        name += QStringLiteral(" [") + parameters + QLatin1Char(']');
    name.replace(QLatin1Char('*'), QLatin1Char(' '));
    name.replace(QLatin1Char('/'), QLatin1Char('%'));
    return name;
}

GraphExport::Format GraphExport::formatForPath(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    // A lone "." would be found in every list.
    if (dot < 0 || dot == name.size() - 1)
        return Format::None;
    const QString extension = name.mid(dot).toUpper();
    for (const FormatEntry &entry : Formats) {
        if (QLatin1String(entry.extensions).contains(extension))
            return entry.format;
    }
    return Format::None;
}

QVector<double> GraphExport::checkedRoots(const RootList &roots)
{
    QVector<double> checked;
    for (int i = 0; i < roots.count(); ++i) {
        if (roots.isChecked(i))
            checked.append(roots.roots().at(i));
    }
    return checked;
}

GraphExport::SaveResult GraphExport::save(const QString &path, const FunctionProject &f, const GraphSurface &picture,
                                          const QVector<double> &markedRoots)
{
    const Format format = formatForPath(path);
    if (format == Format::None)
        return {Outcome::UnknownType, QString()};
    QByteArray bytes;
    QString reason;
    if (format == Format::Svg)
        bytes = svg(f, picture.size(), markedRoots);
    else if (format == Format::Pdf)
        bytes = pdf(f, picture.size(), markedRoots);
    else if (!encodeImage(picture.image(), format, bytes, reason))
        return {Outcome::Failed, reason};
    if (bytes.isEmpty())
        return {Outcome::Failed, encodeFailure()};
    const FileWriteResult written = SafeFile::write(path, bytes);
    if (!written)
        return {Outcome::Failed, written.reason};
    return {Outcome::Saved, QString()};
}

bool GraphExport::encodeImage(const QImage &image, Format format, QByteArray &bytes, QString &reason)
{
    bytes.clear();
    if (image.isNull()) {
        reason = encodeFailure();
        return false;
    }
    if (format == Format::Gif) {
        if (GifWriter::encode(image, bytes, reason))
            return true;
        if (reason.isEmpty())
            reason = encodeFailure();
        return false;
    }
    const char *writerFormat = nullptr;
    for (const FormatEntry &entry : Formats) {
        if (entry.format == format)
            writerFormat = entry.writerFormat;
    }
    if (!writerFormat) {
        reason = encodeFailure();
        return false;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, writerFormat);
    if (!writer.write(image)) {
        reason = writer.errorString();
        bytes.clear();
        return false;
    }
    return true;
}

void GraphExport::drawVector(QPainter &painter, const QRectF &target, const FunctionProject &f, const QSize &size,
                             const QVector<double> &markedRoots)
{
    if (size.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / size.width(), target.height() / size.height());
    GraphSurface surface(size);
    surface.setVectorPainter(&painter);
    GraphRenderer::drawGraph(surface, f);
    const QColor markerColor = ColorFromValue(RootList::MarkerColor);
    for (double root : markedRoots)
        surface.fillDisc(root, 0, RootList::MarkerRadius, markerColor);
    surface.setVectorPainter(nullptr);
    painter.restore();
}

QByteArray GraphExport::svg(const FunctionProject &f, const QSize &size, const QVector<double> &markedRoots)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(VectorDotsPerInch);
    generator.setTitle(f.functionText() + QStringLiteral(" = 0"));
    generator.setDescription(QStringLiteral("Trevolin ") + VersionText());
    QPainter painter;
    if (!painter.begin(&generator))
        return {};
    drawVector(painter, QRectF(QPointF(0, 0), QSizeF(size)), f, size, markedRoots);
    painter.end();
    return bytes;
}

QByteArray GraphExport::pdf(const FunctionProject &f, const QSize &size, const QVector<double> &markedRoots)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(VectorDotsPerInch);
    writer.setPageSize(QPageSize(QSizeF(size) * (PointsPerInch / VectorDotsPerInch), QPageSize::Point, QString(),
                                 QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setTitle(f.functionText() + QStringLiteral(" = 0"));
    writer.setCreator(QStringLiteral("Trevolin ") + VersionText());
    QPainter painter;
    if (!painter.begin(&writer))
        return {};
    // The page is the picture's size up to the rounding of points, so the drawing fills it.
    drawVector(painter, QRectF(0, 0, writer.width(), writer.height()), f, size, markedRoots);
    painter.end();
    return bytes;
}

QRectF GraphExport::printArea(const QSizeF &picture, const QSizeF &printable)
{
    if (!(picture.width() > 0 && picture.height() > 0 && printable.width() > 0 && printable.height() > 0))
        return {};
    const double ratio = picture.width() / picture.height();
    if (ratio >= printable.width() / printable.height())
        return QRectF(0, 0, printable.width(), printable.width() / ratio);
    return QRectF(0, 0, printable.height() * ratio, printable.height());
}

bool GraphExport::print(QPaintDevice &device, const FunctionProject &f, const GraphSurface &picture,
                        const QVector<double> &markedRoots)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Physical sizes in inches: a printer may have different resolutions across and down.
    const double dpiX = device.logicalDpiX() > 0 ? device.logicalDpiX() : VectorDotsPerInch;
    const double dpiY = device.logicalDpiY() > 0 ? device.logicalDpiY() : VectorDotsPerInch;
    const QRectF area = printArea(QSizeF(picture.size()), QSizeF(device.width() / dpiX, device.height() / dpiY));
    const QRectF target(area.x() * dpiX, area.y() * dpiY, area.width() * dpiX, area.height() * dpiY);
    // Labels that reach past the picture's edge are cut there, as on the screen.
    painter.setClipRect(target);
    drawVector(painter, target, f, picture.size(), markedRoots);
    return painter.end();
}

QImage GraphExport::clipboardImage(const GraphSurface &picture) { return picture.image().copy(); }

void GraphExport::copyToClipboard(const GraphSurface &picture)
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setImage(clipboardImage(picture));
}
