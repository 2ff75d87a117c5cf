#include <gtest/gtest.h>

#include "NetTestSheet.h"
#include "model/doc/DrawDoc.h"
#include "model/net/ConnectorSymbols.h"
#include "model/net/WireRails.h"
#include "model/shapes/DrawRect.h"
#include "model/support/TestPart.h"
#include "model/text/AttrText.h"
#include "support/DocumentBytes.h"
#include "support/PowerRails.h"
#include "support/ScriptedPrompt.h"

using namespace nettest;

namespace {

// Symbols of one pin whose hot end lies at (0, 0), pointing down, of the kind given;
// records the names asked for.
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
        symbol->SetFlags(kind, kSymbolKindMask);
        symbol->SetDocument(document);
        symbol->RecalcBounds(nullptr);
        return symbol;
    }

    DWORD kind = kSymbolGraphical;
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

// The ties chosen are one step, and the text showing the net's list shows them; undo gives back
// the document byte for byte and redo the tied one. Ties the net has already record nothing;
// choosing none takes the list away, and once more records nothing.
TEST(WireRails, ImplicitTiesAreOneStepAndShownOnTheWire) {
    NetSheet sheet;
    CWire* wire = sheet.Place({{0, 0}, {2000, 0}}, "VDDA");
    CNet& net = *wire->GetNet();
    net.SetAttr("_Implicit", "U9:VCC", 0);
    CAttrText* text = wire->ShowAttrText("_Implicit", TRUE);
    ASSERT_NE(text, nullptr);
    sheet.doc.GetObjects().AddTail(text);
    CUndoList& undo = sheet.doc.GetUndoList();
    EXPECT_FALSE(ConnectWireImplicitly(sheet.doc, net, "U9:VCC"));
    EXPECT_EQ(undo.GetCount(), 0);
    const std::vector<BYTE> before = testsupport::DocumentBytes(sheet.doc);

    ASSERT_TRUE(ConnectWireImplicitly(sheet.doc, net, "U1A:VCC,U2A:VCC"));
    EXPECT_EQ(net.GetAttr("_Implicit"), "U1A:VCC,U2A:VCC");
    EXPECT_EQ(text->GetText(), "U1A:VCC,U2A:VCC");
    ASSERT_EQ(undo.GetCount(), 1);
    const std::vector<BYTE> tied = testsupport::DocumentBytes(sheet.doc);
    EXPECT_NE(tied, before);
    EXPECT_FALSE(ConnectWireImplicitly(sheet.doc, net, "U1A:VCC,U2A:VCC"));
    EXPECT_EQ(undo.GetCount(), 1);

    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before);
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), tied);

    ASSERT_TRUE(ConnectWireImplicitly(sheet.doc, net, ""));
    CString list;
    EXPECT_FALSE(net.LookupAttr("_Implicit", list));
    EXPECT_FALSE(ConnectWireImplicitly(sheet.doc, net, ""));
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), tied);
}

using testsupport::PowerRails;

// The ends of the rail's bar on the sheet.
std::pair<CPoint, CPoint> BarEnds(CSymbol* rail) {
    const CRect bar = static_cast<CDrawObj*>(rail->GetGraphics().GetHead())->GetPosition();
    CPoint ends[2] = {bar.TopLeft(), bar.BottomRight()};
    rail->LocalToDoc(ends, 2);
    if (ends[0].x > ends[1].x)
        std::swap(ends[0], ends[1]);
    return {ends[0], ends[1]};
}

