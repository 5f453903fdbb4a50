#pragma once
// One function project: the equation f(x) = 0 with its parameters, the expressions f, f' and
// f'', the x interval [xMin, xMax] (root search and graph), the vertical view [yMin, yMax], the
// sampling densities, colours, grid switch, title and the file it belongs to.
//
// The project owns its three expressions; they are released, f'' first, when the project is
// destroyed or releaseExpressions is called. Copies for dialogs take only the view and the
// presentation (copyViewFrom), so the class itself cannot be copied.
#include "core/Expression.h"
#include "project/ParameterSlider.h"

#include <QMap>

#include <QString>
#include <QtGlobal>

// Where a point lies against the view: -1, 0 or +1 on each axis (left/below, inside, right/above).
struct ViewDirection {
    int dx = 0;
    int dy = 0;
    bool isInside() const { return dx == 0 && dy == 0; }
    bool operator==(const ViewDirection &other) const { return dx == other.dx && dy == other.dy; }
};

class FunctionProject {
public:
    // The counts the settings accept; values outside are clamped into them when a project is
    // made or opened, so no project can stall the window with millions of samples.
    static constexpr qint32 MinGraphPoints = 10;
    static constexpr qint32 MaxGraphPoints = 1000;
    static constexpr qint32 MinRootSteps = 100;
    static constexpr qint32 MaxRootSteps = 50000;

    // Colours of a new project, 0x00BBGGRR.
    static constexpr qint32 DefaultAxesColor = 0;              // black
    static constexpr qint32 DefaultGraphColor = 255;           // red
    static constexpr qint32 DefaultGridColor = 12632256;       // 0xC0C0C0, light grey

    // Pan moves a tenth of the view; the zoom buttons and keys halve or double it.
    static constexpr double PanFraction = 0.1;
    static constexpr double ZoomInFactor = 0.5;
    static constexpr double ZoomOutFactor = 2;

    FunctionProject() = default;
    FunctionProject(const FunctionProject &) = delete;
    FunctionProject &operator=(const FunctionProject &) = delete;

    // Properties; none of them validates its value.
    QString file() const { return m_file; }
    void setFile(const QString &file) { m_file = file; }
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    bool showGrid() const { return m_showGrid; }
    void setShowGrid(bool show) { m_showGrid = show; }
    qint32 gridColor() const { return m_gridColor; }
    void setGridColor(qint32 color) { m_gridColor = color; }
    qint32 graphColor() const { return m_graphColor; }
    void setGraphColor(qint32 color) { m_graphColor = color; }
    qint32 axesColor() const { return m_axesColor; }
    void setAxesColor(qint32 color) { m_axesColor = color; }
    qint32 graphPoints() const { return m_graphPoints; }
    void setGraphPoints(qint32 points) { m_graphPoints = points; }
    qint32 rootSteps() const { return m_rootSteps; }
    void setRootSteps(qint32 steps) { m_rootSteps = steps; }
    QString functionText() const { return m_functionText; }
    void setFunctionText(const QString &text) { m_functionText = text; }
    QString parameterText() const { return m_parameterText; }
    void setParameterText(const QString &text) { m_parameterText = text; }
    double xMin() const { return m_xMin; }
    void setXMin(double value) { m_xMin = value; }
    double xMax() const { return m_xMax; }
    void setXMax(double value) { m_xMax = value; }
    double yMin() const { return m_yMin; }
    void setYMin(double value) { m_yMin = value; }
    double yMax() const { return m_yMax; }
    void setYMax(double value) { m_yMax = value; }
    // True when the user changed the view, the settings or the parameters since the project
    // was made, opened or last saved; the windows set it and a successful save clears it.
    bool hasUnsavedChanges() const { return m_unsavedChanges; }
    void setUnsavedChanges(bool changed) { m_unsavedChanges = changed; }
    // The parameter sliders' ranges set by the user (a parameter without one gets the default
    // range around its value), and the dashed curves of f' and f''.
    QMap<QString, SliderRange> sliderRanges() const { return m_sliderRanges; }
    void setSliderRange(const QString &name, const SliderRange &range) { m_sliderRanges.insert(name, range); }
    bool showFPrime() const { return m_showFPrime; }
    void setShowFPrime(bool show) { m_showFPrime = show; }
    bool showFSecond() const { return m_showFSecond; }
    void setShowFSecond(bool show) { m_showFSecond = show; }

    // The function and its first and second derivatives (null before load).
    const Expression &f() const { return m_f; }
    Expression &f() { return m_f; }
    const Expression &fPrime() const { return m_fPrime; }
    const Expression &fSecond() const { return m_fSecond; }
    bool hasExpressions() const { return !m_f.isNull(); }

    // Initialises a new project from a parsed function: takes it over, makes f' and f'' from it,
    // and sets the default view, densities, colours and title. Checks nothing: the callers have
    // validated the expression and the interval.
    void load(const QString &functionText, Expression f, double xMin, double xMax);

    // New parameter values typed by the user ("a=3; b=1"), given to f, f' and f'' alike so the
    // derivatives carry the same values. A half-typed list changes what it can; the engine's
    // refusals are not errors here.
    void applyParameters(const QString &list);

    // Takes over freshly made expressions, releasing the ones held before.
    void setExpressions(Expression f, Expression fPrime, Expression fSecond);

    // Copies the view and presentation settings of `source`: interval, view, graph points, root
    // steps, the three colours and the title. Text, parameters, expressions, grid switch and
    // file stay.
    void copyViewFrom(const FunctionProject &source);

    // Releases the expressions, f'' first and f last. Safe to call more than once.
    void releaseExpressions();

    // Where the world point (x, y) lies against the view, compared in single precision; a
    // point exactly on an edge belongs to that edge's margin.
    ViewDirection directionAt(float x, float y) const;

    // Moves the view a tenth of its height per unit of dy and a tenth of its width per unit
    // of dx; true when the x interval changed.
    bool pan(int dx, int dy);

    // Zooms the axes whose flag is set by `factor` about the centre, each only when the new
    // length stays within [minLength, maxLength]; on return each flag says whether that axis
    // changed.
    void zoom(bool &zoomX, bool &zoomY, double factor, double minLength, double maxLength);
    // The same with the MinLen and MaxLen settings.
    void zoom(bool &zoomX, bool &zoomY, double factor);

    // Zooms the axes whose flag is set by `factor` about the world point (x, y), which keeps
    // its place in the view (the mouse wheel); the same limits and flags as zoom.
    void zoomAbout(double x, double y, bool &zoomX, bool &zoomY, double factor);
    // Moves the view by world distances (dragging); true when the x interval changed.
    bool shift(double dx, double dy);

private:
    double m_xMin = 0;
    double m_xMax = 0;
    double m_yMin = 0;
    double m_yMax = 0;
    Expression m_f;
    Expression m_fPrime;
    Expression m_fSecond;
    QString m_functionText;
    QString m_parameterText;
    qint32 m_rootSteps = 0;
    qint32 m_graphPoints = 0;
    qint32 m_axesColor = 0;
    qint32 m_graphColor = 0;
    qint32 m_gridColor = 0;
    bool m_showGrid = false;
    bool m_unsavedChanges = false;
    bool m_showFPrime = false;
    bool m_showFSecond = false;
    QMap<QString, SliderRange> m_sliderRanges;
    QString m_title;
    QString m_file;
};
