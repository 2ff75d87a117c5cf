// The device among the document's symbols: part identifiers, hidden pins and their nets,
// compatibility, and the sharing of equal devices as symbols enter and leave the document.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/device/Device.h"
#include "model/device/MapText.h"
#include "model/doc/DrawDoc.h"
#include "model/support/TestPart.h"

namespace {

// A two-gate NAND drawn by symbol "NAND": gate A first.
constexpr const char* kNandMap = "NAND|A|A|1|Y|3\nNAND|B|A|4|Y|6";

CDevice* Nand() {
    auto* device = new CDevice("7400");
    device->SetMap(MapText(kNandMap).c_str(), kMapApply);
    device->SetAttr("_Pref", "U", TRUE);
    return device;
}

// A device that counts its deletions.
struct CountedDevice : CDevice {
    CountedDevice(const char* name, int& deleted) : CDevice(name), m_deleted(deleted) {}
    ~CountedDevice() override { ++m_deleted; }
    int& m_deleted;
};

class DeviceInDocument : public ::testing::Test {
protected:
    void TearDown() override {
        doc.reset();
        EXPECT_EQ(TestPart::alive, aliveBefore);
    }
    // A symbol named "NAND" with the device and identifier, in the document's list.
    TestPart* Place(CDevice* device, const char* id = "") {
        auto* part = new TestPart(0, kObjSymbol);
        part->SetAttr("_Name", "NAND", 1);
        part->SetAttr("_ID", id, 1);
        part->UseDevice(device);
        part->SetDocument(doc.get());
        doc->GetObjects().AddTail(part);
        return part;
    }
    std::string MakePartId(CDevice* device, TestPart* symbol, const char* start = "") {
        CString id = start;
        EXPECT_TRUE(device->MakePartId(id, doc->m_firstPartNumber, symbol));
        return id.str();
    }

