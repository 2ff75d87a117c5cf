// The document's attributes on the attributes page of the document settings: how they are
// listed, and what the page's records give back after OK.

#include "model/cmd/DocAttributeEdits.h"

#include <gtest/gtest.h>

#include "model/cmd/DocSettingsApply.h"
#include "model/doc/DrawDoc.h"
#include "model/object/AttrMerge.h"
#include "model/support/TestPart.h"
#include "model/text/AttrText.h"

namespace {

using Values = std::vector<std::pair<CString, CString>>;
using Names = std::vector<CString>;

class DocAttributeEditsTest : public ::testing::Test {
protected:
    DocAttributeEditsTest() {
        doc.OnNewDocument();
        doc.SetAttribute("Rev", "A", 0);
        doc.SetAttribute("Old", "x", 0);
        doc.AddObject(std::unique_ptr<CDrawObj>(doc.GetDocAttrText("Rev", TRUE)));
    }

    const AttrRecord& Record(const char* name) const { return merge.GetRecords().at(name); }

    // The page after the user changed Rev to B and took its text off, deleted Old, and
    // added New = 1 with a text.
    void EditAsTheUserDid() {
        std::vector<AttrListRow> rows;
        for (AttrListRow row : merge.ShownRows(true)) {
            if (row.name == "Old")
                continue;
            if (row.name == "Rev") {
                row.value = "B";
                row.visible = TriState::kOff;
            }
            rows.push_back(row);
        }
        rows.push_back({"New", "1", TriState::kOn, 0});
        merge.ReadBack(rows, true);
    }

    CDrawDoc doc;
    CAttrMerge merge;
};

TEST_F(DocAttributeEditsTest, ComputedNamesAreReservedAndTextsOnTheSheetAreShown) {
    LoadDocAttributes(doc, merge);
    EXPECT_EQ(merge.ObjectCount(), 1);
    EXPECT_EQ(Record("Title").flags & (kAttrReserved | kAttrValueLocked), kAttrReserved);
    EXPECT_EQ(Record("Drawn By").flags & (kAttrReserved | kAttrValueLocked), kAttrReserved);
    for (const char* name : {"Date Created", "Last Saved", "File"})
        EXPECT_EQ(Record(name).flags & (kAttrReserved | kAttrValueLocked),
                  kAttrReserved | kAttrValueLocked)
            << name;
    EXPECT_EQ(Record("Rev").flags, kAttrShown);
    EXPECT_EQ(Record("Rev").value, CString("A"));
    EXPECT_EQ(Record("Old").flags, 0u);
    EXPECT_EQ(Record("Old").value, CString("x"));
}

// A text made but never put on the sheet does not count as shown.
TEST_F(DocAttributeEditsTest, ATextOffTheSheetIsNotShown) {
    const std::unique_ptr<CAttrText> made(doc.GetDocAttrText("Old", TRUE));
    ASSERT_TRUE(made);
    LoadDocAttributes(doc, merge);
    EXPECT_EQ(Record("Old").flags & kAttrShown, 0u);
    doc.GetAttrTextList()->RemoveAt(doc.GetAttrTextList()->Find(made.get()));
}

TEST_F(DocAttributeEditsTest, OnlyChangesAreGivenBack) {
    LoadDocAttributes(doc, merge);
    merge.ReadBack(merge.ShownRows(true), true);
    const DocAttributeEdits unchanged = DocAttributeEdits::FromRecords(doc, merge);
    EXPECT_TRUE(unchanged.values.empty());
    EXPECT_TRUE(unchanged.removed.empty());
    EXPECT_TRUE(unchanged.hiddenTexts.empty());
    EXPECT_TRUE(unchanged.shownTexts.empty());

    EditAsTheUserDid();
    const DocAttributeEdits edits = DocAttributeEdits::FromRecords(doc, merge);
    EXPECT_EQ(edits.values, (Values{{"New", "1"}, {"Rev", "B"}}));
    EXPECT_EQ(edits.removed, Names{"Old"});
    EXPECT_EQ(edits.hiddenTexts, Names{"Rev"});
    EXPECT_EQ(edits.shownTexts, Names{"New"});
}

// A deleted attribute takes its text off the sheet with it.
TEST_F(DocAttributeEditsTest, DeletingAShownAttributeHidesItsText) {
    LoadDocAttributes(doc, merge);
    std::vector<AttrListRow> rows = merge.ShownRows(true);
    std::erase_if(rows, [](const AttrListRow& row) { return row.name == "Rev"; });
    merge.ReadBack(rows, true);
    const DocAttributeEdits edits = DocAttributeEdits::FromRecords(doc, merge);
    EXPECT_EQ(edits.removed, Names{"Rev"});
    EXPECT_EQ(edits.hiddenTexts, Names{"Rev"});
}

TEST_F(DocAttributeEditsTest, TheEditsAreUndoneWithTheSettings) {
    const DocSnapshot before = Snapshot(doc);
    LoadDocAttributes(doc, merge);
    EditAsTheUserDid();
    ASSERT_TRUE(ApplyDocumentSettings(doc, DocSettings::Of(doc),
                                      DocAttributeEdits::FromRecords(doc, merge)));
    CString value;
    EXPECT_TRUE(doc.GetAttribute("Rev", value) && value == "B");
    EXPECT_FALSE(doc.GetAttribute("Old", value));
    POSITION pos = nullptr;
    CAttrText* rev = doc.FindAttrText("Rev", pos);
    EXPECT_TRUE(rev == nullptr || !doc.GetObjects().Find(rev));
    pos = nullptr;
    CAttrText* added = doc.FindAttrText("New", pos);
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(doc.GetObjects().Find(added));

    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(Snapshot(doc), before);
}

}  // namespace
