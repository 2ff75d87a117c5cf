// Replace Symbol: the pairing of old and new pins, and the rewrite of the devices' pin maps by
// pin name.

#include "library/ReplaceSymbol.h"

#include <gtest/gtest.h>

#include "LibraryTestBytes.h"
#include "library/LibraryFile.h"
#include "model/device/Device.h"
#include "platform/DiskFile.h"

namespace {

using namespace librarytest;

// A map text from lines of fields written with '|' for the field separator.
std::string MapOf(std::string text) {
    std::replace(text.begin(), text.end(), '|', '\x01');
    return text;
}

CDevice* DeviceWithMap(const char* name, const std::string& map) {
    auto* device = new CDevice(name);
    EXPECT_TRUE(device->SetAttr("_Map", MapOf(map).c_str(), TRUE));
    return device;
}

TEST(PinPairing, SameNamesPairFirstThenTheRestInOrder) {
    CPinPairing pairing({"3", "1", "2"}, {"B", "2", "A"});
    EXPECT_EQ(pairing.OldPins(), (std::vector<CString>{"1", "2", "3"}));
    EXPECT_EQ(pairing.NewNames(), (std::vector<CString>{"A", "2", "B"}));

    // Choosing a replacement row swaps partners; reordering lines the rows up.
    pairing.Pair(0, 2);
    EXPECT_EQ(pairing.NewNames(), (std::vector<CString>{"B", "2", "A"}));
    pairing.Reorder();
    EXPECT_EQ(pairing.NewRows(), (std::vector<CString>{"B", "2", "A"}));
    EXPECT_EQ(pairing.PairOf(2), 2);
}

TEST(PinPairing, NamesSortWithoutRegardToCaseThenByBytes) {
    EXPECT_TRUE(PinNameBefore("a", "B"));
    EXPECT_TRUE(PinNameBefore("A", "a"));
    EXPECT_TRUE(PinNameBefore("1", "10"));
    EXPECT_TRUE(PinNameBefore("10", "2"));
}

TEST(DeviceMapRewrite, PinsAreRenamedByNameWhateverTheirOrder) {
    // The old pins in list order are 1, 10, 2; the map keeps its pairs in its own order.
    std::unique_ptr<CDevice> device(
        DeviceWithMap("D", "OLD||1|11|2|12|10|20\nOLD|B|X|1|Y|2|Z|3\nOTHER||1|5"));
    const std::vector<CString> oldPins{"1", "10", "2"};
    const std::vector<CString> newPins{"A", "J", "B"};
    EXPECT_EQ(RewriteDeviceMap(*device, "OLD", "NEW", oldPins, newPins), 1);
    CPinMap map;
    ASSERT_TRUE(map.Parse(device->GetAttr("_Map").str()));
    map.Sort();
    CPinMapLine* line = map.FindLine("NEW", "");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->FindPin("A")->number, "11");
    EXPECT_EQ(line->FindPin("B")->number, "12");
    EXPECT_EQ(line->FindPin("J")->number, "20");
    // A line with other pin names stays the old symbol's.
    EXPECT_NE(map.FindLine("OLD", "B"), nullptr);
    EXPECT_NE(map.FindLine("OTHER", ""), nullptr);
}

TEST(DeviceMapRewrite, LinesOfAnotherPinCountAreLeft) {
    std::unique_ptr<CDevice> device(DeviceWithMap("D", "OLD||1|11|2|12"));
    const CString before = device->GetAttr("_Map");
    EXPECT_EQ(RewriteDeviceMap(*device, "OLD", "NEW", {"1", "2", "3"}, {"A", "B", "C"}), 0);
    EXPECT_EQ(device->GetAttr("_Map"), before);
}

TEST(ReplaceSymbolInLibrary, RewritesTheDevicesUsingTheSymbolAndMovesThemLast) {
    testsupport::TempDir dir;
    const Bytes d2 = Archived({DeviceWithMap("D2", "OLD||1|5|2|6")});
    const Bytes d3 = Archived({DeviceWithMap("D3", "OTHER||1|1|2|2|3|3|4|4")});
    testsupport::WriteFileBytes(
        dir / "lib.rlb",
        Join({FileHeader("lib", 4),
              Record("D1", "two gates", kItemDevice,
                     Archived({DeviceWithMap("D1", "OLD|A|1|1|2|2|3|3\nOLD|B|1|4|2|5|3|6")})),
              Record("D2", "", kItemDevice, d2), Record("OLD", "", kItemSymbol, {}),
              Record("D3", "", kItemDevice, d3)}));
    CLibraryFile library;
    ASSERT_TRUE(library.Open((dir / "lib.rlb").string().c_str(), CDiskFile::modeReadWrite));
    const ReplaceSymbolCount count =
        ReplaceSymbolInDevices(library, "OLD", "NEW", {"1", "2", "3"}, {"A", "B", "C"});
    EXPECT_EQ(count.found, 1);
    EXPECT_EQ(count.modified, 1);

    ASSERT_EQ(library.GetItemCount(), 4);
    CLibraryItem item;
    ASSERT_TRUE(library.SeekToItem(3, item));
    EXPECT_EQ(item.m_name, "D1");
    EXPECT_EQ(item.m_description, "two gates");
    CObList objects;
    ASSERT_TRUE(library.ReadItemObjects(nullptr, item, objects));
    ASSERT_EQ(objects.GetCount(), 1);
    auto* d1 = dynamic_cast<CDevice*>(objects.GetHead());
    ASSERT_NE(d1, nullptr);
    EXPECT_EQ(d1->GetAttr("_Map"), MapOf("NEW|A|A|1|B|2|C|3\nNEW|B|A|4|B|5|C|6"));
    delete objects.RemoveHead();

    const auto dataOf = [&](int index) {
        CLibraryItem record;
        EXPECT_TRUE(library.SeekToItem(index, record));
        CMemFile data;
        library.CopyItemData(static_cast<UINT>(record.m_dataLength), data);
        return data.GetBytes();
    };
    EXPECT_EQ(dataOf(0), d2);
    EXPECT_EQ(dataOf(2), d3);
}

}  // namespace
