#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/ProtelFormat.h"

namespace {

using nltest::Sheet;
using Fill = std::function<void(Sheet&)>;

// "id[ name/number=net ... ]" per part, then the nets in map order.
std::string Describe(CNetlistCircuit& circuit) {
    std::string text;
    for (const auto& part : circuit.Parts()) {
        text += part->id.str() + "[";
        for (const CPinConnection& pin : part->pins)
            text += " " + pin.name.str() + "/" + pin.number.str() + "=" +
                    (pin.net ? pin.net->name.str() : "-");
        text += " ] ";
    }
    text += "nets:";
    for (const auto& entry : circuit.Nets().InOrder())
        text += " " + entry.key.str();
    return text;
}

// The circuit of one sheet, and what building it logged.
std::string Built(const Fill& fill, std::string& log, DWORD flags = kCircuitCheckFootprints) {
    Sheet sheet;
    fill(sheet);
    CNetlistCircuit circuit(flags);
    std::ostringstream errors;
    circuit.BuildParts(sheet.doc.m_netlist, errors);
    log = errors.str();
    return Describe(circuit);
}

struct SheetCase {
    const char* name;
    Fill fill;
    const char* circuit;
    const char* log;
};

class SheetCircuitTest : public testing::TestWithParam<SheetCase> {};

TEST_P(SheetCircuitTest, PartsPinsAndNetsOfASheet) {
    std::string log;
    EXPECT_EQ(Built(GetParam().fill, log), GetParam().circuit);
    EXPECT_EQ(log, GetParam().log);
}

CDevice* Dev(const char* pins, const char* footprint = "SO8") {
    return nltest::MakeDevice("DEV", "DEV", {{"", pins}}, footprint);
}

// A device whose hidden pin VCC (number 8) lies on net VCC.
CDevice* PoweredDev(const char* pins) {
    CDevice* device = Dev(pins);
    device->SetAttr("_Implicit", "VCC (8)", TRUE);
    device->SetAttr("VCC.Net", "VCC", TRUE);
    return device;
}

// Two sections of one part draw pin P (number 7), wired to the nets given ("" unwired).
Fill SharedPin(const char* netOfA, const char* netOfB) {
    return [=](Sheet& sheet) {
        CDevice* device =
            nltest::MakeDevice("DUAL", "HALF", {{"A", "X=1;P=7"}, {"B", "X=2;P=7"}}, "DIP8");
        CSymbol* a = sheet.Part("U1A", {"X", "P"}, device, "HALF");
        CSymbol* b = sheet.Part("U1B", {"X", "P"}, device, "HALF");
        if (*netOfA)
            sheet.Wire(a, "P", netOfA);
        if (*netOfB)
            sheet.Wire(b, "P", netOfB);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SheetCircuitTest,
    testing::Values(
        SheetCase{"BussedPinOnBus",
                  [](Sheet& s) {
                      s.Bus(s.Part("U1", {"D[0..2]"}, Dev("D[0..2]=1,2,3"), "DEV"), "D[0..2]",
                            "Q[4..6]");
                  },
                  "U1[ D0/1=Q4 D1/2=Q5 D2/3=Q6 ] nets: Q4 Q5 Q6", ""},
        SheetCase{"BusTooNarrow",
                  [](Sheet& s) {
                      CSymbol* u1 = s.Part("U1", {"D[0..7]"}, nullptr, "DEV");
                      u1->SetAttr("_Footprint", "SO8", kSetAttrForce);
                      s.Bus(u1, "D[0..7]", "D[0..3]");
                  },
                  "U1[ ] nets:", "Error - U1 bussed pin D[0..7] mismatch with net D[0..3].\n"},
        SheetCase{"TooFewPinNumbers",
                  [](Sheet& s) { s.Part("U1", {"D[0..1]"}, Dev("D[0..1]=1"), "DEV"); },
                  "U1[ ] nets:", "Error - U1 bussed pin D[0..1] mismatch with pin numbers 1.\n"},
        SheetCase{"Short", SharedPin("VCC", "GND"), "U1[ X/1=- P/7=VCC X/2=- ] nets: VCC GND",
                  "Error - U1 Pin 7 shorts nets VCC and GND\n"},
        SheetCase{"SharedPinOneNet", SharedPin("VCC", "VCC"), "U1[ X/1=- P/7=VCC X/2=- ] nets: VCC",
                  ""},
        // The section that wires a shared pin connects it, whichever section comes first.
        SheetCase{"SharedPinWiredLater", SharedPin("", "GND"),
                  "U1[ X/1=- P/7=GND X/2=- ] nets: GND", ""},
        SheetCase{"DrawnPowerPin",
                  [](Sheet& s) {
                      s.Wire(s.Part("U1", {"VCC"}, PoweredDev("VCC=8"), "DEV"), "VCC", "V12");
                  },
                  "U1[ VCC/8=V12 ] nets: VCC V12", ""},
        // Every part of a device gets its hidden pins; drawing one in one part leaves the
        // others' as they are.
        SheetCase{"HiddenPinsOfEachPart",
                  [](Sheet& s) {
                      CDevice* device = PoweredDev("VCC=8;1=1");
                      s.Wire(s.Part("U1", {"VCC"}, device, "DEV"), "VCC", "V12");
                      s.Part("U2", {"1"}, device, "DEV");
                      s.Part("U3", {"1"}, device, "DEV");
                  },
                  "U1[ VCC/8=V12 ] U2[ VCC/8=VCC 1/1=- ] U3[ VCC/8=VCC 1/1=- ] nets: VCC V12", ""},
        // One pin name mapped to several numbers connects each of them.
        SheetCase{"PinOfTwoNumbers",
                  [](Sheet& s) { s.Wire(s.Part("U1", {"G"}, Dev("G=7,14"), "DEV"), "G", "GND"); },
                  "U1[ G/7=GND G/14=GND ] nets: GND", ""},
        SheetCase{"NoFootprint", [](Sheet& s) { s.Part("R1", {"1"}, Dev("1=1", ""), "DEV"); },
                  "R1[ 1/1=- ] nets:", "Error - R1 no PCB footprint set.\n"},
        SheetCase{"PinNameListingNothing", [](Sheet& s) { s.Part("U1", {","}, Dev(",=9"), "DEV"); },
                  "U1[ /9=- ] nets:", ""},
        SheetCase{"PortOnTwoNets",
                  [](Sheet& s) { s.Wire(s.Add("P1", kSymbolPort, {"IN"}), "IN", "A,B"); },
                  "nets:", "Error : Port IN different number of nets"}),
    [](const testing::TestParamInfo<SheetCase>& info) { return info.param.name; });

TEST(NetlistCircuitTest, NetsListInTheFrameworkMapOrderAndNewNamesAvoidThem) {
    CNetlistCircuit circuit(0);
    for (const char* name : {"D0", "D1", "D2", "D3", "OUT", "VCC", "GND", "N000001"})
        circuit.GetNet(name);
    EXPECT_EQ(Describe(circuit), "nets: D3 VCC N000001 GND OUT D0 D1 D2");
    int counter = 0;
    EXPECT_EQ(MakeUniqueNetName(circuit, counter), "N000002");
    std::string log;  // footprints are checked only when the format needs them
    Built([](Sheet& s) { s.Part("R1", {"1"}, Dev("1=1", ""), "DEV"); }, log, 0);
    EXPECT_EQ(log, "");
}

// What parts share of their device is read again by each build.
TEST(NetlistCircuitTest, EachBuildReadsTheDevicesAgain) {
    Sheet sheet;
    CDevice* device = Dev("1=1");
    device->SetAttr("_Implicit", "GND (4)", TRUE);
    device->SetAttr("GND.Net", "GND", TRUE);
    sheet.Part("U1", {"1"}, device, "DEV");
    CNetlistCircuit circuit(0);
    std::ostringstream log;
    circuit.BuildParts(sheet.doc.m_netlist, log);
    EXPECT_EQ(Describe(circuit), "U1[ GND/4=GND 1/1=- ] nets: GND");
    EXPECT_EQ(circuit.Parts().front()->footprint, "SO8");
    device->SetAttr("_Footprint", "SO16", TRUE);
    device->SetAttr("GND.Net", "AGND", TRUE);
    circuit.BuildParts(sheet.doc.m_netlist, log);
    EXPECT_EQ(Describe(circuit), "U1[ GND/4=AGND 1/1=- ] nets: AGND");
    EXPECT_EQ(circuit.Parts().front()->footprint, "SO16");
}

// "Connect Wire Implicitly To.." ties hidden pins to a wire's net, ahead of the nets their
// device gives them: by any symbol's identifier or the part's, a pin whose group has no net of
// its own included. The part's other hidden pins and the device's other parts keep theirs, and
// without the tie the pin is back on the device's net.
TEST(NetlistCircuitTest, AHiddenPinTiedToAWiresNetLiesOnIt) {
    Sheet sheet;
    CDevice* device = nltest::MakeDevice("DUAL", "HALF", {{"A", "X=1"}, {"B", "X=2"}}, "DIP8");
    device->SetAttr("_Implicit", "VCC (8) GND (4) NC (5)", TRUE);
    device->SetAttr("VCC.Net", "VCC", TRUE);
    device->SetAttr("GND.Net", "GND", TRUE);
    CSymbol* first = sheet.Part("U1A", {"X"}, device, "HALF");
    sheet.Part("U1B", {"X"}, device, "HALF");
    sheet.Part("U2A", {"X"}, device, "HALF");
    CNet* vdda = sheet.Wire(first, "X", "VDDA")->GetNet();
    vdda->SetAttr("_Implicit", "U1B:VCC,U1:NC", 0);
    const auto parts = [&sheet] {
        CNetlistCircuit circuit(0);
        std::ostringstream log;
        circuit.BuildParts(sheet.doc.m_netlist, log);
        const std::string described = Describe(circuit);
        return described.substr(0, described.find("nets:"));
    };
    EXPECT_EQ(parts(),
              "U1[ VCC/8=VDDA GND/4=GND NC/5=VDDA X/1=VDDA X/2=- ] "
              "U2[ VCC/8=VCC GND/4=GND X/1=- ] ");
    vdda->RemoveAttr("_Implicit");
    EXPECT_EQ(parts(), "U1[ VCC/8=VCC GND/4=GND X/1=VDDA X/2=- ] U2[ VCC/8=VCC GND/4=GND X/1=- ] ");
}

TEST(NetlistCircuitTest, ByLogicSymbolsEverySymbolIsAPartOfItsOwn) {
    Sheet sheet;
    CDevice* device = nltest::MakeDevice("7400", "NAND", {{"A", "A=1"}, {"B", "A=4"}});
    sheet.Wire(sheet.Part("U1A", {"A"}, device, "NAND"), "A", "P");
    sheet.Wire(sheet.Part("U1B", {"A"}, device, "NAND"), "A", "Q");
    CNetlistCircuit circuit(0);
    std::ostringstream log;
    EXPECT_TRUE(circuit.BuildSymbols(sheet.doc.m_netlist, log));
    EXPECT_EQ(Describe(circuit), "U1A[ A/A=P ] U1B[ A/A=Q ] nets: P Q");
}

// Flattening: a top sheet /d/top.sch with blocks of /d/sub.sch.
struct FlattenCase {
    const char* name;
    Fill top;
    Fill sub;
    const char* circuit;
    const char* log;  // after the sheets' paths
};

class FlattenTest : public testing::TestWithParam<FlattenCase> {};

TEST_P(FlattenTest, InstancesAreReplacedByTheirSheets) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/sub.sch", GetParam().sub);
    Sheet top("/d/top.sch");
    GetParam().top(top);
    CNetNode node("/d/top.sch");
    CProtelFormat format;  // prepares every sheet into a circuit
    std::ostringstream out;
    std::ostringstream log;
    ASSERT_EQ(top.doc.m_netlist.Build(node, format, out, log), kBuildOk);
    const size_t prepared = log.str().size();
    node.circuit->Flatten(node, log);
    EXPECT_EQ(Describe(*node.circuit), GetParam().circuit);
    EXPECT_EQ(log.str().substr(prepared), GetParam().log);
    ReleaseCircuits(node);
}

// A port IN on net A, a resistor from A to CLK.
void Sub(Sheet& sheet) {
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "A");
    CSymbol* r1 = sheet.Part("R1", {"1", "2"}, nullptr, "RES");
    sheet.Wire(r1, "1", "A");
    sheet.Wire(r1, "2", "CLK");
}

