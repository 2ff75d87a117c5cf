#pragma once
// The accelerators of the command table as keys. The table names a key as the menus show it
// ("Minus", "Ctrl+Plus", "Page Up"). Keys without Ctrl or Alt (letters, Space, Plus, Minus,
// Home, Page Up, Page Down) belong to the drawing view: they act only while it has the focus,
// so that edit fields, lists and dialogs keep them. The others, the function keys, Del and Esc
// work anywhere in the main window: Esc cancels the view's gesture wherever the focus is.

#include <QKeySequence>
#include <QList>

#include "platform/Types.h"

struct CommandInfo;
class QKeyEvent;

// The key of a table entry; empty when it has none.
QKeySequence AcceleratorOf(const CommandInfo& info);
// The shortcuts of a table entry that works anywhere: its key and, for a key named "Enter",
// the same with the main keyboard's Return, since "Enter" names both keys. Empty for an entry
// without a key and for the view's own keys.
QList<QKeySequence> WindowShortcutsOf(const CommandInfo& info);
// Whether the key is one of the drawing view's.
bool IsViewKey(const QKeySequence& key);
// The command whose view key the event is; 0 when none.
UINT ViewKeyCommand(const QKeyEvent& event);
