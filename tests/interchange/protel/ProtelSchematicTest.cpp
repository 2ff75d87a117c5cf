// A whole binary schematic with records of every kind: it imports, saves as a file that an
// independent compound-file reader opens, and gives the Protel netlist of its connections.

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <tuple>

#include "interchange/protel/ByteSource.h"
#include "interchange/protel/ProtelFileBuilder.h"
#include "interchange/protel/ProtelImporter.h"
#include "model/doc/DrawDoc.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/ProtelFormat.h"
#include "support/TestSupport.h"

namespace {

void SheetSymbol(ProtelFileBuilder& file);

// Two resistors R1 and R2 in a row: VCC on R1's left pin, net MID from R1 to R2, and one
// record of every other kind around them; with subSheet, a sheet symbol too.
ProtelFileBuilder EveryRecordSchematic(bool subSheet) {
    ProtelFileBuilder file;
    file.SchematicStart(1)
        .ComponentHead({"RES", "RESISTOR"}, "RESISTOR", "AXIAL0.4", "R?", 1)
        .PartStart();
    file.Pin(0, 0, 2, "A", "1").Pin(100, 0, 0, "B", "2").Rectangle(0, -20, 100, 20).End();
    file.Line(0, 0, 100, 0).End().End();
    file.SheetHeader(0, 0, 0, 0, 0, "ACME", 1, 1);
    file.Instance(0, 0, 0, 0, 0, 1, 0, "R1").Text(0x22, 0, 30, "R1").Text(0x23, 0, -30, "10K");
    file.Text(0x24, 0, -60, "*").Text(0x26, 0, -90, "1%");
    file.Instance(300, 0, 0, 0, 0, 1, 0, "R2");
    file.Wire({{120, 0}, {200, 0}}).Wire({{200, 0}, {280, 0}}).NetLabel(150, 0, "MID");
    file.Power(-50, 0, 0, "VCC").Wire({{-50, 0}, {-20, 0}}).Port(420, 0, 40, "OUT");
    file.Byte(0x25).Int16(420).Int16(0).Int16(460).Int16(0).Byte(1).Dword(0x800000).Byte(0);
    file.Text(0x04, 500, 500, "note").Arc(600, 600, 10, 0, 180).Line(10, 700, 60, 700);
    file.Byte(0x09)
        .Int16(0)
        .Int16(0)
        .Int16(0)
        .Byte(0)
        .Real48(1)
        .Real48(2)
        .Dword(0)
        .Dword(0)
        .Byte(0)
        .Byte(0);
    file.Byte(0x08)
        .Int16(700)
        .Int16(100)
        .Int16(10)
        .Int16(5)
        .Byte(1)
        .Dword(0x80)
        .Dword(0xFF)
        .Byte(1)
        .Byte(0);
    file.Byte(0x0A)
        .Int16(0)
        .Int16(800)
        .Int16(50)
        .Int16(850)
        .Int16(3)
        .Int16(3)
        .Byte(0)
        .Dword(0)
        .Dword(0)
        .Byte(0)
        .Byte(1);
    file.Junctionless(0x06, 2).Int16(0).Int16(900).Int16(50).Int16(900);
    file.Byte(0x07)
        .Byte(0)
        .Dword(0)
        .Dword(0)
        .Byte(1)
        .Byte(0)
        .Int16(3)
        .Int16(0)
        .Int16(0)
        .Int16(10)
        .Int16(0)
        .Int16(5)
        .Int16(5);
    file.Byte(0x05).Byte(0).Dword(0).Byte(0).Int16(4);
    for (int i = 0; i < 4; ++i)
        file.Int16(10 * i).Int16(1000 + 5 * i);
    file.Byte(0x03).Byte(2).Int16(800).Int16(800).Int16(10).Byte(1).Byte(0).Dword(0).Byte(0);
    file.Byte(0x1A).Byte(1).Dword(0xFF0000).Byte(0).Int16(2).Int16(0).Int16(-200).Int16(300).Int16(
        -200);
    file.Byte(0x1C)
        .Int16(700)
        .Int16(-100)
        .Int16(900)
        .Int16(-200)
        .Dword(0)
        .Byte(0)
        .Dword(0xFFFFFF)
        .Dword(0);
    file.Int16(1).Byte(1).Byte(1).Byte(2).Byte(0).Byte(0).Byte(0).Int16(5).Raw("frame").Byte(0);
    file.Byte(0x17).Int16(0).Int16(0).Dword(0).Str("x");
    file.Byte(0x1D).Int16(0).Int16(0).Byte(0).Dword(0).Byte(0);
    file.Byte(0x1E)
        .Int16(0)
        .Int16(0)
        .Int16(0)
        .Int16(0)
        .Byte(0)
        .Dword(0)
        .Byte(0)
        .Byte(0)
        .Byte(0)
        .Str("y");
    if (subSheet)
        SheetSymbol(file);
    file.Byte(0x27).Str("A4").Text(0x04, 1000, 100, ".title").End();
    return file.End();
}

void SheetSymbol(ProtelFileBuilder& file) {
    file.Byte(0x0F)
        .Int16(1000)
        .Int16(400)
        .Int16(80)
        .Int16(40)
        .Byte(0)
        .Dword(0)
        .Dword(0xB0FFFF)
        .Byte(0)
        .Byte(1);
    file.Byte(0x10).Byte(1).Byte(2).Byte(0).Int16(1).Dword(0).Dword(0xFF).Dword(0).Byte(0).Str(
        "IN");
    file.Text(0x20, 1000, 420, "SUB").Text(0x21, 1000, 440, "sub.sch").End();
}

// The netlist's blocks, "[...]" parts and "(...)" nets, each as one string.
std::multiset<std::string> Blocks(const std::string& netlist) {
    std::multiset<std::string> blocks;
    size_t start = 0;
    while ((start = netlist.find_first_of("[(", start)) != std::string::npos) {
        const size_t end = netlist.find_first_of("])", start);
        blocks.insert(netlist.substr(start, end - start + 1));
        start = end + 1;
    }
    return blocks;
}

// The Protel netlist of the document.
std::string ProtelNetlist(CDrawDoc& doc) {
    CProtelFormat protel;
    std::ostringstream out, log;
    CNetNode top(doc.GetPathName());
    protel.WriteHeader(doc.m_netlist, out, log);
    EXPECT_EQ(doc.m_netlist.Build(top, protel, out, log), kBuildOk) << log.str();
    EXPECT_TRUE(protel.WriteBody(doc.m_netlist, top, out, log)) << log.str();
    return out.str();
}

TEST(ProtelSchematicTest, EveryRecordKindImportsAndNetlists) {
    CDrawDoc doc;
    std::ostringstream log;
    ByteSource source(EveryRecordSchematic(false).Bytes());
    ASSERT_TRUE(ImportProtelBinarySchematic(log, source, doc)) << log.str();
    EXPECT_EQ(doc.GetAttribute("Title"), "Amplifier");
    EXPECT_EQ(doc.GetAttribute(".template"), "A4");
    EXPECT_EQ(doc.GetTitle(), "Amplifier");

    const std::string netlist = ProtelNetlist(doc);
    const std::multiset<std::string> blocks = Blocks(netlist);
    EXPECT_EQ(blocks.count("[\nR1\nAXIAL0.4\n10K\n\n\n\n]"), 1u) << netlist;
    // Without a part type the netlist shows the component's name as the value.
    EXPECT_EQ(blocks.count("[\nR2\nAXIAL0.4\nRES\n\n\n\n]"), 1u) << netlist;
    EXPECT_EQ(blocks.count("(\nMID\nR1-2\nR2-1\n)"), 1u) << netlist;
    EXPECT_EQ(blocks.count("(\nVCC\nR1-1\n)"), 1u) << netlist;
}

TEST(ProtelSchematicTest, ImportedSheetWithASheetSymbolSavesAsACompoundFile) {
    CDrawDoc doc;
    std::ostringstream log;
    ByteSource source(EveryRecordSchematic(true).Bytes());
    ASSERT_TRUE(ImportProtelBinarySchematic(log, source, doc)) << log.str();

    testsupport::TempDir dir;
    const std::string path = (dir / "every.sch").string();
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    std::string output;
    ASSERT_EQ(
        testsupport::RunCommand(std::string(testsupport::kSystemPython) +
                                    " -c \"import olefile,sys; f=olefile.OleFileIO(sys.argv[1]); "
                                    "print(f.exists('Contents'))\" " +
                                    path,
                                &output),
        0)
        << output;
    EXPECT_EQ(output, "True\n");
}

// A 7400 of two gates, both placed as "U1": gate 1 drawn normally with its Y (pin 3) on a
// wire labelled SIG, gate 2 in its De Morgan drawing with its A (pin 4) on another wire
// labelled SIG. Both pins are on the net, whatever identifiers the two sections get.
TEST(ProtelSchematicTest, EveryWiredPinOfAPartOfTwoGatesIsInItsNet) {
    ProtelFileBuilder file;
    file.SchematicStart(1).ComponentHead({"7400"}, "NAND", "DIP14", "U?", 2);
    for (const auto& [a, b, y] : {std::tuple("1", "2", "3"), std::tuple("4", "5", "6")}) {
        file.PartStart();
        for (int drawing = 0; drawing < 2; ++drawing) {
            file.Pin(0, 0, 2, "A", a).Pin(0, -20, 2, "B", b).Pin(100, -10, 0, "Y", y);
            file.Rectangle(0, 10, 100, -30).End();
        }
        file.End();
    }
    file.SheetHeader(0);
    file.Instance(0, 0, 0, 0, 0, 1, 0, "U1").Instance(500, 0, 1, 0, 0, 2, 0, "U1");
    file.Wire({{120, -10}, {200, -10}}).NetLabel(150, -10, "SIG");
    file.Wire({{400, 0}, {480, 0}}).NetLabel(420, 0, "SIG").End();

    CDrawDoc doc;
    std::ostringstream log;
    ByteSource source(file.Bytes());
    ASSERT_TRUE(ImportProtelBinarySchematic(log, source, doc)) << log.str();
    const std::string netlist = ProtelNetlist(doc);
    EXPECT_EQ(Blocks(netlist).count("(\nSIG\nU1-3\nU1-4\n)"), 1u) << netlist;
}

}  // namespace
