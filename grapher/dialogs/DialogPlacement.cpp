#include "dialogs/DialogPlacement.h"

#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>
#include <utility>

namespace {

qint64 area(const QRect &rect) { return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height(); }

} // namespace

namespace DialogPlacement {

QPoint besideGraph(const QSize &dialog, const QRect &graphWindow, const QRect &surface, const QRect &screen)
{
    // The largest corner that keeps the dialog on the screen; a dialog larger than the screen
    // keeps its top-left corner on it.
    const int lastX = std::max(screen.left(), screen.left() + screen.width() - dialog.width());
    const int lastY = std::max(screen.top(), screen.top() + screen.height() - dialog.height());
    const auto onScreen = [&](int x, int y) {
        return QPoint(std::clamp(x, screen.left(), lastX), std::clamp(y, screen.top(), lastY));
    };

    if (graphWindow.right() + 1 + dialog.width() <= screen.left() + screen.width())
        return onScreen(graphWindow.right() + 1, graphWindow.top());
    if (graphWindow.bottom() + 1 + dialog.height() <= screen.top() + screen.height())
        return onScreen(graphWindow.left(), graphWindow.bottom() + 1);

    // No room outside the window: the screen's corners and the middles of its edges, the
    // first of them that hides least of the surface winning.
    const int middleX = screen.left() + (screen.width() - dialog.width()) / 2;
    const int middleY = screen.top() + (screen.height() - dialog.height()) / 2;
    const std::array<QPoint, 8> candidates{
        onScreen(lastX, screen.top()), onScreen(lastX, lastY),      onScreen(screen.left(), lastY),
        onScreen(screen.left(), screen.top()), onScreen(lastX, middleY), onScreen(middleX, lastY),
        onScreen(screen.left(), middleY), onScreen(middleX, screen.top())};
    // Covering the centre weighs more than any area hidden.
    const auto cost = [&](const QPoint &corner) {
        const QRect placed(corner, dialog);
        return std::make_pair(placed.contains(surface.center()), area(placed & surface));
    };
    return *std::min_element(candidates.begin(), candidates.end(),
                             [&](const QPoint &a, const QPoint &b) { return cost(a) < cost(b); });
}

void placeBesideGraph(QWidget *dialog, const QWidget *surface)
{
    if (!dialog || !surface || !surface->screen())
        return;
    // The graph window: the child window inside the main window, or a window of its own.
    const QWidget *graphWindow = surface;
    while (!graphWindow->isWindow() && !qobject_cast<const QMdiSubWindow *>(graphWindow))
        graphWindow = graphWindow->parentWidget();
    const QRect windowRect = graphWindow->isWindow()
        ? graphWindow->frameGeometry()
        : QRect(graphWindow->mapToGlobal(QPoint(0, 0)), graphWindow->size());
    const QRect surfaceRect(surface->mapToGlobal(QPoint(0, 0)), surface->size());
    // The dialog is not shown yet: its frame is taken to be as large as the main window's.
    const QWidget *topLevel = surface->window();
    const QSize frame = topLevel->frameGeometry().size() - topLevel->size();
    const QSize size = dialog->sizeHint().expandedTo(dialog->minimumSize()) + frame;
    dialog->move(besideGraph(size, windowRect, surfaceRect, surface->screen()->availableGeometry()));
}

} // namespace DialogPlacement
