// Aligning and sizing the selection against its dominant (last) object.

#include <gtest/gtest.h>

#include "model/cmd/ArrangeEdits.h"
#include "model/net/NetTestSheet.h"
#include "model/shapes/DrawRect.h"
#include "model/support/EditSheet.h"
#include "model/support/TestPart.h"
#include "support/DocumentBytes.h"
#include "support/LinkAudit.h"

namespace {

class Sheet : public EditSheet {
public:
    CDrawObj* Rect(const CRect& r) { return Add(new CDrawRect(r)); }
    // A wire of a net of its own from one point to the other.
    CWire* WireFrom(const char* net, CPoint from, CPoint to) {
        CWire* wire = Wire(net);
        wire->SetStart(from.x, from.y, nullptr);
        wire->SetEnd(to.x, to.y, nullptr);
        wire->RecalcBounds(nullptr);
        return wire;
    }
    CWire* WireAt(int index) { return dynamic_cast<CWire*>(const_cast<CDrawObj*>(At(index))); }
    // Aligns, checks the links, then that undo gives back the bytes of before and redo those
    // of after the edit.
    void AlignUndoRedo(const ObjectList& selection, AlignMode mode) {
        const std::vector<BYTE> before = testsupport::DocumentBytes(doc);
        ASSERT_TRUE(AlignSelection(doc, selection, mode));
        EXPECT_EQ(Steps(), 1);
        EXPECT_EQ(testsupport::FirstPurgeRepair(doc), "");
        EXPECT_EQ(testsupport::FirstBrokenLink(doc), "");
        after = testsupport::DocumentBytes(doc);
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), before);
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(testsupport::DocumentBytes(doc), after);
        EXPECT_EQ(testsupport::FirstPurgeRepair(doc), "");
    }
    std::vector<BYTE> after;
};

struct AlignCase {
    AlignMode mode;
    const char* label;
    CRect first;  // the other object's position after the edit
};

// The dominant rectangle spans (300, -100)-(500, -400) and the other (100, -600)-(200, -700),
// drawn from right to left and upwards.
TEST(ArrangeEdits, AlignMovesByTheNormalisedBoundsToTheDominantObject) {
    const AlignCase cases[] = {
        {AlignMode::kLeft, "align left", CRect(400, -700, 300, -600)},
        {AlignMode::kRight, "align right", CRect(500, -700, 400, -600)},
        {AlignMode::kHorizontal, "align horizontal centre", CRect(450, -700, 350, -600)},
        {AlignMode::kTop, "align top", CRect(200, -200, 100, -100)},
        {AlignMode::kBottom, "align bottom", CRect(200, -400, 100, -300)},
        {AlignMode::kVertical, "align vertical centre", CRect(200, -300, 100, -200)},
    };
    for (const AlignCase& c : cases) {
        Sheet sheet;
        CDrawObj* other = sheet.Rect(CRect(200, -700, 100, -600));
        CDrawObj* dominant = sheet.Rect(CRect(300, -100, 500, -400));
        ASSERT_TRUE(AlignSelection(sheet.doc, ObjectList{other, dominant}, c.mode)) << c.label;
        EXPECT_EQ(sheet.At(0)->GetPosition(), c.first) << c.label;
        EXPECT_EQ(sheet.At(1)->GetPosition(), CRect(300, -100, 500, -400)) << c.label;
        EXPECT_EQ(sheet.Steps(), 1);
        EXPECT_STREQ(sheet.doc.GetUndoList().GetUndoName(), c.label);
    }
}

