#include <gtest/gtest.h>

#include <sstream>

#include "netlist/spice/SpiceDeck.h"
#include "netlist/spice/SpiceOutputVar.h"

namespace {

using nltest::Sheet;
using spicetest::SpiceTest;

// A source V1 (identifier 1) from IN to GND and a resistor R1 from IN to OUT: IN is node 1,
// OUT node 2.
class SpiceAnalysisTest : public SpiceTest {
protected:
    SpiceAnalysisTest() {
        Set("RefNet", "GND");
        CSymbol* v1 = sheet.Add("1", kSymbolSimulation, {"+", "-"});
        v1->SetAttr("Spice.Device", "V,+,-", kSetAttrForce);
        v1->SetAttr("_Value", "DC 1", kSetAttrForce);
        sheet.Wire(v1, "+", "IN");
        sheet.Wire(v1, "-", "GND");
        CSymbol* r1 = sheet.Add("R1", kSymbolDevice, {"1", "2"});
        r1->SetAttr("Spice.Device", "R,1,2", kSetAttrForce);
        r1->SetAttr("_Value", "1k", kSetAttrForce);
        sheet.Wire(r1, "1", "IN");
        sheet.Wire(r1, "2", "OUT");
    }
    std::string Lines(DWORD analyses) {
        Set("Analyses", static_cast<int>(analyses));
        return Analyses(Deck(sheet));
    }

