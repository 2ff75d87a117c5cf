#include <gtest/gtest.h>

#include "model/DrawDoc.h"
#include "model/SummaryInfo.h"
#include "support/ScriptedPrompt.h"

namespace {

const char* const kComputed[] = {"Title",    "Date Created", "Drawn By",
                                 "Comments", "Last Saved",   "File"};

class DrawDocAttributeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

TEST_F(DrawDocAttributeTest, NewDocumentHasComputedNamesThenPowerRails) {
    ASSERT_EQ(doc.GetAttributeCount(), 18);
    CString name;
    CString value;
    for (int i = 0; i < 6; ++i) {
        doc.GetAttributeAt(i, name, value);
        EXPECT_EQ(name, kComputed[i]);
    }
    EXPECT_EQ(doc.GetAttribute("Ground1"), "GND");
    EXPECT_EQ(doc.GetAttribute("Ground2"), "AGND");
    EXPECT_EQ(doc.GetAttribute("Power1"), "+5v");
    EXPECT_EQ(doc.GetAttribute("Power2"), "+12v");
    EXPECT_EQ(doc.GetAttribute("Power3"), "+15v");
    EXPECT_EQ(doc.GetAttribute("Power4"), "-15v");
    EXPECT_EQ(doc.GetAttribute("Power4.Symbol"), "Power Rail");

    // Entries 6.. follow the map's own order and together hold every stored attribute.
    int stored = 0;
    for (int i = 6; i < doc.GetAttributeCount(); ++i) {
        doc.GetAttributeAt(i, name, value);
        EXPECT_EQ(doc.GetAttribute(name), value);
        ++stored;
    }
    EXPECT_EQ(stored, doc.m_attributes.GetCount());
    doc.GetAttributeAt(18, name, value);
    EXPECT_TRUE(name.IsEmpty());
    doc.GetAttributeAt(-1, name, value);
    EXPECT_TRUE(name.IsEmpty());

    EXPECT_EQ(doc.GetSummaryInfo()->GetPageCount(), 1);
    EXPECT_EQ(doc.GetSummaryInfo()->GetAppName(), "Vosk Schematic");
    EXPECT_NE(doc.GetSummaryInfo()->GetCreateTimeValue(), 0u);
    ASSERT_EQ(services.notices().size(), 1u);
    EXPECT_EQ(services.notices()[0].document, nullptr);
    EXPECT_EQ(services.notices()[0].code, kDocumentSetChanged);
}

TEST_F(DrawDocAttributeTest, FlagsAndKindsOfComputedNames) {
    EXPECT_EQ(doc.GetAttributeFlags("Last Saved"), 13);
    EXPECT_EQ(doc.GetAttributeFlags("Date Created"), 13);
    EXPECT_EQ(doc.GetAttributeFlags("File"), 13);
    EXPECT_EQ(doc.GetAttributeFlags("Title"), 0);
    EXPECT_EQ(doc.GetAttributeFlags("Ground1"), 0);
    EXPECT_EQ(doc.GetAttributeFlags("last saved"), 0);  // names compare exactly
    const int kinds[] = {1, 3, 1, 1, 3, 3, 0, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(CDrawDoc::GetAttributeFlagsAt(i), kinds[i]) << i;
    EXPECT_EQ(CDrawDoc::GetAttributeFlagsAt(-1), 0);
    EXPECT_EQ(CDrawDoc::FindComputedName("Comments"), 3);
    EXPECT_EQ(CDrawDoc::FindComputedName("comments"), -1);
    EXPECT_EQ(CDrawDoc::FindComputedName(nullptr), -1);
}

TEST_F(DrawDocAttributeTest, ComputedNamesReadAndWriteTheSummary) {
    EXPECT_FALSE(doc.SetAttribute("File", "x", 0));
    EXPECT_FALSE(doc.SetAttribute("Date Created", "x", kAttrSetModified));
    EXPECT_FALSE(doc.SetAttribute("Last Saved", "x", 0));
    EXPECT_FALSE(doc.IsModified());

    int stored = doc.m_attributes.GetCount();
    EXPECT_TRUE(doc.SetAttribute("Title", "T", kAttrSetModified));
    EXPECT_EQ(doc.GetSummaryInfo()->GetTitle(), "T");
    EXPECT_EQ(doc.m_attributes.GetCount(), stored);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.SetAttribute("Drawn By", "me", 0));
    EXPECT_TRUE(doc.SetAttribute("Comments", "c", 0));
    EXPECT_EQ(doc.GetAttribute("Drawn By"), "me");
    EXPECT_EQ(doc.GetSummaryInfo()->GetComments(), "c");

    doc.SetPathName("/tmp/a.sch", FALSE);
    EXPECT_EQ(doc.GetAttribute("File"), "/tmp/a.sch");
    CString value;
    EXPECT_TRUE(doc.GetAttribute("Last Saved", value));
    EXPECT_TRUE(value.IsEmpty());  // never saved
    EXPECT_EQ(doc.GetAttribute("Date Created"), doc.GetSummaryInfo()->GetCreateTime());

    EXPECT_FALSE(doc.RemoveAttribute("Title"));
    EXPECT_TRUE(doc.RemoveAttribute("Ground1"));
    EXPECT_FALSE(doc.RemoveAttribute("Ground1"));
    EXPECT_FALSE(doc.GetAttribute("Ground1", value));
    EXPECT_EQ(doc.GetAttribute("Ground1"), "");
}

TEST(DrawDocAttributes, DocumentNeverMadeNewReadsEmptySummaryTexts) {
    CDrawDoc doc;
    EXPECT_EQ(doc.GetAttribute("Title"), "");
    EXPECT_EQ(doc.GetAttribute("Last Saved"), "");
    EXPECT_EQ(doc.GetAttributeCount(), 6);
    EXPECT_TRUE(doc.SetAttribute("Title", "t", 0));
    EXPECT_EQ(doc.GetAttribute("Title"), "t");
}

TEST_F(DrawDocAttributeTest, UndoableEditRecordsOneCommandOnlyForAChange) {
    EXPECT_TRUE(doc.SetAttribute("Ground1", "GND", kAttrUndoable));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 0);
    EXPECT_FALSE(doc.IsModified());

