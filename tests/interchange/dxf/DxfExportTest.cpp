// The exported file as a whole: its header, tables and sections, a sheet with an object of
// every kind compared with its expected file and loaded by an independent DXF reader, the
// same bytes under a decimal-comma locale, and a file that cannot be written.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <string>

#include "interchange/dxf/DxfExport.h"
#include "interchange/dxf/DxfStream.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/shapes/FillShape.h"
#include "model/shapes/SpecSymbol.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/TextBox.h"
#include "platform/AtomicFile.h"
#include "support/TestSupport.h"

namespace {

const std::string kDataDir = std::string(VOSK_SOURCE_DIR) + "/tests/interchange/data/";

// What the independent reader (ezdxf_check.py, with the given options) prints for file.
std::string ReadBack(const std::filesystem::path& file, const std::string& options) {
    std::string output;
    const int status = testsupport::RunCommand(
        std::string(testsupport::kSystemPython) + " '" + VOSK_SOURCE_DIR +
            "/tests/interchange/dxf/ezdxf_check.py' " + options + " '" + file.string() + "' 2>&1",
        &output);
    EXPECT_EQ(status, 0) << output;
    return output;
}

std::string Drawing(CDrawDoc& doc) {
    CDxfStream stream;
    WriteDxfDrawing(doc, stream);
    return stream.Bytes();
}

template <class T>
T* Add(CDrawDoc& doc, T* object) {
    object->SetDocument(&doc);
    doc.GetObjects().AddTail(object);
    return object;
}

CDrawRect* Shape(CDrawDoc& doc, int shape, CRect position, DWORD flags) {
    auto* object = Add(doc, new CDrawRect(position));
    object->SetShape(shape);
    object->SetFlags(flags, 0xFFFFFFFF);
    return object;
}

CDrawPoly* Poly(CDrawDoc& doc, std::initializer_list<CPoint> points, DWORD flags) {
    auto* poly = Add(doc, new CDrawPoly(CRect(0, 0, 0, 0)));
    poly->SetFlags(flags, 0xFFFFFFFF);
    for (const CPoint& p : points)
        poly->AddPoint(p);
    return poly;
}

CWire* Wire(CDrawDoc& doc, CWire* wire, std::initializer_list<CPoint> points, CNet* net) {
    for (const CPoint& p : points)
        wire->AddPoint(p);
    net->AddRef();
    if (CNet* old = wire->SetNet(net))
        old->Release();
    return Add(doc, wire);
}

// A gate turned a quarter and moved: a body, a plain pin and a pin with a bubble.
void AddGate(CDrawDoc& doc) {
    auto* symbol = new CSymbol();
    symbol->SetDocument(&doc);
    symbol->GetGraphics().AddTail(new CDrawRect(CRect(-100, 100, 100, -100)));
    static_cast<CDrawRect*>(symbol->GetGraphics().GetHead())->SetFlags(kFlagOutlined, 0xFF);
    auto* in = new CPin(symbol);
    in->SetEnds(CPoint(-100, 0), CPoint(-200, 0));
    symbol->GetPins().AddTail(in);
    auto* out = new CPin(symbol);
    out->SetEnds(CPoint(100, 0), CPoint(200, 0));
    out->SetFlags(kPinBubble, kPinSymbolMask);
    symbol->GetPins().AddTail(out);
    const double matrix[6] = {0, -1, 4000, 1, 0, -3000};
    symbol->SetMatrix(matrix);
    symbol->RecalcBounds(nullptr);
    Add(doc, symbol);
}

// One object of every kind that the sheet can hold.
void FillEveryKind(CDrawDoc& doc) {
    CDrawRect* rect = Shape(doc, kShapeRect, CRect(0, 0, 500, -300), kFlagOutlined);
    LOGPEN dashed;
    dashed.lopnStyle = PS_DASH;
    dashed.lopnWidth.x = 36;
    rect->SetPen(&dashed);
    Shape(doc, kShapeRect, CRect(0, -400, 500, -700), kFlagFilled);  // no outline: nothing
    Shape(doc, kShapeRoundRect, CRect(600, 0, 1000, -200), kFlagOutlined)->SetRotation(900);
    Shape(doc, kShapeLine, CRect(0, -1000, 1000, -1000),
          (2 << kArrowLowShift) | (1 << kArrowHighShift));
    Poly(doc, {{0, -1200}, {500, -1200}, {500, -1500}}, kFlagOpen | (3 << kArrowLowShift));
    Poly(doc, {{1000, -1200}, {1500, -1200}, {1500, -1500}}, kFlagOutlined);
    Poly(doc, {{2000, -1200}, {2100, -1100}, {2200, -1100}, {2300, -1200}},
         kFlagOpen | kFlagBezier | (1 << kArrowHighShift));
    Add(doc, new CEllipse(CRect(1200, 0, 1800, -300)));
    auto* arc = Add(doc, new CEllipse(CRect(2000, 0, 2400, -400)));
    arc->SetFlags(kFlagOpen, kFlagOpen);
    arc->SetArc(CPoint(2400, -200), CPoint(2200, 0));
    AddGate(doc);
    // Texts of fixed size: two centred lines in a frame, and one long line.
    auto* text = new CTextBox(CRect(0, -2000, 1000, -2400));
    text->SetFlags(kFlagOutlined, kFlagOutlined);
    text->SetTextFlags(kTextMultiLine | kTextAlignCentre, 0xFF);
    text->SetText("Power supply\r\nsheet 1", FALSE);
    Add(doc, text);
    auto* line = new CTextBox(CRect(0, -2600, 9000, -2800));
    line->SetTextFlags(0, 0xFF);
    line->SetText((std::string(250, 'x') + "y").c_str(), FALSE);
    Add(doc, line);
    auto* net = new CNet("CLK");
    CWire* main = Wire(doc, new CWire, {{5000, -1000}, {6000, -1000}, {6000, -1500}}, net);
    Wire(doc, new CWire, {{5500, -500}, {5500, -1000}}, net)->SetEndObject(main);
    auto* busNet = new CNet("D[0:3]");
    Wire(doc, new CBus, {{5000, -2000}, {7000, -2000}}, busNet);
    Add(doc, new CFillShape(CRect(3000, 0, 3500, -500)));
    Add(doc, new CSpecSymbol(1));
}

TEST(DxfExport, AnEmptySheetHasTheWholeFrameAndAnEmptyEntitiesSection) {
    CDrawDoc doc;
    doc.SetTitle("amp.sch");
    const std::string bytes = Drawing(doc);
    EXPECT_EQ(
        bytes.rfind("999\r\nCreated by Vosk Schematic from amp.sch\r\n  0\r\nSECTION\r\n"
                    "  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1006\r\n  9\r\n$DWGCODEPAGE\r\n"
                    "  3\r\nANSI_1252\r\n  9\r\n$TEXTSTYLE\r\n"
                    "  7\r\nSTANDARD\r\n  9\r\n$CECOLOR\r\n 62\r\n256\r\n  9\r\n$ACUNITS\r\n"
                    " 70\r\n0\r\n  9\r\n$LUNITS\r\n 70\r\n3\r\n",
                    0),
        0u);
    // The paper's height is negative: the minimum takes it, the maximum the top edge.
    EXPECT_NE(bytes.find("  9\r\n$EXTMIN\r\n 10\r\n0\r\n 20\r\n-8.268\r\n 30\r\n0\r\n"
                         "  9\r\n$EXTMAX\r\n 10\r\n11.693\r\n 20\r\n0\r\n 30\r\n0\r\n"
                         "  9\r\n$FILLMODE\r\n 70\r\n1\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n"
                         "  2\r\nTABLES\r\n  0\r\nTABLE\r\n"),
              std::string::npos);
    const std::string tail =
        "  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
        "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
    EXPECT_EQ(bytes.find("BLOCKS"), std::string::npos);
}

class EveryKind : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetTitle("every kind.sch");
        FillEveryKind(doc);
    }

    CDrawDoc doc;
    testsupport::TempDir dir;
};

