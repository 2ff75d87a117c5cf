#include "model/object/StdAttrNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(StdAttrNames, TableEntries) {
    EXPECT_EQ(GetStdAttrName(-1), nullptr);
    EXPECT_EQ(GetStdAttrName(kStdAttrCount), nullptr);
    std::set<std::string> names;
    for (int number = 1; number < kStdAttrCount; ++number) {
        ASSERT_NE(GetStdAttrName(number), nullptr) << number;
        names.insert(GetStdAttrName(number));
    }
    EXPECT_EQ(names.size(), 27u);
}

TEST(StdAttrNames, DevicePrefixIsExactAndCaseSensitive) {
    EXPECT_TRUE(IsDeviceAttrName(GetStdAttrName(kStdAttrDeviceName)));
    EXPECT_EQ(DeviceAttrName(GetStdAttrName(kStdAttrDeviceName)), GetStdAttrName(kStdAttrName));
    EXPECT_EQ(DeviceAttrName("_Device."), "");
    EXPECT_FALSE(IsDeviceAttrName("_device._Name"));
    EXPECT_FALSE(IsDeviceAttrName("x_Device._Name"));
}