// A part aligned away from the wires on its pins, and a wire aligned away from the pin and the
// wire its ends lie on, no longer end there: no link is kept between ends that parted. Undo
// gives the links back with the places.
TEST(ArrangeEdits, AlignBreaksTheLinksOfEndsThatParted) {
    for (const bool movePart : {true, false}) {
        Sheet sheet;
        CSymbol* part = sheet.Symbol("U1", nullptr, {"A"});
        CPin* pin = part->FindPin("A");
        CWire* wire = sheet.Wire("N1");
        CWire* branch = sheet.Wire("N1");
        wire->SetStart(-100, 0, pin);
        wire->SetEnd(-600, 0, nullptr);
        branch->SetStart(-400, 0, wire);
        branch->SetEnd(-400, 500, nullptr);
        wire->RecalcBounds(nullptr);
        branch->RecalcBounds(nullptr);
        CDrawObj* dominant = sheet.Rect(CRect(1000, -1000, 1200, -1200));
        const std::vector<BYTE> before = testsupport::DocumentBytes(sheet.doc);
        CDrawObj* moved = movePart ? static_cast<CDrawObj*>(part) : wire;
        ASSERT_TRUE(AlignSelection(sheet.doc, ObjectList{moved, dominant}, AlignMode::kBottom));
        EXPECT_EQ(testsupport::FirstPurgeRepair(sheet.doc), "") << movePart;
        EXPECT_EQ(testsupport::FirstBrokenLink(sheet.doc), "") << movePart;
        const std::vector<BYTE> after = testsupport::DocumentBytes(sheet.doc);
        ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
        EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before) << movePart;
        EXPECT_EQ(wire->GetStartObject(), pin);
        EXPECT_EQ(branch->GetStartObject(), wire);
        ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
        EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), after) << movePart;
        EXPECT_EQ(testsupport::FirstPurgeRepair(sheet.doc), "") << movePart;
    }
}

// A wire aligned so that its end lies on a free pin's connection point, and a part aligned so
// that its free pin lies on a free wire end, are linked there; undo and redo take the links
// away and back.
TEST(ArrangeEdits, AlignLinksEndsAndPinsThatNowMeet) {
    {
        Sheet sheet;
        CSymbol* part = sheet.Symbol("U1", nullptr, {"A"});
        CWire* wire = sheet.WireFrom("N1", CPoint(-600, 300), CPoint(-100, 300));
        CWire* dominant = sheet.WireFrom("N2", CPoint(1000, 0), CPoint(1500, 0));
        sheet.AlignUndoRedo(ObjectList{wire, dominant}, AlignMode::kBottom);
        CWire* moved = sheet.WireAt(1);
        ASSERT_EQ(moved->GetPoint(1), CPoint(-100, 0));
        EXPECT_EQ(moved->GetEndObject(), part->FindPin("A"));
        EXPECT_EQ(part->FindPin("A")->GetWire(), moved);
        EXPECT_EQ(moved->GetNet()->GetName(), CString("N1"));
    }
    {
        Sheet sheet;
        CSymbol* dominant = sheet.Symbol("U1", nullptr, {"A"});
        dominant->OffsetBy(CSize(2000, 0));
        CSymbol* part = sheet.Symbol("U2", nullptr, {"A"});
        part->OffsetBy(CSize(0, 500));
        CWire* wire = sheet.WireFrom("N1", CPoint(-600, 0), CPoint(-100, 0));
        sheet.AlignUndoRedo(ObjectList{part, dominant}, AlignMode::kBottom);
        auto* moved = dynamic_cast<CSymbol*>(const_cast<CDrawObj*>(sheet.At(1)));
        ASSERT_TRUE(moved);
        EXPECT_EQ(moved->FindPin("A")->GetConnectPoint(), CPoint(-100, 0));
        EXPECT_EQ(moved->FindPin("A")->GetWire(), wire);
        EXPECT_EQ(wire->GetEndObject(), moved->FindPin("A"));
        EXPECT_EQ(dominant->FindPin("A")->GetWire(), nullptr);
    }
}

// An end that an align brings a unit beside a pin's connection point is not on it: it stays
// free, as the save would leave it.
TEST(ArrangeEdits, AlignLinksNothingItOnlyBringsNear) {
    Sheet sheet;
    CSymbol* part = sheet.Symbol("U1", nullptr, {"A"});
    CWire* wire = sheet.WireFrom("N1", CPoint(-600, 300), CPoint(-100, 300));
    CWire* dominant = sheet.WireFrom("N2", CPoint(1000, 1), CPoint(1500, 1));
    sheet.AlignUndoRedo(ObjectList{wire, dominant}, AlignMode::kBottom);
    CWire* moved = sheet.WireAt(1);
    ASSERT_EQ(moved->GetPoint(1), CPoint(-100, 1));
    EXPECT_EQ(moved->GetEndObject(), nullptr);
    EXPECT_EQ(part->FindPin("A")->GetWire(), nullptr);
}

