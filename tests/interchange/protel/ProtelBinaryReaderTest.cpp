// The binary schematic reader: the sheet header and its sizes, the record layouts, the six-byte
// reals, the pins, arcs and failures of bad records, each from files built field by field.

#include <gtest/gtest.h>

#include <sstream>

#include "interchange/protel/ByteSource.h"
#include "interchange/protel/ProtelFileBuilder.h"
#include "interchange/protel/ProtelImporter.h"
#include "interchange/protel/Real48.h"
#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/shapes/Ellipse.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "support/TestSupport.h"

namespace {

struct Imported {
    CDrawDoc doc;
    std::ostringstream log;
    bool ok = false;
};

std::unique_ptr<Imported> Import(const ProtelFileBuilder& file) {
    auto result = std::make_unique<Imported>();
    ByteSource source(file.Bytes());
    result->ok = ImportProtelBinarySchematic(result->log, source, result->doc);
    return result;
}

template <class T>
std::vector<T*> ObjectsOf(CDrawDoc& doc) {
    std::vector<T*> found;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;)
        if (auto* object = dynamic_cast<T*>(static_cast<CObject*>(doc.GetObjects().GetNext(pos))))
            found.push_back(object);
    return found;
}

// A schematic of style 0 without component definitions.
ProtelFileBuilder Sheet0() {
    ProtelFileBuilder file;
    file.SchematicStart(0).SheetHeader(0);
    return file;
}

TEST(ProtelReal48Test, DegreesDecodeWithSignAndExponent) {
    const unsigned char ninety[6] = {0x87, 0, 0, 0, 0, 0x34};
    const unsigned char oneEighty[6] = {0x88, 0, 0, 0, 0, 0x34};
    const unsigned char minusNinety[6] = {0x87, 0, 0, 0, 0, 0xB4};
    EXPECT_DOUBLE_EQ(Real48ToDouble(ninety), 90.0);
    EXPECT_DOUBLE_EQ(Real48ToDouble(oneEighty), 180.0);
    EXPECT_DOUBLE_EQ(Real48ToDouble(minusNinety), -90.0);
}

TEST(ProtelByteSourceTest, EndShowsOnlyAfterAShortRead) {
    ByteSource source({1, 2});
    EXPECT_EQ(source.Int16(), 0x201);
    EXPECT_FALSE(source.AtEnd());
    EXPECT_EQ(source.Byte(), 0);
    EXPECT_TRUE(source.AtEnd());
}

TEST(ProtelBinaryReaderTest, EmptyRecordListGivesTheStyleZeroSheet) {
    auto imported = Import(Sheet0().End());
    ASSERT_TRUE(imported->ok) << imported->log.str();
    EXPECT_EQ(imported->doc.GetPaperSize().cx, 13200);
    EXPECT_EQ(imported->doc.GetPaperSize().cy, -9300);
    EXPECT_TRUE(imported->doc.GetObjects().IsEmpty());
    EXPECT_EQ(imported->doc.m_border.m_flags & 0x18, 0x8u);
    EXPECT_EQ(imported->doc.m_border.m_frameSize, 200);
}

TEST(ProtelBinaryReaderTest, WireLandsAtTheSheetOrigin) {
    auto imported = Import(Sheet0().Wire({{0, 0}, {100, 0}}).End());
    ASSERT_TRUE(imported->ok) << imported->log.str();
    auto wires = ObjectsOf<CWire>(imported->doc);
    ASSERT_EQ(wires.size(), 1u);
    EXPECT_EQ(wires[0]->GetPoint(0), CPoint(0, -7600));
    EXPECT_EQ(wires[0]->GetPoint(1), CPoint(1000, -7600));
}

