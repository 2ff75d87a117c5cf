#include "platform/DisplayText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::u32string Codes(std::string_view bytes) {
    std::u32string codes;
    for (const DisplayChar& ch : DecodeDisplayText(bytes))
        codes += ch.code;
    return codes;
}

}  // namespace

TEST(DisplayText, Utf8TextIsReadAsUtf8) {
    const std::vector<DisplayChar> chars =
        DecodeDisplayText("a\xC2\xB0\xE2\x82\xAC\xF0\x9F\x94\x8C");
    ASSERT_EQ(chars.size(), 4u);
    EXPECT_EQ(chars[1].code, U'\u00B0');
    EXPECT_EQ(chars[1].offset, 1u);
    EXPECT_EQ(chars[1].length, 2u);
    EXPECT_EQ(chars[2].code, U'\u20AC');
    EXPECT_EQ(chars[3].code, U'\U0001F50C');
    EXPECT_EQ(chars[3].offset, 6u);
    EXPECT_TRUE(DecodeDisplayText("").empty());
}

TEST(DisplayText, OtherTextIsReadAsWesternCodePage) {
    EXPECT_EQ(Codes("90\xBA"), U"90\u00BA");
    EXPECT_EQ(Codes("\x80\x81\x9F\xFF"), U"\u20AC\u0081\u0178\u00FF");
    // One bad sequence makes the whole text single-byte, valid UTF-8 parts included.
    EXPECT_EQ(Codes("\xC2\xB0 \xB0"), U"\u00C2\u00B0 \u00B0");
    EXPECT_EQ(Codes("\xC0\x80"), U"\u00C0\u20AC");            // overlong form
    EXPECT_EQ(Codes("\xED\xA0\x80"), U"\u00ED\u00A0\u20AC");  // surrogate
    EXPECT_EQ(Codes("\xE2\x82"), U"\u00E2\u201A");            // cut short
}
