// The item dialog's proposals from the objects, the counts of a library, and the properties
// of a stored record changed in place.

#include "library/LibraryItemProperties.h"

#include <gtest/gtest.h>

#include "LibraryTestBytes.h"
#include "library/LibraryFile.h"
#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Symbol.h"
#include "platform/DiskFile.h"
#include "support/ScriptedPrompt.h"

namespace {

using namespace librarytest;

CSymbol* SymbolOf(CDevice* device) {
    auto* symbol = new CSymbol();
    if (device) {
        device->AddRef();
        symbol->SetDevice(device);
    }
    return symbol;
}

CWire* WireOnNet(const char* name) {
    auto* wire = new CWire;
    wire->AddPoint(CPoint(0, 0));
    wire->AddPoint(CPoint(100, 0));
    auto* net = new CNet(name);
    net->AddRef();
    wire->SetNet(net);
    return wire;
}

struct Objects {
    CObList list;
    ~Objects() {
        while (!list.IsEmpty())
            delete list.RemoveHead();
    }
};

TEST(LibraryItemForm, ASymbolWithWiresIsACircuitAndCannotBeASymbol) {
    Objects objects;
    objects.list.AddTail(SymbolOf(nullptr));
    objects.list.AddTail(WireOnNet("A"));
    objects.list.AddTail(WireOnNet("B"));
    LibraryItemForm form;
    InspectItemObjects(objects.list, form);
    EXPECT_EQ(form.type, kItemCircuit);
    EXPECT_FALSE(form.symbolAllowed);
    EXPECT_FALSE(form.deviceAllowed);
}

TEST(LibraryItemForm, TheOneDeviceNamesAndDescribesTheItem) {
    auto* device = new CDevice("74LS00");
    device->SetAttr("_Desc", "Quad NAND", TRUE);
    Objects objects;
    objects.list.AddTail(SymbolOf(device));
    LibraryItemForm form;
    InspectItemObjects(objects.list, form);
    EXPECT_EQ(form.name, "74LS00");
    EXPECT_EQ(form.description, "Quad NAND");
    EXPECT_EQ(form.type, kItemDevice);

    // The caller's name, description and type stay with the keep flags.
    LibraryItemForm kept{"MINE", "mine", kItemCircuit, true, true, kItemEditRecord};
    InspectItemObjects(objects.list, kept);
    EXPECT_EQ(kept.name, "MINE");
    EXPECT_EQ(kept.description, "mine");
    EXPECT_EQ(kept.type, kItemCircuit);
}

TEST(LibraryItemForm, TwoDevicesDisableDeviceAndABareDeviceIsDeviceOnly) {
    Objects two;
    two.list.AddTail(SymbolOf(new CDevice("A")));
    two.list.AddTail(SymbolOf(new CDevice("B")));
    LibraryItemForm form;
    InspectItemObjects(two.list, form);
    EXPECT_FALSE(form.deviceAllowed);
    EXPECT_EQ(form.type, kItemCircuit);

    Objects bare;
    bare.list.AddTail(new CDevice("7400"));
    LibraryItemForm device;
    InspectItemObjects(bare.list, device);
    EXPECT_TRUE(device.flags & kItemBareDevice);
    EXPECT_EQ(device.type, kItemDevice);
}

class StoredRecords : public ::testing::Test {
protected:
    void Write(const Bytes& bytes) {
        testsupport::WriteFileBytes(path, bytes);
        ASSERT_TRUE(library.Open(path.string().c_str(), CDiskFile::modeReadWrite));
    }
    Bytes DataOf(int index) {
        CLibraryItem item;
        EXPECT_TRUE(library.SeekToItem(index, item));
        CMemFile data;
        library.CopyItemData(static_cast<UINT>(item.m_dataLength), data);
        return data.GetBytes();
    }

