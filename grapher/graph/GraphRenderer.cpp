#include "graph/GraphRenderer.h"

#include "core/Expression.h"
#include "gui/Colors.h"
#include "graph/AdaptiveCurve.h"
#include "graph/GraphSurface.h"
#include "core/NumberFormat.h"
#include "project/FunctionProject.h"

#include <QGuiApplication>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace {

// A grid never has more lines than this; only rounding trouble at extreme values could ask
// for more, and then the surplus would be invisible anyway.
constexpr int MaxGridLines = 100;

// The grid values i*s for every integer i with low <= i*s <= high, as first value and count.
struct GridRange {
    double first = 0;
    double step = 0;
    int count = 0;
};

GridRange gridRange(double low, double high, double step)
{
    GridRange range;
    if (!(step > 0) || !std::isfinite(step))
        return range;
    double i0 = std::floor(low / step);
    if (i0 * step < low)
        i0 += 1;
    double i1 = std::floor(high / step);
    if (i1 * step > high)
        i1 -= 1;
    const double count = i1 - i0 + 1;
    if (!(count > 0))
        return range;
    range.first = i0 * step;
    range.step = step;
    range.count = static_cast<int>(std::min<double>(count, MaxGridLines));
    return range;
}

// The values of a grid range, accumulated from the first one.
QVector<double> gridValues(const GridRange &range)
{
    QVector<double> values;
    double value = range.first;
    for (int i = 0; i < range.count; ++i) {
        values.append(value);
        value += range.step;
    }
    return values;
}

double labelValue(double v) { return NumberFormat::roundHalfEven(v, GraphRenderer::LabelDecimals); }

} // namespace

double GraphRenderer::gridStep(double w)
{
    if (!(w > 0) || !std::isfinite(w))
        return 0;
    double c = 1;
    if (w >= 1) {
        while (w > c)
            c *= 10;
    } else {
        while (c / 10 >= w)
            c /= 10;
    }
    if (std::floor(50 * w / c) < 10)
        return c * 0.02;
    if (std::floor(20 * w / c) < 10)
        return c * 0.05;
    return c * 0.1;
}

bool GraphRenderer::viewIsDrawable(const FunctionProject &f)
{
    const double w = f.xMax() - f.xMin();
    const double h = f.yMax() - f.yMin();
    return w > 0 && h > 0 && std::isfinite(w) && std::isfinite(h) && std::isfinite(f.xMin() - Margin * w)
        && std::isfinite(f.xMax() + Margin * w) && std::isfinite(f.yMin() - Margin * h)
        && std::isfinite(f.yMax() + Margin * h);
}

double GraphRenderer::axisPosition(double low, double high, bool &dashed)
{
    if ((low <= 0) != (high <= 0)) {
        dashed = false;
        return 0;
    }
    dashed = true;
    return low > 0 ? low : high;
}

QString GraphRenderer::axisLabel(double v)
{
    const QString text = NumberFormat::generalText(v);
    return v >= 0 ? QLatin1Char(' ') + text : text;
}

