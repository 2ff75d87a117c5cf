// Spice decks run by ngspice: an RC low-pass, compared with the deck written by hand, gives the
// -3 dB frequency and time constant of the circuit; the analyses that name output variables
// give the values of a divider.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SpiceSymbol.h"
#include "netlist/spice/SpiceDeck.h"

namespace {

using nltest::Sheet;

// A filter sheet with the ground rail GND of every new schematic: its input port feeds 100 nF to
// ground, clamped by a diode, and reaches the output port through 1 ohm.
void FillFilter(Sheet& sheet) {
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "A");
    sheet.Wire(sheet.Add("P2", kSymbolPort, {"OUT"}), "OUT", "B");
    auto twoPin = [&](const char* id, const char* value, const char* net1, const char* net2) {
        CSymbol* part = sheet.Add(id, kSymbolDevice, {"1", "2"});
        part->SetAttr("Spice.Device", id[0] == 'C' ? "C,1,2" : "R,1,2", kSetAttrForce);
        part->SetAttr("_Value", value, kSetAttrForce);
        sheet.Wire(part, "1", net1);
        sheet.Wire(part, "2", net2);
    };
    twoPin("C1", "100n", "A", "GND");
    twoPin("R2", "1", "A", "B");
    auto* diode = new CDevice("D1N4148");
    diode->SetAttr("Spice.Device", "D,A,K", TRUE);
    diode->SetAttr("Spice.Model", "D(IS=2.52n RS=0.568 N=1.752 CJO=4p M=0.4 TT=20n)", TRUE);
    CSymbol* d1 = sheet.Add("D1", kSymbolDevice, {"A", "K"}, diode);
    sheet.Wire(d1, "A", "GND");
    sheet.Wire(d1, "K", "A");
}

// The pulse and AC source V1 drives the filter block through 1 kohm.
void FillTop(Sheet& sheet) {
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    CSpiceSymbol* v1 = sheet.Source("V1", {"+", "-"});
    v1->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
    v1->SetAttr("_Value", "DC 0 AC 1", kSetAttrForce);
    v1->SetSourceKind(CSpiceSymbol::kPulse);
    ASSERT_EQ(v1->StoreSet(CSpiceSymbol::kPulse, {"0", "1", "0", "1u", "1u", "2m", "4m"}), -1);
    sheet.Wire(v1, "+", "IN");
    sheet.Wire(v1, "-", "GND");
    CSymbol* r1 = sheet.Add("R1", kSymbolDevice, {"1", "2"});
    r1->SetAttr("Spice.Device", "R,1,2", kSetAttrForce);
    r1->SetAttr("_Value", "1k", kSetAttrForce);
    sheet.Wire(r1, "1", "IN");
    sheet.Wire(r1, "2", "MID");
    CSymbol* block = sheet.Block("S1", "filter.sch", {"IN", "OUT"});
    sheet.Wire(block, "IN", "MID");
    sheet.Wire(block, "OUT", "OUT");
}

class SpiceSimulationTest : public spicetest::SpiceTest {
protected:
    void SetUp() override {
        Set("Analyses", 0x12);
        Set("Tran.Step", "10us");
        Set("Tran.Stop", "4ms");
        Set("AC.nScale", 2);
        Set("AC.nPoints", 100);
        Set("AC.Start", "10");
        Set("AC.End", "1Meg");
        // Node 3 is the filter's output.
        Set("Extra",
            ".control\nrun\nsetplot ac1\nmeas ac f3db when vdb(3)=-3.0103\nsetplot tran1\n"
            "meas tran tau when v(3)=0.632121 rise=1\n.endc\n");
    }
};

// What ngspice prints for the deck in batch mode.
std::string RunNgspice(const std::string& deck) {
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        popen(("ngspice -b '" + deck + "' 2>&1").c_str(), "r"), pclose);
    if (!pipe)
        return output;
    char buffer[4096];
    while (std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe.get()))
        output.append(buffer, read);
    return output;
}

// The value of "<name> = <value>" in ngspice's output; NaN when it is missing.
double Measured(const std::string& output, const std::string& name) {
    const std::size_t at = output.find(name + " ");
    const std::size_t equals = at == std::string::npos ? at : output.find('=', at);
    if (equals == std::string::npos)
        return NAN;
    return std::strtod(output.c_str() + equals + 1, nullptr);
}

