// The wire, bus and wire-drag tools against real documents: ends on pins, elbows, double
// clicks, Esc, names taken from buses, re-routed ends; and a small circuit drawn, saved and
// read back.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ToolTestView.h"
#include "drawtools/ToolPrompts.h"
#include "drawtools/WireDragTool.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "support/TestSupport.h"

namespace {

class WireToolTest : public ToolTest, public ::testing::Test {
protected:
    // A symbol with one pin pointing right whose hot end lies at hot.
    CPin* PlacePin(CPoint hot, const char* id) {
        auto* symbol = new CSymbol();
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(hot.x - 200, hot.y), hot);
        pin->SetAttr("_ID", id, kSetAttrForce);
        symbol->GetPins().AddTail(pin);
        symbol->SetDocument(&doc);
        symbol->RecalcBounds(nullptr);
        doc.GetObjects().AddTail(symbol);
        return pin;
    }
    CBus* PlaceBus(CPoint from, CPoint to, const char* name) {
        auto* bus = new CBus();
        bus->AddPoint(from);
        bus->AddPoint(to);
        bus->SetDocument(&doc);
        doc.GetObjects().AddTail(bus);
        bus->SetAttr("_ID", name, kSetAttrForce);
        return bus;
    }
    CWire* LastWire() const {
        for (POSITION pos = doc.GetObjects().GetTailPosition(); pos;) {
            if (auto* wire = dynamic_cast<CWire*>(doc.GetObjects().GetPrev(pos)))
                return wire;
        }
        return nullptr;
    }
    // A part whose pins run from their body ends to their hot ends, as given on the sheet.
    struct PinLine {
        const char* id;
        CPoint body;
        CPoint hot;
    };
    CSymbol* PlacePart(std::initializer_list<PinLine> lines) {
        auto* symbol = new CSymbol();
        for (const PinLine& line : lines) {
            auto* pin = new CPin(symbol);
            pin->SetEnds(line.body, line.hot);
            pin->SetAttr("_ID", line.id, kSetAttrForce);
            symbol->GetPins().AddTail(pin);
        }
        symbol->SetDocument(&doc);
        symbol->RecalcBounds(nullptr);
        doc.GetObjects().AddTail(symbol);
        return symbol;
    }
    // Clicks from one point to the other with the current tool.
    void DrawWire(CPoint from, CPoint to) {
        Click(from.x, from.y);
        Move(to.x, to.y);
        Click(to.x, to.y);
    }
};

TEST_F(WireToolTest, AWireBetweenTwoPinsTakesAnElbowAndOneNetInOneStep) {
    CPin* a = PlacePin(CPoint(1000, -1000), "1");
    CPin* b = PlacePin(CPoint(3000, -2000), "2");
    Choose(kToolWire);
    EXPECT_EQ(view.prompts.back(), kPromptStartWire);
    DrawWire(CPoint(1000, -1000), CPoint(3000, -2000));
    CWire* wire = LastWire();
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->GetStartObject(), a);
    EXPECT_EQ(wire->GetEndObject(), b);
    EXPECT_EQ(a->GetWire(), wire);
    EXPECT_EQ(b->GetWire(), wire);
    ASSERT_EQ(wire->GetPointCount(), 3);
    EXPECT_EQ(wire->GetPoint(1), CPoint(3000, -1000));
    ASSERT_NE(wire->GetNet(), nullptr);
    EXPECT_FALSE(wire->GetNet()->GetName().IsEmpty());
    EXPECT_EQ(Steps(), 1);
    EXPECT_FALSE(Tool().HasOpenObject());
    EXPECT_EQ(tools.state.currentShape, kToolWire);
}

