#include "model/text/TextFontState.h"

#include <cmath>
#include <cstring>

#include "model/app/OptionalNumber.h"
#include "model/text/TextBox.h"

namespace {

// Heights from -3 upward are no character heights the page writes.
constexpr LONG kLargestUnwrittenHeight = -3;
constexpr double kMaxPoints = 1638.0;

bool SameFace(const LOGFONT& a, const LOGFONT& b) {
    return std::memcmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}

bool SameFont(const LOGFONT& a, const LOGFONT& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline &&
           a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily && SameFace(a, b);
}

CString FaceOf(const LOGFONT& font) {
    return CString(std::string(font.lfFaceName, strnlen(font.lfFaceName, LF_FACESIZE)).c_str());
}

}  // namespace

LONG PointsToFontHeight(double points) {
    return -LONG(std::floor(points * 10.0 + 0.5));
}

double FontHeightToPoints(LONG height) {
    return std::fabs(double(height)) / 10.0;
}

void TextFontState::Load(const LOGFONT& first) {
    *this = TextFontState();
    font = first;
    face = FaceOf(first);
    height = first.lfHeight;
    weight = first.lfWeight;
    italic = ToTriState(first.lfItalic);
    underline = ToTriState(first.lfUnderline);
}

void TextFontState::Merge(const LOGFONT& further) {
    if (!SameFace(font, further))
        face.reset();
    if (height != further.lfHeight)
        height.reset();
    if (weight != further.lfWeight)
        weight.reset();
    MergeTriState(italic, further.lfItalic);
    MergeTriState(underline, further.lfUnderline);
}

void TextFontState::Load(const CObList& objects) {
    bool first = true;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (object->GetObjType() != kObjText)
            continue;
        const LOGFONT current = static_cast<const CTextBox*>(object)->GetFont();
        if (first)
            Load(current);
        else
            Merge(current);
        first = false;
    }
}

TriState TextFontState::Bold() const {
    return weight ? ToTriState(*weight == FW_BOLD) : TriState::kMixed;
}

void TextFontState::ChooseFace(const LOGFONT& family) {
    faceFont = family;
    face = FaceOf(family);
}

CString TextFontState::SizeText() const {
    if (!height)
        return {};
    const double points = FontHeightToPoints(*height);
    CString text;
    if (points == std::floor(points))
        text.Format("%d", int(points));
    else
        text = FormatOptionalNumber(points, TRUE);
    return text;
}

bool TextFontState::ParseSize(const char* text, CString& message) {
    double points = 0.0;
    BOOL valid = FALSE;
    if (!ParseOptionalNumber(text, points, valid)) {
        message = kEnterNumberMessage;
        return false;
    }
    if (!valid) {
        height.reset();
        return true;
    }
    if (points < 1.0 || points > kMaxPoints) {
        message = "Please enter a size between 1 and 1638 points.";
        return false;
    }
    height = PointsToFontHeight(points);
    return true;
}

LOGFONT TextFontState::AppliedTo(const LOGFONT& current) const {
    LOGFONT applied = current;
    if (faceFont) {
        applied = *faceFont;
        applied.lfHeight = current.lfHeight;
        applied.lfWeight = current.lfWeight;
    }
    if (height && *height < kLargestUnwrittenHeight)
        applied.lfHeight = *height;
    if (weight)
        applied.lfWeight = *weight;
    if (italic != TriState::kMixed)
        applied.lfItalic = italic == TriState::kOn;
    if (underline != TriState::kMixed)
        applied.lfUnderline = underline == TriState::kOn;
    return applied;
}

void TextFontState::ApplyTo(CTextBox& text) const {
    const LOGFONT current = text.GetFont();
    const LOGFONT applied = AppliedTo(current);
    if (!SameFont(applied, current))
        text.SetFont(&applied);
}
