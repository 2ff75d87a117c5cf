// The DOS schematic reader: sheets and their title block, lines and the window of the sheet,
// texts, junctions, components with pins and bitmap bodies, and the failures of bad records.

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "interchange/protel/ByteSource.h"
#include "interchange/protel/ProtelDosReader.h"
#include "interchange/protel/ProtelFileBuilder.h"
#include "interchange/protel/ProtelImporter.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/Ellipse.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/TextBox.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/writers/ProtelFormat.h"

namespace {

struct Imported {
    CDrawDoc doc;
    std::ostringstream log;
    bool ok = false;
};

std::unique_ptr<Imported> Import(const ProtelFileBuilder& file) {
    auto result = std::make_unique<Imported>();
    ByteSource source(file.Bytes());
    result->ok = ImportProtelDosSchematic(result->log, source, result->doc);
    return result;
}

template <class T>
std::vector<T*> ObjectsOf(CDrawDoc& doc, int type) {
    std::vector<T*> found;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
        if (object->GetObjType() == type)
            found.push_back(static_cast<T*>(object));
    }
    return found;
}

ProtelFileBuilder Sheet(int kind) {
    ProtelFileBuilder file;
    file.DosRecord(0x00, {}, {{1, kind}});
    return file;
}

// A component record with its continuations: one part of 3 × 2 hundreds, pins 1 (left) and 2
// (right), both passive at position 1.
void Component(ProtelFileBuilder& file, const std::string& id, int x, int y) {
    std::vector<int> head(16, 0);
    head[0] = 0x70;
    head[1] = static_cast<int>(id.size());
    for (size_t i = 0; i < id.size(); ++i)
        head[2 + i] = id[i];
    head[12] = x & 0xFF, head[13] = x >> 8, head[14] = y & 0xFF, head[15] = y >> 8;
    file.DosRecord(head);
    file.DosRecord({'A', 3, 'R', 'E', 'S'});
    file.DosRecord('B', {{3, x}, {5, y + 30}, {7, x}, {9, y - 30}}, {{11, 1}, {12, 1}});
    file.DosRecord({'C', 2, 0, 0, 0, 5, 'A', 'X', 'I', 'A', 'L'});
    file.DosRecord({0, 0, 3, 2});
    file.DosRecord({1, 0x60, 1, '1', 0, 0, 0, 1, 'A', 0, 0, 0, 0, 0, 0, 1});
    file.DosRecord({1, 0x60, 1, '2', 0, 0, 0, 1, 'B', 0, 0, 0, 0, 0, 2, 1});
}

TEST(ProtelDosReaderTest, SheetOneMovesTheDrawingAndMakesTheTitleBlock) {
    auto imported = Import(Sheet(1));
    ASSERT_TRUE(imported->ok) << imported->log.str();
    EXPECT_EQ(imported->doc.GetPaperSize().cx, 13200);
    EXPECT_EQ(imported->doc.GetPaperSize().cy, -9300);
    auto texts = ObjectsOf<CTextBox>(imported->doc, kObjText);
    ASSERT_EQ(texts.size(), 8u);
    CRect title = texts[0]->GetPosition();
    EXPECT_EQ(texts[0]->GetText(), "Title");
    EXPECT_EQ(title, CRect(7800, -6900, 11300, -6600));
    EXPECT_EQ(texts[5]->GetText(), "Sheet   of");
}

TEST(ProtelDosReaderTest, LinesInsideTheSheetWindowOnly) {
    ProtelFileBuilder file = Sheet(2);
    file.DosRecord(0x10, {{1, 10}, {3, 20}, {5, 50}, {7, 20}}, {{9, 1}});
    file.DosRecord(0x10, {{1, 10}, {3, 20}, {5, 2600}, {7, 20}}, {{9, 1}});
    file.DosRecord(0x10, {{1, 10}, {3, 40}, {5, 50}, {7, 40}}, {{9, 3}});
    auto imported = Import(file);
    ASSERT_TRUE(imported->ok) << imported->log.str();
    auto wires = ObjectsOf<CWire>(imported->doc, kObjWire);
    ASSERT_EQ(wires.size(), 1u);
    EXPECT_EQ(wires[0]->GetPoint(0), CPoint(100, -200));
    EXPECT_EQ(wires[0]->GetPoint(1), CPoint(500, -200));
    EXPECT_EQ(wires[0]->GetPen().lopnColor, 0x800000u);
    EXPECT_EQ(ObjectsOf<CWire>(imported->doc, kObjBus).size(), 1u);

    // Sheet 4 is 32000 units wide: a line to x = 30000 is on it.
    ProtelFileBuilder wide = Sheet(4);
    wide.DosRecord(0x10, {{1, 10}, {3, 20}, {5, 3000}, {7, 20}}, {{9, 1}});
    imported = Import(wide);
    ASSERT_TRUE(imported->ok);
    EXPECT_EQ(ObjectsOf<CWire>(imported->doc, kObjWire).size(), 1u);
}

