#include <gtest/gtest.h>

#include <set>

#include "CmdTestSheet.h"
#include "model/cmd/AttrMapEditCmd.h"
#include "model/cmd/ShapeEditCmd.h"
#include "model/cmd/TextPropCmd.h"

namespace {

using Kind = CAttrMapEditCmd::ChangeKind;

// An own pen whose colour follows the document, and the absence of an own brush, come back as
// they were: the object follows the document's defaults again.
TEST(ShapeEditCmdTest, UndoRestoresTheOwnPenAndBrushNotTheEffectiveOnes) {
    CmdTestSheet sheet;
    CCmdTestObj* object = sheet.At(1);
    const LOGPEN follows{PS_DOT, {3, 0}, kDefaultColour};
    object->SetPen(&follows);
    auto* command = new CShapeEditCmd(object);
    const LOGPEN red{PS_SOLID, {0, 0}, 0x0000FF};
    const LOGBRUSH green{BS_SOLID, 0x00FF00, 0};
    object->SetPen(&red);
    object->SetBrush(&green);
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Add(command));

    ASSERT_TRUE(undo.Undo());
    ASSERT_NE(object->GetOwnPen(), nullptr);
    EXPECT_EQ(object->GetOwnPen()->lopnColor, kDefaultColour);
    EXPECT_EQ(object->GetOwnPen()->lopnStyle, UINT{PS_DOT});
    EXPECT_EQ(object->GetOwnBrush(), nullptr);
    sheet.doc.m_pen.lopnColor = 0x123456;
    EXPECT_EQ(object->GetPen().lopnColor, COLORREF{0x123456});
}

TEST(ShapeEditCmdTest, RunTimeMarksAreNotPartOfTheExchange) {
    CmdTestSheet sheet;
    CCmdTestObj* object = sheet.At(1);
    auto* command = new CShapeEditCmd(object);
    object->SetFlags(kFlagFilled, kFlagFilled);
    object->SetFlags(kFlagHighlight, kFlagHighlight);
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Add(command));
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(object->GetFlags(), DWORD{kFlagOutlined | kFlagHighlight});
}

TEST(AttrMapEditCmdTest, ChangesListChangedAndAddedInObjectOrderThenRemoved) {
    CmdTestSheet sheet;
    CCmdTestObj* object = sheet.At(2);
    object->SetAttr("Tol", "5%", 0);
    CAttrMapEditCmd command(object);
    EXPECT_FALSE(CAttrMapEditCmd(object).HasChanged());
    object->SetAttr("Value", "2k2", 0);
    object->RemoveAttr("_ID");
    object->RemoveAttr("Tol");
    object->SetAttr("Power", "0.25W", 0);
    ASSERT_TRUE(command.HasChanged());

    const auto& changes = command.GetChanges();
    ASSERT_EQ(changes.size(), 4u);
    CString name;
    CString value;
    for (int i = 0; i < 2; ++i) {  // the object's own order
        object->GetAttrAt(i, name, value);
        EXPECT_EQ(changes[i].name, name);
        EXPECT_EQ(changes[i].newValue, value);
        EXPECT_EQ(changes[i].kind, name == "Value" ? Kind::kChanged : Kind::kAdded);
    }
    EXPECT_EQ(changes[2].kind, Kind::kRemoved);
    EXPECT_EQ(changes[3].kind, Kind::kRemoved);
    std::set<std::string> removed{changes[2].name.str(), changes[3].name.str()};
    EXPECT_EQ(removed, (std::set<std::string>{"_ID", "Tol"}));
}

TEST(AttrMapEditCmdTest, RefusedValueFailsTheRedoAndChangesNothing) {
    CmdTestSheet sheet;
    CCmdTestObj* object = sheet.At(2);
    auto* command = new CAttrMapEditCmd(object);
    object->SetAttr("Value", "2k2", 0);
    object->GetAttrMap()->SetAt("Tol", "refused");  // set past the object's check
    ASSERT_TRUE(command->HasChanged());
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Add(command));
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(object->refreshes, 1);

    const DocSnapshot undone = Snapshot(sheet.doc);
    EXPECT_FALSE(undo.Redo());
    EXPECT_EQ(Snapshot(sheet.doc), undone);
    EXPECT_TRUE(undo.CanRedo());
}

TEST(AttrEditCmdTest, UndoOfANewDocumentAttributeRemovesItAndRedoBringsItsValue) {
    CmdTestSheet sheet;
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(sheet.doc.SetAttribute("Rev", "A", kAttrUndoable));
    EXPECT_STREQ(undo.GetUndoName(), "property edit");
    CString value;
    ASSERT_TRUE(undo.Undo());
    EXPECT_FALSE(sheet.doc.GetAttribute("Rev", value));
    ASSERT_TRUE(undo.Redo());
    ASSERT_TRUE(sheet.doc.GetAttribute("Rev", value));
    EXPECT_EQ(value, "A");
    ASSERT_TRUE(undo.Undo());
    EXPECT_FALSE(sheet.doc.GetAttribute("Rev", value));
}

TEST(AttrEditCmdTest, UndoOfAnExistingDocumentAttributeRestoresItsValue) {
    CmdTestSheet sheet;
    sheet.doc.SetAttribute("Rev", "A", 0);
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(sheet.doc.SetAttribute("Rev", "B", kAttrUndoable));
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(sheet.doc.GetAttribute("Rev"), "A");
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(sheet.doc.GetAttribute("Rev"), "B");
}

TEST(TextPropCmdTest, ChangeTestLooksAtShapeFontAndText) {
    CmdTestSheet sheet;
    CCmdTestObj* text = sheet.At(4);
    CTextPropCmd command(text);
    EXPECT_FALSE(command.HasChanged());
    text->SetContentText("Vcc");
    EXPECT_TRUE(command.HasChanged());
    text->SetContentText("");
    LOGFONT font = CDrawDoc::kDefaultTextFont;
    text->SetOwnFont(&font);
    EXPECT_TRUE(command.HasChanged());
    text->SetOwnFont(nullptr);
    text->SetFlags(kFlagFilled, kFlagFilled);
    EXPECT_TRUE(command.HasChanged());
}

}  // namespace
