#pragma once
// The views a window has shown, for its Back and Forward commands: the x interval and the
// vertical range of each, the newest last, at most Depth of them. record() adds a view unless it
// is the one the history stands on, and drops the views ahead of it (as a browser does after
// going back and following a new link).
#include <QVector>

struct ViewState {
    double xMin = 0;
    double xMax = 0;
    double yMin = 0;
    double yMax = 0;
    bool operator==(const ViewState &other) const
    {
        return xMin == other.xMin && xMax == other.xMax && yMin == other.yMin && yMax == other.yMax;
    }
    bool operator!=(const ViewState &other) const { return !(*this == other); }
};

class ViewHistory {
public:
    static constexpr int Depth = 50;

    void record(const ViewState &view);
    bool canGoBack() const { return m_current > 0; }
    bool canGoForward() const { return m_current + 1 < m_views.size(); }
    // The view before (after) the current one, which becomes current; false at either end.
    bool back(ViewState &view);
    bool forward(ViewState &view);
    int size() const { return static_cast<int>(m_views.size()); }

private:
    QVector<ViewState> m_views;
    int m_current = -1;
};
