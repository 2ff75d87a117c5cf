#include <gtest/gtest.h>

#include "NetTestSheet.h"
#include "model/doc/DrawDoc.h"
#include "model/net/ConnectorSymbols.h"
#include "model/net/WireRails.h"
#include "model/support/TestPart.h"

using namespace nettest;

namespace {

// Symbols of one pin whose hot end lies at (0, 0), pointing down; records the names asked for.
class PinSymbols : public IConnectorSymbolSource {
public:
    PinSymbols() : m_previous(SetConnectorSymbolSource(this)) {}
    ~PinSymbols() override { SetConnectorSymbolSource(m_previous); }
    PinSymbols(const PinSymbols&) = delete;
    PinSymbols& operator=(const PinSymbols&) = delete;

    CSymbol* LoadSymbol(const CString& name, CDrawDoc* document) override {
        asked.push_back(name);
        auto* symbol = new CSymbol();
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(0, 100), CPoint(0, 0));
        symbol->GetPins().AddTail(pin);
        symbol->SetDocument(document);
        symbol->RecalcBounds(nullptr);
        return symbol;
    }

    std::vector<CString> asked;

private:
    IConnectorSymbolSource* m_previous;
};

TEST(WireRails, OnlyTheLastSelectedWireWithAFreeEndIsConnected) {
    NetSheet sheet;
    CWire* free = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    CWire* held = sheet.Place({{0, 500}, {1000, 500}}, "n0002");
    held->SetStartObject(NetSheet::PinOf(sheet.PlaceSymbol(CPoint(0, 500), "1")));
    held->SetEndObject(NetSheet::PinOf(sheet.PlaceSymbol(CPoint(1000, 500), "2")));
    EXPECT_EQ(WireToConnect(ObjectList{}), nullptr);
    EXPECT_EQ(WireToConnect(ObjectList{free, held}), nullptr);
    EXPECT_EQ(WireToConnect(ObjectList{free, sheet.doc.GetObjects().GetTail()}), nullptr);
    EXPECT_EQ(WireToConnect(ObjectList{held, free}), free);
}

// The rail's names come from the document's attributes, else their defaults; the connection is
// one step that undo takes back whole.
TEST(WireRails, RailNamesComeFromTheDocument) {
    PinSymbols symbols;
    NetSheet sheet;
    sheet.doc.SetAttribute("Power1", "+3v3", 0);
    sheet.doc.SetAttribute("Ground2.Symbol", "Analog Ground", 0);
    EXPECT_EQ(RailNetName(sheet.doc, 2), "+3v3");
    EXPECT_EQ(RailNetName(sheet.doc, 5), "-15v");
    EXPECT_EQ(RailSymbolName(sheet.doc, 1), "Analog Ground");
    EXPECT_EQ(RailSymbolName(sheet.doc, 0), "Power Rail");

    CWire* wire = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    const DocSnapshot before = Snapshot(sheet.doc);
    ASSERT_TRUE(ConnectWireToRail(sheet.doc, ObjectList{wire}, 2));
    EXPECT_EQ(symbols.asked, (std::vector<CString>{"Power Rail"}));
    EXPECT_EQ(wire->GetNet()->GetName(), "+3v3");
    EXPECT_NE(wire->GetStartObject(), nullptr);
    EXPECT_FALSE(ConnectWireToRail(sheet.doc, ObjectList{wire}, kRailCount));
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_EQ(undo.GetCount(), 1);
    const DocSnapshot after = Snapshot(sheet.doc);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(sheet.doc), before);
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(Snapshot(sheet.doc), after);
}

// Without a symbol source there is no symbol to end the wire, and nothing changes.
TEST(WireRails, NoSymbolSourceConnectsNothing) {
    NetSheet sheet;
    CWire* wire = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    const DocSnapshot before = Snapshot(sheet.doc);
    EXPECT_FALSE(ConnectWireToRail(sheet.doc, ObjectList{wire}, 2));
    EXPECT_EQ(wire->GetStartObject(), nullptr);
    EXPECT_EQ(sheet.doc.GetUndoList().GetCount(), 0);
    EXPECT_EQ(Snapshot(sheet.doc), before);
}

}  // namespace
