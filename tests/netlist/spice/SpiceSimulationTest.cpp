// An RC low-pass written as a Spice deck, compared with the deck written by hand, then run
// by ngspice: the measured -3 dB frequency and time constant are those of the circuit.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "model/device/Device.h"
#include "model/symbol/SpiceSymbol.h"
#include "netlist/spice/SpiceDeck.h"

namespace {

using nltest::Sheet;

// A filter sheet: its input port feeds 100 nF to ground, clamped by a diode, and reaches the
// output port through 1 ohm.
void FillFilter(Sheet& sheet) {
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

}  // namespace
