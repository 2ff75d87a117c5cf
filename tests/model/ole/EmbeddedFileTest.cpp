#include "model/ole/EmbeddedFile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/ole/OlePresentation.h"

namespace {

TEST(EmbeddedFile, APictureKeepsItsPixelsAndSize) {
    const DibImage picture{
        3,
        2,
        {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)}};
    const CompoundStorage storage = PictureStorage(picture, SIZE{2540, 1270});
    const OlePresentation shown = OlePresentation::Of(storage);
    EXPECT_EQ(shown.extent.cx, 2540);
    EXPECT_EQ(shown.extent.cy, 1270);
    ASSERT_TRUE(shown.image);
    EXPECT_EQ(shown.image->width, 3);
    EXPECT_EQ(shown.image->height, 2);
    EXPECT_EQ(shown.image->pixels, picture.pixels);
    EXPECT_EQ(shown.userType, CString("Picture (Device Independent Bitmap)"));
}

TEST(EmbeddedFile, AnyOtherFileIsPackagedWithItsNameAndBytes) {
    const std::vector<BYTE> contents = {'n', 'o', 't', 'e', 0, 0xFF};
    const CompoundStorage storage = PackageStorage("/home/ann/notes.txt", contents);
    const OlePresentation shown = OlePresentation::Of(storage);
    EXPECT_FALSE(shown.hasExtent);
    EXPECT_FALSE(shown.image);
    EXPECT_EQ(shown.userType, CString("Package"));
    const CompoundStream* native = storage.FindStream("\x01Ole10Native");
    ASSERT_NE(native, nullptr);
    const std::vector<BYTE>& bytes = native->Data();
    EXPECT_EQ(bytes[0] | (bytes[1] << 8), int(bytes.size()) - 4);
    EXPECT_TRUE(std::equal(contents.rbegin(), contents.rend(), bytes.rbegin()));
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find(std::string("notes.txt\0/home/ann/notes.txt", 29)), std::string::npos);
}

}  // namespace