// A capacitor turned a quarter about a centre one unit off the grid (as Rotate 90 turns a
// selection whose box has odd sides) has its lower pin's hot end at (2401, -2501). A wire drawn
// from there down to the grid point (2400, -2600) runs down, then one unit left. The ground
// ends it upright, its bar straight below the wire's end, as below an unrotated part.
TEST(WireRails, ARailBelowATurnedPartStandsUpright) {
    PowerRails rails;
    NetSheet sheet;
    auto* part = new CSymbol();
    for (const int side : {-1, 1}) {
        auto* pin = new CPin(part);
        pin->SetEnds(CPoint(30 * side, 0), CPoint(200 * side, 0));
        part->GetPins().AddTail(pin);
    }
    part->SetDocument(&sheet.doc);
    part->OffsetBy(CSize(2400, -2300));
    part->Rotate(900, 2401, -2300, nullptr);
    part->RecalcBounds(nullptr);
    sheet.doc.GetObjects().AddTail(part);
    auto* lower = static_cast<CPin*>(part->GetPins().GetHead());
    ASSERT_EQ(lower->GetConnectPoint(), CPoint(2401, -2501));

    for (const bool turned : {false, true}) {
        SCOPED_TRACE(turned ? "below the turned part" : "below a straight wire");
        CWire* wire = turned ? sheet.Place({{2401, -2501}, {2401, -2600}, {2400, -2600}})
                             : sheet.Place({{5000, -2500}, {5000, -2600}});
        wire->SetStartObject(turned ? lower
                                    : NetSheet::PinOf(sheet.PlaceSymbol({5000, -2500}, "1")));
        ASSERT_TRUE(wire->ConnectToPowerSymbol("Power Rail", "GND"));
        auto* pin = dynamic_cast<CPin*>(wire->GetEndObject());
        ASSERT_NE(pin, nullptr);
        CSymbol* rail = pin->GetOwner();
        const CPoint end = wire->GetPointFromEnd(1, 0);
        EXPECT_EQ(pin->GetConnectPoint(), end);
        const double* m = rail->GetMatrix();
        EXPECT_NEAR(m[0], -1.0, 1e-9);
        EXPECT_NEAR(m[1], 0.0, 1e-9);
        EXPECT_NEAR(m[3], 0.0, 1e-9);
        EXPECT_NEAR(m[4], -1.0, 1e-9);
        const auto [left, right] = BarEnds(rail);
        EXPECT_EQ(left, CPoint(end.x - 100, end.y - 100));
        EXPECT_EQ(right, CPoint(end.x + 100, end.y - 100));
    }
}

// The rail that Connect Wire To ends a wire on stands for its rail: when the rail is renamed as
// one step (as an attribute text edited in place renames it), the rail's net and symbol take
// the new name within that step, which undo takes back whole.
TEST(WireRails, ARailConnectedByTheCommandFollowsItsRenamedRail) {
    PowerRails rails;
    NetSheet sheet;
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    CWire* wire = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    ASSERT_TRUE(ConnectWireToRail(sheet.doc, ObjectList{wire}, 0));
    auto* pin = dynamic_cast<CPin*>(wire->GetStartObject());
    ASSERT_NE(pin, nullptr);
    CSymbol* rail = pin->GetOwner();
    EXPECT_EQ(rail->GetAttr("Rail"), "Ground1");
    CUndoList& undo = sheet.doc.GetUndoList();
    const int steps = undo.GetCount();
    const DocSnapshot before = Snapshot(sheet.doc);

    ASSERT_TRUE(sheet.doc.SetAttribute("Ground1", "0V", kAttrUndoable));
    EXPECT_EQ(undo.GetCount(), steps + 1);
    EXPECT_EQ(wire->GetNet()->GetName(), "0V");
    EXPECT_EQ(rail->GetAttr("_ID"), "0V");
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_EQ(rail->GetAttr("_ID"), "GND");
}

