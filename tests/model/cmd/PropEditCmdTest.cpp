#include <gtest/gtest.h>

#include "CmdTestSheet.h"
#include "model/cmd/AttrMapEditCmd.h"
#include "model/cmd/ShapeEditCmd.h"
#include "model/cmd/TextPropCmd.h"

namespace {

// An own pen whose colour follows the document, and the absence of an own brush, come back as
// they were: the object follows the document's defaults again. Run-time marks stay as they are.
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
    object->SetFlags(kFlagFilled, kFlagFilled);
    object->SetFlags(kFlagHighlight, kFlagHighlight);
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Add(command));

    ASSERT_TRUE(undo.Undo());
    ASSERT_NE(object->GetOwnPen(), nullptr);
    EXPECT_EQ(object->GetOwnPen()->lopnColor, kDefaultColour);
    EXPECT_EQ(object->GetOwnPen()->lopnStyle, UINT{PS_DOT});
    EXPECT_EQ(object->GetOwnBrush(), nullptr);
    EXPECT_EQ(object->GetFlags(), DWORD{kFlagOutlined | kFlagHighlight});
    sheet.doc.m_pen.lopnColor = 0x123456;
    EXPECT_EQ(object->GetPen().lopnColor, COLORREF{0x123456});
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

// A new document attribute is removed by the undo and comes back with its value on the redo;
// an existing one gets its old value back.
TEST(AttrEditCmdTest, UndoRemovesANewDocumentAttributeAndRestoresAnOldValue) {
    CmdTestSheet sheet;
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(sheet.doc.SetAttribute("Rev", "A", kAttrUndoable));
    EXPECT_STREQ(undo.GetUndoName(), "property edit");
    CString value;
    ASSERT_TRUE(undo.Undo());
    EXPECT_FALSE(sheet.doc.GetAttribute("Rev", value));
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(sheet.doc.GetAttribute("Rev"), "A");

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
