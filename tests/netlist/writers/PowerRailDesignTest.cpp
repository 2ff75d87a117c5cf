// A logic sheet whose gates are powered through their hidden pins, used as a block of a top
// sheet with gates of its own (and, one level deeper, through a sheet whose own "+3v3" rail
// powers a gate): the rails of every sheet are one supply with the top's, against files
// written by hand.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/writers/NetlistFormat.h"
#include "support/TestSupport.h"

namespace {

using nltest::Sheet;

// A 14-pin gate package, pin 14 on the "Power1" rail and pin 7 on the "Ground1" rail.
CDevice* Gates(const char* name, const char* symbol, const char* pins) {
    CDevice* device = nltest::MakeDevice(name, symbol, {{"A", pins}}, "DIP14");
    device->SetAttr("_Implicit", "VCC 14 GND 7", TRUE);
    device->SetAttr("VCC.Net", "Power1", TRUE);
    device->SetAttr("GND.Net", "Ground1", TRUE);
    return device;
}

CDevice* Inverters() {
    return Gates("7404", "INV", "A=1;Y=2");
}

void Rails(Sheet& sheet, const char* power) {
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    sheet.doc.SetAttribute("Power1", power, 0);
}

// A 7400 with both inputs on a ground rail symbol, a 7404 fed by the port IN, and a 7402.
void FillLogic(Sheet& sheet) {
    Rails(sheet, "+5v");
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "IN");
    CSymbol* nand =
        sheet.Part("U1A", {"A", "B", "Y"}, Gates("7400", "NAND", "A=1;B=2;Y=3"), "NAND");
    CSymbol* inverter = sheet.Part("U2A", {"A", "Y"}, Inverters(), "INV");
    sheet.Part("U3A", {"A", "B", "Y"}, Gates("7402", "NOR", "Y=1;A=2;B=3"), "NOR");
    sheet.Wire(sheet.Add("GND", kSymbolNetConnector, {"GND"}), "GND", "GND");
    sheet.Wire(nand, "A", "GND");
    sheet.Wire(nand, "B", "GND");
    sheet.Wire(inverter, "A", "IN");
}

// Power1 is "+3v3" here: a 7404 on that rail between the port IN and the logic block Y1.
void FillMiddle(Sheet& sheet) {
    Rails(sheet, "+3v3");
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "M");
    sheet.Wire(sheet.Part("U4A", {"A", "Y"}, Inverters(), "INV"), "A", "M");
    sheet.Wire(sheet.Block("Y1", "logic.sch", {"IN"}), "IN", "M");
}

// A 7404 driving the block X1 of the given sheet.
void FillTop(Sheet& sheet, const char* block) {
    Rails(sheet, "+5v");
    sheet.Wire(sheet.Part("U1A", {"A", "Y"}, Inverters(), "INV"), "Y", "SIG");
    sheet.Wire(sheet.Block("X1", block, {"IN"}), "IN", "SIG");
}

struct Case {
    int format;
    const char* folder;  // under tests/netlist/data
    bool nested;         // X1 is the middle sheet, whose block Y1 is the logic sheet
};

class PowerRailDesignTest : public testing::TestWithParam<Case> {};

TEST_P(PowerRailDesignTest, SubSheetRailsAreTheTopSheetsNets) {
    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    std::vector<std::string> sheets;
    auto save = [&](const char* name, void (*fill)(Sheet&)) {
        Sheet sheet;
        fill(sheet);
        sheets.push_back((dir / name).string());
        ASSERT_TRUE(sheet.doc.OnSaveDocument(sheets.back().c_str()));
    };
    if (GetParam().nested)
        save("middle.sch", FillMiddle);
    save("logic.sch", FillLogic);
    nltest::LogCapture log;
    Sheet top((dir / "top.sch").c_str());
    FillTop(top, GetParam().nested ? "middle.sch" : "logic.sch");
    const std::string file = (dir / "design.net").string();
    CNetlistFormatList formats;
    FillReportFormatList(formats);

    EXPECT_TRUE(
        top.doc.BuildNetlist(file.c_str(), formats[static_cast<size_t>(GetParam().format)].get()));
    EXPECT_EQ(testsupport::ReadFileText(file),
              testsupport::ReadFileText(std::string(VOSK_SOURCE_DIR) + "/tests/netlist/data/" +
                                        GetParam().folder + "/expected.net"));
    std::string built = "\fBuilding...\n" + (dir / "top.sch").string() + "\n";
    for (const std::string& sheet : sheets)
        built += sheet + "\n";
    EXPECT_EQ(log.text(), built + "\nBuilding Final Target..\n" + file + "\n\nOK\n");
}

INSTANTIATE_TEST_SUITE_P(Formats, PowerRailDesignTest,
                         testing::Values(Case{kFormatProtel, "rails-protel", false},
                                         Case{kFormatPadsPcb, "rails-pads-pcb", false},
                                         Case{kFormatProtel, "rails-nested-protel", true}),
                         [](const testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.folder;
                             std::erase(name, '-');
                             return name;
                         });

}  // namespace
