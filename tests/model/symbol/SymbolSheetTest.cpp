// The "Symbol Properties" sheet run on the selected symbols: the General page's kind, value
// and device with the texts they show, as one undoable step, with the document's archived
// bytes as the measure.

#include <gtest/gtest.h>

#include "model/device/Device.h"
#include "model/doc/DrawDoc.h"
#include "model/net/NetTestSheet.h"
#include "model/net/WireRails.h"
#include "model/support/RecordingDocView.h"
#include "model/support/TestPart.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/symbol/SymbolSheet.h"
#include "support/DocumentBytes.h"
#include "support/PowerRails.h"

namespace {

class ScriptedSymbolSheet : public ISymbolSheetRunner {
public:
    ScriptedSymbolSheet() : m_previous(SetSymbolSheetRunner(this)) {}
    ~ScriptedSymbolSheet() override { SetSymbolSheetRunner(m_previous); }
    ScriptedSymbolSheet(const ScriptedSymbolSheet&) = delete;
    ScriptedSymbolSheet& operator=(const ScriptedSymbolSheet&) = delete;

    int RunSymbolSheet(SymbolSheet& sheet) override {
        loaded = sheet.general;
        listed = sheet.attributes.GetRecords().size();
        if (edit)
            edit(sheet);
        return end;
    }

    int end = kSymbolSheetOK;
    std::function<void(SymbolSheet&)> edit;
    DevGeneralForm loaded;
    size_t listed = 0;

private:
    ISymbolSheetRunner* m_previous;
};

struct SymbolsSheet {
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;
    CSymbol* symbol;

    SymbolsSheet() {
        symbol = new CSymbol();
        symbol->SetDocument(&doc);
        symbol->SetAttr("_Name", "R", kSetAttrForce);
        symbol->SetAttr("_ID", "R1", kSetAttrForce);
        symbol->SetAttr("_Value", "1k", kSetAttrForce);
        symbol->SetAttr("Tolerance", "5%", kSetAttrForce);
        symbol->SetFlags(kSymbolSimulation, kSymbolKindMask);
        auto* pin = new CPin(symbol);
        pin->SetAttr("_ID", "1", kSetAttrForce);
        symbol->GetPins().AddTail(pin);
        doc.GetObjects().AddTail(symbol);
        doc.AddView(&view);
        view.selection.AddTail(symbol);
    }
    ~SymbolsSheet() { doc.RemoveView(&view); }
    SymbolsSheet(const SymbolsSheet&) = delete;
    SymbolsSheet& operator=(const SymbolsSheet&) = delete;

    CSymbol* Placed() { return static_cast<CSymbol*>(doc.GetObjects().GetHead()); }
};

TEST(SymbolSheetTest, OkIsOneStepWithTheTextsItShows) {
    SymbolsSheet sheet;
    const DocSnapshot before = Snapshot(sheet.doc);
    ScriptedSymbolSheet runner;
    runner.edit = [](SymbolSheet& edited) {
        edited.general.value = "4k7";
        edited.general.showValue = 1;
    };
    sheet.symbol->OnEditProperties(&sheet.view);
    EXPECT_EQ(runner.loaded.kind, 3);
    EXPECT_EQ(runner.loaded.id, CString("R1"));
    EXPECT_EQ(runner.listed, 1u) << "only Tolerance belongs to the attribute page";
    CSymbol* edited = sheet.Placed();
    EXPECT_NE(edited, sheet.symbol) << "a copy stands in the symbol's place";
    EXPECT_EQ(edited->GetAttr("_Value"), CString("4k7"));
    ASSERT_NE(edited->FindAttrText("_Value"), nullptr);
    EXPECT_EQ(sheet.doc.GetObjects().GetCount(), 2) << "the value's text joins the sheet";
    EXPECT_STREQ(sheet.doc.GetUndoList().GetUndoName(), "symbol properties");
    const DocSnapshot after = Snapshot(sheet.doc);
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(sheet.doc).bytes, before.bytes);
    EXPECT_FALSE(sheet.doc.GetUndoList().CanUndo()) << "one step";
    ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
    EXPECT_EQ(Snapshot(sheet.doc).bytes, after.bytes);
}

TEST(SymbolSheetTest, CancelPutsTheSymbolBackUnchanged) {
    SymbolsSheet sheet;
    const DocSnapshot before = Snapshot(sheet.doc);
    ScriptedSymbolSheet runner;
    runner.end = 0;
    runner.edit = [](SymbolSheet& edited) {
        // The General page changes the copies while it is open.
        edited.symbols.front()->SetFlags(kSymbolDevice, kSymbolKindMask);
    };
    sheet.symbol->OnEditProperties(&sheet.view);
    EXPECT_EQ(sheet.Placed(), sheet.symbol);
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_FALSE(sheet.doc.GetUndoList().CanUndo());
}

