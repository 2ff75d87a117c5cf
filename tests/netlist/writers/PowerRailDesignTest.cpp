// A logic sheet whose gates are powered through their hidden pins, used as a block of a top
// sheet with gates of its own (and, one level deeper, through a sheet whose own "+3v3" rail
// powers a gate): the rails of every sheet are one supply with the top's, against files
// written by hand. So is a rail symbol on a sheet whose own rails name other nets.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "model/symbol/Pin.h"
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

// Power1 is "+3v3" here, yet a rail symbol names "+5v": R1 between that rail and the port IN,
// which feeds a 7404 on the sheet's own rails.
void FillSupply(Sheet& sheet) {
    Rails(sheet, "+3v3");
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "IN");
    CSymbol* rail = sheet.Add("+5v", kSymbolNetConnector, {"+5v"});
    constexpr int kPowerPin = 7;
    rail->FindPin("+5v")->SetPinType(kPowerPin);
    sheet.Wire(rail, "+5v", "+5v");
    CSymbol* resistor = sheet.Part("R1", {"1", "2"}, nltest::MakeResistor(), "RES");
    sheet.Wire(resistor, "1", "+5v");
    sheet.Wire(resistor, "2", "IN");
    sheet.Wire(sheet.Part("U4A", {"A", "Y"}, Inverters(), "INV"), "A", "IN");
}

// The sheets below a top sheet whose block X1 uses the sheet block, in build order.
std::vector<std::pair<const char*, void (*)(Sheet&)>> SheetsBelow(const std::string& block) {
    if (block == "middle.sch")
        return {{"middle.sch", FillMiddle}, {"logic.sch", FillLogic}};
    if (block == "supply.sch")
        return {{"supply.sch", FillSupply}};
    return {{"logic.sch", FillLogic}};
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
    const char* block;   // the sheet of X1: the logic sheet, or the middle sheet whose block Y1
                         // is the logic sheet, or the supply sheet
    // The sheet that names the first power rail otherwise, which the build log tells, or null.
    const char* renamed = nullptr;
};

class PowerRailDesignTest : public testing::TestWithParam<Case> {};

TEST_P(PowerRailDesignTest, SubSheetRailsAreTheTopSheetsNets) {
    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    std::vector<std::string> sheets;
    for (const auto& [name, fill] : SheetsBelow(GetParam().block)) {
        Sheet sheet;
        fill(sheet);
        sheets.push_back((dir / name).string());
        ASSERT_TRUE(sheet.doc.OnSaveDocument(sheets.back().c_str()));
    }
    nltest::LogCapture log;
    Sheet top((dir / "top.sch").c_str());
    FillTop(top, GetParam().block);
    const std::string file = (dir / "design.net").string();
    CNetlistFormatList formats;
    FillReportFormatList(formats);

    EXPECT_TRUE(
        top.doc.BuildNetlist(file.c_str(), formats[static_cast<size_t>(GetParam().format)].get()));
    EXPECT_EQ(testsupport::ReadFileText(file),
              testsupport::ReadFileText(std::string(VOSK_SOURCE_DIR) + "/tests/netlist/data/" +
                                        GetParam().folder + "/expected.net"));
    std::string built = "\fBuilding...\n" + (dir / "top.sch").string() + "\n";
    if (GetParam().renamed)
        built += "Warning - sheet '" + (dir / GetParam().renamed).string() +
                 "' names rail Power1 '+3v3' where the top sheet names it '+5v': its nets stay "
                 "apart from the top's.\n";
    for (const std::string& sheet : sheets)
        built += sheet + "\n";
    EXPECT_EQ(log.text(), built + "\nBuilding Final Target..\n" + file + "\n\nOK\n");
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PowerRailDesignTest,
    testing::Values(Case{kFormatProtel, "rails-protel", "logic.sch"},
                    Case{kFormatPadsPcb, "rails-pads-pcb", "logic.sch"},
                    Case{kFormatProtel, "rails-nested-protel", "middle.sch", "middle.sch"},
                    Case{kFormatProtel, "rail-symbol-protel", "supply.sch", "supply.sch"}),
    [](const testing::TestParamInfo<Case>& info) {
        std::string name = info.param.folder;
        std::erase(name, '-');
        return name;
    });

