#include "graph/BackgroundPicture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

namespace BackgroundPicture {

QImage make(qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage picture(QSize(Side, Side) * ratio, QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    picture.fill(groundColor());

    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}, 22);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(watermarkColor());
    const QString word = QStringLiteral("Trevolin");
    const QFontMetricsF metrics(font, &picture);
    const qreal padding = 8;
    const QPointF baseline(Side - padding - metrics.horizontalAdvance(word), Side - padding - metrics.descent());
    painter.drawText(baseline, word);
    return picture;
}

} // namespace BackgroundPicture
