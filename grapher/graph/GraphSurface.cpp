#include "graph/GraphSurface.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

// Fonts are given in points; the surface counts 96 logical pixels to the inch like a screen.
constexpr int DotsPerMeter = 3780;

// How far beyond the edges a clipped line may still reach (room for wide pens and dashes).
constexpr double ClipMargin = 8.0;

bool finitePoint(const QPointF &p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

} // namespace

GraphSurface::GraphSurface(const QSize &size, qreal devicePixelRatio)
{
    m_font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setPointSizeF(8);
    resize(size, devicePixelRatio);
}

void GraphSurface::resize(const QSize &size, qreal devicePixelRatio)
{
    m_size = size.expandedTo(QSize(1, 1));
    m_ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    m_image = QImage(m_size * m_ratio, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(m_ratio);
    m_image.setDotsPerMeterX(DotsPerMeter);
    m_image.setDotsPerMeterY(DotsPerMeter);
    clear();
}

template <typename Draw> void GraphSurface::paint(Draw draw)
{
    if (m_vectorPainter) {
        m_vectorPainter->save();
        draw(*m_vectorPainter);
        m_vectorPainter->restore();
        return;
    }
    QPainter painter(&m_image);
    draw(painter);
}

QFont GraphSurface::paintedFont(const QPainter &painter) const
{
    // A painter turns points into pixels at its device's resolution; the layout was measured on
    // the image, so the size is rescaled to give the image's pixels in the painter's units.
    QFont font = m_font;
    const QPaintDevice *device = painter.device();
    if (!m_vectorPainter)
        return font;
    if (device && device->logicalDpiY() > 0 && font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * m_image.logicalDpiY() / device->logicalDpiY());
    // A vector file names one family: the one the texts were measured with.
    font.setFamilies({QFontInfo(m_font).family()});
    return font;
}

void GraphSurface::clear()
{
    if (!m_vectorPainter)
        m_image.fill(m_backColor);
    paint([this](QPainter &painter) {
        if (m_vectorPainter)
            painter.fillRect(QRectF(QPointF(0, 0), QSizeF(m_size)), m_backColor);
        if (!m_background.isNull())
            painter.drawImage(QPointF(0, 0), m_background);
    });
}

bool GraphSurface::setScale(double left, double top, double right, double bottom)
{
    const double width = right - left;
    const double height = top - bottom;
    m_hasScale = std::isfinite(width) && std::isfinite(height) && width != 0 && height != 0;
    if (m_hasScale) {
        m_left = left;
        m_top = top;
        m_right = right;
        m_bottom = bottom;
    }
    return m_hasScale;
}

QPointF GraphSurface::toPixel(double x, double y) const
{
    return QPointF((x - m_left) / (m_right - m_left) * m_size.width(),
                   (y - m_top) / (m_bottom - m_top) * m_size.height());
}

double GraphSurface::worldX(double pixelX) const
{
    return m_left + pixelX / m_size.width() * (m_right - m_left);
}

double GraphSurface::worldY(double pixelY) const
{
    return m_top + pixelY / m_size.height() * (m_bottom - m_top);
}

double GraphSurface::worldWidth(double pixels) const
{
    return std::fabs(pixels / m_size.width() * (m_right - m_left));
}

double GraphSurface::worldHeight(double pixels) const
{
    return std::fabs(pixels / m_size.height() * (m_bottom - m_top));
}

QPen GraphSurface::pen() const
{
    QPen pen(m_foreColor);
    pen.setWidthF(std::max(1, m_width));
    pen.setCapStyle(Qt::FlatCap);
    switch (m_style) {
    case PenStyle::Solid:
        pen.setStyle(Qt::SolidLine);
        break;
    case PenStyle::Dash:
        pen.setStyle(Qt::DashLine);
        break;
    case PenStyle::Dot:
        pen.setStyle(Qt::DotLine);
        break;
    }
    return pen;
}

// Liang-Barsky clipping against the surface and a small margin; false when nothing is left.
bool GraphSurface::clipToSurface(QPointF &p1, QPointF &p2) const
{
    if (!finitePoint(p1) || !finitePoint(p2))
        return false;
    const double xmin = -ClipMargin, ymin = -ClipMargin;
    const double xmax = m_size.width() + ClipMargin, ymax = m_size.height() + ClipMargin;
    const double dx = p2.x() - p1.x(), dy = p2.y() - p1.y();
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {p1.x() - xmin, xmax - p1.x(), p1.y() - ymin, ymax - p1.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = p1;
    if (t1 < 1)
        p2 = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    if (t0 > 0)
        p1 = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    return true;
}

void GraphSurface::drawLine(double x1, double y1, double x2, double y2)
{
    drawLines({QLineF(x1, y1, x2, y2)});
}

void GraphSurface::drawLines(const QVector<QLineF> &lines)
{
    if (!m_hasScale || lines.isEmpty())
        return;
    QVector<QLineF> pixels;
    pixels.reserve(lines.size());
    for (const QLineF &line : lines) {
        QPointF p1 = toPixel(line.x1(), line.y1());
        QPointF p2 = toPixel(line.x2(), line.y2());
        if (clipToSurface(p1, p2))
            pixels.append(QLineF(p1, p2));
    }
    if (pixels.isEmpty())
        return;
    paint([this, &pixels](QPainter &painter) {
        painter.setPen(pen());
        if (!m_vectorPainter && m_style == PenStyle::Solid) {
            painter.drawLines(pixels);
            return;
        }
        // In vector output, and for dashes anywhere, segments that continue one another become
        // one polyline: a curve is then one path with proper joins, and a dash pattern runs
        // along it instead of starting again in every segment (which shows as a solid line when
        // the segments are shorter than a dash).
        QPolygonF polyline;
        for (const QLineF &line : pixels) {
            if (!polyline.isEmpty() && polyline.constLast() != line.p1()) {
                painter.drawPolyline(polyline);
                polyline.clear();
            }
            if (polyline.isEmpty())
                polyline.append(line.p1());
            polyline.append(line.p2());
        }
        painter.drawPolyline(polyline);
    });
}

void GraphSurface::printText(const QString &text)
{
    if (!m_hasScale || text.isEmpty())
        return;
    const QPointF at = toPixel(m_currentX, m_currentY);
    if (!finitePoint(at) || std::fabs(at.x()) > 1e6 || std::fabs(at.y()) > 1e6)
        return;
    const double ascent = QFontMetricsF(m_font, &m_image).ascent();
    paint([&](QPainter &painter) {
        const QFont font = paintedFont(painter);
        const QPointF baseline(at.x(), at.y() + ascent);
        if (m_textHalo.isValid()) {
            // The text in the halo's colour, shifted a pixel each way, under the text itself;
            // without anti-aliasing, so that the halo adds no blended colours of its own.
            QFont solid = font;
            solid.setStyleStrategy(QFont::NoAntialias);
            painter.setFont(solid);
            painter.setPen(m_textHalo);
            for (int dx = -1; dx <= 1; ++dx) {
                for (int dy = -1; dy <= 1; ++dy) {
                    if (dx != 0 || dy != 0)
                        painter.drawText(baseline + QPointF(dx, dy), text);
                }
            }
        }
        painter.setFont(font);
        painter.setPen(m_foreColor);
        painter.drawText(baseline, text);
    });
}

double GraphSurface::textWidth(const QString &text) const
{
    return worldWidth(QFontMetricsF(m_font, &m_image).horizontalAdvance(text));
}

double GraphSurface::textHeight(const QString &) const
{
    return worldHeight(QFontMetricsF(m_font, &m_image).height());
}

void GraphSurface::fillDisc(double x, double y, double radius, const QColor &color)
{
    if (!m_hasScale || !(radius > 0))
        return;
    const QPointF centre = toPixel(x, y);
    if (!finitePoint(centre) || centre.x() + radius < 0 || centre.y() + radius < 0
        || centre.x() - radius > m_size.width() || centre.y() - radius > m_size.height())
        return;
    paint([&](QPainter &painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(centre, radius, radius);
    });
}

void GraphSurface::xorDisc(double x, double y, double radius, QRgb bits)
{
    if (!m_hasScale || m_vectorPainter)
        return;
    const QPointF centre = toPixel(x, y) * m_ratio;
    const double r = radius * m_ratio;
    if (!finitePoint(centre) || !(r > 0))
        return;
    if (centre.x() + r < 0 || centre.y() + r < 0 || centre.x() - r > m_image.width() || centre.y() - r > m_image.height())
        return;
    const int x0 = static_cast<int>(std::max(0.0, std::floor(centre.x() - r)));
    const int x1 = static_cast<int>(std::min<double>(m_image.width() - 1, std::ceil(centre.x() + r)));
    const int y0 = static_cast<int>(std::max(0.0, std::floor(centre.y() - r)));
    const int y1 = static_cast<int>(std::min<double>(m_image.height() - 1, std::ceil(centre.y() + r)));
    const QRgb mask = bits & 0x00FFFFFFu;
    for (int row = y0; row <= y1; ++row) {
        QRgb *line = reinterpret_cast<QRgb *>(m_image.scanLine(row));
        const double dy = row + 0.5 - centre.y();
        for (int column = x0; column <= x1; ++column) {
            const double dx = column + 0.5 - centre.x();
            if (dx * dx + dy * dy <= r * r)
                line[column] ^= mask;
        }
    }
}