// Readers of the change log (the design tree) learn from it what drawing the wire changed: the
// wire and the symbols whose pins it now ends on.
TEST_F(WireToolTest, TheChangeLogNamesWhatDrawingAWireChanged) {
    CPin* a = PlacePin(CPoint(1000, -1000), "1");
    CPin* b = PlacePin(CPoint(3000, -2000), "2");
    const std::uint64_t before = doc.GetChangeLog().Count();
    Choose(kToolWire);
    DrawWire(CPoint(1000, -1000), CPoint(3000, -2000));
    std::vector<CDocChangeLog::Object> named;
    ASSERT_TRUE(doc.GetChangeLog().ObjectsSince(before, named));
    std::vector<const CDrawObj*> objects;
    for (const auto& object : named)
        objects.push_back(object.object);
    for (const CDrawObj* changed :
         {static_cast<const CDrawObj*>(LastWire()), static_cast<const CDrawObj*>(a->GetOwner()),
          static_cast<const CDrawObj*>(b->GetOwner())})
        EXPECT_NE(std::find(objects.begin(), objects.end(), changed), objects.end());
}

// Whether p lies on the segment from a to b.
bool OnSegment(CPoint p, CPoint a, CPoint b) {
    const auto cross =
        std::int64_t{b.x - a.x} * (p.y - a.y) - std::int64_t{b.y - a.y} * (p.x - a.x);
    return cross == 0 && std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) &&
           std::min(a.y, b.y) <= p.y && p.y <= std::max(a.y, b.y);
}

// Whether the orthogonal segments a-b and c-d lie on one line and share more than a point.
bool RunsAlong(CPoint a, CPoint b, CPoint c, CPoint d) {
    const auto overlap = [](LONG a1, LONG a2, LONG c1, LONG c2) {
        return std::max(std::min(a1, a2), std::min(c1, c2)) <
               std::min(std::max(a1, a2), std::max(c1, c2));
    };
    if (a.y == b.y && c.y == d.y && a.y == c.y)
        return overlap(a.x, b.x, c.x, d.x);
    if (a.x == b.x && c.x == d.x && a.x == c.x)
        return overlap(a.y, b.y, c.y, d.y);
    return false;
}

// What on the sheet the wire looks joined to without being joined: a pin's end or a point of
// another wire on it anywhere but at its own two ends, a pin's body end on it, a stretch along
// a pin or another wire; or a slanted segment. Empty when there is nothing.
std::string FalseJoin(CDrawDoc& doc, const CWire& wire) {
    const CPoint start = wire.GetPoint(0);
    const CPoint end = wire.GetPoint(wire.GetPointCount() - 1);
    const auto passed = [&](CPoint p, CPoint a, CPoint b) {
        return p != start && p != end && OnSegment(p, a, b);
    };
    for (int i = 1; i < wire.GetPointCount(); ++i) {
        const CPoint a = wire.GetPoint(i - 1);
        const CPoint b = wire.GetPoint(i);
        const std::string segment = "segment " + std::to_string(i);
        if (a.x != b.x && a.y != b.y)
            return segment + " is slanted";
        for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
            auto* object = static_cast<CDrawObj*>(doc.GetObjects().GetNext(pos));
            if (const auto* other = dynamic_cast<const CWire*>(object); other && other != &wire) {
                for (int j = 0; j < other->GetPointCount(); ++j) {
                    if (passed(other->GetPoint(j), a, b))
                        return segment + " passes point " + std::to_string(j) + " of a wire";
                    if (j > 0 && RunsAlong(a, b, other->GetPoint(j - 1), other->GetPoint(j)))
                        return segment + " runs along a wire";
                }
            } else if (auto* symbol = dynamic_cast<CSymbol*>(object)) {
                for (POSITION at = symbol->GetPins().GetHeadPosition(); at;) {
                    const auto* pin = static_cast<const CPin*>(symbol->GetPins().GetNext(at));
                    const CPoint hot = pin->GetConnectPoint();
                    const CPoint body = pin->GetSheetBodyEnd();
                    const std::string named = " pin " + std::string(pin->GetId());
                    if (OnSegment(body, a, b))
                        return segment + " meets the body end of" + named;
                    if (passed(hot, a, b))
                        return segment + " passes the end of" + named;
                    if (RunsAlong(a, b, hot, body))
                        return segment + " runs along" + named;
                }
            }
        }
    }
    return {};
}

