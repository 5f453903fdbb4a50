#pragma once
// Draws a project's graph into a GraphSurface: the world coordinate system with 10 % margins,
// the axes (dashed substitutes at the nearer edge when zero is out of view), the decimal grid,
// ticks and labels (kept inside the surface, on a halo of the ground's colour), the title, the
// curve, and the shaded area of an integral.
//
// A view that is not a proper rectangle (an end that is not finite, a zero or negative width
// or height) gets only the cleared surface: there is nothing sensible to draw in it.
#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>

class Expression;
class GraphSurface;
class FunctionProject;

class GraphRenderer {
public:
    // How many strokes shadeArea draws: the graph window draws every second one, the full-screen
    // window all of them.
    enum class ShadeStrokes { Half, All };

    static constexpr double Margin = 0.1;          // of each range, on each side
    static constexpr double TickFraction = 0.015;  // tick half-length, of the other axis's range
    static constexpr double TitleOffset = 0.085;   // title height above ymax, of the y range
    static constexpr int LabelDecimals = 4;
    // Where the curve leaves or enters the view between two samples it is found by bisection
    // on x; a crossing counts when the last inside value has come within this fraction of the
    // view's height of the edge.
    static constexpr int EdgeBisectionSteps = 8;
    static constexpr double EdgeApproach = 0.25;

    // The grid step for a range width w: 1/50, 1/20 or 1/10 of the power of ten c with
    // c/10 < w <= c, so that a view carries 4 to 10 grid intervals. 0 for a width that is not
    // a positive finite number.
    static double gridStep(double w);

    // Whether the project's view can be drawn (finite, a < b, ymin < ymax, finite margins).
    static bool viewIsDrawable(const FunctionProject &f);

    // Clears the surface, sets the coordinate system and draws axes, grid, ticks, labels and
    // the title.
    static void drawAxes(GraphSurface &surface, const FunctionProject &f);

    // drawAxes with the curve of f between the axes and the labels: graphPoints + 1 samples
    // from xMin to xMax. Where the curve leaves or enters [yMin, yMax] between two samples it is
    // drawn up to the edge; the pen is lifted where f is undefined, outside the view, or jumps
    // across it (a pole). Between two samples inside the view the curve is refined where it
    // bends (AdaptiveCurve).
    static void drawGraph(GraphSurface &surface, const FunctionProject &f);

    // The point where f crosses the edge of [ymin, ymax] between an inside sample and an
    // outside one (either may come first in x); false when f fails or jumps across the view.
    static bool edgeCrossing(const Expression &f, double xInside, double yInside, double xOutside, double yOutside,
                             double ymin, double ymax, QPointF &crossing);

    // Shades the area between the curve and the horizontal axis over [x1, x2] with vertical
    // strokes over the existing drawing. x1 and x2 are clamped to [a, b] in place.
    static void shadeArea(GraphSurface &surface, const FunctionProject &f, double &x1, double &x2,
                       ShadeStrokes strokes = ShadeStrokes::Half);

    // The text of an axis label for the value v (already rounded).
    static QString axisLabel(double v);

    // Height of the horizontal axis (or of the baseline of shadeArea): 0 when zero is in view,
    // otherwise the nearer edge; `dashed` tells whether it is such a substitute. The same rule
    // on a and b gives the vertical axis.
    static double axisPosition(double low, double high, bool &dashed);

    // The colours of the dashed curves of f' and f'' (the skins have none of their own).
    static QColor fPrimeColor();
    static QColor fSecondColor();

    static QFont labelFont();
    static QFont titleFont();

private:
    // The parts of a graph in the order they are drawn: the frame (cleared surface, scale,
    // grid, axes, ticks), the curve, then the labels and the title on top of both.
    static void drawFrame(GraphSurface &surface, const FunctionProject &f);
    static void drawCurve(GraphSurface &surface, const FunctionProject &f);
    static void drawLabels(GraphSurface &surface, const FunctionProject &f);
    // The dashed curves of f' and f'' the project shows, and the legend naming the curves.
    static void drawDerivatives(GraphSurface &surface, const FunctionProject &f);
    static void drawLegend(GraphSurface &surface, const FunctionProject &f);
};
