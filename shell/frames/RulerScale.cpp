#include "shell/frames/RulerScale.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

constexpr double kInchPerUnit = 0.001;
constexpr double kCmPerUnit = 0.00254;
constexpr int kMinorGap = 7;  // pixels

std::string FormatValue(double value) {
    char buffer[32];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return ec == std::errc() ? std::string(buffer, end) : std::string();
}

double MajorStep(double unitsPer100Pixels) {
    const double base = std::pow(10.0, std::floor(std::log10(unitsPer100Pixels)));
    const double mantissa = unitsPer100Pixels / base;
    return mantissa > 5 ? 5 * base : mantissa > 2 ? 2 * base : base;
}

int Subdivisions(double step, double unitsPerMinorGap) {
    const double n = std::floor(step / unitsPerMinorGap);
    return n > 10 ? 10 : n > 5 ? 5 : n > 2 ? 2 : 1;
}

// Pixel of a coordinate clamped to what an int holds.
int ToPixel(double logical, double firstLogical, double pixelsPerUnit) {
    const double pixel = std::floor((logical - firstLogical) * pixelsPerUnit + 0.5);
    constexpr double limit = std::numeric_limits<int>::max() / 2;
    return static_cast<int>(std::fmax(-limit, std::fmin(limit, pixel)));
}

}  // namespace

RulerScale ComputeRulerScale(double firstLogical, double logicalLength, int pixelLength,
                             double sheetLength, bool metric) {
    RulerScale scale;
    if (pixelLength <= 0 || !(logicalLength > 0) || !std::isfinite(firstLogical) ||
        !std::isfinite(logicalLength) || !std::isfinite(sheetLength))
        return scale;
    const double unit = metric ? kCmPerUnit : kInchPerUnit;
    const double perHundred = logicalLength * unit * 100 / pixelLength;
    if (!std::isfinite(perHundred) || !(perHundred > 0))
        return scale;
    const double pixelsPerUnit = pixelLength / logicalLength;
    scale.step = MajorStep(perHundred);
    scale.subdivisions = Subdivisions(scale.step, perHundred * kMinorGap / 100);
    scale.sheetStart = ToPixel(0, firstLogical, pixelsPerUnit);
    scale.sheetEnd = ToPixel(sheetLength, firstLogical, pixelsPerUnit);

    const double startValue = firstLogical * unit;
    const double endValue = (firstLogical + logicalLength) * unit;
    const double first = std::ceil(startValue / scale.step);
    const double last = std::floor(endValue / scale.step);
    if (!(last - first <= pixelLength))  // with a sane step it never is; never loop on it
        return scale;
    // From one step before the first label, so that the minor ticks before it are drawn too.
    const int steps = static_cast<int>(last - first) + 2;
    for (int i = 0; i < steps; ++i) {
        const double k = first - 1 + i;
        if (i > 0)
            scale.majors.push_back({ToPixel(k * scale.step / unit, firstLogical, pixelsPerUnit),
                                    FormatValue(k * scale.step + 0.0)});  // + 0.0: no "-0"
        for (int j = 1; j < scale.subdivisions; ++j) {
            const double value = (k + static_cast<double>(j) / scale.subdivisions) * scale.step;
            const int pixel = ToPixel(value / unit, firstLogical, pixelsPerUnit);
            if (pixel >= 0 && pixel < pixelLength)
                scale.minors.push_back(pixel);
        }
    }
    return scale;
}
