#pragma once
// Moving points along when a shape's rectangle is resized.

#include "platform/Geometry.h"

// v scaled from the span oldOrigin..oldFar onto newOrigin..newFar (MulDiv rounding; the spans
// are signed, so a flipped rectangle mirrors). Coordinates wrap as sheet arithmetic does.
inline LONG ScaleCoordinate(LONG v, LONG oldOrigin, LONG oldFar, LONG newOrigin, LONG newFar) {
    return WrapAdd(newOrigin, MulDiv(WrapSub(v, oldOrigin), WrapSub(newFar, newOrigin),
                                     WrapSub(oldFar, oldOrigin)));
}