// A wire aligned so that its end lies on another wire ends there, and the two nets become one
// in the same step.
TEST(ArrangeEdits, AlignJoinsTheNetsOfWiresThatNowMeet) {
    Sheet sheet;
    CWire* trunk = sheet.WireFrom("N1", CPoint(0, 0), CPoint(0, 1000));
    CWire* branch = sheet.WireFrom("N2", CPoint(-500, 800), CPoint(-100, 800));
    CWire* dominant = sheet.WireFrom("N3", CPoint(-300, -2000), CPoint(0, -2000));
    sheet.AlignUndoRedo(ObjectList{branch, dominant}, AlignMode::kRight);
    CWire* moved = sheet.WireAt(1);
    ASSERT_EQ(moved->GetPoint(1), CPoint(0, 800));
    EXPECT_EQ(moved->GetEndObject(), trunk);
    EXPECT_TRUE(trunk->GetJunctions().Find(moved));
    ASSERT_TRUE(moved->GetNet());
    EXPECT_EQ(moved->GetNet(), trunk->GetNet());
    EXPECT_NE(dominant->GetNet(), trunk->GetNet());
}

// Aligns that link and unlink wire ends and pins, one of them made twice, are undone one by one
// back to the bytes of each state before them and redone through the same states. A wire that
// parts from a moved wire or pin keeps the link of its other end, here on a wire it no longer
// lies on (as a turn can leave it): an align breaks no link between objects it did not move, as
// its undo gives back the links of the moved ones alone.
TEST(ArrangeEdits, AlignStepsRewindAndReplayThroughTheirBytes) {
    Sheet sheet;
    CWire* trunk = sheet.WireFrom("N1", CPoint(0, 0), CPoint(0, 1000));
    CWire* branch = sheet.WireFrom("N2", CPoint(-500, 800), CPoint(-100, 800));
    CWire* far = sheet.WireFrom("N3", CPoint(-2000, 1500), CPoint(-1500, 1500));
    CWire* hanging = sheet.Wire("N2");
    hanging->SetStart(-350, 800, branch);
    hanging->SetEnd(-350, 1500, far);
    hanging->RecalcBounds(nullptr);
    sheet.WireFrom("N4", CPoint(-300, -2000), CPoint(0, -2000));
    sheet.Symbol("U1", nullptr, {"A"})->OffsetBy(CSize(0, 500));
    sheet.Symbol("U2", nullptr, {"A"})->OffsetBy(CSize(2000, 0));
    CWire* open = sheet.WireFrom("N5", CPoint(-600, 0), CPoint(-100, 0));
    open->SetStartObject(far);
    constexpr int kBranch = 1, kAcross = 4, kPart = 5, kOtherPart = 6;
    const auto objects = [&sheet](int first, int second) {
        return ObjectList{const_cast<CDrawObj*>(sheet.At(first)),
                          const_cast<CDrawObj*>(sheet.At(second))};
    };
    const struct {
        int moved;
        int dominant;
        AlignMode mode;
        bool onTrunk;  // the branch ends on the trunk
        bool onPin;    // the open wire ends on the part's pin
    } steps[] = {
        {kBranch, kAcross, AlignMode::kRight, true, false},
        {kBranch, kAcross, AlignMode::kRight, true, false},
        {kPart, kOtherPart, AlignMode::kBottom, true, true},
        {kBranch, kAcross, AlignMode::kLeft, false, true},  // the hanging wire parts too
        {kPart, kAcross, AlignMode::kTop, false, false},
    };
    std::vector<std::vector<BYTE>> states{testsupport::DocumentBytes(sheet.doc)};
    for (const auto& step : steps) {
        ASSERT_TRUE(AlignSelection(sheet.doc, objects(step.moved, step.dominant), step.mode));
        EXPECT_EQ(trunk->GetJunctions().GetCount(), step.onTrunk ? 1 : 0) << states.size();
        EXPECT_EQ(open->GetEndObject() != nullptr, step.onPin) << states.size();
        EXPECT_EQ(testsupport::FirstBrokenLink(sheet.doc), "") << states.size();
        states.push_back(testsupport::DocumentBytes(sheet.doc));
    }
    EXPECT_EQ(hanging->GetStartObject(), nullptr);
    EXPECT_EQ(far->GetJunctions().GetCount(), 2);
    for (std::size_t state = states.size() - 1; state-- > 0;) {
        ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
        EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), states[state]) << "undone to " << state;
        EXPECT_EQ(testsupport::FirstBrokenLink(sheet.doc), "") << state;
    }
    EXPECT_EQ(hanging->GetEndObject(), far);
    EXPECT_EQ(open->GetStartObject(), far);
    for (std::size_t state = 1; state < states.size(); ++state) {
        ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
        EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), states[state]) << "redone to " << state;
    }
}

