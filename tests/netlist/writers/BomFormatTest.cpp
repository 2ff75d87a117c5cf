#include <gtest/gtest.h>

#include <string>

#include "model/app/SchematicApp.h"
#include "model/device/Device.h"
#include "netlist/support/WriterRun.h"
#include "netlist/writers/BomFormat.h"
#include "support/TestSupport.h"

namespace {

using nltest::MakeDevice;
using nltest::Sheet;

class BomFormatTest : public testing::Test {
protected:
    // A part with that identifier, value, description and category (none when null); its
    // name is the device's.
    void Part(const char* id, const char* value, const char* name = "RES",
              const char* description = "Resistor", const char* category = nullptr) {
        CDevice* device = MakeDevice(name, "RES", {{"", "1=1;2=2"}}, "AXIAL0.4");
        device->SetAttr("_Desc", description, TRUE);
        if (category)
            device->SetAttr("_Cat", category, TRUE);
        CSymbol* part = sheet.Part(id, {"1", "2"}, device, name);
        part->SetAttr("_Value", value, kSetAttrForce);
    }
    void Set(const char* entry, int value) { app.WriteProfileInt("BOM", entry, value); }
    std::string Written() { return nltest::RunWriter(bom, sheet).out; }

    testsupport::TempDir dir;
    CSchematicApp app{dir / "settings.reg"};
    ScopedApp installed{app};
    Sheet sheet;
    CBomFormat bom;
};

TEST_F(BomFormatTest, SimilarPartsAreGroupedAndCountedWithTheirIdentifiersInOrder) {
    Part("R1", "10K");
    Part("R10", "10K");
    Part("R2", "10K");
    EXPECT_EQ(Written(),
              "Identifier\tQuantity\tValue\tName\tDescription\n"
              "\nMiscellaneous\nR1,R2,R10\t3\t10K\tRES\tResistor\t\n");
    Set("Group", 0);
    Set("Quantity", 1);
    EXPECT_EQ(Written(),
              "Identifier\tValue\tName\tDescription\n\nMiscellaneous\n"
              "R1\t10K\tRES\tResistor\t\nR10\t10K\tRES\tResistor\t\nR2\t10K\tRES\tResistor\t\n");
}

// A column or option is on only when its stored value is exactly 1.
TEST_F(BomFormatTest, ColumnsAndHeadingFollowTheOptions) {
    Part("R1", "10K");
    Part("R2", "1K");
    Set("Description", 0);
    Set("Categorise", 2);
    Set("Quantity", 0);
    EXPECT_EQ(Written(), "Identifier\tValue\tName\t\nR1\t10K\tRES\t\nR2\t1K\tRES\t\n");
    // With no value, name or description shown every part is alike.
    Set("Value", 0);
    Set("Name", 0);
    Set("Quantity", 1);
    EXPECT_EQ(Written(), "Identifier\tQuantity\t\nR1,R2\t2\t\n");
}

// Parts alike in every shown column but of different categories stay in their categories.
TEST_F(BomFormatTest, GroupsNeverSpanCategories) {
    Part("R1", "10K", "RES", "Resistor", "Board");
    Part("R2", "10K", "RES", "Resistor", "Panel");
    Part("R3", "10K", "RES", "Resistor", "Board");
    EXPECT_EQ(Written(),
              "Identifier\tQuantity\tValue\tName\tDescription\n"
              "\nBoard\nR1,R3\t2\t10K\tRES\tResistor\t\n"
              "\nPanel\nR2\t1\t10K\tRES\tResistor\t\n");
}

TEST_F(BomFormatTest, LongIdentifierListsWrapForReadingOnly) {
    for (const char* id : {"C9", "C8", "C7", "C6", "C5", "C4", "C3", "C2", "C1"})
        Part(id, "100n", "CAP", "Capacitor");
    const std::string rows = "\t9\t100n\tCAP\tCapacitor\t\n";
    Set("Categorise", 0);
    EXPECT_EQ(Written(),
              "Identifier\tQuantity\tValue\tName\tDescription\n"
              "C1,C2,C3,C4,C5,\nC6,C7,C8,C9" +
                  rows);
    Set("Format", 1);
    EXPECT_EQ(Written(),
              "Identifier\tQuantity\tValue\tName\tDescription\nC1,C2,C3,C4,C5,C6,C7,C8,C9" + rows);
}

// Rows of equal keys keep the order of the design, whatever their number.
TEST_F(BomFormatTest, SortingKeepsTheOrderOfEqualRows) {
    std::string expected[2];
    for (int i = 1; i <= 40; ++i) {
        const std::string id = "R" + std::to_string(i);
        const char* value = i % 2 ? "1K" : "2K";
        Part(id.c_str(), value);
        expected[i % 2 ? 0 : 1] += id + "\t" + value + "\t\n";
    }
    Set("Group", 0);
    Set("Categorise", 0);
    Set("Name", 0);
    Set("Description", 0);
    Set("SortBy", 2);
    EXPECT_EQ(Written(), "Identifier\tValue\t\n" + expected[0] + expected[1]);
}

TEST_F(BomFormatTest, SortedByCategoryThenTheChosenColumn) {
    Part("R10", "1K", "RES", "Resistor", "Passive");
    Part("U1", "", "7400", "Quad NAND", "Logic");
    Part("R9", "2K", "RES", "Resistor", "Passive");
    Part("J1", "", "CONN", "Connector");
    Set("Group", 0);
    Set("Value", 0);
    Set("Name", 0);
    Set("Description", 0);
    Set("SortBy", 1);
    EXPECT_EQ(Written(),
              "Identifier\t\n\nMiscellaneous\nJ1\t\n\nLogic\nU1\t\n\nPassive\nR9\t\nR10\t\n");
    Set("SortBy", 4);
    Set("Categorise", 0);
    Set("Description", 1);
    EXPECT_EQ(Written(),
              "Identifier\tDescription\nJ1\tConnector\t\nU1\tQuad NAND\t\n"
              "R10\tResistor\t\nR9\tResistor\t\n");
}

TEST(CompareIdentifiersTest, TrailingNumbersCompareAsNumbers) {
    EXPECT_LT(CompareIdentifiers("R2", "R10"), 0);
    EXPECT_GT(CompareIdentifiers("R10", "R2"), 0);
    EXPECT_EQ(CompareIdentifiers("R007", "R7"), 0);
    EXPECT_EQ(CompareIdentifiers("R", "R0"), 0);  // no digits count as 0
    EXPECT_LT(CompareIdentifiers("C5", "R1"), 0);
    // Prefixes of different lengths: the whole texts, and "1" comes before "A".
    EXPECT_LT(CompareIdentifiers("R10", "RA1"), 0);
    EXPECT_GT(CompareIdentifiers("U10", "RA1"), 0);
    // Numbers longer than any integer.
    EXPECT_LT(CompareIdentifiers("R99999999999999999999", "R100000000000000000000"), 0);
}

TEST(BomOptionsTest, StoredOptionsAreOnOnlyWhenExactlyOne) {
    testsupport::TempDir dir;
    SettingsStore store(dir / "settings.reg");
    const CBomOptions defaults = CBomOptions::Load(store, kBomSortIdentifier);
    EXPECT_EQ(defaults.flags, 0xDFu);
    EXPECT_EQ(defaults.sortBy, kBomSortIdentifier);
    store.WriteProfileInt("BOM", "Identifiers", 2);
    store.WriteProfileInt("BOM", "Format", 1);
    store.WriteProfileInt("BOM", "SortBy", 9);
    const CBomOptions stored = CBomOptions::Load(store, kBomSortIdentifier);
    EXPECT_EQ(stored.flags, 0xFEu);
    EXPECT_EQ(stored.sortBy, kBomSortNone);

    CBomOptions options;
    options.flags = kBomValue | kBomSpreadsheet;
    options.sortBy = kBomSortDescription;
    options.Save(store);
    EXPECT_EQ(store.EnumerateValues("BOM").size(), 9u);
    for (const char* off :
         {"Identifiers", "Quantity", "Name", "Description", "Group", "Categorise"})
        EXPECT_EQ(store.GetProfileInt("BOM", off, 7), 0u) << off;
    for (const char* on : {"Value", "Format"})
        EXPECT_EQ(store.GetProfileInt("BOM", on, 7), 1u) << on;
    EXPECT_EQ(store.GetProfileInt("BOM", "SortBy", 7), 4u);
}

// The options window comes from the application; without one nothing is shown.
TEST(BomOptionsTest, TheWriterEditsItsOptionsThroughTheInstalledWindow) {
    struct Window : IBomOptionsUi {
        bool EditBomOptions() override {
            ++shown;
            return true;
        }
        int shown = 0;
    } window;
    CBomFormat bom;
    EXPECT_TRUE(bom.HasOptions());
    EXPECT_EQ(bom.EditOptions(nullptr), FALSE);
    const ScopedInstall<IBomOptionsUi> installed(window);
    EXPECT_EQ(bom.EditOptions(nullptr), TRUE);
    EXPECT_EQ(window.shown, 1);
}

}  // namespace
