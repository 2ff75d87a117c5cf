// A renumbering lays the texts of the renumbered symbols out anew; its undo gives back the
// rectangles they had, a reversed one as a mirror left it, so the archived bytes before the
// renumbering come back, and its redo those after it.

#include <gtest/gtest.h>

#include <vector>

#include "model/doc/DrawDoc.h"
#include "model/support/RecordingDocView.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "support/DocumentBytes.h"
#include "support/ScriptedPrompt.h"

namespace {

using testsupport::DocumentBytes;

// Symbols L1 and ab, each showing its identifier in a text that a mirror reversed.
class RenumberSheet : public ::testing::Test {
protected:
    RenumberSheet() {
        l1 = AddSymbol("L1", CPoint(0, 0));
        ab = AddSymbol("ab", CPoint(2000, 0));
        doc.AddView(&view);
    }
    ~RenumberSheet() override { doc.RemoveView(&view); }

    CSymbol* AddSymbol(const char* id, CPoint at) {
        auto* symbol = new CSymbol();
        symbol->SetAttr("_ID", id, kSetAttrForce);
        const double matrix[6] = {1, 0, double(at.x), 0, 1, double(at.y)};
        symbol->SetMatrix(matrix);
        symbol->SetDocument(&doc);
        doc.GetObjects().AddTail(symbol);
        symbol->RecalcBounds(nullptr);
        auto* text = new CAttrText(CRect(at.x, at.y - 200, at.x + 150, at.y - 80));
        text->SetDocument(&doc);
        doc.GetObjects().AddTail(text);
        text->Bind(symbol, "_ID");
        text->UpdateText(FALSE);
        symbol->GetAttrTextList()->AddTail(text);
        const CRect laid = text->GetPosition();
        text->MoveTo(CRect(laid.left, laid.bottom, laid.right, laid.top), nullptr);
        places.push_back(text->GetPosition());
        return symbol;
    }
    static CAttrText* TextOf(CSymbol* symbol) {
        return static_cast<CAttrText*>(symbol->GetAttrTextList()->GetHead());
    }
    // Undoes the last step back to before, and redoes it to the bytes it left.
    void UndoAndRedo(const std::vector<BYTE>& before) {
        const std::vector<BYTE> after = DocumentBytes(doc);
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(TextOf(l1)->GetPosition(), places[0]);
        EXPECT_EQ(TextOf(ab)->GetPosition(), places[1]);
        EXPECT_EQ(DocumentBytes(doc), before);
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(DocumentBytes(doc), after);
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    drawdoctest::RecordingDocView view;
    std::vector<CRect> places;  // of the texts of L1 and ab
    CSymbol* l1;
    CSymbol* ab;
};

TEST_F(RenumberSheet, ATakenIdentifierTypedIsDisplacedAndUndoneExactly) {
    testsupport::ScriptedPrompt prompt({IDYES});
    const std::vector<BYTE> before = DocumentBytes(doc);
    ASSERT_TRUE(TextOf(l1)->SetText("ab", TRUE));
    EXPECT_EQ(l1->GetAttr("_ID"), "ab");
    EXPECT_NE(ab->GetAttr("_ID"), "ab");
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "renumber");
    UndoAndRedo(before);
}

TEST_F(RenumberSheet, RenumberedSymbolsAreUndoneExactly) {
    CObList list;
    list.AddTail(l1);
    list.AddTail(ab);
    const std::vector<BYTE> before = DocumentBytes(doc);
    doc.RenumberObjects(&list);
    EXPECT_NE(ab->GetAttr("_ID"), "ab");
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "renumber");
    UndoAndRedo(before);
}

// Renumbering symbols that are numbered already changes nothing: no step, the texts as they
// lie, and the redo of an earlier step kept.
TEST_F(RenumberSheet, RenumberingWhatIsNumberedRecordsNothing) {
    CObList list;
    list.AddTail(l1);
    list.AddTail(ab);
    doc.RenumberObjects(&list);
    CObList other;
    other.AddTail(AddSymbol("x9", CPoint(4000, 0)));
    doc.RenumberObjects(&other);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    const std::vector<BYTE> numbered = DocumentBytes(doc);
    const int steps = doc.GetUndoList().GetCount();
    doc.RenumberObjects(&list);
    EXPECT_EQ(doc.GetUndoList().GetCount(), steps);
    EXPECT_TRUE(doc.GetUndoList().CanRedo());
    EXPECT_EQ(DocumentBytes(doc), numbered);
}

}  // namespace
