#pragma once
// The menus: the frame's menu bar while no document is open, the menu bars of the document
// kinds, and the popup menus of the bars and rulers. Items name commands of CommandTable.h.

#include <span>

#include "platform/Types.h"

struct MenuItem {
    enum Kind {
        kCommand,  // the command id; text, when given, replaces the command's menu text
        kSeparator,
        kPopup,        // a submenu titled text holding items
        kRecentFiles,  // the recent-file entries, filled when the menu opens
        kWindowList,   // the open windows, filled when the menu opens
    };
    Kind kind;
    UINT id;
    const char* text;
    std::span<const MenuItem> items;
};

struct MenuInfo {
    UINT id;                          // IDR_MAINFRAME, IDR_SCHEMATIC, ...
    std::span<const MenuItem> items;  // a menu bar's popups, or a popup menu's items
};

std::span<const MenuInfo> AllMenus();
// The menu with resource id; null for an unknown id.
const MenuInfo* FindMenu(UINT id);
