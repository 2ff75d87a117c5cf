// The Find dialog's search over a schematic's objects.

#include <gtest/gtest.h>

#include "library/ObjectFind.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/TextBox.h"
#include "support/ScriptedPrompt.h"

namespace {

class Sheet {
public:
    CTextBox* Text(const char* text) {
        auto* box = new CTextBox(CRect(0, 0, 600, -300));
        box->SetDocument(&doc);
        box->SetText(text, FALSE);
        doc.GetObjects().AddTail(box);
        return box;
    }
    CSymbol* Symbol(const char* id, std::initializer_list<const char*> pinIds) {
        auto* symbol = new CSymbol();
        symbol->SetDocument(&doc);
        symbol->SetAttr("_ID", id, kSetAttrForce);
        for (const char* pinId : pinIds) {
            auto* pin = new CPin(symbol);
            pin->SetAttr("_ID", pinId, kSetAttrForce);
            symbol->GetPins().AddTail(pin);
        }
        doc.GetObjects().AddTail(symbol);
        return symbol;
    }
    CWire* Wire(const char* name) {
        auto* wire = new CWire;
        wire->AddPoint(CPoint(0, 0));
        wire->AddPoint(CPoint(100, 0));
        wire->SetDocument(&doc);
        auto* net = new CNet(name);
        net->AddRef();
        wire->SetNet(net);
        doc.GetObjects().AddTail(wire);
        return wire;
    }

    testsupport::RecordingAppServices services;
    CDrawDoc doc;
};

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

// Find Next goes on after the last match, fails at the end and then starts again.
TEST(ObjectFind, FindNextWalksOnAndStartsAgain) {
    Sheet sheet;
    CTextBox* first = sheet.Text("abc");
    CTextBox* second = sheet.Text("xabc");
    sheet.Text("q");
    FindOptions options;
    options.text = "abc";
    FindPosition position;
    EXPECT_EQ(FindNextMatch(sheet.doc, options, position), first);
    EXPECT_EQ(FindNextMatch(sheet.doc, options, position), second);
    EXPECT_EQ(FindNextMatch(sheet.doc, options, position), nullptr);
    EXPECT_EQ(FindNextMatch(sheet.doc, options, position), first);
    // Another document starts at its first object.
    Sheet other;
    CTextBox* elsewhere = other.Text("abc");
    EXPECT_EQ(FindNextMatch(other.doc, options, position), elsewhere);
    EXPECT_EQ(FindNextMatch(sheet.doc, options, position), first);
    options.textBoxes = false;
    position.Reset();
    EXPECT_EQ(FindNextMatch(sheet.doc, options, position), nullptr);
}

TEST(ObjectFind, PinsMatchThemselvesOrThroughTheirSymbol) {
    Sheet sheet;
    CSymbol* gate = sheet.Symbol("U1", {"A1", "B", "A2"});
    CSymbol* resistor = sheet.Symbol("RA", {});
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
