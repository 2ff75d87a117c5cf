// What the round trips cannot see: list order after add, remove and order changes, who owns
// what, refused commands, the views' notices and the own pen a shape edit restores.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "CmdTestSheet.h"
#include "model/cmd/AddCmd.h"
#include "model/cmd/AttrMapEditCmd.h"
#include "model/cmd/DocSettingsCmd.h"
#include "model/cmd/NamedCmd.h"
#include "model/cmd/ObjectEditCmd.h"
#include "model/cmd/OrderCmd.h"
#include "model/cmd/RemoveCmd.h"
#include "model/cmd/ShapeEditCmd.h"

namespace {

using Tags = std::vector<int>;
const Tags kSix{1, 2, 3, 4, 5, 6};

// Each part goes back before its follower; one whose follower has left the list by another way
// goes to the tail, not the head.
TEST(RemoveCmdTest, UndoPutsObjectsBeforeTheirFollowersOrAtTheTail) {
    CmdTestSheet sheet;
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Execute(new CRemoveCmd(ObjectList{sheet.At(2), sheet.At(4)})));
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 3, 5, 6}));
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(TagsOf(sheet.doc), kSix);
    EXPECT_EQ(sheet.view.Hints(),
              (std::vector<int>{kHintRemoved, kHintDeselect, kHintAddToSelection}));

    ASSERT_TRUE(undo.Redo());
    CObList& objects = sheet.doc.GetObjects();
    std::unique_ptr<CDrawObj> gone(sheet.At(5));
    objects.RemoveAt(objects.Find(sheet.At(5)));
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 6, 4}));
}

TEST(AddCmdTest, AddsInListOrderOnceEachThroughUndoAndRedo) {
    CmdTestSheet sheet;
    CUndoList& undo = sheet.doc.GetUndoList();
    TestPart* twelve = sheet.New(12);
    ASSERT_TRUE(undo.Execute(
        new CAddCmd(ObjectList{twelve, nullptr, sheet.New(10), twelve, sheet.New(11)}, FALSE)));
    const Tags added{1, 2, 3, 4, 5, 6, 12, 10, 11};
    EXPECT_EQ(TagsOf(sheet.doc), added);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(TagsOf(sheet.doc), kSix);
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(TagsOf(sheet.doc), added);
}

// Each object is redrawn once when it comes and once when it goes; a document nobody shows
// redraws nothing.
TEST(AddCmdTest, ObjectsAreRedrawnOncePerStepWhileTheDocumentIsShown) {
    CmdTestSheet sheet;
    CUndoList& undo = sheet.doc.GetUndoList();
    TestPart* ten = sheet.New(10);
    TestPart* eleven = sheet.New(11);
    ASSERT_TRUE(undo.Execute(new CAddCmd(ObjectList{ten, eleven}, FALSE)));
    ASSERT_TRUE(undo.Undo());
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(ten->redraws, 3);
    EXPECT_EQ(eleven->redraws, 3);

    sheet.doc.RemoveView(&sheet.view);
    ASSERT_TRUE(undo.Undo());
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(ten->redraws, 3);
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 4, 5, 6, 10, 11}));
}

