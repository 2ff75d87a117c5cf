#pragma once
// The geometry of a sub-circuit block symbol made by the sub-circuit wizard: the signal words
// it keeps per signal, the order its pins are listed in, the body and pin positions for the
// pins on each side, and the port outline drawn at a pin in the "Ports Shown" style.
// Coordinates are logical units with y growing upwards; the body lies below y = -200.

#include <string_view>
#include <vector>

#include "platform/Geometry.h"
#include "platform/Types.h"

// A signal word: bits 0-1 the direction, bits 2-4 the side plus one (0 not placed yet), bit
// 31 a transient mark while the signal list is written back.
enum SubcctDirection {
    kSubcctInto = 0,
    kSubcctOut = 1,
    kSubcctBidirectional = 2,
    kSubcctOther = 3
};
enum SubcctSide { kSubcctLeft = 0, kSubcctRight = 1, kSubcctUp = 2, kSubcctDown = 3 };
constexpr DWORD kSubcctDirectionMask = 0x3;
constexpr DWORD kSubcctSideMask = 0x1C;
constexpr DWORD kSubcctMark = 0x80000000;

inline int SignalDirection(DWORD word) {
    return int(word & kSubcctDirectionMask);
}
// The side, or -1 when not placed yet.
inline int SignalSide(DWORD word) {
    return int((word & kSubcctSideMask) >> 2) - 1;
}
inline DWORD WithSide(DWORD word, int side) {
    return (word & ~kSubcctSideMask) | (DWORD(side + 1) << 2);
}
// The side a signal without one gets from its direction.
int DefaultSide(int direction);

// The order of pins: names split into a prefix and a trailing run of digits; prefixes of
// different lengths compare the whole names, equal prefixes compare their numbers (A2 before
// A10). Numbers compare as digit strings, so long runs cannot overflow.
bool SignalNameLess(std::string_view a, std::string_view b);

struct SubcctPinPlace {
    CPoint bodyEnd;
    CPoint hotEnd;
};

struct SubcctLayout {
    CRect body;                        // left, top, right, bottom
    std::vector<SubcctPinPlace> pins;  // in the order of the sides given
};

// The body and the pins for pins standing on the given sides, in list order.
SubcctLayout LayOutSubcct(const std::vector<int>& sides);

// The port outline at a pin's body end for the signal's direction, before it is turned to
// the pin's side.
std::vector<CPoint> PortOutline(int direction, CPoint bodyEnd);
// The turn, in tenths of a degree, that puts a port outline on side.
int PortOutlineAngle(int side);