TEST(ProtelBinaryReaderTest, HeaderTextsBecomeDocumentAttributes) {
    ProtelFileBuilder file;
    file.SchematicStart(0).SheetHeader(0, 0, 0, 0, 0, "ACME", 2, 5).End();
    auto imported = Import(file);
    ASSERT_TRUE(imported->ok);
    EXPECT_EQ(imported->doc.GetAttribute("Company"), "ACME");
    EXPECT_EQ(imported->doc.GetAttribute(".sheetnumber"), "2");
    EXPECT_EQ(imported->doc.GetAttribute(".sheettotal"), "5");
    EXPECT_EQ(imported->doc.GetAttribute(".documentnumber"), "D-17");
    EXPECT_EQ(imported->doc.GetAttribute(".revision"), "B");
    EXPECT_EQ(imported->doc.GetAttribute(".address1"), "Street 1");
}

TEST(ProtelBinaryReaderTest, SheetSizesFromStyleCustomAndOrientation) {
    ProtelFileBuilder badStyle;
    badStyle.SchematicStart(0).SheetHeader(18).End();
    EXPECT_FALSE(Import(badStyle)->ok);

    ProtelFileBuilder custom;
    custom.SchematicStart(0).SheetHeader(18, 0, 500, 400, 1).End();
    auto imported = Import(custom);
    ASSERT_TRUE(imported->ok);
    EXPECT_EQ(imported->doc.GetPaperSize().cx, 5000);
    EXPECT_EQ(imported->doc.GetPaperSize().cy, -4000);

    ProtelFileBuilder turned;
    turned.SchematicStart(0).SheetHeader(0, 1, 500, 400, 1).End();
    imported = Import(turned);
    ASSERT_TRUE(imported->ok);
    EXPECT_EQ(imported->doc.GetPaperSize().cx, 4000);
    EXPECT_EQ(imported->doc.GetPaperSize().cy, -5000);
}

TEST(ProtelBinaryReaderTest, ComponentPinEndsAndNumber) {
    ProtelFileBuilder file;
    file.SchematicStart(1).ComponentHead({"RES"}, "resistor", "AXIAL0.4", "R?", 1).PartStart();
    file.Pin(100, 50, 0, "A", "1").Rectangle(0, 0, 100, 100).End().End().End();
    file.SheetHeader(0).Instance(0, 0, 0, 0, 0, 1, 0, "R1").End();
    auto imported = Import(file);
    ASSERT_TRUE(imported->ok) << imported->log.str();
    auto symbols = ObjectsOf<CSymbol>(imported->doc);
    ASSERT_EQ(symbols.size(), 1u);
    auto* pin = static_cast<CPin*>(symbols[0]->GetPins().GetHead());
    EXPECT_EQ(pin->GetConnectPoint(), CPoint(1200, -7100));
    CString value;
    ASSERT_TRUE(pin->LookupAttr("_No", value));
    EXPECT_EQ(value, "1");
    EXPECT_EQ(symbols[0]->GetAttr("_ID"), "R1");
    EXPECT_EQ(symbols[0]->GetAttr("_Name"), "RES");
    ASSERT_NE(symbols[0]->GetDevice(), nullptr);
    EXPECT_EQ(symbols[0]->GetDevice()->GetAttr("_Pref"), "R");
}

// A part placed in its IEEE drawing is named for that drawing, and its device's map lists the
// drawing under the same name, so the symbol keeps its pin numbers.
TEST(ProtelBinaryReaderTest, AnIeeeInstanceIsNamedWithItsModeSuffix) {
    ProtelFileBuilder file;
    file.SchematicStart(1).ComponentHead({"BUF"}, "buffer", "DIP8", "U?", 1).PartStart();
    file.End().End().Pin(100, 50, 0, "A", "3").Rectangle(0, 0, 100, 100).End();
    file.SheetHeader(0).Instance(0, 0, 2, 0, 0, 1, 0, "U1").End();
    auto imported = Import(file);
    ASSERT_TRUE(imported->ok) << imported->log.str();
    auto symbols = ObjectsOf<CSymbol>(imported->doc);
    ASSERT_EQ(symbols.size(), 1u);
    EXPECT_EQ(symbols[0]->GetAttr("_Name"), "BUF_iee");
    ASSERT_NE(symbols[0]->GetDevice(), nullptr);
    EXPECT_TRUE(symbols[0]->GetDevice()->GetAttr("_Map").str().starts_with("BUF_iee\x01"));
    EXPECT_TRUE(symbols[0]->GetDevice()->IsCompatibleWith(symbols[0]));
}

