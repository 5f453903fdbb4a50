#pragma once
// One function project: the equation f(x) = 0 with its parameters, the engine's trees of f, f'
// and f'', the x interval [a, b] (root search and graph), the vertical view, the sampling
// densities, colours, grid switch, title and the file it belongs to.
//
// Ownership: the three trees belong to the project. The graph window that shows the project
// releases them with ReleaseTrees when it closes; a project that is destroyed while it still
// holds trees releases them itself. Copies for dialogs are made with CopyData and never hold
// trees, so the class itself cannot be copied.
#include "trevmath.h"

#include <QString>
#include <QtGlobal>

class cFunctie {
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

    cFunctie() = default;
    ~cFunctie();
    cFunctie(const cFunctie &) = delete;
    cFunctie &operator=(const cFunctie &) = delete;

    // Properties; none of them validates its value.
    QString file() const { return m_file; }
    void setFile(const QString &file) { m_file = file; }
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }
    bool showgrid() const { return m_showgrid; }
    void setShowgrid(bool show) { m_showgrid = show; }
    qint32 colorgrid() const { return m_colorgrid; }
    void setColorgrid(qint32 color) { m_colorgrid = color; }
    qint32 colorgrafic() const { return m_colorgrafic; }
    void setColorgrafic(qint32 color) { m_colorgrafic = color; }
    qint32 coloraxe() const { return m_coloraxe; }
    void setColoraxe(qint32 color) { m_coloraxe = color; }
    qint32 prec() const { return m_prec; }
    void setPrec(qint32 points) { m_prec = points; }
    qint32 hiq() const { return m_hiq; }
    void setHiq(qint32 steps) { m_hiq = steps; }
    QString numestr() const { return m_numestr; }
    void setNumestr(const QString &text) { m_numestr = text; }
    QString param() const { return m_param; }
    void setParam(const QString &text) { m_param = text; }
    TrevHandle nume2() const { return m_nume2; }
    void setNume2(TrevHandle tree) { m_nume2 = tree; }
    TrevHandle nume1() const { return m_nume1; }
    void setNume1(TrevHandle tree) { m_nume1 = tree; }
    TrevHandle nume() const { return m_nume; }
    void setNume(TrevHandle tree) { m_nume = tree; }
    double ymax() const { return m_ymax; }
    void setYmax(double value) { m_ymax = value; }
    double ymin() const { return m_ymin; }
    void setYmin(double value) { m_ymin = value; }
    double b() const { return m_b; }
    void setB(double value) { m_b = value; }
    double a() const { return m_a; }
    void setA(double value) { m_a = value; }

    // Initialises a new project from a function the caller has parsed into `tree`; the project
    // takes over the tree and makes f' and f'' from it. Checks nothing: the callers have
    // validated the expression and the interval.
    void LoadData(const QString &expression, TrevHandle tree, double a, double b);

    // Copies the view and presentation settings of `source`: a, b, ymin, ymax, prec, hiq, the
    // three colours and the title. Text, parameters, trees, grid switch and file stay.
    void CopyData(const cFunctie &source);

    // Releases the trees, f'' first and f last, and forgets them. Safe to call more than once.
    void ReleaseTrees();

    // The project file. SaveProject returns false when the file could not be written (the old
    // file is then intact and `file` unchanged); OpenProject returns false after it has shown
    // why; OpenProjectFromCommandLine returns false silently when there is no such file.
    bool SaveProject(const QString &path);
    bool OpenProject(const QString &path);
    bool OpenProjectFromCommandLine(const QString &path);

    // Takes over freshly made trees, releasing the ones held before.
    void adoptTrees(TrevHandle f, TrevHandle derivative, TrevHandle secondDerivative);

private:
    double m_a = 0;
    double m_b = 0;
    double m_ymin = 0;
    double m_ymax = 0;
    TrevHandle m_nume = 0;
    TrevHandle m_nume1 = 0;
    TrevHandle m_nume2 = 0;
    QString m_numestr;
    QString m_param;
    qint32 m_hiq = 0;
    qint32 m_prec = 0;
    qint32 m_coloraxe = 0;
    qint32 m_colorgrafic = 0;
    qint32 m_colorgrid = 0;
    bool m_showgrid = false;
    QString m_title;
    QString m_file;
};
