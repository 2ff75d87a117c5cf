#include <gtest/gtest.h>

#include "model/device/Device.h"
#include "netlist/support/WriterRun.h"
#include "netlist/writers/ExpressPcbFormat.h"

namespace {

using nltest::MakeDevice;
using nltest::RunWriter;
using nltest::Sheet;

CSymbol* Part(Sheet& sheet, const char* id, const char* value, const char* pins = "1=1;2=2") {
    CSymbol* part = sheet.Part(id, {"1", "2"}, MakeDevice("RES", "RES", {{"", pins}}), "RES");
    part->SetAttr("_Value", value, kSetAttrForce);
    return part;
}

constexpr const char* kHeader =
    "\"ExpressPCB Netlist\"\n\"Vosk Schematic Version 2.0\"\n1\n0\n0\n\"\"\n\"\"\n\"\"\n";

// R1 and R2, net A on R1 pin 1, net B on R1 pin 2 and R2 pin 1 (A hashes to bucket 14, B to 15).
TEST(ExpressPcbFormatTest, TablesOfPartsNetsAndLinkedConnections) {
    Sheet sheet;
    CSymbol* r1 = Part(sheet, "R1", "10K");
    CSymbol* r2 = Part(sheet, "R2", "1K");
    sheet.Wire(r1, "1", "A");
    sheet.Wire(r1, "2", "B");
    sheet.Wire(r2, "1", "B");
    CExpressPcbFormat express;
    const nltest::WriterRun run = RunWriter(express, sheet);
    EXPECT_EQ(run.out, std::string(kHeader) +
                           "\n\"Part IDs Table\"\n\"R1\" \"10K\" \" \"\n\"R2\" \"1K\" \" \"\n"
                           "\n\"Net Names Table\"\n\"A\" 1\n\"B\" 2\n"
                           "\n\"Net Connections Table\"\n1 1 1 0\n2 1 2 3\n2 2 1 0\n");
    EXPECT_EQ(run.log, "\n");  // the sheet's (empty) path; no footprint needed
}

// A part without connections keeps its row number; a net with no pins names no row; a pin
// number that is not an integer is logged and written as 0; a quote would end a field.
TEST(ExpressPcbFormatTest, UnconnectedPartsNetsAndOddPinNumbers) {
    Sheet sheet;
    Part(sheet, "R1", "1K");
    CSymbol* u1 = Part(sheet, "U1", "12\"", "1=A1;2=2");
    sheet.Wire(u1, "1", "A");
    sheet.Wire(u1, "2", "A");
    sheet.Wire(sheet.Add("P1", kSymbolPort, {"IN"}), "IN", "B");
    CExpressPcbFormat express;
    const nltest::WriterRun run = RunWriter(express, sheet);
    EXPECT_EQ(run.out, std::string(kHeader) +
                           "\n\"Part IDs Table\"\n\"R1\" \"1K\" \" \"\n\"U1\" \"12'\" \" \"\n"
                           "\n\"Net Names Table\"\n\"A\" 1\n\"B\" 0\n"
                           "\n\"Net Connections Table\"\n1 2 0 2\n1 2 2 0\n");
    EXPECT_EQ(run.log, "\nError - Component U1 : Pin number A1 not an integer.\n");
}

// A pin member is a number only as a whole: "1A" is not pin 1, while "+7" reads as 7 as
// "%d" reads it.
TEST(ExpressPcbFormatTest, APinNumberWithLettersAfterItsDigitsIsNotAnInteger) {
    Sheet sheet;
    CSymbol* u1 = sheet.Add("U1", kSymbolDevice, {"1A", "+7", "A1"});
    sheet.Wire(u1, "1A", "N");
    sheet.Wire(u1, "+7", "N");
    sheet.Wire(u1, "A1", "N");
    CExpressPcbFormat express;
    const nltest::WriterRun run = RunWriter(express, sheet);
    EXPECT_EQ(run.out, std::string(kHeader) + "\n\"Part IDs Table\"\n\"U1\" \"\" \" \"\n" +
                           "\n\"Net Names Table\"\n\"N\" 1\n" +
                           "\n\"Net Connections Table\"\n1 1 0 2\n1 1 7 3\n1 1 0 0\n");
    EXPECT_EQ(run.log,
              "\nError - Component U1 : Pin number 1A not an integer.\n"
              "Error - Component U1 : Pin number A1 not an integer.\n");
}

TEST(ExpressPcbFormatTest, ADesignWithoutConnectionsHasAnEmptyConnectionTable) {
    Sheet sheet;
    CExpressPcbFormat express;
    EXPECT_EQ(RunWriter(express, sheet).out,
              std::string(kHeader) +
                  "\n\"Part IDs Table\"\n\n\"Net Names Table\"\n\n\"Net Connections Table\"\n");
}

}  // namespace