// A wire from a transistor's emitter to a gate's upper input, both parts of the standard
// library's shapes (their pins' body and hot ends as placed): the elbow would run up the
// emitter's own lead to the collector's body end, or down past the gate's lower input. The
// wire turns where it looks joined to nothing but the two pins it is joined to.
TEST_F(WireToolTest, AnElbowKeepsOffEveryPinLineAndBodyEnd) {
    CSymbol* npn = PlacePart({{"B", {5550, -3000}, {5400, -3000}},
                              {"C", {5700, -2900}, {5700, -2800}},
                              {"E", {5700, -3100}, {5700, -3200}}});
    CSymbol* gate = PlacePart({{"A", {7900, -2900}, {7800, -2900}},
                               {"B", {7900, -3100}, {7800, -3100}},
                               {"Y", {8150, -3000}, {8300, -3000}}});
    Choose(kToolWire);
    Click(5700, -3200);
    Move(7000, -3000);
    Move(7800, -2900);
    Click(7800, -2900);
    CWire* wire = LastWire();
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->GetStartObject(), npn->FindPin("E"));
    EXPECT_EQ(wire->GetEndObject(), gate->FindPin("A"));
    const CPoint start = wire->GetPoint(0);
    const CPoint end = wire->GetPoint(wire->GetPointCount() - 1);
    EXPECT_EQ(start, CPoint(5700, -3200));
    EXPECT_EQ(end, CPoint(7800, -2900));
    EXPECT_EQ(FalseJoin(doc, *wire), "");
}

// A resistor standing upright left of a gate: a wire from its lower end to the gate's upper
// input, then one from its upper end to the lower input. The second wire's elbows keep off the
// first wire's segments and corners, so the two nets do not look like one.
TEST_F(WireToolTest, ANewWireKeepsOffTheSegmentsAndCornersOfOtherWires) {
    CSymbol* resistor =
        PlacePart({{"1", {6000, -4100}, {6000, -4200}}, {"2", {6000, -3900}, {6000, -3800}}});
    CSymbol* gate = PlacePart({{"A", {6400, -3900}, {6300, -3900}},
                               {"B", {6400, -4100}, {6300, -4100}},
                               {"Y", {6650, -4000}, {6800, -4000}}});
    Choose(kToolWire);
    DrawWire(CPoint(6000, -4200), CPoint(6300, -3900));
    CWire* first = LastWire();
    DrawWire(CPoint(6000, -3800), CPoint(6300, -4100));
    CWire* second = LastWire();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, first);
    EXPECT_EQ(first->GetStartObject(), resistor->FindPin("1"));
    EXPECT_EQ(first->GetEndObject(), gate->FindPin("A"));
    EXPECT_EQ(second->GetStartObject(), resistor->FindPin("2"));
    EXPECT_EQ(second->GetEndObject(), gate->FindPin("B"));
    EXPECT_NE(first->GetNet(), second->GetNet());
    EXPECT_EQ(FalseJoin(doc, *first), "");
    EXPECT_EQ(FalseJoin(doc, *second), "");
}

// Two resistors on one line, pins pointing outwards: a wire between the outer ends would run
// along both resistors' pins and through their bodies. It steps aside and comes back.
TEST_F(WireToolTest, AWireBetweenPinEndsOnOneLineStepsAsideOfThePins) {
    CSymbol* left =
        PlacePart({{"1", {900, -2000}, {800, -2000}}, {"2", {1100, -2000}, {1200, -2000}}});
    CSymbol* right =
        PlacePart({{"1", {1900, -2000}, {1800, -2000}}, {"2", {2100, -2000}, {2200, -2000}}});
    Choose(kToolWire);
    DrawWire(CPoint(800, -2000), CPoint(2200, -2000));
    CWire* wire = LastWire();
    ASSERT_NE(wire, nullptr);
    EXPECT_EQ(wire->GetStartObject(), left->FindPin("1"));
    EXPECT_EQ(wire->GetEndObject(), right->FindPin("2"));
    EXPECT_EQ(wire->GetPoint(0), CPoint(800, -2000));
    EXPECT_EQ(wire->GetPoint(wire->GetPointCount() - 1), CPoint(2200, -2000));
    EXPECT_EQ(FalseJoin(doc, *wire), "");
}

