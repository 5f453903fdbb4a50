#pragma once
// The graph of one project as a graph window shows it: the persistent drawing, the roots with
// their markers, and the operations that the window's controls and the main window's menus
// call. The window itself only forwards input here and shows the results.
//
// The full-screen kind draws the same graph without the background picture and without roots,
// and shades integrals with every stroke instead of every second one.
#include "graph/GraphSurface.h"
#include "analysis/PointReadout.h"
#include "graph/RootList.h"

#include <QSize>

class FunctionProject;

class GraphPane {
public:
    enum class Kind { GraphWindow, FullScreen };

    explicit GraphPane(Kind kind = Kind::GraphWindow, const QSize &size = QSize(364, 364), qreal devicePixelRatio = 1.0);

    Kind kind() const { return m_kind; }
    // The project shown (not owned: the graph window owns it, the full-screen window shares it).
    void setProject(FunctionProject *project) { m_project = project; }
    FunctionProject *project() const { return m_project; }

    GraphSurface &surface() { return m_surface; }
    const GraphSurface &surface() const { return m_surface; }
    RootList &roots() { return m_roots; }
    const RootList &roots() const { return m_roots; }

    // A new size of the drawing (logical pixels and the screen's pixel ratio); redraws. The
    // background picture follows the size and, at every redraw, the general options' switch.
    void resize(const QSize &size, qreal devicePixelRatio);

    // Loading the window: the button's first caption, the graph, and the roots at once. A
    // window that runs the scan itself in slices (RootList::beginScan) loads without it.
    void load(bool scanRoots = true);

    // After every change of the view or the project. intervalChanged (a new x interval or step
    // count) empties the roots list; then the graph is redrawn and, while roots are listed,
    // the markers of the checked ones. The full-screen kind ignores the argument.
    void refresh(bool intervalChanged);

    void rootsButtonClicked();
    void findOrSaveRoots(bool save = false);
    void selectRoots(bool checked, bool invert);
    // The list's item-check event.
    void setRootChecked(int index, bool checked);
    void copyRoots() const;

    // Shades the integral's area over [x1, x2]; the limits come back clamped to [a, b].
    void shadeArea(double &x1, double &x2);

    PointValues pointValues(double x) const;

private:
    // The background picture as the graph window shows it: at the surface's size while the
    // general options want it, none otherwise (and never on the full screen).
    void matchBackground();

    Kind m_kind;
    FunctionProject *m_project = nullptr;
    GraphSurface m_surface;
    RootList m_roots;
};
