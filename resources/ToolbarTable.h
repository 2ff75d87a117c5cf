#pragma once
// The toolbars: their window texts and ids and the commands of their buttons, in order.
// Some slots hold a control or a drop-down button instead of a plain button.

#include <span>

#include "platform/Types.h"

struct ToolbarButton {
    enum Kind {
        kButton,
        kSeparator,
        kDropDown,  // a button with a drop-down part (undo list, palette, colour picker)
        kCombo,     // a combo box of the given width
    };
    Kind kind;
    UINT id;
    int width;  // pixels, for combo boxes and widened drop-down slots
};

struct ToolbarInfo {
    UINT resourceId;    // IDR_MAIN_TOOLBAR, ...
    UINT windowId;      // the bar's window id
    UINT viewCommand;   // the View command that shows and hides it
    const char* title;  // window text
    bool visibleAtStart;
    std::span<const ToolbarButton> buttons;
};

std::span<const ToolbarInfo> AllToolbars();
// The toolbar with resource id; null for an unknown id.
const ToolbarInfo* FindToolbar(UINT resourceId);
