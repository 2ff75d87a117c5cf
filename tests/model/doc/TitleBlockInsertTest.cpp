// Title block fields entering a document as one step that replaces the block's old texts.

#include "model/doc/TitleBlockInsert.h"

#include <gtest/gtest.h>

#include "model/doc/DrawDoc.h"
#include "model/support/TestPart.h"
#include "model/text/AttrText.h"
#include "platform/ObList.h"

namespace {

const CRect kBlock(5000, -6000, 9000, -7000);

class TitleBlockInsertTest : public ::testing::Test {
protected:
    TitleBlockInsertTest() { doc.OnNewDocument(); }

    // A field text bound to the document's attribute, in the cell at (left, top), height high.
    CAttrText* Field(const char* name, LONG left, LONG top, LONG height) {
        auto* text = new CAttrText(CRect(left, top, left + 1000, top - height));
        text->Bind(&doc, name);
        return text;
    }
    BOOL Insert(std::initializer_list<CAttrText*> texts) {
        CObList fields;
        for (CAttrText* text : texts)
            fields.AddTail(text);
        return InsertTitleBlockFields(doc, kBlock, fields);
    }
    int Steps() { return static_cast<int>(doc.GetUndoList().FillUndoList().size()); }

    CDrawDoc doc;
};

// The default text font is 80 units high as stored (-80): H = 111, so 224 is the lowest
// cell that takes two lines.
TEST_F(TitleBlockInsertTest, TallCellsTakeTwoLinesAndLowOnesOne) {
    EXPECT_EQ(TitleBlockTextHeight(doc.m_textFont), 111);
    LOGFONT cellHeight = doc.m_textFont;
    cellHeight.lfHeight = 80;  // a positive height is legal and means the same size here
    EXPECT_EQ(TitleBlockTextHeight(cellHeight), 111);

    CAttrText* tall = Field("Title", 5000, -6000, 224);
    CAttrText* low = Field("Drawn By", 6000, -6000, 223);
    ASSERT_TRUE(Insert({tall, low}));
    EXPECT_EQ(tall->GetTextFlags() & 0xF0, kAttrStyleTitleBlock | kTextMultiLine);
    const WORD* borders = tall->GetBorders();  // left, right, top, bottom
    EXPECT_EQ((std::vector<WORD>{borders[0], borders[1], borders[2], borders[3]}),
              (std::vector<WORD>{250, 250, 117, 5}));
    EXPECT_EQ(low->GetTextFlags() & 0xF0, kAttrStyleTitleBlock);
    borders = low->GetBorders();
    EXPECT_EQ((std::vector<WORD>{borders[0], borders[1], borders[2], borders[3]}),
              (std::vector<WORD>{750, 5, 5, 5}));
    EXPECT_TRUE(doc.GetObjects().Find(tall));
    EXPECT_TRUE(doc.GetAttrTextList()->Find(low));
    const std::vector<CString> steps = doc.GetUndoList().FillUndoList();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0], CString("1 - Add title block text"));
}

// A second block replaces the texts of the first in one step; undo brings them back.
TEST_F(TitleBlockInsertTest, InsertingAgainReplacesTheOldTextsAsOneStep) {
    CAttrText* first = Field("Title", 5000, -6000, 300);
    CAttrText* outside = Field("Comments", 100, -100, 300);
    ASSERT_TRUE(Insert({first}));
    CObList away;
    away.AddTail(outside);
    ASSERT_TRUE(InsertTitleBlockFields(doc, CRect(0, 0, 2000, -1000), away));
    const DocSnapshot before = Snapshot(doc);

    CAttrText* second = Field("Title", 5000, -6500, 300);
    ASSERT_TRUE(Insert({second}));
    EXPECT_FALSE(doc.GetObjects().Find(first));
    EXPECT_TRUE(doc.GetObjects().Find(outside)) << "texts outside the block stay";
    EXPECT_TRUE(doc.GetObjects().Find(second));
    EXPECT_EQ(Steps(), 3);
    const DocSnapshot after = Snapshot(doc);

    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_TRUE(doc.GetObjects().Find(first));
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(Snapshot(doc), after);
}

TEST_F(TitleBlockInsertTest, NothingToAddOrRemoveRecordsNothing) {
    EXPECT_FALSE(Insert({}));
    EXPECT_EQ(Steps(), 0);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
