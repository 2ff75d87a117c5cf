#include "library/PartSource.h"

#include <gtest/gtest.h>

#include <sstream>

#include "model/device/Device.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"

namespace {

void Read(const std::string& text, PartSources& sources) {
    std::istringstream in(text);
    ReadPartSource(in, "test.parts", sources);
}

TEST(PartSourceTest, SymbolTakesItsPinsAttributesTextsAndGates) {
    PartSources sources;
    Read(
        "library l.rlb \"Lib\"\n"
        "symbol 7400 \"Quad NAND\" device  # the item\n"
        "attr _Name NAND2\n"
        "attr Spice.SubcktDef \"1 2\\nE1\"\n"
        "rect -100 150 0 -150\n"
        "pin A - -100 100 -200 100 input noname\n"
        "pin Y 3 150 0 300 0 output bubble\n"
        "device 7400\n"
        "dattr _Pref U\n"
        "gate A A=1 Y=3\n"
        "gate B A=4 Y=6\n"
        "show _Name 0 200\n"
        "end\n",
        sources);
    ASSERT_EQ(sources.libraries.size(), 1u);
    const PartItem* item = sources.FindItem("7400");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->description, "Quad NAND");
    ASSERT_EQ(item->objects.GetCount(), 2);
    auto* symbol = dynamic_cast<CSymbol*>(item->objects.GetHead());
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->GetKind(), kSymbolDevice);
    EXPECT_EQ(symbol->GetAttr("Spice.SubcktDef"), "1 2\nE1");
    EXPECT_EQ(symbol->GetAttr("_Desc"), "Quad NAND");
    CPin* y = symbol->FindPin("Y");
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->GetFlags() & kPinSymbolMask, kPinBubble);
    EXPECT_EQ(y->GetHotEnd(), CPoint(300, 0));
    EXPECT_EQ(symbol->FindPin("A")->GetFlags() & kPinShowName, 0u);
    ASSERT_NE(symbol->GetDevice(), nullptr);
    EXPECT_EQ(symbol->GetDevice()->GetAttr("_Pref"), "U");
    CString number;
    symbol->GetDevice()->GetPinNumber(number, "NAND2", "B", "Y");
    EXPECT_EQ(number, "6");
    auto* text = dynamic_cast<CAttrText*>(item->objects.GetTail());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetOwner(), symbol);
    EXPECT_EQ(symbol->GetAttrTextList()->GetCount(), 1);
}

TEST(PartSourceTest, MistakesNameTheLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"symbol R \"r\" device\nend\n", "test.parts:1: a symbol before any library"},
        {"library l.rlb L\nsymbol R \"r\" device\n", "test.parts:2: missing end"},
        {"library l.rlb L\nsymbol R r resistor\n", "test.parts:2: unknown word: resistor"},
        {"library l.rlb L\nsymbol R r device\nline 0 0 x 1\n", "test.parts:3: not a number: x"},
        {"library l.rlb \"L\n", "test.parts:1: unterminated quoted text"},
        {"palette p.sbc P\nbutton R\nline\n", "test.parts:3: wrong number of words for line"},
    };
    for (const auto& c : cases) {
        PartSources sources;
        try {
            Read(c.text, sources);
            ADD_FAILURE() << c.text;
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

}  // namespace
