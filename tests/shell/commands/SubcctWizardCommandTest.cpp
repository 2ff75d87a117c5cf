// The sub-circuit wizard's symbol placed on the sheet.

#include <gtest/gtest.h>

#include "model/doc/DrawDoc.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/SubcctLayout.h"
#include "model/symbol/SubcctSymbolBuilder.h"
#include "model/symbol/Symbol.h"
#include "shell/commands/SubcctWizardCommand.h"

namespace {

TEST(SubcctWizardCommandTest, TheSymbolGoesToTheFirstFreePlace) {
    CDrawDoc doc;
    doc.AddObject(std::make_unique<CDrawRect>(CRect(600, -550, 650, -650)));
    CSymbol* symbol = BuildSubcctSymbol({{"IN", kSubcctInto}}, {});
    CRect before = symbol->GetPosition();
    before.NormalizeRect();
    ASSERT_TRUE(PlaceSubcctSymbol(doc, symbol));
    EXPECT_EQ(doc.GetObjects().GetCount(), 2);
    EXPECT_EQ(doc.GetObjects().GetTail(), symbol);
    // Below the rectangle: the block's left edge at 500 and its upper edge at -700.
    EXPECT_EQ(symbol->GetMatrix()[2], 500 - before.left);
    EXPECT_EQ(symbol->GetMatrix()[5], -700 - before.bottom);
}

}  // namespace
