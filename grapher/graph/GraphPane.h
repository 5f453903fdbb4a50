#pragma once
// The graph of one project as a graph window shows it: the persistent drawing, the roots with
// their markers, and the operations that the window's controls and the main window's menus
// call. The window itself only forwards input here and shows the results.
//
// The full-screen kind draws the same graph without the background picture and without roots,
// and shades integrals with every stroke instead of every second one.
#include "GraphSurface.h"
#include "PointReadout.h"
#include "RootSearch.h"

#include <QSize>

class cFunctie;

class GraphPane {
public:
    enum class Kind { GraphWindow, FullScreen };

    explicit GraphPane(Kind kind = Kind::GraphWindow, const QSize &size = QSize(364, 364), qreal devicePixelRatio = 1.0);

    Kind kind() const { return m_kind; }
    // The project shown (not owned: the graph window owns it, the full-screen window shares it).
    void setProject(cFunctie *project) { m_project = project; }
    cFunctie *project() const { return m_project; }

    GraphSurface &surface() { return m_surface; }
    const GraphSurface &surface() const { return m_surface; }
    RootSearch &roots() { return m_roots; }
    const RootSearch &roots() const { return m_roots; }

    // A new size of the drawing (logical pixels and the screen's pixel ratio); redraws.
    void resize(const QSize &size, qreal devicePixelRatio);

    // Loading the window: the button's first caption, the graph, and the roots at once.
    void Load();

    // After every change of the view or the project. intervalChanged (a new x interval or step
    // count) empties the roots list; then the graph is redrawn and, while roots are listed,
    // the markers of the checked ones. The full-screen kind ignores the argument.
    void update(bool intervalChanged);

    void Cmd_Radacini_Click();
    void radacini(bool save = false);
    void SelectRoots(bool checked, bool invert);
    // The list's item-check event.
    void setRootChecked(int index, bool checked);
    void CopyRoots() const;

    // Shades the integral's area over [x1, x2]; the limits come back clamped to [a, b].
    void Filler(double &x1, double &x2);

    PointValues ShowPointValues(double x) const;

private:
    Kind m_kind;
    cFunctie *m_project = nullptr;
    GraphSurface m_surface;
    RootSearch m_roots;
};
