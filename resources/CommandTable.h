#pragma once
// The commands of the program: for each id its menu text (with the accelerator shown after a
// tab), its status-bar prompt and tooltip, its accelerator key and its toolbar image. Menus,
// toolbars and accelerators are built from this table and the layouts of MenuTable.h and
// ToolbarTable.h.

#include <span>

#include "platform/Types.h"

struct CommandInfo {
    UINT id;
    const char* text;    // menu text, "&New\tCtrl+N"
    const char* prompt;  // status-bar prompt, then "\n" and the tooltip; may be empty
    const char* key;     // accelerator in portable key-sequence form ("Ctrl+N"), or empty
    const char* image;   // resource path of the toolbar and menu image, or empty
};

std::span<const CommandInfo> AllCommands();
// The entry of id; null for an id the table does not hold.
const CommandInfo* FindCommandInfo(UINT id);

// Commands that the menus and toolbars show but whose handlers come with the editing views
// and the dialogs. The router keeps them disabled until a handler is registered.
std::span<const UINT> PendingCommandIds();
