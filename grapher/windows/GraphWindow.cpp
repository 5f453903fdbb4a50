#include "windows/GraphWindow.h"

#include "core/LangText.h"
#include "core/LocalFileName.h"
#include "core/ProgramSettings.h"
#include "project/FunctionProject.h"
#include "ui/Help.h"
#include "ui/Skins.h"
#include "windows/ButtonIcons.h"
#include "windows/FullScreenGraph.h"
#include "windows/GraphView.h"
#include "windows/ParameterSliders.h"
#include "windows/RowCheckDelegate.h"
#include "windows/SlicedRootScan.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

// Width of the column with the roots button, the list and the summary.
constexpr int RootsColumnWidth = 200;
// Steps of the scan's progress bar.
constexpr int ProgressSteps = 1000;
// How long an automatic scan may block before it goes on in slices (milliseconds): short, so
// that the wheel and the keys keep up.
constexpr int AutomaticBlockingMilliseconds = 100;

QPushButton *iconButton(QWidget *parent, const char *name, const QIcon &icon, const QString &toolTip)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    button->setAutoDefault(false);
    return button;
}

QLineEdit *readout(QWidget *parent, const char *name, const QString &toolTip)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setToolTip(toolTip);
    box->setAccessibleName(toolTip);
    box->setFocusPolicy(Qt::ClickFocus);
    return box;
}

// The wait cursor for the part of a scan that blocks the window.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

