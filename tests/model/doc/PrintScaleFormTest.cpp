#include "model/doc/PrintScaleForm.h"

#include <gtest/gtest.h>

namespace {

CPrintSettings Settings(DWORD flags, float scale) {
    CPrintSettings settings;
    settings.m_flags = flags;
    settings.m_scale = scale;
    return settings;
}

TEST(PrintScaleForm, OpensOnTheStoredChoices) {
    struct Case {
        DWORD flags;
        float scale;
        bool atOffset;
        PrintScaleForm::Size size;
        int factor;
    } cases[] = {
        {20, 1.0f, false, PrintScaleForm::kFitPage, 100},
        {16, 1.0f, false, PrintScaleForm::kNormalSize, 100},
        {16 + 3, 1.5f, true, PrintScaleForm::kScaled, 150},
        {0, 0.25f, false, PrintScaleForm::kScaled, 100},  // 25 % lies below the range
        {8 + 1, 12.0f, true, PrintScaleForm::kFitTwoPages, 100},
        {12, 0.3f, false, PrintScaleForm::kFitFourPages, 30},
    };
    for (const Case& c : cases) {
        const PrintScaleForm form = PrintScaleForm::From(Settings(c.flags, c.scale));
        EXPECT_EQ(form.atOffset, c.atOffset) << c.flags;
        EXPECT_EQ(form.size, c.size) << c.flags;
        EXPECT_EQ(form.factor, c.factor) << c.flags;
    }
}

TEST(PrintScaleForm, ScaleWithoutTypingStoresTheShownFactor) {
    CPrintSettings settings = Settings(20, 0.25f);
    PrintScaleForm form = PrintScaleForm::From(settings);
    form.size = PrintScaleForm::kScaled;
    form.ApplyTo(settings, std::nullopt, std::nullopt);
    EXPECT_EQ(settings.m_flags, 16u);
    EXPECT_EQ(settings.m_scale, 1.0f);
}

TEST(PrintScaleForm, FieldsOutsideTheirRangesAreRefusedWithTheFrameworkWording) {
    struct Case {
        const char* text;
        const char* problem;
    } factors[] = {{"0", "Please enter an integer between 30 and 1000."},
                   {"29", "Please enter an integer between 30 and 1000."},
                   {"1001", "Please enter an integer between 30 and 1000."},
                   {"nan", "Please enter an integer."},
                   {"12.5", "Please enter an integer."}};
    for (const Case& c : factors) {
        const FieldValue<int> value = ParseScaleFactor(c.text);
        EXPECT_FALSE(value.value) << c.text;
        EXPECT_EQ(value.problem, c.problem) << c.text;
    }
    EXPECT_EQ(*ParseScaleFactor("1000").value, 1000);

    const Case offsets[] = {{"1000.01", "Please enter a number between -1000 and 1000."},
                            {"-2000", "Please enter a number between -1000 and 1000."},
                            {"nan", "Please enter a number."},
                            {"inf", "Please enter a number."},
                            {"1.2x", "Please enter a number."}};
    for (const Case& c : offsets) {
        const FieldValue<LONG> value = ParseOffset(c.text, false);
        EXPECT_FALSE(value.value) << c.text;
        EXPECT_EQ(value.problem, c.problem) << c.text;
    }
}

}  // namespace
