#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "model/device/Device.h"
#include "netlist/DocNetlist.h"
#include "netlist/NetNode.h"
#include "netlist/NetlistCircuit.h"
#include "netlist/support/NetlistSheet.h"

namespace {

using nltest::Sheet;

// Prepares sheets into circuits and leaves them for the test to look at.
class CircuitFormat : public CNetlistFormat {
public:
    explicit CircuitFormat(DWORD flags = 0) : m_flags(flags) {}
    const char* GetName() const override { return "Circuit"; }
    const char* GetExtension() const override { return "txt"; }
    int PrepareSheet(CDocNetlist& walker, CNetNode& node, std::ostream& /*out*/,
                     std::ostream& log) override {
        return PrepareCircuitSheet(walker, node, log, m_flags);
    }

private:
    DWORD m_flags;
};

// "id[pin/number=net ...]" per part, then the nets in map order.
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

// A top sheet built with its sub-circuit sheets, and the top circuit flattened.
struct Flattened {
    using Fill = std::function<void(Sheet&)>;
    Flattened(const Fill& fillTop, const Fill& fillSub, const Fill& fillSub2 = nullptr)
        : top("/d/top.sch") {
        opener.Serve("/d/sub.sch", fillSub);
        if (fillSub2)
            opener.Serve("/d/sub2.sch", fillSub2);
        fillTop(top);
        format.WriteHeader(top.doc.m_netlist, out, log);
        result = top.doc.m_netlist.Build(node, format, out, log);
        if (node.circuit)
            node.circuit->Flatten(node, log);
    }
    ~Flattened() { ReleaseCircuits(node); }
    std::string Text() { return node.circuit ? Describe(*node.circuit) : "no circuit"; }

