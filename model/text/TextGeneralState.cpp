#include "model/text/TextGeneralState.h"

#include <array>
#include <cmath>

#include "model/app/OptionalNumber.h"
#include "model/text/TextBox.h"
#include "model/text/TextLayout.h"

namespace {

// Thousandths of an inch per unit shown.
double PerUnit(MarginUnit unit) {
    return unit == MarginUnit::kInch ? 1000.0 : 1000.0 / 25.4;
}

constexpr int kMaxMargin = 0xFFFF;

// The text as written, without the breaks of its word wrap.
CString WrittenText(const CTextBox& box) {
    std::string text = box.GetText().str();
    RemoveSoftBreaks(text);
    return CString(text.c_str());
}

}  // namespace

void TextGeneralState::Load(const CObList& objects) {
    *this = TextGeneralState();
    bool first = true;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (object->GetObjType() != kObjText)
            continue;
        const auto* box = static_cast<const CTextBox*>(object);
        const WORD flags = box->GetTextFlags();
        const WORD* borders = box->GetBorders();
        if (first) {
            text = WrittenText(*box);
            alignment = flags & kTextAlignMask;
            multiLine = ToTriState(flags & kTextMultiLine);
            autoSize = ToTriState(flags & kTextAutoSize);
            for (int i = 0; i < 4; ++i)
                margins[i] = borders[i];
            first = false;
            continue;
        }
        multiple = true;
        if (text != WrittenText(*box))
            text.Empty();
        if (alignment != int(flags & kTextAlignMask))
            alignment.reset();
        MergeTriState(multiLine, flags & kTextMultiLine);
        MergeTriState(autoSize, flags & kTextAutoSize);
        for (int i = 0; i < 4; ++i) {
            if (margins[i] != int(borders[i]))
                margins[i].reset();
        }
    }
}

CString TextGeneralState::MarginText(int margin, MarginUnit unit) const {
    const std::optional<int>& value = margins[margin];
    return FormatOptionalNumber(value ? *value / PerUnit(unit) : 0.0, value.has_value());
}

bool TextGeneralState::ParseMargin(int margin, const char* text, MarginUnit unit,
                                   CString& message) {
    double value = 0.0;
    BOOL valid = FALSE;
    if (!ParseOptionalNumber(text, value, valid)) {
        message = kEnterNumberMessage;
        return false;
    }
    if (!valid) {
        margins[margin].reset();
        return true;
    }
    const double thousandths = std::floor(value * PerUnit(unit) + 0.5);
    if (thousandths < 0.0 || thousandths > kMaxMargin) {
        message.Format("Please enter a margin between 0 and %.6g %s.", kMaxMargin / PerUnit(unit),
                       unit == MarginUnit::kInch ? "inches" : "mm");
        return false;
    }
    margins[margin] = int(thousandths);
    return true;
}

// A text is laid out anew only when its text, flags or borders change: laying out also
// normalises a rectangle that a mirror or a turn reversed, which an untouched OK must keep.
void TextGeneralState::ApplyTo(CTextBox& box) const {
    const WORD flagsBefore = box.GetTextFlags();
    const WORD* borders = box.GetBorders();
    const std::array<int, 4> bordersBefore{borders[0], borders[1], borders[2], borders[3]};
    WORD flags = flagsBefore;
    if (alignment)
        flags = WORD((flags & ~kTextAlignMask) | *alignment);
    if (multiLine != TriState::kMixed)
        flags = multiLine == TriState::kOn ? (flags | kTextMultiLine) : (flags & ~kTextMultiLine);
    if (autoSize != TriState::kMixed)
        flags = autoSize == TriState::kOn ? (flags | kTextAutoSize) : (flags & ~kTextAutoSize);
    box.SetTextFlags(flags, 0xFFFF);
    std::array<int, 4> kept{};
    for (int i = 0; i < 4; ++i)
        kept[i] = margins[i].value_or(bordersBefore[i]);
    box.SetBorders(kept[kLeft], kept[kTop], kept[kRight], kept[kBottom]);
    if (!text.IsEmpty() && text != WrittenText(box))
        box.SetText(text, FALSE);
    else if (flags != flagsBefore || kept != bordersBefore)
        box.RecalcLayout();
}
