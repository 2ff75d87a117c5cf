// The pin page's view of one or more pins: types by symbol kind, mixed fields, the checks on
// leaving and what OK writes.

#include <gtest/gtest.h>

#include "model/symbol/Pin.h"
#include "model/symbol/PinPropForm.h"
#include "model/symbol/Symbol.h"

namespace {

constexpr DWORD kPortKind = 0x100;

struct PinsOf {
    CSymbol symbol;
    std::vector<CPin*> pins;
    PinsOf(DWORD kind, std::initializer_list<int> types) {
        symbol.SetFlags(kind, kSymbolKindMask);
        int number = 1;
        for (int type : types) {
            auto* pin = new CPin(&symbol);
            symbol.GetPins().AddTail(pin);
            pin->SetPinType(type);
            pin->SetAttr("_ID", ("P" + std::to_string(number++)).c_str(), kSetAttrForce);
            pins.push_back(pin);
        }
    }
};

PinPropForm::Choices Unchanged(const PinPropForm& form) {
    PinPropForm::Choices choices;
    choices.type = form.ShownType();
    choices.symbol = form.ShownSymbol();
    for (int i = 0; i < 4; ++i)
        choices.checks[i] = form.Check(i);
    choices.name = form.name;
    choices.customType = form.customType;
    return choices;
}

TEST(PinPropFormTest, PortPinsShowAndStorePortTypes) {
    PinsOf sheet(kPortKind, {1});
    PinPropForm form = PinPropForm::Load(sheet.pins);
    EXPECT_EQ(form.TypeChoices(), (std::vector<int>{11, 12, 13, 14, 10}));
    EXPECT_EQ(form.ShownType(), 12);
    EXPECT_STREQ(GetPinTypeName(12), "Output Port");
    PinPropForm::Choices choices = Unchanged(form);
    choices.type = 13;
    ASSERT_EQ(form.Leave(choices, nullptr).message, "");
    form.ApplyTo(*sheet.pins[0]);
    EXPECT_EQ((sheet.pins[0]->GetFlags() & kPinTypeMask) >> kPinTypeShift, 2u);
    EXPECT_EQ(PinPropForm::Load(sheet.pins).TypeChoices().size(), 5u);
    PinsOf plain(0x400, {3});
    EXPECT_EQ(PinPropForm::Load(plain.pins).TypeChoices().size(), 11u);
}

TEST(PinPropFormTest, MixedTypesAndFlagsStayEachPinsOwn) {
    PinsOf sheet(0x400, {1, 4});
    sheet.pins[1]->SetFlags(kPinHidden | kPinBubble, kPinHidden | kPinSymbolMask);
    PinPropForm form = PinPropForm::Load(sheet.pins);
    EXPECT_TRUE(form.multiple);
    EXPECT_EQ(form.ShownType(), -1);
    EXPECT_EQ(form.ShownSymbol(), -1);
    EXPECT_EQ(form.Check(3), TriState::kMixed);
    EXPECT_EQ(form.Check(1), TriState::kOn);
    EXPECT_TRUE(form.name.IsEmpty());
    PinPropForm::Choices choices = Unchanged(form);
    choices.checks[1] = TriState::kOff;  // hide the names of both
    ASSERT_EQ(form.Leave(choices, nullptr).message, "") << "no name asked of several pins";
    for (CPin* pin : sheet.pins)
        form.ApplyTo(*pin);
    EXPECT_EQ(sheet.pins[0]->GetPinType(), 1);
    EXPECT_EQ(sheet.pins[1]->GetPinType(), 4);
    EXPECT_EQ(sheet.pins[1]->GetFlags() & (kPinHidden | kPinSymbolMask), kPinHidden | kPinBubble);
    EXPECT_EQ(sheet.pins[0]->GetFlags() & kPinHidden, 0u);
    EXPECT_EQ(sheet.pins[0]->GetFlags() & kPinShowName, 0u);
    EXPECT_EQ(sheet.pins[1]->GetFlags() & kPinShowName, 0u);
    CString id;
    sheet.pins[1]->LookupAttr("_ID", id);
    EXPECT_EQ(id, CString("P2")) << "names are not written for several pins";
}

TEST(PinPropFormTest, SinglePinChecksNameAndCustomType) {
    PinsOf sheet(0x400, {0});
    PinPropForm form = PinPropForm::Load(sheet.pins);
    EXPECT_EQ(form.name, CString("P1"));
    PinPropForm::Choices choices = Unchanged(form);
    choices.name = "";
    EXPECT_EQ(form.Leave(choices, nullptr).message, "Error: A pin must have a name.");
    choices.name = "A0";
    const auto refuse = [](CString&) { return 7; };
    const PinPropForm::Refusal refused = form.Leave(choices, refuse);
    EXPECT_EQ(refused.message, "Error: Property value invalid - A0\nduplicate pin name.");
    EXPECT_EQ(refused.field, PinPropForm::Field::kName);
    choices.type = kPinTypeUserDefined;
    EXPECT_EQ(form.Leave(choices, nullptr).field, PinPropForm::Field::kCustomType);
    choices.customType = "Strobe";
    ASSERT_EQ(form.Leave(choices, nullptr).message, "");
    form.ApplyTo(*sheet.pins[0]);
    EXPECT_EQ(sheet.pins[0]->GetTypeText(), CString("Strobe"));
    CString id;
    sheet.pins[0]->LookupAttr("_ID", id);
    EXPECT_EQ(id, CString("A0"));

    form = PinPropForm::Load(sheet.pins);
    choices = Unchanged(form);
    choices.type = 2;
    ASSERT_EQ(form.Leave(choices, nullptr).message, "");
    form.ApplyTo(*sheet.pins[0]);
    CString type;
    EXPECT_FALSE(sheet.pins[0]->LookupAttr("_Type", type)) << "a listed type drops the name";
}

TEST(PinPropFormTest, APinSymbolTheListLacksIsKeptNotStuck) {
    PinsOf sheet(0x400, {0});
    sheet.pins[0]->SetFlags(kPinInvertingOther, kPinSymbolMask);
    PinPropForm form = PinPropForm::Load(sheet.pins);
    EXPECT_EQ(form.ShownSymbol(), -1);
    ASSERT_EQ(form.Leave(Unchanged(form), nullptr).message, "");
    form.ApplyTo(*sheet.pins[0]);
    EXPECT_EQ(sheet.pins[0]->GetFlags() & kPinSymbolMask, kPinInvertingOther);
}

}  // namespace
