#pragma once
// The pop-up menu of the path macros beside a custom tool's edit boxes: choosing an item
// replaces the edit's selection (or inserts at the caret) with the macro, undoably.

class QLineEdit;
class QMenu;
class QWidget;

// A new menu, owned by parent, whose items insert into target.
QMenu* NewMacroMenu(QLineEdit* target, QWidget* parent);
