// The device: its pin map and the canonical form SetMap stores, pin numbers and names, gates,
// attribute checks, the file record and the reference count.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/device/Device.h"
#include "model/device/MapText.h"
#include "model/shapes/ShapeTestSupport.h"

namespace {

using shapetest::Bytes;
using shapetest::Concat;
using shapetest::Le16;
using shapetest::Le32;

// The example of a two-gate NAND: gate B written first, pairs out of order.
constexpr const char* kNandMap = "NAND|B|Y|6|A|4|B|5\nNAND|A|Y|3|A|1|B|2";
constexpr const char* kNandCanonical = "NAND|A|A|1|B|2|Y|3\nNAND|B|A|4|B|5|Y|6";

// The archive's form of a short string.
Bytes Str(const std::string& text) {
    Bytes bytes{static_cast<unsigned char>(text.size())};
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

// The tag of the device class, written first.
Bytes DeviceTag() {
    const std::string name = "CDevice";
    return Concat({Le16(0xFFFF), Le16(0), Le16(7), Bytes(name.begin(), name.end())});
}

std::string Map(const CDevice& device) {
    return ReadableMap(device.GetAttr("_Map").str());
}

TEST(DeviceMap, SetMapStoresTheSortedCanonicalText) {
    CDevice device("7400");
    EXPECT_EQ(device.SetMap(MapText(kNandMap).c_str(), kMapCheck | kMapApply), 0);
    EXPECT_EQ(Map(device), kNandCanonical);
    CString number;
    EXPECT_EQ(device.GetPinNumber(number, "NAND", "B", "Y"), 0);
    EXPECT_EQ(number, "6");
    EXPECT_EQ(device.GetPinNumber(number, "NAND", "C", "Y"), kMapNotFound);
    EXPECT_EQ(device.GetPinNumber(number, "NAND", "A", "Z"), kMapNotFound);
    // Fields are trimmed and pairs with both fields empty left out.
    EXPECT_EQ(device.SetMap(MapText(" R || 1 | a ||").c_str(), kMapApply), 0);
    EXPECT_EQ(Map(device), "R||1|a");
}

// The line of a symbol and part identifier answers for its pins as GetPinNumber does and
// follows a change of the map; an identifier without a gate of the symbol gives none.
TEST(DeviceMap, PinMapLineOfASymbolAndPart) {
    CDevice device("7400");
    device.SetMap(MapText(kNandMap).c_str(), kMapApply);
    CString did;
    CPinMapLine* line = device.FindPartLine("U1B", "NAND", did);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->gate, "B");
    ASSERT_NE(line->FindPin("A"), nullptr);
    EXPECT_EQ(line->FindPin("A")->number, "4");
    EXPECT_EQ(line->FindPin("Z"), nullptr);
    EXPECT_EQ(device.FindPartLine("U1C", "NAND", did), nullptr);
    EXPECT_EQ(device.FindPartLine("U1A", nullptr, did), nullptr);

    device.SetPinNumber("NAND", "B", "A", "9", kMapApply);
    line = device.FindPartLine("U1B", "NAND", did);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->FindPin("A")->number, "9");
}

TEST(DeviceMap, CheckCodesAndRefusals) {
    struct Case {
        const char* map;
        int mode;
        int code;
    } const cases[] = {
        {"NAND|A|A|1\nNAND|A|B|2", 3, kMapDuplicateLine},
        {"NAND|A|A|1|A|2", 3, kMapDuplicatePin},
        {"NAND|A|A|1|A|2", kMapApply, 0},  // forced
        // A malformed line anywhere is refused in both modes, not cut off.
        {"NAND|A|A", kMapCheck, kMapUnparsable},
        {"NAND|A|A", kMapApply, kMapUnparsable},
        {"R||1|a\nNAND", kMapCheck | kMapApply, kMapUnparsable},
    };
    for (const Case& c : cases) {
        CDevice device("X");
        device.SetMap(MapText("OLD|").c_str(), kMapApply);
        EXPECT_EQ(device.SetMap(MapText(c.map).c_str(), c.mode), c.code) << c.map;
        EXPECT_EQ(Map(device) != "OLD|", c.code == 0 && (c.mode & kMapApply)) << c.map;
    }
}

