// The body colours of the sub-circuit wizard's block: a colour, "Automatic" (no colour of its
// own) or "None" (the part is not drawn), and what the body of the built symbol then has.

#include "model/symbol/SubcctLook.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/object/DrawObj.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/SubcctLayout.h"
#include "model/symbol/SubcctSymbolBuilder.h"
#include "model/symbol/Symbol.h"

namespace {

CDrawRect* BodyOf(CSymbol& symbol) {
    return static_cast<CDrawRect*>(symbol.GetGraphics().GetHead());
}

TEST(SubcctLookTest, NoneHidesThePartAndIsNotRemembered) {
    SubcctLook look;
    EXPECT_EQ(look.Choose(SubcctBodyPart::kFill, std::nullopt), std::nullopt);
    EXPECT_FALSE(look.filled);
    EXPECT_TRUE(look.outlined);
    EXPECT_EQ(look.fill, 0xB0FFFFu);  // the colour is kept for a later choice

    EXPECT_EQ(look.Choose(SubcctBodyPart::kOutline, std::nullopt), std::nullopt);
    EXPECT_FALSE(look.outlined);
    EXPECT_EQ(look.outline, 0xFF0000u);

    // A colour draws the part again.
    EXPECT_EQ(look.Choose(SubcctBodyPart::kFill, COLORREF(0x00FF00)), COLORREF(0x00FF00));
    EXPECT_TRUE(look.filled);
    EXPECT_EQ(look.fill, 0x00FF00u);
}

TEST(SubcctLookTest, AutomaticIsRememberedAsMinusOne) {
    SubcctLook look;
    look.Choose(SubcctBodyPart::kOutline, std::nullopt);
    const std::optional<COLORREF> stored = look.Choose(SubcctBodyPart::kOutline, kDefaultColour);
    ASSERT_TRUE(stored);
    EXPECT_EQ(int(*stored), -1);
    EXPECT_TRUE(look.outlined);
    EXPECT_EQ(look.outline, kDefaultColour);
}

TEST(SubcctLookTest, TheBodyTakesTheLook) {
    const std::vector<SubcctSignal> signals{{"IN", kSubcctInto}};
    SubcctLook look{.style = kSubcctSimple};
    look.Choose(SubcctBodyPart::kOutline, std::nullopt);
    std::unique_ptr<CSymbol> symbol(BuildSubcctSymbol(signals, look));
    EXPECT_EQ(BodyOf(*symbol)->GetFlags() & 0x3, 0x1u);  // filled, not outlined
    EXPECT_EQ(BodyOf(*symbol)->GetBrush().lbColor, 0xB0FFFFu);

    // Automatic colours follow the document's defaults: no fixed colour is kept, though
    // the body's line style gives it a pen of its own.
    look.Choose(SubcctBodyPart::kOutline, kDefaultColour);
    look.Choose(SubcctBodyPart::kFill, kDefaultColour);
    symbol.reset(BuildSubcctSymbol(signals, look));
    CDrawRect* body = BodyOf(*symbol);
    EXPECT_EQ(body->GetFlags() & 0x3, 0x3u);
    ASSERT_NE(body->GetOwnPen(), nullptr);
    EXPECT_EQ(body->GetOwnPen()->lopnColor, kDefaultColour);
    EXPECT_EQ(body->GetBrush().lbColor, body->GetDefaultBrush().lbColor);
    EXPECT_EQ(body->GetPen().lopnColor, body->GetDefaultPen().lopnColor);
}

}  // namespace
