// The frame page's check boxes, items, zone spacing and title block size, and the checks of
// the title block's column widths.

#include <gtest/gtest.h>

#include "model/doc/FrameForm.h"
#include "model/doc/TitleBlockColumns.h"

namespace {

TEST(FrameFormTest, UncheckingTheFrameClearsTheSidesAndKeepsTheRest) {
    const DWORD flags = 0x3FF;
    FrameChecks checks = FrameChecks::From(flags);
    EXPECT_TRUE(checks.frame && checks.left && checks.bottom && checks.referenceNumbers);
    checks.frame = false;
    EXPECT_EQ(checks.ApplyTo(flags), 0x370u) << "sides and frame go; grid, block, numbers stay";
    checks.frame = true;
    checks.top = false;
    checks.grid = false;
    EXPECT_EQ(checks.ApplyTo(0x100), 0x1DBu);
}

TEST(FrameFormTest, ItemsNameTheirButtonAndColour) {
    CSheetBorder border;
    EXPECT_STREQ(FrameItemButtonText(FrameItem::kGridSpacing), "Spacing..");
    EXPECT_STREQ(FrameItemButtonText(FrameItem::kTitleBlock), "Size..");
    EXPECT_STREQ(FrameItemButtonText(FrameItem::kFill), "Colour..");
    EXPECT_EQ(FrameItemColour(border, FrameItem::kOutline), &border.m_pen.lopnColor);
    EXPECT_EQ(FrameItemColour(border, FrameItem::kReferenceNumbers), &border.m_textColour);
    EXPECT_EQ(FrameItemColour(border, FrameItem::kTitleBlock), nullptr);
}

TEST(FrameFormTest, GridSpacingIsHalfToTenOfTheUnit) {
    EXPECT_EQ(GridSpacingText(1000, false), "1");
    EXPECT_EQ(GridSpacingText(394, true), "1.00076");
    EXPECT_EQ(ParseGridSpacing("0.4").problem, "Please enter a number between 0.5 and 10.");
    EXPECT_EQ(ParseGridSpacing("10.5").problem, "Please enter a number between 0.5 and 10.");
    EXPECT_EQ(ParseGridSpacing("x").problem, "Please enter a number.");
    ASSERT_TRUE(ParseGridSpacing("1").value);
    EXPECT_EQ(GridSpacingUnits(*ParseGridSpacing("1").value, true), 394);
    EXPECT_EQ(GridSpacingUnits(0.5, false), 500);
}

TEST(FrameFormTest, TitleBlockSizeInInchesCentimetresAndPercent) {
    using Form = TitleBlockSizeForm;
    EXPECT_EQ(ParseTitleBlockSize("50", Form::kWidth, Form::kPercent).value, 4000);
    EXPECT_EQ(ParseTitleBlockSize("10", Form::kHeight, Form::kPercent).value, 1100);
    EXPECT_EQ(ParseTitleBlockSize("2.54", Form::kWidth, Form::kCm).value, 1000);
    EXPECT_EQ(ParseTitleBlockSize("1001", Form::kWidth, Form::kInches).problem,
              "Please enter a number between 0 and 1000.");
    EXPECT_EQ(TitleBlockSizeText(6000, Form::kWidth, Form::kPercent), "75");
    EXPECT_EQ(TitleBlockSizeText(1000, Form::kWidth, Form::kCm), "2.54");
    EXPECT_EQ(TitleBlockSizeText(1000, Form::kHeight, Form::kInches), "1");

    CSheetBorder border;
    border.m_flags = 0x1F7;
    Form form = Form::From(border);
    EXPECT_EQ(form.alignment, 1);
    form.alignment = 3;
    form.size[Form::kWidth] = 4000;
    form.ApplyTo(border);
    EXPECT_EQ(border.m_flags, 0x3F7u);
    EXPECT_EQ(border.m_blockX, 4000);
}

TEST(TitleBlockColumnsTest, WidthsAreBlankOrTenToEighty) {
    EXPECT_EQ(ParseColumnWidth(""), 0);
    EXPECT_EQ(ParseColumnWidth("  "), 0);
    EXPECT_EQ(ParseColumnWidth("45"), 450);
    EXPECT_EQ(ParseColumnWidth("9"), std::nullopt);
    EXPECT_EQ(ParseColumnWidth("81"), std::nullopt);
    EXPECT_EQ(ParseColumnWidth("4.5"), std::nullopt);
}

TEST(TitleBlockColumnsTest, WidthsMustLeaveRoomForSharingColumns) {
    CTitleBlockLayout layout;
    EXPECT_EQ(ColumnWidthsProblem(layout), nullptr);
    for (CTitleRow& row : layout.m_rows)
        row.m_share = 400;
    EXPECT_STREQ(ColumnWidthsProblem(layout), "Total width greater than 100%");
    layout.m_rows[2].m_share = 0;
    layout.m_rows[0].m_share = layout.m_rows[1].m_share = 450;
    EXPECT_STREQ(ColumnWidthsProblem(layout), "Width too large") << "10 % left < 15 %";
    layout.m_rows[0].m_share = 400;
    EXPECT_EQ(ColumnWidthsProblem(layout), nullptr);
    layout.m_rowCount = 2;
    layout.m_rows[1].m_share = 600;
    EXPECT_EQ(ColumnWidthsProblem(layout), nullptr) << "exactly the whole";
}

}  // namespace
