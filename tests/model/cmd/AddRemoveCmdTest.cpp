#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "CmdTestSheet.h"
#include "model/cmd/AddCmd.h"
#include "model/cmd/RemoveCmd.h"

namespace {

using Tags = std::vector<int>;

std::vector<int> HintsSent(const CmdTestSheet& sheet) {
    std::vector<int> hints;
    for (const auto& update : sheet.view.updates) {
        if (update.hint != kHintObject)
            hints.push_back(update.hint);
    }
    return hints;
}

TEST(RemoveCmdTest, UndoPutsEachObjectBackBeforeItsFollowerWithItsLinks) {
    CmdTestSheet sheet;
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Execute(new CRemoveCmd(ObjectList{sheet.At(2), sheet.At(4)})));
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 3, 5, 6}));
    EXPECT_FALSE(sheet.At(1)->IsLinkedTo(sheet.At(2)));
    EXPECT_FALSE(sheet.At(3)->IsLinkedTo(sheet.At(2)));

    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 4, 5, 6}));
    EXPECT_TRUE(sheet.At(1)->IsLinkedTo(sheet.At(2)));
    EXPECT_TRUE(sheet.At(3)->IsLinkedTo(sheet.At(2)));
    EXPECT_EQ(HintsSent(sheet),
              (std::vector<int>{kHintRemoved, kHintDeselect, kHintAddToSelection}));
}

// A follower that has left the list by another way puts the object at the tail, not the head.
TEST(RemoveCmdTest, ObjectWhoseFollowerIsGoneGoesBackToTheTail) {
    CmdTestSheet sheet;
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Execute(new CRemoveCmd(ObjectList{sheet.At(2), sheet.At(4)})));
    CObList& objects = sheet.doc.GetObjects();
    std::unique_ptr<CDrawObj> gone(sheet.At(5));
    objects.RemoveAt(objects.Find(sheet.At(5)));

    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 6, 4}));
}

TEST(RemoveCmdTest, ObjectNotInTheDocumentFailsAndChangesNothing) {
    CmdTestSheet sheet;
    std::unique_ptr<CCmdTestObj> stranger(sheet.New(10));
    const DocSnapshot before = Snapshot(sheet.doc);
    EXPECT_FALSE(
        sheet.doc.GetUndoList().Execute(new CRemoveCmd(ObjectList{sheet.At(1), stranger.get()})));
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_FALSE(sheet.doc.GetUndoList().CanUndo());
}

TEST(AddCmdTest, AddThreeUndoRedoKeepsTheOrder) {
    CmdTestSheet sheet;
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(
        undo.Execute(new CAddCmd(ObjectList{sheet.New(12), sheet.New(10), sheet.New(11)}, FALSE)));
    const Tags added{1, 2, 3, 4, 5, 6, 12, 10, 11};
    EXPECT_EQ(TagsOf(sheet.doc), added);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(TagsOf(sheet.doc), added);
}

TEST(AddCmdTest, RepeatedAndNullObjectsAreListedOnce) {
    CmdTestSheet sheet;
    CCmdTestObj* object = sheet.New(10);
    auto* command = new CAddCmd(ObjectList{object, nullptr, object}, FALSE);
    EXPECT_EQ(command->GetObjectCount(), 1);
    EXPECT_STREQ(command->GetName(), "add object");
    ASSERT_TRUE(sheet.doc.GetUndoList().Execute(command));
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 4, 5, 6, 10}));
}

// The document keeps the object it holds; the command lets go of it and deletes nothing.
TEST(AddCmdTest, ObjectAlreadyInTheDocumentFailsAndStaysThere) {
    CmdTestSheet sheet;
    const int alive = CCmdTestObj::alive;
    const DocSnapshot before = Snapshot(sheet.doc);
    EXPECT_FALSE(sheet.doc.GetUndoList().Execute(new CAddCmd(sheet.At(3), FALSE)));
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_EQ(CCmdTestObj::alive, alive);
}

}  // namespace
