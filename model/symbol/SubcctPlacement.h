#pragma once
// Where the sub-circuit wizard puts the objects it made: the first free place for their block,
// column by column from (500, -500) down the sheet in steps of 200, inside the frame (the
// drawing area less the frame's margins), clear of every object and of the title block. A
// frame wider than the first place moves the start to its inside corner. Each place is moved
// the least that puts an anchor point of the block (a pin's end) on the sheet's grid.

#include <functional>

#include "platform/Geometry.h"

class CDrawDoc;

// block: the union of the objects' rectangles on the sheet, in either orientation; anchor: the
// point of the block that goes on the grid; snap: the grid point nearest to a point. The offset
// that moves the block to the free place; the first place when none is free.
CSize FindSubcctPlace(CDrawDoc& document, const CRect& block, CPoint anchor,
                      const std::function<CPoint(CPoint)>& snap);