    Sheet sheet{"/d/a.sch"};
};

TEST_F(SpiceAnalysisTest, DefaultsOfTransientAndACSweep) {
    EXPECT_EQ(Lines(0x12), ".tran 10ns 1us \n.ac lin 20 20 20k\n");
    Set("Tran.Start", "0");
    Set("Tran.MaxStep", "1ns");
    Set("Tran.UIC", 1);
    Set("AC.nScale", 2);
    Set("AC.nPoints", 50);
    EXPECT_EQ(Lines(0x12), ".tran 10ns 1us 0 1ns uic\n.ac dec 50 20 20k\n");
    Set("AC.nScale", 7);
    EXPECT_EQ(Lines(0x10), ".ac 50 20 20k\n");
    Set("Tran.Start", "");
    EXPECT_EQ(Lines(0x2), ".tran 10ns 1us uic\n");
}

TEST_F(SpiceAnalysisTest, InitialConditionsComeBeforeTheOperatingPoint) {
    EXPECT_EQ(Lines(0x1), ".op \n");
    Set("IC.nCount", 2);
    Set("IC.Net1", "IN");
    Set("IC.Value1", "5");
    Set("IC.Net2", "OUT");  // no value: left out
    EXPECT_EQ(Lines(0x1), ".ic V( 1 ) = 5\n.op \n");
    Set("IC.Value2", "2");
    Set("OP", "acct");
    EXPECT_EQ(Lines(0x1), ".ic V( 1 ) = 5 V( 2 ) = 2\n.op acct\n");
    Set("IC.Net1", "NOWHERE");
    // The conditions before the missing net stay, on a line of their own.
    EXPECT_EQ(Lines(0x200), ".ic V( 2 ) = 2\n.disto  lin 20 20 20k\n");
    EXPECT_EQ(Log(), "Error : Initial Conditions - Net not found NOWHERE.\n");
}

TEST_F(SpiceAnalysisTest, FourierNamesTheDeckNodesAndTheElementOfASource) {
    Set("Four.OutVar", "V(OUT,GND) I(1) vdb(IN)");
    EXPECT_EQ(Lines(0x4), ".four 1kHz V( 2 ) I( V1 ) VDB( 1 ) \n");
    Set("Four.OutVar", "V(OUT,IN)");
    EXPECT_EQ(Lines(0x4), ".four 1kHz V( 2, 1 ) \n");
    Set("Four.OutVar", "I(V9)");
    EXPECT_EQ(Lines(0x4), "");
    Set("Four.OutVar", "V(OUT,X)");
    EXPECT_EQ(Lines(0x4), "");
    Set("Four.OutVar", "X");
    EXPECT_EQ(Lines(0x4), "");
    EXPECT_EQ(Log(),
              "Error : Fourier Analysis - Voltage source/ammeter not found V9.\n"
              "Error : Fourier Analysis - Reference net not found X.\n"
              "Error : Fourier Analysis - Invalid output variable X.\n");
}

TEST_F(SpiceAnalysisTest, DCSweepOfOneOrTwoSources) {
    EXPECT_EQ(Lines(0x8), "");
    EXPECT_EQ(Log(), "Error : DC Analysis - Voltage source not found V(1).\n");
    Set("DC.Source", "1");
    EXPECT_EQ(Lines(0x8), ".dc V1 0 5 0.1 \n");
    Set("DC.Source2", "1");
    Set("DC.Start2", "1");
    Set("DC.End2", "2");
    Set("DC.Step2", "0.5");
    EXPECT_EQ(Lines(0x8), ".dc V1 0 5 0.1 V1 1 2 0.5\n");
    Set("DC.Source2", "R1");  // not a simulation source
    EXPECT_EQ(Lines(0x8), "");
    EXPECT_EQ(Log(), "Error : DC Analysis - Voltage source not found R1.\n");
}

TEST_F(SpiceAnalysisTest, SensitivityOfAVariableWithOrWithoutAnACSweep) {
    EXPECT_EQ(Lines(0x20), "");
    EXPECT_EQ(Log(), "Error : Sensistivity Analysis - Net not found 1.\n");
    Set("MC.Var", "V(OUT)");
    EXPECT_EQ(Lines(0x20), ".sens V( 2 )\n");
    Set("MC.bAC", 1);
    Set("MC.nScale", 1);
    EXPECT_EQ(Lines(0x20), ".sens V( 2 ) ac oct 20 20 20k\n");
    Set("MC.Var", "I(2)");
    EXPECT_EQ(Lines(0x20), "");
    Set("MC.Var", "");
    EXPECT_EQ(Lines(0x20), "");
    EXPECT_EQ(Log(),
              "Error : Sensistivity Analysis - Voltage source/ammeter not found 2.\n"
              "Error : Sensistivity Analysis - Invalid output variable .\n");
}

TEST_F(SpiceAnalysisTest, NoiseAtAnOutputAgainstAReference) {
    EXPECT_EQ(Lines(0x40), "");
    EXPECT_EQ(Log(), "Error : Noise Analysis - Net not found Vout.\n");
    Set("Noise.Out", "OUT");
    EXPECT_EQ(Lines(0x40), "");
    EXPECT_EQ(Log(), "Error : Noise Analysis - Voltage source / Ammeter not found V(1).\n");
    Set("Noise.Source", "1");
    EXPECT_EQ(Lines(0x40), ".noise V( 2 ) V1 lin 20 20 20k\n");
    Set("Noise.Ref", "IN");
    EXPECT_EQ(Lines(0x40), ".noise V( 2, 1 ) V1 lin 20 20 20k\n");
    Set("Noise.Ref", "");
    Set("Noise.nScale", 2);
    EXPECT_EQ(Lines(0x40), ".noise V( 2 ) V1 dec 20 20 20k\n");
    Set("Noise.Ref", "REF");
    EXPECT_EQ(Lines(0x40), "");
    EXPECT_EQ(Log(), "Error : Noise Analysis - Net not found REF.\n");
}

TEST_F(SpiceAnalysisTest, TransferFunctionFromASourceToAVariable) {
    EXPECT_EQ(Lines(0x80), "");
    Set("TF.OutVar", "V(OUT)");
    EXPECT_EQ(Lines(0x80), "");
    Set("TF.Source", "1");
    EXPECT_EQ(Lines(0x80), ".tf V( 2 ) V1\n");
    Set("TF.OutVar", "I(1)");
    EXPECT_EQ(Lines(0x80), ".tf I( V1 ) V1\n");
    Set("TF.OutVar", "V(NOWHERE)");
    EXPECT_EQ(Lines(0x80), "");
    EXPECT_EQ(Log(),
              "Error : Transfer Function - Invalid output variable .\n"
              "Error : Transfer Function - Voltage source not found .\n"
              "Error : Transfer Function - Net not found NOWHERE.\n");
}

TEST_F(SpiceAnalysisTest, PoleZeroWritesItsModeAndWhatItLooksFor) {
    EXPECT_EQ(Lines(0x100), "");
    EXPECT_EQ(Log(), "Error : Pole/Zero Analysis - Net not found .\n");
    Set("PZ.csIn1", "IN");
    Set("PZ.csOut1", "OUT");
    EXPECT_EQ(Lines(0x100), ".pz 1 0 2 0 vol pz\n");
    Set("PZ.bZeros", 0);
    EXPECT_EQ(Lines(0x100), ".pz 1 0 2 0 vol pol\n");
    Set("PZ.bPoles", 0);
    Set("PZ.nMode", 0);
    Set("PZ.csIn2", "GND");
    Set("PZ.csOut2", "IN");
    EXPECT_EQ(Lines(0x100), ".pz 1 0 2 1 cur zer\n");
    Set("PZ.csOut2", "X");
    EXPECT_EQ(Lines(0x100), "");
    EXPECT_EQ(Log(), "Error : Pole/Zero Analysis - Net not found X.\n");
}

TEST_F(SpiceAnalysisTest, DistortionWritesItsRatioOnlyWhenNotNegative) {
    EXPECT_EQ(Lines(0x200), ".disto  lin 20 20 20k\n");
    Set("Dist.Ratio", "0.250000");
    Set("Dist.nScale", 2);
    EXPECT_EQ(Lines(0x200), ".disto  dec 20 20 20k 0.25\n");
}

TEST_F(SpiceAnalysisTest, AnalysesWriteTheirKeysAndReadThemBack) {
    CSpiceDistAnalysis dist;
    dist.Ratio = 0.5;
    dist.Sweep.Points = 7;
    dist.Save(Settings());
    EXPECT_EQ(Settings().GetProfileString("Spice", "Dist.Ratio"), "0.500000");
    EXPECT_EQ(Settings().GetProfileInt("Spice", "Dist.nPoints", 0), 7u);
    CSpiceICAnalysis ic;
    ic.Values.SetAt("IN", "5");
    ic.Save(Settings());
    EXPECT_EQ(Settings().GetProfileString("Spice", "IC.Net1"), "IN");
    EXPECT_EQ(Settings().GetProfileString("Spice", "IC.Value1"), "5");
    EXPECT_EQ(Settings().GetProfileInt("Spice", "IC.nCount", 0), 1u);
    CSpiceAnalysisList loaded = MakeSpiceAnalyses(0x3FF, Settings());
    ASSERT_EQ(loaded.size(), 11u);
    EXPECT_EQ(static_cast<CSpiceDistAnalysis&>(*loaded.back()).Ratio, 0.5);
    EXPECT_EQ(*static_cast<CSpiceICAnalysis&>(*loaded.front()).Values.Find("IN"), "5");
}

TEST(SpiceOutputVarTest, VariablesAreReadUpToTheirCountOrTheirFirstError) {
    CSpiceOutputVar vars[3];
    std::ostringstream log;
    EXPECT_EQ(ParseOutputVariables(vars, 3, "V(a, b ) i(V1)VM(c)VDB(d)", &log), 3);
    EXPECT_EQ(vars[0].kind, CSpiceOutputVar::kV);
    EXPECT_EQ(vars[0].arg2, "b");
    EXPECT_EQ(vars[1].kind, CSpiceOutputVar::kI);
    EXPECT_EQ(vars[2].kind, CSpiceOutputVar::kVM);
    EXPECT_EQ(FormatOutputVariable(vars[0]), "V( a, b )");
    EXPECT_EQ(FormatOutputVariable(vars[1]), "I( V1 )");
    EXPECT_EQ(FormatOutputVariable(vars[2]), "VM( c )");

    EXPECT_EQ(ParseOutputVariables(vars, 3, "vp(x) VR(y) vi(z)", &log), 3);
    EXPECT_EQ(vars[0].kind, CSpiceOutputVar::kVP);
    EXPECT_EQ(vars[1].kind, CSpiceOutputVar::kVR);
    EXPECT_EQ(vars[2].kind, CSpiceOutputVar::kVI);
    EXPECT_EQ(log.str(), "");

    EXPECT_EQ(ParseOutputVariables(vars, 3, "V(a,b,c)", &log), 0);
    EXPECT_EQ(ParseOutputVariables(vars, 3, "V(x) I(a,b)", &log), 1);
    EXPECT_EQ(ParseOutputVariables(vars, 3, "V( )", &log), 0);
    EXPECT_EQ(ParseOutputVariables(vars, 3, "V(a", &log), 0);
    EXPECT_EQ(ParseOutputVariables(vars, 3, "V(a,b,c)", nullptr), 0);
    EXPECT_EQ(log.str(),
              "Error - too many argumentsV(a,b,c)\nError - too many argumentsV(x) I(a,b)\n"
              "Error - not enough argumentsV( )\n");
}

}  // namespace