    EXPECT_TRUE(doc.SetAttribute("Ground1", "0V", kAttrUndoable | kAttrSetModified));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 1);
    EXPECT_STREQ(doc.GetUndoList().GetLastDone()->GetName(), "property edit");
    EXPECT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(doc.GetAttribute("Ground1"), "GND");
    EXPECT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(doc.GetAttribute("Ground1"), "0V");

    EXPECT_FALSE(doc.SetAttribute("File", "x", kAttrUndoable));
    EXPECT_EQ(doc.GetUndoList().GetCount(), 1);
}

TEST_F(DrawDocAttributeTest, UndoingANewAttributeRemovesIt) {
    EXPECT_TRUE(doc.SetAttribute("Rev", "B", kAttrUndoable));
    EXPECT_TRUE(doc.GetUndoList().Undo());
    CString value;
    EXPECT_FALSE(doc.GetAttribute("Rev", value));
    EXPECT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(doc.GetAttribute("Rev"), "B");
}

TEST_F(DrawDocAttributeTest, UndoableEmptyValueOnAMissingAttributeIsStored) {
    EXPECT_TRUE(doc.SetAttribute("Empty", "", kAttrUndoable));
    CString value = "x";
    EXPECT_TRUE(doc.GetAttribute("Empty", value));
    EXPECT_TRUE(value.IsEmpty());
    EXPECT_EQ(doc.GetUndoList().GetCount(), 1);
    doc.GetUndoList().Undo();
    EXPECT_FALSE(doc.GetAttribute("Empty", value));
}

TEST_F(DrawDocAttributeTest, UndoableTitleEditRestoresTheSummary) {
    EXPECT_TRUE(doc.SetAttribute("Title", "New", kAttrUndoable));
    EXPECT_EQ(doc.m_attributes.GetCount(), 12);
    doc.GetUndoList().Undo();
    EXPECT_EQ(doc.GetSummaryInfo()->GetTitle(), "");
    EXPECT_EQ(doc.m_attributes.GetCount(), 12);
}

TEST_F(DrawDocAttributeTest, SavingStampsTheSummary) {
    doc.SetAttribute("Drawn By", "ann", 0);
    doc.OnSaveDocument("/nonexistent/a.sch");
    const CSummaryInfo* summary = doc.GetSummaryInfo();
    EXPECT_EQ(summary->GetRevision(), "1");
    EXPECT_EQ(summary->GetLastAuthor(), "ann");
    EXPECT_NE(summary->GetLastSaveTimeValue(), 0u);
    EXPECT_FALSE(doc.GetAttribute("Last Saved").IsEmpty());
}

TEST(DrawDocLifeCycle, OpeningStartsAFreshSummaryAndChecksThePrinter) {
    testsupport::RecordingAppServices services;
    testsupport::ScriptedPrompt prompt({IDOK});  // the failure to open is reported
    CDrawDoc doc;
    doc.SetAttribute("Title", "old", 0);
    doc.m_printer.devNames = {1};
    EXPECT_FALSE(doc.OnOpenDocument("/nonexistent/missing.sch"));
    ASSERT_NE(doc.GetSummaryInfo(), nullptr);
    EXPECT_EQ(doc.GetSummaryInfo()->GetTitle(), "");
    EXPECT_FALSE(doc.m_printer.IsEmpty());  // kept: nothing can check it here
    ASSERT_FALSE(services.notices().empty());
    EXPECT_EQ(services.notices()[0].code, kDocumentSetChanged);

    doc.OnCloseDocument();
    EXPECT_EQ(services.notices().back().document, nullptr);
    EXPECT_EQ(services.notices().back().code, kDocumentSetChanged);
}

}  // namespace
