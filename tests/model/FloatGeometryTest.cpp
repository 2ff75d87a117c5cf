#include "model/FloatGeometry.h"

#include <gtest/gtest.h>

#include <memory>
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

TEST(FloatGeometry, ObjectsComeBackThroughTheClassFactory) {
    CFPoint point(-1.5f, 0.25f);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << &point;
        ar.Close();
    }
    file.Seek(0, CFile::begin);
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> loaded(ar.ReadObject(RUNTIME_CLASS(CFPoint)));
    const auto* copy = static_cast<const CFPoint*>(loaded.get());
    EXPECT_EQ(copy->x, -1.5f);
    EXPECT_EQ(copy->y, 0.25f);
    EXPECT_NE(CRuntimeClass::FromName("CFRect"), nullptr);
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
