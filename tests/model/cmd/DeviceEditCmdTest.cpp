// A device edit recorded as the Device Properties dialog records it, undone and redone, gives
// back the document's bytes each time.

#include <gtest/gtest.h>

#include "CmdTestSheet.h"
#include "model/cmd/DeviceEditCmd.h"
#include "model/cmd/Ref.h"
#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"

namespace {

TEST(DeviceEditCmd, UndoAndRedoKeepTheOrderOfTheAttributes) {
    CmdTestSheet sheet;
    sheet.At(2)->SetTestDevice("7404");
    CDevice& device = *sheet.At(2)->GetDevice();
    device.SetAttr("_Pref", "U", TRUE);
    // "_Implicit" and "VCC.Net" share a bucket of the attribute map.
    device.SetAttr("_Implicit", "VCC 14 GND 7", TRUE);
    device.SetAttr("VCC.Net", "Power1", TRUE);
    const DocSnapshot before = Snapshot(sheet.doc);

    Ref<CDevice> kept(new CDevice(device));
    device.SetAttr("_Implicit",
                   "VCC\x01"
                   "16\x01GND\x01"
                   "8",
                   TRUE);
    RecordDeviceEdit(sheet.doc, device, *kept.Get());
    const DocSnapshot after = Snapshot(sheet.doc);
    ASSERT_NE(after, before);

    CUndoList& undo = sheet.doc.GetUndoList();
    for (int round = 1; round <= 3; ++round) {
        ASSERT_TRUE(undo.Undo());
        EXPECT_EQ(Snapshot(sheet.doc), before) << "undo " << round;
        ASSERT_TRUE(undo.Redo());
        EXPECT_EQ(Snapshot(sheet.doc), after) << "redo " << round;
    }
}

// A hidden pin renamed in the device's list takes along the nets that tie it to themselves, in
// the same step: the ties of the device's parts follow, another device's pin of the old name
// keeps its own.
TEST(DeviceEditCmd, AHiddenPinRenamedTakesItsTiesAlong) {
    CmdTestSheet sheet;
    const auto gate = [&sheet](int tag, const char* id, const char* device) {
        auto* part = new TestPart(tag, kObjSymbol);
        part->SetDocument(&sheet.doc);
        sheet.doc.GetObjects().AddTail(part);
        part->SetAttr("_ID", id, 0);
        part->SetTestDevice(device);
        part->GetDevice()->SetAttr("_Implicit", "VCC 14 GND 7", TRUE);
        return part->GetDevice();
    };
    CDevice& device = *gate(7, "U1A", "7400");
    gate(8, "U2A", "7404");
    auto* net = new CNet("VDDA");
    net->SetAttr("_Implicit", "U1A:VCC,U2A:VCC U1A:GND", 0);
    auto* wire = new CWire;
    net->AddRef();
    wire->SetNet(net);
    wire->SetDocument(&sheet.doc);
    sheet.doc.GetObjects().AddTail(wire);
    const DocSnapshot before = Snapshot(sheet.doc);

    Ref<CDevice> kept(new CDevice(device));
    device.SetAttr("_Implicit", "VDD 14 AGND 7", TRUE);
    RecordDeviceEdit(sheet.doc, device, *kept.Get());
    EXPECT_EQ(net->GetAttr("_Implicit"), "U1A:VDD,U2A:VCC U1A:AGND");
    CUndoList& undo = sheet.doc.GetUndoList();
    EXPECT_EQ(undo.GetCount(), 1);
    const DocSnapshot after = Snapshot(sheet.doc);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_EQ(net->GetAttr("_Implicit"), "U1A:VCC,U2A:VCC U1A:GND");
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(Snapshot(sheet.doc), after);
}

}  // namespace
