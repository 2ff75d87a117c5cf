#include "model/geometry/FloatGeometry.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/Archive.h"
#include "platform/MemFile.h"
#include "support/TestSupport.h"

TEST(FloatGeometry, RectRecordSwapsTheLastTwoValues) {
    CFRect rect(1, 2, 3, 4);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        rect.Serialize(ar);
        ar.Close();
    }
    EXPECT_EQ(testsupport::HexDump(file.GetBytes()),
              "00 00 80 3F 00 00 00 40 00 00 80 40 00 00 40 40");

    file.Seek(0, CFile::begin);
    CFRect loaded;
    CArchive ar(&file, CArchive::load);
    loaded.Serialize(ar);
    EXPECT_EQ((std::vector<float>{loaded.f1, loaded.f2, loaded.f3, loaded.f4}),
              (std::vector<float>{1, 2, 3, 4}));
}

TEST(FloatGeometry, ScaleKeepsDirectionAndLeavesTinyVectors) {
    CFPoint v(3, -4);
    v.Scale(10);
    EXPECT_FLOAT_EQ(v.x, 6);
    EXPECT_FLOAT_EQ(v.y, -8);
    CFPoint tiny(0.000005f, 0);
    tiny.Scale(10);
    EXPECT_EQ(tiny.x, 0.000005f);
}
