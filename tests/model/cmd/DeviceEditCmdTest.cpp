// A device edit recorded as the Device Properties dialog records it, undone and redone, gives
// back the document's bytes each time.

#include <gtest/gtest.h>

#include "CmdTestSheet.h"
#include "model/cmd/DeviceEditCmd.h"
#include "model/cmd/Ref.h"
#include "model/device/Device.h"

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

}  // namespace
