#include <gtest/gtest.h>

#include <sstream>

#include "model/device/Device.h"
#include "netlist/DocNetlist.h"
#include "netlist/NetNode.h"
#include "netlist/ProtelFormat.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/support/TwoLevelDesign.h"
#include "support/TestSupport.h"

namespace {

using nltest::Sheet;

// The header, every sheet and the body written by the writer into a text stream.
std::string Written(CNetlistFormat& writer, Sheet& sheet) {
    std::ostringstream out;
    std::ostringstream log;
    CNetNode top(sheet.doc.GetPathName());
    EXPECT_TRUE(writer.WriteHeader(sheet.doc.m_netlist, out, log));
    EXPECT_EQ(sheet.doc.m_netlist.Build(top, writer, out, log), kBuildOk);
    EXPECT_TRUE(writer.WriteBody(sheet.doc.m_netlist, top, out, log));
    return out.str();
}

void TwoPinResistor(Sheet& sheet, const char* pins) {
    CDevice* device = nltest::MakeDevice("RES", "RES", {{"", pins}}, "AXIAL0.4");
    CSymbol* r1 = sheet.Part("R1", {"1", "2"}, device, "RES");
    r1->SetAttr("_Value", "10K", kSetAttrForce);
    sheet.Wire(r1, "1", "VCC");
    sheet.Wire(r1, "2", "OUT");
}

TEST(ProtelFormatTest, APartAndItsNetsAsTheFormatShowsThem) {
    Sheet sheet;
    TwoPinResistor(sheet, "1=1;2=2");
    CProtelFormat protel;
    EXPECT_EQ(Written(protel, sheet),
              "[\nR1\nAXIAL0.4\n10K\n\n\n\n]\n(\nVCC\nR1-1\n)\n(\nOUT\nR1-2\n)\n");
    CTangoFormat tango;
    EXPECT_EQ(Written(tango, sheet),
              "[\nR1\nAXIAL0.4\n10K\n\n\n\n]\n(\nVCC\nR1,1\n)\n(\nOUT\nR1,2\n)\n");
}

TEST(ProtelFormatTest, APinNumberListGivesOneReferencePerNumber) {
    Sheet sheet;
    TwoPinResistor(sheet, "1=(1,2);2=3");
    CProtelFormat protel;
    EXPECT_EQ(Written(protel, sheet),
              "[\nR1\nAXIAL0.4\n10K\n\n\n\n]\n(\nVCC\nR1-1\nR1-2\n)\n(\nOUT\nR1-3\n)\n");
}

TEST(ProtelFormatTest, HiddenPinsOnTheirNetsAndEmptyFieldsStillTakeTheirLines) {
    Sheet sheet;
    CDevice* device = nltest::MakeDevice("REG", "REG", {{"", "IN=4"}});
    device->SetAttr("_Implicit", "VCC (1,2) GND\x01(3)", TRUE);
    device->SetAttr("VCC.Net", "Power1", TRUE);
    device->SetAttr("GND.Net", "GND", TRUE);
    sheet.doc.SetAttribute("Power1", "+5V", 0);
    sheet.Part("U1", {"IN"}, device, "REG");
    CProtelFormat protel;
    // +5V lies in bucket 8 and GND in bucket 10 of the net map.
    EXPECT_EQ(Written(protel, sheet),
              "[\nU1\n\nREG\n\n\n\n]\n(\n+5V\nU1-1\nU1-2\n)\n(\nGND\nU1-3\n)\n");
}

TEST(ProtelFormatTest, AnEmptySheetWritesNothing) {
    Sheet sheet;
    CProtelFormat protel;
    EXPECT_EQ(Written(protel, sheet), "");
}

// The two-level design built into a file, as the user starts it.
class TwoLevelDesignTest : public testing::TestWithParam<const char*> {};

TEST_P(TwoLevelDesignTest, TheFileHoldsEveryInstanceOfTheSubSheet) {
    testsupport::TempDir dir;
    const std::string sub = (dir / "sub.sch").string();
    {
        Sheet sheet;
        nltest::FillSubSheet(sheet);
        ASSERT_TRUE(sheet.doc.OnSaveDocument(sub.c_str()));
    }
    nltest::LogCapture log;
    Sheet top((dir / "top.sch").c_str());
    nltest::FillTopSheet(top);
    const std::string file = (dir / "design.net").string();
    CNetlistFormatList formats;
    FillReportFormatList(formats);
    CNetlistFormat& writer = *formats[std::string(GetParam()) == "protel" ? 0 : 1];

    EXPECT_TRUE(top.doc.BuildNetlist(file.c_str(), &writer));
    EXPECT_EQ(testsupport::ReadFileText(file),
              nltest::DataFile(std::string("two-level-") + GetParam() + "/expected.net"));
    EXPECT_EQ(log.text(), "\fBuilding...\n" + (dir / "top.sch").string() + "\n" + sub + "\n" + sub +
                              "\n\nBuilding Final Target..\n" + file + "\n\nOK\n");
}

INSTANTIATE_TEST_SUITE_P(Formats, TwoLevelDesignTest, testing::Values("protel", "tango"));

}  // namespace
