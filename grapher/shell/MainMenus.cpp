#include "shell/MainMenus.h"

#include "core/LangText.h"
#include "shell/RecentFiles.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// Appended after the lookup to the captions of items that open a dialog.
const QString Dots = QStringLiteral("...");

} // namespace

MainMenus::MainMenus(QWidget *owner, QMenuBar *bar) : m_owner(owner), m_bar(bar)
{
    fileMenu = addMenu(QStringLiteral("mnufile"), nullptr);
    newProjectAction = addItem(fileMenu, QStringLiteral("mnuwizard"), QKeySequence(Qt::CTRL | Qt::Key_N));
    openProjectAction = addItem(fileMenu, QStringLiteral("mnuopenproj"), QKeySequence(Qt::CTRL | Qt::Key_O));
    recentMenu = addMenu(QStringLiteral("mnurecent"), fileMenu);
    addSeparator(fileMenu, QStringLiteral("mnuspace01"));
    saveProjectAction = addItem(fileMenu, QStringLiteral("mnusaveproj"), QKeySequence(Qt::CTRL | Qt::Key_S));
    saveProjectAsAction = addItem(fileMenu, QStringLiteral("mnusaveprojas"));
    saveAllAction = addItem(fileMenu, QStringLiteral("mnusaveall"));
    addSeparator(fileMenu, QStringLiteral("mnuspace02"));
    closeProjectAction = addItem(fileMenu, QStringLiteral("mnuclose"), QKeySequence(Qt::CTRL | Qt::Key_W));
    closeAllAction = addItem(fileMenu, QStringLiteral("mnucloseall"));
    addSeparator(fileMenu, QStringLiteral("mnuspace03"));
    calculatorAction = addItem(fileMenu, QStringLiteral("mnutrevcalc"), QKeySequence(Qt::Key_F2));
    generalOptionsAction = addItem(fileMenu, QStringLiteral("mnugenoptions"), QKeySequence(Qt::Key_F8));
    addSeparator(fileMenu, QStringLiteral("mnusp1"));
    exitAction = addItem(fileMenu, QStringLiteral("mnuexit"));

    calculateMenu = addMenu(QStringLiteral("mnucalc"), nullptr);
    evaluateAction = addItem(calculateMenu, QStringLiteral("mnueval"), QKeySequence(Qt::CTRL | Qt::Key_E));
    deriveAction = addItem(calculateMenu, QStringLiteral("mnuder"), QKeySequence(Qt::CTRL | Qt::Key_D));
    integrateAction = addItem(calculateMenu, QStringLiteral("mnuintegrate"), QKeySequence(Qt::CTRL | Qt::Key_I));
    addSeparator(calculateMenu, QStringLiteral("mnuspace04"));
    rootsAction = addItem(calculateMenu, QStringLiteral("mnuroots"), QKeySequence(Qt::CTRL | Qt::Key_R));
    extremaAction = addItem(calculateMenu, QStringLiteral("mnuextrema"), QKeySequence(Qt::CTRL | Qt::Key_M));

    graphMenu = addMenu(QStringLiteral("mnugraph"), nullptr);
    zoomInMenu = addMenu(QStringLiteral("mnuzoomin"), graphMenu);
    zoomOutMenu = addMenu(QStringLiteral("mnuzoomout"), graphMenu);
    for (int i = 0; i < 3; ++i) {
        zoomInActions[i] = addItem(zoomInMenu, QStringLiteral("mnuzoominpro(%1)").arg(i));
        zoomOutActions[i] = addItem(zoomOutMenu, QStringLiteral("mnuzoomoutpro(%1)").arg(i));
    }
    graphSettingsAction = addItem(graphMenu, QStringLiteral("mnuoptions"), QKeySequence(Qt::Key_F9));
    showGridAction = addItem(graphMenu, QStringLiteral("mnushowgrid"));
    showGridAction->setCheckable(true);
    fitViewAction = addItem(graphMenu, QStringLiteral("mnufit"), QKeySequence(Qt::CTRL | Qt::Key_0));
    showExtremaAction = addItem(graphMenu, QStringLiteral("mnushowextrema"));
    showExtremaAction->setCheckable(true);
    viewBackAction = addItem(graphMenu, QStringLiteral("mnuviewback"), QKeySequence(Qt::ALT | Qt::Key_Left));
    viewForwardAction = addItem(graphMenu, QStringLiteral("mnuviewforward"), QKeySequence(Qt::ALT | Qt::Key_Right));
    showFPrimeAction = addItem(graphMenu, QStringLiteral("mnushowder1"), QKeySequence(Qt::CTRL | Qt::Key_1));
    showFPrimeAction->setCheckable(true);
    showFSecondAction = addItem(graphMenu, QStringLiteral("mnushowder2"), QKeySequence(Qt::CTRL | Qt::Key_2));
    showFSecondAction->setCheckable(true);
    maximizeAction = addItem(graphMenu, QStringLiteral("mnumax"), QKeySequence(Qt::Key_F11));
    addSeparator(graphMenu, QStringLiteral("mnuspace06"));
    saveGraphAction = addItem(graphMenu, QStringLiteral("mnusavegraph"), QKeySequence(Qt::CTRL | Qt::Key_G));
    printGraphAction = addItem(graphMenu, QStringLiteral("mnuprintgraph"), QKeySequence(Qt::CTRL | Qt::Key_P));
    copyGraphAction = addItem(graphMenu, QStringLiteral("mnucopyclipb"), QKeySequence(Qt::CTRL | Qt::Key_L));

    windowMenu = addMenu(QStringLiteral("mnuwindow"), nullptr);
    cascadeAction = addItem(windowMenu, QStringLiteral("mnucascade"));

    helpMenu = addMenu(QStringLiteral("mnuhelp"), nullptr);
    helpContentsAction = addItem(helpMenu, QStringLiteral("mnumainhelp"), QKeySequence(Qt::CTRL | Qt::Key_F1));
    // F1 as well, the key for help in every desktop program; the menu shows Ctrl+F1.
    helpContentsAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F1), QKeySequence(Qt::Key_F1)});
    whatsNewAction = addItem(helpMenu, QStringLiteral("mnuhelpnew"));
    addSeparator(helpMenu, QStringLiteral("mnuspace08"));
    siteAction = addItem(helpMenu, QStringLiteral("mnusite"));
    numericalMethodsAction = addItem(helpMenu, QStringLiteral("mnunumerical"));
    addSeparator(helpMenu, QStringLiteral("mnuspace09"));
    checkUpdatesAction = addItem(helpMenu, QStringLiteral("mnucheck"));
    aboutAction = addItem(helpMenu, QStringLiteral("mnuabout"));

    // Context menus of the graph windows; never in the menu bar.
    saveContextMenu = addMenu(QStringLiteral("mnupopsave"), nullptr);
    contextSaveProjectAction = addItem(saveContextMenu, QStringLiteral("mnupopsaveproj"));
    contextSaveGraphAction = addItem(saveContextMenu, QStringLiteral("mnupopsavegraph"));
    contextSaveRootsAction = addItem(saveContextMenu, QStringLiteral("mnupopsaveroots"));

    selectContextMenu = addMenu(QStringLiteral("mnuselect"), nullptr);
    selectAllAction = addItem(selectContextMenu, QStringLiteral("mnuselectall"));
    selectNoneAction = addItem(selectContextMenu, QStringLiteral("mnuselectnone"));
    invertSelectionAction = addItem(selectContextMenu, QStringLiteral("mnuselectinvert"));
    addSeparator(selectContextMenu, QStringLiteral("mnuselectdash"));
    copyRootsAction = addItem(selectContextMenu, QStringLiteral("mnuselectclip"));

    for (QMenu *menu : {fileMenu, calculateMenu, graphMenu, windowMenu, helpMenu})
        m_bar->addMenu(menu);

    // Fixed captions, for items whose caption the language file does not change.
    caption(QStringLiteral("mnutrevcalc"), QStringLiteral("Trevolin &Calculator"));
    for (const QString &menuName : {QStringLiteral("mnuzoominpro(%1)"), QStringLiteral("mnuzoomoutpro(%1)")}) {
        caption(menuName.arg(0), QStringLiteral("X"));
        caption(menuName.arg(1), QStringLiteral("Y"));
        caption(menuName.arg(2), QStringLiteral("X && Y"));
    }
    caption(QStringLiteral("mnusite"), QStringLiteral("&Trevolin OnLine"));
    setCaptions();
}