TEST_F(WireToolTest, ADoubleClickRightAfterTheFirstClickTakesTheWireBack) {
    PlacePin(CPoint(1000, -1000), "1");
    const std::vector<BYTE> before = DocumentBytes(doc);
    Choose(kToolWire);
    Click(1000, -1000);
    Tool().OnLButtonDblClk(view, 0, ToolTestView::At(1000, -1000));
    EXPECT_EQ(DocumentBytes(doc), before);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
}

TEST_F(WireToolTest, ADoubleClickEndsAWireWithoutItsFloatingPoints) {
    Choose(kToolWire);
    Click(1000, -1000);
    Move(2000, -1000);
    DoubleClick(2000, -1000);
    CWire* wire = LastWire();
    ASSERT_NE(wire, nullptr);
    ASSERT_EQ(wire->GetPointCount(), 2);
    EXPECT_EQ(wire->GetPoint(1), CPoint(2000, -1000));
    EXPECT_EQ(Steps(), 1);
}

TEST_F(WireToolTest, EscWhileDrawingLeavesTheDocumentByteIdentical) {
    PlacePin(CPoint(1000, -1000), "1");
    const std::vector<BYTE> before = DocumentBytes(doc);
    Choose(kToolWire);
    Click(1000, -1000);
    Move(2000, -1500);
    Click(2000, -1500);
    Move(2500, -2500);
    Escape();
    EXPECT_EQ(DocumentBytes(doc), before);
    EXPECT_EQ(Steps(), 0);
}

// Wires from (1000, y) to a bus at x = 5000, for y = -1000, -2000, -3000, each starting on a
// pin with the identifier given or on nothing; the names they take.
std::vector<CString> NamesFromBus(const char* busName, const char* pinId) {
    ToolTest test;
    auto* bus = new CBus();
    bus->AddPoint(CPoint(5000, 0));
    bus->AddPoint(CPoint(5000, -5000));
    bus->SetDocument(&test.doc);
    test.doc.GetObjects().AddTail(bus);
    bus->SetAttr("_ID", busName, kSetAttrForce);
    std::vector<CString> names;
    for (LONG y = -1000; y >= -3000; y -= 1000) {
        if (pinId) {
            auto* symbol = new CSymbol();
            auto* pin = new CPin(symbol);
            pin->SetEnds(CPoint(800, y), CPoint(1000, y));
            pin->SetAttr("_ID", pinId, kSetAttrForce);
            symbol->GetPins().AddTail(pin);
            symbol->SetDocument(&test.doc);
            symbol->RecalcBounds(nullptr);
            test.doc.GetObjects().AddTail(symbol);
        }
        test.Choose(kToolWire);
        test.Click(1000, y);
        test.Move(5000, y);
        test.Click(5000, y);
        CWire* wire = nullptr;
        for (POSITION pos = test.doc.GetObjects().GetTailPosition(); pos && !wire;) {
            auto* object = static_cast<CDrawObj*>(test.doc.GetObjects().GetPrev(pos));
            if (object->GetObjType() == kObjWire)
                wire = static_cast<CWire*>(object);
        }
        EXPECT_EQ(wire->GetEndObject(), bus);
        names.push_back((wire->GetNet()->GetFlags() & kNetNamed) ? wire->GetAttr("_ID") : "");
    }
    return names;
}

