// The Abel and CUPL writers on small sheets: statements and their ranges, net names made
// legal, port pins, and what a build makes of an illegal port pin name.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "model/app/NameList.h"
#include "model/symbol/Pin.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/AbelFormat.h"
#include "netlist/writers/CuplFormat.h"
#include "support/TestSupport.h"

namespace {

using nltest::Sheet;

struct Output {
    std::string text;
    std::string log;
    int body = 0;

    // The text between two markers (the end of the text when the second is missing).
    std::string Between(const std::string& from, const std::string& to) const {
        const size_t start = text.find(from);
        if (start == std::string::npos)
            return "<no " + from + ">";
        const size_t end = text.find(to, start + from.size());
        return text.substr(start + from.size(), end == std::string::npos
                                                    ? std::string::npos
                                                    : end - start - from.size());
    }
    std::string AbelEquations() const { return Between("\nequations\n", "\nend "); }
    std::string AbelDeclarations() const { return Between("\ndeclarations\n", "\nequations\n"); }
    std::string CuplInputs() const { return Between("/** Inputs **/\n", "\n/** Outputs"); }
    std::string CuplOutputs() const { return Between("/** Outputs **/\n", "\n/** Decl"); }
    std::string CuplEquations() const {
        const std::string from = "/** Logic Equations **/\n";
        const size_t start = text.find(from);
        return start == std::string::npos ? "<no equations>" : text.substr(start + from.size());
    }
};

// What the writer writes of the sheet and logs while it prepares the sheet and writes.
Output Written(CNetlistFormat& writer, Sheet& sheet) {
    Output output;
    std::ostringstream out;
    std::ostringstream log;
    CNetNode top(sheet.doc.GetPathName());
    writer.WriteHeader(sheet.doc.m_netlist, out, log);
    std::ostringstream sheets;  // the build's list of sheets
    EXPECT_EQ(sheet.doc.m_netlist.Build(top, writer, out, sheets), kBuildOk);
    output.body = writer.WriteBody(sheet.doc.m_netlist, top, out, log);
    output.text = out.str();
    output.log = log.str();
    return output;
}

// A logic symbol with pins of these names and its Abel and CUPL equations.
CSymbol* Logic(Sheet& sheet, const char* id, std::initializer_list<const char*> pins,
               const char* equations) {
    CSymbol* symbol = sheet.Part(id, pins, nullptr, "LOGIC");
    symbol->SetAttr("Abel.Equations", equations, kSetAttrForce);
    symbol->SetAttr("CUPL.Equations", equations, kSetAttrForce);
    return symbol;
}

// A port symbol whose pin (stored type 0 input, 1 output, 2 bidirectional) is on the net.
CPin* Port(Sheet& sheet, const char* name, const char* net, int type = 0) {
    CSymbol* port = sheet.Add(name, kSymbolPort, {name});
    CPin* pin = port->FindPin(name);
    pin->SetPinType(type);
    if (net)
        sheet.Wire(port, name, net);
    return pin;
}

TEST(LogicFormatTest, ARangedStatementIsWrittenOncePerMemberFromTheFirstBound) {
    Sheet sheet("/designs/cnt.sch");
    CSymbol* u1 = Logic(sheet, "U1", {"Q[0..3]", "D[0..3]"},
                        "\"Q[0..3]\" := \"D[0..3]\";\n\"Q[3..0]\".ar = \"D[ 3 .. 0 ]\";");
    sheet.Bus(u1, "Q[0..3]", "QA,QB,QC,QD");
    sheet.Bus(u1, "D[0..3]", "DA,DB,DC,DD");
    CAbelFormat abel;
    const Output output = Written(abel, sheet);
    const std::string head = "module cnt_sch\n\ndeclarations\n";
    EXPECT_EQ(output.text.substr(0, head.size()), head);
    EXPECT_EQ(output.AbelEquations(),
              "QA := DA;\nQB := DB;\nQC := DC;\nQD := DD;\n"
              "QD.ar = DD;\nQC.ar = DC;\nQB.ar = DB;\nQA.ar = DA;\n");
    const std::string end = "\nend cnt_sch\n";
    EXPECT_EQ(output.text.substr(output.text.size() - end.size()), end);
    EXPECT_EQ(output.log, "");
    EXPECT_EQ(output.body, 1);
}

TEST(LogicFormatTest, ARangeRepeatsNoMoreOftenThanABusCanHaveMembers) {
    Sheet sheet;
    sheet.Wire(
        Logic(sheet, "U1", {"A"}, "\"A\" = \"Q[0..999999999]\";\"A\" = \"Q[1..3000000000]\";"), "A",
        "X");
    CCuplFormat cupl;
    const Output output = Written(cupl, sheet);
    const std::string equations = output.CuplEquations();
    EXPECT_EQ(std::count(equations.begin(), equations.end(), '\n'), kMaxListedNames + 1);
    // A bound of ten digits makes no range: the name is looked up as it stands.
    EXPECT_EQ(equations.substr(equations.size() - 6), "X = ;\n");
    EXPECT_EQ(output.log.substr(output.log.size() - 31), "Pin not found Q[1..3000000000]\n");
}

TEST(LogicFormatTest, StatementsAreCutAtSemicolonsAndLineEndsAndTrimmed) {
    Sheet sheet;
    sheet.Wire(Logic(sheet, "U1", {"A"}, "  X = \"A\"; Y = !\"A\" ;\r\n\n\tZ = \"A\"  "), "A", "S");
    CCuplFormat cupl;
    EXPECT_EQ(Written(cupl, sheet).CuplEquations(), "X = S;\nY = !S ;\nZ = S\n");
}

TEST(LogicFormatTest, AnUnwiredPinGetsOneNewNameAndTheCounterRestartsWithEveryBuild) {
    Sheet sheet;
    sheet.Wire(Logic(sheet, "U1", {"A", "T"}, "\"A\" = \"T\";\"A\".oe = \"T\";\"Z\" = \"A\";"), "A",
               "X");
    CAbelFormat abel;
    for (int build = 0; build < 2; ++build) {
        const Output output = Written(abel, sheet);
        EXPECT_EQ(output.AbelEquations(), "X = N000001;\nX.oe = N000001;\n = X;\n");
        EXPECT_EQ(output.log, "Pin not found Z\n");
    }
    CCuplFormat cupl;
    EXPECT_EQ(Written(cupl, sheet).CuplEquations(), "X = N000001;\nX.oe = N000001;\n = X;\n");
}

// Buckets of the net map: A-B 1, N000001 5, FIELD 7, 1 15, ~LD 16.
TEST(LogicFormatTest, IllegalNetNamesAreReplacedByNamesNoNetHas) {
    Sheet sheet;
    CSymbol* u1 =
        Logic(sheet, "U1", {"A", "B", "C", "D", "E"}, "\"A\" = \"B\" & \"C\" & \"D\" & \"E\";");
    sheet.Wire(u1, "A", "A-B");
    sheet.Wire(u1, "B", "N000001");
    sheet.Wire(u1, "C", "1");
    sheet.Wire(u1, "D", "~LD");
    sheet.Wire(u1, "E", "FIELD");
    CAbelFormat abel;
    Output output = Written(abel, sheet);
    // Declared under the names the equations use; nets "0" and "1" are constants.
    EXPECT_EQ(output.AbelDeclarations(), "N000002 node;\nN000001 node;\nFIELD node;\n~LD node;\n");
    EXPECT_EQ(output.AbelEquations(), "N000002 = N000001 & 1 & ~LD & FIELD;\n");
    CCuplFormat cupl;
    output = Written(cupl, sheet);
    EXPECT_EQ(output.CuplEquations(), "N000002 = N000001 & 1 & N000003 & N000004;\n");
}

TEST(LogicFormatTest, APortPinNamesItsNetAndANetOfThatNameIsRenamed) {
    Sheet sheet;
    Port(sheet, "EN", "ENA");
    Port(sheet, "OE", nullptr);
    CSymbol* u1 = Logic(sheet, "U1", {"X", "Y"}, "\"Y\" = \"X\";");
    sheet.Wire(u1, "X", "EN");
    sheet.Wire(u1, "Y", "ENA");
    CAbelFormat abel;
    const Output output = Written(abel, sheet);
    EXPECT_EQ(output.AbelDeclarations(), "EN pin;\nOE pin;\nN000001 node;\n");
    EXPECT_EQ(output.AbelEquations(), "EN = N000001;\n");
}

TEST(LogicFormatTest, CuplTakesPinNumbersFromItsOwnAttributeElseFromAbels) {
    Sheet sheet;
    CPin* clk = Port(sheet, "CLK", "CLK");
    clk->SetAttr("CUPL.PinType", "1", kSetAttrForce);
    clk->SetAttr("Abel.PinType", "'com'", kSetAttrForce);
    Port(sheet, "EN", "EN")->SetAttr("Abel.PinType", "2", kSetAttrForce);
    Port(sheet, "RST", "RST");
    CCuplFormat cupl;
    EXPECT_EQ(Written(cupl, sheet).CuplInputs(), "Pin 1 = CLK;\nPin 2 = EN;\nPin  = RST;\n");
    CAbelFormat abel;
    EXPECT_EQ(Written(abel, sheet).AbelDeclarations(),
              "CLK pin istype 'com';\nEN pin istype 2;\nRST pin;\n");
}

TEST(LogicFormatTest, OutputPortsAreListedAsOutputsAndTheOtherPortsAsInputs) {
    Sheet sheet;
    Port(sheet, "Q", "Q", 1)->SetAttr("CUPL.PinType", "14", kSetAttrForce);
    Port(sheet, "IO", "IO", 2)->SetAttr("CUPL.PinType", "15", kSetAttrForce);
    Port(sheet, "X", "X", 3)->SetAttr("CUPL.PinType", "16", kSetAttrForce);
    Port(sheet, "A", "A", 0)->SetAttr("CUPL.PinType", "2", kSetAttrForce);
    CCuplFormat cupl;
    const Output output = Written(cupl, sheet);
    EXPECT_EQ(output.CuplInputs(), "Pin 15 = IO;\nPin 16 = X;\nPin 2 = A;\n");
    EXPECT_EQ(output.CuplOutputs(), "Pin 14 = Q;\n");
}

// Only the top sheet's ports are pins of the device; the nets of a sub-circuit keep their
// prefixed names unless a port joins them to a net outside, and Abel does not allow them.
TEST(LogicFormatTest, SubCircuitsAreFlattenedIntoOneDevice) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/sub.sch", [](Sheet& sub) {
        sub.Wire(sub.Add("P1", kSymbolPort, {"IN"}), "IN", "A");
        CSymbol* u1 = Logic(sub, "U1", {"A", "Y"}, "\"Y\" = \"A\";");
        sub.Wire(u1, "A", "A");
        sub.Wire(u1, "Y", "B");
    });
    Sheet top("/d/top.sch");
    Port(top, "X", "X");
    top.Wire(top.Block("S1", "sub.sch", {"IN"}), "IN", "X");
    CAbelFormat abel;
    const Output output = Written(abel, top);
    EXPECT_EQ(output.AbelDeclarations(), "X pin;\nN000001 node;\n");
    EXPECT_EQ(output.AbelEquations(), "N000001 = X;\n");
}

