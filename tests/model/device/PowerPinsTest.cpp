// A device's power pins: "_Implicit" read and written, the pins' nets, and the checks of a
// pin to add.

#include <gtest/gtest.h>

#include "model/device/Device.h"
#include "model/device/PowerPins.h"

namespace {

TEST(PowerPinsTest, PinsAndNetsBecomeImplicitAndNetAttributes) {
    CDevice device("7400");
    std::vector<PowerPin> pins;
    AddPowerPin(pins, {"VCC", "14", "Power1"});
    ApplyPowerPins(device, pins);
    EXPECT_EQ(device.GetAttr("_Implicit"), CString("VCC\x01"
                                                   "14"));
    EXPECT_EQ(device.GetAttr("VCC.Net"), CString("Power1"));

    std::vector<PowerPin> loaded = LoadPowerPins(device);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0].net, CString("Power1"));
    pins = loaded;
    EXPECT_EQ(AddPowerPin(pins, {"GND", "7", ""}), 0) << "the list is sorted";
    ApplyPowerPins(device, pins);
    EXPECT_EQ(device.GetAttr("_Implicit"), CString("GND\x01"
                                                   "7\x01VCC\x01"
                                                   "14"));
}

TEST(PowerPinsTest, ImplicitIsReadTrimmedAndAddingUpdatesByNameIgnoringCase) {
    CDevice device("7400");
    device.SetAttr("_Implicit",
                   " vcc \x01"
                   "14\x01GND\x01"
                   "7",
                   TRUE);
    device.SetAttr("vcc.Net", "Power2", TRUE);
    std::vector<PowerPin> pins = LoadPowerPins(device);
    ASSERT_EQ(pins.size(), 2u);
    EXPECT_EQ(pins[0].name, CString("GND"));
    EXPECT_EQ(pins[1].name, CString("vcc"));
    EXPECT_EQ(pins[1].net, CString("Power2"));
    EXPECT_EQ(AddPowerPin(pins, {"VCC", "16", ""}), 1);
    ASSERT_EQ(pins.size(), 2u);
    EXPECT_EQ(pins[1].number, CString("16"));
}

TEST(PowerPinsTest, ClearedAndRemovedNetsNoLongerTieThePins) {
    CDevice device("7400");
    device.SetAttr("_Implicit",
                   "VCC\x01"
                   "14\x01GND\x01"
                   "7",
                   TRUE);
    device.SetAttr("VCC.Net", "Power1", TRUE);
    device.SetAttr("GND.Net", "Ground1", TRUE);
    const std::vector<PowerPin> loaded = LoadPowerPins(device);
    std::vector<PowerPin> pins = loaded;
    pins.erase(pins.begin());  // GND
    pins[0].net = "";
    ApplyPowerPins(device, pins);
    CString value;
    EXPECT_FALSE(device.Lookup("VCC.Net", value));
    // A removed pin's net is not deleted; the pin, out of the list, is on no net.
    EXPECT_EQ(device.GetAttr("GND.Net"), CString("Ground1"));
    EXPECT_EQ(device.GetAttr("_Implicit"), CString("VCC\x01"
                                                   "14"));
}

// A pin removed keeps its net with the device; added again with no net, it is on no net,
// not on the net it had before.
TEST(PowerPinsTest, APinAddedAgainWithNoNetIsOnNoNet) {
    CDevice device("7400");
    device.SetAttr("_Implicit",
                   "VCC\x01"
                   "14",
                   TRUE);
    device.SetAttr("VCC.Net", "Power1", TRUE);
    ApplyPowerPins(device, {});
    EXPECT_EQ(device.GetAttr("VCC.Net"), CString("Power1"));
    std::vector<PowerPin> pins = LoadPowerPins(device);
    ASSERT_TRUE(pins.empty());
    AddPowerPin(pins, {"VCC", "14", ""});
    ApplyPowerPins(device, pins);
    CString value;
    EXPECT_FALSE(device.Lookup("VCC.Net", value)) << value.c_str();
    EXPECT_EQ(LoadPowerPins(device).at(0).net, CString());
}

TEST(PowerPinsTest, NamesAndNumbersMustBeGivenWithoutSeparators) {
    bool inNumber = false;
    EXPECT_STREQ(PowerPinProblem({"", "1", ""}, inNumber), "Pin must be named");
    EXPECT_STREQ(PowerPinProblem({"V\nCC", "1", ""}, inNumber),
                 "Pin name contains illegal characters");
    EXPECT_FALSE(inNumber);
    EXPECT_STREQ(PowerPinProblem({"VCC", "", ""}, inNumber), "Pin must have a number");
    EXPECT_TRUE(inNumber);
    EXPECT_STREQ(PowerPinProblem({"VCC",
                                  "1\x01"
                                  "2",
                                  ""},
                                 inNumber),
                 "Pin number contains illegal characters");
    EXPECT_EQ(PowerPinProblem({"VCC", "14", ""}, inNumber), nullptr);
    // A blank or comma parts the list: such a name would come back as two pins.
    EXPECT_STREQ(PowerPinProblem({"V CC", "14", ""}, inNumber),
                 "Pin name contains illegal characters");
    EXPECT_STREQ(PowerPinProblem({"VCC", "14,15", ""}, inNumber),
                 "Pin number contains illegal characters");
    EXPECT_EQ(PowerPinProblem({"VCC", "(14,15)", ""}, inNumber), nullptr);
}

// The standard library parts the pins with blanks; the pins loaded and applied unchanged keep
// the list as it is stored, and a device without hidden pins gains no empty list.
TEST(PowerPinsTest, PinsAppliedUnchangedKeepTheStoredList) {
    CDevice device("7400");
    device.SetAttr("_Implicit", "VCC 14 GND 7", TRUE);
    device.SetAttr("VCC.Net", "Power1", TRUE);
    std::vector<PowerPin> loaded = LoadPowerPins(device);
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[1].name, CString("VCC"));
    EXPECT_EQ(loaded[1].number, CString("14"));
    const CDevice before(device);
    ApplyPowerPins(device, loaded);
    EXPECT_EQ(device.GetAttr("_Implicit"), CString("VCC 14 GND 7"));
    EXPECT_TRUE(device.IsEqual(before));

    CDevice bare("7404");
    ApplyPowerPins(bare, {});
    EXPECT_EQ(bare.GetAttrCount(), 1);
}

}  // namespace