TEST_F(SpiceSimulationTest, TheRCLowPassDeckIsTheOneWrittenByHandAndSimulates) {
    nltest::ScriptedOpener opener;
    opener.Serve((dir / "filter.sch").string(), FillFilter);
    nltest::LogCapture buildLog;
    Sheet top((dir / "rc.sch").c_str());
    FillTop(top);
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    const std::string deck = (dir / "rc.ckt").string();
    ASSERT_TRUE(top.doc.BuildNetlist(deck.c_str(), formats[kFormatSpice].get()));
    EXPECT_EQ(testsupport::ReadFileText(deck),
              testsupport::ReadFileText(std::string(VOSK_SOURCE_DIR) +
                                        "/tests/netlist/data/spice-rc-lowpass/expected.ckt"));

    if (std::system("command -v ngspice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ngspice is not installed (Debian package ngspice): the deck was not run";
    const std::string output = RunNgspice(deck);
    EXPECT_EQ(output.find("rror"), std::string::npos) << output;
    // f = 1 / (2 pi R C) with 1 kohm and 100 nF; tau = R C.
    EXPECT_NEAR(Measured(output, "f3db"), 1591.55, 1591.55 * 0.01) << output;
    EXPECT_NEAR(Measured(output, "tau"), 100e-6, 100e-6 * 0.01) << output;
}

bool NgspiceMissing() {
    return std::system("command -v ngspice >/dev/null 2>&1") != 0;
}

// What ngspice prints for the deck text, written to file.
std::string RunDeck(const std::filesystem::path& file, const std::string& deck) {
    testsupport::WriteFileText(file, deck);
    return RunNgspice(file.string());
}

// The magnitude of the fundamental in ngspice's Fourier table of the variable; NaN when there
// is no such table.
double FourierFundamental(const std::string& output, const std::string& variable) {
    const std::size_t table = output.find("Fourier analysis for " + variable + ":");
    const std::size_t row = table == std::string::npos ? table : output.find("\n 1 ", table);
    if (row == std::string::npos)
        return NAN;
    char* end = nullptr;
    std::strtod(output.c_str() + row + 3, &end);  // the frequency
    return std::strtod(end, nullptr);
}

// A 1 kohm over 1 kohm divider fed by V1 at IN: IN is node 1, OUT node 2.
class SpiceOutputVariableRunTest : public spicetest::SpiceTest {
protected:
    SpiceOutputVariableRunTest() {
        Set("RefNet", "GND");
        v1 = sheet.Add("V1", kSymbolSimulation, {"+", "-"});
        v1->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
        sheet.Wire(v1, "+", "IN");
        sheet.Wire(v1, "-", "GND");
        for (auto [id, from, to] : {std::array{"R1", "IN", "OUT"}, {"R2", "OUT", "GND"}}) {
            CSymbol* r = sheet.Add(id, kSymbolDevice, {"1", "2"});
            r->SetAttr("Spice.Device", "R,1,2", kSetAttrForce);
            r->SetAttr("_Value", "1k", kSetAttrForce);
            sheet.Wire(r, "1", from);
            sheet.Wire(r, "2", to);
        }
    }
    // ngspice's output for the deck, which is also kept in deck.
    std::string Run(int analyses) {
        Set("Analyses", analyses);
        deck = Deck(sheet);
        return RunDeck(dir / "divider.ckt", deck);
    }

    nltest::Sheet sheet{"/d/divider.sch"};
    CSymbol* v1 = nullptr;
    std::string deck;
};

TEST_F(SpiceOutputVariableRunTest, FourierOfVoltagesAgainstGroundAndAnotherNet) {
    if (NgspiceMissing())
        GTEST_SKIP() << "ngspice is not installed (Debian package ngspice)";
    v1->SetAttr("_Value", "DC 0 SIN(0 1 1k)", kSetAttrForce);
    Set("Tran.Step", "10us");
    Set("Tran.Stop", "3ms");
    Set("Four.Fundamental", "1k");
    Set("Four.OutVar", "V(IN) V(OUT,GND) V(IN,OUT) I(V1)");
    const std::string output = Run(0x6);
    EXPECT_EQ(Analyses(deck), ".tran 10us 3ms \n.four 1k V( 1 ) V( 2 ) V( 1, 2 ) I( V1 ) \n");
    EXPECT_EQ(output.find("rror"), std::string::npos) << output;
    EXPECT_EQ(output.find("can't parse"), std::string::npos) << output;
    EXPECT_NEAR(FourierFundamental(output, "v(1)"), 1.0, 0.01) << output;
    EXPECT_NEAR(FourierFundamental(output, "v(2)"), 0.5, 0.005) << output;
    EXPECT_NEAR(FourierFundamental(output, "v(1,2)"), 0.5, 0.005) << output;
    EXPECT_NEAR(FourierFundamental(output, "i(v1)"), 0.5e-3, 0.005e-3) << output;
}

// One deck per analysis, so that the analysis' own results are ngspice's current plot.
TEST_F(SpiceOutputVariableRunTest, SensitivityNoiseAndTransferFunctionOfTheDividerOutput) {
    if (NgspiceMissing())
        GTEST_SKIP() << "ngspice is not installed (Debian package ngspice)";
    v1->SetAttr("_Value", "DC 1 AC 1", kSetAttrForce);
    Set("MC.Var", "V(OUT,GND)");
    Set("Noise.Out", "OUT");
    Set("Noise.Source", "V1");
    Set("TF.Source", "V1");
    Set("TF.OutVar", "V(OUT)");
    constexpr double kBoltzmann = 1.380649e-23;
    constexpr double kKelvin = 300.15;
    struct Case {
        int analysis;
        const char* line;
        const char* result;
        double expected;
    };
    const Case cases[] = {
        // d V(OUT) / d R2 = R1 / (R1 + R2)^2 for 1 V.
        {0x20, ".sens V( 2 )\n", "r2", 1e3 / 4e6},
        // The thermal noise of 500 ohm over 20 Hz to 20 kHz.
        {0x40, ".noise V( 2 ) V1 lin 20 20 20k\n", "onoise_total",
         std::sqrt(4 * kBoltzmann * kKelvin * 500 * (20e3 - 20))},
        {0x80, ".tf V( 2 ) V1\n", "transfer_function", 0.5},
    };
    for (const Case& c : cases) {
        Set("Extra", (std::string(".control\nrun\nprint ") + c.result + "\nquit\n.endc\n").c_str());
        const std::string output = Run(c.analysis);
        EXPECT_NE(deck.find(std::string("\n* Analyses\n") + c.line), std::string::npos) << deck;
        EXPECT_EQ(output.find("rror"), std::string::npos) << output;
        EXPECT_NEAR(Measured(output, c.result), c.expected, c.expected * 0.01) << output;
    }
}

// Two dividers of 10 V: 1 kohm over 1 kohm at Out, 1 kohm over 3 kohm at OUT. The simulator
// reads node names without regard to case, so OUT needs a node name of its own.
using SpiceNetNameRunTest = spicetest::SpiceTest;

TEST_F(SpiceNetNameRunTest, NetsWhoseNamesDifferOnlyInCaseStayApart) {
    nltest::Sheet dividers("/d/dividers.sch");
    CSymbol* v1 = dividers.Add("V1", kSymbolSimulation, {"+", "-"});
    v1->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
    v1->SetAttr("_Value", "DC 10", kSetAttrForce);
    dividers.Wire(v1, "+", "IN");
    dividers.Wire(v1, "-", "GND");
    for (auto [id, value, from, to] : {std::array{"R1", "1k", "IN", "Out"},
                                       {"R2", "1k", "Out", "GND"},
                                       {"R3", "1k", "IN", "OUT"},
                                       {"R4", "3k", "OUT", "GND"}}) {
        CSymbol* r = dividers.Add(id, kSymbolDevice, {"1", "2"});
        r->SetAttr("Spice.Device", "R,1,2", kSetAttrForce);
        r->SetAttr("_Value", value, kSetAttrForce);
        dividers.Wire(r, "1", from);
        dividers.Wire(r, "2", to);
    }
    Set("RefNet", "GND");
    Set("SubsNets", 0);
    Set("Analyses", 0x1);
    Set("Extra", ".control\nrun\nprint v(Out) v(1)\nquit\n.endc\n");
    const std::string deck = Deck(dividers);
    // OUT takes the first number of the sheet.
    EXPECT_TRUE(Body(deck).starts_with(
        "R1  IN Out 1k\nR2  Out 0 1k\nR3  IN 1 1k\nR4  1 0 3k\nV1  IN 0 DC 10\n"))
        << deck;
    EXPECT_EQ(Log(),
              "Warning - net 'OUT' differs from net 'Out' only in case: renamed to node 1.\n");

    if (NgspiceMissing())
        GTEST_SKIP() << "ngspice is not installed (Debian package ngspice): the deck was not run";
    const std::string output = RunDeck(dir / "dividers.ckt", deck);
    EXPECT_NEAR(Measured(output, "v(out)"), 5.0, 0.01) << output;
    EXPECT_NEAR(Measured(output, "v(1)"), 7.5, 0.01) << output;
}

// Ground is the rail 0V; a divider of two 1 kohm resistors from 10 V to it has its middle on a
// net the user named GND, which the simulator would read as ground: it becomes a number, so
// that the middle lies at 5 V.
TEST_F(SpiceNetNameRunTest, ANetNamedGndThatIsNotTheReferenceIsNoGround) {
    nltest::Sheet divider("/d/divider.sch");
    divider.doc.SetAttribute("Ground1", "0V", 0);
    CSymbol* v1 = divider.Add("V1", kSymbolSimulation, {"+", "-"});
    v1->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
    v1->SetAttr("_Value", "DC 10", kSetAttrForce);
    divider.Wire(v1, "+", "IN");
    divider.Wire(v1, "-", "0V");
    for (auto [id, from, to] : {std::array{"R1", "IN", "GND"}, {"R2", "GND", "0V"}}) {
        CSymbol* r = divider.Add(id, kSymbolDevice, {"1", "2"});
        r->SetAttr("Spice.Device", "R,1,2", kSetAttrForce);
        r->SetAttr("_Value", "1k", kSetAttrForce);
        divider.Wire(r, "1", from);
        divider.Wire(r, "2", to);
    }
    Set("SubsNets", 0);
    Set("Extra", ".control\nop\nprint v(1)\n.endc\n");
    const std::string deck = Deck(divider);
    EXPECT_TRUE(Body(deck).starts_with("R1  IN 1 1k\nR2  1 0 1k\nV1  IN 0 DC 10\n")) << deck;
    EXPECT_EQ(Log(), "Warning - net 'GND' would be ground to the simulator: renamed to node 1.\n");

    if (NgspiceMissing())
        GTEST_SKIP() << "ngspice is not installed (Debian package ngspice): the deck was not run";
    const std::string output = RunDeck(dir / "divider.ckt", deck);
    EXPECT_NEAR(Measured(output, "v(1)"), 5.0, 0.01) << output;
}

// A divider from its sheet's own "+5v" rail symbol to ground, its middle the port OUT.
void FillRailDivider(Sheet& sheet) {
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    sheet.doc.SetAttribute("Power1", "+5v", 0);
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"OUT"}), "OUT", "B");
    for (const char* rail : {"+5v", "GND"})
        sheet.Wire(sheet.Add(rail, kSymbolNetConnector, {rail}), rail, rail);
    for (auto [id, from, to] : {std::array{"R1", "+5v", "B"}, {"R2", "B", "GND"}}) {
        CSymbol* r = sheet.Add(id, kSymbolDevice, {"1", "2"});
        r->SetAttr("Spice.Device", "R,1,2", kSetAttrForce);
        r->SetAttr("_Value", "1k", kSetAttrForce);
        sheet.Wire(r, "1", from);
        sheet.Wire(r, "2", to);
    }
}

