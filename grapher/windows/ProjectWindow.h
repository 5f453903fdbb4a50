#pragma once
// What the graph window and the full-screen window have in common: a project's graph on a
// GraphView, the zoom and pan keys and the commands of the main window's Graph menu (zoom
// entries, show grid, settings). The main window reaches its active child through this class.
//
// Keys reach the window before its controls (installKeyPreview): the zoom and pan keys work
// wherever the focus is, except in a text box that has been left out of the preview.
#include "graph/GraphPane.h"
#include "windows/GraphNavigation.h"
#include "windows/GraphWindowMenus.h"
#include "windows/ViewHistory.h"

#include <QWidget>

#include <functional>

class FunctionProject;
class GraphView;
class QKeyEvent;

class ProjectWindow : public QWidget {
    Q_OBJECT
public:
    // The project shown (null when none is).
    FunctionProject *project() const { return m_pane.project(); }
    GraphPane &pane() { return m_pane; }
    const GraphPane &pane() const { return m_pane; }
    GraphView *view() const { return m_view; }
    const GraphWindowMenus &menus() const { return m_menus; }

    // The refresh after every change of the view or the project: the
    // graph window empties its roots list when intervalChanged, the full-screen window only
    // redraws.
    virtual void refreshGraph(bool intervalChanged) = 0;
    // True while the window runs long engine work (a root scan): its commands wait.
    virtual bool isBusy() const { return false; }

    // Entry `entry` of the zoom menus with factor 0.5 (in) or 2 (out).
    void zoomFromMenu(int entry, double factor);
    // The Graph menu's "Show grid": inverts the project's grid switch and redraws, roots kept.
    void toggleGrid();
    // "Fit vertical range": the y range fitted to the curve over the interval, x unchanged.
    void fitVerticalRange();
    // Shows or hides the dashed curve of f' (order 1) or f'' (order 2).
    void toggleDerivative(int order);
    // The graph settings dialog on this window's project, modal over the main window.
    void openSettings();

    // Back and Forward through the views this window has shown (ViewHistory); each redraws.
    void goBack();
    void goForward();
    const ViewHistory &viewHistory() const { return m_history; }

    // While tracking (the window is the active child), the pointer drives the readouts and the
    // margin arrows.
    virtual void setTracking(bool on);
    bool isTracking() const;

    // Saves the project for the question about unsaved changes (the main window's save
    // command); returns true when it was saved.
    void setSaveHandler(std::function<bool()> save) { m_save = std::move(save); }
    // Before the window closes: true when it may close. A project with unsaved changes asks
    // Save / Discard / Cancel first; Save that does not save (cancelled dialog, failed write)
    // keeps the window open like Cancel.
    bool maybeSave();

signals:
    // Something the main window's menus show has changed: grid switch, roots caption, busy.
    void stateChanged();

protected:
    ProjectWindow(GraphPane::Kind kind, const GraphWindowMenus &menus, QWidget *parent);

    // A zoom or pan key (or another key of the table): true when the window used it.
    bool handleKey(QKeyEvent *event);
    // What the window does with the keys of the table that are not zoom or pan.
    virtual bool handleWindowKey(const KeyCommand &command);
    // Routes the key presses of `widget` through the window first.
    void installKeyPreview(QWidget *widget);

    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    // The mouse's and keys' view changes end here.
    void viewChanged(bool intervalChanged);
    // The user changed the project's view, settings or parameters: closing asks to save.
    void markProjectChanged();
    // Adds the view shown now to the history (after each refresh that is not part of a drag).
    void recordView();

    GraphPane m_pane;
    GraphView *m_view;
    GraphWindowMenus m_menus;
    std::function<bool()> m_save;
    ViewHistory m_history;

private:
    void showHistoryView(bool forward);
};

// The frame a child window lives in: its MDI sub-window, or itself when it has none.
QWidget *windowFrame(QWidget *window);
