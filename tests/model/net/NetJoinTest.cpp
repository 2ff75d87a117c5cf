#include <gtest/gtest.h>

#include "NetTestSheet.h"
#include "model/support/TestPart.h"
#include "model/text/AttrText.h"
#include "support/DocumentBytes.h"

using namespace nettest;

namespace {

// Two wires, the second ending on the first, each with a net of its own.
struct Joined {
    NetSheet sheet;
    CWire* main;
    CWire* branch;

    Joined(const char* mainNet, bool mainNamed, const char* branchNet, bool branchNamed) {
        main = sheet.Place({{0, 0}, {1000, 0}}, mainNet, mainNamed);
        branch = sheet.Place({{500, 300}, {500, 0}}, branchNet, branchNamed);
        branch->SetEndObject(main);
    }
};

TEST(NetJoin, UserNameWinsWithoutAsking) {
    ScriptedChooser chooser;
    Joined joined("n0003", false, "CLK", true);
    EXPECT_TRUE(joined.sheet.doc.JoinNets());
    EXPECT_EQ(joined.main->GetNet(), joined.branch->GetNet());
    EXPECT_EQ(joined.main->GetNet()->GetName(), "CLK");
    EXPECT_EQ(joined.main->GetNet()->GetRefCount(), 2);
    EXPECT_TRUE(chooser.shown.empty());
    // Nothing recorded to join: the net change is a step of its own, not lost.
    EXPECT_EQ(joined.sheet.doc.GetUndoList().GetCount(), 1);
}

TEST(NetJoin, LastAutomaticNetSurvives) {
    ScriptedChooser chooser;
    Joined joined("n0001", false, "n0002", false);
    EXPECT_TRUE(joined.sheet.doc.JoinNets());
    EXPECT_EQ(joined.main->GetNet()->GetName(), "n0002");
    EXPECT_TRUE(chooser.shown.empty());
}

TEST(NetJoin, TwoNamedNetsAskTheUser) {
    for (const char* answer : {"VCC", "CLK", ""}) {
        ScriptedChooser chooser;
        chooser.answer = answer;
        Joined joined("CLK", true, "VCC", true);
        CNet* before = joined.branch->GetNet();
        EXPECT_EQ(joined.sheet.doc.JoinNets(), *answer != 0);
        ASSERT_EQ(chooser.shown.size(), 1u);
        EXPECT_EQ(chooser.shown[0], (std::vector<CString>{"CLK", "VCC"}));
        if (*answer) {
            EXPECT_EQ(joined.main->GetNet()->GetName(), answer);
            EXPECT_EQ(joined.branch->GetNet()->GetName(), answer);
        } else {
            EXPECT_EQ(joined.branch->GetNet(), before);
            EXPECT_EQ(joined.main->GetNet()->GetName(), "CLK");
        }
    }
}

// Undo of the step that joined the nets gives each wire its own net back.
TEST(NetJoin, AddingAWireJoinsAndUndoSeparates) {
    ScriptedChooser chooser;
    NetSheet sheet;
    CSymbol* symbol = sheet.PlaceSymbol(CPoint(0, 0), "1");
    CWire* main = sheet.Place({{0, 0}, {1000, 0}}, "VCC", true);
    main->SetStartObject(NetSheet::PinOf(symbol));
    CWire* other = sheet.Place({{2000, 0}, {3000, 0}}, "n0004");
    const DocSnapshot before = Snapshot(sheet.doc);

    auto* wire = new CWire;
    wire->AddPoint(CPoint(1000, 0));
    wire->AddPoint(CPoint(2000, 0));
    NetSheet::Give(wire, new CNet);
    wire->SetStartObject(main);
    wire->SetEndObject(other);
    ObjectList list{wire};
    ASSERT_TRUE(sheet.doc.AddObjects(&list));
    EXPECT_EQ(other->GetNet(), main->GetNet());
    EXPECT_EQ(wire->GetNet(), main->GetNet());
    EXPECT_EQ(main->GetNet()->GetRefCount(), 3);
    const DocSnapshot after = Snapshot(sheet.doc);

    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_EQ(undo.GetCount(), 1);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_EQ(other->GetNet()->GetName(), "n0004");
    EXPECT_EQ(NetSheet::PinOf(symbol)->GetWire(), main);
    EXPECT_TRUE(main->GetJunctions().IsEmpty());
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(Snapshot(sheet.doc), after);
}

TEST(NetJoin, RemovingAWireSplitsTheNet) {
    NetSheet sheet;
    CWire* left = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    CWire* middle = sheet.Place({{1000, 0}, {2000, 0}});
    CWire* right = sheet.Place({{2000, 0}, {3000, 0}});
    NetSheet::Give(middle, left->GetNet());
    NetSheet::Give(right, left->GetNet());
    middle->SetStartObject(left);
    middle->SetEndObject(right);
    ObjectList list{middle};
    sheet.doc.RemoveObjects(&list);
    // The first group in list order leaves the net to the other.
    EXPECT_EQ(left->GetNet()->GetName(), "n0002");
    EXPECT_EQ(right->GetNet()->GetName(), "n0001");
}

// The wire never keeps an end on a pin that left the document.
TEST(NetJoin, RemovingASymbolFreesTheWireEndUntilUndone) {
    NetSheet sheet;
    CSymbol* symbol = sheet.PlaceSymbol(CPoint(0, 0), "1");
    CWire* wire = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    wire->SetStartObject(NetSheet::PinOf(symbol));
    const DocSnapshot before = Snapshot(sheet.doc);
    ObjectList list{symbol};
    sheet.doc.RemoveObjects(&list);
    EXPECT_EQ(wire->GetStartObject(), nullptr);
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(wire->GetStartObject(), NetSheet::PinOf(symbol));
    EXPECT_EQ(NetSheet::PinOf(symbol)->GetWire(), wire);
    EXPECT_EQ(Snapshot(sheet.doc), before);
}

TEST(NetJoin, RenamingTheWholeNetRenamesItsConnectors) {
    NetSheet sheet;
    CSymbol* connector = sheet.PlaceSymbol(CPoint(0, 0), "n0001", kSymbolNetConnector);
    CWire* wire = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    wire->SetStartObject(NetSheet::PinOf(connector));
    const DocSnapshot before = Snapshot(sheet.doc);
    EXPECT_TRUE(wire->SetAttr("_ID", "CLK", kSetAttrUndoable | kSetAttrUser));
    EXPECT_EQ(wire->GetNet()->GetName(), "CLK");
    EXPECT_STREQ(sheet.doc.GetUndoList().GetUndoName(), "property edit");
    EXPECT_EQ(NetSheet::PinOf(connector)->GetAttr("_ID"), "CLK");
    EXPECT_EQ(connector->GetAttr("_ID"), "CLK");
    ASSERT_EQ(sheet.doc.GetUndoList().GetCount(), 1);
    const DocSnapshot after = Snapshot(sheet.doc);
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(wire->GetNet()->GetName(), "n0001");
    EXPECT_EQ(NetSheet::PinOf(connector)->GetAttr("_ID"), "n0001");
    EXPECT_EQ(Snapshot(sheet.doc), before);
    ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
    EXPECT_EQ(Snapshot(sheet.doc), after);
}

// With the last step undone there is nothing to join the net change to: it becomes a step of
// its own (the undone one dropped), and undoing it gives the branch its net back.
TEST(NetJoin, NetChangeAfterAnUndoIsAStepOfItsOwn) {
    ScriptedChooser chooser;
    Joined joined("n0001", false, "n0002", false);
    CUndoList& undo = joined.sheet.doc.GetUndoList();
    joined.sheet.doc.SetAttribute("Rev", "A", kAttrUndoable);
    ASSERT_TRUE(undo.Undo());
    CNet* mainNet = joined.main->GetNet();
    const DocSnapshot before = Snapshot(joined.sheet.doc);
    EXPECT_TRUE(joined.sheet.doc.JoinNets());
    EXPECT_EQ(joined.main->GetNet(), joined.branch->GetNet());
    ASSERT_EQ(undo.GetCount(), 1);
    EXPECT_STREQ(undo.GetUndoName(), "net change");
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(joined.main->GetNet(), mainNet);
    EXPECT_EQ(Snapshot(joined.sheet.doc), before);
}

// A connector fresh from the library (pin "1", no identifier of its own) names no net.
TEST(NetJoin, AConnectorWithoutAnIdentifierNamesNoNet) {
    NetSheet sheet;
    CSymbol* connector = sheet.PlaceSymbol(CPoint(0, 0), "1", kSymbolNetConnector);
    auto* wire = new CWire;
    wire->AddPoint(CPoint(0, 0));
    wire->AddPoint(CPoint(1000, 0));
    NetSheet::Give(wire, new CNet);
    wire->SetStartObject(NetSheet::PinOf(connector));
    ObjectList list{wire};
    ASSERT_TRUE(sheet.doc.AddObjects(&list));
    EXPECT_EQ(wire->GetNet()->GetName(), "n0001");
    EXPECT_EQ(wire->GetNet()->GetFlags() & kNetNamed, 0u);
}

TEST(NetJoin, RenamingOneGroupOfANetSplitsIt) {
    NetSheet sheet;
    CWire* wire = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    CWire* apart = sheet.Place({{0, 500}, {1000, 500}});
    NetSheet::Give(apart, wire->GetNet());
    EXPECT_TRUE(wire->SetAttr("_ID", "CLK", kSetAttrUser));
    EXPECT_EQ(wire->GetNet()->GetName(), "CLK");
    EXPECT_EQ(wire->GetNet()->GetFlags() & kNetNamed, kNetNamed);
    EXPECT_EQ(apart->GetNet()->GetName(), "n0001");
    EXPECT_EQ(apart->GetNet()->GetRefCount(), 1);
}

TEST(NetJoin, NamingAnExistingNetMovesTheGroup) {
    NetSheet sheet;
    CWire* wire = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    CWire* vcc = sheet.Place({{0, 500}, {1000, 500}}, "VCC");
    EXPECT_TRUE(wire->SetAttr("_ID", "VCC", 0));
    EXPECT_EQ(wire->GetNet(), vcc->GetNet());
    EXPECT_EQ(vcc->GetNet()->GetRefCount(), 2);
    EXPECT_FALSE(wire->SetAttr("_ID", "  ", 0));
}

// Pasted wires keep user-given names (shown on the wire, with a free end), but do not take over
// a net that only shares an automatic name.
TEST(NetJoin, IncomingNetsMeetTheDocumentsNets) {
    NetSheet sheet;
    CWire* vcc = sheet.Place({{0, 0}, {1000, 0}}, "VCC", true);
    CWire* automatic = sheet.Place({{0, 500}, {1000, 500}}, "n0001");
    auto* named = new CWire;
    auto* unrelated = new CWire;
    for (CWire* wire : {named, unrelated}) {
        wire->AddPoint(CPoint(5000, 0));
        wire->AddPoint(CPoint(6000, wire == named ? 0 : 100));
    }
    auto* net = new CNet("VCC");
    net->SetFlags(kNetNamed, kNetNamed);
    NetSheet::Give(named, net);
    NetSheet::Give(unrelated, new CNet("n0001"));
    auto* label = new CAttrText(CRect(5000, 100, 5300, 0));
    label->Bind(named, "_ID");
    named->GetAttrTextList()->AddTail(label);
    ObjectList list{named, label, unrelated};
    ASSERT_TRUE(sheet.doc.AddObjects(&list));
    EXPECT_EQ(named->GetNet(), vcc->GetNet());
    EXPECT_NE(unrelated->GetNet(), automatic->GetNet());
    EXPECT_NE(unrelated->GetNet()->GetName(), "n0001");
}

// A pasted wire's automatic name that the document uses gives way to a free one, which its
// label shows also when the label came in before the wire.
TEST(NetJoin, ALabelAheadOfItsWireShowsTheFreeName) {
    NetSheet sheet;
    sheet.Place({{0, 500}, {1000, 500}}, "n0001");
    auto* wire = new CWire;
    wire->AddPoint(CPoint(5000, 0));
    wire->AddPoint(CPoint(6000, 0));
    NetSheet::Give(wire, new CNet("n0001"));
    auto* label = new CAttrText(CRect(5000, 100, 5300, 0));
    label->Bind(wire, "_ID");
    wire->GetAttrTextList()->AddTail(label);
    label->UpdateText(FALSE);
    ObjectList list{label, wire};
    ASSERT_TRUE(sheet.doc.AddObjects(&list));
    ASSERT_NE(wire->GetNet()->GetName(), "n0001");
    EXPECT_EQ(label->GetText(), wire->GetNet()->GetName());
}

}  // namespace