// The same divider, 2k over 1k, from a "+5v" rail symbol on a sheet whose own "Power1" is
// "+3v3".
void FillRailSymbolDivider(Sheet& sheet) {
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    sheet.doc.SetAttribute("Power1", "+3v3", 0);
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"OUT"}), "OUT", "B");
    for (const char* rail : {"+5v", "GND"}) {
        CSymbol* symbol = sheet.Add(rail, kSymbolNetConnector, {rail});
        constexpr int kPowerPin = 7;
        symbol->FindPin(rail)->SetPinType(kPowerPin);
        sheet.Wire(symbol, rail, rail);
    }
    for (auto [id, value, from, to] :
         {std::array{"R1", "2k", "+5v", "B"}, {"R2", "1k", "B", "GND"}}) {
        CSymbol* r = sheet.Add(id, kSymbolDevice, {"1", "2"});
        r->SetAttr("Spice.Device", "R,1,2", kSetAttrForce);
        r->SetAttr("_Value", value, kSetAttrForce);
        sheet.Wire(r, "1", from);
        sheet.Wire(r, "2", to);
    }
}

// V1 feeds the main circuit's "+5v" rail; the block X1 of the divider sheet has no pin for it.
class SpiceRailTest : public spicetest::SpiceTest {
protected:
    // The top sheet's rails GND and +5v, and V1 of 5 V between them.
    static void Supply(Sheet& top) {
        top.doc.SetAttribute("Ground1", "GND", 0);
        top.doc.SetAttribute("Power1", "+5v", 0);
        CSymbol* v1 = top.Add("V1", kSymbolSimulation, {"+", "-"});
        v1->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
        v1->SetAttr("_Value", "DC 5", kSetAttrForce);
        top.Wire(v1, "+", "+5v");
        top.Wire(v1, "-", "GND");
    }

