// Aligning and sizing the selection against its dominant (last) object.

#include <gtest/gtest.h>

#include "model/cmd/ArrangeEdits.h"
#include "model/shapes/DrawRect.h"
#include "model/support/EditSheet.h"
#include "model/support/TestPart.h"
#include "support/DocumentBytes.h"
#include "support/LinkAudit.h"

namespace {

class Sheet : public EditSheet {
public:
    CDrawObj* Rect(const CRect& r) { return Add(new CDrawRect(r)); }
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
