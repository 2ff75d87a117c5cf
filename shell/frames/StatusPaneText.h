#pragma once
// The texts of the status-bar panes that follow the view: the sheet point under the cursor and
// the position and size of the selection, in inches or centimetres, y growing down the sheet.

#include "platform/CString.h"
#include "platform/Geometry.h"

class CObList;

struct SelectionPaneTexts {
    CString position;  // empty with no selection
    CString size;
};

CString CursorPaneText(POINT sheet, bool metric);
CString PositionPaneText(POINT sheet, bool metric);
// width and height in sheet units.
CString SizePaneText(int width, int height, bool metric);
// One object: the top-left corner of its position rectangle and the size of its bounding
// rectangle; several: the left and upper edges and the size of their common bounds.
SelectionPaneTexts SelectionTexts(const CObList& selection, bool metric);
// The union of the objects' normalised bounding rectangles; empty for no objects.
CRect SelectionBounds(const CObList& selection);