GraphWindow::GraphWindow(std::unique_ptr<FunctionProject> project, const GraphWindowMenus &menus, QWidget *parent)
    : ProjectWindow(GraphPane::Kind::GraphWindow, menus, parent), m_project(std::move(project)),
      m_scanBlockingMilliseconds(SlicedRootScan::BlockingMilliseconds),
      m_scanSliceMilliseconds(SlicedRootScan::SliceMilliseconds)
{
    setObjectName(QStringLiteral("MG"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_pane.setProject(m_project.get());
    if (m_project)
        setWindowTitle(captionFor(*m_project));
    createControls();
    createLayout();
    connectControls();
    // After the layout, which gives every control its parent.
    ApplySkin(this, SkinColorsFor(programSettings().skin));
    clearReadouts();
    resize(DefaultWidth, DefaultHeight);
}

GraphWindow::~GraphWindow()
{
    // Nothing may reach the project once it starts to go: the scan stops and the controls
    // forget it before the members are destroyed.
    delete m_scan;
    m_scan = nullptr;
    m_view->disconnect(this);
    m_pane.setProject(nullptr);
}

QString GraphWindow::captionFor(const FunctionProject &project)
{
    return project.file().isEmpty() ? project.functionText() + QStringLiteral(" = 0")
                                    : LocalFileName::shown(project.file());
}

void GraphWindow::createControls()
{
    m_xReadout = readout(this, "Txt_X", LangText("XPoint", "X-Point"));
    m_valueReadout = readout(this, "Txt_Val", LangText("ValFun", "Value of the function"));
    m_derivativeReadout = readout(this, "Txt_Der", LangText("ValDer1", "Value of the first derivative"));

    m_parametersBox = new QLineEdit(this);
    m_parametersBox->setObjectName(QStringLiteral("Txt_Par"));
    m_parametersBox->setToolTip(LangText("Parameters", "Parameters"));
    m_parametersBox->setAccessibleName(m_parametersBox->toolTip());

    m_sliders = new ParameterSliders(this);
    m_rootsButton = new QPushButton(this);
    m_rootsButton->setObjectName(QStringLiteral("Cmd_Radacini"));
    m_rootsButton->setAutoDefault(false);
    m_rootsList = new QListWidget(this);
    m_rootsList->setObjectName(QStringLiteral("LstRoot"));
    m_rootsList->setContextMenuPolicy(Qt::PreventContextMenu);
    m_rootsList->setItemDelegate(new RowCheckDelegate(m_rootsList));
    m_scanProgress = new QProgressBar(this);
    m_scanProgress->setObjectName(QStringLiteral("scanProgress"));
    m_scanProgress->setRange(0, ProgressSteps);
    m_scanProgress->setTextVisible(false);
    m_scanProgress->setMaximumHeight(10);
    m_scanProgress->setToolTip(LangText("StopSearch", "Press Esc to stop the search."));
    m_scanProgress->hide();
    m_resultLabel = new QLabel(this);
    m_resultLabel->setObjectName(QStringLiteral("lblResult"));
    m_resultLabel->setWordWrap(true);
    m_resultLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QStyle *look = style();
    m_settingsButton = iconButton(this, "cmdChange", ButtonIcons::settings(),
                                  LangText("Edit", "Edit the equation and customize the graph."));
    m_saveButton = iconButton(this, "cmdSave", look->standardIcon(QStyle::SP_DialogSaveButton),
                              LangText("ClickExport", "Click here to export the results."));
    m_helpButton = iconButton(this, "cmdHelp", ButtonIcons::help(),
                              LangText("ClickMore", "Click here for more information."));
    m_folderButton = iconButton(this, "cmdFolder", look->standardIcon(QStyle::SP_DirOpenIcon),
                                LangText("OpenResults", "Open the folder of your results."));
    m_calculatorButton = iconButton(this, "CmdCalc", ButtonIcons::calculator(),
                                    LangText("StartCalculator", "Start Trevolin Calculator."));
    m_zoomInButton = iconButton(this, "cmdZoomIn", ButtonIcons::zoomIn(),
                                LangText("ZoomIn", "Zoom In") + QStringLiteral(": ")
                                    + LangText("ShowSmaller", "Show a smaller area at a higher magnification"));
    m_zoomOutButton = iconButton(this, "cmdZoomOut", ButtonIcons::zoomOut(),
                                 LangText("ZoomOut", "Zoom Out") + QStringLiteral(": ")
                                     + LangText("ShowLarger", "Show a larger area at a lower magnification"));
    m_backButton = iconButton(this, "cmdBack", look->standardIcon(QStyle::SP_ArrowBack),
                              LangText("Back", "Back") + QStringLiteral(" (Alt+Left)"));
    m_forwardButton = iconButton(this, "cmdForward", look->standardIcon(QStyle::SP_ArrowForward),
                                 LangText("Forward", "Forward") + QStringLiteral(" (Alt+Right)"));
}

void GraphWindow::createLayout()
{
    auto *readouts = new QHBoxLayout;
    const std::pair<QLineEdit *, QString> captioned[] = {{m_xReadout, QStringLiteral("x")},
                                                         {m_valueReadout, QStringLiteral("f(x)")},
                                                         {m_derivativeReadout, QStringLiteral("f\u2032(x)")}};
    for (const auto &[box, text] : captioned) {
        auto *caption = new QLabel(text, this);
        caption->setBuddy(box);
        readouts->addWidget(caption);
        readouts->addWidget(box, 1);
    }

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_zoomInButton);
    buttons->addWidget(m_zoomOutButton);
    buttons->addWidget(m_backButton);
    buttons->addWidget(m_forwardButton);
    buttons->addStretch();
    for (QPushButton *button : {m_settingsButton, m_saveButton, m_folderButton, m_calculatorButton, m_helpButton})
        buttons->addWidget(button);

    auto *graphColumn = new QVBoxLayout;
    graphColumn->addLayout(readouts);
    graphColumn->addWidget(m_view, 1);
    graphColumn->addWidget(m_parametersBox);
    graphColumn->addWidget(m_sliders);
    graphColumn->addLayout(buttons);

    auto *rootsColumn = new QVBoxLayout;
    rootsColumn->addWidget(m_rootsButton);
    rootsColumn->addWidget(m_rootsList, 1);
    rootsColumn->addWidget(m_scanProgress);
    rootsColumn->addWidget(m_resultLabel);
    rootsColumn->setContentsMargins(0, 0, 0, 0);
    auto *rootsPanel = new QWidget(this);
    rootsPanel->setLayout(rootsColumn);
    rootsPanel->setFixedWidth(RootsColumnWidth);
    // Room for the longest summary, so that the list does not jump when it changes.
    m_resultLabel->setMinimumHeight(5 * fontMetrics().lineSpacing());

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(graphColumn, 1);
    layout->addWidget(rootsPanel);

    QWidget *order[] = {m_view, m_parametersBox, m_rootsButton, m_rootsList, m_zoomInButton, m_zoomOutButton,
                        m_backButton, m_forwardButton, m_settingsButton, m_saveButton, m_folderButton, m_calculatorButton, m_helpButton};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void GraphWindow::connectControls()
{
    // The window sees the keys before its controls, the parameters box excepted: there they are
    // typed (and the window's keys are back when the box loses the focus).
    for (QWidget *control : std::initializer_list<QWidget *>{
             m_xReadout, m_valueReadout, m_derivativeReadout, m_rootsButton, m_rootsList, m_settingsButton,
             m_saveButton, m_helpButton, m_folderButton, m_calculatorButton, m_zoomInButton, m_zoomOutButton,
             m_backButton, m_forwardButton})
        installKeyPreview(control);
    // Right-button releases on these open the main window's menus.
    for (QWidget *control : {static_cast<QWidget *>(m_saveButton), static_cast<QWidget *>(m_zoomInButton),
                             static_cast<QWidget *>(m_zoomOutButton), m_rootsList->viewport()})
        control->installEventFilter(this);

    connect(m_view, &GraphView::pointerMoved, this, [this](double x, double) { showPointValues(x); });
    connect(m_view, &GraphView::pointerLeft, this, &GraphWindow::clearReadouts);
    connect(m_parametersBox, &QLineEdit::textEdited, this, &GraphWindow::parametersEdited);
    connect(m_parametersBox, &QLineEdit::returnPressed, this, &GraphWindow::parametersEntered);
    connect(m_sliders, &ParameterSliders::parametersChanged, this, [this](const QString &text) {
        m_parametersBox->setText(text);
        parametersEdited(text);
    });
    connect(m_rootsList, &QListWidget::itemChanged, this, &GraphWindow::rootItemChanged);
    connect(m_rootsButton, &QPushButton::clicked, this, &GraphWindow::rootsButtonClicked);
    connect(m_settingsButton, &QPushButton::clicked, this, &GraphWindow::openSettings);
    connect(m_saveButton, &QPushButton::clicked, this, &GraphWindow::saveProjectRequested);
    connect(m_calculatorButton, &QPushButton::clicked, this, &GraphWindow::calculatorRequested);
    connect(m_helpButton, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, QStringLiteral("mg.html")); });
    connect(m_folderButton, &QPushButton::clicked, this, &GraphWindow::resultsFolderRequested);
    connect(m_zoomInButton, &QPushButton::clicked, this, [this] { zoomButtonClicked(FunctionProject::ZoomInFactor); });
    connect(m_zoomOutButton, &QPushButton::clicked, this, [this] { zoomButtonClicked(FunctionProject::ZoomOutFactor); });
    connect(m_backButton, &QPushButton::clicked, this, &GraphWindow::goBack);
    connect(m_forwardButton, &QPushButton::clicked, this, &GraphWindow::goForward);
    connect(this, &GraphWindow::stateChanged, this, [this] {
        m_backButton->setEnabled(m_history.canGoBack() && !isBusy());
        m_forwardButton->setEnabled(m_history.canGoForward() && !isBusy());
    });
    connect(m_view, &GraphView::clicked, this, &GraphWindow::graphClicked);
    m_view->setOverlayPainter([this](QPainter &painter) { m_marks.paint(painter, m_pane.surface()); });
}