    // Writes the deck with X1 made by fillDivider, compares it with the file of the folder
    // under tests/netlist/data and, where ngspice is installed, runs it for the voltage of X1's
    // pin OUT.
    void CheckDeck(void (*fillDivider)(Sheet&), const char* folder, double out) {
        nltest::ScriptedOpener opener;
        opener.Serve((dir / "divider.sch").string(), fillDivider);
        nltest::LogCapture buildLog;
        Sheet top((dir / "rails.sch").c_str());
        Supply(top);
        top.Wire(top.Block("X1", "divider.sch", {"OUT"}), "OUT", "OUT");
        Set("Extra", ".control\nop\nprint v(2)\n.endc\n");
        CNetlistFormatList formats;
        FillReportFormatList(formats);
        const std::string deck = (dir / "rails.ckt").string();
        ASSERT_TRUE(top.doc.BuildNetlist(deck.c_str(), formats[kFormatSpice].get()));
        EXPECT_EQ(testsupport::ReadFileText(deck),
                  testsupport::ReadFileText(std::string(VOSK_SOURCE_DIR) + "/tests/netlist/data/" +
                                            folder + "/expected.ckt"));

        if (NgspiceMissing())
            GTEST_SKIP()
                << "ngspice is not installed (Debian package ngspice): the deck was not run";
        const std::string output = RunNgspice(deck);
        EXPECT_EQ(output.find("rror"), std::string::npos) << output;
        EXPECT_NEAR(Measured(output, "v(2)"), out, 0.001) << output;
    }
};

TEST_F(SpiceRailTest, ASubCircuitsRailIsTheMainCircuitsNetOfThatName) {
    CheckDeck(FillRailDivider, "spice-rails", 2.5);
}