TEST_F(EveryKind, TheFileMatchesTheExpectedOne) {
    const std::filesystem::path file = dir / "every kind.dxf";
    ExportDxfFile(doc, file);
    EXPECT_EQ(testsupport::ReadFileText(file),
              testsupport::ReadFileText(kDataDir + "every-kind/expected.dxf"));
}

// The German locale writes 0.5 as "0,5"; the file must not follow it.
TEST_F(EveryKind, ADecimalCommaLocaleChangesNoByte) {
    const std::string plain = Drawing(doc);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
        << "The de_DE.UTF-8 locale is not installed; ./vosk.sh test generates it "
           "(or run: locale-gen de_DE.UTF-8).";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    const std::string german = Drawing(doc);
    std::setlocale(LC_ALL, "C");
    ASSERT_STREQ(probe, "0,5");
    EXPECT_EQ(german, plain);
}

// An independent reader: python3-ezdxf's recovering loader and its audit, and the entities
// counted by type from the raw tags.
TEST_F(EveryKind, AnIndependentReaderLoadsItWithoutErrors) {
    const std::filesystem::path file = dir / "every kind.dxf";
    ExportDxfFile(doc, file);
    const std::string output = ReadBack(file, "");
    // Rectangles: the outlined one, the gate's body and the text's frame; the second text has
    // no frame. Lines: the line, its open head, the Bezier curve's open head and the two pins'
    // strokes. Polylines: the line's filled head, the open polyline and its head, the polygon,
    // two wires and the bus. Ellipses: the ellipse, the arc and the pin's bubble. Texts: two
    // lines of the first box, one of the second.
    EXPECT_EQ(output,
              "3DFACE 1\nCIRCLE 1\nELLIPSE 3\nLINE 7\nLWPOLYLINE 3\nMTEXT 3\nPOLYLINE 7\n"
              "audit errors 0\n");
}

