#include <gtest/gtest.h>

#include "model/object/AttrMerge.h"

namespace {

// Two symbols: both carry "_Value" (1k and 2k, shown on one only), the first also "Tol".
CAttrMerge TwoSymbols() {
    CAttrMerge merge;
    merge.SetObjectCount(2);
    merge.AddAttribute(kAttrShown, "_Value", "1k");
    merge.AddAttribute(0, "Tol", "5%");
    merge.AddAttribute(0, "_Value", "2k");
    return merge;
}

TEST(AttrMerge, DifferingValuesAndVisibilityMergeIntoOneMixedRow) {
    const CAttrMerge merge = TwoSymbols();
    const std::vector<AttrListRow> rows = merge.ShownRows(false);
    ASSERT_EQ(rows.size(), 1u);  // "Tol" is carried by one of the two only
    EXPECT_EQ(rows[0].name, "_Value");
    EXPECT_EQ(rows[0].value, "");
    EXPECT_EQ(rows[0].visible, TriState::kMixed);
    EXPECT_TRUE(rows[0].flags & kAttrValueMixed);
    EXPECT_EQ(merge.GetRecords().at("_Value").count, 2);
    EXPECT_EQ(merge.ShownRows(true).size(), 2u);
}

TEST(AttrMerge, ReadingBackKeepsMixedValuesAndHiddenRecords) {
    CAttrMerge merge = TwoSymbols();
    std::vector<AttrListRow> rows = merge.ShownRows(false);
    rows.push_back({"Note", "new", TriState::kOn, 0});
    merge.ReadBack(rows, false);
    const CAttrMerge::Records& records = merge.GetRecords();
    EXPECT_TRUE(records.at("_Value").flags & kAttrValueMixed);
    EXPECT_FALSE(records.at("_Value").flags & kAttrDeleted);
    EXPECT_EQ(records.at("Tol").flags & kAttrDeleted, 0u);  // hidden, so not deleted
    EXPECT_EQ(records.at("Note").flags, kAttrAdded | kAttrShown);
    EXPECT_EQ(records.at("Note").value, "new");

    // The user edits the mixed value, deletes "Note" and, with every record shown, "Tol".
    rows = merge.ShownRows(true);
    ASSERT_EQ(rows.size(), 3u);
    ASSERT_EQ(rows[2].name, "_Value");  // names compare byte-wise: "Note", "Tol", "_Value"
    rows[2].value = " 3k ";
    rows[2].flags &= ~kAttrValueMixed;
    rows.erase(rows.begin(), rows.begin() + 2);
    merge.ReadBack(rows, true);
    EXPECT_EQ(records.count("Note"), 0u);  // added here, so gone
    EXPECT_TRUE(records.at("Tol").flags & kAttrDeleted);
    EXPECT_EQ(records.at("_Value").value, "3k");
    EXPECT_FALSE(records.at("_Value").flags & kAttrValueMixed);
}

TEST(AttrMerge, ValidationFindsTwiceDefinedNamesValuesWithoutNameAndRefusals) {
    std::vector<AttrListRow> rows{{"Tol", "1%", TriState::kOff, 0},
                                  {" Tol ", "2%", TriState::kOff, 0},
                                  {"", "", TriState::kOff, 0}};
    std::optional<AttrRowError> error = CAttrMerge::Validate(rows, {});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->row, 1);
    EXPECT_EQ(error->message, "Error: Property defined twice - Tol");

    rows[1] = {"  ", "10k", TriState::kOff, 0};
    error = CAttrMerge::Validate(rows, {});
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "Error: Property undefined for value -10k");

    rows[1].value.Empty();
    EXPECT_FALSE(CAttrMerge::Validate(rows, {}));
    error = CAttrMerge::Validate(
        rows, [](const CString& name, const CString&) { return name == "Tol" ? 2 : 0; });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->row, 0);
    EXPECT_TRUE(error->message.IsEmpty());
}

TEST(AttrMerge, ReservedAndLockedBitsAccumulate) {
    CAttrMerge merge;
    merge.SetObjectCount(2);
    merge.AddAttribute(kAttrShown, "_ID", "R1");
    merge.AddAttribute(kAttrShown | kAttrReserved | kAttrValueLocked, "_ID", "R1");
    const AttrRecord& record = merge.GetRecords().at("_ID");
    EXPECT_EQ(record.flags, kAttrShown | kAttrReserved | kAttrValueLocked);
    EXPECT_EQ(record.value, "R1");
}

}  // namespace
