#pragma once
// The full-screen graph: one window for the whole program that takes over the display of one
// graph window's project ("Maximize"). It shows the same project object, not a copy, with the
// same drawing and navigation but without the roots and the readouts (a tool tip shows the
// pointer's coordinates instead), and shades integrals with every stroke.
//
// It is a top-level window of its own that covers the whole screen, owned by the main window
// and hidden between uses; the main window lends it the shortcuts of its project menus. Closing
// it (Esc, F11, the Graph menu, the window's close button) never destroys it: the graph window
// it replaced comes back at the view the project now has, its roots list kept, and gets its
// caption back. Only when the program ends is it really closed (setProgramEnding).
#include "windows/ProjectWindow.h"

#include <QPointer>

class QWindow;

class FullScreenGraph : public ProjectWindow {
    Q_OBJECT
public:
    // Room around the graph, about 100 twips.
    static constexpr int Border = 7;

    explicit FullScreenGraph(const GraphWindowMenus &menus, QWidget *parent = nullptr);

    // Maximize of `window`: a project shown before goes back to its own window first; then
    // `window` is hidden and its project shown here, under its caption, with the focus.
    void showInPlaceOf(ProjectWindow *window);
    // True while a project is shown and the user has not gone back to the main window since
    // (a dialog over the full-screen window leaves it in use): the project commands act on it.
    bool isInUse() const;
    // Closing: the replaced window comes back (redrawn, roots kept) and this one hides.
    void giveBack();
    // True while a project is shown.
    bool isOpen() const { return m_open; }
    // The graph window whose project is shown.
    ProjectWindow *replacedWindow() const { return m_replaced.data(); }

    // The program ends: from now on a close is a real one, and the window goes with it.
    void setProgramEnding();

    // Redraws; the argument does not matter here (there is no roots list).
    void refreshGraph(bool intervalChanged) override;
    // The full-screen window follows the pointer whether it is active or not.
    void setTracking(bool) override {}

protected:
    bool handleWindowKey(const KeyCommand &command) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The replaced window went away while its project was shown here.
    void replacedWindowDestroyed();
    // The user went to this window or back to the main window.
    void focusWindowChanged(QWindow *window);
    void showToolTip(double x, double y);

    QPointer<ProjectWindow> m_replaced;
    bool m_open = false;
    bool m_inUse = false;   // the window had the focus last, not the main window
    bool m_programEnding = false;
};
