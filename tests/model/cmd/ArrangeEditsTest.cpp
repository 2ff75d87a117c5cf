// Aligning and sizing the selection against its dominant (last) object.

#include <gtest/gtest.h>

#include "model/cmd/ArrangeEdits.h"
#include "model/shapes/DrawRect.h"
#include "model/support/EditSheet.h"
#include "model/support/TestPart.h"

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
