#include <gtest/gtest.h>

#include <sstream>

#include "model/device/Device.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/ProtelFormat.h"
#include "support/TestSupport.h"

namespace {

using nltest::MakeDevice;
using nltest::Sheet;

// What the writer writes of the sheet.
std::string Written(CNetlistFormat& writer, Sheet& sheet) {
    std::ostringstream out;
    std::ostringstream log;
    CNetNode top(sheet.doc.GetPathName());
    writer.WriteHeader(sheet.doc.m_netlist, out, log);
    EXPECT_EQ(sheet.doc.m_netlist.Build(top, writer, out, log), kBuildOk);
    EXPECT_TRUE(writer.WriteBody(sheet.doc.m_netlist, top, out, log));
    return out.str();
}

// R1 (10K, AXIAL0.4) from VCC to OUT, its pins numbered by the map.
void Resistor(Sheet& sheet, const char* pins) {
    CDevice* device = MakeDevice("RES", "RES", {{"", pins}}, "AXIAL0.4");
    CSymbol* r1 = sheet.Part("R1", {"1", "2"}, device, "RES");
    r1->SetAttr("_Value", "10K", kSetAttrForce);
    sheet.Wire(r1, "1", "VCC");
    sheet.Wire(r1, "2", "OUT");
}

TEST(ProtelFormatTest, PartsThenNetsWithTheirPins) {
    Sheet sheet;
    CProtelFormat protel;
    EXPECT_EQ(Written(protel, sheet), "");
    Resistor(sheet, "1=1;2=2");
    EXPECT_EQ(Written(protel, sheet),
              "[\nR1\nAXIAL0.4\n10K\n\n\n\n]\n(\nVCC\nR1-1\n)\n(\nOUT\nR1-2\n)\n");
    CTangoFormat tango;
    EXPECT_EQ(Written(tango, sheet),
              "[\nR1\nAXIAL0.4\n10K\n\n\n\n]\n(\nVCC\nR1,1\n)\n(\nOUT\nR1,2\n)\n");
}

TEST(ProtelFormatTest, PinNumberListsAndHiddenPinsGiveOneReferencePerNumber) {
    Sheet sheet;
    Resistor(sheet, "1=(1,2);2=3");
    CDevice* device = MakeDevice("REG", "REG", {{"", "IN=4"}});
    device->SetAttr("_Implicit", "VCC (5,6) GND\x01(7)", TRUE);
    device->SetAttr("VCC.Net", "Power1", TRUE);
    device->SetAttr("GND.Net", "GND", TRUE);
    sheet.doc.SetAttribute("Power1", "+5V", 0);
    sheet.Part("U1", {"IN"}, device, "REG");
    CProtelFormat protel;
    // Buckets of the net map: VCC 1, +5V 8, OUT and GND 10.
    EXPECT_EQ(Written(protel, sheet),
              "[\nR1\nAXIAL0.4\n10K\n\n\n\n]\n[\nU1\n\nREG\n\n\n\n]\n"
              "(\nVCC\nR1-1\nR1-2\n)\n(\n+5V\nU1-5\nU1-6\n)\n"
              "(\nGND\nU1-7\n)\n(\nOUT\nR1-3\n)\n");
}

// A design of two levels: a top sheet with a resistor, a two-gate package whose power pins
// are hidden (tied to VCC and GND by the device), a connector on a bus, power symbols and two
// blocks of one sub-circuit sheet; the sub-circuit sheet has two ports, a resistor, a
// capacitor and a ground symbol of its own.
CDevice* ResistorDevice() {
    return MakeDevice("RES", "RES", {{"", "1=1;2=2"}}, "AXIAL0.4");
}

void PowerSymbol(Sheet& sheet, const char* net) {
    sheet.Wire(sheet.Add(net, kSymbolNetConnector, {net}), net, net);
}

void FillTopSheet(Sheet& sheet) {
    CSymbol* r1 = sheet.Part("R1", {"1", "2"}, ResistorDevice(), "RES");
    r1->SetAttr("_Value", "10K", kSetAttrForce);
    CDevice* nand =
        MakeDevice("7400", "NAND", {{"A", "A=1;B=2;Y=3"}, {"B", "A=4;B=5;Y=6"}}, "DIP14");
    nand->SetAttr("_Implicit", "VCC\x01(14)\x01GND\x01(7)", TRUE);
    nand->SetAttr("VCC.Net", "VCC", TRUE);
    nand->SetAttr("GND.Net", "GND", TRUE);
    CSymbol* gateA = sheet.Part("U1A", {"A", "B", "Y"}, nand, "NAND");
    CSymbol* gateB = sheet.Part("U1B", {"A", "B", "Y"}, nand, "NAND");
    CSymbol* j1 =
        sheet.Part("J1", {"D[0..1]", "GND"},
                   MakeDevice("CONN3", "CONN", {{"", "D[0..1]=1,2;GND=3"}}, "SIP3"), "CONN");
    CSymbol* s1 = sheet.Block("S1", "sub.sch", {"IN", "OUT"});
    CSymbol* s2 = sheet.Block("S2", "sub.sch", {"IN", "OUT"});
    PowerSymbol(sheet, "VCC");
    PowerSymbol(sheet, "GND");
    sheet.Wire(r1, "1", "VCC");
    sheet.Wire(r1, "2", "IN");
    sheet.Wire(gateA, "A", "IN");
    sheet.Wire(gateA, "B", "IN");
    sheet.Wire(gateA, "Y", "X");
    sheet.Wire(s1, "IN", "X");
    sheet.Wire(s2, "IN", "X");
    sheet.Wire(s1, "OUT", "Y1");
    sheet.Wire(gateB, "A", "Y1");
    sheet.Wire(s2, "OUT", "Y2");
    sheet.Wire(gateB, "B", "Y2");
    sheet.Wire(gateB, "Y", "D0");
    sheet.Bus(j1, "D[0..1]", "D[0..1]");
    sheet.Wire(j1, "GND", "GND");
}

void FillSubSheet(Sheet& sheet) {
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "A");
    sheet.Wire(sheet.Add("P2", kSymbolPort, {"OUT"}), "OUT", "B");
    CSymbol* r1 = sheet.Part("R1", {"1", "2"}, ResistorDevice(), "RES");
    r1->SetAttr("_Value", "1K", kSetAttrForce);
    CSymbol* c1 =
        sheet.Part("C1", {"1", "2"}, MakeDevice("CAP", "CAP", {{"", "1=1;2=2"}}, "RAD0.1"), "CAP");
    c1->SetAttr("_Value", "100n", kSetAttrForce);
    PowerSymbol(sheet, "GND");
    sheet.Wire(r1, "1", "A");
    sheet.Wire(r1, "2", "B");
    sheet.Wire(c1, "1", "B");
    sheet.Wire(c1, "2", "GND");
}