TEST(ProtelDosReaderTest, JunctionAndTextWithItsContinuation) {
    ProtelFileBuilder file = Sheet(2);
    file.DosRecord(0x60, {{1, 30}, {3, 40}});
    file.DosRecord({0x30, 10, 0, 10, 0, 0, 0, 0, 9, 'A', 'B', 'C', 'D', 'E', 'F', 'G'});
    file.DosRecord({'1', 'H', 'I'});
    auto imported = Import(file);
    ASSERT_TRUE(imported->ok) << imported->log.str();
    auto dots = ObjectsOf<CEllipse>(imported->doc, kObjEllipse);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0]->GetPosition(), CRect(275, -425, 325, -375));
    EXPECT_EQ(dots[0]->GetFlags() & 0x3, 0x3u);
    auto texts = ObjectsOf<CTextBox>(imported->doc, kObjText);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts[8]->GetText(), "ABCDEFGHI");
}

TEST(ProtelDosReaderTest, BadInputFailsAndLeavesTheDocumentAlone) {
    ProtelFileBuilder unknown = Sheet(2);
    unknown.DosRecord(0x20, {}).DosRecord(0x40, {});
    auto imported = Import(unknown);
    EXPECT_FALSE(imported->ok);
    EXPECT_EQ(imported->log.str(), "Unknown record type 40 at file position 20.\n");
    EXPECT_TRUE(imported->doc.GetObjects().IsEmpty());

    ProtelFileBuilder noContinuation = Sheet(2);
    noContinuation.DosRecord({0x30, 10, 0, 10, 0, 0, 0, 0, 1, 'A'}).DosRecord(0x20, {});
    EXPECT_FALSE(Import(noContinuation)->ok);

    ProtelFileBuilder partZero = Sheet(2);
    Component(partZero, "R1", 100, 100);
    auto bytes = partZero.Bytes();
    bytes[16 * 3 + 11] = 0;  // the 'B' record's part number
    ByteSource source(bytes);
    std::ostringstream log;
    CDrawDoc doc;
    EXPECT_FALSE(ImportProtelDosSchematic(log, source, doc));
    EXPECT_TRUE(doc.GetObjects().IsEmpty());

    EXPECT_FALSE(Import(ProtelFileBuilder())->ok);
}

TEST(ProtelDosReaderTest, BitmapCellsBecomeRunRectangles) {
    std::vector<unsigned char> cells = {1, 1, 0,  //
                                        1, 1, 1};
    CObList rects;
    ProtelDosReader::AddBitmapRects(rects, cells, 3, 2);
    ASSERT_EQ(rects.GetCount(), 2);
    EXPECT_EQ(static_cast<CDrawObj*>(rects.GetHead())->GetPosition(), CRect(-5, 5, 15, -15));
    EXPECT_EQ(static_cast<CDrawObj*>(rects.GetTail())->GetPosition(), CRect(15, -5, 25, -15));
    while (!rects.IsEmpty())
        delete static_cast<CObject*>(rects.RemoveHead());
}

TEST(ProtelDosReaderTest, ComponentsJoinedByAWireNetlist) {
    ProtelFileBuilder file = Sheet(2);
    Component(file, "R1", 100, 100);
    Component(file, "R2", 300, 100);
    file.DosRecord(0x10, {{1, 160}, {3, 110}, {5, 270}, {7, 110}}, {{9, 1}});
    auto imported = Import(file);
    ASSERT_TRUE(imported->ok) << imported->log.str();
    auto symbols = ObjectsOf<CSymbol>(imported->doc, kObjSymbol);
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_EQ(symbols[0]->GetAttr("_Footprint"), "AXIAL");
    auto* left = static_cast<CPin*>(symbols[0]->GetPins().GetHead());
    EXPECT_EQ(left->GetConnectPoint(), CPoint(700, -1100));

    CProtelFormat protel;
    std::ostringstream out, log;
    CNetNode top(imported->doc.GetPathName());
    protel.WriteHeader(imported->doc.m_netlist, out, log);
    ASSERT_EQ(imported->doc.m_netlist.Build(top, protel, out, log), kBuildOk) << log.str();
    ASSERT_TRUE(protel.WriteBody(imported->doc.m_netlist, top, out, log));
    EXPECT_NE(out.str().find("[\nR1\nAXIAL\nRES\n\n\n\n]"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\nR1-2\nR2-1\n)"), std::string::npos) << out.str();
}

}  // namespace
