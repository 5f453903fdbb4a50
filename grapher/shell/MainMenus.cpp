#include "MainMenus.h"

#include "LangText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// Appended after the lookup to the captions of items that open a dialog.
const QString Dots = QStringLiteral("...");

} // namespace

MainMenus::MainMenus(QWidget *owner, QMenuBar *bar) : m_owner(owner), m_bar(bar)
{
    QMenu *file = addMenu(QStringLiteral("mnufile"), nullptr);
    addItem(file, QStringLiteral("mnuwizard"), QKeySequence(Qt::CTRL | Qt::Key_N));
    addItem(file, QStringLiteral("mnuopenproj"), QKeySequence(Qt::CTRL | Qt::Key_O));
    addSeparator(file, QStringLiteral("mnuspace01"));
    addItem(file, QStringLiteral("mnusaveproj"), QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(file, QStringLiteral("mnusaveprojas"));
    addItem(file, QStringLiteral("mnusaveall"));
    addSeparator(file, QStringLiteral("mnuspace02"));
    addItem(file, QStringLiteral("mnuclose"), QKeySequence(Qt::CTRL | Qt::Key_W));
    addItem(file, QStringLiteral("mnucloseall"));
    addSeparator(file, QStringLiteral("mnuspace03"));
    addItem(file, QStringLiteral("mnutrevcalc"), QKeySequence(Qt::Key_F2));
    addItem(file, QStringLiteral("mnugenoptions"), QKeySequence(Qt::Key_F8));
    addSeparator(file, QStringLiteral("mnusp1"));
    addItem(file, QStringLiteral("mnuexit"));

    QMenu *calc = addMenu(QStringLiteral("mnucalc"), nullptr);
    addItem(calc, QStringLiteral("mnueval"), QKeySequence(Qt::CTRL | Qt::Key_E));
    addItem(calc, QStringLiteral("mnuder"), QKeySequence(Qt::CTRL | Qt::Key_D));
    addItem(calc, QStringLiteral("mnuintegrate"), QKeySequence(Qt::CTRL | Qt::Key_I));
    addSeparator(calc, QStringLiteral("mnuspace04"));
    addItem(calc, QStringLiteral("mnuroots"), QKeySequence(Qt::CTRL | Qt::Key_R));
    addItem(calc, QStringLiteral("mnuextrema"), QKeySequence(Qt::CTRL | Qt::Key_M));

    QMenu *graph = addMenu(QStringLiteral("mnugraph"), nullptr);
    QMenu *zoomIn = addMenu(QStringLiteral("mnuzoomin"), graph);
    QMenu *zoomOut = addMenu(QStringLiteral("mnuzoomout"), graph);
    for (int i = 0; i < 3; ++i) {
        addItem(zoomIn, QStringLiteral("mnuzoominpro(%1)").arg(i));
        addItem(zoomOut, QStringLiteral("mnuzoomoutpro(%1)").arg(i));
    }
    addItem(graph, QStringLiteral("mnuoptions"), QKeySequence(Qt::Key_F9));
    addItem(graph, QStringLiteral("mnushowgrid"))->setCheckable(true);
    addItem(graph, QStringLiteral("mnumax"), QKeySequence(Qt::Key_F11));
    addSeparator(graph, QStringLiteral("mnuspace06"));
    addItem(graph, QStringLiteral("mnusavegraph"), QKeySequence(Qt::CTRL | Qt::Key_G));
    // Printing is complete but not offered in the menu.
    addItem(graph, QStringLiteral("mnuprintgraph"), QKeySequence(Qt::CTRL | Qt::Key_P))->setVisible(false);
    addItem(graph, QStringLiteral("mnucopyclipb"), QKeySequence(Qt::CTRL | Qt::Key_L));

    QMenu *window = addMenu(QStringLiteral("mnuwindow"), nullptr);
    addItem(window, QStringLiteral("mnucascade"));

    QMenu *help = addMenu(QStringLiteral("mnuhelp"), nullptr);
    addItem(help, QStringLiteral("mnumainhelp"), QKeySequence(Qt::CTRL | Qt::Key_F1));
    addItem(help, QStringLiteral("mnuhelpnew"));
    addSeparator(help, QStringLiteral("mnuspace08"));
    addItem(help, QStringLiteral("mnusite"));
    addItem(help, QStringLiteral("mnunumerical"));
    addSeparator(help, QStringLiteral("mnuspace09"));
    addItem(help, QStringLiteral("mnucheck"));
    addItem(help, QStringLiteral("mnuabout"));

    // Context menus of the graph windows; never in the menu bar.
    QMenu *popSave = addMenu(QStringLiteral("mnupopsave"), nullptr);
    addItem(popSave, QStringLiteral("mnupopsaveproj"));
    addItem(popSave, QStringLiteral("mnupopsavegraph"));
    addItem(popSave, QStringLiteral("mnupopsaveroots"));

    QMenu *select = addMenu(QStringLiteral("mnuselect"), nullptr);
    addItem(select, QStringLiteral("mnuselectall"));
    addItem(select, QStringLiteral("mnuselectnone"));
    addItem(select, QStringLiteral("mnuselectinvert"));
    addSeparator(select, QStringLiteral("mnuselectdash"));
    addItem(select, QStringLiteral("mnuselectclip"));

    for (const QString &name : {QStringLiteral("mnufile"), QStringLiteral("mnucalc"), QStringLiteral("mnugraph"),
                                QStringLiteral("mnuwindow"), QStringLiteral("mnuhelp")})
        m_bar->addMenu(m_menus.value(name));

    // Captions as designed, for items whose caption the language file does not change.
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
    m_menus.insert(name, menu);
    m_actions.insert(name, menu->menuAction());
    m_names << name;
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
    m_names << name;
    return action;
}

void MainMenus::addSeparator(QMenu *menu, const QString &name) { menu->addSeparator()->setObjectName(name); }

void MainMenus::caption(const QString &name, const QString &text)
{
    if (QAction *item = m_actions.value(name))
        item->setText(text);
}

QAction *MainMenus::action(const QString &name) const { return m_actions.value(name); }

QMenu *MainMenus::menu(const QString &name) const { return m_menus.value(name); }

void MainMenus::setCaptions()
{
    caption(QStringLiteral("mnufile"), LangText("File", "&File"));
    caption(QStringLiteral("mnuwizard"), LangText("NewProject", "&New project") + Dots);
    caption(QStringLiteral("mnuopenproj"), LangText("OpenProject", "&Open project") + Dots);
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
    caption(QStringLiteral("mnumax"), LangText("Maximize", "Maximize") + Dots);
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
