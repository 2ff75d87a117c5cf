#include "model/object/OutlineFillState.h"

#include <algorithm>
#include <cmath>

#include "model/app/OptionalNumber.h"
#include "model/object/DrawObj.h"
#include "platform/GdiObjects.h"

namespace {

constexpr DWORD kStartArrowShift = 8;
constexpr DWORD kEndArrowShift = 10;
constexpr DWORD kArrowBits = 0x3;
constexpr UINT kLowStyleBits = 0xF;

// What one object gives the fields that are merged as values.
struct ObjectStyle {
    std::optional<COLORREF> penColour;
    std::optional<COLORREF> brushColour;
    UINT penStyle;
    bool insideFrame;
    LONG width;
    int hatchValue;
    int startArrow;
    int endArrow;
};

ObjectStyle StyleOf(const CDrawObj& object) {
    const LOGPEN* ownPen = object.GetOwnPen();
    const LOGBRUSH* ownBrush = object.GetOwnBrush();
    const LOGPEN pen = object.GetPen();
    const LOGBRUSH brush = object.GetBrush();
    ObjectStyle style;
    style.penColour = ownPen ? ownPen->lopnColor : kDefaultColour;
    style.brushColour = ownBrush ? ownBrush->lbColor : kDefaultColour;
    style.penStyle = pen.lopnStyle & kLowStyleBits;
    style.insideFrame = style.penStyle == PS_INSIDEFRAME;
    if (style.insideFrame)
        style.penStyle = PS_SOLID;
    style.width = pen.lopnWidth.x;
    style.hatchValue = brush.lbStyle == BS_HATCHED ? int(brush.lbHatch) + 1 : 0;
    const DWORD flags = object.GetFlags();
    style.startArrow = int((flags >> kStartArrowShift) & kArrowBits);
    style.endArrow = int((flags >> kEndArrowShift) & kArrowBits);
    return style;
}

template <class T>
void MergeValue(std::optional<T>& field, const std::optional<T>& value) {
    if (field != value)
        field.reset();
}

std::optional<int> StyleIndex(std::optional<UINT> style) {
    if (style && *style < UINT(kLineStyleCount))
        return int(*style);
    return std::nullopt;
}

std::optional<int> HatchIndex(std::optional<int> value) {
    if (!value)
        return std::nullopt;
    const int* found = std::find(std::begin(kHatchValues), std::end(kHatchValues), *value);
    if (found == std::end(kHatchValues))
        return std::nullopt;
    return int(found - std::begin(kHatchValues));
}

}  // namespace

double PenWidthToPoints(LONG width) {
    return std::floor(double(width) * 0.72 + 0.5) * 0.1;
}

LONG PointsToPenWidth(double points) {
    return LONG(std::floor(points * 13.888889 + 0.5));
}

// ---------------------------------------------------------------------------------------------
// Loading

void OutlineFillState::Load(const CObList& objects, DWORD kindFlags) {
    *this = OutlineFillState();
    kinds = kindFlags;
    std::optional<UINT> penStyle;
    std::optional<LONG> width;
    std::optional<int> hatchValue;
    bool first = true;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const auto* object = static_cast<const CDrawObj*>(objects.GetNext(pos));
        const ObjectStyle style = StyleOf(*object);
        if (first) {
            LoadFirst(*object);
            penStyle = style.penStyle;
            width = style.width;
            hatchValue = style.hatchValue;
            first = false;
            continue;
        }
        Merge(*object);
        MergeValue(penStyle, std::optional<UINT>(style.penStyle));
        MergeValue(width, std::optional<LONG>(style.width));
        MergeValue(hatchValue, std::optional<int>(style.hatchValue));
    }
    style = StyleIndex(penStyle);
    hatch = HatchIndex(hatchValue);
    if (width)
        weight = PenWidthToPoints(*width);
    if (!(kinds & kOutlineFillFillable))
        noOutline = TriState::kOff;
}

void OutlineFillState::LoadFirst(const CDrawObj& object) {
    const ObjectStyle style = StyleOf(object);
    const DWORD flags = object.GetFlags();
    outlineDefault = ToTriState(!object.GetOwnPen());
    fillDefault = ToTriState(!object.GetOwnBrush());
    closed = ToTriState(!(flags & kFlagOpen));
    noOutline = ToTriState(!(flags & kFlagOutlined));
    noFill = ToTriState(!(flags & kFlagFilled));
    insideFrame = ToTriState(style.insideFrame);
    penColour = style.penColour;
    brushColour = style.brushColour;
    startArrow = style.startArrow;
    endArrow = style.endArrow;
}

