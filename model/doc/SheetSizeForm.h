#pragma once
// What the "Sheet Size" page shows of the paper: a width and a height in inches or
// millimetres, portrait or landscape, chosen from the standard paper sizes or typed. OK writes
// the paper size in 1/1000 inch, the height negative.

#include <string>

#include "platform/GdiTypes.h"
#include "platform/Types.h"

struct PaperEntry {
    const char* text;
    DWORD data;  // tenths: width in bits 0-15, height in bits 16-30; bit 31 set for inches
};
// "User Defined" first, then the standard sizes.
extern const PaperEntry kPaperEntries[13];

struct SheetSizeForm {
    enum Axis { kWidth, kHeight };
    static constexpr double kMmPerInch = 25.4;
    static constexpr double kInchesPerMm = 0.03937008;

    float shown[2] = {};   // in the shown unit
    float inches[2] = {};  // what an untyped value stands for
    bool typed[2] = {};
    bool mm = false;
    bool landscape = false;
    int paper = 0;  // the chosen entry: the standard size of the paper, else "User Defined"

    // The paper size, shown in millimetres when metric.
    static SheetSizeForm From(SIZE paper, bool metric);
    // Untyped values are shown again in the unit; typed ones keep their number.
    void SetUnits(bool millimetres);
    // Swaps the values when they disagree with the orientation; whether they were swapped.
    bool SetLandscape(bool landscapeOrientation);
    // A standard size (not "User Defined"): its values and unit, in the current orientation.
    void ChoosePaper(int entry);
    // A value typed by hand: "User Defined" is chosen.
    void Type(Axis axis, float value);
    // The paper size in 1/1000 inch from the shown values, the height negative.
    SIZE Record() const;
};

// The standard size (an entry of kPaperEntries) of a paper in 1/1000 inch, either way round;
// 0 ("User Defined") when none is.
int StandardPaper(SIZE paper);

// Why a shown value is out of the sheet's bounds (1 to 50 inches, 25 to 1270 mm); empty when
// it is within them.
std::string SheetSizeProblem(double value, bool mm);