TEST_F(WireToolTest, AWireEndingOnABusTakesTheNameOfAMember) {
    struct Case {
        const char* bus;
        const char* pin;  // null: the wires start on nothing
        std::vector<CString> names;
    };
    const Case cases[] = {{"D[0..7]", "A3", {"D3", "D3", "D3"}},
                          {"D[0..7]", nullptr, {"D0", "D1", "D2"}},
                          // A pin number that no member has falls back to the members in turn.
                          {"D[0..7]", "A9", {"D0", "D1", "D2"}},
                          {"CLK", nullptr, {"", "", ""}}};
    for (const Case& c : cases)
        EXPECT_EQ(NamesFromBus(c.bus, c.pin), c.names) << c.bus << " " << (c.pin ? c.pin : "-");
}

// A wire drawn from a bus to the pin of a power rail's connector takes a member's name, and the
// connector that name with it, leaving its rail; the net of that name, when the sheet has one
// already, takes the wire in. All of it is the one step that adds the wire: undo gives back the
// bytes from before the wire, redo those after. A net of the member's name that was not named
// by the user is named in the step too.
enum class MemberNet { kNone, kNamed, kUnnamed };
class BusToRailTest : public WireToolTest, public ::testing::WithParamInterface<MemberNet> {};

TEST_P(BusToRailTest, TheConnectorRenamedGoesBackWithTheWire) {
    doc.SetAttribute("Power1", "+5v", 0);
    PlaceBus(CPoint(3000, -500), CPoint(3000, -4000), "D[0..7]");
    if (GetParam() != MemberNet::kNone) {
        PlacePin(CPoint(1000, -1000), "A0");
        Choose(kToolWire);
        DrawWire(CPoint(1000, -1000), CPoint(3000, -1000));
        CNet* existing = doc.FindNet("D0");
        ASSERT_NE(existing, nullptr);
        if (GetParam() == MemberNet::kUnnamed)
            existing->SetFlags(0, kNetNamed);
    }
    CSymbol* rail = PlacePin(CPoint(1000, -2000), "+5v")->GetOwner();
    rail->SetFlags(kSymbolNetConnector, kSymbolKindMask);
    rail->SetAttr("Rail", "Power1", kSetAttrForce);
    rail->SetAttr("_ID", "+5v", kSetAttrForce);
    const std::vector<BYTE> before = DocumentBytes(doc);
    const int steps = Steps();

    Choose(kToolWire);
    DrawWire(CPoint(3000, -2000), CPoint(1000, -2000));
    EXPECT_EQ(Steps(), steps + 1);
    EXPECT_EQ(rail->GetAttr("_ID"), "D0");
    EXPECT_EQ(rail->GetAttr("Rail"), "");
    const CNet* net = doc.FindNet("D0");
    ASSERT_NE(net, nullptr);
    EXPECT_TRUE(net->GetFlags() & kNetNamed);
    const std::vector<BYTE> after = DocumentBytes(doc);

    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(DocumentBytes(doc), before);
    EXPECT_EQ(rail->GetAttr("_ID"), "+5v");
    EXPECT_EQ(rail->GetAttr("Rail"), "Power1");
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(DocumentBytes(doc), after);
}

INSTANTIATE_TEST_SUITE_P(MemberNets, BusToRailTest,
                         ::testing::Values(MemberNet::kNone, MemberNet::kNamed,
                                           MemberNet::kUnnamed));

// Moving a symbol drags the wire on its pin along, as one step that undoes to the same bytes.
TEST_F(WireToolTest, AMovedSymbolTakesItsWireAlong) {
    PlacePin(CPoint(1000, -1000), "1");
    PlacePin(CPoint(3000, -2000), "2");
    Choose(kToolWire);
    DrawWire(CPoint(1000, -1000), CPoint(3000, -2000));
    Choose(kToolSelect);
    const std::vector<BYTE> drawn = DocumentBytes(doc);
    Drag(CPoint(900, -1000), CPoint(900, -1500));
    ASSERT_EQ(Steps(), 2);
    CWire* wire = LastWire();
    auto* pin = dynamic_cast<CPin*>(wire->GetStartObject());
    ASSERT_NE(pin, nullptr);
    EXPECT_EQ(pin->GetConnectPoint(), CPoint(1000, -1500));
    EXPECT_EQ(wire->GetPoint(0), CPoint(1000, -1500));
    EXPECT_EQ(pin->GetWire(), wire);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(DocumentBytes(doc), drawn);
}