    nltest::ScriptedOpener opener;
    Sheet top;
    CNetNode node{"/d/top.sch"};
    CircuitFormat format;
    std::ostringstream out;
    std::ostringstream log;
    int result = kBuildError;
};

// A circuit of one sheet.
std::string Built(Sheet& sheet, std::string* log = nullptr, DWORD flags = kCircuitCheckFootprints) {
    CNetlistCircuit circuit(flags);
    std::ostringstream errors;
    circuit.BuildParts(sheet.doc.m_netlist, errors);
    if (log)
        *log = errors.str();
    return Describe(circuit);
}

TEST(NetlistCircuitTest, NetsListInTheFrameworkMapOrder) {
    CNetlistCircuit circuit(0);
    for (const char* name : {"D0", "D1", "D2", "D3", "OUT", "VCC", "GND"})
        circuit.GetNet(name);
    EXPECT_EQ(circuit.GetNet("D1"), circuit.GetNet("D1"));
    EXPECT_EQ(Describe(circuit), "nets: D3 VCC GND OUT D0 D1 D2");
}

TEST(NetlistCircuitTest, BussedPinsSplitIntoTheMembersOfTheirNets) {
    Sheet sheet;
    CSymbol* u1 = sheet.Part("U1", {"D[0..2]"}, nullptr, "LATCH");
    sheet.Bus(u1, "D[0..2]", "Q[4..6]");
    EXPECT_EQ(Built(sheet), "U1[ D0/D0=Q4 D1/D1=Q5 D2/D2=Q6 ] nets: Q4 Q5 Q6");
}

struct PinErrorCase {
    const char* pinId;
    const char* map;  // "" without a device
    const char* net;
    const char* log;
};

class PinErrorTest : public testing::TestWithParam<PinErrorCase> {};

TEST_P(PinErrorTest, ABussedPinThatDoesNotMatchIsReported) {
    const PinErrorCase& c = GetParam();
    Sheet sheet;
    CDevice* device = *c.map ? nltest::MakeDevice("DEV", "DEV", {{"", c.map}}, "SO8") : nullptr;
    CSymbol* u1 = sheet.Part("U1", {c.pinId}, device, "DEV");
    u1->SetAttr("_Footprint", "SO8", kSetAttrForce);
    sheet.Bus(u1, c.pinId, c.net);
    std::string log;
    Built(sheet, &log);
    EXPECT_EQ(log, c.log);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PinErrorTest,
    testing::Values(PinErrorCase{"D[0..7]", "", "D[0..3]",
                                 "Error - U1 bussed pin D[0..7] mismatch with net D[0..3].\n"},
                    PinErrorCase{"D[0..1]", "D[0..1]=1", "D[0..1]",
                                 "Error - U1 bussed pin D[0..1] mismatch with pin numbers 1.\n"},
                    PinErrorCase{"D[0..1]", "D[0..1]=1,2", "D[0..1]", ""}));

// Two sections of one part draw pin 7.
std::string SharedPin(const char* netOfA, const char* netOfB, std::string* log) {
    Sheet sheet;
    CDevice* device =
        nltest::MakeDevice("DUAL", "HALF", {{"A", "X=1;P=7"}, {"B", "X=2;P=7"}}, "DIP8");
    CSymbol* a = sheet.Part("U1A", {"X", "P"}, device, "HALF");
    CSymbol* b = sheet.Part("U1B", {"X", "P"}, device, "HALF");
    if (*netOfA)
        sheet.Wire(a, "P", netOfA);
    if (*netOfB)
        sheet.Wire(b, "P", netOfB);
    return Built(sheet, log);
}

TEST(NetlistCircuitTest, APinDrawnOnTwoSectionsIsOneConnection) {
    std::string log;
    EXPECT_EQ(SharedPin("VCC", "GND", &log), "U1[ X/1=- P/7=VCC X/2=- ] nets: VCC GND");
    EXPECT_EQ(log, "Error - U1 Pin 7 shorts nets VCC and GND\n");
    EXPECT_EQ(SharedPin("VCC", "VCC", &log), "U1[ X/1=- P/7=VCC X/2=- ] nets: VCC");
    EXPECT_EQ(log, "");
    // The section that wires the pin connects it, whichever section comes first.
    EXPECT_EQ(SharedPin("", "GND", &log), "U1[ X/1=- P/7=GND X/2=- ] nets: GND");
    EXPECT_EQ(log, "");
}

TEST(NetlistCircuitTest, ADrawnAndWiredPowerPinTakesThePlaceOfItsHiddenPin) {
    Sheet sheet;
    CDevice* device = nltest::MakeDevice("REG", "REG", {{"", "VCC=8"}}, "TO92");
    device->SetAttr("_Implicit", "VCC (8)", TRUE);
    device->SetAttr("VCC.Net", "VCC", TRUE);
    sheet.Wire(sheet.Part("U1", {"VCC"}, device, "REG"), "VCC", "V12");
    std::string log;
    EXPECT_EQ(Built(sheet, &log), "U1[ VCC/8=V12 ] nets: VCC V12");
    EXPECT_EQ(log, "");
}

TEST(NetlistCircuitTest, PartsWithoutFootprintAreReportedWhenTheFormatNeedsThem) {
    Sheet sheet;
    sheet.Part("R1", {"1"}, nltest::MakeDevice("RES", "RES", {{"", "1=1"}}), "RES");
    std::string log;
    EXPECT_EQ(Built(sheet, &log), "R1[ 1/1=- ] nets:");
    EXPECT_EQ(log, "Error - R1 no PCB footprint set.\n");
    Built(sheet, &log, 0);
    EXPECT_EQ(log, "");
}

TEST(NetlistCircuitTest, APinWhoseNameListsNothingKeepsItsNumber) {
    Sheet sheet;
    sheet.Part("U1", {","}, nltest::MakeDevice("ODD", "ODD", {{"", ",=9"}}, "SO8"), "ODD");
    EXPECT_EQ(Built(sheet), "U1[ /9=- ] nets:");
}

TEST(NetlistCircuitTest, PortsWithMoreNetsThanNamesStopTheSheet) {
    Sheet sheet;
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "A,B");
    std::string log;
    Built(sheet, &log);
    EXPECT_EQ(log, "Error : Port IN different number of nets");
}

// The sheet of the blocks: a port IN on net A, a resistor from A to CLK.
void ResistorSheet(Sheet& sheet) {
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "A");
    CSymbol* r1 = sheet.Part("R1", {"1", "2"}, nullptr, "RES");
    sheet.Wire(r1, "1", "A");
    sheet.Wire(r1, "2", "CLK");
}

TEST(NetlistCircuitTest, ASubSheetFlattensUnderItsInstanceName) {
    Flattened alone([](Sheet& top) { top.Wire(top.Block("U1", "sub.sch", {"IN"}), "IN", "N1"); },
                    ResistorSheet);
    EXPECT_EQ(alone.Text(), "R1[ 1/1=N1 2/2=U1:CLK ] nets: N1 U1:CLK");
    EXPECT_EQ(alone.log.str(), "/d/top.sch\n/d/sub.sch\n");

    Flattened clash(
        [](Sheet& top) {
            top.Wire(top.Part("R1", {"1"}, nullptr, "RES"), "1", "N1");
            top.Wire(top.Block("U1", "sub.sch", {"IN"}), "IN", "N1");
        },
        ResistorSheet);
    EXPECT_EQ(clash.Text(), "R1[ 1/1=N1 ] U1:R1[ 1/1=N1 2/2=U1:CLK ] nets: N1 U1:CLK");
}