TEST_F(SpiceRailTest, ARailSymbolIsTheMainCircuitsNetOfItsNameWhateverTheSheetsRails) {
    CheckDeck(FillRailSymbolDivider, "spice-rail-symbol", 5.0 / 3);
}

// A 1 kohm resistor of the deck and the netlist.
CSymbol* Resistor(Sheet& sheet, const char* id, const char* from, const char* to) {
    CSymbol* r = sheet.Part(id, {"1", "2"}, nltest::MakeResistor(), "RES");
    r->SetAttr("Spice.Device", "R,1,2", kSetAttrForce);
    r->SetAttr("_Value", "1k", kSetAttrForce);
    sheet.Wire(r, "1", from)->GetNet()->SetFlags(kNetNamed, kNetNamed);
    sheet.Wire(r, "2", to)->GetNet()->SetFlags(kNetNamed, kNetNamed);
    return r;
}

// A stage sheet: IN reaches OUT through R1 and OUT the sheet's "+5v" rail through R2; its port
// IO lies on that rail (a net connector of the sheet's "Power1" name), its port REF on ground.
void FillStage(Sheet& sheet) {
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    sheet.doc.SetAttribute("Power1", "+5v", 0);
    for (auto [port, net] : {std::array{"IN", "A"}, {"IO", "+5v"}, {"OUT", "B"}, {"REF", "GND"}})
        sheet.Wire(sheet.Add(port, kSymbolPort, {port}), port, net);
    for (const char* rail : {"+5v", "GND"})
        sheet.Wire(sheet.Add(rail, kSymbolNetConnector, {rail}), rail, rail);
    Resistor(sheet, "R1", "A", "B");
    Resistor(sheet, "R2", "B", "+5v");
}

// The build's file and what it told the output bar.
std::string Build(CDrawDoc& doc, int format, const std::filesystem::path& file, std::string& told) {
    nltest::LogCapture buildLog;
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    EXPECT_TRUE(doc.BuildNetlist(file.c_str(), formats[static_cast<size_t>(format)].get()));
    told = buildLog.text();
    std::string text = testsupport::ReadFileText(file);
    std::erase(text, '\r');
    return text;
}

// V1 feeds the top's "+5v" rail with 5 V. Two blocks of the stage sheet: X1 with IN on ground,
// IO on the rail, OUT on LINK and REF on ground; X2 with IN on LINK, IO on the net SENSE (R4 to
// MID, R5 to ground), OUT on VOUT and REF on the net LOW (R6 from the rail). By hand: LINK =
// 3 V (1 kohm to ground against 1 kohm and 2 kohm to 5 V), VOUT = 4 V; SENSE is the rail, so
// MID = 2.5 V, and LOW is ground.
TEST_F(SpiceRailTest, AnInstancePinOnAPortTiedToARailIsOnThatRailInTheDeckAsInTheNetlist) {
    nltest::ScriptedOpener opener;
    opener.Serve((dir / "stage.sch").string(), FillStage);
    Sheet top((dir / "top.sch").c_str());
    Supply(top);
    Resistor(top, "R4", "SENSE", "MID");
    Resistor(top, "R5", "MID", "GND");
    Resistor(top, "R6", "+5v", "LOW");
    for (auto [id, in, io, out, ref] :
         {std::array{"X1", "GND", "+5v", "LINK", "GND"}, {"X2", "LINK", "SENSE", "VOUT", "LOW"}}) {
        CSymbol* block = top.Block(id, "stage.sch", {"IN", "IO", "OUT", "REF"});
        for (auto [pin, net] : {std::pair{"IN", in}, {"IO", io}, {"OUT", out}, {"REF", ref}})
            top.Wire(block, pin, net);
    }
    const char* told[] = {
        "Warning - net 'SENSE' takes the name of rail '+5v', to which port 'IO' of X2 ties it.\n",
        "Warning - net 'LOW' takes the name of rail 'GND', to which port 'REF' of X2 ties it.\n"};
    std::string log;
    const std::string netlist = Build(top.doc, kFormatProtel, dir / "top.net", log);
    for (const char* net : {"(\n+5v\nR4-1\nR6-1\nR2-2\nX2:R2-2\n)\n",
                            "(\nGND\nR5-2\nR6-2\nR1-1\n)\n", "(\nLINK\nR1-2\nR2-1\nX2:R1-1\n)\n",
                            "(\nVOUT\nX2:R1-2\nX2:R2-1\n)\n", "(\nMID\nR4-2\nR5-1\n)\n"})
        EXPECT_NE(netlist.find(net), std::string::npos) << net << netlist;
    EXPECT_EQ(std::count(netlist.begin(), netlist.end(), '('), 5) << netlist;
    for (const char* line : told)
        EXPECT_NE(log.find(line), std::string::npos) << log;

    Set("SubsNets", 0);
    Set("Extra", ".control\nop\nprint v(link) v(vout) v(mid)\n.endc\n");
    const std::string deck = Build(top.doc, kFormatSpice, dir / "top.ckt", log);
    // Neither the rail nor ground is a formal: the ports tied to them get nodes of their own.
    EXPECT_EQ(Body(deck),
              "R4  1 MID 1k\nR5  MID 0 1k\nR6  1 0 1k\nV1  1 0 DC 5\n"
              "X1  0 1 LINK 0 stage\nX2  LINK 1 VOUT 0 stage\n"
              "\n* Sub-Circuit stage\n.subckt  stage  A  2  B  3\nR1  A B 1k\nR2  B 1 1k\n.ends\n"
              "\n* Global Nodes\n.global 1\n"
              "\n* Extra Commands\n.control\nop\nprint v(link) v(vout) v(mid)\n.endc\n");
    for (const char* line : told)
        EXPECT_NE(log.find(line), std::string::npos) << log;

    if (NgspiceMissing())
        GTEST_SKIP() << "ngspice is not installed (Debian package ngspice): the deck was not run";
    const std::string output = RunNgspice((dir / "top.ckt").string());
    EXPECT_EQ(output.find("rror"), std::string::npos) << output;
    EXPECT_NEAR(Measured(output, "v(link)"), 3.0, 0.001) << output;
    EXPECT_NEAR(Measured(output, "v(vout)"), 4.0, 0.001) << output;
    EXPECT_NEAR(Measured(output, "v(mid)"), 2.5, 0.001) << output;
}

