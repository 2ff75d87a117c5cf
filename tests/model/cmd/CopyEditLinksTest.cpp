// Edits that put copies in the places of wired symbols (the property sheets, align) keep every
// pin joined to its wire and every shown text on its attribute, through do, undo and redo, with
// the document's archived bytes as the measure.

#include <gtest/gtest.h>

#include <functional>

#include "model/cmd/ArrangeEdits.h"
#include "model/cmd/SelectionEdits.h"
#include "model/cmd/TransformCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/support/RecordingDocView.h"
#include "model/support/SampleSheet.h"
#include "model/support/TestPart.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/symbol/SymbolSheet.h"
#include "model/text/AttrText.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"

namespace {

using testsupport::DocumentBytes;

class ScriptedSymbolSheet : public ISymbolSheetRunner {
public:
    ScriptedSymbolSheet() : m_previous(SetSymbolSheetRunner(this)) {}
    ~ScriptedSymbolSheet() override { SetSymbolSheetRunner(m_previous); }
    ScriptedSymbolSheet(const ScriptedSymbolSheet&) = delete;
    ScriptedSymbolSheet& operator=(const ScriptedSymbolSheet&) = delete;

    int RunSymbolSheet(SymbolSheet& sheet) override {
        if (edit)
            edit(sheet);
        return kSymbolSheetOK;
    }

    std::function<void(SymbolSheet&)> edit;

private:
    ISymbolSheetRunner* m_previous;
};

// Resistors R1 above R2, both at x = 1000, each pin wired out to a net of its own, the
// identifiers and values shown. They hold every attribute the General page writes.
class WiredSheet {
public:
    WiredSheet() {
        r1 = Resistor("R1", -1000);
        r2 = Resistor("R2", -2000);
        doc.AddView(&view);
    }
    WiredSheet(const WiredSheet&) = delete;
    WiredSheet& operator=(const WiredSheet&) = delete;
    ~WiredSheet() { doc.RemoveView(&view); }

