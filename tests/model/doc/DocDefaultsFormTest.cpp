#include <gtest/gtest.h>

#include "model/doc/DocDefaultsForm.h"
#include "model/doc/DrawDoc.h"
#include "support/ScriptedPrompt.h"

namespace {

DocSettings Defaults() {
    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    DocSettings settings = DocSettings::Of(doc);
    settings.pen.lopnWidth = POINT{42, 42};
    return settings;
}

TEST(DocDefaultsForm, LineSizesShowInPointsAndStoreInThousandths) {
    DocSettings settings = Defaults();
    DocDefaultsForm form = DocDefaultsForm::Load(settings);
    EXPECT_EQ(form.LineSizeText(DocDefaultsForm::kObjectLine), "3");
    CString message;
    EXPECT_FALSE(form.ParseLineSize(DocDefaultsForm::kWireLine, "3.5", message));
    EXPECT_EQ(message, "Please enter a number between 0 and 3.");
    EXPECT_FALSE(form.ParseLineSize(DocDefaultsForm::kWireLine, "", message));
    ASSERT_TRUE(form.ParseLineSize(DocDefaultsForm::kWireLine, "3.0", message));
    EXPECT_FALSE(form.ParseFirstPartNumber("20001", message));
    EXPECT_EQ(message, "Please enter an integer between 1 and 20000.");
    EXPECT_FALSE(form.ParseFirstPartNumber("0", message));
    ASSERT_TRUE(form.ParseFirstPartNumber("100", message));
    form.colours[DocDefaultsForm::kPinNameColour] = 0x123456;
    form.ApplyTo(settings);
    EXPECT_EQ(settings.wirePen.lopnWidth.x, 42);
    EXPECT_EQ(settings.firstPartNumber, 100);
    EXPECT_EQ(settings.pinNameColour, COLORREF(0x123456));
}

// A size shown rounded to a tenth of a point (pin width 2 as 0.1) keeps the document's width
// unless a size is read back.
TEST(DocDefaultsForm, OnlyATypedLineSizeChangesTheWidth) {
    DocSettings settings = Defaults();
    settings.pinPen.lopnWidth = POINT{2, 2};
    settings.wirePen.lopnWidth = POINT{5, 5};
    settings.pen.lopnWidth = POINT{9, 9};
    DocDefaultsForm form = DocDefaultsForm::Load(settings);
    CString message;
    EXPECT_EQ(form.LineSizeText(DocDefaultsForm::kPinLine), "0.1");
    form.ApplyTo(settings);
    EXPECT_EQ(settings.pinPen.lopnWidth.x, 2);
    EXPECT_EQ(settings.wirePen.lopnWidth.x, 5);
    EXPECT_EQ(settings.pen.lopnWidth.x, 9);

    ASSERT_TRUE(form.ParseLineSize(DocDefaultsForm::kWireLine, "0.5", message));
    form.ApplyTo(settings);
    EXPECT_EQ(settings.wirePen.lopnWidth.x, 7);
    EXPECT_EQ(settings.pinPen.lopnWidth.x, 2);
}

TEST(DocDefaultsForm, ThePinFontIsEditedWithANegativeHeightAndKeptPositive) {
    DocSettings settings = Defaults();
    DocDefaultsForm form = DocDefaultsForm::Load(settings);
    EXPECT_EQ(form.pinFont.lfHeight, -80);
    form.ApplyTo(settings);
    EXPECT_EQ(settings.pinFont.lfHeight, 80);
    form.pinFont.lfHeight = -100;
    form.ApplyTo(settings);
    EXPECT_EQ(settings.pinFont.lfHeight, 100);
}

TEST(DocDefaultsForm, AutomaticColoursOfTheButtons) {
    EXPECT_EQ(DocDefaultsForm::DefaultColour(DocDefaultsForm::kPinNumberColour), 0x008000u);
    EXPECT_EQ(DocDefaultsForm::DefaultColour(DocDefaultsForm::kPinNameColour), 0x000080u);
    EXPECT_EQ(DocDefaultsForm::DefaultColour(DocDefaultsForm::kPinColour),
              CDrawDoc::kDefaultPinPen.lopnColor);
}

}  // namespace
