// OK of the document settings as one undoable step, attribute edits included.

#include "model/cmd/DocSettingsApply.h"

#include <gtest/gtest.h>

#include "model/doc/DrawDoc.h"
#include "model/support/TestPart.h"
#include "model/text/AttrText.h"

namespace {

class DocSettingsApplyTest : public ::testing::Test {
protected:
    DocSettingsApplyTest() {
        doc.OnNewDocument();
        doc.SetAttribute("Rev", "A", 0);
        doc.SetAttribute("Old", "x", 0);
    }
    int Steps() { return static_cast<int>(doc.GetUndoList().FillUndoList().size()); }

    CDrawDoc doc;
};

// Undo takes back the settings, changed and new values, deleted attributes and the texts
// shown or hidden, all at once; redo does them again.
TEST_F(DocSettingsApplyTest, AttributeEditsAreUndoneWithTheSettings) {
    ASSERT_TRUE(doc.GetDocAttrText("Old", TRUE));
    ASSERT_TRUE(doc.AddObject(std::unique_ptr<CDrawObj>(doc.GetDocAttrText("Old", FALSE))));
    const int stepsBefore = Steps();
    const DocSnapshot before = Snapshot(doc);

    DocSettings settings = DocSettings::Of(doc);
    settings.paperColour = 0x00FFFF;
    DocAttributeEdits edits;
    edits.values = {{"Rev", "B"}, {"New", "1"}};
    edits.removed = {"Old"};
    edits.hiddenTexts = {"Old"};
    edits.shownTexts = {"Rev"};
    ASSERT_TRUE(ApplyDocumentSettings(doc, settings, edits));

    CString value;
    EXPECT_EQ(doc.m_paperColour, 0x00FFFFu);
    EXPECT_TRUE(doc.GetAttribute("Rev", value) && value == "B");
    EXPECT_TRUE(doc.GetAttribute("New", value) && value == "1");
    EXPECT_FALSE(doc.GetAttribute("Old", value));
    POSITION pos = nullptr;
    CAttrText* rev = doc.FindAttrText("Rev", pos);
    ASSERT_NE(rev, nullptr);
    EXPECT_TRUE(doc.GetObjects().Find(rev));
    ASSERT_EQ(Steps(), stepsBefore + 1);
    EXPECT_EQ(doc.GetUndoList().FillUndoList().front(), CString("1 - Document settings"));
    const DocSnapshot after = Snapshot(doc);

    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_TRUE(doc.GetAttribute("Old", value) && value == "x");
    EXPECT_FALSE(doc.GetAttribute("New", value));
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(Snapshot(doc), after);
}

// Deleting an attribute that comes after another of its bucket: undo puts it back in its
// place, so that the document's bytes are those before, round after round.
TEST_F(DocSettingsApplyTest, UndoAndRedoOfADeletionKeepTheOrderOfTheAttributes) {
    // "Author" and "Engineer" share a bucket of the attribute map.
    doc.SetAttribute("Author", "K. Ito", 0);
    doc.SetAttribute("Engineer", "R. Lund", 0);
    const DocSnapshot before = Snapshot(doc);

    DocAttributeEdits edits;
    edits.removed = {"Author"};
    ASSERT_TRUE(ApplyDocumentSettings(doc, DocSettings::Of(doc), edits));
    const DocSnapshot after = Snapshot(doc);
    ASSERT_NE(after, before);

    for (int round = 1; round <= 3; ++round) {
        ASSERT_TRUE(doc.GetUndoList().Undo());
        EXPECT_EQ(Snapshot(doc), before) << "undo " << round;
        ASSERT_TRUE(doc.GetUndoList().Redo());
        EXPECT_EQ(Snapshot(doc), after) << "redo " << round;
    }
}

}  // namespace
