#include <gtest/gtest.h>

#include "model/DrawDoc.h"
#include "support/RecordingDocView.h"
#include "support/ScriptedPrompt.h"

namespace {

class DrawDocPageTest : public ::testing::Test {
protected:
    DrawDocPageTest() { doc.AddView(&view); }

    drawdoctest::RecordingDocView view;
    CDrawDoc doc;
};

TEST_F(DrawDocPageTest, DefaultsOfANewDocument) {
    EXPECT_EQ(doc.GetPaperSize().cx, 11693);
    EXPECT_EQ(doc.GetPaperSize().cy, -8268);
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(300, 300, 300, 300));
    EXPECT_EQ(doc.m_textFont.lfHeight, -80);
    EXPECT_EQ(doc.m_textFont.lfOutPrecision, 7);
    EXPECT_STREQ(doc.m_textFont.lfFaceName, "Arial");
    EXPECT_EQ(doc.m_pinFont.lfHeight, 80);
    EXPECT_EQ(doc.m_pinFont.lfWeight, 400);
    EXPECT_EQ(doc.m_pinFont.lfEscapement, 0);
    EXPECT_EQ(doc.m_pinFontV.Log().lfEscapement, 900);
    EXPECT_EQ(doc.m_pinFontV.Log().lfOrientation, 900);
    EXPECT_EQ(doc.m_pinFontH.Log().lfEscapement, 0);
    EXPECT_EQ(doc.m_pinFontH.Log().lfHeight, 80);
    EXPECT_EQ(doc.m_pinPen.lopnWidth.x, 2);
    EXPECT_EQ(doc.m_pinPen.lopnColor, 0xFF0000u);
    EXPECT_EQ(doc.m_wireBrush.lbColor, 0xC0C0C0u);
    EXPECT_EQ(doc.m_pinNameColour, 128u);
    EXPECT_EQ(doc.m_pinNumberColour, 32768u);
    EXPECT_EQ(doc.m_printSettings.m_flags, 20u);
    EXPECT_EQ(doc.m_border.m_flags, 0xF7u);
    EXPECT_EQ(doc.m_netlist.GetDocument(), &doc);
    EXPECT_EQ(doc.GetSummaryInfo(), nullptr);
}

TEST_F(DrawDocPageTest, MarginsWiderThanThePaperBecomeAThirdEach) {
    doc.SetMargins(RECT{6000, 300, 6000, 300});
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(3897, 300, 3897, 300));
    doc.SetMargins(RECT{300, 5000, 300, 5000});
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(300, 2756, 300, 2756));
    doc.SetMargins(RECT{5846, 4134, 5847, 4134});  // exactly the paper is still accepted
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(5846, 4134, 5847, 4134));
}

TEST_F(DrawDocPageTest, PaperSizeClampsMarginsAndTellsTheViews) {
    doc.SetPaperSize(11693, -8268);
    EXPECT_TRUE(view.pageSizes.empty());

    doc.SetMargins(RECT{1000, 1000, 1000, 1000});
    doc.SetPaperSize(1500, -9000);
    EXPECT_EQ(CRect(doc.GetMargins()), CRect(500, 1000, 500, 1000));
    ASSERT_EQ(view.pageSizes.size(), 1u);
    EXPECT_EQ(view.pageSizes[0].cx, 1500);
    EXPECT_EQ(view.pageSizes[0].cy, -9000);
}

TEST_F(DrawDocPageTest, DrawingAreaAndTitleBlock) {
    EXPECT_EQ(doc.GetDrawingArea(), CRect(0, -7668, 11093, 0));

    // Default frame: full-width title block along the bottom of the sheet.
    CRect block;
    doc.GetTitleBlockRect(block);
    EXPECT_EQ(block, CRect(0, -7668, 11093, -6668));

    doc.m_border.m_flags = CSheetBorder::kTitleBlock | CSheetBorder::kBlockRight;
    doc.GetTitleBlockRect(block);
    EXPECT_EQ(block, CRect(5093, -7668, 11093, -6668));

    // Centred and wider than the area: clipped to it. Without the title-block bit the frame
    // margin is left out first.
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

TEST_F(DrawDocPageTest, PrinterThatCannotPrintIsDropped) {
    {
        NoPrinters services;
        EXPECT_FALSE(doc.ValidatePrinter());
        EXPECT_EQ(services.asked, 0);
        doc.m_printer.devNames = {1, 2, 3};
        doc.m_printer.devMode = {4};
        EXPECT_FALSE(doc.ValidatePrinter());
        EXPECT_EQ(services.asked, 1);
        EXPECT_TRUE(doc.m_printer.IsEmpty());
    }
    doc.m_printer.devNames = {1, 2, 3};
    EXPECT_TRUE(doc.ValidatePrinter());
    EXPECT_FALSE(doc.m_printer.IsEmpty());
}

}  // namespace