// A 10 kohm resistor of the deck and the netlist, on nets named by the sheet.
void AutoNamedResistor(Sheet& sheet, const char* id, const char* from, const char* to) {
    CSymbol* r = sheet.Add(id, kSymbolDevice, {"1", "2"});
    r->SetAttr("Spice.Device", "R,1,2", kSetAttrForce);
    r->SetAttr("_Value", "10k", kSetAttrForce);
    sheet.Wire(r, "1", from);
    sheet.Wire(r, "2", to);
}

// sub.sch: the port IN reaches R1, whose other end lies on an unnamed power rail symbol's net,
// named n0003 by the sheet. The top sheet has no ground: V1 drives 10 V from A over its own
// n0003, R3 loads it, R2 leads from A to X1's IN. The reference chosen is the top's n0003, which
// is no rail: X1's n0003 is a net of its own, so no current flows through R2 and its far end
// stays at 10 V.
TEST_F(SpiceRailTest, TheReferenceNetChosenOnTheTopSheetGroundsNoSubSheetNetOfTheSameName) {
    nltest::ScriptedOpener opener;
    opener.Serve((dir / "sub.sch").string(), [](Sheet& sub) {
        sub.Wire(sub.Add("P1", kSymbolPort, {"IN"}), "IN", "n0001");
        AutoNamedResistor(sub, "R1", "n0001", "n0003");
        CSymbol* rail = sub.Add("VCC", kSymbolNetConnector, {"VCC"});
        constexpr int kPowerPin = 7;
        rail->FindPin("VCC")->SetPinType(kPowerPin);
        sub.Wire(rail, "VCC", "n0003");
    });
    Sheet top((dir / "top.sch").c_str());
    CSymbol* v1 = top.Add("V1", kSymbolSimulation, {"+", "-"});
    v1->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
    v1->SetAttr("_Value", "DC 10", kSetAttrForce);
    top.Wire(v1, "+", "A");
    top.Wire(v1, "-", "n0003");
    AutoNamedResistor(top, "R3", "A", "n0003");
    AutoNamedResistor(top, "R2", "A", "n0002");
    top.Wire(top.Block("X1", "sub.sch", {"IN"}), "IN", "n0002");
    ui.net = "n0003";

    std::string log;
    const std::string netlist = Build(top.doc, kFormatProtel, dir / "top.net", log);
    for (const char* net : {"(\nn0003\nR3-2\n)\n", "(\nX1:n0003\nR1-2\n)\n"})
        EXPECT_NE(netlist.find(net), std::string::npos) << net << netlist;

    Set("SubsNets", 0);
    Set("Extra", ".control\nop\nprint v(n0002)\n.endc\n");
    const std::string deck = Build(top.doc, kFormatSpice, dir / "top.ckt", log);
    EXPECT_EQ(ui.asked, 1);
    EXPECT_NE(deck.find(".subckt  sub  n0001\nR1  n0001 n0003 10k\n.ends\n"), std::string::npos)
        << deck;

    if (NgspiceMissing())
        GTEST_SKIP() << "ngspice is not installed (Debian package ngspice): the deck was not run";
    const std::string output = RunNgspice((dir / "top.ckt").string());
    EXPECT_EQ(output.find("rror"), std::string::npos) << output;
    EXPECT_NEAR(Measured(output, "v(n0002)"), 10.0, 0.001) << output;
}

