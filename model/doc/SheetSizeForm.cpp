#include "model/doc/SheetSizeForm.h"

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <utility>

const PaperEntry kPaperEntries[13] = {
    {"User Defined", 0},
    {"A2 (420 x 594 mm)", 0x17341068},
    {"A3 (297 x 420 mm)", 0x10680B9A},
    {"A4 (210 x 297 mm)", 0x0B9A0834},
    {"B2 (500 x 707 mm)", 0x1B9E1388},
    {"B3 (353 x 500 mm)", 0x13880DCA},
    {"B4 (250 x 353 mm)", 0x0DCA09C4},
    {"B5 (176 x 250 mm)", 0x09C406E0},
    {"US C (17 x 22\")", 0x80DC00AA},
    {"US B (11 x 17\")", 0x80AA006E},
    {"US Letter (8.5 x 11\")", 0x806E0055},
    {"US Legal (8.5 x 14\")", 0x808C0055},
    {"US Tabloid (7.5 x 10\")", 0x8064004B},
};

SheetSizeForm SheetSizeForm::From(SIZE paper, bool metric) {
    SheetSizeForm form;
    form.inches[kWidth] = float(paper.cx / 1000.0);
    form.inches[kHeight] = float(-double(paper.cy) / 1000.0);
    form.shown[kWidth] = form.inches[kWidth];
    form.shown[kHeight] = form.inches[kHeight];
    form.SetUnits(metric);
    form.landscape = form.inches[kHeight] <= form.inches[kWidth];
    form.paper = StandardPaper(paper);
    return form;
}

void SheetSizeForm::SetUnits(bool millimetres) {
    mm = millimetres;
    for (int axis : {kWidth, kHeight}) {
        if (!typed[axis])
            shown[axis] = float(mm ? inches[axis] * kMmPerInch : inches[axis]);
    }
}

bool SheetSizeForm::SetLandscape(bool landscapeOrientation) {
    landscape = landscapeOrientation;
    const bool disagree =
        landscape ? shown[kWidth] < shown[kHeight] : shown[kWidth] > shown[kHeight];
    if (!disagree)
        return false;
    std::swap(shown[kWidth], shown[kHeight]);
    std::swap(inches[kWidth], inches[kHeight]);
    std::swap(typed[kWidth], typed[kHeight]);
    return true;
}

void SheetSizeForm::ChoosePaper(int entry) {
    paper = entry;
    const DWORD data = kPaperEntries[entry].data;
    if (data == 0)
        return;
    mm = (data & 0x80000000u) == 0;
    shown[kWidth] = float((data & 0xFFFF) * 0.1);
    shown[kHeight] = float(((data >> 16) & 0x7FFF) * 0.1);
    for (int axis : {kWidth, kHeight}) {
        inches[axis] = mm ? float(shown[axis] * kInchesPerMm) : shown[axis];
        typed[axis] = false;
    }
    SetLandscape(landscape);
}

void SheetSizeForm::Type(Axis axis, float value) {
    shown[axis] = value;
    typed[axis] = true;
    paper = 0;
}

int StandardPaper(SIZE paper) {
    // A paper size as the sheet stores it, in 1/1000 inch.
    const auto thousandths = [](double value, bool mm) {
        return LONG(std::floor(value * (mm ? 1000.0 / SheetSizeForm::kMmPerInch : 1000.0) + 0.5));
    };
    const auto near = [](LONG a, LONG b) { return std::abs(a - b) <= 1; };
    const LONG width = paper.cx;
    const LONG height = -paper.cy;
    for (int entry = 1; entry < int(std::size(kPaperEntries)); ++entry) {
        const DWORD data = kPaperEntries[entry].data;
        const bool mm = (data & 0x80000000u) == 0;
        const LONG a = thousandths((data & 0xFFFF) * 0.1, mm);
        const LONG b = thousandths(((data >> 16) & 0x7FFF) * 0.1, mm);
        if ((near(width, a) && near(height, b)) || (near(width, b) && near(height, a)))
            return entry;
    }
    return 0;
}

SIZE SheetSizeForm::Record() const {
    const double factor = mm ? kInchesPerMm : 1.0;
    const double width = double(shown[kWidth]) * factor;
    const double height = double(shown[kHeight]) * factor;
    return SIZE{LONG(std::floor(width * 1000 + 0.5)), -LONG(std::floor(height * 1000 + 0.5))};
}

std::string SheetSizeProblem(double value, bool mm) {
    const double low = mm ? 25.0 : 1.0;
    const double high = mm ? 1270.0 : 50.0;
    if (value >= low && value <= high)
        return {};
    return mm ? "Please enter a number between 25 and 1270."
              : "Please enter a number between 1 and 50.";
}
