#include "model/text/TextBox.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "model/doc/DrawDoc.h"
#include "tests/model/text/TextTestSupport.h"

using namespace texttest;

namespace {

constexpr LONG kAdvance = 67;  // per byte of the default font

std::unique_ptr<CTextBox> NewText(const CRect& rect, const char* text, WORD flags) {
    auto box = std::make_unique<CTextBox>(rect);
    box->SetTextFlags(flags, 0xFF);
    box->SetText(text, FALSE);
    return box;
}

TEST(TextBoxRecordTest, RecordsRoundTripExactlyAndEndsCutShort) {
    const CTextBox tool(CRect(0, 0, 1000, -500));
    EXPECT_EQ(HexDump(StoreRecord(&tool)), HexDump(Concat({kRectangleRecord, kNewTextRecord})));

    CTextBox box(CRect(10, -20, 900, -400));
    box.SetTextFlags(kTextMultiLine | kTextAlignRight | 0x100, 0xFFFF);
    LOGFONT font = CTextBox::kDefaultFont;
    std::strcpy(font.lfFaceName, "Courier New");
    box.SetFont(&font);
    box.SetBorders(1, 2, 3, 4);
    box.SetText("hello \r\r\nworld", FALSE);
    const Bytes record = StoreRecord(&box);
    EXPECT_EQ(record.size(), 38u + 15 + 2 + 2 + 60 + 8);
    // Borders in the order left, right, top, bottom.
    EXPECT_EQ(HexDump(Bytes(record.end() - 8, record.end())),
              HexDump(Concat({Le16(1), Le16(3), Le16(2), Le16(4)})));
    const auto loaded = LoadObject<CTextBox>(StoreObject(&box));
    EXPECT_EQ(HexDump(StoreRecord(loaded.get())), HexDump(record));

    Bytes cut = StoreObject(&tool);
    cut[14 + 38 + 5 + 2] = 1;  // announces a font that is not there
    EXPECT_THROW(LoadObject<CTextBox>(cut), CArchiveException);
}

TEST(TextBoxLayoutTest, AutoSizeFitsTheTextAndKeepsTheVisualTop) {
    // The text tool's box: 5 + extent + 5 wide, 5 + 112 + 5 high.
    EXPECT_EQ(NewText(CRect(100, -100, 200, -300), "Text", kTextAutoSize)->GetPosition(),
              CRect(100, -222, 100 + 5 + 4 * kAdvance + 5, -100));
    const LONG width = 5 + 2 * kAdvance + 5;
    const CRect wide(0, 0, 1000, -50);
    EXPECT_EQ(NewText(wide, "ab", kTextAutoSize | kTextAlignCentre)->GetPosition(),
              CRect(500 - width / 2, -122, 500 - width / 2 + width, 0));
    EXPECT_EQ(NewText(wide, "ab", kTextAutoSize | kTextAlignKeep)->GetPosition(),
              CRect(0, -122, 1000, 0));
    EXPECT_EQ(NewText(wide, "ab", 0)->GetPosition(), wide);
    EXPECT_EQ(NewText(wide, "A\nB", kTextAutoSize | kTextMultiLine)->GetPosition(),
              CRect(0, -232, width, 0));
}

TEST(TextBoxLayoutTest, MultiLineBoxesRewrapWhenMovedAndEditWithoutSoftBreaks) {
    const auto box =
        NewText(CRect(0, 0, 5 + 6 * kAdvance + 5, -500), "hello world", kTextMultiLine);
    box->MoveTo(CRect(0, 0, 5 + 3 * kAdvance + 5, -500), nullptr);
    EXPECT_EQ(box->GetText(), "hel\r\r\nlo \r\r\nwor\r\r\nld");

    TextView view;
    box->OnOpen(&view);
    ASSERT_EQ(view.edited, box.get());
    EXPECT_EQ(view.editSetup.text, "hello world");
    EXPECT_EQ(box->GetText(), "hello world");
    EXPECT_EQ(view.editSetup.editRect, CRect(5, -495, 5 + 3 * kAdvance, -5));

    // A single-line box keeps no soft breaks once moved; its editor has room on the right,
    // and a rotated box is edited unrotated at its first corner on the sheet.
    box->SetText("hello \r\r\nworld", FALSE);
    box->SetTextFlags(0, kTextMultiLine);
    box->SetRotation(900);
    box->MoveTo(CRect(100, 0, 600, -200), nullptr);
    EXPECT_EQ(box->GetText(), "hello world");
    const TextEditSetup setup = box->BeginInPlaceEdit();
    EXPECT_EQ(setup.editRect, CRect(195, 105, 685, 295));
    EXPECT_EQ(setup.controlRect, CRect(195, 105, 785, 295));
}

TEST(TextBoxDocumentTest, FontsFollowTheDocumentAndOnlyRealTextEditsAreRecorded) {
    CDrawDoc doc;
    auto* box = new CTextBox(CRect(0, 0, 100, -100));
    doc.GetObjects().AddTail(box);
    std::strcpy(doc.m_textFont.lfFaceName, "Times");
    doc.m_textFont.lfHeight = -160;
    box->SetDocument(&doc);
    EXPECT_STREQ(box->GetFont().lfFaceName, "Times");
    // Laid out in the document's font: 222 high, 133 per byte.
    EXPECT_EQ(box->GetPosition(), CRect(0, -233, 5 + 4 * 133 + 5, 0));

    box->SetText("plain", FALSE);
    box->SetText("plain", TRUE);  // nothing changed, nothing recorded
    EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
    ASSERT_TRUE(box->SetText("longer text", TRUE));
    ASSERT_EQ(doc.GetUndoList().GetCount(), 1);
    EXPECT_STREQ(doc.GetUndoList().GetLastDone()->GetName(), "text edit");
}

TEST(TextBoxGeometryTest, TipIntersectionAndAnchorFollowTheRotation) {
    CTextBox box(CRect(0, 0, 1000, -500));
    box.SetRotation(900);
    // Turned about the sheet origin it covers (0, 0)-(500, 1000).
    EXPECT_EQ(box.GetNearestPoint(CPoint(5000, 5000)), CPoint(0, 0));
    EXPECT_TRUE(box.Intersects(CRect(200, 200, 300, 300)));
    EXPECT_FALSE(box.Intersects(CRect(200, -200, 300, -300)));

    CTextBox square(CRect(0, 0, 1000, -1000));
    // At 45 degrees a diamond about (707, 0): inside its bounds but outside it, then inside.
    square.SetRotation(450);
    EXPECT_FALSE(square.Intersects(CRect(50, 600, 100, 650)));
    EXPECT_TRUE(square.Intersects(CRect(650, -50, 750, 50)));
}

}  // namespace
