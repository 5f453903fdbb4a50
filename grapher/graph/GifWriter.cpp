#include "graph/GifWriter.h"

#include <gif_lib.h>

#include <QHash>
#include <QPair>
#include <QVector>

#include <algorithm>
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

// The colours that cover at least this share of the picture keep their exact values in a
// reduced palette: the ground, the skin's colours, the curve, the axes and the grid.
constexpr double ReservedShare = 0.001;
// At most this many entries are reserved; the rest of the palette is the median cut's.
constexpr int MaxReserved = 128;

// The same for pictures with more colours: the frequent colours as they are, the rest (the
// anti-aliased edges of texts and pictures) reduced by giflib's median cut, which keeps only
// five bits of each primary and so would turn white into (248, 248, 248).
bool quantizedPalette(const QImage &image, QVector<GifByteType> &indices, QVector<GifColorType> &palette)
{
    const int count = image.width() * image.height();
    QHash<QRgb, int> pixelsOf;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++pixelsOf[line[x] & 0xFFFFFFu];
    }
    QVector<QPair<int, QRgb>> frequent;
    for (auto it = pixelsOf.cbegin(); it != pixelsOf.cend(); ++it) {
        if (it.value() >= ReservedShare * count)
            frequent.append({it.value(), it.key()});
    }
    std::sort(frequent.begin(), frequent.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    if (frequent.size() > MaxReserved)
        frequent.resize(MaxReserved);
    QHash<QRgb, int> reserved;
    for (const auto &entry : frequent) {
        reserved.insert(entry.second, reserved.size());
        palette.append(GifColorType{static_cast<GifByteType>(qRed(entry.second)),
                                    static_cast<GifByteType>(qGreen(entry.second)),
                                    static_cast<GifByteType>(qBlue(entry.second))});
    }

    // Every other pixel in one row for the median cut.
    QVector<GifByteType> red, green, blue;
    indices.resize(count);
    int next = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, ++next) {
            const QRgb color = line[x] & 0xFFFFFFu;
            const auto found = reserved.constFind(color);
            if (found != reserved.constEnd()) {
                indices[next] = static_cast<GifByteType>(found.value());
                continue;
            }
            red.append(static_cast<GifByteType>(qRed(color)));
            green.append(static_cast<GifByteType>(qGreen(color)));
            blue.append(static_cast<GifByteType>(qBlue(color)));
        }
    }
    if (red.isEmpty())
        return true;
    int size = GifWriter::MaxColors - palette.size();
    QVector<GifByteType> rest(red.size());
    QVector<GifColorType> restPalette(size);
    if (GifQuantizeBuffer(static_cast<unsigned>(red.size()), 1, &size, red.data(), green.data(), blue.data(),
                          rest.data(), restPalette.data())
        != GIF_OK)
        return false;
    const int offset = palette.size();
    palette += restPalette.mid(0, size);
    next = 0;
    int taken = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x, ++next) {
            if (!reserved.contains(line[x] & 0xFFFFFFu))
                indices[next] = static_cast<GifByteType>(offset + rest.at(taken++));
        }
    }
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
