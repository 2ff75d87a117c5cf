// The hidden-pin ties of a sheet: how they are read, and how they stay on the part and the net
// they were made on through every edit that renames, removes, brings in or joins, each undone
// and redone with the document's archived bytes as the measure.

#include "model/net/HiddenPinTies.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/device/Device.h"
#include "model/doc/ObjectListData.h"
#include "model/net/ImplicitPinChoices.h"
#include "model/net/NetTestSheet.h"
#include "model/support/RecordingDocView.h"
#include "model/support/TestPart.h"
#include "model/symbol/SymbolSheet.h"

namespace {

using nettest::NetSheet;

class ScriptedIdentifier : public ISymbolSheetRunner {
public:
    explicit ScriptedIdentifier(const char* id)
        : m_id(id), m_previous(SetSymbolSheetRunner(this)) {}
    ~ScriptedIdentifier() override { SetSymbolSheetRunner(m_previous); }
    ScriptedIdentifier(const ScriptedIdentifier&) = delete;
    ScriptedIdentifier& operator=(const ScriptedIdentifier&) = delete;
    int RunSymbolSheet(SymbolSheet& sheet) override {
        sheet.general.id = m_id;
        return kSymbolSheetOK;
    }

private:
    CString m_id;
    ISymbolSheetRunner* m_previous;
};

// A 7400 whose gates take their supply through the hidden pins VCC (14) and GND (7), which the
// device puts on VCC and GND; wires of nets named by the user.
struct TiedSheet : NetSheet {
    TiedSheet() : nand(MakeNand("7400")) {}
    ~TiedSheet() {
        doc.RemoveView(&view);
        nand->Release();
    }
    TiedSheet(const TiedSheet&) = delete;
    TiedSheet& operator=(const TiedSheet&) = delete;

    static CDevice* MakeNand(const char* name) {
        auto* device = new CDevice(name);
        device->SetAttr("_Pref", "U", TRUE);
        device->SetAttr("_Map",
                        "NAND\x01"
                        "A\x01"
                        "A\x01"
                        "1\nNAND\x01"
                        "B\x01"
                        "A\x01"
                        "4",
                        TRUE);
        device->SetAttr("_Implicit",
                        "VCC\x01"
                        "14\x01"
                        "GND\x01"
                        "7",
                        TRUE);
        device->SetAttr("VCC.Net", "VCC", TRUE);
        device->SetAttr("GND.Net", "GND", TRUE);
        device->AddRef();
        return device;
    }
    CSymbol* Gate(const char* id, LONG x, CDevice* device = nullptr) {
        CSymbol* gate = PlaceSymbol(CPoint(x, -2000), "A", kSymbolDevice);
        gate->SetAttr("_Name", "NAND", kSetAttrForce);
        gate->SetAttr("_ID", id, kSetAttrForce);
        CDevice* own = device ? device : nand;
        own->AddRef();
        gate->SetDevice(own);
        return gate;
    }
    CNet* TiedWire(const char* net, const char* ties, LONG y = 0) {
        CWire* wire = Place({{0, y}, {1000, y}}, net, true);
        wire->GetNet()->SetAttr("_Implicit", ties, 0);
        return wire->GetNet();
    }
    // The net every reader gives the gate's VCC pin.
    std::string Vcc(CDrawObj* gate) {
        CString net;
        return CHiddenPinTies(doc).NetOf(*gate, "VCC", net) ? net.str() : "(none)";
    }
    std::vector<BYTE> Bytes() { return Snapshot(doc).bytes; }
    // The step undone and redone: the bytes before and after it come back.
    void ExpectOneStep(const std::vector<BYTE>& before) {
        const std::vector<BYTE> after = Bytes();
        const int steps = doc.GetUndoList().GetCount();
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(Bytes(), before);
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(Bytes(), after);
        EXPECT_EQ(doc.GetUndoList().GetCount(), steps);
    }

