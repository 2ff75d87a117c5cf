// Aligning and sizing the selection against its dominant (last) object.

#include <gtest/gtest.h>

#include "model/cmd/ArrangeEdits.h"
#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/support/TestPart.h"
#include "model/text/TextBox.h"
#include "support/ScriptedPrompt.h"

namespace {

class Sheet {
public:
    CDrawObj* Add(CDrawObj* object) {
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
        return object;
    }
    CDrawObj* Rect(const CRect& r) { return Add(new CDrawRect(r)); }
    // The document's object at index, a copy once an edit took its place.
    const CDrawObj* At(int index) const {
        const CObList& objects = doc.GetObjects();
        return static_cast<const CDrawObj*>(objects.GetAt(objects.FindIndex(index)));
    }
    int Steps() { return doc.GetUndoList().GetCount(); }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
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

TEST(ArrangeEdits, AlignNeedsTwoObjects) {
    Sheet sheet;
    CDrawObj* only = sheet.Rect(CRect(0, 0, 100, -100));
    EXPECT_FALSE(CanAlign(ObjectList{only}));
    EXPECT_FALSE(AlignSelection(sheet.doc, ObjectList{only}, AlignMode::kLeft));
    EXPECT_EQ(sheet.Steps(), 0);
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
    auto* text = static_cast<CTextBox*>(sheet.Add(new CTextBox(CRect(0, 0, 600, -300))));
    CDrawObj* part = sheet.Add(new TestPart(1, kObjSymbol));
    CDrawObj* dominant = sheet.Rect(CRect(0, 0, 100, -100));
    EXPECT_FALSE(CanMakeSameSize(ObjectList{text, part, dominant}));
    EXPECT_FALSE(CanMakeSameSize(ObjectList{dominant}));
    text->SetTextFlags(0, kTextAutoSize);
    EXPECT_TRUE(CanMakeSameSize(ObjectList{text, part, dominant}));
    ASSERT_TRUE(
        MakeSelectionSameSize(sheet.doc, ObjectList{text, part, dominant}, SizeMode::kBoth));
    const CRect sized = NormalizedRect(sheet.At(0)->GetPosition());
    EXPECT_EQ(sized.Width(), 100);
    EXPECT_EQ(sized.Height(), 100);
}

}  // namespace
