#include <gtest/gtest.h>

#include "model/doc/DrawDoc.h"
#include "model/doc/SummaryInfo.h"
#include "support/ScriptedPrompt.h"

namespace {

class DrawDocAttributeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

TEST_F(DrawDocAttributeTest, NewDocumentListsComputedNamesThenPowerRails) {
    const char* const computed[] = {"Title",    "Date Created", "Drawn By",
                                    "Comments", "Last Saved",   "File"};
    ASSERT_EQ(doc.GetAttributeCount(), 18);
    CString name;
    CString value;
    for (int i = 0; i < 6; ++i) {
        doc.GetAttributeAt(i, name, value);
        EXPECT_EQ(name, computed[i]);
    }
    EXPECT_EQ(doc.GetAttribute("Ground2"), "AGND");
    EXPECT_EQ(doc.GetAttribute("Power4"), "-15v");
    EXPECT_EQ(doc.GetAttribute("Power4.Symbol"), "Power Rail");
    EXPECT_EQ(CDrawDoc::GetAttributeFlagsAt(1), 3);
    EXPECT_EQ(doc.GetAttributeFlags("Last Saved"), 13);
    EXPECT_EQ(doc.GetAttributeFlags("last saved"), 0);  // names compare exactly
    EXPECT_EQ(doc.GetSummaryInfo()->GetAppName(), "Vosk Schematic");
    ASSERT_EQ(services.notices().size(), 1u);
    EXPECT_EQ(services.notices()[0].code, kDocumentSetChanged);
}

TEST_F(DrawDocAttributeTest, ComputedNamesGoToTheSummaryOrAreRefused) {
    EXPECT_FALSE(doc.SetAttribute("File", "x", kAttrSetModified));
    EXPECT_FALSE(doc.SetAttribute("Last Saved", "x", 0));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.SetAttribute("Title", "T", kAttrSetModified));
    EXPECT_EQ(doc.GetSummaryInfo()->GetTitle(), "T");
    EXPECT_EQ(doc.m_attributes.GetCount(), 12);
    EXPECT_TRUE(doc.IsModified());
    doc.SetPathName("/tmp/a.sch", FALSE);
    EXPECT_EQ(doc.GetAttribute("File"), "/tmp/a.sch");
    EXPECT_FALSE(doc.RemoveAttribute("Title"));
}

TEST_F(DrawDocAttributeTest, UndoableEditsRecordOnlyChanges) {
    EXPECT_TRUE(doc.SetAttribute("Ground1", "GND", kAttrUndoable));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
    EXPECT_TRUE(doc.SetAttribute("Ground1", "0V", kAttrUndoable));
    EXPECT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(doc.GetAttribute("Ground1"), "GND");
    EXPECT_FALSE(doc.SetAttribute("File", "x", kAttrUndoable));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 1);

    // A new attribute, even with an empty value, is stored and removed again by undo.
    EXPECT_TRUE(doc.SetAttribute("Empty", "", kAttrUndoable));
    CString value = "x";
    EXPECT_TRUE(doc.GetAttribute("Empty", value));
    EXPECT_TRUE(value.IsEmpty());
    doc.GetUndoList().Undo();
    EXPECT_FALSE(doc.GetAttribute("Empty", value));
}

TEST_F(DrawDocAttributeTest, SavingStampsTheSummaryAndOpeningStartsAFreshOne) {
    doc.SetAttribute("Drawn By", "ann", 0);
    doc.SetAttribute("Title", "old", 0);
    testsupport::ScriptedPrompt prompt({IDOK, IDOK});  // both failures to reach the file
    doc.OnSaveDocument("/nonexistent/a.sch");
    EXPECT_EQ(doc.GetSummaryInfo()->GetRevision(), "1");
    EXPECT_EQ(doc.GetSummaryInfo()->GetLastAuthor(), "ann");
    EXPECT_FALSE(doc.GetAttribute("Last Saved").IsEmpty());

    EXPECT_FALSE(doc.OnOpenDocument("/nonexistent/missing.sch"));
    EXPECT_EQ(doc.GetAttribute("Title"), "");
    doc.OnCloseDocument();
    EXPECT_EQ(services.notices().back().document, nullptr);
    EXPECT_EQ(services.notices().back().code, kDocumentSetChanged);
}

}  // namespace
