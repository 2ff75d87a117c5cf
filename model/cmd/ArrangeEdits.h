#pragma once
// Aligning and sizing a view's selection against its last (dominant) object, each one
// undoable step of the document in which copies of the objects take their places.

#include "platform/ObList.h"
#include "platform/Types.h"

class CDrawDoc;

// Which edge or middle of the dominant object's bounding rectangle the others line up with.
// The sheet's y grows upwards: the top is the larger y.
enum class AlignMode {
    kTop = 0,         // "align top"
    kVertical = 1,    // "align vertical centre"
    kBottom = 2,      // "align bottom"
    kLeft = 3,        // "align left"
    kHorizontal = 4,  // "align horizontal centre"
    kRight = 5,       // "align right"
};

// Moves every selected object of the document (with its attribute texts) so that its
// bounding rectangle meets the dominant object's at the mode's edge or middle. Wire and bus
// ends and pins of the moved objects are linked to what they now touch, and the nets that meet
// are joined, in the same step. FALSE, with nothing recorded, for fewer than two objects, and
// with the document as it was when the user declines the joining of nets.
BOOL AlignSelection(CDrawDoc& doc, const CObList& selection, AlignMode mode);

// Which sides of the dominant object's position rectangle the others take.
enum class SizeMode {
    kWidth = 0,   // "make same width"
    kHeight = 1,  // "make same height"
    kBoth = 2,    // "make same size"
};

// Gives the selected shapes, pins, special symbols and fixed-size text boxes the dominant
// object's width, height or both, keeping their first corner and the direction in which
// they were drawn. FALSE, with nothing recorded, when no object can be sized.
BOOL MakeSelectionSameSize(CDrawDoc& doc, const CObList& selection, SizeMode mode);

// When the commands apply: two objects to align; some object before the dominant one that
// can be sized.
bool CanAlign(const CObList& selection);
bool CanMakeSameSize(const CObList& selection);