void GraphWindow::load()
{
    if (!m_project)
        return;
    const QString parameters = m_project->parameterText();
    m_parametersBox->setVisible(!parameters.isEmpty());
    m_parametersBox->setText(parameters);
    m_sliders->setProject(m_project.get());
    m_sliders->followText(m_project->f().parameters());
    m_pane.load(false);
    recordView();
    m_marks.findExtrema(*m_project);
    showRoots();
    startRootScan(false, false);
    setTracking(true);
}

void GraphWindow::refreshGraph(bool intervalChanged)
{
    if (!m_project)
        return;
    const bool automatic = programSettings().findRootsAutomatically;
    // A new interval makes the running scan pointless.
    if (intervalChanged && m_scan)
        cancelRootScan();
    if (automatic && intervalChanged)
        m_keepChecked += m_pane.roots().checkedTexts();
    m_pane.refresh(intervalChanged);
    // A drag is one step of the history and one scan, at its end.
    if (!m_view->isDragging())
        recordView();
    showRoots();
    if (!m_view->isDragging()) {
        if (intervalChanged || m_functionChanged) {
            m_marks.unpin();
            m_marks.findExtrema(*m_project);
            if (automatic)
                startRootScan(true, false, true);
        }
        m_functionChanged = false;
    }
    if (!m_scan)
        m_keepChecked.clear();
    // The pointer stayed where it was, but the point under it changed.
    m_view->reportPointer();
}

bool GraphWindow::isBusy() const { return m_scan != nullptr && !m_scanAutomatic; }

void GraphWindow::setTracking(bool on)
{
    ProjectWindow::setTracking(on);
    if (!on)
        clearReadouts();
}

void GraphWindow::zoomButtonClicked(double factor)
{
    if (!m_project || isBusy())
        return;
    // Both axes; a refused axis stays, and the window redraws anyway.
    const ViewChange change = GraphNavigation::zoom(*m_project, true, true, factor);
    if (change.changed)
        markProjectChanged();
    refreshGraph(change.intervalChanged);
}

