// Object > Device...: the chosen device given to the selected symbols it fits, in one step.

#include <gtest/gtest.h>

#include "model/device/Device.h"
#include "model/device/MapText.h"
#include "model/doc/DrawDoc.h"
#include "model/support/TestPart.h"
#include "model/symbol/DeviceChoice.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

struct NandSheet {
    CDrawDoc doc;
    CObList selection;

    CSymbol* Place(const char* name, DWORD kind) {
        auto* symbol = new CSymbol();
        symbol->SetDocument(&doc);
        symbol->SetFlags(kind, kSymbolKindMask);
        symbol->SetAttr("_Name", name, kSetAttrForce);
        for (const char* id : {"A", "B", "Y"}) {
            auto* pin = new CPin(symbol);
            pin->SetAttr("_ID", id, kSetAttrForce);
            symbol->GetPins().AddTail(pin);
        }
        doc.GetObjects().AddTail(symbol);
        selection.AddTail(symbol);
        return symbol;
    }
};

CDevice* Chosen(const char* map) {
    auto* device = new CDevice("7400");
    device->SetMap(MapText(map).c_str(), kMapApply);
    device->SetAttr("_Pref", "U", TRUE);
    device->AddRef();  // the dialog's reference for the chosen device
    return device;
}

TEST(DeviceChoiceTest, FittingSymbolsTakeTheDeviceInOneStep) {
    NandSheet sheet;
    CSymbol* first = sheet.Place("NAND", kSymbolDevice);
    CSymbol* second = sheet.Place("NAND", kSymbolDevice);
    CSymbol* drawing = sheet.Place("NAND", kSymbolGraphical);
    CSymbol* other = sheet.Place("NOR", kSymbolDevice);
    const DocSnapshot before = Snapshot(sheet.doc);
    CDevice* device = Chosen("NAND|A|A|1|B|2|Y|3\nNAND|B|A|4|B|5|Y|6");
    ASSERT_TRUE(AttachDevice(sheet.doc, sheet.selection, device));
    EXPECT_EQ(first->GetDevice(), device);
    EXPECT_EQ(second->GetDevice(), device);
    EXPECT_EQ(drawing->GetDevice(), nullptr);
    EXPECT_EQ(other->GetDevice(), nullptr);
    EXPECT_EQ(device->GetRefCount(), 2) << "one reference per symbol, the chosen one taken over";
    EXPECT_FALSE(first->GetAttr("_ID").IsEmpty());
    EXPECT_NE(first->GetAttr("_ID"), second->GetAttr("_ID"));
    EXPECT_STREQ(sheet.doc.GetUndoList().GetUndoName(), "set device");
    const DocSnapshot after = Snapshot(sheet.doc);
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(sheet.doc).bytes, before.bytes);
    EXPECT_FALSE(sheet.doc.GetUndoList().CanUndo());
    ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
    EXPECT_EQ(Snapshot(sheet.doc).bytes, after.bytes);
}

TEST(DeviceChoiceTest, ADeviceThatFitsNoneRecordsNothing) {
    NandSheet sheet;
    sheet.Place("NAND", kSymbolDevice);
    const DocSnapshot before = Snapshot(sheet.doc);
    EXPECT_FALSE(AttachDevice(sheet.doc, sheet.selection, Chosen("NOR|A|A|2|B|3|Y|1")));
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_FALSE(sheet.doc.GetUndoList().CanUndo());
}

}  // namespace
