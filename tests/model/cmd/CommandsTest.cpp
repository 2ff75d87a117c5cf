// What the round trips cannot see: list order after add, remove and order changes, links of
// copies, who owns what, refused commands and the views' notices.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CmdTestSheet.h"
#include "model/cmd/AddCmd.h"
#include "model/cmd/DocSettingsCmd.h"
#include "model/cmd/NamedCmd.h"
#include "model/cmd/ObjectEditCmd.h"
#include "model/cmd/OrderCmd.h"
#include "model/cmd/Ref.h"
#include "model/cmd/RemoveCmd.h"

namespace {

using Tags = std::vector<int>;
const Tags kSix{1, 2, 3, 4, 5, 6};

std::vector<int> HintsSent(const CmdTestSheet& sheet) {
    std::vector<int> hints;
    for (const auto& update : sheet.view.updates) {
        if (update.hint != kHintObject)
            hints.push_back(update.hint);
    }
    return hints;
}

// Each object goes back before its follower; one whose follower has left the list by another
// way goes to the tail, not the head.
TEST(RemoveCmdTest, UndoPutsObjectsBeforeTheirFollowersOrAtTheTail) {
    CmdTestSheet sheet;
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Execute(new CRemoveCmd(ObjectList{sheet.At(2), sheet.At(4)})));
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 3, 5, 6}));
    EXPECT_FALSE(sheet.At(1)->IsLinkedTo(sheet.At(2)));
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(TagsOf(sheet.doc), kSix);
    EXPECT_TRUE(sheet.At(1)->IsLinkedTo(sheet.At(2)));
    EXPECT_EQ(HintsSent(sheet),
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
    CCmdTestObj* twelve = sheet.New(12);
    auto* command =
        new CAddCmd(ObjectList{twelve, nullptr, sheet.New(10), twelve, sheet.New(11)}, FALSE);
    EXPECT_EQ(command->GetObjectCount(), 3);
    ASSERT_TRUE(undo.Execute(command));
    const Tags added{1, 2, 3, 4, 5, 6, 12, 10, 11};
    EXPECT_EQ(TagsOf(sheet.doc), added);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(TagsOf(sheet.doc), kSix);
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(TagsOf(sheet.doc), added);
}

// Adding what the document holds, or removing or moving what it does not, fails before any
// change; the document keeps its objects and the commands delete none of them.
TEST(CommandFailureTest, ObjectOnTheWrongSideOfTheDocumentFailsAndChangesNothing) {
    CmdTestSheet sheet;
    std::unique_ptr<CCmdTestObj> stranger(sheet.New(10));
    const int alive = CCmdTestObj::alive;
    const DocSnapshot before = Snapshot(sheet.doc);
    CUndoList& undo = sheet.doc.GetUndoList();
    EXPECT_FALSE(undo.Execute(new CRemoveCmd(ObjectList{sheet.At(1), stranger.get()})));
    EXPECT_FALSE(undo.Execute(new CAddCmd(sheet.At(3), FALSE)));
    auto* order = new COrderCmd;
    order->Add(sheet.At(6), 0);
    order->Add(stranger.get(), 0);
    EXPECT_FALSE(undo.Execute(order));
    CNamedCmd named;
    EXPECT_FALSE(named.BeginEdit(&sheet.doc, ObjectList{sheet.At(1), stranger.get()}, "edit"));
    EXPECT_FALSE(named.BeginEdit(&sheet.doc, ObjectList{sheet.At(1), sheet.At(1)}, "edit"));
    EXPECT_EQ(Snapshot(sheet.doc), before);
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_EQ(CCmdTestObj::alive, alive);

    auto* uncopyable = new CDrawObj(CRect(0, 0, 5, 5));  // Clone gives nothing
    sheet.doc.GetObjects().AddTail(uncopyable);
    const DocSnapshot withUncopyable = Snapshot(sheet.doc);
    EXPECT_FALSE(named.BeginEdit(&sheet.doc, ObjectList{sheet.At(1), uncopyable}, "edit"));
    EXPECT_EQ(Snapshot(sheet.doc), withUncopyable);
    EXPECT_EQ(CCmdTestObj::alive, alive);
}

TEST(OrderCmdTest, IndexesOutsideTheListAreKeptWithinIt) {
    CmdTestSheet sheet;
    auto* command = new COrderCmd;
    command->Add(sheet.At(2), 1000);
    command->Add(sheet.At(5), -3);
    command->Add(sheet.At(1), 6);  // the list's length: the tail
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Execute(command));
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{5, 3, 4, 6, 2, 1}));
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(TagsOf(sheet.doc), kSix);
}