    // The pins of the document's symbols whose wire stands in the document and ends on them.
    int JoinedPins() const {
        int joined = 0;
        const CObList& objects = doc.GetObjects();
        for (POSITION pos = objects.GetHeadPosition(); pos;) {
            auto* symbol = dynamic_cast<CSymbol*>(objects.GetNext(pos));
            for (POSITION at = symbol ? symbol->GetPins().GetHeadPosition() : nullptr; at;) {
                auto* pin = static_cast<CPin*>(symbol->GetPins().GetNext(at));
                auto* wire = dynamic_cast<CWire*>(pin->GetWire());
                if (wire && objects.Find(wire) &&
                    (wire->GetStartObject() == pin || wire->GetEndObject() == pin))
                    ++joined;
            }
        }
        return joined;
    }
    // The text the document shows for the symbol's "_ID" (the symbol standing where r1 was).
    CString ShownId() const {
        CString shown;
        const CObList& objects = doc.GetObjects();
        auto* symbol = static_cast<CSymbol*>(objects.GetAt(objects.FindIndex(0)));
        if (CAttrText* text = symbol->FindAttrText("_ID"))
            text->GetDisplayText(shown);
        return shown;
    }
    CString IdAttribute() const {
        return static_cast<CDrawObj*>(doc.GetObjects().GetHead())->GetAttr("_ID");
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;
    CSymbol* r1;
    CSymbol* r2;

private:
    CSymbol* Resistor(const char* id, LONG y) {
        auto* symbol = new CSymbol();
        symbol->SetDocument(&doc);
        symbol->SetAttr("_Name", "RES", kSetAttrForce);
        symbol->SetAttr("_ID", id, kSetAttrForce);
        symbol->SetAttr("_Value", "1k", kSetAttrForce);
        symbol->GetGraphics().AddTail(new CDrawRect(CRect(-100, 40, 100, -40)));
        samplesheet::AddPin(*symbol, "1", CPoint(-100, 0), CPoint(-200, 0));
        samplesheet::AddPin(*symbol, "2", CPoint(100, 0), CPoint(200, 0));
        const double matrix[6] = {1, 0, 1000, 0, 1, static_cast<double>(y)};
        symbol->SetMatrix(matrix);
        symbol->RecalcBounds(nullptr);
        doc.GetObjects().AddTail(symbol);
        ShowText(symbol, "_ID", CRect(900, y + 150, 1100, y + 70));
        ShowText(symbol, "_Value", CRect(900, y - 70, 1100, y - 150));
        WireOut(symbol->FindPin("1"), {{800, y}, {500, y}}, CString(id) + "_1");
        WireOut(symbol->FindPin("2"), {{1200, y}, {1500, y}}, CString(id) + "_2");
        return symbol;
    }
    void ShowText(CSymbol* symbol, const char* name, const CRect& place) {
        auto* text = new CAttrText(place);
        text->SetDocument(&doc);
        text->Bind(symbol, name);
        text->UpdateText(FALSE);
        symbol->GetAttrTextList()->AddTail(text);
        doc.GetObjects().AddTail(text);
    }
    void WireOut(CPin* pin, std::initializer_list<CPoint> points, const CString& net) {
        auto* wire = samplesheet::AddWire<CWire>(doc, points, new CNet(net));
        wire->SetStartObject(pin);
    }
};

// Undo gives back the bytes before, redo the bytes after; every pin stays wired throughout.
void ExpectRoundTrip(WiredSheet& sheet, const std::vector<BYTE>& before) {
    const std::vector<BYTE> after = DocumentBytes(sheet.doc);
    EXPECT_EQ(sheet.JoinedPins(), 4) << "done";
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(DocumentBytes(sheet.doc), before);
    EXPECT_EQ(sheet.JoinedPins(), 4) << "undone";
    ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
    EXPECT_EQ(DocumentBytes(sheet.doc), after);
    EXPECT_EQ(sheet.JoinedPins(), 4) << "redone";
}

TEST(CopyEditLinks, SymbolPropertiesOkWithNothingChangedKeepsTheWires) {
    WiredSheet sheet;
    ASSERT_EQ(sheet.JoinedPins(), 4);
    const std::vector<BYTE> before = DocumentBytes(sheet.doc);
    ScriptedSymbolSheet runner;
    sheet.view.selection.AddTail(sheet.r1);
    EditSymbolProperties(sheet.view, sheet.doc);
    EXPECT_FALSE(sheet.doc.GetUndoList().CanUndo()) << "no step";
    EXPECT_EQ(sheet.doc.GetObjects().GetHead(), sheet.r1) << "the copy was taken back";
    EXPECT_EQ(DocumentBytes(sheet.doc), before) << "nothing changed";
    EXPECT_EQ(sheet.JoinedPins(), 4);
}

TEST(CopyEditLinks, AlignLeftKeepsBothResistorsWired) {
    WiredSheet sheet;
    auto* box = new CDrawRect(CRect(0, 0, 200, -200));
    box->SetDocument(&sheet.doc);
    sheet.doc.GetObjects().AddTail(box);
    const std::vector<BYTE> before = DocumentBytes(sheet.doc);
    ASSERT_TRUE(AlignSelection(sheet.doc, ObjectList{box, sheet.r1, sheet.r2}, AlignMode::kLeft));
    ASSERT_STREQ(sheet.doc.GetUndoList().GetUndoName(), "align left");
    ASSERT_NE(DocumentBytes(sheet.doc), before) << "the box moved";
    ExpectRoundTrip(sheet, before);
}

TEST(CopyEditLinks, TheShownIdentifierFollowsTheAttributeThroughUndoAndRedo) {
    WiredSheet sheet;
    ASSERT_EQ(sheet.ShownId(), CString("R1"));
    const std::vector<BYTE> before = DocumentBytes(sheet.doc);
    ScriptedSymbolSheet runner;
    runner.edit = [](SymbolSheet& edited) { edited.general.id = "R9"; };
    sheet.view.selection.AddTail(sheet.r1);
    EditSymbolProperties(sheet.view, sheet.doc);
    EXPECT_EQ(sheet.ShownId(), CString("R9"));
    const std::vector<BYTE> after = DocumentBytes(sheet.doc);

    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(sheet.IdAttribute(), CString("R1"));
    EXPECT_EQ(sheet.ShownId(), CString("R1"));
    EXPECT_EQ(DocumentBytes(sheet.doc), before);
    ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
    EXPECT_EQ(sheet.IdAttribute(), CString("R9"));
    EXPECT_EQ(sheet.ShownId(), CString("R9"));
    EXPECT_EQ(DocumentBytes(sheet.doc), after);
    EXPECT_EQ(sheet.JoinedPins(), 4);
}

// A mirror leaves the identifier's text of R1 with two edges reversed; a new identifier, from
// the Symbol sheet or typed into the text, lays the text out anew, and undo gives back its
// rectangle edge for edge.
TEST(CopyEditLinks, UndoGivesAMirroredPartsTextItsRectangleBack) {
    for (const bool typed : {false, true}) {
        SCOPED_TRACE(typed);
        WiredSheet sheet;
        CAttrText* shown = sheet.r1->FindAttrText("_ID");
        ASSERT_TRUE(TransformSelection(sheet.doc, ObjectList{sheet.r1, shown},
                                       kTransformMirrorHorizontally, CPoint(1000, -1000), 0));
        auto* r1 = static_cast<CSymbol*>(sheet.doc.GetObjects().GetHead());
        shown = r1->FindAttrText("_ID");
        ASSERT_NE(shown->GetPosition(), NormalizedRect(shown->GetPosition())) << "reversed";
        const std::vector<BYTE> before = DocumentBytes(sheet.doc);
        ScriptedSymbolSheet runner;
        runner.edit = [](SymbolSheet& edited) { edited.general.id = "R19"; };
        sheet.view.selection.AddTail(r1);
        if (typed)
            ASSERT_TRUE(shown->SetText("R19", TRUE));
        else
            EditSymbolProperties(sheet.view, sheet.doc);
        ASSERT_EQ(sheet.ShownId(), CString("R19"));
        ExpectRoundTrip(sheet, before);
    }
}

}  // namespace