TEST(ProtelBinaryReaderTest, RepeatedDesignatorsAreRenumberedAndFieldsKept) {
    ProtelFileBuilder file;
    file.SchematicStart(1).ComponentHead({"RES"}, "resistor", "AXIAL0.4", "R?", 1).PartStart();
    file.Pin(0, 0, 2, "1", "1").Rectangle(0, 0, 100, 100).End().End().End();
    file.SheetHeader(0)
        .Instance(0, 0, 0, 0, 0, 1, 0, "R1")
        .Text(0x24, 10, 10, "*")
        .Text(0x26, 10, 10, "5%");
    file.Text(0x24, 5000, 10, "far").Instance(300, 0, 0, 0, 0, 1, 0, "R1").End();
    auto imported = Import(file);
    ASSERT_TRUE(imported->ok) << imported->log.str();
    auto symbols = ObjectsOf<CSymbol>(imported->doc);
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_EQ(symbols[0]->GetAttr("_ID"), "R1");
    EXPECT_NE(symbols[1]->GetAttr("_ID"), "R1");
    EXPECT_FALSE(symbols[1]->GetAttr("_ID").IsEmpty());
    EXPECT_EQ(symbols[0]->GetAttr("Field2"), "5%");
    EXPECT_EQ(symbols[0]->GetAttr("Field3"), "far");
    EXPECT_EQ(symbols[0]->GetDevice(), symbols[1]->GetDevice());
    EXPECT_EQ(symbols[0]->GetDevice()->GetRefCount(), 2);
    // The field at x = 50000 lies off the 13200-wide sheet: no text shows it.
    int fieldTexts = 0;
    for (CAttrText* text : ObjectsOf<CAttrText>(imported->doc))
        fieldTexts += text->GetName().Left(5) == "Field";
    EXPECT_EQ(fieldTexts, 1);
}

TEST(ProtelBinaryReaderTest, ArcEndsRoundToTheNearestUnit) {
    auto imported = Import(Sheet0().Arc(0, 0, 10, 0, 90).Arc(0, 0, 10, 135, 180).End());
    ASSERT_TRUE(imported->ok) << imported->log.str();
    auto arcs = ObjectsOf<CEllipse>(imported->doc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0]->GetArcStart(), CPoint(100, -7600));
    EXPECT_EQ(arcs[0]->GetArcEnd(), CPoint(0, -7500));
    EXPECT_EQ(arcs[1]->GetArcStart(), CPoint(-71, -7600 + 71));
    EXPECT_EQ(arcs[1]->GetArcEnd(), CPoint(-100, -7600));
}

TEST(ProtelBinaryReaderTest, BadRecordsFailWithoutTouchingTheDocument) {
    // Pin direction 4, a point count above 1024, a wire of one point, an unknown type, a
    // designator before any component and a file cut inside a record.
    std::vector<ProtelFileBuilder> bad(6, Sheet0());
    bad[0].Pin(0, 0, 4, "A", "1").End();
    bad[1].Junctionless(0x06, 1025).End();
    bad[2].Wire({{0, 0}}).End();
    bad[3].Byte(0x13).End();
    bad[4].Text(0x22, 0, 0, "U1").End();
    bad[5].Wire({{0, 0}, {10, 0}}).Raw(std::string(1, '\x1B'));
    for (size_t i = 0; i < bad.size(); ++i) {
        auto imported = Import(bad[i]);
        EXPECT_FALSE(imported->ok) << i;
        EXPECT_TRUE(imported->doc.GetObjects().IsEmpty()) << i;
        EXPECT_EQ(imported->doc.GetPaperSize().cx, 11693) << i;
    }
    EXPECT_EQ(Import(bad[3])->log.str().substr(Import(bad[3])->log.str().find('\n') + 1),
              "Unknown record type 13 at file position a5.\n");
    EXPECT_FALSE(Import(ProtelFileBuilder())->ok);
}

