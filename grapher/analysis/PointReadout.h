#pragma once
// The readouts of the point under the mouse: in the graph window x, f(x) and f'(x) rounded to
// the Decimals setting; in the full-screen window a tool tip with the pointer's coordinates.
#include <QString>

class FunctionProject;

struct PointValues {
    QString x;           // the x box
    QString value;       // the value box: f(x), or the error text
    QString derivative;  // the derivative box: f'(x), or the text saying f is not differentiable there
};

class PointReadout {
public:
    static constexpr int ToolTipDecimals = 6;

    // The three readouts for the abscissa x, numbers rounded to `decimals` places.
    static PointValues pointValues(const FunctionProject &f, double x, int decimals);
    // The same with the Decimals setting.
    static PointValues pointValues(const FunctionProject &f, double x);

    // The full-screen window's tool tip for the world point (x, y) under the pointer.
    static QString toolTipText(double x, double y);
};
