#include "model/app/NameList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

Names Expand(const char* text) {
    CStringArray names;
    EXPECT_EQ(ExpandNameList(names, text), NameListResult::Complete) << text;
    Names result;
    for (int i = 0; i < names.GetSize(); ++i)
        result.push_back(names[i].str());
    return result;
}

TEST(NameListTest, ListsExpandToSingleNames) {
    EXPECT_EQ(Expand("D[0..3]"), (Names{"D0", "D1", "D2", "D3"}));
    EXPECT_EQ(Expand("A, B ,C"), (Names{"A", "B", "C"}));
    EXPECT_EQ(Expand("X[3..1]"), Names{});
    EXPECT_EQ(Expand("Q[a..b],R"), Names{"R"});
    EXPECT_EQ(Expand("F(1,2), G"), (Names{"F(1,2)", "G"}));
    EXPECT_EQ(Expand("D[0..1]x, Y"), (Names{"D0", "D1", "x", "Y"}));
}

TEST(NameListTest, UnusualListsStillGiveSensibleNames) {
    EXPECT_EQ(Expand("  A[ -1 .. +1 ] "), (Names{"A-1", "A0", "A1"}));
    EXPECT_EQ(Expand("A[0..1, B"), (Names{"A[0..1", "B"}));
    EXPECT_EQ(Expand("F(1, 2"), (Names{"F(1", "2"}));
    EXPECT_EQ(Expand("(A[0..1],B)"), Names{"(A[0..1],B)"});
    EXPECT_EQ(Expand(nullptr), Names{});
}

// A plain name is exactly what the list expands to a single member of its own text.
TEST(NameListTest, PlainNamesAreTheirOwnOnlyMember) {
    for (const char* plain : {"R1", "VCC", "A-1", "Q.7"}) {
        EXPECT_TRUE(IsPlainName(plain)) << plain;
        EXPECT_EQ(Expand(plain), Names{plain});
    }
    for (const char* listed : {"", "A,B", "D[0..1]", "(1)", " A", "A\tB", "A\n"})
        EXPECT_FALSE(IsPlainName(listed)) << listed;
    EXPECT_FALSE(IsPlainName(std::string(kMaxListedNameBytes + 1, 'x')));
}

TEST(NameListTest, HugeRangesAreCutAndReported) {
    CStringArray names;
    names.Add("old");
    EXPECT_EQ(ExpandNameList(names, "D[0..2000000000], CLK"), NameListResult::Truncated);
    ASSERT_EQ(names.GetSize(), kMaxListedNames + 1);
    EXPECT_EQ(names[0], "old");
    EXPECT_EQ(names[kMaxListedNames], "D65535");

    // The limit counts every name of one call, and the bytes of long names.
    names.RemoveAll();
    EXPECT_EQ(ExpandNameList(names, "A[1..40000], B[1..40000]"), NameListResult::Truncated);
    EXPECT_EQ(names.GetSize(), kMaxListedNames);
    names.RemoveAll();
    const std::string prefix(1024 * 1024, 'p');
    EXPECT_EQ(ExpandNameList(names, (prefix + "[0..100]").c_str()), NameListResult::Truncated);
    EXPECT_EQ(names.GetSize(), 15);
}

TEST(NameListTest, RangesAtTheEndsOfTheIntegerRangeTerminate) {
    EXPECT_EQ(Expand("N[2147483646..2147483647]"), (Names{"N2147483646", "N2147483647"}));
    EXPECT_EQ(Expand("N[-2147483648..-2147483648]"), Names{"N-2147483648"});
    EXPECT_EQ(Expand("N[0..2147483648], M"), Names{"M"});
}

}  // namespace
