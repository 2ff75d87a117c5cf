#pragma once
// Gives the drop-down buttons of the main and drawing toolbars their popups: the undo and
// redo lists, the line and fill colour grids and the line width and fill style lists. Each
// serves the active view at the time it opens.

#include <QWidget>
#include <functional>

class QToolBar;

// activeView gives the active child frame's view, or null.
void AttachToolbarPopups(QToolBar* mainBar, QToolBar* drawingBar,
                         std::function<QWidget*()> activeView);