TEST(SymbolSheetTest, AttributePageRowsAreWrittenAndTheGeneralNamesRefused) {
    SymbolsSheet sheet;
    ScriptedSymbolSheet runner;
    int idRefused = 0;
    runner.edit = [&idRefused](SymbolSheet& edited) {
        idRefused = edited.check("_ID", "R9");
        std::vector<AttrListRow> rows = edited.attributes.ShownRows(false);
        ASSERT_EQ(rows.size(), 1u);
        rows[0].value = "1%";
        rows.push_back({"Power", "0.25W", TriState::kOff, 0});
        edited.attributes.ReadBack(rows, false);
    };
    sheet.symbol->OnEditProperties(&sheet.view);
    EXPECT_NE(idRefused, 0);
    CSymbol* edited = sheet.Placed();
    EXPECT_EQ(edited->GetAttr("Tolerance"), CString("1%"));
    EXPECT_EQ(edited->GetAttr("Power"), CString("0.25W"));
    EXPECT_EQ(edited->GetAttr("_ID"), CString("R1"));
}

}  // namespace

// Two "Net Connector" symbols, each ending a wire of a net of its own; the user names both SIG
// on the General page, one after the other.
TEST(SymbolSheetTest, ConnectorsNamedAlikeJoinTheirWiresInOneNet) {
    nettest::ScriptedChooser chooser;
    nettest::NetSheet sheet;
    drawdoctest::RecordingDocView view;
    sheet.doc.AddView(&view);
    std::vector<CWire*> wires;
    for (const LONG x : {0, 2000}) {
        CSymbol* connector = sheet.PlaceSymbol(CPoint(x, 0), "1", kSymbolNetConnector);
        CWire* wire = sheet.Place({{x, 0}, {x + 1000, 0}});
        nettest::NetSheet::Give(wire, new CNet);
        wire->SetStartObject(nettest::NetSheet::PinOf(connector));
        nettest::NetSheet::PinOf(connector)->SetWire(wire);
        wires.push_back(wire);
    }
    ASSERT_TRUE(sheet.doc.JoinNets());
    ASSERT_NE(wires[0]->GetNet(), wires[1]->GetNet());
    const std::vector<BYTE> before = testsupport::DocumentBytes(sheet.doc);

    ScriptedSymbolSheet runner;
    runner.edit = [](SymbolSheet& edited) { edited.general.id = "SIG"; };
    for (CWire* wire : wires) {
        view.selection.RemoveAll();
        view.selection.AddTail(static_cast<CPin*>(wire->GetStartObject())->GetOwner());
        static_cast<CDrawObj*>(view.selection.GetHead())->OnEditProperties(&view);
    }
    EXPECT_EQ(wires[0]->GetNet(), wires[1]->GetNet());
    EXPECT_EQ(wires[1]->GetNet()->GetName(), "SIG");
    EXPECT_TRUE(chooser.shown.empty());

    // Each naming is one step, its joining included.
    EXPECT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before);
    sheet.doc.RemoveView(&view);
}

// A ground connected with Connect Wire To, named AGND on the General page: it leaves its rail
// and its net takes the name, in the one step of the sheet; a later rename of the rail passes it
// by.
TEST(SymbolSheetTest, ARailConnectorNamedByTheUserLeavesItsRail) {
    testsupport::PowerRails rails;
    nettest::ScriptedChooser chooser;
    nettest::NetSheet sheet;
    drawdoctest::RecordingDocView view;
    sheet.doc.AddView(&view);
    sheet.doc.SetAttribute("Ground1", "GND", 0);
    CWire* wire = sheet.Place({{0, 0}, {1000, 0}}, "n0001");
    ASSERT_TRUE(ConnectWireToRail(sheet.doc, ObjectList{wire}, 0));
    CSymbol* ground = static_cast<CPin*>(wire->GetStartObject())->GetOwner();
    const std::vector<BYTE> before = testsupport::DocumentBytes(sheet.doc);
    const int steps = sheet.doc.GetUndoList().GetCount();

    ScriptedSymbolSheet runner;
    runner.edit = [](SymbolSheet& edited) { edited.general.id = "AGND"; };
    view.selection.AddTail(ground);
    ground->OnEditProperties(&view);
    ground = static_cast<CPin*>(wire->GetStartObject())->GetOwner();
    EXPECT_EQ(ground->GetAttr("_ID"), "AGND");
    EXPECT_EQ(ground->GetAttr("Rail"), "");
    EXPECT_EQ(wire->GetNet()->GetName(), "AGND");
    EXPECT_EQ(sheet.doc.GetUndoList().GetCount(), steps + 1);

    ASSERT_TRUE(sheet.doc.SetAttribute("Ground1", "0V", kAttrUndoable));
    EXPECT_EQ(wire->GetNet()->GetName(), "AGND");
    EXPECT_EQ(ground->GetAttr("_ID"), "AGND");
    EXPECT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before);
    sheet.doc.RemoveView(&view);
}
