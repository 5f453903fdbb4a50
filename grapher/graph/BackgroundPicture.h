#pragma once
// The picture behind every graph of a graph window: almost white, with the word Trevolin as a
// light-blue watermark in its bottom-right corner. Its design is a square of 364 x 364 logical
// pixels; on a graph it is scaled to cover the whole surface, centred and cropped, so no edge
// of it shows whatever the window's size.
#include <QColor>
#include <QImage>
#include <QSize>

namespace BackgroundPicture {

constexpr int Side = 364;
// The almost-white ground and the watermark's light blue.
inline QColor groundColor() { return QColor(0xFB, 0xFC, 0xFD); }
inline QColor watermarkColor() { return QColor(0xCF, 0xE1, 0xF4); }

// The picture covering a surface of `size` logical pixels at the given device pixel ratio
// (drawn, not loaded, so it is sharp at any size and ratio). The uniform ground fills it all;
// the watermark stays in the bottom-right corner of what is shown, where cropping the square
// would cut it away, and keeps its share of the surface's shorter side.
QImage make(const QSize &size = QSize(Side, Side), qreal devicePixelRatio = 1.0);

} // namespace BackgroundPicture