TEST(DeviceMap, AttributeMapGoesThroughTheMapCheck) {
    CDevice device("X");
    device.SetFlags(0x3, 0x3);
    EXPECT_FALSE(device.SetAttr("_Map", MapText("A||1|a|1|b").c_str(), FALSE));
    EXPECT_EQ(device.GetFlags(), 0x3u);
    EXPECT_EQ(device.CheckAttrValue("_Map", "A"), kMapUnparsable);
    EXPECT_TRUE(device.SetAttr("_Map", MapText("A||1|a|1|b").c_str(), TRUE));
    EXPECT_EQ(device.GetFlags(), 0u);
    EXPECT_EQ(device.CheckAttrValue("_Name", ""), kDeviceNameEmpty);
    EXPECT_FALSE(device.SetAttr("_Name", "", FALSE));
    device.SetFlags(kDeviceNoChecks, kDeviceNoChecks);
    EXPECT_EQ(device.CheckAttrValue("_Name", ""), 0);
    for (const auto& [name, flags] :
         {std::pair{"_Map", 3}, {"_Implicit", 3}, {"_Name", 1}, {"_Pref", 0}, {"Value", 0}})
        EXPECT_EQ(CDevice::GetAttributeFlags(name), flags) << name;
}

TEST(DeviceMap, PinNumbersAndNamesChangeInEveryGate) {
    CDevice device("7400");
    device.SetMap(MapText(kNandMap).c_str(), kMapApply);
    EXPECT_EQ(device.SetPinNumber("NAND", "A", "Y", "13", kMapCheck), 0);
    EXPECT_EQ(Map(device), kNandCanonical);  // checked only
    EXPECT_EQ(device.SetPinNumber("NAND", "A", "Y", "13", kMapCheck | kMapApply), 0);
    CString number;
    device.GetPinNumber(number, "NAND", "A", "Y");
    EXPECT_EQ(number, "13");
    EXPECT_EQ(device.SetPinNumber("NAND", "A", "Q", "1", kMapApply), kMapNotFound);
    EXPECT_EQ(device.SetPinNumber("NAND", "A", "Y", "1\n2", kMapApply), kMapUnparsable);

    EXPECT_EQ(device.RenamePin("B", "A", "NAND", kMapCheck | kMapApply), kMapDuplicatePin);
    EXPECT_EQ(device.RenamePin("Y", "Out", "NAND", kMapCheck | kMapApply), 0);
    EXPECT_EQ(Map(device), "NAND|A|A|1|B|2|Out|13\nNAND|B|A|4|B|5|Out|6");
    EXPECT_EQ(device.RenamePin("Y", "Z", "NAND", kMapApply), kMapNotFound);
}

TEST(DeviceMap, MapsStoredUnsortedAreSearchedAlike) {
    // A record as another program may have stored it: pairs and lines out of order, and the
    // walker's marks set.
    const Bytes record = Concat({DeviceTag(), Le16(1), Str("_Map"),
                                 Str(MapText("N|B|Y|6|A|4\nN|A|Y|3")), Le32(0x24000005)});
    std::unique_ptr<CObject> loaded = shapetest::LoadObject(record, RUNTIME_CLASS(CDevice));
    auto* device = static_cast<CDevice*>(loaded.get());
    EXPECT_EQ(device->GetFlags(), 5u);
    EXPECT_EQ(device->GetRefCount(), 0);
    CString number;
    EXPECT_EQ(device->GetPinNumber(number, "N", "B", "A"), 0);
    EXPECT_EQ(number, "4");
    EXPECT_EQ(device->GetInstance("U3B", "N"), "B");
    CString id = "U3A";
    EXPECT_EQ(device->StripGateSuffix(id, "N"), 1);
    EXPECT_EQ(id, "U3");
    EXPECT_EQ(device->GetInstance("B", "N"), "");  // no longer than the suffix
    id = "U3C";
    EXPECT_EQ(device->StripGateSuffix(id, "N"), 0);

    CDeviceSymbolList symbols;
    EXPECT_EQ(device->GetSymbolList(symbols), 0);
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_EQ(symbols[0]->m_gate, "A");
    EXPECT_EQ(symbols[1]->m_symbol, "N");
}

