#include "project/FunctionProject.h"

#include "core/ProgramSettings.h"

#include <QtGlobal>

void FunctionProject::load(const QString &functionText, Expression f, double xMin, double xMax)
{
    m_functionText = functionText;
    m_parameterText = f.parameters();
    Expression fPrime = f.derivative();
    Expression fSecond = fPrime.derivative();
    setExpressions(std::move(f), std::move(fPrime), std::move(fSecond));
    m_xMin = xMin;
    m_xMax = xMax;
    m_title = functionText + QStringLiteral("=0");
    // A view as high as the interval is wide; when the interval spans zero it is the interval.
    if ((xMin < 0) != (xMax < 0)) {
        m_yMin = xMin;
        m_yMax = xMax;
    } else {
        m_yMin = (xMin - xMax) / 2;
        m_yMax = -m_yMin;
    }
    const ProgramSettings &settings = programSettings();
    m_graphPoints = qBound(MinGraphPoints, settings.GraphPrecision, MaxGraphPoints);
    m_rootSteps = qBound(MinRootSteps, settings.RootSteps, MaxRootSteps);
    m_axesColor = DefaultAxesColor;
    m_graphColor = DefaultGraphColor;
    m_gridColor = DefaultGridColor;
    m_showGrid = true;
    m_file.clear();
}

void FunctionProject::setExpressions(Expression f, Expression fPrime, Expression fSecond)
{
    releaseExpressions();
    m_f = std::move(f);
    m_fPrime = std::move(fPrime);
    m_fSecond = std::move(fSecond);
}

void FunctionProject::applyParameters(const QString &list)
{
    for (Expression *expression : {&m_f, &m_fPrime, &m_fSecond}) {
        if (!expression->isNull())
            expression->setParameters(list);
    }
}

void FunctionProject::copyViewFrom(const FunctionProject &source)
{
    m_xMin = source.m_xMin;
    m_xMax = source.m_xMax;
    m_yMin = source.m_yMin;
    m_yMax = source.m_yMax;
    m_graphPoints = source.m_graphPoints;
    m_rootSteps = source.m_rootSteps;
    m_axesColor = source.m_axesColor;
    m_graphColor = source.m_graphColor;
    m_gridColor = source.m_gridColor;
    m_title = source.m_title;
}

void FunctionProject::releaseExpressions()
{
    // The derivatives were made from f, so they go first.
    m_fSecond.reset();
    m_fPrime.reset();
    m_f.reset();
}

ViewDirection FunctionProject::directionAt(float x, float y) const
{
    ViewDirection direction;
    if (x >= float(m_xMax))
        direction.dx = 1;
    else if (x <= float(m_xMin))
        direction.dx = -1;
    if (y >= float(m_yMax))
        direction.dy = 1;
    else if (y <= float(m_yMin))
        direction.dy = -1;
    return direction;
}

bool FunctionProject::pan(int dx, int dy)
{
    const double height = m_yMax - m_yMin;
    m_yMin += height * dy * PanFraction;
    m_yMax += height * dy * PanFraction;
    if (dx == 0)
        return false;
    const double width = m_xMax - m_xMin;
    m_xMin += width * dx * PanFraction;
    m_xMax += width * dx * PanFraction;
    return true;
}

void FunctionProject::zoom(bool &zoomX, bool &zoomY, double factor, double minLength, double maxLength)
{
    const double k = (factor - 1) / 2;
    const auto zoomAxis = [&](bool &flag, double &low, double &high) {
        const double length = high - low;
        if (!flag || !(length * factor >= minLength && length * factor <= maxLength)) {
            flag = false;
            return;
        }
        const double t = k * length;
        low -= t;
        high += t;
    };
    zoomAxis(zoomX, m_xMin, m_xMax);
    zoomAxis(zoomY, m_yMin, m_yMax);
}

void FunctionProject::zoomAbout(double x, double y, bool &zoomX, bool &zoomY, double factor)
{
    const ProgramSettings &settings = programSettings();
    // Each end keeps its distance to the fixed point, scaled: the point stays where it is.
    const auto zoomAxis = [&](bool &flag, double centre, double &low, double &high) {
        const double length = high - low;
        if (!flag || !(length * factor >= settings.MinLen && length * factor <= settings.MaxLen)) {
            flag = false;
            return;
        }
        low = centre - (centre - low) * factor;
        high = centre + (high - centre) * factor;
    };
    zoomAxis(zoomX, x, m_xMin, m_xMax);
    zoomAxis(zoomY, y, m_yMin, m_yMax);
}

bool FunctionProject::shift(double dx, double dy)
{
    m_yMin += dy;
    m_yMax += dy;
    if (dx == 0)
        return false;
    m_xMin += dx;
    m_xMax += dx;
    return true;
}

void FunctionProject::zoom(bool &zoomX, bool &zoomY, double factor)
{
    const ProgramSettings &settings = programSettings();
    zoom(zoomX, zoomY, factor, settings.MinLen, settings.MaxLen);
}
