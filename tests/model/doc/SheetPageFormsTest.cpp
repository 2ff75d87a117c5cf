// The paper and margin fields of the document settings: what they show, the standard paper
// sizes, the bounds, and what OK writes.

#include <gtest/gtest.h>

#include "model/doc/FieldNumbers.h"
#include "model/doc/PageMarginsForm.h"
#include "model/doc/SheetSizeForm.h"

namespace {

constexpr int kA4 = 3;
constexpr int kUsLetter = 10;

TEST(SheetSizeFormTest, PaperTableHoldsTheSizesInTenthsWithTheInchBit) {
    EXPECT_STREQ(kPaperEntries[0].text, "User Defined");
    EXPECT_STREQ(kPaperEntries[kA4].text, "A4 (210 x 297 mm)");
    EXPECT_EQ(kPaperEntries[kA4].data, 0x0B9A0834u);
    EXPECT_STREQ(kPaperEntries[kUsLetter].text, "US Letter (8.5 x 11\")");
    EXPECT_STREQ(kPaperEntries[12].text, "US Tabloid (7.5 x 10\")");
}

TEST(SheetSizeFormTest, OpensInTheApplicationsUnitWithOrientationFromTheShape) {
    SheetSizeForm inches = SheetSizeForm::From(SIZE{11000, -8500}, false);
    EXPECT_FLOAT_EQ(inches.shown[0], 11.0f);
    EXPECT_FLOAT_EQ(inches.shown[1], 8.5f);
    EXPECT_TRUE(inches.landscape);
    EXPECT_FALSE(inches.mm);

    SheetSizeForm metric = SheetSizeForm::From(SIZE{8500, -11000}, true);
    EXPECT_TRUE(metric.mm);
    EXPECT_FALSE(metric.landscape);
    EXPECT_EQ(FieldText(metric.shown[0]), "215.9");
    EXPECT_EQ(FieldText(metric.shown[1]), "279.4");
    EXPECT_EQ(metric.Record().cx, 8500) << "the shown millimetres give back the inches";
    EXPECT_EQ(metric.Record().cy, -11000);

    EXPECT_TRUE(SheetSizeForm::From(SIZE{5000, -5000}, false).landscape) << "a square lies";
}

TEST(SheetSizeFormTest, A4InLandscapeGivesTheRoundedThousandths) {
    SheetSizeForm form = SheetSizeForm::From(SIZE{8500, -11000}, false);
    form.SetLandscape(true);
    EXPECT_FLOAT_EQ(form.shown[0], 11.0f) << "swapped to lie";
    form.ChoosePaper(kA4);
    EXPECT_TRUE(form.mm);
    EXPECT_EQ(FieldText(form.shown[0]), "297");
    EXPECT_EQ(FieldText(form.shown[1]), "210");
    EXPECT_EQ(form.Record().cx, 11693);
    EXPECT_EQ(form.Record().cy, -8268);

    form.SetLandscape(false);
    EXPECT_EQ(form.Record().cx, 8268);
    EXPECT_EQ(form.Record().cy, -11693);
}

TEST(SheetSizeFormTest, TypedValuesKeepTheirNumberAcrossUnitsAndChooseUserDefined) {
    SheetSizeForm form = SheetSizeForm::From(SIZE{11000, -8500}, false);
    form.ChoosePaper(kUsLetter);
    EXPECT_FALSE(form.mm);
    EXPECT_FLOAT_EQ(form.shown[0], 11.0f) << "letter, kept lying";
    EXPECT_FLOAT_EQ(form.shown[1], 8.5f);
    form.Type(SheetSizeForm::kWidth, 12.0f);
    EXPECT_EQ(form.paper, 0);
    form.SetUnits(true);
    EXPECT_FLOAT_EQ(form.shown[0], 12.0f) << "typed: the number stays";
    EXPECT_FLOAT_EQ(form.shown[1], 215.9f) << "untyped: shown again in mm";
    EXPECT_EQ(form.Record().cx, 472);  // 12 mm
    EXPECT_EQ(form.Record().cy, -8500);
}

TEST(SheetSizeFormTest, BoundsReachFiftyInchesAndTwelveHundredSeventyMillimetres) {
    EXPECT_EQ(SheetSizeProblem(40.0, false), "");
    EXPECT_EQ(SheetSizeProblem(46.3, false), "") << "the largest imported sheets";
    EXPECT_EQ(SheetSizeProblem(50.5, false), "Please enter a number between 1 and 50.");
    EXPECT_EQ(SheetSizeProblem(0.9, false), "Please enter a number between 1 and 50.");
    EXPECT_EQ(SheetSizeProblem(40.0, true), "");
    EXPECT_EQ(SheetSizeProblem(24.0, true), "Please enter a number between 25 and 1270.");
    EXPECT_EQ(SheetSizeProblem(1271.0, true), "Please enter a number between 25 and 1270.");
}

TEST(PageMarginsFormTest, ShowsHundredthsCutBeforeRounding) {
    EXPECT_EQ(MarginText(300, false), "0.3");
    EXPECT_EQ(MarginText(300, true), "0.76");
    EXPECT_EQ(MarginText(50, false), "0.05");
    EXPECT_EQ(MarginText(1239, false), "1.23") << "integer division first";
}

TEST(PageMarginsFormTest, TypedMarginsAreBoundedThenConverted) {
    EXPECT_EQ(ParseMargin("0.3", false).value, 300);
    EXPECT_EQ(ParseMargin(" 1 ", true).value, 394);
    EXPECT_EQ(ParseMargin("4", false).value, 4000);
    EXPECT_EQ(ParseMargin("0.05", false).problem, "Margin out of Range");
    EXPECT_EQ(ParseMargin("4.1", false).problem, "Margin out of Range");
    EXPECT_EQ(ParseMargin("10", true).value, 3937);
    EXPECT_EQ(ParseMargin("11", false).problem, "Please enter a number between 0 and 10.");
    EXPECT_EQ(ParseMargin("-1", true).problem, "Please enter a number between 0 and 10.");
    EXPECT_EQ(ParseMargin("1in", false).problem, "Please enter a number.");
}

TEST(PageMarginsFormTest, MarginsGoBackToTheirSides) {
    RECT rect{100, 200, 300, 400};
    PageMarginsForm form = PageMarginsForm::From(rect);
    EXPECT_EQ(form.margins[PageMarginsForm::kRight], 300);
    EXPECT_EQ(form.margins[PageMarginsForm::kTop], 200);
    form.margins[PageMarginsForm::kBottom] = 1000;
    form.ApplyTo(rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 200);
    EXPECT_EQ(rect.right, 300);
    EXPECT_EQ(rect.bottom, 1000);
}

}  // namespace
