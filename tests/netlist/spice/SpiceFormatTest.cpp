#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/SpiceSymbol.h"
#include "netlist/spice/SpiceDeck.h"
#include "netlist/walker/NetNode.h"

namespace {

using nltest::Sheet;
using spicetest::SpiceTest;

// A two-pin part with its own element template and value.
CSymbol* TwoPin(Sheet& sheet, const char* id, const char* templ, const char* value,
                const char* net1, const char* net2) {
    CSymbol* part = sheet.Add(id, kSymbolDevice, {"1", "2"});
    part->SetAttr("Spice.Device", templ, kSetAttrForce);
    part->SetAttr("_Value", value, kSetAttrForce);
    sheet.Wire(part, "1", net1);
    sheet.Wire(part, "2", net2);
    return part;
}

TEST_F(SpiceTest, TheGroundRailBecomesNodeZeroAndNamesAreMadeOfPrefixAndId) {
    Sheet sheet("/d/rc.sch");
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    TwoPin(sheet, "1", "R,1,2", "10k", "IN", "GND");
    EXPECT_EQ(Deck(sheet),
              "* Vosk Schematic - rc.sch Spice Netlist\n\n* Main Circuit\n"
              "* 1 aliased by R1\nR1  1 0 10k\n\n.end\n");
    EXPECT_EQ(ui.asked, 0);
}

TEST_F(SpiceTest, WithoutAKnownReferenceNetTheUserChoosesOneOrStopsTheDeck) {
    Sheet sheet("/d/rc.sch");
    sheet.doc.SetAttribute("Ground1", "GND", 0);  // no such net
    TwoPin(sheet, "R1", "R,1,2", "1", "A", "B");
    CSpiceFormat writer;
    EXPECT_EQ(Deck(writer, sheet), "");
    EXPECT_EQ(ui.asked, 1);

    ui.net = "B";
    EXPECT_EQ(Body(Deck(writer, sheet)), "R1  1 0 1\n");
    // The choice serves one deck only.
    EXPECT_EQ(Settings().GetProfileString("Spice", "RefNet"), "");
    Set("RefNet", "A");
    EXPECT_EQ(Body(Deck(writer, sheet)), "R1  0 1 1\n");
    EXPECT_EQ(ui.asked, 2);
}

// The deck written before stays as it was.
TEST_F(SpiceTest, ACancelledReferenceNetStopsTheBuild) {
    Sheet sheet((dir / "rc.sch").c_str());
    TwoPin(sheet, "R1", "R,1,2", "1", "A", "B");
    nltest::LogCapture buildLog;
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    const std::string deck = (dir / "rc.ckt").string();
    testsupport::WriteFileText(deck, "R1  1 0 1\r\n.end\r\n");
    EXPECT_FALSE(sheet.doc.BuildNetlist(deck.c_str(), formats[kFormatSpice].get()));
    EXPECT_EQ(buildLog.text(), "\fBuilding...\n\nBuild stopped.\n");
    EXPECT_EQ(testsupport::ReadFileText(deck), "R1  1 0 1\r\n.end\r\n");
}

// A definition typed in Modify Attribute is stored with CR LF line ends, as older files hold
// it too: each of its lines ends once in the deck file and in the output window.
TEST_F(SpiceTest, ADefinitionTypedOnSeveralLinesEndsEachLineOnce) {
    Sheet sheet((dir / "buf.sch").c_str());
    Set("RefNet", "GND");
    CSymbol* u1 = TwoPin(sheet, "U1", "X,1,2", "", "IN", "GND");
    u1->SetAttr("Spice.Subckt", "BUF", kSetAttrForce);
    u1->SetAttr("Spice.SubcktDef", "1 2\r\nE1 2 0 1 0 2\r\n", kSetAttrForce);
    nltest::LogCapture buildLog;
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    const std::string deck = (dir / "buf.ckt").string();
    ASSERT_TRUE(sheet.doc.BuildNetlist(deck.c_str(), formats[kFormatSpice].get()));
    const std::string text = testsupport::ReadFileText(deck);
    EXPECT_NE(text.find("\r\n.subckt BUF 1 2\r\nE1 2 0 1 0 2\r\n\r\n.ends\r\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("\r\r"), std::string::npos) << text;

    nltest::ScriptedReportUi ui;
    ui.choice = kFormatSpice;
    ASSERT_TRUE(sheet.doc.BuildNetlist(nullptr, nullptr));
    const std::string shown = ui.window.str();
    EXPECT_NE(shown.find("\n.subckt BUF 1 2\nE1 2 0 1 0 2\n\n.ends\n"), std::string::npos) << shown;
    EXPECT_EQ(shown.find('\r'), std::string::npos) << shown;
}

// The deck that leaves a part out is a failed build, which names the part and leaves the deck
// written before as it was.
TEST_F(SpiceTest, APartLeftOutFailsTheBuild) {
    Sheet sheet((dir / "rc.sch").c_str());
    Set("RefNet", "B");
    TwoPin(sheet, "R1", "R,1,2", "1", "A", "B");
    sheet.Wire(sheet.Source("V1", {"+", "-"}), "+", "A");
    nltest::LogCapture buildLog;
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    const std::string deck = (dir / "rc.ckt").string();
    testsupport::WriteFileText(deck, "old");
    EXPECT_FALSE(sheet.doc.BuildNetlist(deck.c_str(), formats[kFormatSpice].get()));
    const std::string text = buildLog.text();
    EXPECT_NE(text.find("Spice.Device attribute not set for V1.\n"), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with("\nError building netlist.\n")) << text;
    EXPECT_EQ(testsupport::ReadFileText(deck), "old");
}

// A source made by "Create a spice source" is an element of the deck: "V" and a number of its
// own, its first two pins as its nodes, its waveform after them.
TEST_F(SpiceTest, AMadeSourceIsAnElementOfItsOwn) {
    Sheet sheet("/d/v.sch");
    Set("RefNet", "GND");
    TwoPin(sheet, "R1", "R,1,2", "1k", "IN", "GND");
    for (const char* net : {"IN", "OUT"}) {
        CSpiceSymbol* source = sheet.Source("", {"Pin 1", "Pin 2"});
        source->MakeDeckElement();
        source->SetSourceKind(CSpiceSymbol::kPulse);
        sheet.Wire(source, "Pin 1", net);
        sheet.Wire(source, "Pin 2", "GND");
    }
    EXPECT_EQ(Body(Deck(sheet)),
              "R1  1 0 1k\nV1  1 0  PULSE(5V 0V 0 0 0 0 1)\n"
              "V2  2 0  PULSE(5V 0V 0 0 0 0 1)\n");
}

TEST_F(SpiceTest, ADuplicateNameTakesTheFirstFreeNumberOfItsPrefix) {
    Sheet sheet("/d/dup.sch");
    Set("RefNet", "GND");
    Set("SubsNets", 0);
    TwoPin(sheet, "R1", "R,1,2", "10", "A", "GND");
    TwoPin(sheet, "R1", "R,1,2", "20", "A", "GND");
    TwoPin(sheet, "R2", "R,1,2", "30", "A", "GND");
    TwoPin(sheet, "R10", "R,1,2", "40", "A", "GND");
    EXPECT_EQ(Body(Deck(sheet)),
              "R1  A 0 10\nR2  A 0 30\n* R1 aliased by R3\nR3  A 0 20\nR10  A 0 40\n");
}

TEST_F(SpiceTest, NetNamesBecomeNumbersUnlessSubstitutionIsOff) {
    Sheet sheet("/d/n.sch");
    Set("RefNet", "GND");
    TwoPin(sheet, "R1", "R,1,2", "1k", "IN", "A-1");
    TwoPin(sheet, "R2", "R,2,1", "1k", "GND", "OUT");
    EXPECT_EQ(Body(Deck(sheet)), "R1  1 2 1k\nR2  3 0 1k\n");
    Set("SubsNets", 0);
    EXPECT_EQ(Body(Deck(sheet)), "R1  IN 1 1k\nR2  OUT 0 1k\n");
}

TEST_F(SpiceTest, WithoutSubstitutionNumbersSkipNetsNamedLikeThem) {
    Sheet sheet("/d/n.sch");
    Set("RefNet", "GND");
    Set("SubsNets", 0);
    TwoPin(sheet, "R1", "R,1,2", "1k", "1", "A-1");
    TwoPin(sheet, "R2", "R,1,2", "1k", "", "0");
    CSymbol* open = sheet.Add("R3", kSymbolDevice, {"1", "2"});
    open->SetAttr("Spice.Device", "R,1,2", kSetAttrForce);
    open->SetAttr("_Value", "1", kSetAttrForce);
    sheet.Wire(open, "2", "GND");
    // A-1, the unnamed net, the net named 0 and the open pin all get numbers of their own; the
    // net named 0, which the simulator would read as ground, first and told.
    EXPECT_EQ(Body(Deck(sheet)), "R1  1 3 1k\nR2  4 2 1k\nR3  5 0 1\n");
    EXPECT_EQ(Log(), "Warning - net '0' would be ground to the simulator: renamed to node 2.\n");
}

// A rail is a net like any other to the simulator: one whose name differs from another net's
// only in case, or that the simulator would read as ground, takes a number too.
TEST_F(SpiceTest, ARailsKeptNameStaysApartFromNetsThatDifferOnlyInCase) {
    Sheet sheet("/d/r.sch");
    sheet.doc.SetAttribute("Ground1", "0V", 0);
    sheet.doc.SetAttribute("Power1", "VCC", 0);
    sheet.doc.SetAttribute("Power2", "gnd", 0);
    Set("SubsNets", 0);
    TwoPin(sheet, "R1", "R,1,2", "1k", "vcc", "0V");
    TwoPin(sheet, "R2", "R,1,2", "1k", "VCC", "gnd");
    // The nets in the order of their first wires: vcc, 0V, VCC, gnd.
    EXPECT_EQ(Body(Deck(sheet)), "R1  vcc 0 1k\nR2  1 2 1k\n");
    EXPECT_EQ(Log(),
              "Warning - net 'VCC' differs from net 'vcc' only in case: renamed to node 1.\n"
              "Warning - net 'gnd' would be ground to the simulator: renamed to node 2.\n");
}

// The deck marks the rails' nodes with control characters until it is complete: the same
// characters in a user's text stay as they are.
TEST_F(SpiceTest, ControlCharactersInATemplateStayAsTyped) {
    Sheet sheet("/d/c.sch");
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    sheet.doc.SetAttribute("Power1", "VCC", 0);
    CSymbol* r1 = TwoPin(sheet, "R1", "R,1,2", "1k", "VCC", "GND");
    r1->SetAttr("Spice.Params",
                "\x01\x02 \x01x\x02 \x01"
                "99999999999999999999\x02 \x01",
                kSetAttrForce);
    EXPECT_EQ(Body(Deck(sheet)),
              "R1  1 0 1k \x01\x02 \x01x\x02 \x01"
              "99999999999999999999\x02 \x01\n");
}

// A pin of the element template that the part hides is on the net its device gives it, or on
// the wire's net that ties it ("Connect Wire Implicitly To.."), drawn without a wire or not
// drawn at all.
TEST_F(SpiceTest, AHiddenPinOfTheTemplateIsOnItsNet) {
    Sheet sheet("/d/h.sch");
    Set("RefNet", "GND");
    Set("SubsNets", 0);
    auto* device = new CDevice("LOAD");
    device->SetAttr("Spice.Device", "R,1,VCC", TRUE);
    device->SetAttr("_Implicit", "VCC 8", TRUE);
    device->SetAttr("VCC.Net", "VCC", TRUE);
    for (const char* id : {"R1", "R2"}) {
        CSymbol* part = sheet.Part(id, {"1", "VCC"}, device, "LOAD");
        part->SetAttr("_Value", "1k", kSetAttrForce);
        sheet.Wire(part, "1", "GND");
    }
    CSymbol* undrawn = sheet.Part("R3", {"1"}, device, "LOAD");
    undrawn->SetAttr("_Value", "2k", kSetAttrForce);
    CNet* vdda = sheet.Wire(undrawn, "1", "VDDA")->GetNet();
    EXPECT_EQ(Body(Deck(sheet)), "R1  0 VCC 1k\nR2  0 VCC 1k\nR3  VDDA VCC 2k\n");
    vdda->SetAttr("_Implicit", "R2:VCC R3:VCC", 0);
    EXPECT_EQ(Body(Deck(sheet)), "R1  0 VCC 1k\nR2  0 VDDA 1k\nR3  VDDA VDDA 2k\n");
}

TEST_F(SpiceTest, SymbolsOfOneDeviceShareOneModelAndAnotherModelTextGetsAnotherName) {
    Sheet sheet("/d/q.sch");
    Set("RefNet", "GND");
    auto transistor = [](const char* model) {
        auto* device = new CDevice("Q2N2222");
        device->SetAttr("Spice.Model", model, TRUE);
        device->SetAttr("Spice.Device", "Q,C,B,E", TRUE);
        return device;
    };
    CDevice* npn = transistor("NPN(BF=100)");
    for (const char* id : {"Q1", "Q2"}) {
        CSymbol* q = sheet.Add(id, kSymbolDevice, {"C", "B", "E"}, npn);
        sheet.Wire(q, "C", "C");
        sheet.Wire(q, "B", "B");
        sheet.Wire(q, "E", "GND");
    }
    CSymbol* q3 = sheet.Add("Q3", kSymbolDevice, {"C", "B", "E"}, transistor("NPN(BF=50)"));
    sheet.Wire(q3, "C", "C");
    sheet.Wire(q3, "B", "B");
    sheet.Wire(q3, "E", "GND");
    EXPECT_EQ(Body(Deck(sheet)),
              "Q1  1 2 0 Q2N2222\nQ2  1 2 0 Q2N2222\nQ3  1 2 0 Q2N2222_2\n\n"
              "* Model Definitions\n.model Q2N2222_2 NPN(BF=50)\n.model Q2N2222 NPN(BF=100)\n");
}

TEST_F(SpiceTest, TemplatesReplaceReferencesToTheSymbolItsPinsNetsAndTheDocument) {
    Sheet sheet("/d/t.sch");
    Set("RefNet", "GND");
    sheet.doc.SetAttribute("Temp", "27", 0);
    CSymbol* c1 = TwoPin(sheet, "C1", "C,1,2", "1u", "OUT", "GND");
    c1->SetAttr("Spice.Params",
                "IC=\"_Pin.9._Net\" \"\"q\"\" \"_Pin.1\"/\"_Pin.2._Net\" \"_ID\" \"_Value\" "
                "\".Temp\" \"._Net.OUT\" \"._Symbol.C1._Value\"",
                kSetAttrForce);
    c1->SetAttr("Spice.Command", ".ic V(\"_Pin.1._Net\")=0 \".Missing\"", kSetAttrForce);
    EXPECT_EQ(Deck(sheet),
              "* Vosk Schematic - t.sch Spice Netlist\n\n* Main Circuit\n"
              "C1  1 0 1u IC= \"q\" 1/0 C1 1u 27 1 1u\n"
              "\n* Commands\n.ic V(1)=0 \n\n.end\n");
    EXPECT_EQ(Log(),
              "Error - Document attribute Missing not set.\n"
              "Warning - Spice.Command attribute _Pin.9._Net : Pin not found 9 in symbol C1\n");
}

TEST_F(SpiceTest, AFailingElementIsLeftAsACommentLineAndTheNextKeepsItsLine) {
    Sheet sheet("/d/f.sch");
    Set("RefNet", "GND");
    TwoPin(sheet, "R1", "R,1,9", "1k", "A", "GND");
    TwoPin(sheet, "R2", "R", "1k", "A", "GND");
    TwoPin(sheet, "R3", "R,1,2", "1k", "A", "GND");
    sheet.Add("U1", kSymbolDevice, {"1"});
    sheet.Add("J1", kSymbolDevice, {"1"})->SetAttr("Spice.Exclude", "", kSetAttrForce);
    // Parts without identifier are named by their device's or symbol's name and their place.
    for (auto [device, name, x, y] :
         {std::tuple{new CDevice("LM317"), "REG", 3200, -1900}, {nullptr, "CONN", -400, 600}}) {
        CSymbol* part = sheet.Add("", kSymbolDevice, {"1"}, device, name);
        part->RestorePosition(CRect(0, 0, 200, -200));
        part->OffsetBy(CSize(x, y));
    }
    CSpiceFormat writer;
    EXPECT_EQ(Body(Deck(writer, sheet, false)), "* R1  1\n* R2 \nR3  1 0 1k\n");
    // Elements without a name come first, those whose identifier is their name (empty) ahead.
    EXPECT_EQ(Log(),
              "Spice.Device attribute not set for LM317 at (3200,-1900).\n"
              "Spice.Device attribute not set for CONN at (-400,600).\n"
              "Spice.Device attribute not set for U1.\n"
              "Error : 'Spice.Device' attribute of R1, pin not found - '9'.\n"
              "No pins specified for R2 in Spice.Device attribute.\n");
}

TEST_F(SpiceTest, TheSubFormatVariantAndTheDeviceWinOverTheSymbol) {
    Sheet sheet("/d/s.sch");
    Set("RefNet", "GND");
    auto* device = new CDevice("DIODE");
    device->SetAttr("Spice.Params", "AREA=2", TRUE);
    CSymbol* d1 = sheet.Add("D1", kSymbolDevice, {"A", "K"}, device);
    d1->SetAttr("Spice.Device", "Q,A,K", kSetAttrForce);
    d1->SetAttr("Spice.PSPICE.Device", "D,A,K", kSetAttrForce);
    d1->SetAttr("Spice.Params", "AREA=1", kSetAttrForce);
    d1->SetAttr("_Value", "DMOD", kSetAttrForce);
    sheet.Wire(d1, "A", "GND");
    sheet.Wire(d1, "K", "OUT");
    EXPECT_EQ(Body(Deck(sheet)), "* D1 aliased by QD1\nQD1  0 1 DMOD AREA=2\n");
    Set("SubFormat", "PSPICE");
    EXPECT_EQ(Body(Deck(sheet)), "D1  0 1 DMOD AREA=2\n");
}

TEST_F(SpiceTest, ASubcircuitCallReadsItsDefinitionFromTheSpiceFolder) {
    Sheet sheet("/d/x.sch");
    Set("RefNet", "GND");
    app.Settings().WriteProfileString("Directories", "spice", dir.path().string().c_str());
    std::ofstream(dir / "OPAMP.ckt") << "OPAMP model\r\n.subckt OPAMP 1 2 3\n.ends\n";
    CSymbol* u1 = sheet.Add("U1", kSymbolDevice, {"+", "-", "OUT"});
    u1->SetAttr("Spice.Device", "X,+,-,OUT", kSetAttrForce);
    u1->SetAttr("Spice.Subckt", "OPAMP", kSetAttrForce);
    sheet.Wire(u1, "+", "IN");
    sheet.Wire(u1, "-", "OUT");
    sheet.Wire(u1, "OUT", "OUT");
    CSymbol* u2 = sheet.Add("U2", kSymbolDevice, {"1", "2"});
    u2->SetAttr("Spice.Device", "X,1,2", kSetAttrForce);
    u2->SetAttr("Spice.Subckt", "BUF", kSetAttrForce);
    u2->SetAttr("Spice.SubcktDef", "1 2\nE1 2 0 1 0 \"_Value\"", kSetAttrForce);
    u2->SetAttr("_Value", "2", kSetAttrForce);
    sheet.Wire(u2, "1", "IN");
    sheet.Wire(u2, "2", "GND");
    EXPECT_EQ(Body(Deck(sheet)),
              "* U1 aliased by XU1\nXU1  1 2 2 OPAMP\n* U2 aliased by XU2\nXU2  1 0 BUF\n"
              "\n* Sub-Circuit BUF\n\n.subckt BUF 1 2\nE1 2 0 1 0 2\n.ends\n"
              "\n* Sub-Circuit OPAMP\n\n* OPAMP model\n.subckt OPAMP 1 2 3\n.ends\n\n");

    std::filesystem::remove(dir / "OPAMP.ckt");
    Deck(sheet);
    EXPECT_EQ(Log(), "Error - could not open file " + (dir / "OPAMP.ckt").string() + "\n");
}

TEST_F(SpiceTest, ASourceSymbolWritesItsWaveformUnlessItsLineHasOne) {
    Sheet sheet("/d/v.sch");
    Set("RefNet", "GND");
    CSpiceSymbol* v1 = sheet.Source("V1", {"+", "-"});
    v1->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
    v1->SetAttr("_Value", "AC 1", kSetAttrForce);
    v1->SetSourceKind(CSpiceSymbol::kPulse);
    sheet.Wire(v1, "+", "IN");
    sheet.Wire(v1, "-", "GND");
    CSpiceSymbol* v2 = sheet.Source("V2", {"+", "-"});
    v2->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
    v2->SetAttr("Spice.Params", "sin(0 1 1k)", kSetAttrForce);
    v2->SetSourceKind(CSpiceSymbol::kSin);
    sheet.Wire(v2, "+", "IN");
    sheet.Wire(v2, "-", "GND");
    CSpiceSymbol* v3 = sheet.Source("V3", {"+", "-"});
    v3->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
    sheet.Wire(v3, "+", "IN");
    sheet.Wire(v3, "-", "GND");
    EXPECT_EQ(Body(Deck(sheet)),
              "V1  1 0 AC 1 PULSE(5V 0V 0 0 0 0 1)\nV2  1 0  sin(0 1 1k)\nV3  1 0  DC 5V\n");
}

// A sheet "amp" of two ports IN and OUT, a resistor from IN to an inner net MID and one from
// MID to OUT.
void FillAmp(Sheet& amp) {
    amp.Wire(amp.Add("P1", kSymbolPort, {"IN"}), "IN", "IN");
    amp.Wire(amp.Add("P2", kSymbolPort, {"OUT"}), "OUT", "OUT");
    TwoPin(amp, "R1", "R,1,2", "1k", "IN", "MID");
    TwoPin(amp, "R2", "R,1,2", "2k", "MID", "OUT");
}

TEST_F(SpiceTest, EachSubcircuitSheetIsDefinedOnceWithNodesOfItsOwn) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/amp.sch", FillAmp);
    opener.Serve("/d/preamplifier.sch", FillAmp);
    opener.Serve("/d/postamplifier.sch", FillAmp);
    Sheet sheet("/d/top.sch");
    Set("RefNet", "GND");
    for (const char* id : {"S1", "S2"}) {
        CSymbol* block = sheet.Block(id, "amp.sch", {"IN", "OUT"});
        sheet.Wire(block, "IN", "IN");
        sheet.Wire(block, "OUT", "OUT");
    }
    CSymbol* pre = sheet.Block("S3", "preamplifier.sch", {"IN", "OUT"});
    sheet.Wire(pre, "IN", "OUT");
    sheet.Wire(pre, "OUT", "GND");
    CSymbol* post = sheet.Block("S4", "postamplifier.sch", {"IN", "OUT"});
    sheet.Wire(post, "IN", "GND");
    sheet.Wire(post, "OUT", "IN");
    CSpiceFormat writer;
    const std::string deck =
        "* Vosk Schematic - top.sch Spice Netlist\n\n* Main Circuit\n"
        "* S1 aliased by XS1\nXS1  1 2 amp\n* S2 aliased by XS2\nXS2  1 2 amp\n"
        "* S3 aliased by XS3\nXS3  2 0 Sub1\n* S4 aliased by XS4\nXS4  0 1 Sub2\n"
        "\n* Sub-Circuit amp\n.subckt  amp  1  2\nR1  1 3 1k\nR2  3 2 2k\n.ends\n"
        "\n* Sub-Circuit Sub1\n.subckt  Sub1  1  2\nR1  1 3 1k\nR2  3 2 2k\n.ends\n"
        "\n* Sub-Circuit Sub2\n.subckt  Sub2  1  2\nR1  1 3 1k\nR2  3 2 2k\n.ends\n"
        "\n.end\n";
    EXPECT_EQ(Deck(writer, sheet), deck);
    // A second deck from the same writer is the same deck.
    EXPECT_EQ(Deck(writer, sheet), deck);
}

TEST_F(SpiceTest, AnUnresolvedPortEndsItsSubcircuitAtOnce) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/amp.sch", FillAmp);
    Sheet sheet("/d/top.sch");
    Set("RefNet", "GND");
    CSymbol* block = sheet.Block("S1", "amp.sch", {"IN", "X"});
    sheet.Wire(block, "IN", "IN");
    sheet.Wire(block, "X", "GND");
    EXPECT_EQ(Body(Deck(sheet)),
              "* S1 aliased by XS1\nXS1  1 0 amp\n\n* Sub-Circuit amp\n.subckt  amp  1\n.ends\n");
    EXPECT_EQ(Log(), "Error - unresolved port 'X'.\n");
}

// The port PWR of inner.sch lies on ground; the port P of middle.sch reaches it through the
// block Z1. Neither port is a formal "0": the net SENSE that reaches P from the top is ground, and
// the top's rail VCC, which X2 ties to P, stays a rail of its own.
TEST_F(SpiceTest, APortTiedToGroundThroughADeeperBlockIsNoFormal) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/inner.sch", [](Sheet& inner) {
        inner.doc.SetAttribute("Ground1", "GND", 0);
        inner.Wire(inner.Add("P1", kSymbolPort, {"PWR"}), "PWR", "GND");
        TwoPin(inner, "R1", "R,1,2", "1k", "GND", "X");
    });
    opener.Serve("/d/middle.sch", [](Sheet& middle) {
        middle.Wire(middle.Add("P1", kSymbolPort, {"P"}), "P", "Q");
        middle.Wire(middle.Block("Z1", "inner.sch", {"PWR"}), "PWR", "Q");
        TwoPin(middle, "R2", "R,1,2", "1k", "Q", "M");
    });
    Sheet sheet("/d/top.sch");
    Set("RefNet", "GND");
    sheet.doc.SetAttribute("Power1", "VCC", 0);
    TwoPin(sheet, "R3", "R,1,2", "1k", "VCC", "GND");
    sheet.Wire(sheet.Block("X1", "middle.sch", {"P"}), "P", "SENSE")
        ->GetNet()
        ->SetFlags(kNetNamed, kNetNamed);
    sheet.Wire(sheet.Block("X2", "middle.sch", {"P"}), "P", "VCC");
    EXPECT_EQ(Body(Deck(sheet)),
              "R3  1 0 1k\nX1  0 middle\nX2  1 middle\n"
              "\n* Sub-Circuit middle\n.subckt  middle  2\nR2  0 3 1k\n"
              "* Z1 aliased by XZ1\nXZ1  0 inner\n.ends\n"
              "\n* Sub-Circuit inner\n.subckt  inner  2\nR1  0 3 1k\n.ends\n");
    EXPECT_EQ(
        Log(),
        "Warning - net 'SENSE' takes the name of rail 'GND', to which port 'P' of X1 ties it.\n"
        "Error - port 'P' of X2 shorts rails 'VCC' and 'GND'.\n");
}