void Block(Sheet& top, const char* id, const char* net) {
    CSymbol* block = top.Block(id, "sub.sch", {"IN"});
    if (*net)
        top.Wire(block, "IN", net);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlattenTest,
    testing::Values(
        FlattenCase{"OneInstance", [](Sheet& t) { Block(t, "U1", "N1"); }, Sub,
                    "R1[ 1/1=N1 2/2=U1:CLK ] nets: N1 U1:CLK", ""},
        FlattenCase{"PartIdTaken",
                    [](Sheet& t) {
                        t.Wire(t.Part("R1", {"1"}, nullptr, "RES"), "1", "N1");
                        Block(t, "U1", "N1");
                    },
                    Sub, "R1[ 1/1=N1 ] U1:R1[ 1/1=N1 2/2=U1:CLK ] nets: N1 U1:CLK", ""},
        FlattenCase{"TwoInstancesOfOneSheet",
                    [](Sheet& t) {
                        Block(t, "U1", "N1");
                        Block(t, "U2", "N2");
                    },
                    Sub,
                    "R1[ 1/1=N1 2/2=U1:CLK ] U2:R1[ 1/1=N2 2/2=U2:CLK ] nets: N1 U1:CLK N2 U2:CLK",
                    ""},
        FlattenCase{
            "PortsWithoutConnection", [](Sheet& t) { Block(t, "U1", ""); },
            [](Sheet& s) {
                Sub(s);
                s.Wire(s.Add("P2", kSymbolPort, {"EN"}), "EN", "E");
            },
            "R1[ 1/1=U1:A 2/2=U1:CLK ] nets: U1:A U1:CLK U1:E",
            "Unconnected port IN in file /d/sub.sch\nUnresolved port EN in file /d/sub.sch\n"},
        FlattenCase{"TwoPortsOfOneNetOnOneNet",
                    [](Sheet& t) {
                        CSymbol* block = t.Block("U1", "sub.sch", {"IN", "IN2"});
                        t.Wire(block, "IN", "N1");
                        t.Wire(block, "IN2", "N1");
                    },
                    [](Sheet& s) {
                        Sub(s);
                        s.Wire(s.Add("P2", kSymbolPort, {"IN2"}), "IN2", "A");
                    },
                    "R1[ 1/1=N1 2/2=U1:CLK ] nets: N1 U1:CLK", ""},
        FlattenCase{"SheetNetNamedLikeATopNet",
                    [](Sheet& t) {
                        t.Wire(t.Part("R9", {"1"}, nullptr, "RES"), "1", "U1:CLK");
                        Block(t, "U1", "N1");
                    },
                    Sub, "R9[ 1/1=U1:CLK ] R1[ 1/1=N1 2/2=U1:CLK ] nets: N1 U1:CLK", ""},
        // The sheet's ground rail is the top's net of that name in every instance.
        FlattenCase{"RailsKeepTheirNames",
                    [](Sheet& t) {
                        t.Wire(t.Part("R9", {"1"}, nullptr, "RES"), "1", "GND");
                        Block(t, "U1", "N1");
                        Block(t, "U2", "N2");
                    },
                    [](Sheet& s) {
                        Sub(s);
                        s.doc.SetAttribute("Ground1", "GND", 0);
                        s.Wire(s.Part("R2", {"1"}, nullptr, "RES"), "1", "GND");
                    },
                    "R9[ 1/1=GND ] R1[ 1/1=N1 2/2=U1:CLK ] R2[ 1/1=GND ] U2:R1[ 1/1=N2 "
                    "2/2=U2:CLK ] U2:R2[ 1/1=GND ] nets: N1 U1:CLK N2 U2:CLK GND",
                    ""},
        // A port on a rail joins the instance's net to the rail, which keeps its name.
        FlattenCase{"PortOnARail",
                    [](Sheet& t) {
                        t.Wire(t.Part("R9", {"1"}, nullptr, "RES"), "1", "0V");
                        t.Wire(t.Block("U1", "sub.sch", {"G"}), "G", "0V");
                    },
                    [](Sheet& s) {
                        s.doc.SetAttribute("Ground1", "GND", 0);
                        s.Wire(s.Add("P1", kSymbolPort, {"G"}), "G", "GND");
                        s.Wire(s.Part("R1", {"1"}, nullptr, "RES"), "1", "GND");
                    },
                    "R9[ 1/1=GND ] R1[ 1/1=GND ] nets: GND", ""},
        FlattenCase{"PortNetNamedLikeATopNet",
                    [](Sheet& t) {
                        t.Wire(t.Part("R9", {"1"}, nullptr, "RES"), "1", "U1:A");
                        Block(t, "U1", "N1");
                    },
                    Sub, "R9[ 1/1=N1 ] R1[ 1/1=N1 2/2=U1:CLK ] nets: N1 U1:CLK", ""}),
    [](const testing::TestParamInfo<FlattenCase>& info) { return info.param.name; });