// An object the document took back by other means while a command held it is the document's:
// putting the command's objects back fails, changes nothing and lets go of that object, so it
// is never deleted twice. Objects going back at the tail (an add redone) and before their
// followers (a removal undone), few and many.
TEST(AddCmdTest, PuttingBackLetsGoOfObjectsTheDocumentHoldsAlready) {
    for (const int count : {2, 9}) {
        CmdTestSheet sheet;
        CUndoList& undo = sheet.doc.GetUndoList();
        CObList added;
        for (int tag = 10; tag < 10 + count; ++tag)
            added.AddTail(sheet.New(tag));
        ASSERT_TRUE(undo.Execute(new CAddCmd(added, FALSE)));
        ASSERT_TRUE(undo.Undo());
        sheet.doc.GetObjects().AddTail(added.GetTail());
        const Tags held = TagsOf(sheet.doc);
        EXPECT_FALSE(undo.Redo()) << count;
        EXPECT_EQ(TagsOf(sheet.doc), held);
    }
    for (const Tags& removed : {Tags{2, 4}, Tags{1, 2, 3, 4, 5}}) {
        CmdTestSheet sheet;
        CUndoList& undo = sheet.doc.GetUndoList();
        CObList list;
        for (const int tag : removed)
            list.AddTail(sheet.At(tag));
        ASSERT_TRUE(undo.Execute(new CRemoveCmd(list)));
        sheet.doc.GetObjects().AddTail(list.GetHead());
        const Tags held = TagsOf(sheet.doc);
        EXPECT_FALSE(undo.Undo()) << removed.size();
        EXPECT_EQ(TagsOf(sheet.doc), held);
    }
}

// Objects standing at the tail in the command's order (up to the whole list), out of order
// there, or anywhere else are all found, from few objects to many; one that is not in the list
// fails the removal.
TEST(RemoveCmdTest, FindsObjectsAtTheTailInAnyOrderOrElsewhere) {
    CmdTestSheet sheet;
    std::vector<CObject*> parts;
    for (int tag = 1; tag <= 12; ++tag)
        parts.push_back(tag <= 6 ? sheet.At(tag) : sheet.Place(tag));
    std::unique_ptr<TestPart> stranger(sheet.New(20));
    auto listed = [&](const Tags& tags) {
        auto* list = new CObList;
        for (const int tag : tags)
            list->AddTail(tag == 20 ? stranger.get() : parts.at(tag - 1));
        return std::unique_ptr<CObList>(list);
    };
    const Tags twelve{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    CUndoList& undo = sheet.doc.GetUndoList();
    for (const Tags& removed : {Tags{2, 11, 12}, Tags{12, 11}, Tags{1, 3, 5, 7, 9, 11, 12},
                                Tags{12, 1, 2, 3, 4, 5, 6}, Tags{7, 8, 9, 10, 11, 12}, twelve}) {
        ASSERT_TRUE(undo.Execute(new CRemoveCmd(*listed(removed))));
        Tags left;
        for (const int tag : twelve) {
            if (std::find(removed.begin(), removed.end(), tag) == removed.end())
                left.push_back(tag);
        }
        EXPECT_EQ(TagsOf(sheet.doc), left);
        ASSERT_TRUE(undo.Undo());
        EXPECT_EQ(TagsOf(sheet.doc), twelve);
    }
    for (const Tags& removed : {Tags{20, 12}, Tags{20, 1, 2, 3, 4, 11, 12}}) {
        EXPECT_FALSE(undo.Execute(new CRemoveCmd(*listed(removed))));
        EXPECT_EQ(TagsOf(sheet.doc), twelve);
    }
}

// Adding what the document holds, or removing or moving what it does not, fails before any
// change; the document keeps its objects and the commands delete none of them.
TEST(CommandFailureTest, ObjectOnTheWrongSideOfTheDocumentFailsAndChangesNothing) {
    CmdTestSheet sheet;
    std::unique_ptr<TestPart> stranger(sheet.New(10));
    const int alive = TestPart::alive;
    auto* uncopyable = new CDrawObj(CRect(0, 0, 5, 5));  // Clone gives nothing
    sheet.doc.GetObjects().AddTail(uncopyable);
    const DocSnapshot before = Snapshot(sheet.doc);
    CUndoList& undo = sheet.doc.GetUndoList();
    EXPECT_FALSE(undo.Execute(new CRemoveCmd(ObjectList{sheet.At(1), stranger.get()})));
    EXPECT_FALSE(undo.Execute(new CAddCmd(sheet.At(3), FALSE)));
    auto* order = new COrderCmd;
    order->Add(sheet.At(6), 0);
    order->Add(stranger.get(), 0);
    EXPECT_FALSE(undo.Execute(order));
    CNamedCmd named;
    for (const ObjectList& edited :
         {ObjectList{sheet.At(1), stranger.get()}, ObjectList{sheet.At(1), sheet.At(1)},
          ObjectList{sheet.At(1), uncopyable}})
        EXPECT_FALSE(named.BeginEdit(&sheet.doc, edited, "edit"));
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(TestPart::alive, alive);
}

// Whichever object is outside the document when the command goes is deleted with it.
TEST(ObjectEditCmdTest, CommandDeletesTheObjectOutsideTheDocument) {
    const int alive = TestPart::alive;
    {
        CmdTestSheet sheet;
        delete new CObjectEditCmd(sheet.At(4), sheet.New(10));
        CUndoList& undo = sheet.doc.GetUndoList();
        ASSERT_TRUE(undo.Execute(new CObjectEditCmd(sheet.At(4), sheet.New(11))));
        EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 11, 5, 6}));
    }
    EXPECT_EQ(TestPart::alive, alive);
}

