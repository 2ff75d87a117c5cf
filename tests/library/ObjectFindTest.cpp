// The Find dialog's search over a schematic's objects.

#include <gtest/gtest.h>

#include "library/ObjectFind.h"
#include "model/support/EditSheet.h"

namespace {

using Sheet = EditSheet;

TEST(ObjectFind, MatchFollowsCaseAndExactness) {
    struct Case {
        bool exact;
        bool matchCase;
        bool r1, r10, xr1;
    } const cases[] = {
        {false, false, true, true, true},
        {true, false, true, false, false},
        {true, true, false, false, false},
        {false, true, false, false, false},
    };
    for (const Case& c : cases) {
        FindOptions options;
        options.text = "r1";
        options.exact = c.exact;
        options.matchCase = c.matchCase;
        EXPECT_EQ(options.IsMatch("R1"), c.r1);
        EXPECT_EQ(options.IsMatch("R10"), c.r10);
        EXPECT_EQ(options.IsMatch("XR1"), c.xr1);
    }
    FindOptions empty;
    EXPECT_TRUE(empty.IsMatch("anything"));
    EXPECT_TRUE(empty.IsMatch(""));
}

// Another document starts at its first object.
TEST(ObjectFind, FindNextStartsOverInAnotherDocument) {
    Sheet sheet;
    CTextBox* first = sheet.Text("abc");
    Sheet other;
    CTextBox* elsewhere = other.Text("abc");
    FindOptions options;
    options.text = "abc";
    FindPosition position;
    EXPECT_EQ(FindNextMatch(sheet.doc, options, position), first);
    EXPECT_EQ(FindNextMatch(other.doc, options, position), elsewhere);
    EXPECT_EQ(FindNextMatch(sheet.doc, options, position), first);
}

TEST(ObjectFind, PinsMatchThemselvesOrThroughTheirSymbol) {
    Sheet sheet;
    CSymbol* gate = sheet.Symbol("U1", nullptr, {"A1", "B", "A2"});
    CSymbol* resistor = sheet.Symbol("RA", nullptr, {});
    CWire* wire = sheet.Wire("ADDR");
    FindOptions options;
    options.text = "a";
    const CObList& pins = *gate->GetPinList();
    CObList pinsAlone;
    FindAllMatches(sheet.doc, options, false, pinsAlone);
    ASSERT_EQ(pinsAlone.GetCount(), 4);
    EXPECT_EQ(pinsAlone.GetHead(), pins.GetHead());
    EXPECT_EQ(pinsAlone.GetAt(pinsAlone.FindIndex(1)), pins.GetTail());
    EXPECT_EQ(pinsAlone.GetAt(pinsAlone.FindIndex(2)), resistor);
    EXPECT_EQ(pinsAlone.GetTail(), wire);
    CObList symbols;
    FindAllMatches(sheet.doc, options, true, symbols);
    ASSERT_EQ(symbols.GetCount(), 3);
    EXPECT_EQ(symbols.GetHead(), gate);
    FindPosition position;
    EXPECT_EQ(FindNextMatch(sheet.doc, options, position), pins.GetHead());
    options.pinNames = options.symbolIds = options.netNames = false;
    CObList none;
    FindAllMatches(sheet.doc, options, true, none);
    EXPECT_TRUE(none.IsEmpty());
}

}  // namespace
