#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "model/device/Device.h"
#include "model/device/PinMap.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/object/AttrCheckCodes.h"
#include "model/shapes/DrawRect.h"
#include "model/shapes/ShapeTestSupport.h"
#include "model/support/OrientedPart.h"
#include "model/support/SampleSheet.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "support/ScriptedPrompt.h"

using namespace shapetest;

namespace {

constexpr int kFlagsOffset = 16;  // after the position rectangle

CPin* AddPin(CSymbol& symbol, const char* id, CPoint body, CPoint hot) {
    auto* pin = new CPin(&symbol);
    pin->SetEnds(body, hot);
    pin->SetAttr("_ID", id, kSetAttrForce);
    symbol.GetPins().AddTail(pin);
    return pin;
}

// A document with symbols that share devices: "NAND" with pins A, B, Y.
class SymbolSheet : public ::testing::Test {
protected:
    CSymbol* Place(CDevice* device, const char* id) {
        auto* symbol = new CSymbol();
        symbol->SetDocument(&doc);
        symbol->SetAttr("_Name", "NAND", kSetAttrForce);
        symbol->SetAttr("_ID", id, kSetAttrForce);
        AddPin(*symbol, "A", CPoint(-100, 50), CPoint(-200, 50));
        AddPin(*symbol, "B", CPoint(-100, -50), CPoint(-200, -50));
        AddPin(*symbol, "Y", CPoint(100, 0), CPoint(200, 0));
        symbol->SetDocument(&doc);
        symbol->RecalcBounds(nullptr);
        device->AddRef();
        symbol->SetDevice(device);
        doc.GetObjects().AddTail(symbol);
        return symbol;
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

}  // namespace

TEST(SymbolTest, NewSymbolRecordsItsFlagsAndIdentityMatrix) {
    CSymbol symbol;
    const Bytes bytes = StoreObject(&symbol);
    const std::size_t head = NewClassTag("CSymbol").size();
    EXPECT_EQ(Bytes(bytes.begin() + static_cast<long>(head + kFlagsOffset),
                    bytes.begin() + static_cast<long>(head + kFlagsOffset + 4)),
              (Bytes{0x00, 0x04, 0x0A, 0x00}));
    // After the base (24), three empty lists and the map (2 each): a = 1.0, then zeros.
    const std::size_t matrix = head + 24 + 8;
    EXPECT_EQ(Bytes(bytes.begin() + static_cast<long>(matrix),
                    bytes.begin() + static_cast<long>(matrix + 8)),
              (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    const auto loaded = RoundTrip(symbol);
    ASSERT_TRUE(loaded);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(loaded->GetMatrix()[i], kIdentityMatrix[i]);
}

TEST(SymbolTest, PinlessSymbolHasNineConnectionPointsFromOne) {
    CObList graphics;
    graphics.AddTail(new CDrawRect(CRect(0, 0, 1000, -500)));
    CSymbol symbol(nullptr, graphics, FALSE);
    const double placed[6] = {1, 0, 2000, 0, 1, -1000};
    symbol.SetMatrix(placed);
    // The rectangle's pen widens its bounds; the points follow the position rectangle.
    const CRect& r = symbol.GetPosition();
    ASSERT_EQ(symbol.GetConnectionCount(), 9);
    EXPECT_EQ(symbol.GetConnectionPoint(1),
              CPoint(2000 + (r.left + r.right) / 2, -1000 + (r.top + r.bottom) / 2));
    EXPECT_EQ(symbol.GetConnectionPoint(2), CPoint(2000 + r.left, -1000 + r.top));
    EXPECT_EQ(symbol.GetConnectionPoint(9), CPoint(2000 + r.left, -1000 + (r.top + r.bottom) / 2));
}

TEST(SymbolTest, ConnectionPointsOfPinsCountFromOne) {
    CSymbol symbol;
    AddPin(symbol, "1", CPoint(0, 0), CPoint(100, 0));
    AddPin(symbol, "2", CPoint(0, 0), CPoint(0, -100));
    symbol.Rotate(900, 0, 0, nullptr);
    ASSERT_EQ(symbol.GetConnectionCount(), 2);
    EXPECT_EQ(symbol.GetConnectionPoint(2), CPoint(100, 0));
}

// A symbol whose only graphic is a vertical line has no width to scale from.
TEST(SymbolTest, MoveToFromAZeroWidthRectangleOnlyShifts) {
    CSymbol symbol;
    symbol.GetGraphics().AddTail(new CDrawRect(CRect(0, 0, 0, -400)));
    symbol.RecalcBounds(nullptr);
    CRect target = symbol.GetPosition();
    const LONG width = target.Width();
    target.OffsetRect(300, 0);
    target.right = target.left + width;
    target.top -= 100;
    symbol.MoveTo(target, nullptr);
    for (double v : {symbol.GetMatrix()[0], symbol.GetMatrix()[2], symbol.GetMatrix()[4]})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_DOUBLE_EQ(symbol.GetMatrix()[kMatA], 1.0);
    EXPECT_DOUBLE_EQ(symbol.GetMatrix()[kMatTx], 300.0);
}

// The point is taken to the symbol's own coordinates before the rectangle test.
TEST(SymbolTest, HitTestWorksInLocalCoordinates) {
    CObList graphics;
    graphics.AddTail(new CDrawRect(CRect(0, 0, 100, -100)));
    CSymbol symbol(nullptr, graphics, FALSE);
    symbol.OffsetBy(CSize(5000, 0));
    EXPECT_EQ(symbol.HitTest(CPoint(5050, -50), nullptr, FALSE), 1);
    EXPECT_EQ(symbol.HitTest(CPoint(50, -50), nullptr, FALSE), 0);
    EXPECT_EQ(symbol.HitTest(CPoint(5050, -50), nullptr, TRUE), 0);
}

TEST(SymbolTest, PinDisplayOfTheSymbolOverridesThePins) {
    CSymbol symbol;
    CPin* pin = AddPin(symbol, "EN", CPoint(0, 0), CPoint(300, 0));
    pin->SetFlags(kPinHidden, kPinHidden | kPinShowName | kPinShowNumber);
    const auto texts = [&] {
        CRecordingDC dc;
        symbol.Draw(&dc, nullptr);
        int count = 0;
        for (const std::string& line : dc.Lines())
            count += line.starts_with("TextOut");
        return count;
    };
    EXPECT_EQ(texts(), 0);  // hidden
    symbol.SetFlags(kSymbolShowHiddenPins | kSymbolPinNamesAll | kSymbolPinNumbersAll,
                    kSymbolShowHiddenPins | kSymbolPinNamesMask | kSymbolPinNumbersMask);
    EXPECT_EQ(texts(), 2);
    EXPECT_EQ(pin->GetFlags() & (kPinHidden | kPinShowName | kPinShowNumber), kPinHidden);
}

TEST_F(SymbolSheet, PinNumbersAndGatesComeFromTheDevice) {
    CDevice* nand = samplesheet::NandDevice("7400");
    CSymbol* gateB = Place(nand, "U1B");
    EXPECT_EQ(gateB->GetAttr("_Inst"), "B");
    EXPECT_EQ(gateB->GetAttr("_DID"), "U1");
    EXPECT_EQ(gateB->FindPin("Y")->GetAttr("_No"), "6");
    EXPECT_EQ(gateB->GetAttr("_Device._Pref"), "U");
    EXPECT_TRUE(gateB->IsReadOnlyAttr("_Device._Map"));
}

TEST_F(SymbolSheet, PartLineAndDeviceIdentifierAreThoseOfTheAttributes) {
    CSymbol* gateB = Place(samplesheet::NandDevice("7400"), "U1B");
    CString did;
    const CPinMapLine* line = gateB->GetPartLine(did);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->symbol, gateB->GetAttr("_Name").str());
    EXPECT_EQ(line->gate, gateB->GetAttr("_Inst").str());
    EXPECT_EQ(did, "U1");
    EXPECT_EQ(did, gateB->GetAttr("_DID"));

    CSymbol plain;
    plain.SetAttr("_ID", "R1", kSetAttrForce);
    plain.SetAttr("_Name", "RES", kSetAttrForce);
    did = "stale";
    EXPECT_EQ(plain.GetPartLine(did), nullptr);  // no device: neither line nor identifier
    EXPECT_EQ(did, "");
    EXPECT_EQ(plain.GetAttr("_DID"), "");
}

TEST_F(SymbolSheet, DeviceNameOfAnIncompatibleDeviceIsRefused) {
    CDevice* nand = samplesheet::NandDevice("7400");
    CDevice* other = new CDevice("7404");
    other->SetMap(
        "INV\x01\x01"
        "A\x01"
        "1\x01"
        "Y\x01"
        "2",
        kMapApply);
    CSymbol* symbol = Place(nand, "U1A");
    CSymbol* inverter = Place(other, "U2");
    inverter->SetAttr("_Name", "INV", kSetAttrForce);
    CString name("7404");
    EXPECT_EQ(symbol->CheckAttrValue("_Device._Name", name), kIncompatibleDevice);
    EXPECT_FALSE(symbol->SetAttr("_Device._Name", "7404", kSetAttrUndoable));
    EXPECT_EQ(symbol->GetDevice(), nand);
}

// Device attributes set through a symbol are checked and undoable.
TEST_F(SymbolSheet, DeviceEditThroughASymbolIsCheckedAndUndoable) {
    CDevice* nand = samplesheet::NandDevice("7400");
    CSymbol* symbol = Place(nand, "U1A");
    EXPECT_FALSE(symbol->SetAttr("_Device._Map",
                                 "NAND\x01"
                                 "A\x01"
                                 "A",
                                 kSetAttrUndoable));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
    ASSERT_TRUE(symbol->SetAttr("_Device._Footprint", "DIP14", kSetAttrUndoable));
    EXPECT_EQ(nand->GetAttr("_Footprint"), "DIP14");
    ASSERT_TRUE(doc.GetUndoList().Undo());
    CString footprint;
    EXPECT_FALSE(nand->Lookup("_Footprint", footprint));
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(nand->GetAttr("_Footprint"), "DIP14");
}

TEST_F(SymbolSheet, NetConnectorPinFollowsTheConnectorName) {
    auto* connector = new CSymbol();
    connector->SetFlags(kSymbolNetConnector, kSymbolKindMask);
    connector->SetDocument(&doc);
    CPin* pin = AddPin(*connector, "VCC", CPoint(0, 0), CPoint(0, -100));
    doc.GetObjects().AddTail(connector);
    ASSERT_TRUE(connector->SetAttr("_ID", "VDD", 0));
    EXPECT_EQ(pin->GetAttr("_ID"), "VDD");
}

TEST_F(SymbolSheet, TooltipNamesKindDeviceAndValues) {
    CDevice* nand = samplesheet::NandDevice("7400");
    CSymbol* symbol = Place(nand, "U1A");
    symbol->SetAttr("_Value", "74HC00", kSetAttrForce);
    symbol->SetAttr("_Footprint", "SO14", kSetAttrForce);
    nand->SetAttr("_Footprint", "DIP14", TRUE);
    EXPECT_EQ(symbol->GetTipText(),
              "U1A NAND\nDevice: 7400\nType: Physical Device\nValue: 74HC00\nFootprint: DIP14");
    CSymbol plain;
    plain.SetFlags(kSymbolGraphical, kSymbolKindMask);
    EXPECT_EQ(plain.GetTipText(), "Symbol\nType: Graphical");
}

// A net connector names the net of the wire at its first pin, when it has one.
TEST_F(SymbolSheet, NetConnectorTooltipNamesTheNetOfItsWire) {
    auto* connector = new CSymbol();
    connector->SetFlags(kSymbolNetConnector, kSymbolKindMask);
    connector->SetDocument(&doc);
    CPin* pin = AddPin(*connector, "VCC", CPoint(0, 0), CPoint(0, -100));
    doc.GetObjects().AddTail(connector);
    EXPECT_EQ(connector->GetTipText(), "Symbol\nType: Net Connector");

    auto* wire = new CWire();
    wire->AddPoint(CPoint(0, -100));
    wire->AddPoint(CPoint(0, -500));
    auto* net = new CNet();
    net->AddRef();
    ASSERT_TRUE(net->SetAttr("_ID", "VCC", kSetAttrForce));
    wire->SetNet(net);
    wire->SetDocument(&doc);
    doc.GetObjects().AddTail(wire);
    wire->SetStartObject(pin);
    EXPECT_EQ(connector->GetTipText(), "Symbol\nType: Net Connector : VCC");
}

// The step takes its reference on the old device before the symbol lets it go, so undoing
// gives the symbol back a live device.
TEST_F(SymbolSheet, CompatibleDeviceNameSharesThatDeviceInOneStep) {
    CDevice* nand = samplesheet::NandDevice("7400");
    CDevice* lone = samplesheet::NandDevice("74HC00");
    CSymbol* shared = Place(nand, "U1A");
    CSymbol* symbol = Place(lone, "U2A");
    ASSERT_TRUE(symbol->SetAttr("_Device._Name", "7400", kSetAttrUndoable));
    EXPECT_EQ(symbol->GetDevice(), nand);
    EXPECT_EQ(nand->GetRefCount(), 2);
    EXPECT_EQ(lone->GetRefCount(), 1);  // held by the step
    ASSERT_EQ(doc.GetUndoList().GetCount(), 1);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "change device");
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(symbol->GetDevice(), lone);
    EXPECT_EQ(symbol->GetAttr("_ID"), "U2A");
    EXPECT_EQ(lone->GetAttr("_Name"), "74HC00");
    EXPECT_EQ(nand->GetRefCount(), 2);  // the first symbol's and the step's
    EXPECT_EQ(shared->GetDevice(), nand);
}

// Whichever way a part is turned or mirrored, each of its texts is painted inside the box that
// selects it.
TEST(SymbolTest, ATurnedOrMirroredPartPaintsItsTextsInsideTheirBoxes) {
    for (int orientation = 0; orientation < kOrientations; ++orientation) {
        testsupport::RecordingAppServices services;
        CDrawDoc doc;
        const OrientedPart part(doc, orientation);
        ASSERT_EQ(part.Texts().size(), 2u);
        for (CAttrText* text : part.Texts()) {
            CRect box;
            text->GetBoundingRect(box);
            box.NormalizeRect();
            const std::vector<CRect> cells = DrawnTextCells(*text);
            ASSERT_EQ(cells.size(), 1u);
            EXPECT_TRUE(Encloses(box, cells[0]))
                << "orientation " << orientation << ", " << text->GetText().str();
        }
    }
}
