#include <gtest/gtest.h>

#include <utility>

#include "model/device/Device.h"
#include "model/device/DeviceForm.h"
#include "model/object/StdAttrNames.h"

namespace {

// Hidden pins VCC/14 and GND/7; symbol U, instance a, pins A/1 and B/2.
DeviceForm Gate() {
    DeviceForm form = DeviceForm::NewDevice();
    form.rows = {{"", "", "VCC", "14", "GND", "7"}, {"U", "a", "A", "1", "B", "2"}};
    return form;
}

TEST(DeviceForm, RowsMakeTheHiddenPinsAndTheSymbolMap) {
    CString implicit;
    CString map;
    DeviceForm form = Gate();
    form.rows.push_back({"", "", "", ""});  // an empty row is passed over
    ASSERT_FALSE(form.BuildTexts(implicit, map));
    EXPECT_EQ(implicit,
              "VCC\x01"
              "14\x01GND\x01"
              "7");
    EXPECT_EQ(map,
              "U\x01"
              "a\x01"
              "A\x01"
              "1\x01"
              "B\x01"
              "2\n");
}

TEST(DeviceForm, IncompleteRowsNameTheCellAtFault) {
    DeviceForm form = Gate();
    form.rows[1][5] = "";
    CString implicit;
    CString map;
    std::optional<DeviceFormProblem> problem = form.BuildTexts(implicit, map);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "Error - pin number missing.");
    EXPECT_EQ(problem->row, 1);
    EXPECT_EQ(problem->column, 5);

    form = Gate();
    form.rows[0][2] = "";
    problem = form.BuildTexts(implicit, map);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "Error - pin name missing.");
    EXPECT_EQ(problem->column, 2);

    form = Gate();
    form.rows[1][0] = "";
    problem = form.BuildTexts(implicit, map);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "Error - symbol name missing.");
}

// A blank, comma or tab would part a hidden pin's name or number in "_Implicit", so that the
// pins read back slid by one item; a parenthesised number list stays one item.
TEST(DeviceForm, HiddenPinsThatWouldNotReadBackAsTypedAreRefused) {
    const std::pair<int, const char*> cells[] = {
        {2, "V CC"}, {2, "V,CC"}, {4, "G\tND"}, {3, "1 4"}, {5, "7,8"}};
    CString implicit;
    CString map;
    for (const auto& [column, text] : cells) {
        DeviceForm form = Gate();
        form.rows[0][column] = text;
        std::optional<DeviceFormProblem> problem = form.BuildTexts(implicit, map);
        ASSERT_TRUE(problem) << text;
        EXPECT_EQ(problem->message, column % 2 == 0 ? "Pin name contains illegal characters"
                                                    : "Pin number contains illegal characters");
        EXPECT_EQ(problem->row, 0);
        EXPECT_EQ(problem->column, column);
    }
    DeviceForm form = Gate();
    form.rows[0][3] = "(14,15)";
    EXPECT_FALSE(form.BuildTexts(implicit, map));
}

TEST(DeviceForm, ARefusedFormChangesNothingAndAnAcceptedOneStoresEverything) {
    CDevice device("7400");
    device.SetStdAttr(kStdAttrImplicit,
                      "VCC\x01"
                      "16",
                      TRUE);
    DeviceForm form = Gate();
    form.rows.push_back({"U", "a", "C", "3"});  // the same symbol and instance twice
    std::optional<DeviceFormProblem> problem = form.Check(device, 0);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "Error in symbol map : duplicate instance of same symbol.");
    EXPECT_EQ(device.GetStdAttr(kStdAttrImplicit),
              "VCC\x01"
              "16");

    form = Gate();
    form.fields[kDeviceFieldName] = "";
    problem = form.Check(device, 0);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->message, "Error: Property value invalid - must have a name.");
    EXPECT_EQ(problem->field, kDeviceFieldName);

    form.fields[kDeviceFieldName] = "7400";
    ASSERT_FALSE(form.Check(device, 0));
    form.Store(device, 0);
    EXPECT_EQ(device.GetStdAttr(kStdAttrImplicit),
              "VCC\x01"
              "14\x01GND\x01"
              "7");
    EXPECT_EQ(device.GetStdAttr(kStdAttrPref), "X");
    EXPECT_EQ(device.GetStdAttr(kStdAttrDesc), "Device description");
    CString unused;
    EXPECT_FALSE(device.Lookup(GetStdAttrName(kStdAttrFootprint), unused));

    const DeviceForm loaded = DeviceForm::Load(device);
    EXPECT_EQ(loaded.rows, Gate().rows);
    EXPECT_EQ(loaded.fields[kDeviceFieldName], "7400");
}

// The standard library parts their hidden pins with blanks: they load as pairs, and a form
// stored unchanged leaves every stored byte as it was.
TEST(DeviceForm, HiddenPinsPartedByBlanksLoadAsPairsAndStayAsStored) {
    CDevice device("7400");
    device.SetStdAttr(kStdAttrImplicit, "VCC 14 GND 7", TRUE);
    device.SetStdAttr(kStdAttrMap,
                      "U\x01"
                      "a\x01"
                      "A\x01"
                      "1",
                      TRUE);
    device.SetStdAttr(kStdAttrPref, "U", TRUE);
    device.SetStdAttr(kStdAttrDesc, "Quad gate ", TRUE);
    const CDevice before(device);
    const DeviceForm form = DeviceForm::Load(device);
    EXPECT_EQ(form.rows[0], (DeviceForm::Row{"", "", "VCC", "14", "GND", "7"}));
    ASSERT_FALSE(form.Check(device, 0));
    form.Store(device, 0);
    EXPECT_EQ(device.GetStdAttr(kStdAttrImplicit), "VCC 14 GND 7");
    EXPECT_TRUE(device.IsEqual(before));

    DeviceForm changed = form;
    changed.rows[0][3] = "16";
    changed.Store(device, 0);
    EXPECT_EQ(device.GetStdAttr(kStdAttrImplicit),
              "VCC\x01"
              "16\x01GND\x01"
              "7");
}

}  // namespace