// The two-level design built into a file as the user starts it, against a file written by hand.
class TwoLevelDesignTest : public testing::TestWithParam<int> {};

TEST_P(TwoLevelDesignTest, TheFileHoldsEveryInstanceOfTheSubSheet) {
    testsupport::TempDir dir;
    const std::string sub = (dir / "sub.sch").string();
    {
        Sheet sheet;
        FillSubSheet(sheet);
        ASSERT_TRUE(sheet.doc.OnSaveDocument(sub.c_str()));
    }
    nltest::LogCapture log;
    Sheet top((dir / "top.sch").c_str());
    FillTopSheet(top);
    const std::string file = (dir / "design.net").string();
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    CNetlistFormat& writer = *formats[static_cast<size_t>(GetParam())];

    EXPECT_TRUE(top.doc.BuildNetlist(file.c_str(), &writer));
    EXPECT_EQ(testsupport::ReadFileText(file),
              testsupport::ReadFileText(
                  std::string(VOSK_SOURCE_DIR) + "/tests/netlist/data/two-level-" +
                  (GetParam() == kFormatProtel ? "protel" : "tango") + "/expected.net"));
    EXPECT_EQ(log.text(), "\fBuilding...\n" + (dir / "top.sch").string() + "\n" + sub + "\n" + sub +
                              "\n\nBuilding Final Target..\n" + file + "\n\nOK\n");
}

INSTANTIATE_TEST_SUITE_P(Formats, TwoLevelDesignTest, testing::Values(kFormatProtel, kFormatTango));

}  // namespace
