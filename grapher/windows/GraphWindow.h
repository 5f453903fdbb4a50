#pragma once
// The graph window: one open project in a child window of the main window. It owns the project
// (its three expressions are released, f'' first, when the window goes) and shows its graph,
// the roots of f on the interval with their markers, the readouts of x, f(x) and f'(x) under
// the mouse, and a box with the parameter values; its buttons find and save the roots, open
// the settings, save, help, the results folder, the calculator and the zoom.
//
// The graph, the roots list and the navigation are GraphPane's, RootList's and
// GraphNavigation's; this class connects them to the controls. Root scans run in slices
// (SlicedRootScan): a scan longer than half a second shows its progress beside the list, Esc
// stops it, and meanwhile the window's other engine commands wait.
#include "windows/GraphMarks.h"
#include "windows/ProjectWindow.h"

#include <memory>

class FullScreenGraph;
class ParameterSliders;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class SlicedRootScan;

class GraphWindow : public ProjectWindow {
    Q_OBJECT
public:
    // The size a new window gets inside the main window (logical pixels).
    static constexpr int DefaultWidth = 780;
    static constexpr int DefaultHeight = 540;

    GraphWindow(std::unique_ptr<FunctionProject> project, const GraphWindowMenus &menus, QWidget *parent = nullptr);
    ~GraphWindow() override;

    // The caption of a project's window: its file, or the equation followed by " = 0".
    static QString captionFor(const FunctionProject &project);

    // Loading, after the window is shown: the parameters box, the graph and the roots at once.
    void load();

    // After every change: a changed x interval (or step count) empties the roots list.
    void refreshGraph(bool intervalChanged) override;
    bool isBusy() const override;
    void setTracking(bool on) override;

    // The roots button: finds the roots, or (once they are listed) saves them as a report
    // through the handler the main window gives the roots list.
    void rootsButtonClicked();
    // The main window's roots items: with `save`, finds the roots first when none are listed;
    // then one press of the roots button.
    void findOrSaveRoots(bool save = false);
    void selectRoots(bool checked, bool invert);
    void copyRoots() const;
    // Stops a root scan that runs in slices; the roots found until then stay listed.
    void cancelRootScan();
    // The caption of the main window's roots item while this window is active.
    QString rootsMenuCaption() const;

    // The Graph menu's "Show extrema": hollow markers on the local extrema, found again with
    // the roots.
    void setShowExtrema(bool on);
    bool showsExtrema() const { return m_marks.showExtrema(); }
    const GraphMarks &marks() const { return m_marks; }

    // Hands the project to the full-screen window and hides this window until it comes back.
    void maximize(FullScreenGraph &fullScreen);

    // How long a scan may block before it goes on in slices, and how long a slice lasts
    // (milliseconds; SlicedRootScan's defaults unless a test asks otherwise).
    void setRootScanTiming(int blockingMilliseconds, int sliceMilliseconds);
    // The scan running in slices, while there is one.
    SlicedRootScan *rootScan() const { return m_scan; }

    QLineEdit *xReadout() const { return m_xReadout; }
    QLineEdit *valueReadout() const { return m_valueReadout; }
    QLineEdit *derivativeReadout() const { return m_derivativeReadout; }
    QLineEdit *parametersBox() const { return m_parametersBox; }
    ParameterSliders *parameterSliders() const { return m_sliders; }
    QListWidget *rootsList() const { return m_rootsList; }
    QLabel *resultLabel() const { return m_resultLabel; }
    QPushButton *rootsButton() const { return m_rootsButton; }
    QProgressBar *scanProgress() const { return m_scanProgress; }
    QPushButton *settingsButton() const { return m_settingsButton; }
    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *helpButton() const { return m_helpButton; }
    QPushButton *folderButton() const { return m_folderButton; }
    QPushButton *calculatorButton() const { return m_calculatorButton; }
    QPushButton *zoomInButton() const { return m_zoomInButton; }
    QPushButton *zoomOutButton() const { return m_zoomOutButton; }
    QPushButton *backButton() const { return m_backButton; }
    QPushButton *forwardButton() const { return m_forwardButton; }

signals:
    // The save button: the main window's save-project command.
    void saveProjectRequested();
    // The calculator button: the main window's calculator command.
    void calculatorRequested();
    // The folder button: the main window opens the results folder.
    void resultsFolderRequested();

protected:
    bool handleWindowKey(const KeyCommand &command) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createLayout();
    void connectControls();
    void zoomButtonClicked(double factor);
    void parametersEdited(const QString &text);
    void parametersEntered();
    void showPointValues(double x);
    void clearReadouts();
    void rootItemChanged(QListWidgetItem *item);
    // The list, its check marks, the summary label and the button as the roots list holds them.
    void showRoots();
    // An automatic scan (the "Find roots automatically" option) leaves the window usable: a
    // newer change cancels it and starts another.
    void startRootScan(bool fromButton, bool saveAfter, bool automatic = false);
    void graphClicked(const QPointF &position);
    void takeScannedRoots();
    void finishRootScan(bool cancelled);
    void setBusy(bool busy);

    std::unique_ptr<FunctionProject> m_project;

    QLineEdit *m_xReadout;
    QLineEdit *m_valueReadout;
    QLineEdit *m_derivativeReadout;
    QLineEdit *m_parametersBox;
    ParameterSliders *m_sliders;
    QPushButton *m_rootsButton;
    QListWidget *m_rootsList;
    QProgressBar *m_scanProgress;
    QLabel *m_resultLabel;
    QPushButton *m_settingsButton;
    QPushButton *m_saveButton;
    QPushButton *m_helpButton;
    QPushButton *m_folderButton;
    QPushButton *m_calculatorButton;
    QPushButton *m_zoomInButton;
    QPushButton *m_zoomOutButton;
    QPushButton *m_backButton;
    QPushButton *m_forwardButton;
    GraphMarks m_marks;

    // True while the list is filled from the roots list, so its check events are not the user's.
    bool m_showingRoots = false;

    SlicedRootScan *m_scan = nullptr;
    int m_scanTaken = 0;         // roots of the running scan already in the list
    bool m_saveAfterScan = false;
    bool m_scanAutomatic = false;
    bool m_functionChanged = false;  // new parameter values wait for an automatic scan
    QStringList m_keepChecked;   // checked roots, checked again when an automatic scan lists them
    int m_scanBlockingMilliseconds;
    int m_scanSliceMilliseconds;
};
