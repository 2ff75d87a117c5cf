#pragma once
// What the "Frame" page and its two small dialogs show of a sheet border: the check boxes
// that make the low eight flag bits, the items whose colour, spacing or size the page edits,
// the zone spacing in inches or centimetres, and the title block's size and alignment in
// inches, centimetres or percent of the sheet.

#include <optional>
#include <string>

#include "model/doc/SheetBorder.h"

struct FrameChecks {
    bool frame = false;
    bool left = false;
    bool right = false;
    bool top = false;
    bool bottom = false;
    bool grid = false;
    bool titleBlock = false;
    bool referenceNumbers = false;

    static FrameChecks From(DWORD flags);
    // The low eight bits rebuilt from the boxes, the sides only with the frame; the rest kept.
    DWORD ApplyTo(DWORD flags) const;
};

// The entries of the "Item" list, in their order.
enum class FrameItem { kOutline, kFill, kGridSpacing, kGridColour, kReferenceNumbers, kTitleBlock };
constexpr const char* kFrameItemTexts[] = {"Frame Outline", "Frame Fill",        "Grid Spacing",
                                           "Grid Colour",   "Reference Numbers", "Title Block"};
// "Colour..", "Spacing.." or "Size..": what the button beside the list does for the item.
const char* FrameItemButtonText(FrameItem item);
// The colour the item edits; null for the spacing and the title block.
COLORREF* FrameItemColour(CSheetBorder& border, FrameItem item);

// A length field's value, or the message why it cannot be taken.
struct LengthValue {
    std::optional<double> value;
    std::string problem;
};

// The zone spacing shown in inches or centimetres.
std::string GridSpacingText(double spacing, bool cm);
// A spacing typed in the unit, 0.5 to 10 of it; the value in the unit.
LengthValue ParseGridSpacing(const char* text);
// A spacing in the unit converted to thousandths of an inch, rounded.
LONG GridSpacingUnits(double value, bool cm);

// The title block's size as the "Title Block Size and Alignment" dialog shows it.
struct TitleBlockSizeForm {
    enum Units { kInches, kCm, kPercent };
    enum Axis { kWidth, kHeight };
    static constexpr LONG kWidthBase = 8000;  // the width of 100 %
    static constexpr LONG kHeightBase = 11000;

    LONG size[2] = {};  // thousandths of an inch
    int alignment = 0;  // 0 stretch, 1 left, 2 right, 3 centre

    static TitleBlockSizeForm From(const CSheetBorder& border);
    void ApplyTo(CSheetBorder& border) const;
};
std::string TitleBlockSizeText(LONG size, TitleBlockSizeForm::Axis axis,
                               TitleBlockSizeForm::Units units);
// A size typed in one unit as the other unit shows the same length; a text that is no number
// stays as it is.
std::string RetypedTitleBlockSize(const char* text, TitleBlockSizeForm::Axis axis,
                                  TitleBlockSizeForm::Units from, TitleBlockSizeForm::Units to);
// A size typed in the unit, 0 to 1000 of it, in thousandths of an inch.
struct TitleBlockSizeValue {
    std::optional<LONG> value;
    std::string problem;
};
TitleBlockSizeValue ParseTitleBlockSize(const char* text, TitleBlockSizeForm::Axis axis,
                                        TitleBlockSizeForm::Units units);
