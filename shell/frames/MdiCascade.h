#pragma once
// Where document windows go when they open restored and when the Window menu cascades them, as
// a multiple-document client places them: window i one step (a title bar) further right and
// down than window i - 1, starting over at the corner after as many steps as fit into a third
// of the area's height, and every window as large as the area less those steps.

#include <QRect>

class QMdiArea;

// The rectangle of window index (0, 1, ...) in an area of the given size.
QRect CascadeRect(const QSize& area, int index, int step);

// The step of area: a title bar and a frame of its windows.
int CascadeStep(const QMdiArea& area);

// The rectangle in area for the window that opens as number index.
QRect CascadeRect(const QMdiArea& area, int index);

// Restores and cascades every window of area that is not minimised, the active one last and
// on top.
void CascadeWindows(QMdiArea& area);