void GraphWindow::parametersEdited(const QString &text)
{
    // A half-typed list changes what it can; an empty box changes nothing.
    if (!m_project || text.trimmed().isEmpty())
        return;
    m_project->applyParameters(text);
    m_sliders->followText(m_project->f().parameters());
    markProjectChanged();
    if (m_scan)
        cancelRootScan();
    m_keepChecked += m_pane.roots().checkedTexts();
    // The roots listed were those of the old values; the summary says the function changed.
    m_pane.roots().functionChanged();
    m_functionChanged = true;
    refreshGraph(false);
}

void GraphWindow::parametersEntered()
{
    if (m_project)
        m_parametersBox->setText(m_project->f().parameters());
}

void GraphWindow::showPointValues(double x)
{
    const PointValues values = m_pane.pointValues(x);
    m_xReadout->setText(values.x);
    m_valueReadout->setText(values.value);
    m_derivativeReadout->setText(values.derivative);
}

void GraphWindow::clearReadouts()
{
    m_xReadout->clear();
    m_valueReadout->clear();
    m_derivativeReadout->clear();
}

bool GraphWindow::handleWindowKey(const KeyCommand &command)
{
    if (command.kind == KeyCommand::Kind::CloseFullScreen) {
        // Esc stops a scan; otherwise it is not the graph window's key.
        if (!m_scan)
            return false;
        cancelRootScan();
        return true;
    }
    if (command.kind == KeyCommand::Kind::FocusParameters) {
        if (isBusy())
            return true;
        if (m_parametersBox->isVisible())
            m_parametersBox->setFocus(Qt::ShortcutFocusReason);
        refreshGraph(true);
        return true;
    }
    return false;
}

bool GraphWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::RightButton) {
        const QPoint at = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
        QMenu *menu = nullptr;
        if (watched == m_saveButton)
            menu = m_menus.saveMenu;
        else if (watched == m_zoomInButton)
            menu = m_menus.zoomInMenu;
        else if (watched == m_zoomOutButton)
            menu = m_menus.zoomOutMenu;
        else if (watched == m_rootsList->viewport() && m_rootsList->count() > 0 && m_pane.roots().rootsFound())
            menu = m_menus.selectMenu;
        if (menu) {
            menu->popup(at);
            return true;
        }
    }
    return ProjectWindow::eventFilter(watched, event);
}

void GraphWindow::closeEvent(QCloseEvent *event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    if (m_scan)
        cancelRootScan();
    QWidget::closeEvent(event);
}

void GraphWindow::maximize(FullScreenGraph &fullScreen)
{
    if (!m_project || isBusy())
        return;
    fullScreen.showInPlaceOf(this);
}

// Roots: the list mirrors the pane's RootList; the scan runs in slices.