TEST(DeviceMap, SplitsAPartIdentifierAsInstanceAndStripAgree) {
    // The first line of the symbol in map order decides; for "M" the one without a suffix.
    CDevice device("N");
    ASSERT_TRUE(device.SetAttr("_Map", MapText("N|A|Y|3\nN|B|Y|6\nM||Y|1\nM|B|Y|2").c_str(), TRUE));
    CString did = "stale";
    // The gate of the line found, or "-" for none.
    auto gate = [&](const char* id, const char* symbol) {
        const CPinMapLine* line = device.FindPartLine(id, symbol, did);
        return line ? std::string(line->gate) : std::string("-");
    };
    EXPECT_EQ(gate("U3B", "N"), "B");
    EXPECT_EQ(did, "U3");
    EXPECT_EQ(gate("U3C", "N"), "-");  // no gate ends it: the whole identifier
    EXPECT_EQ(did, "U3C");
    EXPECT_EQ(gate("B", "N"), "-");  // no longer than the suffix
    EXPECT_EQ(did, "B");
    EXPECT_EQ(gate("U3B", "M"), "");
    EXPECT_EQ(did, "U3B");
    EXPECT_EQ(device.GetInstance("U3B", "N"), "B");
    EXPECT_EQ(device.GetInstance("U3B", "M"), "");

    // A stored map that does not parse leaves no identifier.
    const Bytes record = Concat({DeviceTag(), Le16(1), Str("_Map"), Str("N"), Le32(0)});
    std::unique_ptr<CObject> loaded = shapetest::LoadObject(record, RUNTIME_CLASS(CDevice));
    EXPECT_EQ(static_cast<CDevice*>(loaded.get())->FindPartLine("U3B", "N", did), nullptr);
    EXPECT_EQ(did, "");
}

TEST(DeviceRecord, StoresTheMapAndFlagsWithoutMarksOrCount) {
    CDevice device("R");
    device.AddRef();
    device.SetFlags(kDeviceVisited | kDeviceWalkMark | kDeviceCheckMark | 0x1, 0xFFFFFFFF);
    const Bytes expected = Concat({DeviceTag(), Le16(1), Str("_Name"), Str("R"), Le32(1)});
    EXPECT_EQ(shapetest::StoreObject(&device), expected);
}

// A device that counts its deletions.
struct CountedDevice : CDevice {
    explicit CountedDevice(int& deleted) : CDevice("R"), m_deleted(deleted) {}
    ~CountedDevice() override { ++m_deleted; }
    int& m_deleted;
};

TEST(DeviceLifetime, TheLastReleaseDeletesAndCopiesStartUncounted) {
    int deleted = 0;
    auto* device = new CountedDevice(deleted);
    device->AddRef();
    device->AddRef();
    device->SetAttr("Value", "1k", TRUE);
    device->SetFlags(kDeviceNoChecks, kDeviceNoChecks);
    const CDevice copy(*device);
    EXPECT_TRUE(copy.IsEqual(*device));
    EXPECT_EQ(copy.GetRefCount(), 0);
    EXPECT_EQ(copy.GetFlags(), 0u);
    CDevice other("R");
    EXPECT_FALSE(other.IsEqual(*device));
    other.SetAttr("Value", "1K", TRUE);
    EXPECT_FALSE(other.IsEqual(*device));  // byte comparison

    device->Release();
    EXPECT_EQ(deleted, 0);
    EXPECT_EQ(device->GetRefCount(), 1);
    device->Release();
    EXPECT_EQ(deleted, 1);
}

}  // namespace
