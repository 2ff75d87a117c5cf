// Edits that take objects out of their links and link others in (copies under a name, the
// substitution of a move, removal) put every link back in its old place in its owner's list:
// a symbol's shown texts, a wire's branches and a bus's junctions keep their order, so undo
// gives back the archived bytes from before the edit and redo those from after it.

#include <gtest/gtest.h>

#include <vector>

#include "model/cmd/NamedEdit.h"
#include "model/cmd/RemoveCmd.h"
#include "model/cmd/TransformCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/shapes/DrawRect.h"
#include "model/support/RecordingDocView.h"
#include "model/support/SampleSheet.h"
#include "model/support/TestPart.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"

namespace {

using testsupport::DocumentBytes;

constexpr COLORREF kRed = 0x0000FF;

// Symbol U1 at (1000, -1000) showing "_ID" and "_Value"; its pin 1 is wired down to a bus by w5
// and its pin 2 by w4, the bus listing w4 before w5. Apart, a trunk wire with the branches a
// and b ending on it, listed in that order.
class LinkedSheet : public ::testing::Test {
protected:
    LinkedSheet() {
        symbol = new CSymbol();
        symbol->SetAttr("_ID", "U1", kSetAttrForce);
        symbol->SetAttr("_Value", "74HC00", kSetAttrForce);
        symbol->GetGraphics().AddTail(new CDrawRect(CRect(-100, 40, 100, -40)));
        samplesheet::AddPin(*symbol, "1", CPoint(-100, 0), CPoint(-200, 0));
        samplesheet::AddPin(*symbol, "2", CPoint(100, 0), CPoint(200, 0));
        const double matrix[6] = {1, 0, 1000, 0, 1, -1000};
        symbol->SetMatrix(matrix);
        Add(symbol);
        symbol->RecalcBounds(nullptr);
        idText = ShowText("_ID", CRect(900, -850, 1100, -930));
        valueText = ShowText("_Value", CRect(900, -1070, 1100, -1150));

        bus = samplesheet::AddWire<CBus>(doc, {{0, -3000}, {3000, -3000}}, new CNet("D"));
        w4 = WireToBus(symbol->FindPin("2"), 1200, "D4");
        w5 = WireToBus(symbol->FindPin("1"), 800, "D5");

        trunk = samplesheet::AddWire<CWire>(doc, {{4000, 0}, {6000, 0}}, new CNet("T"));
        a = samplesheet::AddWire<CWire>(doc, {{4500, 500}, {4500, 0}}, trunk->GetNet());
        b = samplesheet::AddWire<CWire>(doc, {{5500, 500}, {5500, 0}}, trunk->GetNet());
        a->SetEndObject(trunk);
        b->SetEndObject(trunk);
        doc.AddView(&view);
    }
    ~LinkedSheet() override { doc.RemoveView(&view); }