// The stage's port IO lies on its "+5v" rail; the top wires X1's IO to its own "-15v" rail, fed
// by V2. The port would short the two supplies: every format and the deck say so, and the
// build, whose netlist would have the port cut, ends in error and keeps the old file.
TEST_F(SpiceRailTest, APortThatShortsTwoRailsIsAnErrorInEveryFormatAndKeepsTheOldFile) {
    nltest::ScriptedOpener opener;
    opener.Serve((dir / "stage.sch").string(), FillStage);
    Sheet top((dir / "top.sch").c_str());
    Supply(top);
    top.doc.SetAttribute("Power2", "-15v", 0);
    CSymbol* v2 = top.Add("V2", kSymbolSimulation, {"+", "-"});
    v2->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
    v2->SetAttr("_Value", "DC -15", kSetAttrForce);
    top.Wire(v2, "+", "-15v");
    top.Wire(v2, "-", "GND");
    Resistor(top, "R3", "-15v", "A");
    CSymbol* x1 = top.Block("X1", "stage.sch", {"IN", "IO", "OUT", "REF"});
    for (auto [pin, net] : {std::pair{"IN", "A"}, {"IO", "-15v"}, {"OUT", "OUT"}, {"REF", "GND"}})
        top.Wire(x1, pin, net);
    const std::string error = "Error - port 'IO' of X1 shorts rails '-15v' and '+5v'.\n";

    const std::filesystem::path file = dir / "top.out";
    testsupport::WriteFileText(file, "old\r\n");
    for (int format : {kFormatProtel, kFormatTango, kFormatOrcad, kFormatPadsPcb, kFormatPads2000,
                       kFormatExpressPcb, kFormatBom, kFormatSpice}) {
        nltest::LogCapture buildLog;
        CNetlistFormatList formats;
        FillReportFormatList(formats);
        EXPECT_FALSE(
            top.doc.BuildNetlist(file.c_str(), formats[static_cast<size_t>(format)].get()));
        const std::string log = buildLog.text();
        EXPECT_NE(log.find(error), std::string::npos) << format << log;
        EXPECT_EQ(log.find("takes the name"), std::string::npos) << format << log;
        EXPECT_TRUE(log.ends_with("\nError building netlist.\n")) << format << log;
        EXPECT_EQ(testsupport::ReadFileText(file), "old\r\n") << format;
    }
}

// A sheet mid.sch whose port P reaches, through R2, the net SENSE of its block X1, whose sheet
// ties the port IO to its "+5v" rail. Every log names the block by its identifier from the top
// sheet, and its net under that block's prefix, as the flattened netlist names them.
TEST_F(SpiceRailTest, ARailTieDeeperDownIsToldAlikeByTheNetlistsAndTheDeck) {
    nltest::ScriptedOpener opener;
    opener.Serve((dir / "tie.sch").string(), [](Sheet& tie) {
        tie.doc.SetAttribute("Power1", "+5v", 0);
        tie.Wire(tie.Add("P1", kSymbolPort, {"IO"}), "IO", "+5v");
        Resistor(tie, "R1", "+5v", "GND");
    });
    opener.Serve((dir / "mid.sch").string(), [](Sheet& mid) {
        mid.Wire(mid.Add("P1", kSymbolPort, {"P"}), "P", "Q");
        mid.Wire(mid.Block("X1", "tie.sch", {"IO"}), "IO", "SENSE")
            ->GetNet()
            ->SetFlags(kNetNamed, kNetNamed);
        Resistor(mid, "R2", "SENSE", "Q");
    });
    Sheet top((dir / "top.sch").c_str());
    Supply(top);
    top.Wire(top.Block("X1", "mid.sch", {"P"}), "P", "OUT");
    Resistor(top, "R3", "OUT", "GND");
    const std::string told =
        "Warning - net 'X1:SENSE' takes the name of rail '+5v', to which port 'IO' of X1:X1 ties "
        "it.\n";
    for (int format : {kFormatProtel, kFormatSpice}) {
        std::string log;
        Build(top.doc, format, dir / "top.out", log);
        EXPECT_NE(log.find(told), std::string::npos) << format << log;
        EXPECT_EQ(log.find("takes the name"), log.rfind("takes the name")) << format << log;
    }
}

// The library's op-amp: pins +, - and OUT drawn, its supplies V+ (7) and V- (4) hidden on the
// sheet's rails Power3 and Power4. Its sub-circuit OA5 numbers its ports 1 to 5 as such
// definitions do, and the part's value is not the sub-circuit's name. The definition is the
// part's own, or, with include set, that file's.
constexpr const char* kOpampModel =
    "RIN 1 2 1Meg\nRP 4 7 10k\nRN 7 5 10k\nE1 6 7 1 2 100k\nRO 6 3 1";

