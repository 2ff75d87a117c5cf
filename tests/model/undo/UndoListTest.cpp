#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/support/RecordingDocView.h"
#include "model/undo/MultiCmd.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

// Logs its letter when done and '-' and the letter when undone, and counts its deletion. On
// request its Do or Undo fails, changing nothing.
class LogCmd : public CCommand {
public:
    LogCmd(std::string& log, char letter, int& deleted, const char* name)
        : m_log(log), m_letter(letter), m_deleted(deleted), m_name(name) {}
    ~LogCmd() override { ++m_deleted; }
    BOOL Do(CDrawDoc*) override { return !failDo && (m_log += m_letter, true); }
    BOOL Undo(CDrawDoc*) override { return !failUndo && (m_log += {'-', m_letter}, true); }
    const char* GetName() const override { return m_name; }

    bool failDo = false;
    bool failUndo = false;

private:
    std::string& m_log;
    char m_letter;
    int& m_deleted;
    const char* m_name;
};

std::vector<std::string> Rows(const std::vector<CString>& rows) {
    return {rows.begin(), rows.end()};
}

class UndoListTest : public ::testing::Test {
protected:
    LogCmd* Cmd(char letter, const char* name = "log") {
        return new LogCmd(log, letter, deleted, name);
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
    CUndoList& list = doc.GetUndoList();
    std::string log;
    int deleted = 0;
};

TEST_F(UndoListTest, RowsAreNumberedFromTheCursorWithOnlyALowerCaseInitialCapitalised) {
    list.Add(Cmd('a', "add objects"));
    list.Add(Cmd('m', "move"));
    EXPECT_EQ(Rows(list.FillUndoList()), (std::vector<std::string>{"1 - Move", "2 - Add objects"}));
    EXPECT_TRUE(list.FillRedoList().empty());
    list.Undo();
    EXPECT_EQ(Rows(list.FillRedoList()), std::vector<std::string>{"1 - Move"});
    EXPECT_STREQ(list.GetUndoName(), "add objects");
    EXPECT_STREQ(list.GetRedoName(), "move");
    list.Undo();
    EXPECT_STREQ(list.GetUndoName(), "");
    EXPECT_EQ(Rows(list.FillRedoList()), (std::vector<std::string>{"1 - Add objects", "2 - Move"}));

    for (const char* name : {"", "3d move", "Text", "\xC3\xA9tiquette"})
        list.Add(Cmd('x', name));
    list.Add(new CMultiCmd);
    EXPECT_EQ(Rows(list.FillUndoList()),
              (std::vector<std::string>{"1 - ", "2 - \xC3\xA9tiquette", "3 - Text", "4 - 3d move",
                                        "5 - "}));
}

TEST_F(UndoListTest, EveryRecordedOrUndoneEditMarksTheDocumentAndTellsTheApplication) {
    drawdoctest::RecordingDocView view;
    doc.AddView(&view);
    EXPECT_FALSE(list.Add(nullptr));
    EXPECT_FALSE(doc.IsModified());
    for (int step = 0; step < 3; ++step) {
        doc.SetModifiedFlag(FALSE);
        EXPECT_TRUE(step == 0 ? list.Add(Cmd('a')) : step == 1 ? list.Undo() : list.Redo());
        EXPECT_TRUE(doc.IsModified());
        ASSERT_EQ(services.notices().size(), step + 1u);
        EXPECT_EQ(services.notices().back().document, &doc);
        EXPECT_EQ(services.notices().back().code, kDocumentContentChanged);
    }
    EXPECT_EQ(view.Hints(), (std::vector<int>{kHintDeselect, kHintDeselect}));  // undo, redo
    EXPECT_EQ(log, "-aa");
    EXPECT_EQ(services.waitCursorDepth(), 0);
    doc.RemoveView(&view);
}

// A step taken back at once gives the document back its modified flag; the application hears
// of it.
TEST_F(UndoListTest, AStepTakenBackLeavesTheModifiedFlagAsItWas) {
    for (const BOOL modified : {FALSE, TRUE}) {
        doc.SetModifiedFlag(modified);
        list.Add(Cmd('a'));
        list.Add(Cmd('b'));
        EXPECT_TRUE(doc.IsModified());
        ASSERT_TRUE(list.CancelLast());
        EXPECT_TRUE(doc.IsModified()) << "the step before was recorded on a modified document";
        doc.SetModifiedFlag(modified);
        list.Add(Cmd('c'));
        const size_t notices = services.notices().size();
        ASSERT_TRUE(list.CancelLast());
        EXPECT_EQ(doc.IsModified(), modified);
        EXPECT_EQ(services.notices().size(), notices + 1);
    }
}

TEST_F(UndoListTest, RecordingAfterUndoDropsTheUndoneCommands) {
    list.Add(Cmd('a'));
    list.Add(Cmd('b'));
    list.Add(Cmd('c'));
    EXPECT_EQ(list.Undo(2), 2);
    list.Add(Cmd('d'));
    EXPECT_EQ(deleted, 2);
    EXPECT_FALSE(list.CanRedo());
    EXPECT_EQ(list.Undo(5), 2);
    EXPECT_FALSE(list.CanUndo());
    EXPECT_TRUE(list.CanRedo());
    EXPECT_EQ(list.Redo(5), 2);
    EXPECT_EQ(log, "-c-b-d-aad");
}

// Fifty by default; the oldest commands are deleted.
TEST_F(UndoListTest, TheDepthComesFromTheSettingsAndIsAtLeastOne) {
    for (int i = 0; i < 51; ++i)
        list.Add(Cmd('x'));
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(list.Undo(51), 50);
    log.clear();

    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.ini"};
    ScopedApp installed{app};
    for (int depth : {3, 0, -5}) {
        app.WriteProfileInt("Settings", "UndoDepth", depth);
        CDrawDoc other;
        CUndoList& small = other.GetUndoList();
        for (char letter : std::string("abcd"))
            small.Add(Cmd(letter));
        EXPECT_EQ(small.Undo(9), std::max(depth, 1));
    }
    EXPECT_EQ(log, "-d-c-b-d-d");
}

TEST_F(UndoListTest, AFailedStepIsNotRecordedAndLeavesTheCursor) {
    EXPECT_FALSE(list.Execute(nullptr));
    LogCmd* refused = Cmd('f');
    refused->failDo = true;
    EXPECT_FALSE(list.Execute(refused));
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(services.notices().empty());

    LogCmd* stuck = Cmd('s');
    EXPECT_TRUE(list.Execute(Cmd('a')));
    EXPECT_TRUE(list.Execute(stuck));
    stuck->failUndo = true;
    EXPECT_FALSE(list.CancelLast());
    EXPECT_EQ(list.GetCount(), 2);
    stuck->failUndo = false;
    EXPECT_EQ(list.Undo(2), 2);
    stuck->failDo = true;
    EXPECT_EQ(list.Redo(2), 1);
    EXPECT_STREQ(list.GetRedoName(), "log");
    EXPECT_EQ(log, "as-s-aa");
    EXPECT_EQ(services.waitCursorDepth(), 0);
}

// The document is as before the failed step, which no step before it expects: those leave
// the list with it, instead of the same step being offered again and again.
TEST_F(UndoListTest, AStepThatCannotBeUndoneTakesTheStepsBeforeItAlongAndSaysSo) {
    testsupport::ScriptedPrompt prompt{IDOK, IDOK};
    LogCmd* stuck = Cmd('s', "add object");
    LogCmd* last = Cmd('c', "move");
    list.Execute(Cmd('a'));
    list.Execute(stuck);
    list.Execute(last);
    EXPECT_TRUE(list.Undo());
    stuck->failUndo = true;
    EXPECT_EQ(list.Undo(2), 0);
    EXPECT_EQ(deleted, 2);
    EXPECT_FALSE(list.CanUndo());
    EXPECT_STREQ(list.GetRedoName(), "move");
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text,
              CString("\"add object\" could not be undone; the steps before it can no longer be "
                      "undone."));