void OutlineFillState::Merge(const CDrawObj& object) {
    const ObjectStyle style = StyleOf(object);
    const DWORD flags = object.GetFlags();
    multiple = true;
    MergeTriState(outlineDefault, !object.GetOwnPen());
    MergeTriState(fillDefault, !object.GetOwnBrush());
    MergeTriState(closed, !(flags & kFlagOpen));
    MergeTriState(noOutline, !(flags & kFlagOutlined));
    MergeTriState(noFill, !(flags & kFlagFilled));
    MergeTriState(insideFrame, style.insideFrame);
    MergeValue(penColour, style.penColour);
    MergeValue(brushColour, style.brushColour);
    MergeValue(startArrow, std::optional<int>(style.startArrow));
    MergeValue(endArrow, std::optional<int>(style.endArrow));
}

// ---------------------------------------------------------------------------------------------
// What the page shows

bool OutlineFillState::ShowsFill() const {
    return (kinds & kOutlineFillFillable) && (!ShowsClosed() || closed != TriState::kOff);
}

bool OutlineFillState::ShowsArrows() const {
    return (kinds & kOutlineFillArrows) && !ShowsFill() && closed != TriState::kOn;
}

bool OutlineFillState::OutlineControlsEnabled() const {
    return noOutline != TriState::kOn && outlineDefault != TriState::kOn;
}

bool OutlineFillState::FillControlsEnabled() const {
    return noFill != TriState::kOn && fillDefault != TriState::kOn;
}

// ---------------------------------------------------------------------------------------------
// The user's actions

void OutlineFillState::ResetWeightForBrokenStyle() {
    if (style && *style > 0) {
        weight = 0.0;
        insideFrame = TriState::kOff;
    }
}

void OutlineFillState::SetOutlineDefault(TriState value) {
    outlineDefault = value;
    m_changed |= kOutlineDefaultField;
}

void OutlineFillState::ChooseStyle(int index) {
    style = index;
    outlineDefault = TriState::kOff;
    m_changed |= kStyleField;
    ResetWeightForBrokenStyle();
}

void OutlineFillState::SetNoOutline(TriState value) {
    noOutline = value;
    outlineDefault = TriState::kOff;
    m_changed |= kNoOutlineField;
    ResetWeightForBrokenStyle();
}

void OutlineFillState::TypeWeight(std::optional<double> points) {
    weight = points;
    style = 0;
    outlineDefault = TriState::kOff;
    m_changed |= kWeightField;
}

void OutlineFillState::Spin(int step) {
    const double tenths = std::round(weight.value_or(0.0) * 10.0) + step;
    const double spun = std::clamp(tenths * 0.1, 0.0, kMaxSpunWeight);
    weight = spun;
    if (spun != 0.0 && style)
        style = 0;
    outlineDefault = TriState::kOff;
    m_changed |= kWeightField;
}

void OutlineFillState::SetInsideFrame(TriState value) {
    insideFrame = value;
    outlineDefault = TriState::kOff;
    m_changed |= kInsideFrameField;
}

void OutlineFillState::SetClosed(TriState value) {
    closed = value;
    m_changed |= kClosedField;
    if (closed == TriState::kOff)
        noOutline = TriState::kOff;
}

void OutlineFillState::SetFillDefault(TriState value) {
    fillDefault = value;
    m_changed |= kFillDefaultField;
}

void OutlineFillState::SetNoFill(TriState value) {
    noFill = value;
    m_changed |= kNoFillField;
}

void OutlineFillState::ChooseHatch(int index) {
    hatch = index;
    m_changed |= kHatchField;
}

void OutlineFillState::ChooseStartArrow(int kind) {
    startArrow = kind;
    m_changed |= kStartArrowField;
}

void OutlineFillState::ChooseEndArrow(int kind) {
    endArrow = kind;
    m_changed |= kEndArrowField;
}

void OutlineFillState::ChoosePenColour(COLORREF colour) {
    penColour = colour;
    m_changed |= kPenColourField;
}

void OutlineFillState::ChooseBrushColour(COLORREF colour) {
    brushColour = colour;
    m_changed |= kBrushColourField;
}

// What the actions above set besides their own field is edited with it.
unsigned OutlineFillState::EditedFields() const {
    unsigned edited = m_changed;
    // A style, "No Outline", a weight or "Inside Frame" gives the outline its own pen.
    if (m_changed & (kStyleField | kNoOutlineField | kWeightField | kInsideFrameField))
        edited |= kOutlineDefaultField;
    // A weight is a solid line's.
    if (m_changed & kWeightField)
        edited |= kStyleField;
    // A broken style has no weight and is never inside the frame.
    if ((m_changed & (kStyleField | kNoOutlineField)) && style && *style > 0)
        edited |= kWeightField | kInsideFrameField;
    // An open curve is outlined.
    if ((m_changed & kClosedField) && closed == TriState::kOff)
        edited |= kNoOutlineField;
    return edited;
}

CString OutlineFillState::WeightText() const {
    return FormatOptionalNumber(weight.value_or(0.0), weight.has_value());
}

