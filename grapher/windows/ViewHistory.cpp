#include "windows/ViewHistory.h"

void ViewHistory::record(const ViewState &view)
{
    if (m_current >= 0 && m_views.at(m_current) == view)
        return;
    m_views.resize(m_current + 1);
    m_views.append(view);
    if (m_views.size() > Depth)
        m_views.remove(0, m_views.size() - Depth);
    m_current = static_cast<int>(m_views.size()) - 1;
}

bool ViewHistory::back(ViewState &view)
{
    if (!canGoBack())
        return false;
    view = m_views.at(--m_current);
    return true;
}

bool ViewHistory::forward(ViewState &view)
{
    if (!canGoForward())
        return false;
    view = m_views.at(++m_current);
    return true;
}