// Backslashes and braces read back as written, also across the 250-character pieces; a text
// stored in the file's code page (cp1252) and typed texts beyond it as their characters. A
// title beyond the code page leaves the whole file in it.
TEST(DxfExport, AnIndependentReaderReadsEveryTextAsWritten) {
    CDrawDoc doc;
    doc.SetTitle("texts \xC4\x81.sch");
    const std::string a249(249, 'a');
    for (const std::string& line :
         {std::string("C:\\Parts\\Lib {x}"), a249 + "{b}", std::string("caf\xE9 47\xB5") + "F",
          std::string("10\xC2\xB5") + "F \xCE\xA9", std::string("\xE7\x94\xB5\xE9\x98\xBB")}) {
        auto* text = new CTextBox(CRect(0, 0, 9000, -200));
        text->SetTextFlags(0, 0xFF);
        text->SetText(line.c_str(), FALSE);
        Add(doc, text);
    }
    testsupport::TempDir dir;
    const std::filesystem::path file = dir / "texts.dxf";
    ExportDxfFile(doc, file);
    EXPECT_EQ(ReadBack(file, "--texts"), "C:\\Parts\\Lib {x}\n" + a249 +
                                             "{b}\ncaf\xC3\xA9 47\xC2\xB5" + "F\n10\xC2\xB5" +
                                             "F \xCE\xA9\n\xE7\x94\xB5\xE9\x98\xBB\n");
    EXPECT_EQ(ReadBack(file, ""), "MTEXT 5\naudit errors 0\n");
    EXPECT_TRUE(testsupport::ReadFileText(file).starts_with(
        "999\r\nCreated by Vosk Schematic from texts \\U+0101.sch\r\n"));
}

// A wire drawn from a point straight onto a bus is written up to the bus's edge, as drawn:
// down to the bus entry's stroke, which ends on the edge 15 units (half the bus) above it.
TEST(DxfExport, AWireEndingOnABusIsWrittenUpToTheBus) {
    CDrawDoc doc;
    CWire* bus = Wire(doc, new CBus, {{5000, -2000}, {7000, -2000}}, new CNet("D[0:3]"));
    Wire(doc, new CWire, {{6000, -1000}, {6000, -2000}}, new CNet("D2"))->SetEndObject(bus);
    testsupport::TempDir dir;
    const std::filesystem::path file = dir / "bus.dxf";
    ExportDxfFile(doc, file);
    EXPECT_EQ(ReadBack(file, ""), "POLYLINE 2\naudit errors 0\n");
    EXPECT_EQ(ReadBack(file, "--polylines"), "5,-2 7,-2\n6,-1 6,-1.945 6.04,-1.985\n");
}

TEST_F(EveryKind, AFileThatCannotBeWrittenIsReportedAndNothingIsLeft) {
    const std::filesystem::path file = dir / "missing" / "every kind.dxf";
    EXPECT_THROW(ExportDxfFile(doc, file), FileWriteError);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST(DxfExport, TheProposedNameIsTheTitlesFileNameWithoutExtension) {
    EXPECT_EQ(ProposedDxfName("amp.sch"), "amp");
    EXPECT_EQ(ProposedDxfName("/home/a.b/amp.v2.sch"), "amp.v2");
    EXPECT_EQ(ProposedDxfName("Untitled1"), "Untitled1");
}

}  // namespace