QFont GraphRenderer::labelFont()
{
    QFont font({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}, 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont GraphRenderer::titleFont()
{
    // The size of the windows' own texts, so that the title reads like the rest of the window.
    QFont font({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}, 9);
    font.setStyleHint(QFont::SansSerif);
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        const QFont normal = QGuiApplication::font();
        if (normal.pointSizeF() > 0)
            font.setPointSizeF(normal.pointSizeF());
    }
    return font;
}

void GraphRenderer::drawAxes(GraphSurface &surface, const FunctionProject &f)
{
    drawFrame(surface, f);
    drawLabels(surface, f);
}

void GraphRenderer::drawFrame(GraphSurface &surface, const FunctionProject &f)
{
    surface.clear();
    if (!viewIsDrawable(f))
        return;
    const double a = f.xMin(), b = f.xMax(), ymin = f.yMin(), ymax = f.yMax();
    const double w = b - a, h = ymax - ymin;
    if (!surface.setScale(a - Margin * w, ymax + Margin * h, b + Margin * w, ymin - Margin * h))
        return;
    const QColor axisColor = ColorFromValue(f.axesColor());
    const QColor gridColor = ColorFromValue(f.gridColor());
    surface.setDrawWidth(1);

    // Each axis with its grid lines and ticks; the labels come after the curve.
    bool dashed = false;
    const double yA = axisPosition(ymin, ymax, dashed);
    const bool xDashed = dashed;
    const double xA = axisPosition(a, b, dashed);
    const bool yDashed = dashed;
    const QVector<double> xs = gridValues(gridRange(a, b, gridStep(w)));
    const QVector<double> ys = gridValues(gridRange(ymin, ymax, gridStep(h)));
    if (f.showGrid()) {
        QVector<QLineF> lines;
        for (double x : xs) {
            if (labelValue(x) != 0)
                lines.append(QLineF(x, ymin, x, ymax));
        }
        for (double y : ys) {
            if (labelValue(y) != 0)
                lines.append(QLineF(a, y, b, y));
        }
        surface.setDrawStyle(GraphSurface::PenStyle::Dot);
        surface.setForeColor(gridColor);
        surface.drawLines(lines);
    }
    surface.setForeColor(axisColor);
    surface.setDrawStyle(xDashed ? GraphSurface::PenStyle::Dash : GraphSurface::PenStyle::Solid);
    surface.drawLine(a, yA, b, yA);
    surface.setDrawStyle(yDashed ? GraphSurface::PenStyle::Dash : GraphSurface::PenStyle::Solid);
    surface.drawLine(xA, ymin, xA, ymax);

    surface.setDrawStyle(GraphSurface::PenStyle::Solid);
    QVector<QLineF> ticks;
    const double xTick = TickFraction * h;
    for (double x : xs) {
        if (labelValue(x) != 0)
            ticks.append(QLineF(x, yA - xTick, x, yA + xTick));
    }
    const double yTick = TickFraction * w;
    for (double y : ys) {
        if (labelValue(y) != 0)
            ticks.append(QLineF(xA - yTick, y, xA + yTick, y));
    }
    surface.drawLines(ticks);
}

void GraphRenderer::drawLabels(GraphSurface &surface, const FunctionProject &f)
{
    if (!surface.hasScale() || !viewIsDrawable(f))
        return;
    const double a = f.xMin(), b = f.xMax(), ymin = f.yMin(), ymax = f.yMax();
    const double w = b - a, h = ymax - ymin;
    // The surface's edges in world units; a label that would cross one goes to the axis's other
    // side, and at worst against the edge, so that it is never cut off.
    const double left = surface.scaleLeft(), right = surface.scaleRight();
    const double top = surface.scaleTop(), bottom = surface.scaleBottom();
    surface.setForeColor(Qt::black);
    surface.setFont(labelFont());
    // A halo of the ground's colour keeps the digits readable where the curve or a grid line
    // passes under them, and leaves the curve visible around them.
    surface.setTextHalo(surface.backColor());

    bool dashed = false;
    const double yA = axisPosition(ymin, ymax, dashed);
    double t = TickFraction * h;
    const double labelHeight = surface.textHeight(QStringLiteral("1"));
    for (double x : gridValues(gridRange(a, b, gridStep(w)))) {
        const double v = labelValue(x);
        if (v == 0)
            continue;
        const QString label = axisLabel(v);
        const double width = surface.textWidth(label);
        double labelTop = yA - t;   // below the axis
        if (labelTop - labelHeight < bottom)
            labelTop = yA + t + labelHeight;
        labelTop = std::min(std::max(labelTop, bottom + labelHeight), top);
        surface.setCurrentX(std::clamp(x - width / 2, left, std::max(left, right - width)));
        surface.setCurrentY(labelTop);
        surface.printText(label);
    }

    const double xA = axisPosition(a, b, dashed);
    t = TickFraction * w;
    const double halfHeight = labelHeight / 2;
    const double gap = t + surface.textWidth(QStringLiteral("1"));
    for (double y : gridValues(gridRange(ymin, ymax, gridStep(h)))) {
        const double v = labelValue(y);
        if (v == 0)
            continue;
        const QString label = axisLabel(v);
        const double width = surface.textWidth(label);
        double labelLeft = xA + gap;   // right of the axis
        if (labelLeft + width > right)
            labelLeft = xA - gap - width;
        surface.setCurrentX(std::clamp(labelLeft, left, std::max(left, right - width)));
        surface.setCurrentY(y + halfHeight);
        surface.printText(label);
    }

    // The title sits in the top margin, in the window's font size.
    surface.setCurrentX(a);
    surface.setCurrentY(ymax + TitleOffset * h);
    surface.setFont(titleFont());
    surface.printText(f.title());
    surface.setFont(labelFont());
    surface.setTextHalo(QColor());
}

bool GraphRenderer::edgeCrossing(const Expression &f, double xInside, double yInside, double xOutside,
                                 double yOutside, double ymin, double ymax, QPointF &crossing)
{
    const bool above = yOutside > ymax;
    const double edge = above ? ymax : ymin;
    const auto outsideSameSide = [&](double y) { return above ? y > ymax : y < ymin; };
    double xi = xInside, yi = yInside, xo = xOutside, yo = yOutside;
    for (int step = 0; step < EdgeBisectionSteps; ++step) {
        const double xm = (xi + xo) / 2;
        qint32 error = 0;
        const double ym = f.evaluate(xm, error);
        if (error != 0 || std::isnan(ym))
            return false;
        if (ym <= ymax && ym >= ymin) {
            xi = xm;
            yi = ym;
        } else if (outsideSameSide(ym)) {
            xo = xm;
            yo = ym;
        } else {
            return false;   // out on the other side: the values jump across the view
        }
    }
    // A curve that really meets the edge has come close to it by now; one whose last inside
    // value is still far away jumps there (a pole between the samples).
    if (std::fabs(edge - yi) > EdgeApproach * (ymax - ymin))
        return false;
    const double t = std::isfinite(yo) && yo != yi ? (edge - yi) / (yo - yi) : 1;
    crossing = QPointF(xi + t * (xo - xi), edge);
    return true;
}

void GraphRenderer::drawGraph(GraphSurface &surface, const FunctionProject &f)
{
    drawFrame(surface, f);
    drawCurve(surface, f);
    drawDerivatives(surface, f);
    drawLabels(surface, f);
    drawLegend(surface, f);
}

void GraphRenderer::drawCurve(GraphSurface &surface, const FunctionProject &f)
{
    if (!surface.hasScale() || !viewIsDrawable(f) || f.f().isNull() || f.graphPoints() <= 0)
        return;
    const double ymin = f.yMin(), ymax = f.yMax();
    const double d = (f.xMax() - f.xMin()) / f.graphPoints();
    double x = f.xMin() - d;
    // The previous sample: where it was and whether it was defined and inside the view.
    bool previousDefined = false, previousInside = false;
    QPointF previous;
    QVector<QLineF> segments;
    segments.reserve(std::min<qint32>(f.graphPoints(), 100000));
    AdaptiveCurve adaptive(f.f(), surface, ymin, ymax);
    for (qint32 i = 0; i <= f.graphPoints(); ++i) {
        x += d;
        qint32 error = 0;
        const double y = f.f().evaluate(x, error);
        const bool defined = error == 0 && !std::isnan(y);
        const bool inside = defined && y <= ymax && y >= ymin;
        const QPointF point(x, y);
        QPointF crossing;
        if (inside && previousInside) {
            adaptive.append(previous, point, segments);
        } else if (inside && previousDefined) {
            // Coming in over an edge: draw from the edge where the curve enters.
            if (edgeCrossing(f.f(), x, y, previous.x(), previous.y(), ymin, ymax, crossing))
                segments.append(QLineF(crossing, point));
        } else if (defined && previousInside) {
            // Leaving over an edge: draw up to it.
            if (edgeCrossing(f.f(), previous.x(), previous.y(), x, y, ymin, ymax, crossing))
                segments.append(QLineF(previous, crossing));
        }
        previous = point;
        previousDefined = defined;
        previousInside = inside;
    }
    surface.setForeColor(ColorFromValue(f.graphColor()));
    surface.setDrawStyle(GraphSurface::PenStyle::Solid);
    surface.drawLines(segments);
}

void GraphRenderer::shadeArea(GraphSurface &surface, const FunctionProject &f, double &x1, double &x2, ShadeStrokes strokes)
{
    x1 = std::max(x1, f.xMin());
    x2 = std::min(x2, f.xMax());
    if (!surface.hasScale() || !viewIsDrawable(f) || f.f().isNull())
        return;
    const double span = x2 - x1;
    double n = std::floor(f.graphPoints() * span / (f.xMax() - f.xMin()));
    if (strokes == ShadeStrokes::Half)
        n = std::trunc(n / 2);
    if (!(n > 0))
        return;
    const double dx = span / n;
    bool dashed = false;
    const double yb = axisPosition(f.yMin(), f.yMax(), dashed);
    QVector<QLineF> lines;
    double x = x1;
    for (qint64 k = 0; k < static_cast<qint64>(n); ++k) {
        qint32 error = 0;
        const double y = f.f().evaluate(x, error);
        if (error == 0 && !std::isnan(y))
            lines.append(QLineF(x, yb, x, std::clamp(y, f.yMin(), f.yMax())));
        x += dx;
    }
    // The shading takes the curve's colour value doubled (red, 255, gives 510); a system colour
    // has no such double and is used as it is.
    const qint32 color = f.graphColor();
    const QColor fill = color < 0 ? ColorFromValue(color)
                                  : ColorFromValue(static_cast<qint32>((static_cast<qint64>(color) * 2) & 0xFFFFFF));
    surface.setForeColor(fill);
    surface.setDrawStyle(GraphSurface::PenStyle::Solid);
    surface.setDrawWidth(2);
    surface.drawLines(lines);
    surface.setDrawWidth(1);
}

QColor GraphRenderer::fPrimeColor() { return QColor(0, 96, 224); }
QColor GraphRenderer::fSecondColor() { return QColor(0, 150, 60); }

void GraphRenderer::drawDerivatives(GraphSurface &surface, const FunctionProject &f)
{
    if (!surface.hasScale() || !viewIsDrawable(f) || f.graphPoints() <= 0)
        return;
    const double ymin = f.yMin(), ymax = f.yMax();
    const double d = (f.xMax() - f.xMin()) / f.graphPoints();
    const std::pair<const Expression *, QColor> curves[] = {
        {f.showFPrime() ? &f.fPrime() : nullptr, fPrimeColor()},
        {f.showFSecond() ? &f.fSecond() : nullptr, fSecondColor()}};
    for (const auto &[expression, color] : curves) {
        if (!expression || expression->isNull())
            continue;
        // Sampled like f's curve: drawn up to the edges, lifted where the values leave the view.
        QVector<QLineF> segments;
        bool previousDefined = false, previousInside = false;
        QPointF previous;
        for (qint32 i = 0; i <= f.graphPoints(); ++i) {
            const double x = i == f.graphPoints() ? f.xMax() : f.xMin() + i * d;
            qint32 error = 0;
            const double y = expression->evaluate(x, error);
            const bool defined = error == 0 && !std::isnan(y);
            const bool inside = defined && y <= ymax && y >= ymin;
            const QPointF point(x, y);
            QPointF crossing;
            if (inside && previousInside)
                segments.append(QLineF(previous, point));
            else if (inside && previousDefined
                     && edgeCrossing(*expression, x, y, previous.x(), previous.y(), ymin, ymax, crossing))
                segments.append(QLineF(crossing, point));
            else if (defined && previousInside
                     && edgeCrossing(*expression, previous.x(), previous.y(), x, y, ymin, ymax, crossing))
                segments.append(QLineF(previous, crossing));
            previous = point;
            previousDefined = defined;
            previousInside = inside;
        }
        surface.setForeColor(color);
        surface.setDrawStyle(GraphSurface::PenStyle::Dash);
        surface.drawLines(segments);
    }
    surface.setDrawStyle(GraphSurface::PenStyle::Solid);
}

void GraphRenderer::drawLegend(GraphSurface &surface, const FunctionProject &f)
{
    if (!surface.hasScale() || !viewIsDrawable(f) || !(f.showFPrime() || f.showFSecond()))
        return;
    struct Entry {
        QString name;
        QColor color;
        GraphSurface::PenStyle style;
    };
    QVector<Entry> entries{{QStringLiteral("f"), ColorFromValue(f.graphColor()), GraphSurface::PenStyle::Solid}};
    if (f.showFPrime())
        entries.append({QStringLiteral("f\u2032"), fPrimeColor(), GraphSurface::PenStyle::Dash});
    if (f.showFSecond())
        entries.append({QStringLiteral("f\u2033"), fSecondColor(), GraphSurface::PenStyle::Dash});
    surface.setFont(labelFont());
    surface.setTextHalo(surface.backColor());
    // Rows from the top-right corner down: a short stroke of the curve's pen, then its name.
    const double lineHeight = surface.textHeight(QStringLiteral("f\u2033")) * 1.2;
    const double nameWidth = surface.textWidth(QStringLiteral("f\u2033"));
    const double stroke = surface.worldWidth(24);
    const double gap = surface.worldWidth(4);
    const double right = surface.scaleRight() - surface.worldWidth(6);
    double top = surface.scaleTop() - surface.worldHeight(4);
    const double strokeLeft = right - nameWidth - gap - stroke;
    for (const Entry &entry : entries) {
        const double middle = top - lineHeight / 2;
        surface.setForeColor(entry.color);
        surface.setDrawStyle(entry.style);
        surface.drawLine(strokeLeft, middle, strokeLeft + stroke, middle);
        surface.setForeColor(Qt::black);
        surface.setCurrentX(right - nameWidth);
        surface.setCurrentY(top);
        surface.printText(entry.name);
        top -= lineHeight;
    }
    surface.setDrawStyle(GraphSurface::PenStyle::Solid);
    surface.setTextHalo(QColor());
}
