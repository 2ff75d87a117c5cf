// Growth of the record array, and the object fields that Replace and Remove look at. Recording,
// breaking and remaking links is proven by the command round trips, whose snapshots hold them.

#include <gtest/gtest.h>

#include "model/support/TestPart.h"
#include "model/undo/ConnectionList.h"

namespace {

TEST(ConnectionListTest, CapacityGrowsInWholeStepsAndACopyHoldsExactlyTheRecords) {
    CConnectionList list;
    for (int i = 0; i < 11; ++i)
        list.Add({nullptr, i, nullptr, nullptr});
    EXPECT_EQ(list.GetCapacity(), 20);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(list.GetAt(i).end, i);
    CConnectionList copy(list);
    EXPECT_EQ(copy.GetCapacity(), 11);
    copy.Add({});
    EXPECT_EQ(copy.GetCapacity(), 21);

    CConnectionList byOne(0);  // no growth would never make room
    byOne.Add({});
    byOne.Add({});
    EXPECT_EQ(byOne.GetCapacity(), 2);
}

TEST(ConnectionListTest, ReplaceAndRemoveLookAtTheObjectFields) {
    TestPart a(1), b(2), c(3), n(9);
    CConnectionList list;
    list.Add({&a, 1, &b, nullptr});
    list.Add({&b, 0, &c, &a});
    list.Add({&c, 0, &a, nullptr});
    list.Add({&c, 1, &b, nullptr});

    list.Replace(&a, &n);
    EXPECT_EQ(list.GetAt(0), (CConnectionRecord{&n, 1, &b, nullptr}));
    EXPECT_EQ(list.GetAt(1), (CConnectionRecord{&b, 0, &c, &n}));
    EXPECT_EQ(list.GetAt(2), (CConnectionRecord{&c, 0, &n, nullptr}));
    EXPECT_EQ(list.GetAt(3), (CConnectionRecord{&c, 1, &b, nullptr}));

    list.Remove(&n);  // named by the first three records, two of them consecutive
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0), (CConnectionRecord{&c, 1, &b, nullptr}));
}

}  // namespace