// Joining two named nets asks which survives: declined, the align leaves the document as it
// was and records nothing; accepted, the chosen net holds both wires in the one step.
TEST(ArrangeEdits, AlignShortingNamedNetsAsksForTheNet) {
    for (const char* answer : {"", "N2"}) {
        Sheet sheet;
        nettest::ScriptedChooser chooser;
        chooser.answer = answer;
        CWire* trunk = sheet.WireFrom("N1", CPoint(0, 0), CPoint(0, 1000));
        CWire* branch = sheet.WireFrom("N2", CPoint(-500, 800), CPoint(-100, 800));
        CWire* dominant = sheet.WireFrom("N3", CPoint(-300, -2000), CPoint(0, -2000));
        for (CWire* wire : {trunk, branch})
            wire->GetNet()->SetFlags(kNetNamed, kNetNamed);
        const std::vector<BYTE> before = testsupport::DocumentBytes(sheet.doc);
        const BOOL aligned =
            AlignSelection(sheet.doc, ObjectList{branch, dominant}, AlignMode::kRight);
        ASSERT_EQ(chooser.shown.size(), 1u) << answer;
        EXPECT_EQ(chooser.shown[0], (std::vector<CString>{"N1", "N2"})) << answer;
        if (CString(answer).IsEmpty()) {
            EXPECT_FALSE(aligned);
            EXPECT_EQ(sheet.Steps(), 0);
            EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before);
            EXPECT_EQ(sheet.At(1), branch);
            EXPECT_EQ(branch->GetEndObject(), nullptr);
            EXPECT_TRUE(trunk->GetJunctions().IsEmpty());
            EXPECT_EQ(testsupport::FirstBrokenLink(sheet.doc), "");
            continue;
        }
        EXPECT_TRUE(aligned);
        EXPECT_EQ(sheet.Steps(), 1);
        EXPECT_EQ(trunk->GetNet()->GetName(), CString("N2"));
        EXPECT_EQ(sheet.WireAt(1)->GetNet(), trunk->GetNet());
        ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
        EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before);
    }
}

TEST(ArrangeEdits, SameSizeKeepsTheDirectionOfDrawing) {
    struct Case {
        SizeMode mode;
        const char* label;
        CRect sized;
    } const cases[] = {
        {SizeMode::kHeight, "make same height", CRect(0, -500, 400, -400)},
        {SizeMode::kWidth, "make same width", CRect(0, -500, 50, 0)},
        {SizeMode::kBoth, "make same size", CRect(0, -500, 50, -400)},
    };
    for (const Case& c : cases) {
        Sheet sheet;
        CDrawObj* upwards = sheet.Rect(CRect(0, -500, 400, 0));
        CDrawObj* dominant = sheet.Rect(CRect(1050, 0, 1000, -100));
        ASSERT_TRUE(CanMakeSameSize(ObjectList{upwards, dominant}));
        ASSERT_TRUE(MakeSelectionSameSize(sheet.doc, ObjectList{upwards, dominant}, c.mode));
        EXPECT_EQ(sheet.At(0)->GetPosition(), c.sized) << c.label;
        EXPECT_STREQ(sheet.doc.GetUndoList().GetUndoName(), c.label);
    }
}

TEST(ArrangeEdits, SameSizePassesByAutoSizedTextsAndSymbols) {
    Sheet sheet;
    CTextBox* text = sheet.Text("");
    CDrawObj* part = sheet.Add(new TestPart(1, kObjSymbol));
    CDrawObj* dominant = sheet.Rect(CRect(0, 0, 100, -100));
    EXPECT_FALSE(CanMakeSameSize(ObjectList{text, part, dominant}));
    EXPECT_FALSE(CanMakeSameSize(ObjectList{dominant}));
    text->SetTextFlags(0, kTextAutoSize);
    EXPECT_TRUE(CanMakeSameSize(ObjectList{text, part, dominant}));
}

}  // namespace
