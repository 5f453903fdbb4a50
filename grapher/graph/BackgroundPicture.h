#pragma once
// The picture behind every graph of a graph window: 364 x 364 logical pixels, almost white,
// with the word Trevolin as a light-blue watermark in its bottom-right corner.
#include <QColor>
#include <QImage>
#include <QSize>

namespace BackgroundPicture {

constexpr int Side = 364;
// The almost-white ground and the watermark's light blue.
inline QColor groundColor() { return QColor(0xFB, 0xFC, 0xFD); }
inline QColor watermarkColor() { return QColor(0xCF, 0xE1, 0xF4); }

// The picture at the given device pixel ratio (drawn, not loaded, so it is sharp at any ratio).
QImage make(qreal devicePixelRatio = 1.0);

} // namespace BackgroundPicture