namespace {

// Net connectors whose pins are both named SIG, at the ends of two separate wires, name one
// net; a third wire on a connector of another name keeps its own.
TEST(NetJoin, ConnectorsOfOneNameGiveOneNet) {
    ScriptedChooser chooser;
    NetSheet sheet;
    std::vector<CWire*> wires;
    for (const auto& [x, name] : {std::pair{0, "SIG"}, {2000, "SIG"}, {4000, "CLK"}}) {
        CSymbol* connector = sheet.PlaceSymbol(CPoint(x, 0), name, kSymbolNetConnector);
        connector->SetAttr("_ID", name, kSetAttrForce);
        CWire* wire = sheet.Place({{x, 0}, {x + 1000, 0}});
        NetSheet::Give(wire, new CNet);
        wire->SetEndObject(NetSheet::PinOf(connector));
        wires.push_back(wire);
    }
    ASSERT_TRUE(sheet.doc.JoinNets());
    EXPECT_EQ(wires[0]->GetNet(), wires[1]->GetNet());
    EXPECT_EQ(wires[0]->GetNet()->GetName(), "SIG");
    EXPECT_EQ(wires[2]->GetNet()->GetName(), "CLK");
    EXPECT_TRUE(chooser.shown.empty());
    // Joining again changes nothing.
    const std::vector<BYTE> joined = testsupport::DocumentBytes(sheet.doc);
    ASSERT_TRUE(sheet.doc.JoinNets());
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), joined);
}

}  // namespace

