#include "platform/Object.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/Archive.h"

class CObjTestShape : public CObject {
    DECLARE_SERIAL(CObjTestShape)
};
IMPLEMENT_SERIAL(CObjTestShape, CObject, VERSIONABLE_SCHEMA | 1)

class CObjTestCircle : public CObjTestShape {
    DECLARE_SERIAL(CObjTestCircle)
};
IMPLEMENT_SERIAL(CObjTestCircle, CObjTestShape, 2)

class CObjTestView : public CObject {
    DECLARE_DYNCREATE(CObjTestView)
};
IMPLEMENT_DYNCREATE(CObjTestView, CObject)

class CObjTestFrame : public CObject {
    DECLARE_DYNAMIC(CObjTestFrame)
};
IMPLEMENT_DYNAMIC(CObjTestFrame, CObject)

// A class that keeps its base's record.
class CObjTestRing : public CObjTestCircle {};

namespace {

TEST(RuntimeClass, DerivationAndLookUpByExactName) {
    CObjTestCircle circle;
    const CObject& asObject = circle;
    EXPECT_EQ(asObject.GetRuntimeClass(), RUNTIME_CLASS(CObjTestCircle));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObjTestShape)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CObjTestView)));
    EXPECT_FALSE(CObjTestShape().IsKindOf(RUNTIME_CLASS(CObjTestCircle)));
    EXPECT_EQ(RUNTIME_CLASS(CObjTestFrame)->CreateObject(), nullptr);  // no factory

    // Only serializable classes are found, by the exact bytes of their names.
    EXPECT_EQ(CRuntimeClass::FromName("CObjTestCircle"), RUNTIME_CLASS(CObjTestCircle));
    EXPECT_EQ(CRuntimeClass::FromName("CObjTestView"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("cobjtestshape"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(std::string_view("CObjTestShape\0x", 15)), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(""), nullptr);
}

// The downcast by records answers as dynamic_cast does, also for an object of a class that
// keeps its base's record, for const objects and for null.
TEST(RuntimeClass, DowncastByRecordsAnswersAsDynamicCast) {
    CObjTestShape shape;
    CObjTestCircle circle;
    CObjTestRing ring;
    CObjTestView view;
    for (CObject* object : std::initializer_list<CObject*>{&shape, &circle, &ring, &view}) {
        EXPECT_EQ(DYNAMIC_DOWNCAST(CObjTestShape, object), dynamic_cast<CObjTestShape*>(object));
        EXPECT_EQ(DYNAMIC_DOWNCAST(CObjTestCircle, object), dynamic_cast<CObjTestCircle*>(object));
        EXPECT_EQ(DYNAMIC_DOWNCAST(CObjTestView, object), dynamic_cast<CObjTestView*>(object));
    }
    const CObjTestShape* constant = &ring;
    const CObjTestCircle* found = DYNAMIC_DOWNCAST(CObjTestCircle, constant);
    EXPECT_EQ(found, &ring);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CObjTestCircle, static_cast<CObjTestShape*>(nullptr)), nullptr);
}

}  // namespace