    drawdoctest::RecordingDocView view;
    CDevice* nand;
};

TEST(HiddenPinTiesTest, AnItemNamesAPartByAnyOfItsIdentifiersAndTheFirstNetHasIt) {
    TiedSheet sheet;
    CSymbol* u1a = sheet.Gate("U1A", 0);
    CSymbol* u1b = sheet.Gate("U1B", 2000);
    CSymbol* u2a = sheet.Gate("U2A", 4000);
    sheet.TiedWire("VDDA", "U9A:VCC, U1B:VCC");
    sheet.TiedWire("VDDB", "U1A:VCC U2:VCC,U2:GND", 500);
    const CHiddenPinTies ties(sheet.doc);
    EXPECT_EQ(sheet.Vcc(u1a), "VDDA") << "by the other symbol of its part";
    EXPECT_EQ(sheet.Vcc(u1b), "VDDA");
    EXPECT_EQ(sheet.Vcc(u2a), "VDDB") << "by the part's identifier";
    ASSERT_NE(ties.Tied(*u2a, "GND"), nullptr);
    EXPECT_EQ(*ties.Tied(*u2a, "GND"), "VDDB");
    EXPECT_EQ(ties.Tied(*u1a, "GND"), nullptr);
    EXPECT_EQ(CHiddenPinTies::KeyOf(*u1b, "VCC"), "U1:VCC");
    ASSERT_EQ(ties.Unnamed().size(), 1u);
    EXPECT_EQ(CHiddenPinTies::DescribeUnnamed(ties.Unnamed()[0]),
              "Net VDDA is tied to hidden pin U9A:VCC, which names no part.");
}

TEST(HiddenPinTiesTest, TiesFollowEveryWayAnIdentifierChanges) {
    {  // typed in place
        TiedSheet sheet;
        CSymbol* gate = sheet.Gate("U1A", 0);
        CNet* vdda = sheet.TiedWire("VDDA", "U1A:VCC");
        const std::vector<BYTE> before = sheet.Bytes();
        ASSERT_TRUE(gate->SetAttr("_ID", "U7A", kSetAttrForce | kSetAttrUser | kSetAttrUndoable));
        EXPECT_EQ(vdda->GetAttr("_Implicit"), "U7A:VCC");
        EXPECT_EQ(sheet.Vcc(gate), "VDDA");
        sheet.ExpectOneStep(before);
    }
    {  // Symbol Properties
        TiedSheet sheet;
        CSymbol* gate = sheet.Gate("U1A", 0);
        CNet* vdda = sheet.TiedWire("VDDA", "U1A:VCC");
        sheet.doc.AddView(&sheet.view);
        sheet.view.selection.AddTail(gate);
        const std::vector<BYTE> before = sheet.Bytes();
        ScriptedIdentifier runner("U7A");
        gate->OnEditProperties(&sheet.view);
        auto* edited = static_cast<CDrawObj*>(sheet.doc.GetObjects().GetHead());
        ASSERT_EQ(edited->GetAttr("_ID"), "U7A");
        EXPECT_EQ(vdda->GetAttr("_Implicit"), "U7A:VCC");
        EXPECT_EQ(sheet.Vcc(edited), "VDDA");
        sheet.ExpectOneStep(before);
    }
    {  // another device whose package the gate joins
        TiedSheet sheet;
        CDevice* other = TiedSheet::MakeNand("7401");
        sheet.Gate("U5A", 4000, other);
        other->Release();
        CSymbol* tied = sheet.Gate("U1A", 0);
        CSymbol* left = sheet.Gate("U1B", 2000);
        CNet* vdda = sheet.TiedWire("VDDA", "U1A:VCC");
        const std::vector<BYTE> before = sheet.Bytes();
        ASSERT_TRUE(tied->SetAttr("_Device._Name", "7401", kSetAttrForce | kSetAttrUndoable));
        ASSERT_NE(tied->GetAttr("_ID"), "U1A");
        EXPECT_EQ(vdda->GetAttr("_Implicit"), tied->GetAttr("_ID") + ":VCC");
        EXPECT_EQ(sheet.Vcc(tied), "VDDA");
        EXPECT_EQ(sheet.Vcc(left), "VCC");
        sheet.ExpectOneStep(before);
    }
    {  // Renumber All: the tie stays with its gate
        TiedSheet sheet;
        CSymbol* tied = sheet.Gate("U2A", 0);
        CSymbol* other = sheet.Gate("U3A", 2000);
        CNet* vdda = sheet.TiedWire("VDDA", "U2A:VCC");
        const std::vector<BYTE> before = sheet.Bytes();
        CObList all;
        all.AddTail(tied);
        all.AddTail(other);
        sheet.doc.RenumberObjects(&all);
        ASSERT_EQ(tied->GetAttr("_ID"), "U1A");
        EXPECT_EQ(vdda->GetAttr("_Implicit"), "U1A:VCC");
        EXPECT_EQ(sheet.Vcc(tied), "VDDA");
        sheet.ExpectOneStep(before);
    }
}

TEST(HiddenPinTiesTest, ARemovedPartTakesItsTiesAndANewPartTakesNone) {
    TiedSheet sheet;
    sheet.Gate("U2A", 4000);
    CSymbol* gate = sheet.Gate("U1A", 0);
    CNet* vdda = sheet.TiedWire("VDDA", "U1A:VCC,U2A:GND");
    const std::vector<BYTE> before = sheet.Bytes();
    CObList removed;
    removed.AddTail(gate);
    sheet.doc.RemoveObjects(&removed);
    EXPECT_EQ(vdda->GetAttr("_Implicit"), "U2A:GND");
    sheet.ExpectOneStep(before);

    auto placed = std::make_unique<CSymbol>();
    CSymbol* added = placed.get();
    added->SetFlags(kSymbolDevice, kSymbolKindMask);
    added->SetAttr("_Name", "NAND", kSetAttrForce);
    added->SetAttr("_ID", "U1A", kSetAttrForce);
    sheet.nand->AddRef();
    added->SetDevice(sheet.nand);
    ASSERT_TRUE(sheet.doc.AddObject(std::move(placed)));
    ASSERT_EQ(added->GetAttr("_ID"), "U1A");
    EXPECT_EQ(sheet.Vcc(added), "VCC") << "the new part's pin stays on its own net";

    // One gate of a package removed: the tie stays with the package's other gate.
    TiedSheet package;
    CSymbol* a = package.Gate("U1A", 0);
    CSymbol* b = package.Gate("U1B", 2000);
    CNet* vddb = package.TiedWire("VDDB", "U1A:VCC");
    removed.RemoveAll();
    removed.AddTail(a);
    package.doc.RemoveObjects(&removed);
    EXPECT_EQ(vddb->GetAttr("_Implicit"), "U1B:VCC");
    EXPECT_EQ(package.Vcc(b), "VDDB");
}

// A part that takes the identifier an orphaned item names does not take the item either.
TEST(HiddenPinTiesTest, AnItemThatNamedNoPartIsNotGivenToANewOne) {
    TiedSheet sheet;
    CNet* vdda = sheet.TiedWire("VDDA", "U1A:VCC,X9:VCC");
    auto placed = std::make_unique<CSymbol>();
    CSymbol* added = placed.get();
    added->SetFlags(kSymbolDevice, kSymbolKindMask);
    added->SetAttr("_Name", "NAND", kSetAttrForce);
    added->SetAttr("_ID", "U1A", kSetAttrForce);
    sheet.nand->AddRef();
    added->SetDevice(sheet.nand);
    const std::vector<BYTE> before = sheet.Bytes();
    ASSERT_TRUE(sheet.doc.AddObject(std::move(placed)));
    EXPECT_EQ(vdda->GetAttr("_Implicit"), "X9:VCC");
    EXPECT_EQ(sheet.Vcc(added), "VCC");
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(sheet.Bytes(), before);
}

// Parts without an identifier (no "_ID", so no "_DID") share no key: an item can name none of
// them, so none takes a tie another was given, none is offered, and the item is told as naming
// no part.
TEST(HiddenPinTiesTest, APartWithoutAnIdentifierTakesNoTie) {
    TiedSheet sheet;
    CSymbol* first = sheet.Gate("", 0);
    CSymbol* second = sheet.Gate("", 2000);
    ASSERT_EQ(PartIdOf(*first), "");
    sheet.TiedWire("VDDA", ":VCC");
    EXPECT_EQ(sheet.Vcc(first), "VCC");
    EXPECT_EQ(sheet.Vcc(second), "VCC");
    const CHiddenPinTies ties(sheet.doc);
    ASSERT_EQ(ties.Unnamed().size(), 1u);
    EXPECT_EQ(ties.Unnamed()[0].item, ":VCC");
    EXPECT_TRUE(ListImplicitPins(sheet.doc, nullptr).empty()) << "no part to offer";
}

TEST(HiddenPinTiesTest, APastedCopyTiesItsOwnPartOrNothing) {
    TiedSheet sheet;
    CSymbol* gate = sheet.Gate("U1A", 0);
    CNet* tied = sheet.TiedWire("n0001", "U1A:VCC");
    tied->SetFlags(0, kNetNamed);
    CObList copied;
    copied.AddTail(gate);
    copied.AddTail(sheet.doc.GetObjects().GetTail());
    const ClipboardObjects clip = CopyObjectsToClipboard(sheet.doc, copied);

    // Into the same sheet: the copy is the package's other gate, whose supply pin is the
    // package's, tied already; pasted again, it is a package of its own.
    CObList pasted;
    PasteObjectsFromClipboard(sheet.doc, clip.format, clip.data, pasted);
    CObList incoming;
    incoming.AddTail(&pasted);
    ASSERT_TRUE(sheet.doc.AddObjects(&pasted));
    auto* copy = static_cast<CDrawObj*>(incoming.GetHead());
    CNet* copyNet = static_cast<CDrawObj*>(incoming.GetTail())->GetNet();
    ASSERT_EQ(copy->GetAttr("_ID"), "U1B");
    ASSERT_NE(copyNet, tied);
    EXPECT_EQ(copyNet->GetAttr("_Implicit"), "");
    EXPECT_EQ(tied->GetAttr("_Implicit"), "U1A:VCC");
    EXPECT_EQ(sheet.Vcc(gate), "n0001");
    EXPECT_EQ(sheet.Vcc(copy), "n0001");
    pasted.RemoveAll();
    PasteObjectsFromClipboard(sheet.doc, clip.format, clip.data, pasted);
    incoming.RemoveAll();
    incoming.AddTail(&pasted);
    ASSERT_TRUE(sheet.doc.AddObjects(&pasted));
    copy = static_cast<CDrawObj*>(incoming.GetHead());
    copyNet = static_cast<CDrawObj*>(incoming.GetTail())->GetNet();
    ASSERT_EQ(copy->GetAttr("_ID"), "U2A");
    EXPECT_EQ(copyNet->GetAttr("_Implicit"), "U2A:VCC");
    EXPECT_EQ(sheet.Vcc(copy), copyNet->GetName().str());
    EXPECT_EQ(sheet.Vcc(gate), "n0001");

    // Into a sheet whose U1 is another device: the copy is renumbered, the U1 keeps its pin.
    TiedSheet other;
    CDevice* inverter = TiedSheet::MakeNand("7404");
    CSymbol* u1 = other.Gate("U1A", 0, inverter);
    inverter->Release();
    pasted.RemoveAll();
    PasteObjectsFromClipboard(other.doc, clip.format, clip.data, pasted);
    incoming.RemoveAll();
    incoming.AddTail(&pasted);
    ASSERT_TRUE(other.doc.AddObjects(&pasted));
    copy = static_cast<CDrawObj*>(incoming.GetHead());
    copyNet = static_cast<CDrawObj*>(incoming.GetTail())->GetNet();
    EXPECT_EQ(other.Vcc(u1), "VCC");
    EXPECT_EQ(other.Vcc(copy), copyNet->GetName().str());

    // The wire alone: its copy ties nothing.
    copied.RemoveHead();
    const ClipboardObjects wireOnly = CopyObjectsToClipboard(sheet.doc, copied);
    pasted.RemoveAll();
    PasteObjectsFromClipboard(sheet.doc, wireOnly.format, wireOnly.data, pasted);
    incoming.RemoveAll();
    incoming.AddTail(&pasted);
    ASSERT_TRUE(sheet.doc.AddObjects(&pasted));
    EXPECT_EQ(static_cast<CDrawObj*>(incoming.GetHead())->GetNet()->GetAttr("_Implicit"), "");
    EXPECT_EQ(sheet.Vcc(gate), "n0001");
}

TEST(HiddenPinTiesTest, AJoinKeepsTheTiesOfBothNets) {
    nettest::ScriptedChooser chooser;
    TiedSheet sheet;
    CSymbol* u1a = sheet.Gate("U1A", 0);
    CSymbol* u2a = sheet.Gate("U2A", 2000);
    CWire* named = sheet.Place({{0, 0}, {1000, 0}}, "VDDA", true);
    named->GetNet()->SetAttr("_Implicit", "U2A:VCC", 0);
    CWire* drawn = sheet.Place({{500, 300}, {500, 0}}, "n0001");
    drawn->GetNet()->SetAttr("_Implicit", "U1A:VCC,U2A:VCC", 0);
    drawn->SetEndObject(named);
    ASSERT_TRUE(sheet.doc.JoinNets());
    ASSERT_EQ(drawn->GetNet(), named->GetNet());
    EXPECT_EQ(named->GetNet()->GetAttr("_Implicit"), "U2A:VCC,U1A:VCC");
    EXPECT_EQ(sheet.Vcc(u1a), "VDDA");
    EXPECT_EQ(sheet.Vcc(u2a), "VDDA");
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(named->GetNet()->GetAttr("_Implicit"), "U2A:VCC");
    EXPECT_EQ(drawn->GetNet()->GetAttr("_Implicit"), "U1A:VCC,U2A:VCC");
}

}  // namespace