TEST(ProtelBinaryReaderTest, RecordsNestTemplatesAFewLevelsDeepButNotWithoutEnd) {
    ProtelFileBuilder nested = Sheet0();
    nested.Template("A4").Template("").Text(0x04, 100, 100, ".title").End().End().End();
    auto imported = Import(nested);
    ASSERT_TRUE(imported->ok) << imported->log.str();
    EXPECT_EQ(ObjectsOf<CAttrText>(imported->doc).size(), 1u);

    // 40,000 templates, each inside the one before: an 80 KB file is refused as malformed.
    ProtelFileBuilder deep = Sheet0();
    for (int i = 0; i < 40000; ++i)
        deep.Template("");
    imported = Import(deep);
    EXPECT_FALSE(imported->ok);
    EXPECT_TRUE(imported->doc.GetObjects().IsEmpty());
}

// The header text of a file that is no Protel file goes to the log with its bytes readable.
TEST(ProtelBinaryReaderTest, ADamagedHeaderIsLoggedReadably) {
    ProtelFileBuilder file;
    file.Str(std::string("PK\x03\x04\xE9\\\x7F", 7)).Zeros(3);
    auto imported = Import(file);
    EXPECT_FALSE(imported->ok);
    EXPECT_EQ(imported->log.str(), "PK\\x03\\x04\\xE9\\\\\\x7F\n");
}

// A part placed inside a template or a sheet symbol whose records then fail is freed with that
// record list; the device the importer made for it must outlive it.
TEST(ProtelBinaryReaderTest, AFailedNestedListFreesItsPartsButNotTheirDevices) {
    auto withResistor = [] {
        ProtelFileBuilder file;
        file.SchematicStart(1).ComponentHead({"RES"}, "resistor", "AXIAL0.4", "R?", 1);
        file.PartStart().Pin(0, 0, 2, "1", "1").Rectangle(0, 0, 100, 100).End().End().End();
        return file.SheetHeader(0);
    };
    std::vector<ProtelFileBuilder> bad(3, withResistor());
    bad[0].Template("A4").Instance(0, 0, 0, 0, 0, 1, 0, "R1").Byte(0x13);
    bad[1].Template("A4").Template("").Instance(0, 0, 0, 0, 0, 1, 0, "R1").End().Byte(0x13);
    bad[2].Byte(0x0F).Int16(0).Int16(0).Int16(50).Int16(50).Zeros(11);
    bad[2].Instance(0, 0, 0, 0, 0, 1, 0, "R1").Byte(0x13);
    for (size_t i = 0; i < bad.size(); ++i) {
        bad[i].End().End();
        auto imported = Import(bad[i]);
        EXPECT_FALSE(imported->ok) << i;
        EXPECT_TRUE(imported->doc.GetObjects().IsEmpty()) << i;
    }
}

// A component instance belongs on the sheet: one inside a definition's drawing is refused, so
// that no later designator names a symbol the definition owns and frees with the import.
TEST(ProtelBinaryReaderTest, AnInstanceInsideADefinitionIsRefused) {
    ProtelFileBuilder file;
    file.SchematicStart(2).ComponentHead({"RES"}, "resistor", "AXIAL0.4", "R?", 1).PartStart();
    file.Pin(0, 0, 2, "1", "1").Rectangle(0, 0, 100, 100).End().End().End();
    file.ComponentHead({"PAIR"}, "pair", "DIP8", "U?", 1).PartStart();
    file.Instance(0, 0, 0, 0, 0, 1, 0, "R9").Pin(0, 0, 2, "1", "1").End().End().End();
    file.SheetHeader(0).Text(0x22, 0, 30, "R1").Instance(0, 0, 0, 0, 0, 1, 0, "R1").End();
    auto imported = Import(file);
    EXPECT_FALSE(imported->ok);
    EXPECT_TRUE(imported->doc.GetObjects().IsEmpty());
    testsupport::TempDir dir;
    EXPECT_TRUE(imported->doc.OnSaveDocument((dir / "refused.sch").string().c_str()));
}

}  // namespace
