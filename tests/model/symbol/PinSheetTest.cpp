// The "Pin Properties" sheet run on the pins of a symbol sheet: one undoable step, with the
// document's archived bytes as the measure.

#include <gtest/gtest.h>

#include "model/doc/DrawDoc.h"
#include "model/support/RecordingDocView.h"
#include "model/support/TestPart.h"
#include "model/symbol/Pin.h"
#include "model/symbol/PinSheet.h"

namespace {

class ScriptedPinSheet : public IPinSheetRunner {
public:
    ScriptedPinSheet() : m_previous(SetPinSheetRunner(this)) {}
    ~ScriptedPinSheet() override { SetPinSheetRunner(m_previous); }
    ScriptedPinSheet(const ScriptedPinSheet&) = delete;
    ScriptedPinSheet& operator=(const ScriptedPinSheet&) = delete;

    bool RunPinSheet(PinSheet& sheet) override {
        PinPropForm& form = sheet.settings;
        shown = form;
        PinPropForm::Choices choices;
        choices.type = type;
        choices.symbol = form.ShownSymbol();
        for (int i = 0; i < 4; ++i)
            choices.checks[i] = form.Check(i);
        choices.name = name;
        refusal = form.Leave(choices, sheet.checkName).message;
        return ok && refusal.empty();
    }

    bool ok = true;
    int type = -1;
    CString name;
    PinPropForm shown;
    std::string refusal;

private:
    IPinSheetRunner* m_previous;
};

struct PinsSheet {
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;
    CPin* a;
    CPin* b;

    PinsSheet() {
        a = Add("A", CPoint(0, 0));
        b = Add("B", CPoint(0, -500));
        doc.AddView(&view);
    }
    ~PinsSheet() { doc.RemoveView(&view); }
    PinsSheet(const PinsSheet&) = delete;
    PinsSheet& operator=(const PinsSheet&) = delete;

    CPin* Add(const char* id, CPoint body) {
        // A free pin, as a symbol sheet holds them.
        auto* pin = new CPin();
        pin->SetEnds(body, CPoint(body.x + 300, body.y));
        pin->SetAttr("_ID", id, kSetAttrForce);
        pin->SetDocument(&doc);
        doc.GetObjects().AddTail(pin);
        return pin;
    }
    CPin* PinAt(int index) {
        POSITION pos = doc.GetObjects().FindIndex(index);
        return static_cast<CPin*>(doc.GetObjects().GetAt(pos));
    }
};

TEST(PinSheetTest, OkIsOneStepThatUndoAndRedoTakeBackAndForth) {
    PinsSheet sheet;
    sheet.view.selection.AddTail(sheet.a);
    const DocSnapshot before = Snapshot(sheet.doc);
    ScriptedPinSheet runner;
    runner.type = 5;
    runner.name = "CLK";
    sheet.a->OnEditProperties(&sheet.view);
    ASSERT_EQ(runner.refusal, "");
    EXPECT_EQ(runner.shown.name, CString("A"));
    CPin* edited = sheet.PinAt(0);
    EXPECT_NE(edited, sheet.a) << "a copy stands in the pin's place";
    EXPECT_EQ(edited->GetPinType(), 5);
    CString id;
    edited->LookupAttr("_ID", id);
    EXPECT_EQ(id, CString("CLK"));
    EXPECT_STREQ(sheet.doc.GetUndoList().GetUndoName(), "pin properties");
    const DocSnapshot after = Snapshot(sheet.doc);
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(sheet.doc).bytes, before.bytes);
    ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
    EXPECT_EQ(Snapshot(sheet.doc).bytes, after.bytes);
}

TEST(PinSheetTest, CancelAndRefusalsChangeNothing) {
    PinsSheet sheet;
    sheet.view.selection.AddTail(sheet.a);
    sheet.view.selection.AddTail(sheet.b);
    const DocSnapshot before = Snapshot(sheet.doc);
    ScriptedPinSheet runner;
    runner.ok = false;
    runner.type = 3;
    sheet.a->OnEditProperties(&sheet.view);
    EXPECT_TRUE(runner.shown.multiple);
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_FALSE(sheet.doc.GetUndoList().CanUndo());
}

}  // namespace