    void Add(CDrawObj* object) {
        object->SetDocument(&doc);
        doc.GetObjects().AddTail(object);
    }
    CAttrText* ShowText(const char* name, const CRect& place) {
        auto* text = new CAttrText(place);
        Add(text);
        text->Bind(symbol, name);
        text->UpdateText(FALSE);
        symbol->GetAttrTextList()->AddTail(text);
        return text;
    }
    CWire* WireToBus(CPin* pin, LONG x, const char* net) {
        auto* wire = samplesheet::AddWire<CWire>(doc, {{x, -1000}, {x, -3000}}, new CNet(net));
        wire->SetStartObject(pin);
        wire->SetEndObject(bus);
        return wire;
    }
    // The objects take a red outline under the name, as a property sheet's OK does.
    void Redden(const ObjectList& objects, const char* name) {
        ASSERT_TRUE(
            ApplyNamedEdit(doc, objects, name, [](CDrawObj& copy) { copy.SetLineColor(kRed); }));
    }
    // Undo gives back the bytes before the edit, redo the bytes after it.
    void ExpectRoundTrip(const std::vector<BYTE>& before) {
        const std::vector<BYTE> after = DocumentBytes(doc);
        ASSERT_NE(after, before) << "the edit changed nothing";
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(DocumentBytes(doc), before) << "undone";
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(DocumentBytes(doc), after) << "redone";
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;
    CSymbol* symbol;
    CAttrText* idText;
    CAttrText* valueText;
    CBus* bus;
    CWire* w4;
    CWire* w5;
    CWire* trunk;
    CWire* a;
    CWire* b;
};

TEST_F(LinkedSheet, TextPropertiesOfTheFirstOfTwoShownTextsKeepItFirst) {
    const std::vector<BYTE> before = DocumentBytes(doc);
    Redden(ObjectList{idText}, "text properties");
    const CObList& texts = *symbol->GetAttrTextList();
    EXPECT_EQ(texts.GetTail(), valueText) << "the copy stands where the identifier stood";
    ExpectRoundTrip(before);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Contents(texts), (std::vector<CObject*>{idText, valueText}));
}

TEST_F(LinkedSheet, EditedBranchKeepsItsPlaceAmongTheBranchesOfItsTrunk) {
    const std::vector<BYTE> before = DocumentBytes(doc);
    Redden(ObjectList{a}, "object properties");
    EXPECT_EQ(trunk->GetJunctions().GetTail(), b) << "the copy stands where a stood";
    ExpectRoundTrip(before);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Contents(trunk->GetJunctions()), (std::vector<CObject*>{a, b}));
}

TEST_F(LinkedSheet, MovingTheSymbolKeepsTheJunctionOrderOfTheBus) {
    const std::vector<BYTE> before = DocumentBytes(doc);
    auto* command = new CTransformCmd(&doc, ObjectList{symbol}, kTransformMove);
    command->Begin();
    command->SetMove(0, 500);
    command->Apply();
    ASSERT_TRUE(doc.GetUndoList().Add(command));
    command->JoinUp();
    ExpectRoundTrip(before);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Contents(bus->GetJunctions()), (std::vector<CObject*>{w4, w5}));
}

TEST_F(LinkedSheet, NamedEditsOfTheBusWiresKeepTheJunctionOrderOfTheBus) {
    const auto editAndUndo = [this](const ObjectList& edited) {
        SCOPED_TRACE(edited.GetCount());
        const std::vector<BYTE> before = DocumentBytes(doc);
        Redden(edited, "object properties");
        ExpectRoundTrip(before);
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(Contents(bus->GetJunctions()), (std::vector<CObject*>{w4, w5}));
    };
    editAndUndo(ObjectList{w4});
    editAndUndo(ObjectList{w5, w4});
}

TEST_F(LinkedSheet, RemovedObjectsComeBackInTheirPlaces) {
    struct Case {
        const char* what;
        ObjectList removed;
        const CObList& list;
        std::vector<CObject*> order;
    };
    const Case cases[] = {
        {"bus wire", ObjectList{w4}, bus->GetJunctions(), {w4, w5}},
        {"branch", ObjectList{a}, trunk->GetJunctions(), {a, b}},
        {"shown text", ObjectList{idText}, *symbol->GetAttrTextList(), {idText, valueText}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<BYTE> before = DocumentBytes(doc);
        ASSERT_TRUE(doc.GetUndoList().Execute(new CRemoveCmd(c.removed)));
        ExpectRoundTrip(before);
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(Contents(c.list), c.order);
    }
}

TEST_F(LinkedSheet, ShownTextsRemovedLastFirstComeBackInTheirOrder) {
    CAttrText* nameText = ShowText("_Name", CRect(900, -1170, 1100, -1250));
    const std::vector<BYTE> before = DocumentBytes(doc);
    ASSERT_TRUE(doc.GetUndoList().Execute(new CRemoveCmd(ObjectList{nameText, valueText, idText})));
    ExpectRoundTrip(before);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Contents(*symbol->GetAttrTextList()),
              (std::vector<CObject*>{idText, valueText, nameText}));
}

}  // namespace
