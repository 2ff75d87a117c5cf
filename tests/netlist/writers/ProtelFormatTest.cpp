#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>
#include <string>

#include "model/device/Device.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "netlist/support/NetlistSheet.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/ProtelFormat.h"

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

// The pins of the net as the netlist lists them, one per line.
std::string NetBlock(const std::string& written, const std::string& net) {
    const size_t start = written.find("(\n" + net + "\n");
    return start == std::string::npos ? std::string()
                                      : written.substr(start, written.find(')', start) - start);
}

// A gate's supply pin tied to a wire's net stays there when Renumber All renumbers the gate,
// and so do its texts after the renumbering is undone and redone.
TEST(ProtelFormatTest, ATiedSupplyPinFollowsItsGateThroughARenumber) {
    Sheet sheet;
    CDevice* nand = nltest::MakeQuadNand();
    nand->SetAttr("_Pref", "U", TRUE);
    CSymbol* gate = sheet.Part("U2A", {"A"}, nand, "NAND");
    sheet.Wire(gate, "A", "VDDA")->GetNet()->SetAttr("_Implicit", "U2A:VCC", kSetAttrForce);
    CObList all;
    all.AddTail(gate);
    sheet.doc.RenumberObjects(&all);
    ASSERT_EQ(gate->GetAttr("_ID"), "U1A");
    CProtelFormat protel;
    for (int pass = 0; pass < 2; ++pass) {
        const std::string written = Written(protel, sheet);
        EXPECT_NE(NetBlock(written, "VDDA").find("U1-14\n"), std::string::npos) << written;
        EXPECT_EQ(NetBlock(written, "VCC").find("U1-14"), std::string::npos) << written;
        ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
        ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
    }
}

// Counts what reaches it and the largest piece written at once.
class PieceCounter : public std::streambuf {
public:
    std::size_t total = 0;
    std::size_t largest = 0;

protected:
    std::streamsize xsputn(const char* /*text*/, std::streamsize count) override {
        total += static_cast<std::size_t>(count);
        largest = std::max(largest, static_cast<std::size_t>(count));
        return count;
    }
    int_type overflow(int_type ch) override {
        if (!traits_type::eq_int_type(ch, traits_type::eof()))
            xsputn(nullptr, 1);
        return traits_type::not_eof(ch);
    }
};

// The text of a large design is not held whole: it reaches the file a piece at a time.
TEST(ProtelFormatTest, ALargeNetlistReachesTheStreamInPieces) {
    Sheet sheet;
    CDevice* resistor = nltest::MakeResistor();
    constexpr int kParts = 5000;
    for (int i = 0; i < kParts; ++i)
        sheet.WireInPairs(
            sheet.Part(("R" + std::to_string(i + 1)).c_str(), {"1", "2"}, resistor, "RES"));
    CProtelFormat protel;
    const std::string whole = Written(protel, sheet);
    PieceCounter counter;
    std::ostream out(&counter);
    std::ostringstream log;
    CNetNode top(sheet.doc.GetPathName());
    ASSERT_EQ(sheet.doc.m_netlist.Build(top, protel, out, log), kBuildOk);
    ASSERT_TRUE(protel.WriteBody(sheet.doc.m_netlist, top, out, log));
    EXPECT_EQ(counter.total, whole.size());
    // Every part takes more than 25 bytes ("[", its name, footprint, value, four empty lines,
    // "]"), so the text is well over 100 KB.
    EXPECT_LE(counter.largest, whole.size() / 2);
}

}  // namespace
