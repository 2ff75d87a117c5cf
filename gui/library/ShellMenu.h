#pragma once
// The context menu of the library browser's tree and list: the browser's own commands, then
// the verbs every file has here (open, open its folder, copy its path, move it to the trash).
// Own commands go back to the caller; the verbs are carried out here.

#include <QPoint>
#include <QString>
#include <QStringList>

#include "platform/Types.h"

class QWidget;

// The clipboard holds library records to paste.
bool HasLibraryItemsOnClipboard();

// Shows the menu for items of kind at the global point; returns the own command chosen (1 to
// 4), else 0. A chosen verb is carried out on paths.
UINT ShowShellContextMenu(QWidget* owner, const QStringList& paths, UINT kind, QPoint global);
// The same for a root of the tree, which stands for the folder at path.
UINT ShowRootContextMenu(QWidget* owner, const QString& path, QPoint global);

// Moves the files or folders to the desktop trash; where there is none the user is asked
// whether to delete them for good. False when something was not removed (the user is told).
bool DeleteShellItems(const QStringList& paths);
