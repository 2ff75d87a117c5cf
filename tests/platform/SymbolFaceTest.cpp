// The Symbol face's characters by byte code.

#include <gtest/gtest.h>

#include "platform/SymbolFace.h"

namespace {

TEST(SymbolFaceTest, FaceNameIsMatchedWithoutCase) {
    EXPECT_TRUE(IsSymbolFace("Symbol"));
    EXPECT_TRUE(IsSymbolFace("SYMBOL"));
    EXPECT_FALSE(IsSymbolFace("Symbols"));
    EXPECT_FALSE(IsSymbolFace(""));
}

TEST(SymbolFaceTest, BytesGiveGreekLettersAndSigns) {
    EXPECT_EQ(SymbolFaceChar('7'), U'7');
    EXPECT_EQ(SymbolFaceChar('a'), U'\u03B1');   // alpha
    EXPECT_EQ(SymbolFaceChar('p'), U'\u03C0');   // pi
    EXPECT_EQ(SymbolFaceChar('W'), U'\u03A9');   // Omega
    EXPECT_EQ(SymbolFaceChar(0xB1), U'\u00B1');  // plus-minus
    EXPECT_EQ(SymbolFaceChar(0xA3), U'\u2264');  // less than or equal to
    EXPECT_EQ(SymbolFaceChar(0xE5), U'\u2211');  // summation
    EXPECT_EQ(SymbolFaceChar(0xFE), U'\u23AD');  // the last drawn code
}

TEST(SymbolFaceTest, CodesTheFaceLeavesEmptyGiveNothing) {
    EXPECT_EQ(SymbolFaceChar(0x7F), U'\0');
    EXPECT_EQ(SymbolFaceChar(0x80), U'\0');
    EXPECT_EQ(SymbolFaceChar(0x9F), U'\0');
    EXPECT_EQ(SymbolFaceChar(0xFF), U'\0');
    EXPECT_EQ(SymbolFaceChar(0x1F), U'\0');
}

// Bytes that would read as UTF-8 elsewhere stay one character each.
TEST(SymbolFaceTest, TextIsDecodedByteByByte) {
    const std::vector<DisplayChar> chars = DecodeSymbolFaceText("a\xC2\xB1");
    ASSERT_EQ(chars.size(), 3u);
    EXPECT_EQ(chars[0].code, U'\u03B1');
    EXPECT_EQ(chars[1].code, U'\u211C');  // real part
    EXPECT_EQ(chars[2].code, U'\u00B1');
    EXPECT_EQ(chars[2].offset, 2u);
    EXPECT_EQ(chars[2].length, 1u);
}

}  // namespace
