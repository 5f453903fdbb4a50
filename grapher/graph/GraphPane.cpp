#include "GraphPane.h"

#include "BackgroundPicture.h"
#include "GraphRenderer.h"
#include "LangText.h"
#include "cFunctie.h"

GraphPane::GraphPane(Kind kind, const QSize &size, qreal devicePixelRatio)
    : m_kind(kind), m_surface(size, devicePixelRatio)
{
    resize(size, devicePixelRatio);
}

void GraphPane::resize(const QSize &size, qreal devicePixelRatio)
{
    m_surface.setBackgroundPicture(m_kind == Kind::GraphWindow ? BackgroundPicture::make(devicePixelRatio) : QImage());
    m_surface.resize(size, devicePixelRatio);
    if (m_project)
        update(false);
}

void GraphPane::Load()
{
    if (!m_project)
        return;
    GraphRenderer::DrawGraph(m_surface, *m_project);
    if (m_kind == Kind::FullScreen)
        return;
    m_roots.setButtonCaption(LangText("SaveRoots1", "&Save roots"));
    m_roots.ScanRoots(*m_project);
}

void GraphPane::update(bool intervalChanged)
{
    if (!m_project)
        return;
    if (m_kind == Kind::FullScreen) {
        GraphRenderer::DrawGraph(m_surface, *m_project);
        return;
    }
    m_roots.update(intervalChanged);
    GraphRenderer::DrawGraph(m_surface, *m_project);
    if (m_roots.rootsFound())
        m_roots.MarkCheckedRoots(m_surface);
}

void GraphPane::Cmd_Radacini_Click()
{
    if (m_project && m_kind == Kind::GraphWindow)
        m_roots.Cmd_Radacini_Click(*m_project);
}

void GraphPane::radacini(bool save)
{
    if (m_project && m_kind == Kind::GraphWindow)
        m_roots.radacini(*m_project, save);
}

void GraphPane::SelectRoots(bool checked, bool invert) { m_roots.SelectRoots(checked, invert, m_surface); }

void GraphPane::setRootChecked(int index, bool checked) { m_roots.setChecked(index, checked, m_surface); }

void GraphPane::CopyRoots() const
{
    if (m_project)
        m_roots.CopyRoots(*m_project);
}

void GraphPane::Filler(double &x1, double &x2)
{
    if (!m_project)
        return;
    GraphRenderer::Filler(m_surface, *m_project, x1, x2,
                          m_kind == Kind::FullScreen ? GraphRenderer::FillerStrokes::All
                                                     : GraphRenderer::FillerStrokes::Half);
}

PointValues GraphPane::ShowPointValues(double x) const
{
    return m_project ? PointReadout::ShowPointValues(*m_project, x) : PointValues();
}
