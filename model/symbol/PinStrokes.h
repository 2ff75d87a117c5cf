#pragma once
// The strokes that draw a pin's line and its decoration at the body end, in the pin's own
// coordinates. The decoration reaches half the decoration size along the line; a line of
// length 0 counts as pointing along +x.

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Geometry.h"

struct PinStrokes {
    std::vector<std::pair<POINT, POINT>> lines;
    std::optional<CRect> bubble;               // the circle's square
    std::optional<std::array<POINT, 4>> band;  // the filled outline of a bus pin
};

// symbol: the pin's kPinSymbolMask bits; outputLike: the triangle of an inverting pin points
// the other way; extraMark: two strokes across the line near the body end.
PinStrokes MakePinStrokes(POINT body, POINT hot, int decorationSize, DWORD symbol, bool outputLike,
                          bool extraMark);

// The band that hit tests take: half the decoration size on both sides of the line and
// beyond both ends (a line of length 0 taken as 20 units along +x).
std::array<POINT, 4> PinBand(POINT body, POINT hot, int decorationSize);