// The top sheet renamed its first ground and power rails, the logic sheet of its block X1 did
// not: whatever the format, the build log names the sheet, each rail and both its names.
TEST(PowerRailDesign, EveryFormatTellsOfASheetThatNamesARailOtherwise) {
    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    Sheet logic;
    FillLogic(logic);
    ASSERT_TRUE(logic.doc.OnSaveDocument((dir / "logic.sch").c_str()));
    Sheet top((dir / "top.sch").c_str());
    FillTop(top, "logic.sch");
    top.doc.SetAttribute("Ground1", "0V", 0);
    top.doc.SetAttribute("Power1", "+3v3", 0);
    app.Settings().WriteProfileString("Spice", "RefNet", "SIG");  // the deck's reference
    const std::string path = (dir / "logic.sch").string();
    const std::string told = "Warning - sheet '" + path +
                             "' names rail Ground1 'GND' where the top sheet names it '0V': its "
                             "nets stay apart from the top's.\nWarning - sheet '" +
                             path +
                             "' names rail Power1 '+5v' where the top sheet names it '+3v3': its "
                             "nets stay apart from the top's.\n";
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    for (const auto& format : formats) {
        nltest::LogCapture log;
        top.doc.BuildNetlist((dir / "design.out").c_str(), format.get());
        EXPECT_NE(log.text().find((dir / "top.sch").string() + "\n" + told), std::string::npos)
            << log.text();
    }
}

// A rail that names nothing of its own leaves its wire on a net the sheet named itself: that
// automatic name is no supply, so it joins no net of another sheet, not even one that the top
// sheet happens to name alike. A rail that names its net joins the top's net of that name.
TEST(PowerRailDesign, AnAutomaticNetNameOnARailJoinsNoOtherSheet) {
    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    const ScopedApp installed{app};
    constexpr int kPowerPin = 7;
    Sheet sub;
    Rails(sub, "+5v");
    sub.Wire(sub.Add("P1", kSymbolPort, {"IN"}), "IN", "IN");
    CSymbol* diode = sub.Part("D1", {"1", "2"}, nltest::MakeResistor(), "RES");
    sub.Wire(diode, "1", "IN");
    sub.Wire(diode, "2", "n0006");
    for (const char* name : {"", "VREF"}) {
        CSymbol* rail = sub.Add(name, kSymbolNetConnector, {"1"});
        rail->FindPin("1")->SetPinType(kPowerPin);
        sub.Wire(rail, "1", *name ? name : "n0006");
    }
    CSymbol* load = sub.Part("R5", {"1", "2"}, nltest::MakeResistor(), "RES");
    sub.Wire(load, "1", "VREF");
    ASSERT_TRUE(sub.doc.OnSaveDocument((dir / "grounded.sch").c_str()));
    Sheet top((dir / "top.sch").c_str());
    Rails(top, "+5v");
    CSymbol* resistor = top.Part("R2", {"1", "2"}, nltest::MakeResistor(), "RES");
    top.Wire(resistor, "1", "n0006");
    top.Wire(resistor, "2", "VREF");
    top.Wire(top.Block("X1", "grounded.sch", {"IN"}), "IN", "SIG");
    const std::string file = (dir / "design.net").string();
    CNetlistFormatList formats;
    FillReportFormatList(formats);

    ASSERT_TRUE(top.doc.BuildNetlist(file.c_str(), formats[kFormatProtel].get()));
    const std::string netlist = testsupport::ReadFileText(file);
    EXPECT_NE(netlist.find("(\r\nn0006\r\nR2-1\r\n)"), std::string::npos) << netlist;
    EXPECT_NE(netlist.find("\r\nR2-2\r\nR5-1\r\n)"), std::string::npos) << netlist;
}

}  // namespace