void GraphWindow::showRoots()
{
    const RootList &roots = m_pane.roots();
    const QStringList texts = roots.texts();
    m_showingRoots = true;
    // The list grows during a scan; anything else fills it anew.
    bool isPrefix = m_rootsList->count() <= texts.size();
    for (int i = 0; isPrefix && i < m_rootsList->count(); ++i)
        isPrefix = m_rootsList->item(i)->text() == texts.at(i);
    if (!isPrefix)
        m_rootsList->clear();
    for (int i = m_rootsList->count(); i < texts.size(); ++i) {
        auto *item = new QListWidgetItem(texts.at(i), m_rootsList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    }
    for (int i = 0; i < texts.size(); ++i)
        m_rootsList->item(i)->setCheckState(roots.isChecked(i) ? Qt::Checked : Qt::Unchecked);
    m_showingRoots = false;
    m_resultLabel->setText(roots.resultText());
    m_rootsButton->setText(roots.buttonCaption());
    m_view->update();
    emit stateChanged();
}

void GraphWindow::rootItemChanged(QListWidgetItem *item)
{
    if (m_showingRoots)
        return;
    m_pane.setRootChecked(m_rootsList->row(item), item->checkState() == Qt::Checked);
    m_view->update();
}

void GraphWindow::selectRoots(bool checked, bool invert)
{
    m_pane.selectRoots(checked, invert);
    showRoots();
}

void GraphWindow::copyRoots() const { m_pane.copyRoots(); }

QString GraphWindow::rootsMenuCaption() const
{
    const RootList &roots = m_pane.roots();
    if (!roots.menuCaption().isEmpty())
        return roots.menuCaption();
    return roots.buttonRole() == RootList::ButtonRole::SaveRoots
        ? LangText("SaveRoots1", "&Save roots") + QStringLiteral("...")
        : LangText("FindRoots1", "&Find roots");
}

void GraphWindow::rootsButtonClicked()
{
    if (!m_project || isBusy())
        return;
    // An automatic scan still under way has found only part of the roots: the saved report
    // waits for the whole scan.
    if (m_scan && m_scanAutomatic && m_pane.roots().buttonRole() == RootList::ButtonRole::SaveRoots) {
        startRootScan(true, true);
        return;
    }
    if (m_pane.roots().buttonRole() == RootList::ButtonRole::SaveRoots) {
        m_pane.rootsButtonClicked();
        showRoots();
        return;
    }
    startRootScan(true, false);
}

void GraphWindow::findOrSaveRoots(bool save)
{
    if (!m_project || isBusy())
        return;
    if (m_pane.roots().buttonRole() == RootList::ButtonRole::FindRoots)
        startRootScan(true, save);
    else
        rootsButtonClicked();
}

void GraphWindow::setRootScanTiming(int blockingMilliseconds, int sliceMilliseconds)
{
    m_scanBlockingMilliseconds = blockingMilliseconds;
    m_scanSliceMilliseconds = sliceMilliseconds;
}

void GraphWindow::startRootScan(bool fromButton, bool saveAfter, bool automatic)
{
    // A newer scan replaces an automatic one that still runs.
    if (m_scan)
        cancelRootScan();
    m_scanAutomatic = automatic;
    m_pane.roots().beginScan(fromButton);
    if (fromButton && !automatic) {
        // The list was emptied: the markers of a stopped scan go with it.
        m_pane.refresh(false);
        showRoots();
    }
    m_scanTaken = 0;
    m_saveAfterScan = saveAfter;
    m_scan = new SlicedRootScan(*m_project, this);
    connect(m_scan, &SlicedRootScan::progressed, this, [this] {
        takeScannedRoots();
        m_scanProgress->setValue(qRound(m_scan->progress() * ProgressSteps));
        showRoots();
    });
    connect(m_scan, &SlicedRootScan::finished, this, &GraphWindow::finishRootScan);
    bool done = false;
    {
        const WaitCursor waitCursor;
        done = m_scan->start(automatic ? qMin(m_scanBlockingMilliseconds, AutomaticBlockingMilliseconds)
                                       : m_scanBlockingMilliseconds,
                             m_scanSliceMilliseconds);
    }
    if (done) {
        finishRootScan(false);
        return;
    }
    m_scanProgress->setValue(qRound(m_scan->progress() * ProgressSteps));
    m_scanProgress->show();
    setBusy(!automatic);
    takeScannedRoots();
    showRoots();
}

void GraphWindow::takeScannedRoots()
{
    const QVector<double> &found = m_scan->roots();
    if (found.size() > m_scanTaken) {
        const int from = m_pane.roots().count();
        m_pane.roots().addScannedRoots(found.mid(m_scanTaken));
        m_scanTaken = found.size();
        m_pane.roots().checkListed(m_keepChecked, from, m_pane.surface());
    }
}

void GraphWindow::finishRootScan(bool cancelled)
{
    if (!m_scan)
        return;
    takeScannedRoots();
    m_pane.roots().endScan(cancelled);
    // Not deleted at once: this may run inside the scan's own signal.
    m_scan->disconnect(this);
    m_scan->deleteLater();
    m_scan = nullptr;
    m_scanProgress->hide();
    if (m_scanAutomatic)
        emit stateChanged();
    else
        setBusy(false);
    m_scanAutomatic = false;
    if (!cancelled)
        m_keepChecked.clear();
    showRoots();
    if (m_saveAfterScan && !cancelled)
        rootsButtonClicked();
    m_saveAfterScan = false;
}

void GraphWindow::cancelRootScan()
{
    if (m_scan)
        m_scan->cancel();
}

void GraphWindow::setBusy(bool busy)
{
    for (QWidget *control : std::initializer_list<QWidget *>{m_parametersBox, m_rootsButton, m_settingsButton,
                                                             m_zoomInButton, m_zoomOutButton})
        control->setEnabled(!busy);
    m_view->setNavigationEnabled(!busy);
    // Esc reaches the window wherever the focus was.
    if (busy && !m_view->hasFocus() && !m_rootsList->hasFocus())
        m_view->setFocus();
    emit stateChanged();
}

void GraphWindow::setShowExtrema(bool on)
{
    m_marks.setShowExtrema(on);
    if (m_project)
        m_marks.findExtrema(*m_project);
    m_view->update();
    emit stateChanged();
}

void GraphWindow::graphClicked(const QPointF &position)
{
    if (m_marks.click(position, m_pane.roots(), m_pane.surface()))
        m_view->update();
}