// The label of a Connect Wire To rail renamed on the sheet: the rail's connector takes the
// user's name with its net and stands for the rail no more, in that one step; a later rename
// of the rail leaves it alone, and only the rail's own name keeps a connector on it.
TEST(WireRails, ARailLabelRenamedByTheUserLeavesTheRail) {
    PowerRails rails;
    NetSheet sheet;
    sheet.doc.SetAttribute("Power1", "VDD", 0);
    CWire* wire = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    ASSERT_TRUE(ConnectWireToRail(sheet.doc, ObjectList{wire}, 2));
    CSymbol* rail = static_cast<CPin*>(wire->GetStartObject())->GetOwner();
    CPin* pin = static_cast<CPin*>(rail->GetPins().GetHead());
    CUndoList& undo = sheet.doc.GetUndoList();
    const int steps = undo.GetCount();
    const DocSnapshot before = Snapshot(sheet.doc);

    // The rail's own name changes nothing of its standing.
    ASSERT_TRUE(wire->SetAttr("_ID", "VDD", kSetAttrUndoable | kSetAttrUser));
    EXPECT_EQ(rail->GetAttr("Rail"), "Power1");

    ASSERT_TRUE(wire->SetAttr("_ID", "VCC", kSetAttrUndoable | kSetAttrUser));
    EXPECT_EQ(undo.GetCount(), steps + 1);
    EXPECT_EQ(wire->GetNet()->GetName(), "VCC");
    EXPECT_EQ(rail->GetAttr("_ID"), "VCC");
    EXPECT_EQ(pin->GetAttr("_ID"), "VCC");
    EXPECT_EQ(rail->GetAttr("Rail"), "");
    const DocSnapshot named = Snapshot(sheet.doc);

    ASSERT_TRUE(sheet.doc.SetAttribute("Power1", "+3v3", kAttrUndoable));
    EXPECT_EQ(rail->GetAttr("_ID"), "VCC");
    EXPECT_EQ(wire->GetNet()->GetName(), "VCC");
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(sheet.doc), named);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_EQ(rail->GetAttr("Rail"), "Power1");
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(Snapshot(sheet.doc), named);

    // Renamed to a net the sheet has, a rail's label joins it, its connector taking the name.
    CWire* other = sheet.Place({{0, 3000}, {1000, 3000}}, "n0002");
    ASSERT_TRUE(ConnectWireToRail(sheet.doc, ObjectList{other}, 0));
    CSymbol* ground = static_cast<CPin*>(other->GetStartObject())->GetOwner();
    ASSERT_TRUE(other->SetAttr("_ID", "VCC", kSetAttrUndoable | kSetAttrUser));
    EXPECT_EQ(other->GetNet(), wire->GetNet());
    EXPECT_EQ(ground->GetAttr("_ID"), "VCC");
    EXPECT_EQ(ground->GetAttr("Rail"), "");
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(ground->GetAttr("Rail"), "Ground1");
}

// Two rails never share a name: a rename that would give a rail another's name is refused,
// with a message that names both, and the document keeps its names.
TEST(WireRails, TwoRailsAreNeverGivenOneName) {
    NetSheet sheet;
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    sheet.doc.SetAttribute("Power1", "+5v", 0);
    const CString clash = RailNameClash(sheet.doc, {{"Power1", "GND"}});
    EXPECT_NE(clash.Find("Power1"), -1) << clash.str();
    EXPECT_NE(clash.Find("Ground1"), -1) << clash.str();
    EXPECT_NE(clash.Find("GND"), -1) << clash.str();
    // A rail that falls back to its default meets the rail that took that name.
    sheet.doc.SetAttribute("Power2", "AGND", 0);
    EXPECT_FALSE(RailNameClash(sheet.doc, {}, {"Ground2"}).IsEmpty());
    // Rails trading names, and names that are no rail's, pass.
    EXPECT_TRUE(RailNameClash(sheet.doc, {{"Power1", "GND"}, {"Ground1", "+5v"}}).IsEmpty());
    EXPECT_TRUE(RailNameClash(sheet.doc, {{"Title", "GND"}}).IsEmpty());

    // Also typed over the rail's text on the sheet, where the message tells why.
    testsupport::ScriptedPrompt prompt{IDOK};
    CAttrText* text = sheet.doc.GetDocAttrText("Power1", TRUE);
    ASSERT_TRUE(sheet.doc.AddObject(std::unique_ptr<CDrawObj>(text)));
    const int steps = sheet.doc.GetUndoList().GetCount();
    EXPECT_FALSE(sheet.doc.SetAttribute("Power1", "GND", kAttrUndoable));
    EXPECT_FALSE(text->SetText("GND", TRUE));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown().front().text, clash);
    EXPECT_EQ(sheet.doc.GetAttribute("Power1"), "+5v");
    EXPECT_EQ(sheet.doc.GetUndoList().GetCount(), steps);
}