TEST(LogicFormatTest, AnIllegalPortPinEndsAbelsModuleAndCuplsPinList) {
    Sheet sheet("/designs/top.sch");
    Port(sheet, "A", "A");
    Port(sheet, "Name", "N1");
    Port(sheet, "B-C", "N2");
    Port(sheet, "D", "D");
    Port(sheet, "Q", "Q", 1);
    Logic(sheet, "U1", {"A"}, "");
    CAbelFormat abel;
    Output output = Written(abel, sheet);
    EXPECT_EQ(output.text, "module top_sch\n\ndeclarations\nA pin;\nName pin;\n");
    EXPECT_EQ(output.log,
              "Error : Port Pin B-C - not a legal name for Abel format.\n"
              "\t(May contain only letters, digits or underscores).\n");
    EXPECT_EQ(output.body, 0);

    CCuplFormat cupl;
    output = Written(cupl, sheet);
    EXPECT_EQ(output.CuplInputs(), "Pin  = A;\n");
    EXPECT_EQ(output.CuplOutputs(), "Pin  = Q;\n");
    EXPECT_EQ(output.log,
              "Error : Port Pin Name - not a legal name for CUPL format.\n"
              "\t(contains a reserved CUPL keyword).\n"
              "Warning : U1 CUPL function not set.\n");
    EXPECT_EQ(output.body, 1);
}

