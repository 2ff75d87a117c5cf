#include <gtest/gtest.h>

#include <string>

#include "model/DrawDoc.h"
#include "support/RecordingDocView.h"
#include "support/ScriptedPrompt.h"

namespace {

// Appends its letter to a log when done and a '-' and the letter when undone.
class LogCmd : public CCommand {
public:
    LogCmd(std::string& log, char letter, int* deleted = nullptr)
        : m_log(log), m_letter(letter), m_deleted(deleted) {}
    ~LogCmd() override {
        if (m_deleted)
            ++*m_deleted;
    }
    BOOL Do(CDrawDoc*) override {
        m_log += m_letter;
        return TRUE;
    }
    BOOL Undo(CDrawDoc*) override {
        m_log += '-';
        m_log += m_letter;
        return TRUE;
    }
    const char* GetName() const override { return "log"; }

private:
    std::string& m_log;
    char m_letter;
    int* m_deleted;
};

class UndoListTest : public ::testing::Test {
protected:
    UndoListTest() { doc.AddView(&view); }

    testsupport::RecordingAppServices services;
    drawdoctest::RecordingDocView view;
    CDrawDoc doc;
    CUndoList& list = doc.GetUndoList();
    std::string log;
    int deleted = 0;
};

TEST_F(UndoListTest, AddMarksModifiedAndNotifies) {
    EXPECT_FALSE(list.CanUndo());
    list.Add(new LogCmd(log, 'a'));
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(services.notices().size(), 1u);
    EXPECT_EQ(services.notices()[0].document, &doc);
    EXPECT_EQ(services.notices()[0].code, kDocumentContentChanged);
    EXPECT_TRUE(list.CanUndo());
    EXPECT_FALSE(list.CanRedo());
    EXPECT_EQ(log, "");  // recorded, not done again
}

TEST_F(UndoListTest, UndoRedoMoveTheCursorAndEmptySelections) {
    list.Add(new LogCmd(log, 'a'));
    list.Add(new LogCmd(log, 'b'));
    EXPECT_TRUE(list.Undo());
    EXPECT_TRUE(list.Undo());
    EXPECT_FALSE(list.Undo());
    EXPECT_FALSE(list.CanUndo());
    EXPECT_TRUE(list.CanRedo());
    EXPECT_TRUE(list.Redo());
    EXPECT_EQ(log, "-b-aa");
    ASSERT_EQ(view.updates.size(), 3u);
    EXPECT_EQ(view.updates[0].hint, kHintDeselect);
    EXPECT_EQ(services.waitCursorDepth(), 0);
}

TEST_F(UndoListTest, RecordingAfterUndoDropsTheUndoneCommands) {
    list.Add(new LogCmd(log, 'a', &deleted));
    list.Add(new LogCmd(log, 'b', &deleted));
    list.Add(new LogCmd(log, 'c', &deleted));
    list.Undo();
    list.Undo();
    list.Add(new LogCmd(log, 'd', &deleted));
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_FALSE(list.CanRedo());
}

TEST_F(UndoListTest, DepthDropsTheOldest) {
    for (int i = 0; i < CUndoList::kDefaultDepth + 1; ++i)
        list.Add(new LogCmd(log, 'x', &deleted));
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(list.GetCount(), CUndoList::kDefaultDepth);
    int undone = 0;
    while (list.Undo())
        ++undone;
    EXPECT_EQ(undone, CUndoList::kDefaultDepth);
}

TEST_F(UndoListTest, CancelLastUndoesAndDeletesTheTail) {
    EXPECT_FALSE(doc.CancelLastCommand());
    list.Add(new LogCmd(log, 'a', &deleted));
    list.Add(new LogCmd(log, 'b', &deleted));
    EXPECT_TRUE(doc.CancelLastCommand());
    EXPECT_EQ(log, "-b");
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_TRUE(list.CanUndo());
    list.Undo();
    EXPECT_FALSE(doc.CancelLastCommand());  // cursor no longer at the tail
}

TEST_F(UndoListTest, MergeJoinsIntoOneStepNamedLikeTheFirst) {
    LogCmd* refused = new LogCmd(log, 'z', &deleted);
    EXPECT_FALSE(doc.MergeCommand(refused));  // empty list: the caller keeps it
    delete refused;
    deleted = 0;

    list.Add(new LogCmd(log, 'a', &deleted));
    size_t notices = services.notices().size();
    EXPECT_TRUE(doc.MergeCommand(new LogCmd(log, 'b', &deleted)));
    EXPECT_TRUE(doc.MergeCommand(new LogCmd(log, 'c', &deleted)));
    EXPECT_EQ(services.notices().size(), notices);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_STREQ(list.GetLastDone()->GetName(), "log");
    list.Undo();
    EXPECT_EQ(log, "-c-b-a");
    list.Redo();
    EXPECT_EQ(log, "-c-b-aabc");
}

TEST_F(UndoListTest, NullCommandsAreRefused) {
    EXPECT_FALSE(list.Add(nullptr));
    list.Add(new LogCmd(log, 'a'));
    EXPECT_FALSE(list.Merge(nullptr));
    EXPECT_EQ(list.GetCount(), 1);
    list.Undo();
    EXPECT_EQ(log, "-a");
}

TEST_F(UndoListTest, DestroyingTheListDeletesItsCommands) {
    {
        CDrawDoc other;
        other.GetUndoList().Add(new LogCmd(log, 'a', &deleted));
        other.GetUndoList().Add(new LogCmd(log, 'b', &deleted));
        other.GetUndoList().Undo();
    }
    EXPECT_EQ(deleted, 2);
}

}  // namespace
