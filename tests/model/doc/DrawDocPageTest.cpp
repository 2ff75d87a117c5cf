#include <gtest/gtest.h>

#include "model/doc/DrawDoc.h"
#include "model/support/RecordingDocView.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

TEST(DrawDocPage, MarginsAndPaperSize) {
    drawdoctest::RecordingDocView view;
    CDrawDoc doc;
    doc.AddView(&view);
    doc.SetMargins(RECT{6000, 300, 6000, 300});
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(3897, 300, 3897, 300));
    doc.SetMargins(RECT{300, 5000, 300, 5000});
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(300, 2756, 300, 2756));
    doc.SetMargins(RECT{5846, 4134, 5847, 4134});  // exactly the paper is accepted
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(5846, 4134, 5847, 4134));

    doc.SetMargins(RECT{1000, 1000, 1000, 1000});
    doc.SetPaperSize(11693, -8268);
    EXPECT_TRUE(view.pageSizes.empty());
    doc.SetPaperSize(1500, -9000);
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(500, 1000, 500, 1000));
    ASSERT_EQ(view.pageSizes.size(), 1u);
    EXPECT_EQ(view.pageSizes[0].cx, 1500);
}

// A view made before its document is read learns the paper the file holds, so it can scroll
// over all of a large sheet.
TEST(DrawDocPage, OpenedFileTellsItsViewsThePaper) {
    testsupport::RecordingAppServices services;
    testsupport::TempDir dir;
    const std::string path = (dir / "large.sch").string();
    {
        CDrawDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        doc.SetPaperSize(62000, -122000);
        ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    }
    drawdoctest::RecordingDocView view;
    CDrawDoc doc;
    doc.AddView(&view);
    ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
    ASSERT_FALSE(view.pageSizes.empty());
    EXPECT_EQ(CSize(view.pageSizes.back()), CSize(62000, -122000));
}

TEST(DrawDocPage, DrawingAreaAndTitleBlock) {
    CDrawDoc doc;
    EXPECT_EQ(doc.GetDrawingArea(), CRect(0, -7668, 11093, 0));
    CRect block;
    doc.GetTitleBlockRect(block);  // full width along the bottom of the sheet
    EXPECT_EQ(block, CRect(0, -7668, 11093, -6668));
    doc.m_border.m_flags = CSheetBorder::kTitleBlock | CSheetBorder::kBlockRight;
    doc.GetTitleBlockRect(block);
    EXPECT_EQ(block, CRect(5093, -7668, 11093, -6668));
    // Centred and wider than the area: clipped; without the title-block bit the frame margin
    // is left out first.
    doc.m_border.m_flags = CSheetBorder::kBlockCentred;
    doc.m_border.m_blockX = 20000;
    doc.GetTitleBlockRect(block);
    EXPECT_EQ(block, CRect(0, -7518, 11093, -6518));
}

// Services that find every chosen printer unusable.
class NoPrinters : public testsupport::RecordingAppServices {
public:
    bool IsPrinterUsable(const std::vector<BYTE>&, const std::vector<BYTE>&) override {
        ++asked;
        return false;
    }
    int asked = 0;
};

TEST(DrawDocPage, PrinterThatCannotPrintIsDropped) {
    CDrawDoc doc;
    {
        NoPrinters services;
        EXPECT_FALSE(doc.ValidatePrinter());
        EXPECT_EQ(services.asked, 0);
        doc.m_printer.devNames = {1, 2, 3};
        EXPECT_FALSE(doc.ValidatePrinter());
        EXPECT_TRUE(doc.m_printer.IsEmpty());
    }
    doc.m_printer.devNames = {1, 2, 3};
    EXPECT_TRUE(doc.ValidatePrinter());  // nothing to check it with: kept
    EXPECT_FALSE(doc.m_printer.IsEmpty());
}

}  // namespace
