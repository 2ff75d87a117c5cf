#include "model/doc/PrinterRecords.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<BYTE>;

TEST(PrinterRecords, MadeRecordsReadBack) {
    const CPrinterChoice choice = MakePrinterChoice("Office Laser", true, kLandscape, 9);
    EXPECT_EQ(PrinterDeviceName(choice.devNames), "Office Laser");
    // Header: driver at 8 (empty), device at 9, port after the device, default flag 1.
    EXPECT_EQ(Bytes(choice.devNames.begin(), choice.devNames.begin() + 8),
              (Bytes{8, 0, 9, 0, 22, 0, 1, 0}));
    ASSERT_EQ(choice.devMode.size(), 148u);
    EXPECT_EQ(choice.devMode[36], 148);
    const PrinterFields fields = ReadPrinterFields(choice);
    EXPECT_EQ(fields.deviceName, "Office Laser");
    EXPECT_EQ(fields.orientation, kLandscape);
    EXPECT_EQ(fields.paperSize, 9);

    const PrinterFields noPaper = ReadPrinterFields(MakePrinterChoice("P", false, kPortrait, 0));
    EXPECT_EQ(noPaper.orientation, kPortrait);
    EXPECT_FALSE(noPaper.paperSize) << "a size code 0 is left unmarked";
}

TEST(PrinterRecords, ForeignAndDamagedRecordsGiveWhatTheyHold) {
    CPrinterChoice foreign;
    // A mode record of another system: the device name, only the orientation marked.
    foreign.devMode.assign(220, 0);
    const char name[] = "Plotter";
    std::copy(name, name + 7, foreign.devMode.begin());
    foreign.devMode[40] = 0x1;
    foreign.devMode[44] = 2;
    foreign.devMode[46] = 1;
    PrinterFields fields = ReadPrinterFields(foreign);
    EXPECT_EQ(fields.deviceName, "Plotter");
    EXPECT_EQ(fields.orientation, kLandscape);
    EXPECT_FALSE(fields.paperSize);

    for (const Bytes& names : {Bytes{8, 0, 200, 0}, Bytes{8, 0, 200, 0, 0, 0, 0, 0}})
        EXPECT_EQ(PrinterDeviceName(names), "");
}

}  // namespace