// The copies take over the links of the originals, to the rest and among themselves.
TEST(NamedCmdTest, CopiesTakeTheOriginalsPlacesAndLinks) {
    CmdTestSheet sheet;
    CCmdTestObj* two = sheet.At(2);
    CCmdTestObj* three = sheet.At(3);
    auto* command = new CNamedCmd;
    ASSERT_TRUE(command->BeginEdit(&sheet.doc, ObjectList{two, three}, "wire properties"));
    auto* copyTwo = static_cast<CCmdTestObj*>(command->GetCopies().GetHead());
    auto* copyThree = static_cast<CCmdTestObj*>(command->GetCopies().GetTail());
    EXPECT_EQ(sheet.doc.GetObjects().GetAt(sheet.doc.GetObjects().FindIndex(1)), copyTwo);
    EXPECT_TRUE(sheet.At(1)->IsLinkedTo(copyTwo));
    EXPECT_TRUE(copyTwo->IsLinkedTo(copyThree));
    EXPECT_TRUE(sheet.At(5)->IsLinkedTo(copyThree));
    EXPECT_FALSE(two->IsLinkedTo(sheet.At(1)));
    EXPECT_FALSE(two->IsLinkedTo(three));

    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Add(command));
    EXPECT_STREQ(undo.GetUndoName(), "wire properties");
    ASSERT_TRUE(undo.Undo());
    EXPECT_TRUE(sheet.At(1)->IsLinkedTo(two));
    EXPECT_TRUE(two->IsLinkedTo(three));
    EXPECT_TRUE(sheet.At(5)->IsLinkedTo(three));
    EXPECT_FALSE(copyTwo->IsLinkedTo(copyThree));
}

// Whichever object is outside the document when the command goes is deleted with it.
TEST(ObjectEditCmdTest, CommandDeletesTheObjectOutsideTheDocument) {
    const int alive = CCmdTestObj::alive;
    {
        CmdTestSheet sheet;
        delete new CObjectEditCmd(sheet.At(4), sheet.New(10));
        EXPECT_EQ(CCmdTestObj::alive, alive + 6);

        CUndoList& undo = sheet.doc.GetUndoList();
        ASSERT_TRUE(undo.Execute(new CObjectEditCmd(sheet.At(4), sheet.New(11))));
        EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 11, 5, 6}));
        EXPECT_EQ(sheet.view.updates.front().hint, kHintDeselect);
        ASSERT_TRUE(undo.Undo());
        ASSERT_TRUE(undo.Redo());
    }
    EXPECT_EQ(CCmdTestObj::alive, alive);
}

// Margins that only fit the new paper are kept, and both come back together.
TEST(DocSettingsCmdTest, PaperAndMarginsChangeAndComeBackTogether) {
    CmdTestSheet sheet;
    DocSettings settings = DocSettings::Of(sheet.doc);
    settings.paperSize = {20000, -15000};
    settings.margins = {7000, 400, 7000, 600};
    CUndoList& undo = sheet.doc.GetUndoList();
    ASSERT_TRUE(undo.Execute(new CDocSettingsCmd(settings, FALSE)));
    EXPECT_EQ(CSize(sheet.doc.GetPaperSize()), CSize(20000, -15000));
    EXPECT_EQ(CRect(sheet.doc.GetMargins()), CRect(7000, 400, 7000, 600));

    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(CSize(sheet.doc.GetPaperSize()), CSize(11693, -8268));
    EXPECT_EQ(CRect(sheet.doc.GetMargins()), CRect(300, 300, 300, 300));
    ASSERT_EQ(sheet.view.pageSizes.size(), 2u);
    EXPECT_EQ(CSize(sheet.view.pageSizes[0]), CSize(20000, -15000));
    EXPECT_EQ(CSize(sheet.view.pageSizes[1]), CSize(11693, -8268));
    EXPECT_EQ(sheet.view.updates.back().hint, kHintNone);
}

struct Counted {
    void AddRef() { ++count; }
    void Release() { --count; }
    int count = 1;
};

TEST(RefTest, HoldsOneReferenceForItsLifetime) {
    Counted shared;
    {
        Ref<Counted> first(&shared);
        Ref<Counted> second = first;
        EXPECT_EQ(shared.count, 3);
        Ref<Counted> moved = std::move(second);
        EXPECT_EQ(shared.count, 3);
        first = Ref<Counted>();
        EXPECT_EQ(shared.count, 2);
        EXPECT_EQ(moved.Get(), &shared);
    }
    EXPECT_EQ(shared.count, 1);
}

}  // namespace
