#include <gtest/gtest.h>

#include <functional>

#include "NetTestSheet.h"
#include "model/net/WireSheet.h"
#include "model/support/RecordingDocView.h"
#include "model/support/TestPart.h"
#include "model/text/AttrText.h"
#include "support/DocumentBytes.h"

using namespace nettest;

namespace {

// Edits the sheet it is shown and answers OK, or Cancel without an edit.
class ScriptedRunner : public IWireSheetRunner {
public:
    ScriptedRunner() : m_previous(SetWireSheetRunner(this)) {}
    ~ScriptedRunner() override { SetWireSheetRunner(m_previous); }
    ScriptedRunner(const ScriptedRunner&) = delete;
    ScriptedRunner& operator=(const ScriptedRunner&) = delete;

    bool RunWireSheet(WireSheet& sheet, const std::vector<CWire*>&, StyleApplier& style) override {
        titles.push_back(sheet.title);
        if (editWire)
            editWire(sheet);
        style = this->style;
        return ok;
    }
    bool RunBusSheet(BusSheet& sheet, const std::vector<CBus*>&, StyleApplier& style) override {
        titles.push_back(sheet.title);
        if (editBus)
            editBus(sheet);
        style = this->style;
        return ok;
    }

    bool ok = true;
    std::function<void(WireSheet&)> editWire;
    std::function<void(BusSheet&)> editBus;
    StyleApplier style;
    std::vector<CString> titles;

private:
    IWireSheetRunner* m_previous;
};

struct SheetOfWires {
    NetSheet sheet;
    drawdoctest::RecordingDocView view;
    CWire* a;
    CWire* b;