CSymbol* Opamp(Sheet& sheet, const std::string& include) {
    CDevice* device = nltest::MakeDevice("OPAMP", "OPAMP", {{"", "+=3;-=2;OUT=6"}}, "DIP8");
    device->SetAttr("_Implicit", "V+\x01(7)\x01V-\x01(4)", TRUE);
    device->SetAttr("V+.Net", "Power3", TRUE);
    device->SetAttr("V-.Net", "Power4", TRUE);
    device->SetAttr("Spice.Device", "X,+,-,OUT,V+,V-", TRUE);
    device->SetAttr("Spice.Subckt", "OA5", TRUE);
    // A gain of 100k between the inputs, about the middle of the supplies: without them the
    // output floats.
    if (include.empty())
        device->SetAttr("Spice.SubcktDef", (std::string("1 2 3 4 5\n") + kOpampModel).c_str(),
                        TRUE);
    else
        device->SetAttr("Spice.Include", include.c_str(), TRUE);
    CSymbol* u1 = sheet.Part("U1", {"+", "-", "OUT"}, device, "OPAMP");
    u1->SetAttr("_Value", "TL072", kSetAttrForce);
    return u1;
}

// opamp.sch: a follower from the port IN to the port OUT, no wire on either supply rail. The top
// sheet feeds +15v, -15v and IN = 2 V, and loads OUT with 1 kohm: every netlist puts the hidden
// supply pins on the top's rails, and so must the deck, whose sub-circuit call ends with the
// sub-circuit's name, and whose global rail nodes stay out of OA5's own ports, defined by the
// part or by a file it includes.
TEST_F(SpiceRailTest, AnOpampSubCircuitOnHiddenSupplyPinsSimulatesAsTheNetlistsJoinIt) {
    std::string include;
    nltest::ScriptedOpener opener;
    opener.Serve((dir / "opamp.sch").string(), [&include](Sheet& sheet) {
        sheet.doc.SetAttribute("Ground1", "GND", 0);
        sheet.doc.SetAttribute("Power3", "+15v", 0);
        sheet.doc.SetAttribute("Power4", "-15v", 0);
        sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "A");
        sheet.Wire(sheet.Add("P2", kSymbolPort, {"OUT"}), "OUT", "B");
        CSymbol* u1 = Opamp(sheet, include);
        sheet.Wire(u1, "+", "A");
        sheet.Wire(u1, "-", "B");
        sheet.Wire(u1, "OUT", "B");
    });
    Sheet top((dir / "top.sch").c_str());
    top.doc.SetAttribute("Ground1", "GND", 0);
    top.doc.SetAttribute("Power3", "+15v", 0);
    top.doc.SetAttribute("Power4", "-15v", 0);
    for (auto [id, value, net] :
         {std::array{"V1", "DC 15", "+15v"}, {"V2", "DC -15", "-15v"}, {"V3", "DC 2", "IN"}}) {
        CSymbol* v = top.Add(id, kSymbolSimulation, {"+", "-"});
        v->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
        v->SetAttr("_Value", value, kSetAttrForce);
        top.Wire(v, "+", net);
        top.Wire(v, "-", "GND");
    }
    CSymbol* x1 = top.Block("X1", "opamp.sch", {"IN", "OUT"});
    top.Wire(x1, "IN", "IN");
    top.Wire(x1, "OUT", "OUT");
    Resistor(top, "R1", "OUT", "GND");

    std::string log;
    const std::string netlist = Build(top.doc, kFormatProtel, dir / "top.net", log);
    for (const char* net : {"(\n+15v\nU1-7\n)\n", "(\n-15v\nU1-4\n)\n"})
        EXPECT_NE(netlist.find(net), std::string::npos) << net << netlist;

    Set("Extra", ".control\nop\nprint all\n.endc\n");
    const std::string library = (dir / "oa5.lib").string();
    testsupport::WriteFileText(library,
                               std::string(".subckt OA5 1 2 3 4 5\n") + kOpampModel + "\n.ends\n");
    for (auto [names, file] : {std::pair{1, ""}, {0, ""}, {1, library.c_str()}}) {
        Set("SubsNets", names);
        include = file;
        const std::string deck = Build(top.doc, kFormatSpice, dir / "top.ckt", log);
        EXPECT_NE(deck.find(" OA5\n"), std::string::npos) << deck;
        EXPECT_EQ(deck.find("TL072"), std::string::npos) << deck;
        // The node of OUT: R1's first.
        const std::size_t r1 = deck.find("\nR1  ");
        ASSERT_NE(r1, std::string::npos) << deck;
        std::string out = deck.substr(r1 + 5, deck.find(' ', r1 + 5) - r1 - 5);
        std::transform(out.begin(), out.end(), out.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (NgspiceMissing())
            GTEST_SKIP()
                << "ngspice is not installed (Debian package ngspice): the deck was not run";
        const std::string output = RunNgspice((dir / "top.ckt").string());
        EXPECT_EQ(output.find("rror"), std::string::npos) << output << deck;
        // ngspice prints a named node's voltage under the name alone.
        const double measured = Measured(output, names ? "v(" + out + ")" : out);
        EXPECT_NEAR(measured, 2.0, 0.001) << output << deck;
    }
}

}  // namespace
