#include <gtest/gtest.h>

#include "model/cmd/NamedEdit.h"
#include "model/doc/DrawDoc.h"
#include "model/object/OutlineFillState.h"
#include "model/shapes/DrawRect.h"
#include "model/support/TestPart.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"

namespace {

constexpr DWORD kAllKinds = 0xF;

class OutlineFillStateTest : public ::testing::Test {
protected:
    CDrawRect* Rect(DWORD flags = kFlagOutlined) {
        auto* rect = new CDrawRect(CRect(0, 0, 1000, -500));
        rect->SetFlags(flags, ~DWORD{0});
        rect->SetDocument(&doc);
        doc.GetObjects().AddTail(rect);
        return rect;
    }
    static LOGPEN Pen(UINT style, LONG width, COLORREF colour) {
        LOGPEN pen;
        pen.lopnStyle = style;
        pen.lopnWidth = POINT{width, width};
        pen.lopnColor = colour;
        return pen;
    }
    static LOGBRUSH Hatched(LONG hatch, COLORREF colour) {
        LOGBRUSH brush;
        brush.lbStyle = BS_HATCHED;
        brush.lbHatch = hatch;
        brush.lbColor = colour;
        return brush;
    }
    OutlineFillState Loaded(std::initializer_list<CDrawObj*> objects, DWORD kinds = kAllKinds) {
        CObList list;
        for (CDrawObj* object : objects)
            list.AddTail(object);
        OutlineFillState state;
        state.Load(list, kinds);
        return state;
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

TEST(PenWeight, ConvertsBetweenPointsAndThousandthsOfAnInch) {
    EXPECT_DOUBLE_EQ(PenWidthToPoints(14), 1.0);
    EXPECT_EQ(PointsToPenWidth(1.0), 14);
    EXPECT_EQ(PointsToPenWidth(0.5), 7);
    EXPECT_DOUBLE_EQ(PenWidthToPoints(0), 0.0);
}

TEST(PenWeight, TextIsReadWithoutTheLocaleAndWithinItsLimits) {
    std::optional<double> points;
    CString message;
    EXPECT_TRUE(OutlineFillState::ParseWeight("1.5", points, message));
    EXPECT_EQ(points, 1.5);
    EXPECT_TRUE(OutlineFillState::ParseWeight("", points, message));
    EXPECT_FALSE(points.has_value());
    EXPECT_FALSE(OutlineFillState::ParseWeight("100.5", points, message));
    EXPECT_FALSE(message.IsEmpty());
    EXPECT_FALSE(OutlineFillState::ParseWeight("-1", points, message));
    EXPECT_FALSE(OutlineFillState::ParseWeight("heavy", points, message));
    EXPECT_FALSE(points.has_value());  // a refused text changes nothing
}

TEST_F(OutlineFillStateTest, OneObjectLoadsItsPenBrushAndFlags) {
    CDrawRect* rect = Rect(kFlagOutlined | kFlagFilled | (2u << 8) | (3u << 10));
    const LOGPEN pen = Pen(PS_INSIDEFRAME, 14, 0x0000FF);
    rect->SetPen(&pen);
    const LOGBRUSH brush = Hatched(HS_CROSS, 0x00FF00);
    rect->SetBrush(&brush);
    const OutlineFillState state = Loaded({rect});
    EXPECT_FALSE(state.multiple);
    EXPECT_EQ(state.outlineDefault, TriState::kOff);
    EXPECT_EQ(state.fillDefault, TriState::kOff);
    EXPECT_EQ(state.noOutline, TriState::kOff);
    EXPECT_EQ(state.noFill, TriState::kOff);
    EXPECT_EQ(state.closed, TriState::kOn);
    EXPECT_EQ(state.insideFrame, TriState::kOn);
    EXPECT_EQ(state.style, 0);  // inside-frame counts as solid
    EXPECT_EQ(state.weight, 1.0);
    EXPECT_EQ(state.WeightText(), "1");
    EXPECT_EQ(state.hatch, 2);  // HS_CROSS is hatch value 5, the third of the list
    EXPECT_EQ(state.penColour, COLORREF(0x0000FF));
    EXPECT_EQ(state.brushColour, COLORREF(0x00FF00));
    EXPECT_EQ(state.startArrow, 2);
    EXPECT_EQ(state.endArrow, 3);
}

TEST_F(OutlineFillStateTest, DifferingObjectsMakeFieldsMixedOrUnknown) {
    CDrawRect* a = Rect(kFlagOutlined | kFlagFilled);
    CDrawRect* b = Rect(0);
    const LOGPEN pen = Pen(PS_DASH, 28, 0x0000FF);
    b->SetPen(&pen);
    for (const OutlineFillState& state : {Loaded({a, b}), Loaded({b, a})}) {
        EXPECT_TRUE(state.multiple);
        EXPECT_EQ(state.noFill, TriState::kMixed);
        EXPECT_EQ(state.noOutline, TriState::kMixed);
        EXPECT_EQ(state.outlineDefault, TriState::kMixed);
        EXPECT_EQ(state.fillDefault, TriState::kOn);
        EXPECT_FALSE(state.penColour.has_value());
        EXPECT_FALSE(state.style.has_value());
        EXPECT_FALSE(state.weight.has_value());
        EXPECT_EQ(state.WeightText(), "");
        EXPECT_EQ(state.hatch, 0);
    }
}

TEST_F(OutlineFillStateTest, KindFlagsDecideWhatIsShown) {
    CDrawRect* rect = Rect();
    EXPECT_FALSE(Loaded({rect}, 0).ShowsFill());
    EXPECT_FALSE(Loaded({rect}, 0).ShowsArrows());
    EXPECT_TRUE(Loaded({rect}, 0x9).ShowsFill());
    EXPECT_TRUE(Loaded({rect}, 0x9).ShowsInsideFrame());
    CDrawRect* open = Rect(kFlagOutlined | kFlagOpen);
    OutlineFillState curve = Loaded({open}, kAllKinds);
    EXPECT_FALSE(curve.ShowsFill());
    EXPECT_TRUE(curve.ShowsArrows());
    EXPECT_FALSE(curve.NoOutlineEnabled());
    curve.SetClosed(TriState::kOn);
    EXPECT_TRUE(curve.ShowsFill());
    // Without the fill kind "No Outline" is never loaded as on.
    EXPECT_EQ(Loaded({Rect(0)}, 0x4).noOutline, TriState::kOff);
}

TEST_F(OutlineFillStateTest, ReactionsFollowTheUsersChoices) {
    CDrawRect* rect = Rect();
    const LOGPEN pen = Pen(PS_INSIDEFRAME, 28, 0);
    rect->SetPen(&pen);
    OutlineFillState state = Loaded({rect});
    state.ChooseStyle(2);  // dot
    EXPECT_EQ(state.weight, 0.0);
    EXPECT_EQ(state.insideFrame, TriState::kOff);

    state.outlineDefault = TriState::kOn;
    EXPECT_FALSE(state.OutlineControlsEnabled());
    state.TypeWeight(1.5);
    EXPECT_EQ(state.style, 0);
    EXPECT_EQ(state.outlineDefault, TriState::kOff);
    EXPECT_TRUE(state.OutlineControlsEnabled());

    state.weight = 0.95;
    state.Spin(1);
    EXPECT_NEAR(*state.weight, 1.1, 1e-9);
    state.weight = 9.95;
    state.Spin(5);
    EXPECT_DOUBLE_EQ(*state.weight, 10.0);
    state.weight.reset();
    state.style.reset();
    state.Spin(-1);
    EXPECT_DOUBLE_EQ(*state.weight, 0.0);
    EXPECT_FALSE(state.style.has_value());  // a zero weight leaves an unknown style alone

    state.ChooseStyle(1);
    state.ChoosePenNone();
    EXPECT_EQ(state.noOutline, TriState::kOn);
    EXPECT_FALSE(state.OutlineDefaultEnabled());
    state.ChooseBrushNone();
    EXPECT_FALSE(state.FillControlsEnabled());
}

TEST_F(OutlineFillStateTest, ApplyingWritesPenBrushFlagsAndArrows) {
    CDrawRect* rect = Rect(kFlagOutlined);
    OutlineFillState state = Loaded({rect});
    state.TypeWeight(1.0);
    state.ChoosePenColour(0x112233);
    state.SetFillDefault(TriState::kOff);
    state.SetNoFill(TriState::kOff);
    state.ChooseHatch(1);  // value 4: hatch style 3
    state.ChooseBrushColour(kDefaultColour);
    state.ChooseStartArrow(1);
    state.ChooseEndArrow(2);
    state.ApplyTo(*rect);
    ASSERT_NE(rect->GetOwnPen(), nullptr);
    EXPECT_EQ(rect->GetOwnPen()->lopnStyle, PS_SOLID | PS_GEOMETRIC);
    EXPECT_EQ(rect->GetOwnPen()->lopnWidth.x, 14);
    EXPECT_EQ(rect->GetOwnPen()->lopnColor, COLORREF(0x112233));
    ASSERT_NE(rect->GetOwnBrush(), nullptr);
    EXPECT_EQ(rect->GetOwnBrush()->lbStyle, BS_HATCHED);
    EXPECT_EQ(rect->GetOwnBrush()->lbHatch, HS_BDIAGONAL);
    EXPECT_EQ(rect->GetOwnBrush()->lbColor, kDefaultColour);
    EXPECT_EQ(rect->GetFlags(), kFlagOutlined | kFlagFilled | (1u << 8) | (2u << 10));

    state.ChooseStyle(1);
    state.ApplyTo(*rect);
    EXPECT_EQ(rect->GetOwnPen()->lopnStyle, PS_DASH | PS_GEOMETRIC);
    EXPECT_EQ(rect->GetOwnPen()->lopnWidth.x, 0);

    state.ChooseStyle(0);
    state.SetInsideFrame(TriState::kOn);
    state.ApplyTo(*rect);
    EXPECT_EQ(rect->GetOwnPen()->lopnStyle, PS_INSIDEFRAME | PS_GEOMETRIC);

    state.SetOutlineDefault(TriState::kOn);
    state.SetNoFill(TriState::kOn);
    state.ApplyTo(*rect);
    EXPECT_EQ(rect->GetOwnPen(), nullptr);
    EXPECT_EQ(rect->GetOwnBrush(), nullptr);
    EXPECT_EQ(rect->GetFlags() & kFlagFilled, 0u);
}

TEST_F(OutlineFillStateTest, MixedFieldsLeaveEachObjectAsItWas) {
    CDrawRect* filled = Rect(kFlagOutlined | kFlagFilled);
    CDrawRect* plain = Rect(kFlagOutlined);
    const LOGPEN frame = Pen(PS_INSIDEFRAME, 14, 0x0000FF);
    const LOGPEN solid = Pen(PS_SOLID, 28, 0x00FF00);
    filled->SetPen(&frame);
    plain->SetPen(&solid);
    OutlineFillState state = Loaded({filled, plain});
    ASSERT_EQ(state.noFill, TriState::kMixed);
    ASSERT_EQ(state.insideFrame, TriState::kMixed);
    ASSERT_EQ(state.style, 0);
    state.ChooseStyle(0);
    state.ApplyTo(*filled);
    state.ApplyTo(*plain);
    EXPECT_EQ(filled->GetFlags(), kFlagOutlined | kFlagFilled);
    EXPECT_EQ(plain->GetFlags(), kFlagOutlined);
    EXPECT_EQ(filled->GetOwnPen()->lopnStyle, PS_INSIDEFRAME | PS_GEOMETRIC);
    EXPECT_EQ(plain->GetOwnPen()->lopnStyle, PS_SOLID | PS_GEOMETRIC);
    EXPECT_EQ(filled->GetOwnPen()->lopnWidth.x, 14);
    EXPECT_EQ(plain->GetOwnPen()->lopnWidth.x, 28);
    EXPECT_EQ(filled->GetOwnPen()->lopnColor, COLORREF(0x0000FF));
    EXPECT_EQ(plain->GetOwnPen()->lopnColor, COLORREF(0x00FF00));
    // A mixed fill default gives no brush to the objects that have none.
    EXPECT_EQ(filled->GetOwnBrush(), nullptr);
}

// A width shown rounded to a tenth of a point (2 as 0.1, 5 as 0.4, 9 as 0.6, 12 as 0.8) would
// come back as another width: a field not edited is not written at all.
TEST_F(OutlineFillStateTest, FieldsNotEditedLeaveTheObjectsAsTheyWere) {
    for (const LONG width : {2, 5, 9, 12}) {
        SCOPED_TRACE(width);
        CDrawRect* rect = Rect(kFlagOutlined | kFlagFilled);
        const LOGPEN pen = Pen(PS_SOLID, width, 0x0000FF);
        rect->SetPen(&pen);
        const LOGBRUSH brush = Hatched(HS_CROSS, 0x00FF00);
        rect->SetBrush(&brush);
        const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
        OutlineFillState state = Loaded({rect});
        EXPECT_FALSE(state.IsEdited());
        state.ApplyTo(*rect);
        EXPECT_EQ(testsupport::DocumentBytes(doc), before);

        state.ChoosePenColour(0x123456);
        EXPECT_TRUE(state.IsEdited());
        state.ApplyTo(*rect);
        EXPECT_EQ(rect->GetOwnPen()->lopnWidth.x, width);
        EXPECT_EQ(rect->GetOwnPen()->lopnColor, COLORREF(0x123456));
        EXPECT_EQ(rect->GetOwnBrush()->lbColor, COLORREF(0x00FF00));
    }
    // Without the fill kind "No Outline" loads as off, yet the object keeps its clear flag.
    CDrawRect* unoutlined = Rect(0);
    Loaded({unoutlined}, kOutlineFillArrows).ApplyTo(*unoutlined);
    EXPECT_EQ(unoutlined->GetFlags(), 0u);
}

// A field edits what it implies with it, whether an action or the page names it as changed;
// the fields named as changed replace those the actions remembered.
TEST_F(OutlineFillStateTest, AChangedFieldEditsWhatItImplies) {
    CDrawRect* framed = Rect();
    const LOGPEN frame = Pen(PS_INSIDEFRAME | PS_GEOMETRIC, 28, 0);
    framed->SetPen(&frame);
    OutlineFillState state = Loaded({framed});
    state.ChooseStyle(2);  // dot: no weight, not inside the frame
    state.ApplyTo(*framed);
    EXPECT_EQ(framed->GetOwnPen()->lopnStyle, PS_DOT | PS_GEOMETRIC);
    EXPECT_EQ(framed->GetOwnPen()->lopnWidth.x, 0);

    CDrawRect* dotted = Rect();
    const LOGPEN dot = Pen(PS_DOT | PS_GEOMETRIC, 0, 0);
    dotted->SetPen(&dot);
    state = Loaded({dotted});
    state.TypeWeight(1.0);  // a weight is a solid line's
    state.SetChanged(0);
    EXPECT_FALSE(state.IsEdited());
    state.SetChanged(OutlineFillState::kWeightField);
    state.ApplyTo(*dotted);
    EXPECT_EQ(dotted->GetOwnPen()->lopnStyle, PS_SOLID | PS_GEOMETRIC);
    EXPECT_EQ(dotted->GetOwnPen()->lopnWidth.x, 14);

    const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
    state = Loaded({dotted});
    state.ChooseStyle(1);
    state.SetChanged(OutlineFillState::kHatchField);  // the page: only the hatch list changed
    state.ApplyTo(*dotted);
    EXPECT_EQ(testsupport::DocumentBytes(doc), before);
}

TEST_F(OutlineFillStateTest, ObjectPropertiesIsOneUndoableEdit) {
    CDrawRect* a = Rect(kFlagOutlined);
    CDrawRect* b = Rect(kFlagOutlined | kFlagFilled);
    const DocSnapshot before = Snapshot(doc);
    OutlineFillState state = Loaded({a, b});
    state.ChooseStyle(3);
    state.ChoosePenColour(0x445566);
    CObList objects;
    objects.AddTail(a);
    objects.AddTail(b);
    ASSERT_TRUE(ApplyNamedEdit(doc, objects, "object properties",
                               [&state](CDrawObj& copy) { state.ApplyTo(copy); }));
    const DocSnapshot after = Snapshot(doc);
    EXPECT_NE(after, before);
    CUndoList& undo = doc.GetUndoList();
    EXPECT_EQ(undo.GetCount(), 1);
    EXPECT_STREQ(undo.GetUndoName(), "object properties");
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(doc), before);
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(Snapshot(doc), after);
    EXPECT_FALSE(ApplyNamedEdit(doc, CObList(), "object properties", [](CDrawObj&) {}));
}

}  // namespace