// A press with the select tool on a pin of a symbol starts a wire there.
TEST_F(WireToolTest, TheSelectToolStartsAWireOnAPin) {
    CPin* pin = PlacePin(CPoint(1000, -1000), "1");
    Click(1000, -1000);
    EXPECT_EQ(tools.state.currentShape, kToolWire);
    ASSERT_TRUE(Tool().HasOpenObject());
    EXPECT_EQ(LastWire()->GetStartObject(), pin);
}

// The free start of a wire is dragged as the start, the end staying where it was.
TEST_F(WireToolTest, PressingTheFreeStartDragsTheStart) {
    CPin* pin = PlacePin(CPoint(1000, -3000), "1");
    Choose(kToolWire);
    Click(1000, -1000);
    Move(2000, -1000);
    DoubleClick(2000, -1000);
    Choose(kToolWire);
    Click(1000, -1000);
    Move(1000, -3000);
    Click(1000, -3000);
    CWire* rerouted = LastWire();
    ASSERT_EQ(Steps(), 2);
    EXPECT_EQ(pin->GetWire(), rerouted);
    const CPoint ends[] = {rerouted->GetPointFromEnd(0, 0), rerouted->GetPointFromEnd(1, 0)};
    EXPECT_TRUE((ends[0] == CPoint(2000, -1000)) != (ends[1] == CPoint(2000, -1000)));
    EXPECT_TRUE((ends[0] == CPoint(1000, -3000)) != (ends[1] == CPoint(1000, -3000)));
}

TEST_F(WireToolTest, ABusNeverEndsOnAPlainWire) {
    Choose(kToolWire);
    DrawWire(CPoint(1000, -3000), CPoint(3000, -3000));
    Choose(kToolBus);
    Click(2000, -1000);
    Move(2000, -3000);
    Click(2000, -3000);
    ASSERT_TRUE(Tool().HasOpenObject());
    EXPECT_EQ(LastWire()->GetObjType(), kObjBus);
    Escape();
}

TEST_F(WireToolTest, TheFreeEndOfAWireIsDraggedToAPinAsOneReroute) {
    CPin* pin = PlacePin(CPoint(3000, -2000), "1");
    Choose(kToolWire);
    Click(1000, -1000);
    Move(2000, -1000);
    DoubleClick(2000, -1000);
    CWire* old = LastWire();
    ASSERT_EQ(Steps(), 1);
    const std::vector<BYTE> drawn = DocumentBytes(doc);
    // Esc while the end is held puts the wire back as it was.
    Choose(kToolWire);
    Click(2000, -1000);
    EXPECT_EQ(tools.state.currentShape, kToolWireDrag);
    Move(2500, -1500);
    Escape();
    EXPECT_EQ(DocumentBytes(doc), drawn);
    EXPECT_EQ(LastWire(), old);
    // Dragged to the pin, it is replaced by a re-routed copy in one step.
    Choose(kToolWire);
    Click(2000, -1000);
    Move(3000, -2000);
    Click(3000, -2000);
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
    ASSERT_EQ(Steps(), 2);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "wire re-route");
    CWire* rerouted = LastWire();
    EXPECT_NE(rerouted, old);
    EXPECT_EQ(rerouted->GetEndObject(), pin);
    EXPECT_EQ(pin->GetWire(), rerouted);
    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(DocumentBytes(doc), drawn);
}

