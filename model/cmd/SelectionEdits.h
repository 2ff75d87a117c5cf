#pragma once
// The edits a view makes to its selection from the menus and toolbars: colours, line and fill
// styles, drawing order, rotation and mirroring, fill shapes; each one undoable step of the
// document. Also what the toolbars read back of the selection, and when each edit applies.
// "The selection" is a view's list of objects of the document, the last one the dominant.

#include "platform/GdiTypes.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

class CDrawDoc;
class CObList;

// What a colour edit does to the line (outline) or to the fill.
enum class ColourEdit {
    kSet,      // the given colour; the outline or fill is switched on
    kDefault,  // back to the document's default colour
    kRemove,   // the outline or fill is switched off ("remove outline", "remove fill")
};

// Objects whose outline is open (lines, arcs, polylines, wires) have no fill and keep their
// line: the fill edits and the outline removal pass them by, except buses. Each edit is one
// step named "line colour", "fill colour", "remove outline" or "remove fill"; FALSE, with
// nothing recorded, when no object took part.
BOOL EditSelectionColour(CDrawDoc& doc, const CObList& selection, bool fill, ColourEdit edit,
                         COLORREF colour);
// A fill hatch (a hatch style, or below 0 solid) or a line style (above 0 a pen style, else
// minus the width in hundredths of a point) for every selected object, switching its fill or
// outline on; one "fill hatch" or "line style" step, FALSE for an empty selection.
BOOL EditSelectionStyle(CDrawDoc& doc, const CObList& selection, bool fill, int value);

// The selection's line or fill colour: the first object's colour in the low 24 bits, bit 24
// when every object has that colour, bit 25 when every object follows the default colour;
// 0x1000000 for an empty selection.
DWORD SelectionColourWord(const CObList& selection, bool fill);
// The selection's brush: style and hatch of the first object, each -1 when the objects
// differ; both -1 for an empty selection.
struct SelectionBrush {
    int style = -1;
    int hatch = -1;
};
SelectionBrush SelectionBrushOf(const CObList& selection);
// The selection's pen: the width in tenths of a point times ten (rounded to whole tenths) in
// the high word, the pen style (inside-frame read as solid) in the low word; a part is -1
// (0xFFFF, or the whole word for the style) where the objects differ.
DWORD SelectionPenWord(const CObList& selection);

// Moves of the selection in the drawing order: one place towards the head (back) or the tail
// (forward), or to the tail (front) or the head (back) keeping their order. One "order change"
// step; FALSE, with nothing recorded, when no object would move.
enum class OrderMove { kBack, kForward, kToFront, kToBack };
BOOL MoveSelectionInOrder(CDrawDoc& doc, const CObList& selection, OrderMove move);

// Rotates the selection about centre by angle (tenths of a degree, anti-clockwise), or mirrors
// it about the axis through centre (kind 7 horizontally, 8 vertically): one "rotate",
// "mirror vertically" or "mirror horizontally" step. The attached wires follow and keep no
// repeated or collinear vertices; free ends are not joined to what they now touch. FALSE for an
// empty selection.
BOOL TransformSelection(CDrawDoc& doc, const CObList& selection, int kind, CPoint centre,
                        int angle = 0);
// The angle a rotation in degrees gives: tenths, rounded, negative for clockwise.
int RotationTenths(double degrees, bool clockwise);

// Replaces the selected lines and curves by one filled shape of their outline as one "create
// fill shape" step. When they form no single closed outline the user is told and nothing
// changes (FALSE).
BOOL CreateFillShape(CDrawDoc& doc, const CObList& selection);

// When the commands apply.
bool CanEditLineColour(const CObList& selection);
bool CanEditFillColour(const CObList& selection);
bool CanPickLineStyle(const CObList& selection);
bool CanPickFillStyle(const CObList& selection);
bool CanGroup(const CObList& selection);
bool CanRotate(const CObList& selection);
bool CanCreateFillShape(const CObList& selection);