bool OutlineFillState::ParseWeight(const char* text, std::optional<double>& points,
                                   CString& message) {
    double value = 0.0;
    BOOL valid = FALSE;
    if (!ParseOptionalNumber(text, value, valid)) {
        message = kEnterNumberMessage;
        return false;
    }
    if (valid && (value < 0.0 || value > kMaxTypedWeight)) {
        message = "Please enter a weight between 0 and 100 points.";
        return false;
    }
    points = valid ? std::optional<double>(value) : std::nullopt;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Applying

OutlineFillState OutlineFillState::EditsOnly() const {
    OutlineFillState edits = *this;
    const auto keep = [this](unsigned field, auto& value, auto unknown) {
        if (!Edited(field))
            value = unknown;
    };
    keep(kPenColourField, edits.penColour, std::nullopt);
    keep(kBrushColourField, edits.brushColour, std::nullopt);
    keep(kOutlineDefaultField, edits.outlineDefault, TriState::kMixed);
    keep(kNoOutlineField, edits.noOutline, TriState::kMixed);
    keep(kInsideFrameField, edits.insideFrame, TriState::kMixed);
    keep(kClosedField, edits.closed, TriState::kMixed);
    keep(kFillDefaultField, edits.fillDefault, TriState::kMixed);
    keep(kNoFillField, edits.noFill, TriState::kMixed);
    keep(kWeightField, edits.weight, std::nullopt);
    keep(kStyleField, edits.style, std::nullopt);
    keep(kHatchField, edits.hatch, std::nullopt);
    keep(kStartArrowField, edits.startArrow, std::nullopt);
    keep(kEndArrowField, edits.endArrow, std::nullopt);
    return edits;
}

void OutlineFillState::ApplyTo(CDrawObj& object) const {
    const OutlineFillState edits = EditsOnly();
    if (Edited(kPenFields))
        edits.ApplyPen(object);
    if ((kinds & kOutlineFillFillable) && Edited(kBrushFields))
        edits.ApplyBrush(object);
    edits.ApplyFlags(object);
}

void OutlineFillState::ApplyPen(CDrawObj& object) const {
    if (outlineDefault == TriState::kOn || noOutline == TriState::kOn) {
        object.SetPen(nullptr);
        return;
    }
    const LOGPEN* own = object.GetOwnPen();
    if (outlineDefault == TriState::kMixed && !own)
        return;
    LOGPEN pen = own ? *own : object.GetDefaultPen();
    if (!own)
        pen.lopnColor = kDefaultColour;
    const UINT current = pen.lopnStyle & kLowStyleBits;
    const bool framed = current == PS_INSIDEFRAME;
    // Inside-frame counts as solid, "Inside Frame" alone decides between the two: a mixed one
    // keeps each object's own.
    UINT chosen = style ? UINT(*style) : (framed ? UINT(PS_SOLID) : current);
    if (chosen == PS_SOLID && ResolveTriState(insideFrame, framed))
        chosen = PS_INSIDEFRAME;
    pen.lopnStyle = chosen | PS_GEOMETRIC;
    if (weight) {
        const LONG width = PointsToPenWidth(*weight);
        pen.lopnWidth = POINT{width, width};
    }
    if (penColour)
        pen.lopnColor = *penColour;
    object.SetPen(&pen);
}

void OutlineFillState::ApplyBrush(CDrawObj& object) const {
    if (fillDefault == TriState::kOn || noFill == TriState::kOn) {
        object.SetBrush(nullptr);
        return;
    }
    const LOGBRUSH* own = object.GetOwnBrush();
    if (fillDefault == TriState::kMixed && !own)
        return;
    LOGBRUSH brush = own ? *own : object.GetDefaultBrush();
    if (!own)
        brush.lbColor = kDefaultColour;
    if (hatch) {
        const int value = kHatchValues[*hatch];
        brush.lbStyle = value == 0 ? BS_SOLID : BS_HATCHED;
        brush.lbHatch = value == 0 ? 0 : value - 1;
    }
    if (brushColour)
        brush.lbColor = *brushColour;
    object.SetBrush(&brush);
}

void OutlineFillState::ApplyFlags(CDrawObj& object) const {
    const DWORD flags = object.GetFlags();
    DWORD value = flags;
    const auto write = [&value](TriState field, DWORD bit, bool setWhenOff) {
        if (field == TriState::kMixed)
            return;
        const bool set = (field == TriState::kOff) == setWhenOff;
        value = set ? (value | bit) : (value & ~bit);
    };
    write(noOutline, kFlagOutlined, true);
    if (kinds & kOutlineFillFillable)
        write(noFill, kFlagFilled, true);
    if (kinds & kOutlineFillClosable)
        write(closed, kFlagOpen, true);
    if (kinds & kOutlineFillArrows) {
        if (startArrow)
            value = (value & ~(kArrowBits << kStartArrowShift)) |
                    (DWORD(*startArrow) << kStartArrowShift);
        if (endArrow)
            value =
                (value & ~(kArrowBits << kEndArrowShift)) | (DWORD(*endArrow) << kEndArrowShift);
    }
    if (value != flags)
        object.SetFlags(value, value ^ flags);
}