// The attribute texts of the document whose owner is gone: none, or not in the document, or
// keeping no back-link to the text.
int OwnerlessTexts(CDrawDoc& doc) {
    int ownerless = 0;
    for (POSITION pos = doc.GetObjects().GetHeadPosition(); pos;) {
        auto* text = dynamic_cast<CAttrText*>(doc.GetObjects().GetNext(pos));
        if (!text || text->GetOwnerDocument() == &doc)
            continue;
        CDrawObj* owner = text->GetOwnerObject();
        const CObList* texts = owner ? owner->GetAttrTextList() : nullptr;
        if (!owner || !doc.IsListed(owner) || !texts || !texts->Find(text))
            ++ownerless;
    }
    return ownerless;
}

// A wire named from a bus shows its name; re-routing its free start leaves no text behind
// without its wire, in the document or in its file: the label goes over to the re-routed
// wire, and undo gives it back to the wire it had.
TEST_F(WireToolTest, ARerouteLeavesNoLabelWithoutItsWire) {
    PlaceBus(CPoint(3000, -500), CPoint(3000, -4000), "D[0..7]");
    Choose(kToolWire);
    DrawWire(CPoint(1000, -1000), CPoint(3000, -1000));
    CWire* named = LastWire();
    ASSERT_EQ(named->GetAttr("_ID"), "D0");
    CAttrText* label = named->FindAttrText("_ID");
    ASSERT_NE(label, nullptr);
    ASSERT_TRUE(doc.IsListed(label));
    const std::vector<BYTE> drawn = DocumentBytes(doc);

    Choose(kToolWire);
    Click(1000, -1000);
    ASSERT_EQ(tools.state.currentShape, kToolWireDrag);
    Move(1000, -3000);
    Click(1000, -3000);
    tools.EndGesture(view, GestureEnd::Finish);
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "wire re-route");
    ASSERT_NE(LastWire(), named);
    EXPECT_EQ(LastWire()->GetAttr("_ID"), "D0");
    EXPECT_TRUE(doc.IsListed(label));
    EXPECT_EQ(label->GetOwnerObject(), LastWire());
    EXPECT_EQ(label->GetText(), "D0");
    EXPECT_EQ(OwnerlessTexts(doc), 0);
    const std::vector<BYTE> rerouted = DocumentBytes(doc);

    testsupport::TempDir dir;
    const std::string path = (dir / "rerouted.sch").string();
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    CDrawDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(path.c_str()));
    EXPECT_EQ(OwnerlessTexts(loaded), 0);

    ASSERT_TRUE(doc.GetUndoList().Undo());
    EXPECT_EQ(DocumentBytes(doc), drawn);
    EXPECT_EQ(named->FindAttrText("_ID"), label);
    EXPECT_EQ(label->GetOwnerObject(), named);
    ASSERT_TRUE(doc.GetUndoList().Redo());
    EXPECT_EQ(DocumentBytes(doc), rerouted);
    EXPECT_EQ(OwnerlessTexts(doc), 0);
}

// A click a little beside a pin's end, too far for the pin itself to take it, lands on the
// grid point that is the pin's end: the wire, bus or dragged end that lies there is linked.
TEST_F(WireToolTest, APointSnappedOntoAPinBesideItIsLinkedToThePin) {
    CPin* a = PlacePin(CPoint(1000, -1000), "1");
    CPin* b = PlacePin(CPoint(3000, -2000), "2");
    Choose(kToolWire);
    Click(1040, -1005);
    ASSERT_TRUE(Tool().HasOpenObject());
    EXPECT_EQ(LastWire()->GetStartObject(), a);
    Move(2955, -1990);
    Click(2955, -1990);
    CWire* wire = LastWire();
    EXPECT_FALSE(Tool().HasOpenObject()) << "the click beside the pin ends the wire";
    EXPECT_EQ(wire->GetPointFromEnd(1, 0), CPoint(3000, -2000));
    EXPECT_EQ(wire->GetEndObject(), b);
    EXPECT_EQ(a->GetWire(), wire);
    EXPECT_EQ(b->GetWire(), wire);
    ASSERT_TRUE(doc.GetUndoList().Undo());

    // A double click there ends it the same.
    Choose(kToolWire);
    Click(1000, -1000);
    Move(2960, -2000);
    DoubleClick(2960, -2000);
    EXPECT_EQ(LastWire()->GetEndObject(), b);
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
    ASSERT_TRUE(doc.GetUndoList().Undo());

    // The bus tool alike.
    Choose(kToolBus);
    Click(960, -1000);
    Move(3000, -2040);
    Click(3000, -2040);
    CWire* bus = LastWire();
    EXPECT_EQ(bus->GetObjType(), kObjBus);
    EXPECT_EQ(bus->GetStartObject(), a);
    EXPECT_EQ(bus->GetEndObject(), b);
}