    testsupport::TempDir dir;
    std::filesystem::path path = dir / "lib.rlb";
    CLibraryFile library;
};

TEST_F(StoredRecords, CountsByKind) {
    Write(Join({FileHeader("lib", 6), Record("S1", "", kItemSymbol, {}),
                Record("S2", "", kItemSymbol, {}), Record("D1", "", kItemDevice, {}),
                Record("C1", "", kItemCircuit, {}), Record("S3", "", kItemSymbol, {}),
                Record("C2", "", kItemCircuit, {})}));
    const LibraryCounts counts = CountLibraryItems(library);
    EXPECT_EQ(counts.symbols, 3);
    EXPECT_EQ(counts.devices, 1);
    EXPECT_EQ(counts.circuits, 2);
}

TEST_F(StoredRecords, ADeviceRecordRenamedStaysTheSameDeviceRecord) {
    const Bytes device = Archived({new CDevice("7400")});
    Write(Join({FileHeader("lib", 2), Record("7400", "nand", kItemDevice, device),
                Record("R", "", kItemSymbol, Archived({new CSymbol()}))}));
    bool shownBare = false;
    ASSERT_TRUE(EditItemProperties(library, 0, [&](LibraryItemForm& form, CObList& objects) {
        shownBare = objects.GetCount() == 1 && dynamic_cast<CDevice*>(objects.GetHead());
        EXPECT_TRUE(form.flags & kItemBareDevice);
        EXPECT_EQ(form.name, "7400");
        form.name = "74HC00";
        form.description = "quad nand";
        return true;
    }));
    EXPECT_TRUE(shownBare);
    CLibraryItem item;
    ASSERT_EQ(library.FindItem(item, "74HC00"), 1);  // moved last
    EXPECT_EQ(item.m_type, kItemDevice);
    EXPECT_EQ(item.m_description, "quad nand");
    EXPECT_EQ(DataOf(1), device);
}

TEST_F(StoredRecords, ADeviceRecordKeepsJustTheDeviceAndTheReplaceQuestionGuardsNames) {
    auto* device = new CDevice("7400");
    Write(Join({FileHeader("lib", 2), Record("OTHER", "", kItemSymbol, {}),
                Record("GATE", "", kItemDevice, Archived({SymbolOf(device)}))}));
    testsupport::ScriptedPrompt prompt({IDNO});
    EXPECT_FALSE(EditItemProperties(library, 1, [](LibraryItemForm& form, CObList&) {
        form.name = "OTHER";
        return true;
    }));
    EXPECT_EQ(library.GetItemCount(), 2);

    ASSERT_TRUE(EditItemProperties(library, 1, [](LibraryItemForm&, CObList&) { return true; }));
    CLibraryItem item;
    ASSERT_EQ(library.SeekToItem(1, item), TRUE);
    CObList objects;
    ASSERT_TRUE(library.ReadItemObjects(nullptr, item, objects));
    ASSERT_EQ(objects.GetCount(), 1);
    EXPECT_NE(dynamic_cast<CDevice*>(objects.GetHead()), nullptr);
    delete objects.RemoveHead();
}

// A device record written with its symbol reads as a device record again once its properties
// are stored.
TEST_F(StoredRecords, ADeviceRecordStoredAgainHoldsItsDeviceAlone) {
    Write(Join({FileHeader("lib", 1),
                Record("GATE", "", kItemDevice, Archived({SymbolOf(new CDevice("7400"))}))}));
    ASSERT_TRUE(EditItemProperties(library, 0, [](LibraryItemForm& form, CObList&) {
        form.description = "quad nand";
        return true;
    }));
    CLibraryItem item;
    ASSERT_TRUE(library.SeekToItem(0, item));
    EXPECT_EQ(item.m_description, "quad nand");
    CObList objects;
    ASSERT_TRUE(library.ReadItemObjects(nullptr, item, objects));
    ASSERT_EQ(objects.GetCount(), 1);
    EXPECT_NE(dynamic_cast<CDevice*>(objects.GetHead()), nullptr);
    while (!objects.IsEmpty())
        delete objects.RemoveHead();
}

}  // namespace