// The reference net chosen, n0003, reaches the port P of gnd.sch, which lies on that sheet's
// ground rail: as in every netlist, n0003 becomes that rail, so the rail is node 0 inside too.
TEST_F(SpiceTest, TheRailThatAPortMakesOfTheReferenceNetIsNodeZero) {
    nltest::ScriptedOpener opener;
    opener.Serve("/d/gnd.sch", [](Sheet& gnd) {
        gnd.doc.SetAttribute("Ground1", "GND", 0);
        gnd.Wire(gnd.Add("P1", kSymbolPort, {"P"}), "P", "GND");
        TwoPin(gnd, "R1", "R,1,2", "1k", "GND", "X");
    });
    Sheet top("/d/top.sch");
    TwoPin(top, "R2", "R,1,2", "1k", "IN", "n0003");
    top.Wire(top.Block("X1", "gnd.sch", {"P"}), "P", "n0003");
    ui.net = "n0003";
    EXPECT_EQ(Body(Deck(top)),
              "R2  1 0 1k\nX1  0 gnd\n\n* Sub-Circuit gnd\n.subckt  gnd  1\nR1  0 2 1k\n.ends\n");
}

TEST_F(SpiceTest, IncludesCommandsAnalysesAndExtraCommandsCloseTheDeck) {
    Sheet sheet("/d/e.sch");
    Set("RefNet", "GND");
    CSymbol* r1 = TwoPin(sheet, "R1", "R,1,2", "1k", "IN", "GND");
    r1->SetAttr("Spice.Include", "/lib/a.lib", kSetAttrForce);
    CSymbol* r2 = TwoPin(sheet, "R2", "R,1,2", "1k", "IN", "GND");
    r2->SetAttr("Spice.Include", "/LIB/A.LIB", kSetAttrForce);
    Set("Analyses", 0x1);
    Set("Extra", ".print dc v(1)\n.options noacct\n");
    EXPECT_EQ(Body(Deck(sheet)) + "\n.end\n",
              "R1  1 0 1k\nR2  1 0 1k\n.include /lib/a.lib\n\n* Analyses\n.op \n"
              "\n* Extra Commands\n.print dc v(1)\n.options noacct\n\n.end\n");
}

