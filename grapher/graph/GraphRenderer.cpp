#include "GraphRenderer.h"

#include "Colors.h"
#include "EngineBinding.h"
#include "GraphSurface.h"
#include "NumberText.h"
#include "cFunctie.h"

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

double labelValue(double v) { return NumberText::roundHalfEven(v, GraphRenderer::LabelDecimals); }

} // namespace

double GraphRenderer::GridStep(double w)
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

bool GraphRenderer::ViewIsDrawable(const cFunctie &f)
{
    const double w = f.b() - f.a();
    const double h = f.ymax() - f.ymin();
    return w > 0 && h > 0 && std::isfinite(w) && std::isfinite(h) && std::isfinite(f.a() - Margin * w)
        && std::isfinite(f.b() + Margin * w) && std::isfinite(f.ymin() - Margin * h)
        && std::isfinite(f.ymax() + Margin * h);
}

double GraphRenderer::AxisPosition(double low, double high, bool &dashed)
{
    if ((low <= 0) != (high <= 0)) {
        dashed = false;
        return 0;
    }
    dashed = true;
    return low > 0 ? low : high;
}

QString GraphRenderer::AxisLabel(double v)
{
    const QString text = NumberText::generalText(v);
    return v >= 0 ? QLatin1Char(' ') + text : text;
}

