// A net-properties edit recorded as the wire sheet records it, undone and redone, gives back the
// document's bytes each time.

#include <gtest/gtest.h>

#include "CmdTestSheet.h"
#include "model/cmd/NetPropCmd.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"

namespace {

TEST(NetPropCmd, UndoAndRedoKeepTheOrderOfTheAttributes) {
    CmdTestSheet sheet;
    auto* wire = new CWire;
    wire->AddPoint(CPoint(0, 0));
    wire->AddPoint(CPoint(100, 0));
    wire->SetDocument(&sheet.doc);
    auto* net = new CNet("VCC");
    net->AddRef();
    wire->SetNet(net);
    sheet.doc.GetObjects().AddTail(wire);
    // "Voltage" and "Current" share a bucket of the attribute map.
    net->SetAttr("Voltage", "5", 0);
    net->SetAttr("Current", "1", 0);
    const DocSnapshot before = Snapshot(sheet.doc);

    auto* command = new CNetPropCmd(net);
    net->SetAttr("Voltage", "3.3", 0);
    ASSERT_TRUE(command->HasChanged());
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Add(command));
    const DocSnapshot after = Snapshot(sheet.doc);
    ASSERT_NE(after, before);

    for (int round = 1; round <= 3; ++round) {
        ASSERT_TRUE(undo.Undo());
        EXPECT_EQ(Snapshot(sheet.doc), before) << "undo " << round;
        ASSERT_TRUE(undo.Redo());
        EXPECT_EQ(Snapshot(sheet.doc), after) << "redo " << round;
    }
}

}  // namespace
