#include "graph/BackgroundPicture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace BackgroundPicture {

QImage make(const QSize &size, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize area = size.expandedTo(QSize(1, 1));
    QImage picture(area * ratio, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    picture.fill(groundColor());

    QPainter painter(&picture);
    // The square's own coordinates, with the bottom-right corner of the surface as origin.
    const qreal scale = qreal(std::min(area.width(), area.height())) / Side;
    painter.translate(area.width(), area.height());
    painter.scale(scale, scale);
    QFont font({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}, 22);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setItalic(true);
    // Two colours only, however large the word: the faint blue shows no steps, and a graph
    // keeps few enough colours to be stored exactly as a GIF.
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(watermarkColor());
    const QString word = QStringLiteral("Trevolin");
    const QFontMetricsF metrics(font, &picture);
    const qreal padding = 8;
    painter.drawText(QPointF(-padding - metrics.horizontalAdvance(word), -padding - metrics.descent()), word);
    return picture;
}

} // namespace BackgroundPicture
