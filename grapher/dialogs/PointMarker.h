#pragma once
// The marker that the evaluate and extrema dialogs put on a graph: a black disc of 4 pixels'
// radius at a world point, optionally with a text beside it. It is drawn over the graph as it
// stands; the graph window's next redraw removes it.
#include <QString>

class GraphSurface;

class PointMarker {
public:
    static constexpr int Radius = 4;        // logical pixels
    static constexpr double TextGap = 4;    // logical pixels between the disc and the text

    // The disc at (x, y); with `label`, the text right of it (left of it near the right edge),
    // vertically centred on the point and kept inside the picture.
    static void draw(GraphSurface &surface, double x, double y, const QString &label = QString());
};
