// A title block's strips and fields: shares of the block, the cells they give and the objects
// that fill them.

#include <gtest/gtest.h>

#include <memory>

#include "model/doc/DrawDoc.h"
#include "model/doc/TitleBlockLayout.h"
#include "model/shapes/DrawRect.h"
#include "model/text/AttrText.h"
#include "platform/ObList.h"

namespace {

TEST(TitleBlockLayoutTest, DefaultLayoutSharesTheWidthLeftByTheFixedStrip) {
    const CTitleBlockLayout layout;
    EXPECT_EQ(layout.m_rowCount, 3);
    EXPECT_EQ(layout.CountSharedRows(), 2);
    EXPECT_EQ(layout.SumFixedRowShares(), 350);
    EXPECT_EQ(layout.SharedRowShare(), 325);
    const CTitleRow& middle = layout.m_rows[1];
    ASSERT_EQ(middle.GetFieldCount(), 2);
    EXPECT_EQ(middle.GetField(1)->name, CString("Title"));
    EXPECT_EQ(middle.GetFieldExtent(1).share, 400);
    EXPECT_EQ(middle.GetFieldExtent(1).offset, 600);
    EXPECT_EQ(layout.m_rows[2].GetField(3)->name, CString("Last Saved"));
    EXPECT_EQ(layout.m_rows[2].GetFieldExtent(4).offset, 800);
}

TEST(TitleBlockLayoutTest, FieldsGetTheirCellsOfABlockWithNegativeHeight) {
    const CTitleBlockLayout layout;
    const CRect block(1000, -1000, 5000, -2000);
    EXPECT_EQ(layout.GetFieldCell(block, 1, 1), CRect(2300, -1600, 3600, -2000));
    EXPECT_EQ(layout.GetFieldCell(block, 0, 0), CRect(1000, -1000, 2300, -2000));
    EXPECT_EQ(layout.GetFieldCell(block, 4, 2), CRect(3600, -1800, 5000, -2000));
    // Odd sizes round half away from zero, below zero too.
    EXPECT_EQ(layout.GetFieldCell(CRect(0, 0, 3, -3), 1, 1), CRect(1, -2, 2, -3));
}

TEST(TitleBlockLayoutTest, StripsWithOnlyFixedSharesAndSharesAboveTheWhole) {
    CTitleRow row;
    row.AddField("A", CTitleField::kAttribute, 300);
    CTitleField* b = row.AddField("B", CTitleField::kAttribute, 700);
    EXPECT_EQ(row.GetFieldExtent(1).share, 700);
    row.AddField("C", CTitleField::kAttribute, 0);
    EXPECT_EQ(row.GetFieldExtent(2).share, 0);
    row.AddField("D", CTitleField::kAttribute, 400);
    EXPECT_EQ(row.GetFieldExtent(2).share, -400);
    const std::unique_ptr<CTitleField> removed = row.RemoveField(b);
    EXPECT_EQ(removed.get(), b);
    EXPECT_EQ(row.GetFieldCount(), 3);
    EXPECT_EQ(row.GetFieldExtent(2).offset, 600) << "A, then C sharing what A and D leave";
    EXPECT_EQ(row.RemoveField(b), nullptr);
}

TEST(TitleBlockLayoutTest, FieldObjectsByKind) {
    CDrawDoc doc;
    CTitleBlockLayout layout;
    layout.m_rows[0].GetField(0)->kind = CTitleField::kFrame;
    layout.m_rows[1].GetField(0)->kind = 5;
    const std::unique_ptr<CDrawObj> frame(layout.CreateFieldObject(0, 0, &doc));
    EXPECT_NE(dynamic_cast<CDrawRect*>(frame.get()), nullptr);
    EXPECT_EQ(dynamic_cast<CTextBox*>(frame.get()), nullptr);
    EXPECT_EQ(layout.CreateFieldObject(0, 1, &doc), nullptr);

    const std::unique_ptr<CDrawObj> object(layout.CreateFieldObject(1, 1, &doc));
    auto* text = dynamic_cast<CAttrText*>(object.get());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetName(), CString("Title"));
    EXPECT_EQ(text->GetOwnerDocument(), &doc);
    EXPECT_EQ(text->GetBrush().lbColor, 0xFFFFFFu);
    EXPECT_EQ(text->GetBrush().lbStyle, UINT(BS_SOLID));
    EXPECT_EQ(text->GetFlags() & 0x3u, 0x3u);
    EXPECT_EQ(text->GetTextFlags() & 0xC0, 0xC0);
    layout.PlaceFieldObject(text, CRect(1000, -1000, 5000, -2000), 1, 1);
    EXPECT_EQ(text->GetPosition(), CRect(2300, -1600, 3600, -2000));
}

TEST(TitleBlockLayoutTest, InsertingTheDefaultLayoutFillsEveryCellInStripOrder) {
    CDrawDoc doc;
    CTitleBlockLayout layout;
    layout.m_rows[3].AddField("Unused", CTitleField::kAttribute, 0);
    CObList objects;
    layout.CreateFieldObjects(CRect(1000, -1000, 5000, -2000), &doc, objects);
    struct Expected {
        const char* name;
        CRect cell;
    };
    const Expected expected[] = {
        {"Company", CRect(1000, -1000, 2300, -2000)},
        {"Comments", CRect(2300, -1000, 3600, -1600)},
        {"Title", CRect(2300, -1600, 3600, -2000)},
        {"Revision", CRect(3600, -1000, 5000, -1200)},
        {"Drawn By", CRect(3600, -1200, 5000, -1400)},
        {"Date Created", CRect(3600, -1400, 5000, -1600)},
        {"Last Saved", CRect(3600, -1600, 5000, -1800)},
        {"File", CRect(3600, -1800, 5000, -2000)},
    };
    ASSERT_EQ(objects.GetCount(), 8) << "the fourth strip is not in use";
    int i = 0;
    for (POSITION pos = objects.GetHeadPosition(); pos; ++i) {
        std::unique_ptr<CAttrText> text(static_cast<CAttrText*>(objects.GetNext(pos)));
        EXPECT_EQ(text->GetName(), CString(expected[i].name));
        EXPECT_EQ(text->GetPosition(), expected[i].cell) << expected[i].name;
    }
}

}  // namespace
