#pragma once
// What the document "General" page edits, without its window: the colours, line sizes and
// fonts that new pins, wires, objects and texts of the document take, and the first number of
// generated identifiers. Line sizes are shown in points to a tenth, so only a size read back
// is written: one never read keeps the width the document has.

#include <optional>

#include "model/cmd/DocSettingsCmd.h"
#include "platform/CString.h"

struct DocDefaultsForm {
    enum Colour : int {
        kPinColour = 0,
        kPinNameColour,
        kPinNumberColour,
        kWireColour,
        kOutlineColour,
        kFillColour,
        kColourCount
    };
    enum LineSize : int { kPinLine = 0, kWireLine, kObjectLine, kLineSizeCount };

    COLORREF colours[kColourCount] = {};
    double lineSizes[kLineSizeCount] = {};  // points
    bool lineSizeTyped[kLineSizeCount] = {};
    LONG firstPartNumber = 1;
    LOGFONT textFont{};
    LOGFONT pinFont{};  // its height negative, as the Font page takes heights

    // The colour each button's "Automatic" entry gives.
    static COLORREF DefaultColour(Colour colour);

    static DocDefaultsForm Load(const DocSettings& settings);
    // Writes the colours and the base number back, the typed line sizes and the fonts that
    // changed.
    void ApplyTo(DocSettings& settings) const;

    // Reads a line size (0 to 3 points) or the base number (1 to 20000) from text; false with
    // message set when the text is out of range or no number.
    bool ParseLineSize(LineSize which, const char* text, CString& message);
    bool ParseFirstPartNumber(const char* text, CString& message);
    CString LineSizeText(LineSize which) const;
};
