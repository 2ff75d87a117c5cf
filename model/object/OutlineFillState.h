#pragma once
// What the "Outline and Fill" page edits, without its window: the pen, the brush, the open or
// closed state and the arrow heads of the objects loaded, merged over them. A field the objects
// disagree on is mixed (TriState) or unknown (an empty optional) and is left as each object has
// it when the page is applied. So is a field the user did not edit: read the fields directly,
// but change them only through the user's actions below, which remember the field each acted
// on, or tell the state at once which fields were changed (SetChanged). A field changed edits
// what it implies as well (EditedFields): the page's window needs to know no rule of its own.

#include <optional>

#include "model/object/TriState.h"
#include "platform/CString.h"
#include "platform/GdiTypes.h"
#include "platform/ObList.h"
#include "platform/Types.h"

class CDrawObj;

// Kind flags: which groups of the page apply to the objects.
constexpr DWORD kOutlineFillFillable = 0x1;     // the objects can be filled
constexpr DWORD kOutlineFillClosable = 0x2;     // they can be open or closed ("Closed Curve")
constexpr DWORD kOutlineFillArrows = 0x4;       // they have line ends
constexpr DWORD kOutlineFillInsideFrame = 0x8;  // "Inside Frame" applies

// The styles of the style list, in list order, and the values of the hatch list: 0 solid,
// any other value v the hatch style v - 1.
constexpr int kLineStyleCount = 5;
constexpr int kHatchValues[] = {0, 4, 5, 6, 3, 1};
constexpr int kHatchCount = 6;
constexpr int kArrowKindCount = 4;

// Weights are typed between these (points); the spin keeps them within 0 to kMaxSpunWeight.
constexpr double kMaxTypedWeight = 100.0;
constexpr double kMaxSpunWeight = 10.0;

// A pen width (thousandths of an inch) as a weight in points, to a tenth; and back.
double PenWidthToPoints(LONG width);
LONG PointsToPenWidth(double points);

struct OutlineFillState {
    DWORD kinds = 0;
    bool multiple = false;

    std::optional<COLORREF> penColour;    // kDefaultColour: the document's default ("Auto")
    std::optional<COLORREF> brushColour;  // likewise
    TriState outlineDefault = TriState::kOff;
    TriState noOutline = TriState::kOff;
    TriState insideFrame = TriState::kOff;
    TriState closed = TriState::kOff;
    TriState fillDefault = TriState::kOff;
    TriState noFill = TriState::kOff;
    std::optional<double> weight;  // points
    std::optional<int> style;      // index into the style list
    std::optional<int> hatch;      // index into the hatch list
    std::optional<int> startArrow;
    std::optional<int> endArrow;

    // Loads the objects (CDrawObj) with the kind flags given; the first sets every field and
    // each further one merges into them.
    void Load(const CObList& objects, DWORD kindFlags);

    // What the page shows.
    bool ShowsInsideFrame() const { return kinds & kOutlineFillInsideFrame; }
    bool ShowsClosed() const { return kinds & kOutlineFillClosable; }
    bool ShowsFill() const;
    bool ShowsArrows() const;
    // Which controls are enabled.
    bool OutlineDefaultEnabled() const { return noOutline != TriState::kOn; }
    bool OutlineControlsEnabled() const;
    bool FillDefaultEnabled() const { return noFill != TriState::kOn; }
    bool FillControlsEnabled() const;
    bool NoOutlineEnabled() const { return closed != TriState::kOff || !ShowsClosed(); }

    // The user's actions.
    void SetOutlineDefault(TriState value);
    void ChooseStyle(int index);
    void SetNoOutline(TriState value);
    // A weight typed: the style becomes solid and the outline's own.
    void TypeWeight(std::optional<double> points);
    void Spin(int step);
    void SetInsideFrame(TriState value);
    void SetClosed(TriState value);
    void SetFillDefault(TriState value);
    void SetNoFill(TriState value);
    void ChooseHatch(int index);
    void ChooseStartArrow(int kind);
    void ChooseEndArrow(int kind);
    // The colour popups' answers: a colour (kDefaultColour for "Auto"), or "none".
    void ChoosePenColour(COLORREF colour);
    void ChooseBrushColour(COLORREF colour);
    void ChoosePenNone() { SetNoOutline(TriState::kOn); }
    void ChooseBrushNone() { SetNoFill(TriState::kOn); }
    // Whether any field was edited since loading.
    bool IsEdited() const { return m_changed != 0; }

    // The fields, one a control of the page, as bits.
    enum Field : unsigned {
        kPenColourField = 1u << 0,
        kOutlineDefaultField = 1u << 1,
        kNoOutlineField = 1u << 2,
        kInsideFrameField = 1u << 3,
        kStyleField = 1u << 4,
        kWeightField = 1u << 5,
        kBrushColourField = 1u << 6,
        kFillDefaultField = 1u << 7,
        kNoFillField = 1u << 8,
        kHatchField = 1u << 9,
        kClosedField = 1u << 10,
        kStartArrowField = 1u << 11,
        kEndArrowField = 1u << 12,
    };
    static constexpr unsigned kPenFields = kPenColourField | kOutlineDefaultField |
                                           kNoOutlineField | kInsideFrameField | kStyleField |
                                           kWeightField;
    static constexpr unsigned kBrushFields =
        kBrushColourField | kFillDefaultField | kNoFillField | kHatchField;

    // The fields the user changed since loading, in place of those the actions remembered.
    void SetChanged(unsigned fields) { m_changed = fields; }

    // The weight as shown ("%.6g", empty when unknown), and read back from text: false with
    // message set when the text is no number or lies outside 0 to kMaxTypedWeight.
    CString WeightText() const;
    static bool ParseWeight(const char* text, std::optional<double>& points, CString& message);

    // Writes the edited fields that are definite into one object. The pen is stored only when
    // one of its fields was edited, the brush likewise.
    void ApplyTo(CDrawObj& object) const;

private:
    // The fields the changed ones edit: each its own, and what it implies.
    unsigned EditedFields() const;
    bool Edited(unsigned fields) const { return EditedFields() & fields; }
    // This state with every field not edited made mixed or unknown.
    OutlineFillState EditsOnly() const;
    void LoadFirst(const CDrawObj& object);
    void Merge(const CDrawObj& object);
    void ApplyPen(CDrawObj& object) const;
    void ApplyBrush(CDrawObj& object) const;
    void ApplyFlags(CDrawObj& object) const;
    void ResetWeightForBrokenStyle();

    unsigned m_changed = 0;  // Field bits
};