namespace {

// A net connector's identifier names its net, so connectors of one name are many on purpose:
// pasted beside one of the same name, even twice, each keeps its name and its wire joins that
// net. Other symbols still get a free identifier.
TEST(NetJoin, PastedConnectorsKeepTheirName) {
    ScriptedChooser chooser;
    NetSheet source;
    CSymbol* connector = source.PlaceSymbol(CPoint(0, 0), "SIG", kSymbolNetConnector);
    connector->SetAttr("_ID", "SIG", kSetAttrForce);
    CWire* wire = source.Place({{0, 0}, {1000, 0}});
    NetSheet::Give(wire, new CNet);
    wire->SetEndObject(NetSheet::PinOf(connector));
    ASSERT_TRUE(source.doc.JoinNets());
    CSymbol* part = source.PlaceSymbol(CPoint(3000, 0), "1", kSymbolGraphical);
    part->SetAttr("_ID", "A1", kSetAttrForce);

    NetSheet target;
    for (int paste = 0; paste < 2; ++paste) {
        ObjectList list{connector, wire, part};
        ASSERT_TRUE(target.doc.AddObjectCopies(&list));
        ASSERT_EQ(list.GetCount(), 3);
        auto* pasted = static_cast<CSymbol*>(list.GetHead());
        auto* pastedWire = static_cast<CWire*>(list.GetAt(list.FindIndex(1)));
        EXPECT_EQ(pasted->GetAttr("_ID"), "SIG") << "paste " << paste;
        EXPECT_EQ(pastedWire->GetNet()->GetName(), "SIG") << "paste " << paste;
        EXPECT_EQ(static_cast<CSymbol*>(list.GetTail())->GetAttr("_ID"), paste ? "A2" : "A1");
    }
    EXPECT_TRUE(chooser.shown.empty());
}

}  // namespace