QMenu *MainMenus::addMenu(const QString &name, QMenu *parent)
{
    auto *menu = new QMenu(parent ? static_cast<QWidget *>(parent) : m_owner);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    if (parent)
        parent->addMenu(menu);
    m_actions.insert(name, menu->menuAction());
    return menu;
}

QAction *MainMenus::addItem(QMenu *menu, const QString &name, const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(QString());
    action->setObjectName(name);
    action->setShortcut(shortcut);
    // Known to the main window too, so the shortcut works wherever the focus is inside it.
    m_owner->addAction(action);
    m_actions.insert(name, action);
    return action;
}

void MainMenus::addSeparator(QMenu *menu, const QString &name) { menu->addSeparator()->setObjectName(name); }

void MainMenus::caption(const QString &name, const QString &text)
{
    if (QAction *item = m_actions.value(name))
        item->setText(text);
}

void MainMenus::setCaptions()
{
    caption(QStringLiteral("mnufile"), LangText("File", "&File"));
    caption(QStringLiteral("mnuwizard"), LangText("NewProject", "&New project") + Dots);
    caption(QStringLiteral("mnuopenproj"), LangText("OpenProject", "&Open project") + Dots);
    caption(QStringLiteral("mnurecent"), RecentFiles::menuCaption());
    caption(QStringLiteral("mnusaveproj"), LangText("SaveProject", "&Save project"));
    caption(QStringLiteral("mnusaveprojas"), LangText("SaveProjectAs", "&Save project as") + Dots);
    caption(QStringLiteral("mnusaveall"), LangText("SaveAll", "Save all projects"));
    caption(QStringLiteral("mnuclose"), LangText("CloseProject", "&Close project"));
    caption(QStringLiteral("mnucloseall"), LangText("CloseAllProjects", "Close &all projects"));
    caption(QStringLiteral("mnugenoptions"), LangText("GeneralOptions1", "&General options") + Dots);
    caption(QStringLiteral("mnuexit"), LangText("Exit", "E&xit"));

    caption(QStringLiteral("mnucalc"), LangText("Calculate", "&Calculate"));
    caption(QStringLiteral("mnueval"), LangText("Evaluate1", "&Evaluate") + Dots);
    caption(QStringLiteral("mnuder"), LangText("Derive1", "&Derive") + Dots);
    caption(QStringLiteral("mnuintegrate"), LangText("Integrate1", "&Integrate") + Dots);
    caption(QStringLiteral("mnuroots"), LangText("SaveRoots1", "&Save roots") + Dots);
    caption(QStringLiteral("mnuextrema"), LangText("FindExtrema", "Find e&xtrema") + Dots);

    caption(QStringLiteral("mnugraph"), LangText("Graph", "&Graph"));
    caption(QStringLiteral("mnuzoomin"), LangText("ZoomIn", "Zoom In"));
    caption(QStringLiteral("mnuzoomout"), LangText("ZoomOut", "Zoom Out"));
    caption(QStringLiteral("mnuoptions"), LangText("Options1", "&Options") + Dots);
    caption(QStringLiteral("mnushowgrid"), LangText("ShowGrid", "Show &grid"));
    caption(QStringLiteral("mnushowextrema"), LangText("ShowExtrema", "Show e&xtrema"));
    caption(QStringLiteral("mnuviewback"), LangText("Back", "Back"));
    caption(QStringLiteral("mnuviewforward"), LangText("Forward", "Forward"));
    caption(QStringLiteral("mnushowder1"), LangText("ShowFPrime", "Show f′"));
    caption(QStringLiteral("mnushowder2"), LangText("ShowFSecond", "Show f″"));
    caption(QStringLiteral("mnumax"), LangText("Maximize", "Maximize"));
    caption(QStringLiteral("mnufit"), LangText("FitVertical", "&Fit vertical range"));
    caption(QStringLiteral("mnusavegraph"), LangText("SaveGraph1", "&Save graph") + Dots);
    caption(QStringLiteral("mnuprintgraph"), LangText("PrintGraph", "&Print graph") + Dots);
    caption(QStringLiteral("mnucopyclipb"), LangText("CopyClipboard", "&Copy to clipboard"));

    caption(QStringLiteral("mnuwindow"), LangText("Window", "&Window"));
    caption(QStringLiteral("mnucascade"), LangText("Cascade", "&Cascade"));

    caption(QStringLiteral("mnuhelp"), LangText("Help1", "&Help"));
    caption(QStringLiteral("mnumainhelp"), LangText("MainHelp", "&Main help"));
    caption(QStringLiteral("mnuhelpnew"), LangText("WhatsNew", "&What's new"));
    caption(QStringLiteral("mnunumerical"), LangText("Behind", "&Behind the scenes"));
    caption(QStringLiteral("mnucheck"), LangText("Updates", "Check for updates"));
    caption(QStringLiteral("mnuabout"), LangText("About1", "&About Trevolin") + Dots);

    caption(QStringLiteral("mnupopsave"), LangText("Save", "&Save"));
    caption(QStringLiteral("mnupopsaveproj"), LangText("SaveProject", "Save &project") + Dots);
    caption(QStringLiteral("mnupopsavegraph"), LangText("SaveGraph", "Save &graph") + Dots);
    caption(QStringLiteral("mnupopsaveroots"), LangText("SaveRoots2", "Save &roots") + Dots);

    caption(QStringLiteral("mnuselect"), LangText("Select", "Select"));
    caption(QStringLiteral("mnuselectall"), LangText("SelectAll", "Select &all"));
    caption(QStringLiteral("mnuselectnone"), LangText("SelectNone", "Select &none"));
    caption(QStringLiteral("mnuselectinvert"), LangText("SelectInvert", "&Invert selection"));
    caption(QStringLiteral("mnuselectclip"), LangText("CopyClipboard", "&Copy to clipboard"));
}

void MainMenus::setMaximizeCaption(bool backToNormal)
{
    maximizeAction->setText(backToNormal ? LangText("BackNormal", "Back to normal mode")
                                         : LangText("Maximize", "Maximize"));
}
