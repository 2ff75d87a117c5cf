#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/shapes/ShapeTestSupport.h"
#include "model/symbol/SpiceSymbol.h"
#include "support/ScriptedPrompt.h"

using namespace shapetest;

namespace {

std::vector<CString> Texts(std::initializer_list<const char*> texts) {
    return std::vector<CString>(texts.begin(), texts.end());
}

const std::vector<CString> kDefaultPulse = Texts({"5V", "0V", "0", "0", "0", "0", "1"});

}  // namespace

// Without stored parameters the record is the symbol's and the kind, and the defaults hold.
TEST(SpiceSymbolTest, NewSourceStoresTheKindAfterTheSymbolRecord) {
    CSpiceSymbol source;
    CSymbol plain;
    const Bytes spice = StoreObject(&source);
    const Bytes symbol = StoreObject(&plain);
    const std::size_t extra = NewClassTag("CSpiceSymbol").size() - NewClassTag("CSymbol").size();
    ASSERT_EQ(spice.size(), symbol.size() + extra + 4);
    EXPECT_EQ(Bytes(spice.end() - 4, spice.end()), (Bytes{0, 0, 0, 0}));
    const auto loaded = RoundTrip(source);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetSet(CSpiceSymbol::kDc), Texts({"5V"}));
    EXPECT_EQ(loaded->GetSet(CSpiceSymbol::kPulse), kDefaultPulse);
}

TEST(SpiceSymbolTest, PulseValidation) {
    testsupport::ScriptedPrompt prompt({IDOK});
    CSpiceSymbol source;
    const std::vector<CString> emptyInitial = Texts({"", "0V", "0", "0", "0", "0", "1"});
    EXPECT_EQ(source.ValidatePulse(emptyInitial.data()), 0);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text, "Pulse value invalid");
    const std::vector<CString> badPeriod = Texts({"5V", "0V", "1n", "1n", "1n", "5u", "x"});
    EXPECT_EQ(source.ValidatePulse(badPeriod.data()), 6);
    EXPECT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(source.GetSet(CSpiceSymbol::kPulse), kDefaultPulse);
    const std::vector<CString> valid = Texts({"5V", "0V", "1n", "1n", "1n", "5u", "10u"});
    EXPECT_EQ(source.ValidatePulse(valid.data()), -1);
    EXPECT_EQ(source.GetSet(CSpiceSymbol::kPulse), valid);
}

// Stored parameters travel in the symbol's attributes and come back on loading.
TEST(SpiceSymbolTest, StoredParametersSurviveSaveAndLoad) {
    CSpiceSymbol source;
    source.SetSourceKind(3);
    const std::vector<CString> pulse = Texts({"3.3V", "0V", "1n", "2n", "2n", "50n", "100n"});
    const std::vector<CString> points = Texts({"0", "0V", "1u", "5V"});
    ASSERT_EQ(source.StoreSet(CSpiceSymbol::kPulse, pulse), -1);
    ASSERT_EQ(source.StoreSet(CSpiceSymbol::kPwl, points), -1);
    EXPECT_EQ(source.StoreSet(CSpiceSymbol::kSin, Texts({"0", "1", "1k", "0", "bad"})), 4);
    EXPECT_EQ(source.StoreSet(CSpiceSymbol::kPwl, Texts({"0", "0V", "1u"})), 3);
    EXPECT_EQ(source.GetAttr("SpiceSrc.PWL"),
              "0\x01"
              "0V\x01"
              "1u\x01"
              "5V");
    const auto loaded = RoundTrip(source);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetSourceKind(), 3u);
    EXPECT_EQ(loaded->GetSet(CSpiceSymbol::kPulse), pulse);
    EXPECT_EQ(loaded->GetSet(CSpiceSymbol::kPwl), points);
    EXPECT_EQ(loaded->GetSet(CSpiceSymbol::kDc), Texts({"5V"}));
    const std::unique_ptr<CDrawObj> copy(loaded->Clone(nullptr));
    EXPECT_EQ(static_cast<CSpiceSymbol*>(copy.get())->GetSet(CSpiceSymbol::kPwl), points);
}

// An edit exchanges the kind and the stored sets as a whole; sets never stored stay so.
TEST(SpiceSymbolTest, TheSourceStateCarriesTheKindAndTheStoredSets) {
    CSpiceSymbol source;
    const CSpiceSymbol::SourceState fresh = source.GetSourceState();
    EXPECT_FALSE(fresh.sets[CSpiceSymbol::kDc].has_value());
    CSpiceSymbol::SourceState state;
    state.kind = CSpiceSymbol::kPwl;
    state.sets[CSpiceSymbol::kPwl] = CString(
        "0\x01"
        "1V");
    state.sets[CSpiceSymbol::kDc] = CString("3V");
    source.SetSourceState(state);
    EXPECT_EQ(source.GetSourceKind(), static_cast<DWORD>(CSpiceSymbol::kPwl));
    EXPECT_EQ(source.GetSet(CSpiceSymbol::kPwl), Texts({"0", "1V"}));
    EXPECT_EQ(source.GetSet(CSpiceSymbol::kDc), Texts({"3V"}));
    EXPECT_TRUE(source.GetSourceState() == state);
    source.SetSourceState(fresh);
    EXPECT_EQ(source.GetSet(CSpiceSymbol::kDc), Texts({"5V"}));
    EXPECT_TRUE(source.GetSet(CSpiceSymbol::kPwl).empty());
    EXPECT_FALSE(source.GetAttrMap()->Lookup("SpiceSrc.DC", state.sets[0].emplace()));
}

TEST(SpiceSymbolTest, EachSetHasALabelPerParameter) {
    EXPECT_EQ(CSpiceSymbol::GetLabels(CSpiceSymbol::kDc).size(), 1u);
    EXPECT_EQ(CSpiceSymbol::GetLabels(CSpiceSymbol::kPulse).size(), 7u);
    EXPECT_EQ(CSpiceSymbol::GetLabels(CSpiceSymbol::kSin).size(), 5u);
    EXPECT_EQ(CSpiceSymbol::GetLabels(CSpiceSymbol::kExp).size(), 6u);
    EXPECT_EQ(CSpiceSymbol::GetLabels(CSpiceSymbol::kPwl).size(), 32u);
    EXPECT_STREQ(CSpiceSymbol::GetLabels(CSpiceSymbol::kSffm)[2], "Carrier Frequency (Hz)");
}
