#include "model/doc/DocDefaultsForm.h"

#include <cmath>
#include <cstring>

#include "model/app/OptionalNumber.h"
#include "model/doc/DrawDoc.h"
#include "model/object/OutlineFillState.h"

namespace {

constexpr double kMaxLineSize = 3.0;
constexpr LONG kMaxFirstPartNumber = 20000;

void SetWidth(LOGPEN& pen, double points) {
    const LONG width = PointsToPenWidth(points);
    pen.lopnWidth = POINT{width, width};
}

bool SameFont(const LOGFONT& a, const LOGFONT& b) {
    return std::memcmp(&a, &b, sizeof(LOGFONT)) == 0;
}

}  // namespace

COLORREF DocDefaultsForm::DefaultColour(Colour colour) {
    switch (colour) {
        case kPinColour:
            return CDrawDoc::kDefaultPinPen.lopnColor;
        case kPinNameColour:
            return 0x000080;
        case kPinNumberColour:
            return 0x008000;
        case kWireColour:
            return CDrawDoc::kDefaultWirePen.lopnColor;
        case kOutlineColour:
            return CDrawDoc::kDefaultPen.lopnColor;
        default:
            return CDrawDoc::kDefaultBrush.lbColor;
    }
}

DocDefaultsForm DocDefaultsForm::Load(const DocSettings& settings) {
    DocDefaultsForm form;
    form.colours[kPinColour] = settings.pinPen.lopnColor;
    form.colours[kPinNameColour] = settings.pinNameColour;
    form.colours[kPinNumberColour] = settings.pinNumberColour;
    form.colours[kWireColour] = settings.wirePen.lopnColor;
    form.colours[kOutlineColour] = settings.pen.lopnColor;
    form.colours[kFillColour] = settings.brush.lbColor;
    form.lineSizes[kPinLine] = PenWidthToPoints(settings.pinPen.lopnWidth.x);
    form.lineSizes[kWireLine] = PenWidthToPoints(settings.wirePen.lopnWidth.x);
    form.lineSizes[kObjectLine] = PenWidthToPoints(settings.pen.lopnWidth.x);
    form.firstPartNumber = settings.firstPartNumber;
    form.textFont = settings.textFont;
    form.pinFont = settings.pinFont;
    form.pinFont.lfHeight = -std::labs(settings.pinFont.lfHeight);
    return form;
}

void DocDefaultsForm::ApplyTo(DocSettings& settings) const {
    LOGPEN* pens[kLineSizeCount] = {&settings.pinPen, &settings.wirePen, &settings.pen};
    for (int i = 0; i < kLineSizeCount; ++i) {
        if (lineSizeTyped[i])
            SetWidth(*pens[i], lineSizes[i]);
    }
    settings.pinPen.lopnColor = colours[kPinColour];
    settings.pinNameColour = colours[kPinNameColour];
    settings.pinNumberColour = colours[kPinNumberColour];
    settings.wirePen.lopnColor = colours[kWireColour];
    settings.pen.lopnColor = colours[kOutlineColour];
    settings.brush.lbColor = colours[kFillColour];
    settings.firstPartNumber = firstPartNumber;
    if (!SameFont(textFont, settings.textFont))
        settings.textFont = textFont;
    // The document keeps the pin font's height positive.
    LOGFONT pin = pinFont;
    pin.lfHeight = std::labs(pinFont.lfHeight);
    if (!SameFont(pin, settings.pinFont))
        settings.pinFont = pin;
}

bool DocDefaultsForm::ParseLineSize(LineSize which, const char* text, CString& message) {
    double points = 0.0;
    BOOL valid = FALSE;
    if (!ParseOptionalNumber(text, points, valid) || !valid || points < 0.0 ||
        points > kMaxLineSize) {
        message = "Please enter a number between 0 and 3.";
        return false;
    }
    lineSizes[which] = points;
    lineSizeTyped[which] = true;
    return true;
}

bool DocDefaultsForm::ParseFirstPartNumber(const char* text, CString& message) {
    double number = 0.0;
    BOOL valid = FALSE;
    if (!ParseOptionalNumber(text, number, valid) || !valid || number != std::floor(number) ||
        number < 1.0 || number > double(kMaxFirstPartNumber)) {
        message = "Please enter an integer between 1 and 20000.";
        return false;
    }
    firstPartNumber = LONG(number);
    return true;
}

CString DocDefaultsForm::LineSizeText(LineSize which) const {
    return FormatOptionalNumber(lineSizes[which], TRUE);
}
