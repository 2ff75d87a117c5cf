// What a loaded sheet keeps in memory: a large design must fit, with its netlist, where the
// machines that draw it have room.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "netlist/support/NetlistSheet.h"
#include "platform/CompoundFile.h"
#include "support/HeapBytes.h"

namespace {

constexpr int kParts = 2000;

// The file of a sheet of two-pin parts, each pin wired, the pins paired onto nets.
std::vector<BYTE> TwoPinPartsFile() {
    nltest::Sheet sheet;
    CDevice* resistor = nltest::MakeResistor();
    for (int i = 0; i < kParts; ++i) {
        const std::string id = "R" + std::to_string(i + 1);
        sheet.WireInPairs(sheet.Part(id.c_str(), {"1", "2"}, resistor, "RES"));
    }
    CompoundFile file;
    sheet.doc.WriteDocument(file);
    return file.Serialize();
}

TEST(SheetFootprintTest, ALoadedSheetHoldsAtMostOneAndAHalfKiBAPlacedTwoPinPart) {
    const std::vector<BYTE> bytes = TwoPinPartsFile();
    const std::size_t before = HeapBytesInUse();
    const auto doc = nltest::LoadSheet(bytes, "/footprint/flat.sch");
    const std::size_t perPart = (HeapBytesInUse() - before) / kParts;
    EXPECT_LE(perPart, 1536u);
}

}  // namespace