TEST(NetlistCircuitTest, EveryInstanceOfASheetHasItsOwnContents) {
    Flattened design(
        [](Sheet& top) {
            top.Wire(top.Block("U1", "sub.sch", {"IN"}), "IN", "N1");
            top.Wire(top.Block("U2", "sub.sch", {"IN"}), "IN", "N2");
        },
        ResistorSheet);
    EXPECT_EQ(design.opener.opened["/d/sub.sch"], 2);
    EXPECT_EQ(design.Text(),
              "R1[ 1/1=N1 2/2=U1:CLK ] U2:R1[ 1/1=N2 2/2=U2:CLK ] nets: N1 U1:CLK N2 U2:CLK");
}

TEST(NetlistCircuitTest, SheetsWithinSheetsTakeTheWholeChainOfNames) {
    Flattened design([](Sheet& top) { top.Block("U1", "sub.sch", {"X"}); },
                     [](Sheet& sub) { sub.Wire(sub.Block("U5", "sub2.sch", {"IN"}), "IN", "W"); },
                     ResistorSheet);
    EXPECT_EQ(design.Text(), "R1[ 1/1=U1:W 2/2=U1:U5:CLK ] nets: U1:U5:CLK U1:W");
    EXPECT_EQ(design.log.str(), "/d/top.sch\n/d/sub.sch\n/d/sub2.sch\n");
}

TEST(NetlistCircuitTest, PortsThatFindNoConnectionAreReported) {
    auto twoPorts = [](Sheet& sheet) {
        ResistorSheet(sheet);
        sheet.Wire(sheet.Add("P2", kSymbolPort, {"EN"}), "EN", "E");
    };
    Flattened design([](Sheet& top) { top.Block("U1", "sub.sch", {"IN"}); }, twoPorts);
    EXPECT_EQ(design.log.str(),
              "/d/top.sch\n/d/sub.sch\n"
              "Unconnected port IN in file /d/sub.sch\n"
              "Unresolved port EN in file /d/sub.sch\n");
    EXPECT_EQ(design.Text(), "R1[ 1/1=U1:A 2/2=U1:CLK ] nets: U1:A U1:CLK U1:E");
}

TEST(NetlistCircuitTest, AnInstanceWithoutItsSheetEndsTheFlattening) {
    Sheet top;
    top.Wire(top.Block("U1", "sub.sch", {"IN"}), "IN", "N1");
    CNetNode node("");
    node.circuit = new CNetlistCircuit(0);
    node.circuit->AddRef();
    std::ostringstream log;
    node.circuit->BuildParts(top.doc.m_netlist, log);
    node.circuit->Flatten(node, log);
    EXPECT_EQ(log.str(), "Sub-circuit not found U1\n");
    EXPECT_EQ(Describe(*node.circuit), "nets: N1");
    ReleaseCircuits(node);
}

TEST(NetlistCircuitTest, TwoPortsOfOneInnerNetOnOneOuterNetJoinOnce) {
    auto joined = [](Sheet& sheet) {
        ResistorSheet(sheet);
        sheet.Wire(sheet.Add("P2", kSymbolPort, {"IN2"}), "IN2", "A");
    };
    Flattened design(
        [](Sheet& top) {
            CSymbol* block = top.Block("U1", "sub.sch", {"IN", "IN2"});
            top.Wire(block, "IN", "N1");
            top.Wire(block, "IN2", "N1");
        },
        joined);
    EXPECT_EQ(design.Text(), "R1[ 1/1=N1 2/2=U1:CLK ] nets: N1 U1:CLK");
}

TEST(NetlistCircuitTest, ASheetNetNamedLikeATopNetJoinsIt) {
    Flattened design(
        [](Sheet& top) {
            top.Wire(top.Part("R9", {"1"}, nullptr, "RES"), "1", "U1:CLK");
            top.Wire(top.Block("U1", "sub.sch", {"IN"}), "IN", "N1");
        },
        ResistorSheet);
    EXPECT_EQ(design.Text(), "R9[ 1/1=U1:CLK ] R1[ 1/1=N1 2/2=U1:CLK ] nets: N1 U1:CLK");
}

TEST(NetlistCircuitTest, UniqueNetNamesCountOnPastTheCircuitsNames) {
    CNetlistCircuit circuit(0);
    circuit.GetNet("N000001");
    int counter = 0;
    EXPECT_EQ(MakeUniqueNetName(circuit, counter), "N000002");
    EXPECT_EQ(MakeUniqueNetName(circuit, counter), "N000003");
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

}  // namespace
