#pragma once
// What the "Page Margins" page shows of the sheet margins, in inches or centimetres, and how a
// margin typed there is checked: 0 to 10 of the unit, and 0.1 to 4 inches once converted.

#include <optional>
#include <string>

#include "platform/GdiTypes.h"
#include "platform/Types.h"

struct PageMarginsForm {
    // The page's order of the margins, which is the order they are checked in.
    enum Side { kLeft, kRight, kTop, kBottom };
    static constexpr int kSides = 4;
    static constexpr LONG kMinMargin = 100;  // 1/1000 inch
    static constexpr LONG kMaxMargin = 4000;

    LONG margins[kSides] = {};  // 1/1000 inch

    static PageMarginsForm From(const RECT& margins);
    void ApplyTo(RECT& margins) const;
};

// A margin in hundredths of the unit, cut before the rounding: 300 shows "0.3" in inches and
// "0.76" in centimetres.
std::string MarginText(LONG margin, bool cm);

// A margin typed in one unit as the other unit shows the same length; a text that is no number
// stays as it is.
std::string RetypedMargin(const char* text, bool fromCm, bool toCm);

// A typed margin in 1/1000 inch, or the message why it cannot be taken.
struct MarginValue {
    std::optional<LONG> value;
    std::string problem;
};
MarginValue ParseMargin(const char* text, bool cm);