    // A step that cannot be redone stays to be redone; undoing goes on as before.
    last->failDo = true;
    EXPECT_EQ(list.Redo(2), 0);
    EXPECT_STREQ(list.GetRedoName(), "move");
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[1].text, CString("\"move\" could not be redone."));
    EXPECT_EQ(log, "asc-c");
    EXPECT_EQ(services.waitCursorDepth(), 0);
}

TEST_F(UndoListTest, CancelLastTakesBackAndDeletesTheEditJustRecorded) {
    EXPECT_FALSE(doc.CancelLastCommand());
    list.Add(Cmd('a'));
    EXPECT_TRUE(list.Execute(Cmd('b')));
    EXPECT_TRUE(doc.CancelLastCommand());
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_FALSE(list.CanRedo());
    list.Undo();
    EXPECT_FALSE(doc.CancelLastCommand());
    EXPECT_EQ(log, "b-b-a");
}

// Only the last recorded step, done, is taken back by its identity; a step merged into keeps
// it, and goes whole.
TEST_F(UndoListTest, CancelStepTakesBackOnlyTheLastDoneStepOfItsOwnList) {
    CDrawDoc other;
    other.GetUndoList().Add(Cmd('o'));
    const StepId foreign = other.GetUndoList().LastStep();
    EXPECT_FALSE(list.CancelStep(kNoStep));
    list.Add(Cmd('a'));
    const StepId first = list.LastStep();
    list.Add(Cmd('b'));
    const StepId second = list.LastStep();
    EXPECT_NE(first, foreign);
    EXPECT_FALSE(list.CancelStep(first));  // not the last step
    EXPECT_FALSE(list.CancelStep(foreign));
    list.Undo();
    EXPECT_FALSE(list.CancelStep(second));  // undone
    EXPECT_FALSE(list.CancelStep(first));   // done, but a step follows it
    list.Redo();
    EXPECT_EQ(log, "-bb");
    EXPECT_EQ(deleted, 0);

    EXPECT_TRUE(doc.MergeCommand(Cmd('c')));
    EXPECT_EQ(list.LastStep(), second);
    EXPECT_TRUE(list.CancelStep(second));
    EXPECT_EQ(log, "-bb-c-b");
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(list.LastStep(), first);
    EXPECT_FALSE(list.CanRedo());
    EXPECT_FALSE(list.CancelStep(second));  // gone
    EXPECT_EQ(other.GetUndoList().LastStep(), foreign);
}