    SheetOfWires() {
        a = sheet.Place({{0, 0}, {1000, 0}}, "A");
        b = sheet.Place({{0, 500}, {1000, 500}}, "B");
        a->GetNet()->SetAttr("Freq", "10M", 0);
        b->GetNet()->SetAttr("Freq", "20M", 0);
        b->GetNet()->SetAttr("Tol", "1%", 0);
        sheet.doc.AddView(&view);
    }
    ~SheetOfWires() { sheet.doc.RemoveView(&view); }
    SheetOfWires(const SheetOfWires&) = delete;
    SheetOfWires& operator=(const SheetOfWires&) = delete;
};

TEST(WireSheet, RowsMergeTheNetsAttributes) {
    SheetOfWires s;
    const WireSheet sheet = MakeWireSheet({s.a, s.b});
    EXPECT_EQ(sheet.title, "Wire Properties (Multiple Selection)");
    ASSERT_EQ(sheet.rows.size(), 2u);
    EXPECT_EQ(sheet.rows[0].name, "Freq");
    EXPECT_EQ(sheet.rows[0].value, "");
    EXPECT_EQ(sheet.rows[0].flags, kAttrRowMixed);
    EXPECT_EQ(sheet.rows[0].count, 2);
    EXPECT_EQ(sheet.rows[1].name, "Tol");
    EXPECT_EQ(sheet.rows[1].value, "1%");
    EXPECT_EQ(sheet.rows[1].count, 1);
    EXPECT_EQ(MakeWireSheet({s.a}).title, "Wire Properties");
}

// OK: the copies take the style, each net the rows, and one undo takes everything back.
TEST(WireSheet, OkIsOneStepOverCopiesAndNets) {
    SheetOfWires s;
    ScriptedRunner runner;
    runner.editWire = [](WireSheet& sheet) {
        sheet.rows[0].value = "5M";
        sheet.rows[1].flags |= kAttrRowRemove;
        sheet.rows.push_back({"Note", "x", kAttrRowAdd, 0});
        sheet.rows.push_back({"Skip", "y", 0, 0});  // new, not marked added: several wires
    };
    const LOGPEN red{PS_SOLID, {20, 0}, 0x0000FF};
    runner.style = [&red](CDrawObj* object) { object->SetPen(&red); };
    auto* label = new CAttrText(CRect(0, 100, 300, 0));
    label->Bind(s.a, "Freq");
    s.a->GetAttrTextList()->AddTail(label);
    label->SetDocument(&s.sheet.doc);
    s.sheet.doc.GetObjects().AddTail(label);
    s.view.selection.AddTail(s.a);
    s.view.selection.AddTail(s.b);
    const DocSnapshot before = Snapshot(s.sheet.doc);

    s.a->OnEditProperties(&s.view);
    CUndoList& undo = s.sheet.doc.GetUndoList();
    ASSERT_EQ(undo.GetCount(), 1);
    EXPECT_STREQ(undo.GetUndoName(), "wire properties");
    // The label shows the new value of the copy that took its place.
    EXPECT_EQ(label->GetOwner(), s.sheet.doc.GetObjects().GetHead());
    EXPECT_EQ(label->GetText(), "5M");
    std::vector<CObject*> objects = Contents(s.sheet.doc.GetObjects());
    objects.pop_back();
    ASSERT_EQ(objects.size(), 2u);
    for (CObject* object : objects) {
        auto* copy = static_cast<CWire*>(object);
        EXPECT_NE(copy, s.a);
        EXPECT_NE(copy, s.b);
        EXPECT_EQ(copy->GetPen().lopnColor, red.lopnColor);
        EXPECT_EQ(copy->GetAttr("Freq"), "5M");
        EXPECT_EQ(copy->GetAttr("Note"), "x");
        CString value;
        EXPECT_FALSE(copy->LookupAttr("Tol", value));
        EXPECT_FALSE(copy->LookupAttr("Skip", value));
    }
    EXPECT_EQ(s.view.updates.back().hint, kHintReplaceSelection);
    EXPECT_EQ(s.view.updates.back().listed, objects);
    const DocSnapshot after = Snapshot(s.sheet.doc);

    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(Snapshot(s.sheet.doc), before);
    EXPECT_EQ(s.b->GetAttr("Tol"), "1%");
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(Snapshot(s.sheet.doc), after);
}

// Cancel records nothing and gives the view its selection back.
TEST(WireSheet, CancelRestoresTheSelection) {
    SheetOfWires s;
    ScriptedRunner runner;
    runner.ok = false;
    auto* box = new TestPart(9);
    box->SetDocument(&s.sheet.doc);
    s.sheet.doc.GetObjects().AddTail(box);
    s.view.selection.AddTail(s.b);
    s.view.selection.AddTail(box);
    s.b->OnEditProperties(&s.view);
    EXPECT_EQ(runner.titles, (std::vector<CString>{"Wire Properties"}));
    EXPECT_EQ(s.sheet.doc.GetUndoList().GetCount(), 0);
    ASSERT_GE(s.view.updates.size(), 2u);
    EXPECT_EQ(s.view.updates[s.view.updates.size() - 2].hint, kHintDeselect);
    EXPECT_EQ(s.view.updates.back().hint, kHintReplaceSelection);
    EXPECT_EQ(s.view.updates.back().listed, (std::vector<CObject*>{s.b, box}));
}

// Without sheet windows the sheets are cancelled.
TEST(WireSheet, NoRunnerCancels) {
    SheetOfWires s;
    s.view.selection.AddTail(s.a);
    s.a->OnEditProperties(&s.view);
    EXPECT_EQ(s.sheet.doc.GetUndoList().GetCount(), 0);
    EXPECT_EQ(s.a->GetNet()->GetAttr("Freq"), "10M");
    ASSERT_FALSE(s.view.updates.empty());
    EXPECT_EQ(s.view.updates.back().hint, kHintReplaceSelection);
    EXPECT_EQ(s.view.updates.back().listed, (std::vector<CObject*>{s.a}));
}

TEST(BusSheet, GeneralPageLoadsCommonValuesAndAppliesDefiniteOnes) {
    NetSheet sheet;
    drawdoctest::RecordingDocView view;
    sheet.doc.AddView(&view);
    auto* wide = sheet.Place<CBus>({{0, -1000}, {2000, -1000}});
    auto* narrow = sheet.Place<CBus>({{0, -2000}, {2000, -2000}});
    wide->SetWidth(50);
    wide->SetAttr("_ID", "A[0..3]", 0);
    narrow->SetAttr("_ID", "A[0..3]", 0);
    narrow->SetFlags(kBusReverseFlow, kBusReverseFlow);
    const BusSheet loaded = MakeBusSheet({wide, narrow});
    EXPECT_EQ(loaded.title, "Bus Properties (Multiple Selection)");
    EXPECT_EQ(loaded.general.name, "A[0..3]");
    EXPECT_EQ(loaded.general.width, -1);
    EXPECT_EQ(loaded.general.reverse, 2);
    EXPECT_EQ(loaded.general.startArrow, 0);
    EXPECT_EQ(loaded.general.endArrow, 1);

    ScriptedRunner runner;
    runner.editBus = [](BusSheet& bus) {
        bus.general.name = "D[0..15]";
        bus.general.startArrow = 1;
        bus.general.endArrow = 0;
    };
    view.selection.AddTail(wide);
    view.selection.AddTail(narrow);
    const DocSnapshot before = Snapshot(sheet.doc);
    narrow->OnEditProperties(&view);
    EXPECT_STREQ(sheet.doc.GetUndoList().GetUndoName(), "bus properties");
    const std::vector<CObject*> objects = Contents(sheet.doc.GetObjects());
    const DWORD expected[] = {kBusStartArrow, kBusStartArrow | kBusReverseFlow};
    const LONG widths[] = {50, kDefaultBusWidth};
    for (std::size_t i = 0; i < objects.size(); ++i) {
        auto* bus = static_cast<CBus*>(objects[i]);
        EXPECT_EQ(bus->GetAttr("_ID"), "D[0..15]");
        EXPECT_EQ(bus->GetWidth(), widths[i]);
        EXPECT_EQ(bus->GetFlags() & (kBusStartArrow | kBusEndArrow | kBusReverseFlow), expected[i]);
    }
    EXPECT_EQ(wide->GetAttr("_ID"), "A[0..3]");
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(sheet.doc), before);
    sheet.doc.RemoveView(&view);
}

// Buses that share one net (as a pasted bus shares the net of its name) keep sharing it when
// the sheet is accepted: untouched, it adds no step and leaves every byte.
TEST(BusSheet, AnUntouchedOkOverBusesSharingANetChangesNothing) {
    NetSheet sheet;
    drawdoctest::RecordingDocView view;
    sheet.doc.AddView(&view);
    auto* first = sheet.Place<CBus>({{0, -1000}, {2000, -1000}});
    auto* second = sheet.Place<CBus>({{0, -2000}, {2000, -2000}});
    CNet* shared = first->GetNet();
    shared->AddRef();
    second->SetNet(shared)->Release();
    for (CBus* bus : {first, second}) {
        bus->RecalcBounds(nullptr);
        view.selection.AddTail(bus);
    }
    const std::vector<BYTE> before = testsupport::DocumentBytes(sheet.doc);
    ScriptedRunner runner;
    second->OnEditProperties(&view);
    EXPECT_FALSE(sheet.doc.GetUndoList().CanUndo());
    EXPECT_EQ(testsupport::DocumentBytes(sheet.doc), before);
    sheet.doc.RemoveView(&view);
}

}  // namespace
