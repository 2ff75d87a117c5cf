#pragma once
// Builds Qt menus from the menu table. Items share the command actions; the dynamic parts
// (recent files, window list) get an invisible anchor action after which the owner inserts
// the entries when the menu opens.

#include <QString>
#include <span>
#include <vector>

#include "resources/MenuTable.h"

class CommandActions;
class QAction;
class QMenu;
class QWidget;

// A menu titled title holding items (submenus built recursively); its object name is "menu"
// followed by the title without '&' and blanks ("menuFile").
QMenu* BuildMenu(const QString& title, std::span<const MenuItem> items, CommandActions& actions,
                 QWidget* parent);
// The popups of a menu bar, in order.
std::vector<QMenu*> BuildMenuBar(const MenuInfo& menu, CommandActions& actions, QWidget* parent);
// The anchor of a dynamic part of kind in menu (not its submenus), or null.
QAction* FindDynamicAnchor(const QMenu* menu, MenuItem::Kind kind);
