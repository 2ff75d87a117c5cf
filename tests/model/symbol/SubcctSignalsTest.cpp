// The sub-circuit wizard's signals: typed name lists, reuse without case, removal, the ports
// of a schematic, and the order and sides the pins get.

#include <gtest/gtest.h>

#include <memory>

#include "model/doc/DrawDoc.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SubcctLayout.h"
#include "model/symbol/SubcctSignals.h"
#include "model/symbol/Symbol.h"

namespace {

std::vector<CString> Names(const std::vector<SubcctSignal>& signals) {
    std::vector<CString> names;
    for (const SubcctSignal& signal : signals)
        names.push_back(signal.name);
    return names;
}

TEST(SubcctSignalsTest, ARangeAddsOneSignalPerNameOrOneBusSignal) {
    CSubcctSignals signals;
    EXPECT_TRUE(signals.Add(" D[0..3] ", kSubcctOut, false));
    EXPECT_EQ(Names(signals.All()), (std::vector<CString>{"D0", "D1", "D2", "D3"}));
    CSubcctSignals bus;
    EXPECT_TRUE(bus.Add("D[0..3]", kSubcctOut, true));
    EXPECT_EQ(Names(bus.All()), (std::vector<CString>{"D[0..3]"}));
    EXPECT_FALSE(bus.Add("   ", kSubcctInto, false));
    EXPECT_EQ(bus.All().size(), 1u);
}

TEST(SubcctSignalsTest, ANameTypedAgainIsReusedAndRemovedOnesGo) {
    CSubcctSignals signals;
    signals.Add("CLK", kSubcctInto, false);
    signals.Add("clk", kSubcctOther, false);
    ASSERT_EQ(signals.All().size(), 1u);
    EXPECT_EQ(signals.All()[0].name, CString("CLK"));
    EXPECT_EQ(SignalDirection(signals.All()[0].word), kSubcctOther);
    signals.Add("A, B", kSubcctInto, false);
    signals.Remove("a");
    EXPECT_EQ(Names(signals.All()), (std::vector<CString>{"CLK", "B"}));
}

TEST(SubcctSignalsTest, PinsAreOrderedAndPlacedByDirection) {
    CSubcctSignals signals;
    signals.Add("B", kSubcctOther, false);
    signals.Add("A10", kSubcctInto, false);
    signals.Add("A2", kSubcctBidirectional, false);
    signals.Find("B")->word = WithSide(signals.Find("B")->word, kSubcctDown);
    const std::vector<SubcctSignal> placed = signals.PlacedInOrder();
    EXPECT_EQ(Names(placed), (std::vector<CString>{"A2", "A10", "B"}));
    EXPECT_EQ(SignalSide(placed[0].word), kSubcctRight);
    EXPECT_EQ(SignalSide(placed[1].word), kSubcctLeft);
    EXPECT_EQ(SignalSide(placed[2].word), kSubcctDown);  // its own side kept
}

TEST(SubcctSignalsTest, PortsOfASchematicGiveTheirDirections) {
    CDrawDoc sheet;
    const auto addPort = [&sheet](const char* name, int type) {
        auto port = std::make_unique<CSymbol>();
        port->SetFlags(kSymbolPort, kSymbolKindMask);
        auto* pin = new CPin(port.get());
        pin->SetAttr("_ID", name, kSetAttrForce);
        pin->SetPinType(type);
        port->GetPins().AddTail(pin);
        sheet.AddObject(std::move(port));
    };
    addPort("IN", 0);
    addPort("OUT", 1);
    addPort("IO", 2);
    addPort("X", kPinTypeUserDefined);
    CSubcctSignals signals;
    signals.Add("OLD", kSubcctInto, false);
    signals.FillFromPorts(sheet);
    ASSERT_EQ(Names(signals.All()), (std::vector<CString>{"IN", "OUT", "IO", "X"}));
    EXPECT_EQ(SignalDirection(signals.All()[0].word), kSubcctInto);
    EXPECT_EQ(SignalDirection(signals.All()[1].word), kSubcctOut);
    EXPECT_EQ(SignalDirection(signals.All()[2].word), kSubcctBidirectional);
    EXPECT_EQ(SignalDirection(signals.All()[3].word), kSubcctOther);
}

}  // namespace
