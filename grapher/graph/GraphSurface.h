#pragma once
// A picture with a world coordinate system: the graph is drawn into a persistent image that
// keeps its content between repaints, so markers drawn with XOR can be toggled on it.
//
// Sizes are logical pixels; the image itself has devicePixelRatio times as many pixels, so the
// graph stays crisp on high-density screens. World coordinates are those of the function: the
// left edge of the surface is `left`, the right edge `right`, the top edge `top` and the
// bottom edge `bottom` (y grows upwards when top > bottom). Lines are drawn without
// anti-aliasing, clipped to the surface before they reach the painter, and skipped when an end
// is not a number, so no coordinate, however wild, can stall or crash the drawing.
//
// For vector output (SVG, PDF, a printer) the same drawing can go to a painter instead of the
// image: see setVectorPainter.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPen>
#include <QPointF>
#include <QSize>
#include <QVector>

class QPainter;

class GraphSurface {
public:
    enum class PenStyle { Solid, Dash, Dot };

    explicit GraphSurface(const QSize &size = QSize(364, 364), qreal devicePixelRatio = 1.0);

    // A new size; the drawing is lost (the caller redraws).
    void resize(const QSize &size, qreal devicePixelRatio = 1.0);
    QSize size() const { return m_size; }
    qreal devicePixelRatio() const { return m_ratio; }
    const QImage &image() const { return m_image; }

    // The picture at the top-left corner that clearing leaves in place; a null image for none.
    void setBackgroundPicture(const QImage &picture) { m_background = picture; }
    const QImage &backgroundPicture() const { return m_background; }
    void setBackColor(const QColor &color) { m_backColor = color; }
    QColor backColor() const { return m_backColor; }
    // Clears the drawing down to the back colour and the background picture.
    void clear();

    // The coordinate system: world values of the four edges. Refused (and the surface left
    // without one) unless all four are finite and each pair differs.
    bool setScale(double left, double top, double right, double bottom);
    bool hasScale() const { return m_hasScale; }
    double scaleLeft() const { return m_left; }
    double scaleTop() const { return m_top; }
    double scaleRight() const { return m_right; }
    double scaleBottom() const { return m_bottom; }

    // Conversions between world coordinates and logical pixels.
    QPointF toPixel(double x, double y) const;
    double worldX(double pixelX) const;
    double worldY(double pixelY) const;
    // A length in logical pixels as a (positive) length in world units of each axis.
    double worldWidth(double pixels) const;
    double worldHeight(double pixels) const;

    // Drawing state: pen colour, style and width in logical pixels; the font of the texts.
    void setForeColor(const QColor &color) { m_foreColor = color; }
    QColor foreColor() const { return m_foreColor; }
    void setDrawStyle(PenStyle style) { m_style = style; }
    void setDrawWidth(int pixels) { m_width = pixels; }
    void setFont(const QFont &font) { m_font = font; }
    QFont font() const { return m_font; }

    // A line between two world points in the current pen.
    void drawLine(double x1, double y1, double x2, double y2);
    // Many lines (world coordinates) in the current pen, in one pass.
    void drawLines(const QVector<QLineF> &lines);

    // The text cursor: Print writes a text with its top-left corner at the cursor.
    void setCurrentX(double x) { m_currentX = x; }
    void setCurrentY(double y) { m_currentY = y; }
    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }
    void printText(const QString &text);
    // A halo of this colour around the glyphs of the texts printed from now on, so that they
    // stay readable over lines; an invalid colour for none.
    void setTextHalo(const QColor &color) { m_textHalo = color; }
    // Width and height of a text in the current font, in world units (both positive).
    double textWidth(const QString &text) const;
    double textHeight(const QString &text) const;

    // Vector output: while a painter is set, clearing, lines and texts go to it instead of the
    // image, in the logical pixels of this surface, and texts keep the size they have on the
    // image whatever the painter's device resolution. The painter must be active and outlive its
    // use; nullptr sends the drawing back to the image, which is left untouched meanwhile.
    void setVectorPainter(QPainter *painter) { m_vectorPainter = painter; }
    QPainter *vectorPainter() const { return m_vectorPainter; }

    // A disc of `radius` logical pixels filled with `color`, centred on the world point (x, y):
    // the root markers of vector output, where there is no XOR.
    void fillDisc(double x, double y, double radius, const QColor &color);

    // XORs a disc of `radius` logical pixels centred on the world point (x, y) with `bits`
    // (0xRRGGBB). Drawing the same disc twice restores every pixel exactly. Only the image has
    // XOR: with a vector painter set nothing is drawn.
    void xorDisc(double x, double y, double radius, QRgb bits);

private:
    QPen pen() const;
    // Runs `draw` with a painter on the vector painter or, without one, on the image.
    template <typename Draw> void paint(Draw draw);
    // The font as the painter must be given it so that texts come out as on the image.
    QFont paintedFont(const QPainter &painter) const;
    bool clipToSurface(QPointF &p1, QPointF &p2) const;

    QSize m_size;
    qreal m_ratio = 1.0;
    QImage m_image;
    QImage m_background;
    QColor m_backColor = Qt::white;
    bool m_hasScale = false;
    double m_left = 0, m_top = 0, m_right = 1, m_bottom = 1;
    QColor m_foreColor = Qt::black;
    PenStyle m_style = PenStyle::Solid;
    int m_width = 1;
    QFont m_font;
    QColor m_textHalo;
    double m_currentX = 0, m_currentY = 0;
    QPainter *m_vectorPainter = nullptr;
};
