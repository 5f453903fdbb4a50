#include "windows/ButtonIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace {

// The pictures are drawn on a 20 x 20 grid; each size is drawn afresh rather than scaled from
// another, so the small ones stay sharp too.
constexpr int Side = 20;
constexpr int PixelSizes[] = {16, 20, 24, 32, 40, 48};

QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (int pixels : PixelSizes) {
        QPixmap pixmap(pixels, pixels);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(qreal(pixels) / Side, qreal(pixels) / Side);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// A magnifying glass with a plus or a minus in its lens.
QIcon magnifier(bool plus)
{
    return drawn([plus](QPainter &painter) {
        painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 2.4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(12.5, 12.5), QPointF(18, 18));
        painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.6));
        painter.setBrush(QColor(0xE8, 0xF1, 0xFB));
        painter.drawEllipse(QPointF(8.5, 8.5), 6, 6);
        painter.setPen(QPen(QColor(0x1A, 0x5F, 0xB4), 1.8, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(5.5, 8.5), QPointF(11.5, 8.5));
        if (plus)
            painter.drawLine(QPointF(8.5, 5.5), QPointF(8.5, 11.5));
    });
}

} // namespace

namespace ButtonIcons {

QIcon zoomIn() { return magnifier(true); }

QIcon zoomOut() { return magnifier(false); }

QIcon calculator()
{
    return drawn([](QPainter &painter) {
        painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
        painter.setBrush(QColor(0xF2, 0xF2, 0xF2));
        painter.drawRoundedRect(QRectF(3.5, 1.5, 13, 17), 2, 2);
        painter.setBrush(QColor(0xC8, 0xE6, 0xC9));
        painter.drawRect(QRectF(5.5, 3.5, 9, 4));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x30, 0x30, 0x30));
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column)
                painter.drawRect(QRectF(5.5 + column * 3.3, 9.5 + row * 2.8, 2.2, 1.8));
        }
    });
}

QIcon settings()
{
    // Three sliders: the view, the colours and the counts of a graph.
    return drawn([](QPainter &painter) {
        painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.4, Qt::SolidLine, Qt::RoundCap));
        const qreal knobs[] = {6, 13, 9};
        for (int i = 0; i < 3; ++i) {
            const qreal y = 4.5 + i * 5.5;
            painter.drawLine(QPointF(2.5, y), QPointF(17.5, y));
        }
        painter.setBrush(QColor(0x1A, 0x5F, 0xB4));
        for (int i = 0; i < 3; ++i)
            painter.drawEllipse(QPointF(knobs[i], 4.5 + i * 5.5), 2.2, 2.2);
    });
}

QIcon help()
{
    // A white question mark on a blue disc: unlike a lifebuoy, it reads as help even at 16 pixels.
    return drawn([](QPainter &painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x1A, 0x5F, 0xB4));
        painter.drawEllipse(QPointF(10, 10), 9, 9);
        QPainterPath hook;
        hook.arcMoveTo(QRectF(6.8, 3.6, 6.4, 6.4), 160);
        hook.arcTo(QRectF(6.8, 3.6, 6.4, 6.4), 160, -250);
        hook.quadTo(QPointF(10, 10.6), QPointF(10, 12.2));
        painter.setPen(QPen(Qt::white, 2.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(hook);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(QPointF(10, 15.4), 1.35, 1.35);
    });
}

} // namespace ButtonIcons
