// The sub-circuit wizard's symbol: pins named, typed and placed per signal, bus pins for
// ranges, the body first in the graphics and a port outline per pin when ports are shown.

#include <gtest/gtest.h>

#include <memory>

#include "model/shapes/DrawPoly.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/SubcctLayout.h"
#include "model/symbol/SubcctSymbolBuilder.h"
#include "model/symbol/Symbol.h"

namespace {

CString Attr(CDrawObj& object, const char* name) {
    CString value;
    object.LookupAttr(name, value);
    return value;
}

TEST(SubcctSymbolBuilderTest, PinsFollowTheSignals) {
    const std::vector<SubcctSignal> signals{{"CLK", kSubcctInto}, {"D[0..3]", kSubcctOut}};
    const std::unique_ptr<CSymbol> symbol(BuildSubcctSymbol(signals, {.style = kSubcctSimple}));
    EXPECT_EQ(symbol->GetKind(), kSymbolSubCircuit);
    EXPECT_EQ(symbol->GetFlags() & kSymbolPinNamesMask, kSymbolPinNamesAll);
    EXPECT_EQ(Attr(*symbol, "_Name"), CString("Sub-circuit"));
    EXPECT_EQ(Attr(*symbol, "_Pref"), CString("X"));
    ASSERT_EQ(symbol->GetPins().GetCount(), 2);
    auto* clk = static_cast<CPin*>(symbol->GetPins().GetHead());
    auto* bus = static_cast<CPin*>(symbol->GetPins().GetTail());
    EXPECT_EQ(Attr(*clk, "_ID"), CString("CLK"));
    EXPECT_EQ(clk->GetFlags() & kPinSymbolMask, kPinNormal);
    EXPECT_TRUE(clk->GetFlags() & kPinShowName);
    EXPECT_EQ((clk->GetFlags() & kPinTypeMask) >> kPinTypeShift, 0u);  // Input Pin
    EXPECT_EQ(bus->GetFlags() & kPinSymbolMask, kPinBus);
    EXPECT_EQ((bus->GetFlags() & kPinTypeMask) >> kPinTypeShift, 1u);  // Output Pin
    // Simple style: the body only.
    ASSERT_EQ(symbol->GetGraphics().GetCount(), 1);
    auto* body = dynamic_cast<CDrawRect*>(symbol->GetGraphics().GetHead());
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetPosition(), CRect(200, -200, 1100, -600));
    EXPECT_EQ(body->GetFlags() & 0x3, 0x3u);
}

TEST(SubcctSymbolBuilderTest, PortsShownAddsAnOutlinePerPinAfterTheBody) {
    const std::vector<SubcctSignal> signals{{"A", kSubcctInto}, {"B", kSubcctBidirectional}};
    const std::unique_ptr<CSymbol> symbol(BuildSubcctSymbol(signals, {}));
    ASSERT_EQ(symbol->GetGraphics().GetCount(), 3);
    EXPECT_NE(dynamic_cast<CDrawRect*>(symbol->GetGraphics().GetHead()), nullptr);
    auto* port =
        dynamic_cast<CDrawPoly*>(symbol->GetGraphics().GetAt(symbol->GetGraphics().FindIndex(1)));
    ASSERT_NE(port, nullptr);
    ASSERT_EQ(port->GetPointCount(), 5);
    EXPECT_EQ(port->GetPoint(0), CPoint(200, -440));
    EXPECT_EQ(port->GetPoint(3), CPoint(600, -400));
}

TEST(SubcctSymbolBuilderTest, NoFillAndAFileOfItsOwn) {
    const std::vector<SubcctSignal> signals{{"IN", kSubcctInto}};
    const SubcctLook look{.style = kSubcctSimple, .filled = false};
    const std::unique_ptr<CSymbol> symbol(
        BuildSubcctSymbol(signals, look, "/tmp/filter.sch", "filter"));
    auto* body = static_cast<CDrawRect*>(symbol->GetGraphics().GetHead());
    EXPECT_EQ(body->GetFlags() & 0x3, 0x2u);
    EXPECT_EQ(Attr(*symbol, "_Name"), CString("filter"));
    EXPECT_EQ(Attr(*symbol, "_Subcct"), CString("/tmp/filter.sch"));
}

}  // namespace
