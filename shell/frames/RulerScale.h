#pragma once
// Where a ruler draws its ticks and labels. A ruler spans pixelLength pixels that show the
// sheet coordinates firstLogical to firstLogical + logicalLength (thousandths of an inch,
// growing along the ruler); it is labelled in inches or centimetres with a major step of 1, 2
// or 5 times a power of ten chosen for about 100 pixels, and each major step is divided into
// 1, 2, 5 or 10 parts when the minor ticks stay at least 7 pixels apart.

#include <string>
#include <vector>

struct RulerMark {
    int pixel;
    std::string label;  // "%g" of the value in the ruler's units
};

struct RulerScale {
    double step = 0;       // major step in inches or centimetres
    int subdivisions = 0;  // minor parts per major step
    std::vector<RulerMark> majors;
    std::vector<int> minors;  // pixels of the minor ticks
    int sheetStart = 0;       // pixels of the sheet's ends (may lie outside the ruler)
    int sheetEnd = 0;
};

// An empty scale (no ticks) when either length is not positive or the numbers are not finite.
RulerScale ComputeRulerScale(double firstLogical, double logicalLength, int pixelLength,
                             double sheetLength, bool metric);