TEST(LogicFormatTest, ABuildWhoseAbelModuleStoppedIsAnError) {
    testsupport::TempDir dir;
    nltest::LogCapture log;
    Sheet sheet((dir / "top.sch").c_str());
    Port(sheet, "3Q", "Q");
    const std::string file = (dir / "top.abl").string();
    CAbelFormat abel;
    EXPECT_FALSE(sheet.doc.BuildNetlist(file.c_str(), &abel));
    EXPECT_EQ(log.text(), "\fBuilding...\n" + (dir / "top.sch").string() +
                              "\n\nBuilding Final Target..\n"
                              "Error : Port Pin 3Q - not a legal name for Abel format.\n"
                              "\t(Must begin with alphabetic character or underscore).\n"
                              "\nError building netlist.\n");
}

}  // namespace

// A four-bit counter for a logic device: a register U1 and an incrementer U2 joined by the
// buses CNT[0..3] and NEXT[0..3]; input ports CLK, RST (on the net RESET) and EN, output
// ports Q0..Q3 on the members of CNT; internal nets whose names Abel or CUPL do not allow
// (CARRY/OUT, ~LOAD, FIELD), a constant net 1, an unwired pin T, and a symbol U3 without logic.
void FillCounter(Sheet& sheet) {
    sheet.doc.SetAttribute("CUPL.Part", "GAL16V8", 0);
    sheet.doc.SetAttribute("Revision", "3", 0);
    sheet.doc.SetAttribute("Drawn By", "J. Doe", 0);
    sheet.doc.SetAttribute("Company", "Vosk Labs", 0);
    Port(sheet, "CLK", "CLK")->SetAttr("CUPL.PinType", "1", kSetAttrForce);
    Port(sheet, "RST", "RESET")->SetAttr("CUPL.PinType", "2", kSetAttrForce);
    Port(sheet, "EN", "EN")->SetAttr("CUPL.PinType", "3", kSetAttrForce);
    for (int bit = 0; bit < 4; ++bit) {
        const std::string name = "Q" + std::to_string(bit);
        CPin* q = Port(sheet, name.c_str(), ("CNT" + std::to_string(bit)).c_str(), 1);
        q->SetAttr("Abel.PinType", "'reg'", kSetAttrForce);
        q->SetAttr("CUPL.PinType", std::to_string(14 + bit).c_str(), kSetAttrForce);
    }

    CSymbol* u1 = sheet.Part("U1", {"Q[0..3]", "D[0..3]", "CLK", "R", "OE"}, nullptr, "REG4");
    u1->SetAttr("Abel.Equations",
                "\"Q[0..3]\" := \"D[0..3]\";\n\"Q[0..3]\".clk = \"CLK\";\n"
                "\"Q[0..3]\".ar = \"R\";\n\"Q[0..3]\".oe = \"OE\";",
                kSetAttrForce);
    u1->SetAttr("CUPL.Equations",
                "\"Q[0..3]\".d = \"D[0..3]\";\n\"Q[0..3]\".ar = \"R\";\n\"Q[0..3]\".oe = \"OE\";",
                kSetAttrForce);
    sheet.Bus(u1, "Q[0..3]", "CNT[0..3]");
    sheet.Bus(u1, "D[0..3]", "NEXT[0..3]");
    sheet.Wire(u1, "CLK", "CLK");
    sheet.Wire(u1, "R", "RESET");
    sheet.Wire(u1, "OE", "1");

    CSymbol* u2 = Logic(sheet, "U2", {"Q[0..3]", "D[0..3]", "EN", "CO", "LD", "T", "S"},
                        "\"D0\" = \"Q0\" $ \"EN\";\n"
                        "\"D1\" = \"Q1\" $ (\"Q0\" & \"EN\");\n"
                        "\"D2\" = \"Q2\" $ (\"Q1\" & \"Q0\" & \"EN\");\n"
                        "\"D3\" = \"Q3\" $ (\"Q2\" & \"Q1\" & \"Q0\" & \"EN\");\n"
                        "\"CO\" = \"Q3\" & \"Q2\" & \"Q1\" & \"Q0\" & \"EN\" & \"LD\" & \"T\";\n"
                        "\"T\" = \"S\";\n");
    u2->SetAttr("Abel.Declaration", "\"CO\" istype 'com';", kSetAttrForce);
    u2->SetAttr("CUPL.Declaration", "field count = [\"Q3\", \"Q2\", \"Q1\", \"Q0\"];",
                kSetAttrForce);
    sheet.Bus(u2, "Q[0..3]", "CNT[0..3]");
    sheet.Bus(u2, "D[0..3]", "NEXT[0..3]");
    sheet.Wire(u2, "EN", "EN");
    sheet.Wire(u2, "CO", "CARRY/OUT");
    sheet.Wire(u2, "LD", "~LOAD");
    sheet.Wire(u2, "S", "FIELD");

    sheet.Part("U3", {}, nullptr, "NOTE");
}