// Margins that only fit the new paper are kept, and both come back together.
TEST(DocSettingsCmdTest, PaperAndMarginsChangeAndComeBackTogether) {
    CmdTestSheet sheet;
    DocSettings settings = DocSettings::Of(sheet.doc);
    settings.paperSize = {20000, -15000};
    settings.margins = {7000, 400, 7000, 600};
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Execute(new CDocSettingsCmd(settings, FALSE)));
    EXPECT_EQ(CRect(sheet.doc.GetMargins()), CRect(7000, 400, 7000, 600));
    ASSERT_TRUE(undo.Undo());
    ASSERT_EQ(sheet.view.pageSizes.size(), 2u);
    EXPECT_EQ(CSize(sheet.view.pageSizes[0]), CSize(20000, -15000));
    EXPECT_EQ(CSize(sheet.view.pageSizes[1]), CSize(11693, -8268));
}

// An own pen whose colour follows the document, and the absence of an own brush, come back as
// they were. Run-time marks stay as they are.
TEST(ShapeEditCmdTest, UndoRestoresTheOwnPenAndBrushNotTheEffectiveOnes) {
    CmdTestSheet sheet;
    TestPart* part = sheet.At(1);
    const LOGPEN follows{PS_DOT, {3, 0}, kDefaultColour};
    part->SetPen(&follows);
    auto* command = new CShapeEditCmd(part);
    const LOGPEN red{PS_SOLID, {0, 0}, 0x0000FF};
    const LOGBRUSH green{BS_SOLID, 0x00FF00, 0};
    part->SetPen(&red);
    part->SetBrush(&green);
    part->SetFlags(kFlagFilled | kFlagHighlight, kFlagFilled | kFlagHighlight);
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Add(command));
    ASSERT_TRUE(undo.Undo());
    ASSERT_NE(part->GetOwnPen(), nullptr);
    EXPECT_EQ(part->GetOwnPen()->lopnColor, kDefaultColour);
    EXPECT_EQ(part->GetOwnBrush(), nullptr);
    EXPECT_EQ(part->GetFlags(), DWORD{kFlagOutlined | kFlagHighlight});
}

TEST(AttrMapEditCmdTest, RefusedValueFailsTheRedoAndChangesNothing) {
    CmdTestSheet sheet;
    TestPart* part = sheet.At(2);
    auto* command = new CAttrMapEditCmd(part);
    part->SetAttr("Value", "2k2", 0);
    part->GetAttrMap()->SetAt("Tol", "refused");  // set past the part's check
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Add(command));
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(part->refreshes, 1);
    const DocSnapshot undone = Snapshot(sheet.doc);
    EXPECT_FALSE(undo.Redo());
    EXPECT_EQ(Snapshot(sheet.doc), undone);
    EXPECT_TRUE(undo.CanRedo());
}

}  // namespace