TEST_F(WireToolTest, AnEndDraggedBesideAPinIsLinkedToThePin) {
    CPin* pin = PlacePin(CPoint(3000, -2000), "1");
    Choose(kToolWire);
    Click(1000, -1000);
    Move(2000, -1000);
    DoubleClick(2000, -1000);
    Choose(kToolWire);
    Click(2000, -1000);
    ASSERT_EQ(tools.state.currentShape, kToolWireDrag);
    Move(3045, -2000);
    Click(3045, -2000);
    EXPECT_EQ(tools.state.currentShape, kToolSelect);
    EXPECT_STREQ(doc.GetUndoList().GetUndoName(), "wire re-route");
    EXPECT_EQ(LastWire()->GetEndObject(), pin);
    EXPECT_EQ(pin->GetWire(), LastWire());
}

// Three symbols, wires between their pins with a junction, and a bus, drawn with the tools,
// saved and read back. The first two pins face each other.
TEST_F(WireToolTest, ADrawnCircuitSavesAndLoadsWithTheSameObjectsAndNets) {
    PlacePin(CPoint(1000, -1000), "1");
    PlacePart({{"2", {3200, -1000}, {3000, -1000}}});
    PlacePin(CPoint(3000, -3000), "3");
    PlaceBus(CPoint(6000, -500), CPoint(6000, -4000), "D[0..3]");
    Choose(kToolWire);
    DrawWire(CPoint(1000, -1000), CPoint(3000, -1000));
    DrawWire(CPoint(3000, -3000), CPoint(2000, -1000));
    DrawWire(CPoint(4000, -2000), CPoint(6000, -2000));
    Choose(kToolBus);
    Click(7000, -1000);
    Move(7000, -3000);
    DoubleClick(7000, -3000);
    Choose(kToolSelect);
    ASSERT_EQ(Steps(), 4);
    const CObList& objects = doc.GetObjects();
    auto* first = static_cast<CWire*>(objects.GetAt(objects.FindIndex(4)));
    auto* second = static_cast<CWire*>(objects.GetAt(objects.FindIndex(5)));
    EXPECT_EQ(second->GetEndObject(), first);
    EXPECT_EQ(second->GetNet(), first->GetNet());
    // Every gesture is one step: all of them undone and redone give the same sheet.
    const std::vector<BYTE> drawn = DocumentBytes(doc);
    EXPECT_EQ(doc.GetUndoList().Undo(4), 4);
    EXPECT_EQ(doc.GetObjects().GetCount(), 4);
    EXPECT_EQ(doc.GetUndoList().Redo(4), 4);
    EXPECT_EQ(DocumentBytes(doc), drawn);
    testsupport::TempDir dir;
    const std::string path = (dir / "circuit.sch").string();
    ASSERT_TRUE(doc.OnSaveDocument(path.c_str()));
    CDrawDoc loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(path.c_str()));
    EXPECT_EQ(DocumentBytes(loaded), DocumentBytes(doc));
    EXPECT_EQ(loaded.GetObjects().GetCount(), objects.GetCount());
}

}  // namespace
