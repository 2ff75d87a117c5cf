// Showing and hiding attribute texts of the selection in bulk, decided by the dominant object.

#include <gtest/gtest.h>

#include "model/cmd/AddCmd.h"
#include "model/cmd/AttrTextToggles.h"
#include "model/support/EditSheet.h"
#include "model/support/TestPart.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

using Sheet = EditSheet;

// The last object decides, and only objects of its kind (with or without a net) take part.
TEST(AttrTextToggles, IdentifierOfAWireAffectsTheWiresOnly) {
    Sheet sheet;
    CSymbol* symbol = sheet.Symbol("R1", "1k", {"A", "B"});
    CWire* wire = sheet.Wire("VCC");
    const ObjectList selection{symbol, wire};
    EXPECT_STREQ(AttrTextToggleText(selection, AttrTextToggle::kIdentifier), "Show Ne&t Name");
    EXPECT_STREQ(AttrTextToggleText(ObjectList{wire, symbol}, AttrTextToggle::kIdentifier),
                 "Show Iden&tifier");
    const DocSnapshot before = Snapshot(sheet.doc);
    ASSERT_TRUE(ToggleAttrTexts(sheet.doc, selection, AttrTextToggle::kIdentifier));
    EXPECT_TRUE(wire->FindAttrText("_ID"));
    EXPECT_FALSE(symbol->FindAttrText("_ID"));
    EXPECT_EQ(sheet.Steps(), 1);
    EXPECT_STREQ(AttrTextToggleText(selection, AttrTextToggle::kIdentifier), "Hide Ne&t Name");
    const DocSnapshot after = Snapshot(sheet.doc);
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(sheet.doc), before);
    ASSERT_TRUE(sheet.doc.GetUndoList().Redo());
    EXPECT_EQ(Snapshot(sheet.doc), after);
}

// The last symbol shows its value: every selected symbol's value goes, as one step.
TEST(AttrTextToggles, MixedValuesAreHiddenTogether) {
    Sheet sheet;
    CSymbol* plain = sheet.Symbol("R1", "1k", {"A", "B"});
    CSymbol* shown = sheet.Symbol("R2", "2k", {"A", "B"});
    ASSERT_TRUE(ToggleAttrTexts(sheet.doc, ObjectList{shown}, AttrTextToggle::kValue));
    ASSERT_TRUE(ToggleAttrTexts(sheet.doc, ObjectList{plain}, AttrTextToggle::kValue));
    const ObjectList selection{plain, shown};
    EXPECT_STREQ(AttrTextToggleText(selection, AttrTextToggle::kValue), "Hide Value");
    const DocSnapshot before = Snapshot(sheet.doc);
    ASSERT_TRUE(ToggleAttrTexts(sheet.doc, selection, AttrTextToggle::kValue));
    EXPECT_FALSE(plain->FindAttrText("_Value"));
    EXPECT_FALSE(shown->FindAttrText("_Value"));
    EXPECT_EQ(sheet.Steps(), 3);
    ASSERT_TRUE(sheet.doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(sheet.doc), before);
}

TEST(AttrTextToggles, PinTextsFollowEveryPinOfTheLastSymbol) {
    Sheet sheet;
    CSymbol* symbol = sheet.Symbol("U1", nullptr, {"A", "B"});
    const ObjectList selection{symbol};
    EXPECT_STREQ(AttrTextToggleText(selection, AttrTextToggle::kPinNumbers), "Show Pin N&umbers");
    EXPECT_FALSE(AttrTextToggleText(selection, AttrTextToggle::kValue));
    EXPECT_FALSE(AttrTextToggleText(selection, AttrTextToggle::kDeviceName));
    auto* first = static_cast<CDrawObj*>(symbol->GetPinList()->GetHead());
    ASSERT_TRUE(sheet.doc.GetUndoList().Execute(
        new CAddCmd(static_cast<CDrawObj*>(first->ShowAttrText("_No", TRUE)), FALSE)));
    EXPECT_STREQ(AttrTextToggleText(selection, AttrTextToggle::kPinNumbers), "Show Pin N&umbers");
    ASSERT_TRUE(ToggleAttrTexts(sheet.doc, selection, AttrTextToggle::kPinNumbers));
    EXPECT_STREQ(AttrTextToggleText(selection, AttrTextToggle::kPinNumbers), "Hide Pin N&umbers");
    EXPECT_STREQ(AttrTextToggleText(selection, AttrTextToggle::kPinNames), "Show Pin &Names");
}

// Nothing to show records no empty step.
TEST(AttrTextToggles, NothingCollectedRecordsNothing) {
    Sheet sheet;
    CWire* wire = sheet.Wire("");
    CSymbol* symbol = sheet.Symbol("", nullptr, {"A", "B"});
    EXPECT_FALSE(ToggleAttrTexts(sheet.doc, ObjectList{wire, symbol}, AttrTextToggle::kValue));
    EXPECT_FALSE(ToggleAttrTexts(sheet.doc, ObjectList{symbol, wire}, AttrTextToggle::kIdentifier));
    EXPECT_FALSE(ToggleAttrTexts(sheet.doc, ObjectList{}, AttrTextToggle::kIdentifier));
    EXPECT_EQ(sheet.Steps(), 0);
}

}  // namespace
