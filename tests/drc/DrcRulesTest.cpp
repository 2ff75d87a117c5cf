#include <gtest/gtest.h>

#include <filesystem>

#include "drc/DrcRules.h"
#include "model/symbol/Pin.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedPrompt.h"

namespace {

// A store that reads no file and is never written.
SettingsStore EmptyStore() {
    return SettingsStore(std::filesystem::temp_directory_path() / "vosk-drc-no-such-file.reg");
}

CDrcRules Defaults() {
    CDrcRules rules;
    rules.SetDefaults();
    return rules;
}

TEST(DrcRulesTest, DefaultsAreStoredAsNamesWithTheirLevelRows) {
    SettingsStore store = EmptyStore();
    Defaults().Save(store);
    EXPECT_EQ(store.GetProfileInt("DRC", "TypeCount", 0), 19u);
    EXPECT_EQ(store.GetProfileString("DRC", "Type0"), "Not Connected\n1,3");
    EXPECT_EQ(store.GetProfileString("DRC", "Type1"), "Input\n2,1,0");
    EXPECT_EQ(store.GetProfileString("DRC", "Type7"), "Open Emmitter\n8,0,0,2,0,1,0,1,0");
    EXPECT_EQ(store.GetProfileString("DRC", "Type18"),
              "Undefined Sheet Entry\n19,0,1,1,1,1,0,1,1,0,1,1,1,1,1,1,1,1,1,0");
    CDrcRules loaded;
    EXPECT_TRUE(loaded.Load(store));
    EXPECT_EQ(loaded, Defaults());
}

TEST(DrcRulesTest, LevelsAreReadFromTheTriangleInEitherOrder) {
    const CDrcRules rules = Defaults();
    EXPECT_EQ(rules.GetLevel(2, 5), 0);
    EXPECT_EQ(rules.GetLevel(5, 2), 0);
    EXPECT_EQ(rules.GetLevel(8, 2), 2);  // Power against Output
    EXPECT_EQ(rules.GetLevel(2, 8), 2);
    EXPECT_EQ(rules.GetLevel(1, 0), 1);
    EXPECT_EQ(rules.GetLevel(0, 0), 3);
    EXPECT_EQ(rules.GetLevel(16, 11), 2);
    // Outside the table nothing is reported.
    EXPECT_EQ(rules.GetLevel(19, 0), 0);
    EXPECT_EQ(rules.GetLevel(-1, 2), 0);
    CDrcRules edited = rules;
    edited.SetLevel(2, 5, 2);
    EXPECT_EQ(edited.GetLevel(5, 2), 2);
    EXPECT_EQ(rules.GetLevel(5, 2), 0);  // the copy is deep
}

TEST(DrcRulesTest, DamagedSectionsDoNotLoad) {
    for (const auto& [key, value] : std::vector<std::pair<const char*, const char*>>{
             {"Type3", "I/O\n4,0,0,4,0"},           // a level of 4
             {"Type3", "I/O\n4,0,0,1"},             // a level missing
             {"Type3", "I/O\n4,0,0 1,0"},           // a comma missing
             {"Type3", "I/O 4,0,0,1,0"},            // no line feed
             {"Type3", "I/O\n4"},                   // no levels
             {"Type3", ""},                         // empty
             {"Type5", "Passive\n3,0,0,0"},         // shorter than the triangle
             {"Type5", "Passive\n20,0,0,0,0,1,0"},  // longer than the set is wide
         }) {
        SettingsStore store = EmptyStore();
        Defaults().Save(store);
        store.WriteProfileString("DRC", key, value);
        CDrcRules rules;
        EXPECT_FALSE(rules.Load(store)) << key << " = " << value;
    }
    SettingsStore store = EmptyStore();
    Defaults().Save(store);
    store.WriteProfileInt("DRC", "TypeCount", 18);
    CDrcRules rules;
    EXPECT_FALSE(rules.Load(store));
    EXPECT_FALSE(rules.Load(EmptyStore()));
    // Text after the last level is ignored, and level 3 is read back anywhere.
    store.WriteProfileInt("DRC", "TypeCount", 19);
    store.WriteProfileString("DRC", "Type1", "Input\n2,3,0,junk");
    ASSERT_TRUE(rules.Load(store));
    EXPECT_EQ(rules.GetLevel(1, 0), 3);
}

TEST(DrcRulesTest, StartUpFallsBackToTheDefaultsAndSaysSoOnlyForDamage) {
    {
        testsupport::ScriptedPrompt prompt;
        CDrcRules rules;
        LoadDrcRules(rules, EmptyStore());
        EXPECT_EQ(rules, Defaults());
        EXPECT_TRUE(prompt.shown().empty());
    }
    testsupport::ScriptedPrompt prompt({IDOK});
    SettingsStore store = EmptyStore();
    Defaults().Save(store);
    store.WriteProfileString("DRC", "Type9", "3-State Output\n2,0,0");
    CDrcRules rules;
    LoadDrcRules(rules, store);
    EXPECT_EQ(rules, Defaults());
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_NE(prompt.shown()[0].text.Find("damaged"), -1);
}

TEST(DrcRulesTest, CustomTypesAreAddedFoundStoredAndRemoved) {
    CDrcRules rules = Defaults();
    ASSERT_TRUE(rules.AddType("Clock"));
    EXPECT_EQ(rules.GetTypeCount(), 20);
    for (int j = 0; j < 20; ++j)
        EXPECT_EQ(rules.GetLevel(19, j), 1);
    EXPECT_EQ(rules.FindType("clock"), 19);
    EXPECT_EQ(rules.FindType("INPUT"), 1);
    EXPECT_EQ(rules.FindType("Data"), -1);

    // A pin's type text matches a custom type only in the same case.
    CPin pin;
    pin.SetPinType(kPinTypeUserDefined);
    pin.SetAttr("_Type", "clock", kSetAttrForce);
    EXPECT_EQ(rules.GetTypeIndex(pin), 4);
    pin.SetAttr("_Type", "Clock", kSetAttrForce);
    EXPECT_EQ(rules.GetTypeIndex(pin), 19);
    pin.SetPinType(1);
    EXPECT_EQ(rules.GetTypeIndex(pin), 2);  // Output Pin -> "Output"

    ASSERT_TRUE(rules.AddType("Data"));
    rules.SetLevel(20, 19, 2);
    rules.SetLevel(20, 3, 0);
    SettingsStore store = EmptyStore();
    rules.Save(store);
    CDrcRules loaded;
    ASSERT_TRUE(loaded.Load(store));
    EXPECT_EQ(loaded, rules);

    // Removing Clock takes its column: Data moves to 19 and keeps its other levels.
    rules.RemoveType(19);
    EXPECT_EQ(rules.GetTypeCount(), 20);
    EXPECT_EQ(rules.GetTypeName(19), "Data");
    EXPECT_EQ(rules.GetLevel(19, 3), 0);
    EXPECT_EQ(rules.GetLevel(19, 19), 1);
    EXPECT_EQ(rules.GetLevel(19, 2), 1);
    rules.Save(store);
    ASSERT_TRUE(loaded.Load(store));
    EXPECT_EQ(loaded, rules);
}

TEST(DrcRulesTest, AFullSetOfTypesStillLoadsAndTakesNoMore) {
    CDrcRules rules = Defaults();
    for (int i = rules.GetTypeCount(); i < kDrcMaxTypes; ++i)
        ASSERT_TRUE(rules.AddType(("T" + std::to_string(i)).c_str()));
    EXPECT_FALSE(rules.AddType("One Too Many"));
    EXPECT_EQ(rules.GetTypeCount(), 100);
    SettingsStore store = EmptyStore();
    rules.Save(store);
    CDrcRules loaded;
    ASSERT_TRUE(loaded.Load(store));
    EXPECT_EQ(loaded, rules);
}

TEST(DrcRulesTest, CheckFlagsAreKeptInTheSection) {
    SettingsStore store = EmptyStore();
    CDrcRules rules = Defaults();
    EXPECT_TRUE(rules.LoadCheckFlags(store));
    EXPECT_EQ(rules.GetCheckFlags(), 0xFEu);
    rules.SetCheckFlags(0xB6);
    rules.SaveCheckFlags(store);
    CDrcRules loaded;
    EXPECT_TRUE(loaded.LoadCheckFlags(store));
    EXPECT_EQ(loaded.GetCheckFlags(), 0xB6u);
    store.WriteProfileInt("DRC", "CheckFlags", 0x1FE);
    EXPECT_FALSE(loaded.LoadCheckFlags(store));
    EXPECT_EQ(loaded.GetCheckFlags(), 0xB6u);
}

}  // namespace