    int aliveBefore = TestPart::alive;
    std::unique_ptr<CDrawDoc> doc = std::make_unique<CDrawDoc>();
    CUndoList& undo = doc->GetUndoList();
};

TEST_F(DeviceInDocument, PartIdentifiersTakeTheNextFreeGate) {
    CDevice* nand = Nand();
    TestPart* symbol = Place(nand);
    EXPECT_EQ(MakePartId(nand, symbol), "U1A");
    Place(nand, "U1A");
    EXPECT_EQ(MakePartId(nand, symbol), "U1B");
    EXPECT_EQ(MakePartId(nand, symbol, "U1B"), "U1B");
    Place(nand, "U1B");
    EXPECT_EQ(MakePartId(nand, symbol), "U2A");
    // Another device's part U2 takes the number whole.
    CDevice* other = Nand();
    other->SetAttr("_Name", "7400B", TRUE);
    Place(other, "U2A");
    EXPECT_EQ(MakePartId(nand, symbol), "U3A");
    // Without a line for the symbol the bare candidate is used, never an empty identifier.
    auto* unmapped = new CDevice("R");
    TestPart* resistor = Place(unmapped);
    resistor->SetAttr("_Pref", "R", 1);
    EXPECT_EQ(MakePartId(unmapped, resistor), "R1");
    // The document makes a symbol's identifier through its device.
    CString id;
    doc->MakeObjectId(id, symbol);
    EXPECT_EQ(id, "U3A");
}

TEST_F(DeviceInDocument, PartIdentifierChecks) {
    CDevice* nand = Nand();
    TestPart* symbol = Place(nand);
    Place(nand, "U1A");
    CDevice* other = Nand();
    other->SetAttr("_Name", "7400B", TRUE);
    Place(other, "U7A");
    struct Case {
        const char* id;
        BOOL valid;
        const char* made;  // with kPartIdMakeNew
    } const cases[] = {
        {"U12A", TRUE, "U12A"}, {"U12B", TRUE, "U12B"}, {"U12C", FALSE, "U1B"},
        {"12", FALSE, "U1B"},   {"U_1", FALSE, "U1B"},  {"U1-A", FALSE, "U1B"},
        {"U7B", FALSE, "U1B"},  // the number of a part of another device
        {"", TRUE, "U1B"},
    };
    for (const Case& c : cases) {
        CString id = c.id;
        EXPECT_EQ(nand->IsValidPartId(symbol, id, 0), c.valid) << c.id;
        id = c.id;
        EXPECT_TRUE(nand->IsValidPartId(symbol, id, kPartIdMakeNew)) << c.id;
        EXPECT_EQ(id, c.made) << c.id;
    }
}

TEST_F(DeviceInDocument, HiddenPinsResolveTheirNetsThroughTheDocument) {
    CDevice device("7400");
    device.SetAttr("_Implicit", MapText("VCC|14|GND|7").c_str(), TRUE);
    device.SetAttr("VCC.Net", "Power1", TRUE);
    device.SetAttr("GND.Net", "GND", TRUE);
    doc->SetAttribute("Power1", "+5V", 0);
    CString net;
    EXPECT_TRUE(device.GetImplicitPinNet(doc.get(), "VCC", net));
    EXPECT_EQ(net, "+5V");
    EXPECT_TRUE(device.GetImplicitPinNet(doc.get(), "GND", net));
    EXPECT_EQ(net, "GND");
    EXPECT_FALSE(device.GetImplicitPinNet(doc.get(), "14", net));  // a number, no pin

    CStringList pins;
    CStringList numbers;
    EXPECT_EQ(device.GetImplicitPinNets(doc.get(), "+5V", pins, &numbers), 1);
    EXPECT_EQ(pins.GetHead(), "VCC");
    EXPECT_EQ(numbers.GetHead(), "14");
    // Blanks and commas separate too.
    device.SetAttr("_Implicit", "VCC 14, GND,7", TRUE);
    EXPECT_EQ(device.GetImplicitPinNets(doc.get(), "GND", pins, nullptr), 1);
    EXPECT_EQ(pins.GetTail(), "GND");
}

TEST_F(DeviceInDocument, CompatibilityByTheSymbolsFirstLine) {
    std::unique_ptr<CDevice> nand(Nand());
    EXPECT_TRUE(nand->IsCompatibleWith("NAND", {"Y", "A"}));
    EXPECT_FALSE(nand->IsCompatibleWith("NAND", {"Y", "A", "B"}));
    EXPECT_FALSE(nand->IsCompatibleWith("NAND", {"Y", "B"}));
    EXPECT_FALSE(nand->IsCompatibleWith("NOR", {"Y", "A"}));
}

TEST_F(DeviceInDocument, EqualDevicesOfOneNameAreShared) {
    int deleted = 0;
    CDevice* nand = Nand();
    Place(nand, "U1A");
    // A pasted symbol with an equal device of the same name shares the document's.
    auto* pasted = new TestPart(0, kObjSymbol);
    pasted->SetAttr("_Name", "NAND", 1);
    auto* copy = new CountedDevice("7400", deleted);
    *static_cast<CDevice*>(copy) = *nand;
    pasted->UseDevice(copy);
    ObjectList list{pasted};
    ASSERT_TRUE(doc->AddObjects(&list));
    EXPECT_EQ(pasted->GetDevice(), nand);
    EXPECT_EQ(nand->GetRefCount(), 2);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(pasted->GetAttr("_ID"), "U1B");
    // One with the same name and other attributes is renamed.
    auto different = std::make_unique<TestPart>(0, kObjSymbol);
    different->SetTestDevice("7400");
    CDevice* renamed = different->GetDevice();
    ASSERT_TRUE(doc->AddObject(std::move(different)));
    EXPECT_EQ(renamed->GetAttr("_Name"), "7400(2)");
    EXPECT_EQ(renamed->GetRefCount(), 1);
}

TEST_F(DeviceInDocument, RemovedSymbolsKeepTheirShareUntilDeleted) {
    int deleted = 0;
    auto* device = new CountedDevice("7400", deleted);
    TestPart* first = Place(device, "U1");
    TestPart* second = Place(device, "U2");
    ObjectList removed{second};
    doc->RemoveObjects(&removed);
    EXPECT_EQ(device->GetRefCount(), 2);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(second->GetDevice(), first->GetDevice());
    EXPECT_EQ(device->GetRefCount(), 2);
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(device->GetRefCount(), 2);
    doc.reset();  // the removed symbol goes with its command, the other with the list
    EXPECT_EQ(deleted, 1);
}

}  // namespace
