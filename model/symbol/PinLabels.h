#pragma once
// Where a pin's name and number lie along its line. Both read upright: along the line when
// it points into the right half-plane (its angle within -89.9 ... 90 degrees), else against
// it. The name runs from 35 units beyond the body end away from the hot end, centred on the
// line; the number runs from 60 units inside the body end towards the hot end, on the upper
// side of its reading direction. A line of length 0 counts as pointing along +x.
//
// In a label a backslash marks the next character as overlined; backslashes are neither
// shown nor measured.

#include <vector>

#include "platform/CString.h"
#include "platform/GdiTypes.h"

constexpr int kPinNameGap = 35;
constexpr int kPinNumberGap = 60;
// Only this many bytes of a label are examined for overbars.
constexpr int kOverbarScanLimit = 256;

struct PinLabel {
    CString shown;               // the text without its backslashes
    std::vector<int> overlined;  // byte indexes into shown
};
PinLabel ParsePinLabel(const CString& text);

struct PinTextQuad {
    POINT corners[4];  // start-top, end-top, end-bottom, start-bottom
    POINT origin;      // where the text starts, at its top
    POINT run;         // unit steps of the reading direction, scaled by 1000
    int angle;         // of the reading direction, tenths of a degree
};

enum class PinText { Name, Number };

// The quadrilateral of a text of the given advance and height (both >= 0).
PinTextQuad PinTextPlace(PinText which, POINT body, POINT hot, LONG width, LONG height);