// The counter built into a file as the user starts it, against a file written by hand.
class CounterDesignTest : public testing::TestWithParam<int> {};

TEST_P(CounterDesignTest, TheSourceFileIsComplete) {
    testsupport::TempDir dir;
    nltest::LogCapture log;
    Sheet sheet("/vosk-test/cnt.sch");
    FillCounter(sheet);
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    CNetlistFormat& writer = *formats[static_cast<size_t>(GetParam())];
    const bool abel = GetParam() == kFormatAbel;
    const std::string file = (dir / (std::string("cnt.") + writer.GetExtension())).string();

    EXPECT_TRUE(sheet.doc.BuildNetlist(file.c_str(), &writer));
    EXPECT_EQ(testsupport::ReadFileText(file),
              testsupport::ReadFileText(
                  std::string(VOSK_SOURCE_DIR) + "/tests/netlist/data/" +
                  (abel ? "counter-abel/expected.abl" : "counter-cupl/expected.pld")));
    EXPECT_EQ(log.text(), "\fBuilding...\n/vosk-test/cnt.sch\n\nBuilding Final Target..\n" +
                              std::string(abel ? "" : "Warning : U3 CUPL function not set.\n") +
                              file + "\n\nOK\n");
}

INSTANTIATE_TEST_SUITE_P(Formats, CounterDesignTest, testing::Values(kFormatAbel, kFormatCupl));