TEST_F(SpiceTest, OKOnTheOptionsMakesTheNextDeckReadTheAnalysesAgain) {
    Sheet sheet("/d/o.sch");
    Set("RefNet", "GND");
    TwoPin(sheet, "R1", "R,1,2", "1k", "IN", "GND");
    Set("Analyses", 0x1);
    CSpiceFormat writer;
    EXPECT_EQ(Analyses(Deck(writer, sheet)), ".op \n");
    Set("Analyses", 0x2);
    EXPECT_EQ(Analyses(Deck(writer, sheet)), ".op \n");
    ui.optionsOk = FALSE;
    EXPECT_EQ(writer.EditOptions(&sheet.doc.m_netlist), 0);
    EXPECT_EQ(Analyses(Deck(writer, sheet)), ".op \n");
    ui.optionsOk = TRUE;
    EXPECT_EQ(writer.EditOptions(&sheet.doc.m_netlist), 1);
    EXPECT_EQ(Analyses(Deck(writer, sheet)), ".tran 10ns 1us \n");
}

TEST(SpiceNamesTest, NamesCompareByStemThenByNumber) {
    EXPECT_LT(CSpiceFormat::CompareSpiceNames("R2", "R10"), 0);
    EXPECT_EQ(CSpiceFormat::CompareSpiceNames("r2", "R2"), 0);
    EXPECT_EQ(CSpiceFormat::CompareSpiceNames("R02", "R2"), 0);
    EXPECT_GT(CSpiceFormat::CompareSpiceNames("R10", "R9"), 0);
    EXPECT_LT(CSpiceFormat::CompareSpiceNames("C9", "R1"), 0);
    // Stems of different lengths compare as whole names.
    EXPECT_LT(CSpiceFormat::CompareSpiceNames("RA1", "RB"), 0);
    EXPECT_EQ(CSpiceFormat::CompareSpiceNames("", ""), 0);
}

TEST(SpiceNamesTest, ProposedNamesAreThePrefixAndIdOfAtMostSevenCharacters) {
    Sheet sheet;
    CSpiceFormat writer;
    auto name = [&](const char* id, const char* templ) {
        CSymbol* symbol = sheet.Add(id, kSymbolDevice, {"1"});
        symbol->SetAttr("Spice.Device", templ, kSetAttrForce);
        return writer.MakeSpiceName(*symbol);
    };
    EXPECT_EQ(name("1", "R,1,2"), "R1");
    EXPECT_EQ(name("r5", "R,1,2"), "r5");
    EXPECT_EQ(name("C12", "R,1,2"), "RC12");
    EXPECT_EQ(name("ABCDEFG", "R,1,2"), "R1");
    EXPECT_EQ(name("R1.A", "R,1,2"), "R1");
    EXPECT_EQ(name("Q7", ""), "");
    EXPECT_EQ(name("Q7", "V ,1"), "Q7");
    EXPECT_EQ(name("Q-7", "V ,1"), "1");
    EXPECT_EQ(writer.MakeSpiceName(*sheet.Block("S1", "a.sch", {"1"})), "XS1");
}

}  // namespace
