// Order, object edit, named edit and document settings commands, and the reference holder of
// the exchange commands.

#include <gtest/gtest.h>

#include <vector>

#include "CmdTestSheet.h"
#include "model/cmd/DocSettingsCmd.h"
#include "model/cmd/NamedCmd.h"
#include "model/cmd/ObjectEditCmd.h"
#include "model/cmd/OrderCmd.h"
#include "model/cmd/Ref.h"

namespace {

using Tags = std::vector<int>;

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
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{5, 3, 4, 6, 2, 1}));
}

TEST(OrderCmdTest, ObjectOutsideTheDocumentFailsBeforeAnyMove) {
    CmdTestSheet sheet;
    std::unique_ptr<CCmdTestObj> stranger(sheet.New(10));
    auto* command = new COrderCmd;
    command->Add(sheet.At(6), 0);
    command->Add(stranger.get(), 0);
    EXPECT_FALSE(sheet.doc.GetUndoList().Execute(command));
    EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 4, 5, 6}));
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

TEST(NamedCmdTest, ObjectOutsideTheDocumentOrWithoutCopyRefusesTheEdit) {
    CmdTestSheet sheet;
    const int alive = CCmdTestObj::alive;
    std::unique_ptr<CCmdTestObj> stranger(sheet.New(10));
    const DocSnapshot before = Snapshot(sheet.doc);
    CNamedCmd command;
    EXPECT_FALSE(command.BeginEdit(&sheet.doc, ObjectList{sheet.At(1), stranger.get()}, "edit"));
    EXPECT_FALSE(command.BeginEdit(&sheet.doc, ObjectList{sheet.At(1), sheet.At(1)}, "edit"));
    EXPECT_EQ(Snapshot(sheet.doc), before);
    auto* uncopyable = new CDrawObj(CRect(0, 0, 5, 5));  // Clone gives nothing
    sheet.doc.GetObjects().AddTail(uncopyable);
    const DocSnapshot withUncopyable = Snapshot(sheet.doc);
    EXPECT_FALSE(command.BeginEdit(&sheet.doc, ObjectList{sheet.At(1), uncopyable}, "edit"));
    EXPECT_EQ(Snapshot(sheet.doc), withUncopyable);
    EXPECT_EQ(CCmdTestObj::alive, alive + 1);
}

// Whichever object is outside the document when the command goes is deleted with it.
TEST(ObjectEditCmdTest, CommandDeletesTheObjectOutsideTheDocument) {
    const int alive = CCmdTestObj::alive;
    {
        CmdTestSheet sheet;
        delete new CObjectEditCmd(sheet.At(4), sheet.New(10));
        EXPECT_EQ(CCmdTestObj::alive, alive + 6);

        CUndoList& undo = sheet.doc.GetUndoList();
        CCmdTestObj* replacement = sheet.New(11);
        ASSERT_TRUE(undo.Execute(new CObjectEditCmd(sheet.At(4), replacement)));
        EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 11, 5, 6}));
        EXPECT_EQ(sheet.view.updates.front().hint, kHintDeselect);
        ASSERT_TRUE(undo.Undo());
        EXPECT_EQ(TagsOf(sheet.doc), (Tags{1, 2, 3, 4, 5, 6}));
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
