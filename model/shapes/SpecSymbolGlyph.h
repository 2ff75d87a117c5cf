#pragma once
// The figures of the special symbols: 31 logic-qualifier marks (kinds 1 to 31), each drawn by
// code into its rectangle with the pen and brush selected in the device context.
//
// The rectangle is taken as stored, not normalised; since the sheet's y axis points up, the
// stored bottom of a placed symbol is its visual top. Every point is a fraction of the width
// and height measured from one of the rectangle's edges, mapped through the matrix.

#include "platform/GdiTypes.h"

class CDC;

constexpr int kSpecSymbolKinds = 31;

// Draws the figure of kind in rect, every point mapped through matrix (null: as it is).
// Arcs keep the half of their ellipse they have unmirrored when the matrix or the rectangle
// mirrors the figure. Kinds outside 1-31 draw nothing.
void DrawSpecSymbolGlyph(CDC* dc, int kind, const RECT& rect, const double* matrix);
