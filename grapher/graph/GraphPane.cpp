#include "graph/GraphPane.h"

#include "graph/BackgroundPicture.h"
#include "graph/GraphRenderer.h"
#include "core/LangText.h"
#include "core/ProgramSettings.h"
#include "project/FunctionProject.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

// The wait cursor for the length of a root scan, when there is a screen to show it on.
class WaitCursor {
public:
    WaitCursor() : m_shown(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~WaitCursor()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    bool m_shown;
};

} // namespace

GraphPane::GraphPane(Kind kind, const QSize &size, qreal devicePixelRatio)
    : m_kind(kind), m_surface(size, devicePixelRatio)
{
    resize(size, devicePixelRatio);
}

void GraphPane::resize(const QSize &size, qreal devicePixelRatio)
{
    m_surface.resize(size, devicePixelRatio);
    if (m_project)
        refresh(false);
    else
        matchBackground();
}

void GraphPane::matchBackground()
{
    const bool wanted = m_kind == Kind::GraphWindow && programSettings().backgroundPicture;
    const QImage &picture = m_surface.backgroundPicture();
    if (!wanted) {
        if (!picture.isNull()) {
            m_surface.setBackgroundPicture(QImage());
            m_surface.clear();
        }
        return;
    }
    if (picture.isNull() || picture.size() != m_surface.image().size()
        || picture.devicePixelRatio() != m_surface.devicePixelRatio()) {
        m_surface.setBackgroundPicture(BackgroundPicture::make(m_surface.size(), m_surface.devicePixelRatio()));
        m_surface.clear();
    }
}

void GraphPane::load(bool scanRoots)
{
    if (!m_project)
        return;
    matchBackground();
    GraphRenderer::drawGraph(m_surface, *m_project);
    if (m_kind == Kind::FullScreen)
        return;
    m_roots.setButtonCaption(LangText("SaveRoots1", "&Save roots"));
    if (!scanRoots)
        return;
    const WaitCursor waitCursor;
    m_roots.scanRoots(*m_project);
}

void GraphPane::refresh(bool intervalChanged)
{
    if (!m_project)
        return;
    matchBackground();
    if (m_kind == Kind::FullScreen) {
        GraphRenderer::drawGraph(m_surface, *m_project);
        return;
    }
    m_roots.refresh(intervalChanged);
    GraphRenderer::drawGraph(m_surface, *m_project);
    if (m_roots.rootsFound())
        m_roots.markCheckedRoots(m_surface);
}

void GraphPane::rootsButtonClicked()
{
    if (m_project && m_kind == Kind::GraphWindow) {
        const WaitCursor waitCursor;
        m_roots.rootsButtonClicked(*m_project);
    }
}

void GraphPane::findOrSaveRoots(bool save)
{
    if (m_project && m_kind == Kind::GraphWindow) {
        const WaitCursor waitCursor;
        m_roots.findOrSaveRoots(*m_project, save);
    }
}

void GraphPane::selectRoots(bool checked, bool invert) { m_roots.selectRoots(checked, invert, m_surface); }

void GraphPane::setRootChecked(int index, bool checked) { m_roots.setChecked(index, checked, m_surface); }

void GraphPane::copyRoots() const
{
    if (m_project)
        m_roots.copyRoots(*m_project);
}

void GraphPane::shadeArea(double &x1, double &x2)
{
    if (!m_project)
        return;
    GraphRenderer::shadeArea(m_surface, *m_project, x1, x2,
                          m_kind == Kind::FullScreen ? GraphRenderer::ShadeStrokes::All
                                                     : GraphRenderer::ShadeStrokes::Half);
}

PointValues GraphPane::pointValues(double x) const
{
    return m_project ? PointReadout::pointValues(*m_project, x) : PointValues();
}
