#pragma once
// The menu tree of the main window: the menu bar (File, Calculate, Graph, Window, Help) and the
// two menus that graph windows open as context menus (mnupopsave, mnuselect). Items are found
// by their names ("mnuwizard", "mnuzoominpro(2)", ...); a menu's own entry is found under the
// menu's name. Captions come from the language file; shortcuts are fixed.
#include <QHash>
#include <QKeySequence>
#include <QString>
#include <QStringList>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class MainMenus {
public:
    // Builds every menu and item under `owner`; the bar menus go into `bar`.
    MainMenus(QWidget *owner, QMenuBar *bar);

    // Sets every caption from the current language file ("..." appended where the item opens
    // a dialog); fixed captions stay as they are.
    void setCaptions();

    // The item or menu entry called `name`, or nullptr.
    QAction *action(const QString &name) const;
    // The menu called `name` (top-level menus, the zoom submenus and the two context menus).
    QMenu *menu(const QString &name) const;
    // All item and menu names in menu order, separators excluded.
    QStringList names() const { return m_names; }

private:
    QMenu *addMenu(const QString &name, QMenu *parent);
    QAction *addItem(QMenu *menu, const QString &name, const QKeySequence &shortcut = QKeySequence());
    void addSeparator(QMenu *menu, const QString &name);
    void caption(const QString &name, const QString &text);

    QWidget *m_owner;
    QMenuBar *m_bar;
    QHash<QString, QAction *> m_actions;
    QHash<QString, QMenu *> m_menus;
    QStringList m_names;
};