TEST(NetlistCircuitTest, SheetsWithinSheetsTakeTheWholeChainOfNames) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/a.sch", [](Sheet& s) { s.Wire(s.Block("U5", "b.sch", {"IN"}), "IN", "W"); });
    opener.Serve("/d/b.sch", Sub);
    Sheet top("/d/top.sch");
    top.Block("U1", "a.sch", {"X"});
    CNetNode node("/d/top.sch");
    CProtelFormat format;  // prepares every sheet into a circuit
    std::ostringstream stream;
    top.doc.m_netlist.Build(node, format, stream, stream);
    node.circuit->Flatten(node, stream);
    EXPECT_EQ(Describe(*node.circuit), "R1[ 1/1=U1:W 2/2=U1:U5:CLK ] nets: U1:U5:CLK U1:W");
    ReleaseCircuits(node);
}

TEST(NetlistCircuitTest, AnInstanceWithoutItsSheetEndsTheFlattening) {
    Sheet top;
    Block(top, "U1", "N1");
    CNetNode node("");
    node.circuit = new CNetlistCircuit(0);
    node.circuit->AddRef();
    std::ostringstream log;
    node.circuit->BuildParts(top.doc.m_netlist, log);
    node.circuit->Flatten(node, log);
    EXPECT_EQ(log.str(), "Sub-circuit not found U1\n");
    ReleaseCircuits(node);
}

}  // namespace
