#include "graph/GifWriter.h"

#include <gif_lib.h>

#include <QHash>
#include <QVector>

#include <cstring>
#include <memory>

namespace {

// giflib hands every block of the file to this function, which appends it to the byte array
// given to EGifOpen.
int appendToBytes(GifFileType *file, const GifByteType *data, int length)
{
    auto *bytes = static_cast<QByteArray *>(file->UserData);
    bytes->append(reinterpret_cast<const char *>(data), length);
    return length;
}

struct MapDeleter {
    void operator()(ColorMapObject *map) const { GifFreeMapObject(map); }
};
using ColorMap = std::unique_ptr<ColorMapObject, MapDeleter>;

// Indexed pixels and their palette: exact when the picture has few enough colours.
bool exactPalette(const QImage &image, QVector<GifByteType> &indices, QVector<GifColorType> &palette)
{
    QHash<QRgb, int> indexOf;
    indices.resize(image.width() * image.height());
    int next = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb color = line[x] & 0xFFFFFFu;
            auto found = indexOf.constFind(color);
            if (found == indexOf.constEnd()) {
                if (indexOf.size() == GifWriter::MaxColors)
                    return false;
                found = indexOf.insert(color, indexOf.size());
                palette.append(GifColorType{static_cast<GifByteType>(qRed(color)), static_cast<GifByteType>(qGreen(color)),
                                            static_cast<GifByteType>(qBlue(color))});
            }
            indices[next++] = static_cast<GifByteType>(found.value());
        }
    }
    return true;
}

// The same by giflib's median cut, for pictures with more colours.
bool quantizedPalette(const QImage &image, QVector<GifByteType> &indices, QVector<GifColorType> &palette)
{
    const int count = image.width() * image.height();
    QVector<GifByteType> red(count), green(count), blue(count);
    int next = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, ++next) {
            red[next] = static_cast<GifByteType>(qRed(line[x]));
            green[next] = static_cast<GifByteType>(qGreen(line[x]));
            blue[next] = static_cast<GifByteType>(qBlue(line[x]));
        }
    }
    int size = GifWriter::MaxColors;
    indices.resize(count);
    palette.resize(GifWriter::MaxColors);
    if (GifQuantizeBuffer(static_cast<unsigned>(image.width()), static_cast<unsigned>(image.height()), &size,
                          red.data(), green.data(), blue.data(), indices.data(), palette.data())
        != GIF_OK)
        return false;
    palette.resize(size);
    return true;
}

QString gifError(int code)
{
    const char *text = GifErrorString(code);
    return text ? QString::fromLatin1(text) : QStringLiteral("GIF error %1").arg(code);
}

} // namespace

bool GifWriter::encode(const QImage &picture, QByteArray &bytes, QString &reason)
{
    if (picture.isNull()) {
        reason = QStringLiteral("The picture is empty.");
        return false;
    }
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QVector<GifByteType> indices;
    QVector<GifColorType> palette;
    if (!exactPalette(image, indices, palette)) {
        palette.clear();
        if (!quantizedPalette(image, indices, palette)) {
            reason = QStringLiteral("The colours of the picture could not be reduced to 256.");
            return false;
        }
    }
    // The colour table of a GIF has a power of two entries, at least two.
    int tableSize = 2;
    while (tableSize < palette.size())
        tableSize *= 2;
    palette.resize(tableSize);
    ColorMap map(GifMakeMapObject(tableSize, palette.constData()));
    if (!map) {
        reason = QStringLiteral("Out of memory.");
        return false;
    }

    bytes.clear();
    int error = 0;
    GifFileType *file = EGifOpen(&bytes, appendToBytes, &error);
    if (!file) {
        reason = gifError(error);
        return false;
    }
    EGifSetGifVersion(file, true);
    bool ok = EGifPutScreenDesc(file, image.width(), image.height(), 8, 0, map.get()) == GIF_OK
        && EGifPutImageDesc(file, 0, 0, image.width(), image.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height(); ++y)
        ok = EGifPutLine(file, indices.data() + y * image.width(), image.width()) == GIF_OK;
    if (!ok)
        error = file->Error;
    int closeError = 0;
    if (EGifCloseFile(file, &closeError) != GIF_OK && ok) {
        ok = false;
        error = closeError;
    }
    if (!ok)
        reason = gifError(error);
    return ok;
}
