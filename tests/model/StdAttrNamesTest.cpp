#include "model/StdAttrNames.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(StdAttrNames, TableEntries) {
    EXPECT_EQ(GetStdAttrName(kStdAttrNone), nullptr);
    EXPECT_STREQ(GetStdAttrName(kStdAttrPos), "_Pos");
    EXPECT_STREQ(GetStdAttrName(kStdAttrId), "_ID");
    EXPECT_STREQ(GetStdAttrName(kStdAttrDid), "_DID");
    EXPECT_STREQ(GetStdAttrName(kStdAttrDeviceName), "_Device._Name");
    EXPECT_STREQ(GetStdAttrName(kStdAttrMinConductor), "_MinConductor");
    EXPECT_STREQ(GetStdAttrName(kStdAttrPinSwap), "_PinSwap");
    EXPECT_STREQ(GetStdAttrName(kStdAttrSubcct), "_Subcct");
    EXPECT_STREQ(GetStdAttrName(kStdAttrValue), "_Value");
    EXPECT_STREQ(GetStdAttrName(kStdAttrCat), "_Cat");

    std::set<std::string> names;
    for (int number = 1; number < kStdAttrCount; ++number) {
        const char* name = GetStdAttrName(number);
        ASSERT_NE(name, nullptr) << number;
        EXPECT_EQ(name[0], '_') << name;
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 27u);
}

TEST(StdAttrNames, NumbersOutsideTheTableGiveNull) {
    EXPECT_EQ(GetStdAttrName(-1), nullptr);
    EXPECT_EQ(GetStdAttrName(kStdAttrCount), nullptr);
    EXPECT_EQ(GetStdAttrName(1 << 30), nullptr);
}

TEST(StdAttrNames, DevicePrefixIsExactAndCaseSensitive) {
    EXPECT_TRUE(IsDeviceAttrName(GetStdAttrName(kStdAttrDeviceName)));
    EXPECT_EQ(DeviceAttrName(GetStdAttrName(kStdAttrDeviceName)), GetStdAttrName(kStdAttrName));
    EXPECT_TRUE(IsDeviceAttrName("_Device."));
    EXPECT_EQ(DeviceAttrName("_Device."), "");
    EXPECT_FALSE(IsDeviceAttrName("_device._Name"));
    EXPECT_FALSE(IsDeviceAttrName("_Device"));
    EXPECT_FALSE(IsDeviceAttrName("x_Device._Name"));
    EXPECT_FALSE(IsDeviceAttrName(""));
}