TEST_F(UndoListTest, MergeJoinsDoneCommandsIntoOneStepNamedLikeTheFirst) {
    LogCmd* refused = Cmd('z');
    EXPECT_FALSE(doc.MergeCommand(refused));  // empty list: the caller keeps it
    list.Add(Cmd('m', "move"));
    EXPECT_TRUE(doc.MergeCommand(Cmd('b')));
    EXPECT_TRUE(doc.MergeCommand(Cmd('c')));
    auto* multi = dynamic_cast<CMultiCmd*>(list.GetLastDone());
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->GetCount(), 3);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_STREQ(list.GetUndoName(), "move");

    list.Undo();
    EXPECT_FALSE(doc.MergeCommand(refused));  // the last command is undone
    EXPECT_EQ(deleted, 0);
    delete refused;
    list.Redo();
    EXPECT_EQ(log, "-c-b-mmbc");
}

TEST_F(UndoListTest, AMultiCommandTakesBackItsDonePartOnAFailure) {
    CMultiCmd multi("line colour");
    LogCmd* first = Cmd('a');
    LogCmd* last = Cmd('c');
    for (CCommand* command : {first, static_cast<LogCmd*>(nullptr), Cmd('b'), last})
        multi.Append(command);
    last->failDo = true;
    EXPECT_FALSE(multi.Do(&doc));
    last->failDo = false;
    EXPECT_TRUE(multi.Do(&doc));
    first->failUndo = true;
    EXPECT_FALSE(multi.Undo(&doc));
    EXPECT_EQ(log,
              "ab-b-a"
              "abc-c-bbc");
}

}  // namespace
