#pragma once
// How the sub-circuit wizard draws a block: the style, and the body's outline and fill, each
// a colour of its own, the automatic colour (kDefaultColour: the document's default pen or
// brush) or none (the body is not outlined or not filled).

#include <optional>

#include "platform/GdiTypes.h"

enum SubcctStyle { kSubcctSimple = 0, kSubcctPortsShown = 1 };

enum class SubcctBodyPart { kOutline, kFill };

struct SubcctLook {
    int style = kSubcctPortsShown;
    COLORREF outline = 0xFF0000;
    COLORREF fill = 0xB0FFFF;
    bool outlined = true;
    bool filled = true;

    // A colour button's choice for part: a colour (kDefaultColour for "Automatic"), or none
    // for "None". The colour to remember in the settings; nothing for "None", which is no
    // colour and leaves the part's colour as it was.
    std::optional<COLORREF> Choose(SubcctBodyPart part, std::optional<COLORREF> choice);
};
