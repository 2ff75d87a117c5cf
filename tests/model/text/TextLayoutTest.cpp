#include "model/text/TextLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "model/text/TextBox.h"
#include "model/text/TextMetrics.h"

namespace {

const LOGFONT kFont = CTextBox::kDefaultFont;  // 111 sheet units high, 67 per byte
constexpr LONG kAdvance = 67;

TEST(TextLayoutTest, MeasuringCountsLineFeedsAndTheReturnsBeforeThem) {
    EXPECT_EQ(MeasureTextBlock("Text", kFont, false), CSize(4 * kAdvance, 112));
    EXPECT_EQ(MeasureTextBlock("A\r\nB", kFont, false), CSize(4 * kAdvance, 112));
    // Control bytes after a line feed are skipped: the empty line adds height, no width.
    EXPECT_EQ(MeasureTextBlock("AB\r\n\r\n\tC", kFont, true), CSize(3 * kAdvance, 333));
    EXPECT_EQ(MeasureTextBlock("hello \r\r\nworld", kFont, true), CSize(8 * kAdvance, 222));
    // Heights of either sign give lines that go down; beyond MulDiv's range nothing overflows.
    LOGFONT font = kFont;
    font.lfHeight = 80;
    EXPECT_EQ(LineHeight(font), 111);
    font.lfHeight = 0x7FFFFFFF;
    EXPECT_EQ(LineHeight(font), 1);
}

TEST(TextLayoutTest, WrapBreaksAfterTheLastBlankThatFits) {
    EXPECT_EQ(WrapText("hello world", kFont, 6 * kAdvance), "hello \r\r\nworld");
    EXPECT_EQ(WrapText("hello world", kFont, 5 * kAdvance), "hello \r\r\nworld");
    // Blanks at a break hang at the end of the line; trailing blanks never break.
    EXPECT_EQ(WrapText("a   b", kFont, kAdvance), "a   \r\r\nb");
    EXPECT_EQ(WrapText("ab  ", kFont, 2 * kAdvance), "ab  ");
    // Long words break between bytes, hard breaks stay, and every line keeps one byte.
    EXPECT_EQ(WrapText("one two\r\nthree", kFont, 4 * kAdvance), "one \r\r\ntwo\r\nthre\r\r\ne");
    EXPECT_EQ(WrapText("abc", kFont, 1), "a\r\r\nb\r\r\nc");
    EXPECT_EQ(WrapText("abc", kFont, 0), "abc");
    // A new width replaces the soft breaks of the old one.
    EXPECT_EQ(WrapText("hello \r\r\nworld", kFont, 100 * kAdvance), "hello world");
}

TEST(TextLayoutTest, LineEndsAndDrawnLines) {
    EXPECT_EQ(NormalizeLineEnds("a\nb\rc\r\nd\r\r\ne\xE2\x80\xA9"
                                "f\xE2\x80\xA8g \xE2\x80\xA6"),
              "a\r\nb\r\nc\r\nd\r\r\ne\r\nf\r\ng \xE2\x80\xA6");
    std::string text = "a\r\r\nb\r\nc\r\r\n";
    RemoveSoftBreaks(text);
    EXPECT_EQ(text, "ab\r\nc");
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitDrawnLines("A\r\r\nB\r\n\r\nC", 4), (Lines{"A", "B", "", "C"}));
    EXPECT_EQ(SplitDrawnLines("A", 2), (Lines{"A", ""}));
}

// 'i' is narrow, everything else wide.
struct ProportionalMetrics : ITextMetrics {
    void MeasureChars(std::string_view text, const LOGFONT&,
                      std::vector<LONG>& cumulative) const override {
        cumulative.clear();
        LONG sum = 0;
        for (char ch : text)
            cumulative.push_back(sum += ch == 'i' ? 10 : 50);
    }
};

TEST(TextLayoutTest, InstalledMetricsDecideWidthsAndBreaks) {
    ProportionalMetrics metrics;
    ITextMetrics* previous = SetTextMetrics(&metrics);
    EXPECT_EQ(WrapText("ii ww", kFont, 100), "ii \r\r\nww");
    EXPECT_EQ(MeasureTextBlock("w\r\niiii", kFont, true).cx, 100);
    EXPECT_EQ(SetTextMetrics(previous), &metrics);
    EXPECT_EQ(TextWidth("iiw", SheetFont(kFont)), 3 * kAdvance);
}

}  // namespace
