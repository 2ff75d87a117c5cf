#include "model/doc/PrintScaleForm.h"

#include <cctype>
#include <cmath>

namespace {

constexpr double kUnitsPerCm = 393.70078;

// The whole text is one number, blanks around it allowed.
bool ReadNumber(const char* text, double& value) {
    int used = 0;
    if (!ParseDouble(text, value, &used))
        return false;
    for (const char* rest = text + used; *rest; ++rest) {
        if (!std::isspace(static_cast<unsigned char>(*rest)))
            return false;
    }
    return std::isfinite(value);
}

bool IsWhole(const char* text) {
    const char* c = text;
    while (std::isspace(static_cast<unsigned char>(*c)))
        ++c;
    if (*c == '-' || *c == '+')
        ++c;
    if (!std::isdigit(static_cast<unsigned char>(*c)))
        return false;
    while (std::isdigit(static_cast<unsigned char>(*c)))
        ++c;
    while (std::isspace(static_cast<unsigned char>(*c)))
        ++c;
    return *c == '\0';
}

}  // namespace

PrintScaleForm PrintScaleForm::From(const CPrintSettings& settings) {
    PrintScaleForm form;
    const DWORD flags = settings.m_flags;
    form.atOffset = (flags & CPrintSettings::kPositionMask) != 0;
    switch (flags & CPrintSettings::kSizeMask) {
        case 4:
            form.size = kFitPage;
            break;
        case 8:
            form.size = kFitTwoPages;
            break;
        case 12:
            form.size = kFitFourPages;
            break;
        default:
            form.size = settings.m_scale != 1.0f ? kScaled : kNormalSize;
            break;
    }
    const double percent = std::floor(double(settings.m_scale) * 100.0 + 0.5);
    form.factor = percent >= kMinFactor && percent <= kMaxFactor ? int(percent) : 100;
    form.printGrid = flags & CPrintSettings::kPrintGrid;
    form.monochrome = flags & CPrintSettings::kMonochrome;
    form.mirrorTextAngle = flags & CPrintSettings::kMirrorTextAngle;
    return form;
}

void PrintScaleForm::ApplyTo(CPrintSettings& settings, std::optional<LONG> offsetX,
                             std::optional<LONG> offsetY) const {
    DWORD flags = printGrid ? CPrintSettings::kPrintGrid : 0;
    if (monochrome)
        flags |= CPrintSettings::kMonochrome;
    if (mirrorTextAngle)
        flags |= CPrintSettings::kMirrorTextAngle;
    switch (size) {
        case kNormalSize:
            settings.m_scale = 1.0f;
            break;
        case kScaled:
            settings.m_scale = float(factor * 0.01);
            break;
        case kFitPage:
            flags |= 4;
            break;
        case kFitTwoPages:
            flags |= 8;
            break;
        case kFitFourPages:
            flags |= 12;
            break;
    }
    if (atOffset)
        flags |= CPrintSettings::kPositionMask;
    settings.m_flags = flags;
    if (offsetX)
        settings.m_offsetX = *offsetX;
    if (offsetY)
        settings.m_offsetY = *offsetY;
}

CString OffsetText(LONG offset, bool metric) {
    // Hundredths of the unit, cut towards zero before the rounding.
    const long long hundredths = metric ? (long long)offset * 254 / 1000 : offset / 10;
    CString text;
    text.Format("%.2f", double(hundredths) * 0.01);
    return text;
}

FieldValue<int> ParseScaleFactor(const char* text) {
    if (!IsWhole(text))
        return {std::nullopt, "Please enter an integer."};
    const double value = StringToDouble(text);
    if (value < PrintScaleForm::kMinFactor || value > PrintScaleForm::kMaxFactor)
        return {std::nullopt, "Please enter an integer between 30 and 1000."};
    return {int(value), {}};
}

FieldValue<LONG> ParseOffset(const char* text, bool metric) {
    double value = 0;
    if (!ReadNumber(text, value))
        return {std::nullopt, "Please enter a number."};
    if (value < -PrintScaleForm::kMaxOffset || value > PrintScaleForm::kMaxOffset)
        return {std::nullopt, "Please enter a number between -1000 and 1000."};
    const double units = value * (metric ? kUnitsPerCm : 1000.0);
    return {LONG(std::floor(units + 0.5)), {}};
}
