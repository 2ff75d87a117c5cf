#include <gtest/gtest.h>

#include <string>

#include "model/DrawDoc.h"
#include "model/support/RecordingDocView.h"
#include "support/ScriptedPrompt.h"

namespace {

// Logs its letter when done and '-' and the letter when undone; counts its deletion.
class LogCmd : public CCommand {
public:
    LogCmd(std::string& log, char letter, int& deleted)
        : m_log(log), m_letter(letter), m_deleted(deleted) {}
    ~LogCmd() override { ++m_deleted; }
    BOOL Do(CDrawDoc*) override {
        m_log += m_letter;
        return TRUE;
    }
    BOOL Undo(CDrawDoc*) override {
        m_log += std::string("-") + m_letter;
        return TRUE;
    }
    const char* GetName() const override { return "log"; }

private:
    std::string& m_log;
    char m_letter;
    int& m_deleted;
};

class UndoListTest : public ::testing::Test {
protected:
    LogCmd* Cmd(char letter) { return new LogCmd(log, letter, deleted); }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    CUndoList& list = doc.GetUndoList();
    std::string log;
    int deleted = 0;
};

TEST_F(UndoListTest, RecordingDropsUndoneCommandsAndTrimsToTheDepth) {
    drawdoctest::RecordingDocView view;
    doc.AddView(&view);
    list.Add(Cmd('a'));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(services.notices().back().document, &doc);
    EXPECT_EQ(services.notices().back().code, kDocumentContentChanged);
    list.Add(Cmd('b'));
    list.Undo();
    EXPECT_EQ(view.updates.at(0).hint, kHintDeselect);
    list.Add(Cmd('c'));
    EXPECT_EQ(deleted, 1);
    EXPECT_FALSE(list.CanRedo());
    EXPECT_FALSE(list.Add(nullptr));

    for (int i = 0; i < CUndoList::kDefaultDepth; ++i)
        list.Add(Cmd('x'));
    EXPECT_EQ(list.GetCount(), CUndoList::kDefaultDepth);
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(services.waitCursorDepth(), 0);
}

TEST_F(UndoListTest, CancelLastUndoesAndDeletesOnlyAtTheTail) {
    EXPECT_FALSE(doc.CancelLastCommand());
    list.Add(Cmd('a'));
    list.Add(Cmd('b'));
    EXPECT_TRUE(doc.CancelLastCommand());
    EXPECT_EQ(log, "-b");
    EXPECT_EQ(deleted, 1);
    EXPECT_TRUE(list.CanUndo());
    list.Undo();
    EXPECT_FALSE(doc.CancelLastCommand());
    EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(UndoListTest, MergeMakesOneStepNamedLikeTheFirst) {
    LogCmd* refused = Cmd('z');
    EXPECT_FALSE(doc.MergeCommand(refused));  // empty list: the caller keeps it
    delete refused;
    list.Add(Cmd('a'));
    EXPECT_TRUE(doc.MergeCommand(Cmd('b')));
    EXPECT_TRUE(doc.MergeCommand(Cmd('c')));
    EXPECT_FALSE(doc.MergeCommand(nullptr));
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_STREQ(list.GetLastDone()->GetName(), "log");
    list.Undo();
    list.Redo();
    EXPECT_EQ(log, "-c-b-aabc");
}

}  // namespace
