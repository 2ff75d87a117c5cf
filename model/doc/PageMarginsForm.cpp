#include "model/doc/PageMarginsForm.h"

#include <cmath>

#include "model/doc/FieldNumbers.h"

namespace {

constexpr double kUnitsPerCm = 393.70078;
constexpr double kMaxShown = 10.0;  // inches or centimetres

}  // namespace

PageMarginsForm PageMarginsForm::From(const RECT& margins) {
    PageMarginsForm form;
    form.margins[kLeft] = margins.left;
    form.margins[kRight] = margins.right;
    form.margins[kTop] = margins.top;
    form.margins[kBottom] = margins.bottom;
    return form;
}

void PageMarginsForm::ApplyTo(RECT& rect) const {
    rect.left = margins[kLeft];
    rect.right = margins[kRight];
    rect.top = margins[kTop];
    rect.bottom = margins[kBottom];
}

std::string MarginText(LONG margin, bool cm) {
    const long long hundredths = cm ? (long long)margin * 254 / 1000 : margin / 10;
    return FieldText(float(double(hundredths) * 0.01));
}

std::string RetypedMargin(const char* text, bool fromCm, bool toCm) {
    const double unit[] = {1000.0, kUnitsPerCm};
    return RescaledFieldText(text, unit[fromCm] / unit[toCm]);
}

MarginValue ParseMargin(const char* text, bool cm) {
    double value = 0;
    if (!ReadFieldNumber(text, value))
        return {std::nullopt, "Please enter a number."};
    if (value < 0 || value > kMaxShown)
        return {std::nullopt, "Please enter a number between 0 and 10."};
    const LONG margin = LONG(std::floor(value * (cm ? kUnitsPerCm : 1000.0) + 0.5));
    if (margin < PageMarginsForm::kMinMargin || margin > PageMarginsForm::kMaxMargin)
        return {std::nullopt, "Margin out of Range"};
    return {margin, {}};
}
