// Text of the document reaches the windows as UTF-8 when it is, else as the Western code page.

#include "gui/kit/StoredText.h"

#include <gtest/gtest.h>

namespace {

TEST(StoredText, Utf8IsReadAsSuchAndOlderTextByteForByte) {
    EXPECT_EQ(FromStoredText("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(FromStoredText("Rotation : 0 \xBA"), QString::fromUtf8("Rotation : 0 \xC2\xBA"));
    EXPECT_EQ(FromStoredText("\x80 5"), QString::fromUtf8("\xE2\x82\xAC 5"));  // the euro sign
    EXPECT_EQ(FromStoredText(""), QString());
}

}  // namespace
