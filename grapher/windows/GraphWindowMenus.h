#pragma once
// The main window's menus that the graph windows open as pop-ups. The main window builds them
// and acts on its active child when an item is chosen, so a graph window only shows them; it
// never learns what the items do.
class QMenu;

struct GraphWindowMenus {
    QMenu *graphMenu = nullptr;    // right button on the graph ("&Graph")
    QMenu *zoomInMenu = nullptr;   // right button on the zoom-in button (X, Y, X && Y)
    QMenu *zoomOutMenu = nullptr;  // right button on the zoom-out button
    QMenu *saveMenu = nullptr;     // right button on the save button
    QMenu *selectMenu = nullptr;   // right button on the roots list
};