// A source V1 whose pin at (0, 0) is wired down to a ground rail connected by the editor.
struct GroundedSource {
    GroundedSource() {
        rails.kind = kSymbolNetConnector;
        first = sheet.Place({{0, 0}, {0, 1000}}, "n0001");
        first->SetStartObject(NetSheet::PinOf(source));
        if (!first->ConnectToPowerSymbol("Ground", "GND"))
            return;
        rail = dynamic_cast<CPin*>(first->GetEndObject());
    }
    // A wire from V1's pin to the rail's, added as the wire tool adds it.
    CWire* Redraw() {
        auto* wire = new CWire;
        wire->AddPoint(CPoint(0, 0));
        wire->AddPoint(CPoint(0, 1000));
        NetSheet::Give(wire, new CNet);
        wire->SetStartObject(NetSheet::PinOf(source));
        wire->SetEndObject(rail);
        ObjectList list{wire};
        return sheet.doc.AddObjects(&list) ? wire : nullptr;
    }

    PinSymbols rails;
    NetSheet sheet;
    CSymbol* source = sheet.PlaceSymbol(CPoint(0, 0), "1");
    CWire* first = nullptr;
    CPin* rail = nullptr;
};

// The rail keeps its net's name after its last wire went, and gives it to the next wire.
TEST(WireRails, AWireRedrawnToARailJoinsTheRailsNet) {
    ScriptedChooser chooser;
    GroundedSource grounded;
    ASSERT_NE(grounded.rail, nullptr);
    ASSERT_EQ(grounded.first->GetNet()->GetName(), "GND");
    ObjectList gone{grounded.first};
    grounded.sheet.doc.RemoveObjects(&gone);
    ASSERT_EQ(grounded.sheet.doc.FindNet("GND"), nullptr);

    CWire* wire = grounded.Redraw();
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->GetNet()->GetName(), "GND");
    EXPECT_EQ(wire->GetNet()->GetFlags() & kNetNamed, kNetNamed);
    EXPECT_EQ(grounded.rail->GetAttr("_ID"), "GND");
    EXPECT_TRUE(chooser.shown.empty());
    // Undo takes the wire back with the net it brought.
    ASSERT_TRUE(grounded.sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(grounded.sheet.doc.FindNet("GND"), nullptr);
    EXPECT_EQ(grounded.rail->GetAttr("_ID"), "GND");
}

// A rail joined to a wire of a net the user named leaves that net and its name alone.
TEST(WireRails, ARailJoinedToAUserNamedNetDoesNotRenameIt) {
    ScriptedChooser chooser;
    GroundedSource grounded;
    ASSERT_NE(grounded.rail, nullptr);
    ObjectList gone{grounded.first};
    grounded.sheet.doc.RemoveObjects(&gone);
    CWire* signal = grounded.sheet.Place({{0, 0}, {-1000, 0}}, "SIG", true);
    signal->SetStartObject(NetSheet::PinOf(grounded.source));
    CNet* named = signal->GetNet();

    auto* wire = new CWire;
    wire->AddPoint(CPoint(-1000, 0));
    wire->AddPoint(CPoint(0, 1000));
    NetSheet::Give(wire, new CNet);
    wire->SetStartObject(signal);
    wire->SetEndObject(grounded.rail);
    ObjectList list{wire};
    ASSERT_TRUE(grounded.sheet.doc.AddObjects(&list));
    EXPECT_TRUE(chooser.shown.empty());
    EXPECT_EQ(signal->GetNet(), named);
    EXPECT_EQ(wire->GetNet(), named);
    EXPECT_EQ(named->GetName(), "SIG");
    EXPECT_EQ(grounded.sheet.doc.FindNet("GND"), nullptr);
}

}  // namespace
