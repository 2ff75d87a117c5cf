#include "model/doc/FrameForm.h"

#include <cmath>

#include "model/doc/FieldNumbers.h"

namespace {

constexpr double kGridUnitsPerCm = 393.701;
constexpr double kCmPerUnit = 0.0025399986;

LONG Round(double value) {
    return LONG(std::floor(value + 0.5));
}

// Thousandths of an inch in one of the unit.
double TitleBlockUnit(TitleBlockSizeForm::Axis axis, TitleBlockSizeForm::Units units) {
    switch (units) {
        case TitleBlockSizeForm::kInches:
            return 1000.0;
        case TitleBlockSizeForm::kCm:
            return kGridUnitsPerCm;
        case TitleBlockSizeForm::kPercent:
            break;
    }
    return (axis == TitleBlockSizeForm::kWidth ? TitleBlockSizeForm::kWidthBase
                                               : TitleBlockSizeForm::kHeightBase) /
           100.0;
}

}  // namespace

FrameChecks FrameChecks::From(DWORD flags) {
    FrameChecks checks;
    checks.frame = flags & CSheetBorder::kFrameLines;
    checks.left = flags & CSheetBorder::kMarginLeft;
    checks.right = flags & CSheetBorder::kMarginRight;
    checks.top = flags & CSheetBorder::kMarginTop;
    checks.bottom = flags & CSheetBorder::kMarginBottom;
    checks.grid = flags & CSheetBorder::kScreenGrid;
    checks.titleBlock = flags & CSheetBorder::kTitleBlock;
    checks.referenceNumbers = flags & CSheetBorder::kZoneLabels;
    return checks;
}

DWORD FrameChecks::ApplyTo(DWORD flags) const {
    DWORD low = 0;
    if (frame) {
        low |= CSheetBorder::kFrameLines;
        low |= (left ? CSheetBorder::kMarginLeft : 0) | (right ? CSheetBorder::kMarginRight : 0) |
               (top ? CSheetBorder::kMarginTop : 0) | (bottom ? CSheetBorder::kMarginBottom : 0);
    }
    low |= (grid ? CSheetBorder::kScreenGrid : 0) | (titleBlock ? CSheetBorder::kTitleBlock : 0) |
           (referenceNumbers ? CSheetBorder::kZoneLabels : 0);
    return (flags & ~DWORD{0xFF}) | low;
}

const char* FrameItemButtonText(FrameItem item) {
    switch (item) {
        case FrameItem::kGridSpacing:
            return "Spacing..";
        case FrameItem::kTitleBlock:
            return "Size..";
        default:
            return "Colour..";
    }
}

COLORREF* FrameItemColour(CSheetBorder& border, FrameItem item) {
    switch (item) {
        case FrameItem::kOutline:
            return &border.m_pen.lopnColor;
        case FrameItem::kFill:
            return &border.m_fill.lbColor;
        case FrameItem::kGridColour:
            return &border.m_gridColour;
        case FrameItem::kReferenceNumbers:
            return &border.m_textColour;
        default:
            return nullptr;
    }
}

std::string GridSpacingText(double spacing, bool cm) {
    return FieldText(float(spacing / (cm ? kGridUnitsPerCm : 1000.0)));
}

LengthValue ParseGridSpacing(const char* text) {
    double value = 0;
    if (!ReadFieldNumber(text, value))
        return {std::nullopt, "Please enter a number."};
    if (value < 0.5 || value > 10.0)
        return {std::nullopt, "Please enter a number between 0.5 and 10."};
    return {value, {}};
}

LONG GridSpacingUnits(double value, bool cm) {
    return Round(value * (cm ? kGridUnitsPerCm : 1000.0));
}

TitleBlockSizeForm TitleBlockSizeForm::From(const CSheetBorder& border) {
    TitleBlockSizeForm form;
    form.size[kWidth] = border.m_blockX;
    form.size[kHeight] = border.m_blockY;
    form.alignment = int((border.m_flags & CSheetBorder::kBlockPlacementMask) >> 8);
    return form;
}

void TitleBlockSizeForm::ApplyTo(CSheetBorder& border) const {
    border.m_blockX = size[kWidth];
    border.m_blockY = size[kHeight];
    border.m_flags = (border.m_flags & ~CSheetBorder::kBlockPlacementMask) |
                     ((DWORD(alignment) << 8) & CSheetBorder::kBlockPlacementMask);
}

std::string TitleBlockSizeText(LONG size, TitleBlockSizeForm::Axis axis,
                               TitleBlockSizeForm::Units units) {
    const LONG base = axis == TitleBlockSizeForm::kWidth ? TitleBlockSizeForm::kWidthBase
                                                         : TitleBlockSizeForm::kHeightBase;
    switch (units) {
        case TitleBlockSizeForm::kInches:
            return FieldText(float(size * 0.001));
        case TitleBlockSizeForm::kCm:
            return FieldText(float(size * kCmPerUnit));
        case TitleBlockSizeForm::kPercent:
            return FieldText(float(double(size) * 100 / base));
    }
    return {};
}

std::string RetypedTitleBlockSize(const char* text, TitleBlockSizeForm::Axis axis,
                                  TitleBlockSizeForm::Units from, TitleBlockSizeForm::Units to) {
    return RescaledFieldText(text, TitleBlockUnit(axis, from) / TitleBlockUnit(axis, to));
}

TitleBlockSizeValue ParseTitleBlockSize(const char* text, TitleBlockSizeForm::Axis axis,
                                        TitleBlockSizeForm::Units units) {
    double value = 0;
    if (!ReadFieldNumber(text, value))
        return {std::nullopt, "Please enter a number."};
    if (value < 0 || value > 1000)
        return {std::nullopt, "Please enter a number between 0 and 1000."};
    const LONG base = axis == TitleBlockSizeForm::kWidth ? TitleBlockSizeForm::kWidthBase
                                                         : TitleBlockSizeForm::kHeightBase;
    switch (units) {
        case TitleBlockSizeForm::kInches:
            return {Round(value * 1000), {}};
        case TitleBlockSizeForm::kCm:
            return {Round(value * kGridUnitsPerCm), {}};
        case TitleBlockSizeForm::kPercent:
            return {Round(value * base / 100), {}};
    }
    return {};
}