QFont GraphRenderer::LabelFont()
{
    QFont font({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}, 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont GraphRenderer::TitleFont()
{
    QFont font({QStringLiteral("Small Fonts"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}, 7);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

void GraphRenderer::DrawAxes(GraphSurface &surface, const cFunctie &f)
{
    surface.Cls();
    if (!ViewIsDrawable(f))
        return;
    const double a = f.a(), b = f.b(), ymin = f.ymin(), ymax = f.ymax();
    const double w = b - a, h = ymax - ymin;
    if (!surface.setScale(a - Margin * w, ymax + Margin * h, b + Margin * w, ymin - Margin * h))
        return;
    const QColor black(Qt::black);
    const QColor axisColor = ColorFromValue(f.coloraxe());
    const QColor gridColor = ColorFromValue(f.colorgrid());
    surface.setForeColor(black);
    surface.setDrawWidth(1);
    surface.setFont(LabelFont());

    // Horizontal axis, then the x grid with its ticks and labels.
    bool dashed = false;
    const double yA = AxisPosition(ymin, ymax, dashed);
    surface.setDrawStyle(dashed ? GraphSurface::PenStyle::Dash : GraphSurface::PenStyle::Solid);
    surface.setForeColor(axisColor);
    surface.Line(a, yA, b, yA);

    const QVector<double> xs = gridValues(gridRange(a, b, GridStep(w)));
    double t = TickFraction * h;
    if (f.showgrid()) {
        QVector<QLineF> lines;
        for (double x : xs) {
            if (labelValue(x) != 0)
                lines.append(QLineF(x, ymin, x, ymax));
        }
        surface.setDrawStyle(GraphSurface::PenStyle::Dot);
        surface.setForeColor(gridColor);
        surface.Lines(lines);
    }
    surface.setDrawStyle(GraphSurface::PenStyle::Solid);
    for (double x : xs) {
        const double v = labelValue(x);
        if (v == 0)
            continue;
        surface.setForeColor(axisColor);
        surface.Line(x, yA - t, x, yA + t);
        const QString label = AxisLabel(v);
        surface.setForeColor(black);
        surface.setCurrentX(x - surface.TextWidth(label) / 2);
        surface.setCurrentY(yA - t);
        surface.Print(label);
    }

    // Vertical axis, then the y grid.
    const double xA = AxisPosition(a, b, dashed);
    surface.setDrawStyle(dashed ? GraphSurface::PenStyle::Dash : GraphSurface::PenStyle::Solid);
    surface.setForeColor(axisColor);
    surface.Line(xA, ymin, xA, ymax);

    const QVector<double> ys = gridValues(gridRange(ymin, ymax, GridStep(h)));
    t = TickFraction * w;
    const double hh = surface.TextHeight(QStringLiteral("1")) / 2;
    const double lx = xA + t + surface.TextWidth(QStringLiteral("1"));
    if (f.showgrid()) {
        QVector<QLineF> lines;
        for (double y : ys) {
            if (labelValue(y) != 0)
                lines.append(QLineF(a, y, b, y));
        }
        surface.setDrawStyle(GraphSurface::PenStyle::Dot);
        surface.setForeColor(gridColor);
        surface.Lines(lines);
    }
    surface.setDrawStyle(GraphSurface::PenStyle::Solid);
    for (double y : ys) {
        const double v = labelValue(y);
        if (v == 0)
            continue;
        surface.setForeColor(axisColor);
        surface.Line(xA - t, y, xA + t, y);
        surface.setForeColor(black);
        surface.setCurrentX(lx);
        surface.setCurrentY(y + hh);
        surface.Print(AxisLabel(v));
    }

    // The title sits in the top margin, in its own small font.
    surface.setForeColor(black);
    surface.setCurrentX(a);
    surface.setCurrentY(ymax + TitleOffset * h);
    surface.setFont(TitleFont());
    surface.Print(f.title());
    surface.setFont(LabelFont());
}

void GraphRenderer::DrawGraph(GraphSurface &surface, const cFunctie &f)
{
    DrawAxes(surface, f);
    if (!surface.hasScale() || !ViewIsDrawable(f) || f.nume() == 0 || f.prec() <= 0)
        return;
    const trev::EngineApi &engine = trev::engine();
    const double ymin = f.ymin(), ymax = f.ymax();
    const double d = (f.b() - f.a()) / f.prec();
    double x = f.a() - d;
    bool penDown = false;
    QPointF current;
    QVector<QLineF> segments;
    segments.reserve(std::min<qint32>(f.prec(), 100000));
    for (qint32 i = 0; i <= f.prec(); ++i) {
        x += d;
        qint32 error = 0;
        const double y = engine.EvalTree(f.nume(), x, &error);
        if (error != 0 || !(y <= ymax && y >= ymin)) {
            penDown = false;
            continue;
        }
        const QPointF point(x, y);
        if (penDown)
            segments.append(QLineF(current, point));
        current = point;
        penDown = true;
    }
    surface.setForeColor(ColorFromValue(f.colorgrafic()));
    surface.setDrawStyle(GraphSurface::PenStyle::Solid);
    surface.Lines(segments);
}

void GraphRenderer::Filler(GraphSurface &surface, const cFunctie &f, double &x1, double &x2, FillerStrokes strokes)
{
    x1 = std::max(x1, f.a());
    x2 = std::min(x2, f.b());
    if (!surface.hasScale() || !ViewIsDrawable(f) || f.nume() == 0)
        return;
    const double span = x2 - x1;
    double n = std::floor(f.prec() * span / (f.b() - f.a()));
    if (strokes == FillerStrokes::Half)
        n = std::trunc(n / 2);
    if (!(n > 0))
        return;
    const double dx = span / n;
    bool dashed = false;
    const double yb = AxisPosition(f.ymin(), f.ymax(), dashed);
    const trev::EngineApi &engine = trev::engine();
    QVector<QLineF> lines;
    double x = x1;
    for (qint64 k = 0; k < static_cast<qint64>(n); ++k) {
        qint32 error = 0;
        const double y = engine.EvalTree(f.nume(), x, &error);
        if (error == 0 && !std::isnan(y))
            lines.append(QLineF(x, yb, x, std::clamp(y, f.ymin(), f.ymax())));
        x += dx;
    }
    // The shading takes the curve's colour value doubled (red, 255, gives 510); a system colour
    // has no such double and is used as it is.
    const qint32 color = f.colorgrafic();
    const QColor fill = color < 0 ? ColorFromValue(color)
                                  : ColorFromValue(static_cast<qint32>((static_cast<qint64>(color) * 2) & 0xFFFFFF));
    surface.setForeColor(fill);
    surface.setDrawStyle(GraphSurface::PenStyle::Solid);
    surface.setDrawWidth(2);
    surface.Lines(lines);
    surface.setDrawWidth(1);
}
