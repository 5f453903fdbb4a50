#pragma once
// GIF encoding over giflib. A picture with at most 256 colours is stored exactly; one with more
// (anti-aliased text, a photograph behind the graph) keeps its frequent colours exactly and
// has the others reduced by median cut, 256 in all.
#include <QByteArray>
#include <QImage>
#include <QString>

class GifWriter {
public:
    static constexpr int MaxColors = 256;

    // The GIF file of `image` in `bytes`; false with the reason in `reason`.
    static bool encode(const QImage &image, QByteArray &bytes, QString &reason);
};
