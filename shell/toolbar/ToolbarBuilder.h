#pragma once
// Builds a toolbar from the toolbar table. Buttons share the command actions; combo boxes are
// made empty at their width and registered with the actions under their command ids, for
// their owner to fill.

#include "resources/ToolbarTable.h"

class CommandActions;
class QToolBar;
class QWidget;

// The toolbar's object name is "toolbar" followed by its window id.
QToolBar* BuildToolbar(const ToolbarInfo& info, CommandActions& actions, QWidget* parent);
