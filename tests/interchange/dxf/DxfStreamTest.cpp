// The group layout of DXF files: right-aligned codes, CR LF line ends, six significant digits
// for reals and hexadecimal handles; and the line-type table.

#include <gtest/gtest.h>

#include "interchange/dxf/DxfLineTypes.h"
#include "interchange/dxf/DxfStream.h"

namespace {

TEST(DxfStream, CodesAreRightAlignedInThreeCharactersAndLinesEndWithCrLf) {
    CDxfStream stream;
    stream.WriteString(5, "100");
    stream.WriteInt(62, 256);
    stream.WriteString(999, "note");
    stream.WriteInt(70, -3);
    stream.WriteInt(100, 0);
    stream.WriteInt(1071, 0);
    EXPECT_EQ(stream.Bytes(),
              "  5\r\n100\r\n 62\r\n256\r\n999\r\nnote\r\n 70\r\n-3\r\n"
              "100\r\n0\r\n1071\r\n0\r\n");
}

TEST(DxfStream, RealsHaveUpToSixSignificantDigitsWithoutTrailingZeros) {
    CDxfStream stream;
    for (double value : {1.0, 0.001, 11.693, -8.268, 0.000165, -0.000055, 6.2831853072, 0.0})
        stream.WriteReal(40, value);
    EXPECT_EQ(stream.Bytes(),
              " 40\r\n1\r\n 40\r\n0.001\r\n 40\r\n11.693\r\n 40\r\n-8.268\r\n 40\r\n0.000165\r\n"
              " 40\r\n-5.5e-05\r\n 40\r\n6.28319\r\n 40\r\n0\r\n");
}

TEST(DxfStream, HandlesCountInLowerCaseHexadecimalFrom100) {
    CDxfStream stream;
    EXPECT_EQ(stream.NextHandle(), "100");
    EXPECT_EQ(stream.NextHandle(), "101");
    for (int i = 0; i < 8; ++i)
        stream.NextHandle();
    EXPECT_EQ(stream.NextHandle(), "10a");
}

// A line break inside a value would end the group early and shift every later group.
TEST(DxfStream, ATextStaysOnItsOneLine) {
    CDxfStream stream;
    stream.WriteString(1, "a\nb\rc");
    stream.WriteString(1, "");
    EXPECT_EQ(stream.Bytes(), "  1\r\na b c\r\n  1\r\n\r\n");
}

TEST(DxfLineTypes, TheTableHoldsTheSevenTypesWithTheirElements) {
    CDxfStream stream;
    DxfWriteLineTypes(stream);
    const std::string& bytes = stream.Bytes();
    EXPECT_NE(bytes.find("  2\r\nHIDDEN\r\n 70\r\n64\r\n  3\r\nHidden\r\n 72\r\n65\r\n 73\r\n2\r\n"
                         " 40\r\n0.000165\r\n 49\r\n0.00011\r\n 49\r\n-5.5e-05\r\n"),
              std::string::npos);
    std::size_t entries = 0;
    for (std::size_t at = bytes.find("  0\r\nLTYPE\r\n"); at != std::string::npos;
         at = bytes.find("  0\r\nLTYPE\r\n", at + 1))
        ++entries;
    EXPECT_EQ(entries, 7u);
}

}  // namespace
