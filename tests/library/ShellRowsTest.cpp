// The rows of the library browser's list: filters, orders and the records of a library.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "library/LibraryFile.h"
#include "library/ShellItem.h"
#include "library/ShellRows.h"
#include "platform/MemFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ScriptedPrompt;
using testsupport::TempDir;
using testsupport::WriteFileText;

std::vector<std::string> Names(const std::vector<ShellRow>& rows) {
    std::vector<std::string> names;
    for (const ShellRow& row : rows)
        names.push_back(row.name);
    return names;
}

void AddRecord(CLibraryFile& library, const char* name, int type) {
    CMemFile data(16);
    const BYTE bytes[] = {0, 0, 0, 0};
    data.Write(bytes, sizeof bytes);
    data.SeekToBegin();
    CLibraryItem item(name, "", type);
    ASSERT_TRUE(library.AddItem(item, data));
}

TEST(ShellRows, FileFilterMatchesUpperCasedNames) {
    TempDir dir;
    for (const char* name : {"Rlib.RLB", "rx.rlb", "a.rlb", "r.sch"})
        WriteFileText(dir / name, "");
    fs::create_directory(dir / "sub");
    ListSettings settings;
    settings.mask |= kListFilterFiles;
    settings.namePattern = "R*";
    settings.extensionPattern = "RLB";
    EXPECT_EQ(Names(ListFolderRows(dir.path(), settings)),
              (std::vector<std::string>{"Rlib.RLB", "rx.rlb"}));
    settings.namePattern = "r*";
    settings.extensionPattern = "rlb";
    EXPECT_TRUE(ListFolderRows(dir.path(), settings).empty());
    // Kinds switched off are left out.
    settings = ListSettings{};
    settings.mask &= ~(DWORD{1} << kShellLibrary);
    EXPECT_EQ(Names(ListFolderRows(dir.path(), settings)),
              (std::vector<std::string>{"sub", "r.sch"}));
}

TEST(ShellRows, FolderOrderByKindThenNumbersByValue) {
    TempDir dir;
    for (const char* name : {"b.txt", "a.sch", "lib.rlb", "R10.sch", "R2.sch", "a.TXT"})
        WriteFileText(dir / name, "");
    fs::create_directory(dir / "dir");
    ListSettings settings;
    EXPECT_EQ(Names(ListFolderRows(dir.path(), settings)),
              (std::vector<std::string>{"dir", "lib.rlb", "a.sch", "R2.sch", "R10.sch", "a.TXT",
                                        "b.txt"}));
    ShellRow a{"x.b", "", kShellFile};
    ShellRow b{"y.a", "", kShellFile};
    EXPECT_LT(CompareFolderRows(b, a, kSortByType), 0);
    EXPECT_LT(CompareFolderRows(a, b, kSortByName), 0);
    a.created = 5;
    b.created = 7;
    EXPECT_LT(CompareFolderRows(a, b, kSortByDate), 0);
    b.created = 5;
    EXPECT_LT(CompareFolderRows(a, b, kSortByDate), 0);
}

TEST(ShellRows, LibraryRowsDevicesFirstThenKindsByName) {
    TempDir dir;
    const std::string path = (dir / "lib.rlb").string();
    {
        CLibraryFile library;
        ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
        AddRecord(library, "B", kItemSymbol);
        AddRecord(library, "Z", kItemDevice);
        AddRecord(library, "A", kItemCircuit);
        AddRecord(library, "A1", kItemSymbol);
        AddRecord(library, "foot", kItemFootprint);
    }
    const auto listed = ListLibraryRows(path, ListSettings{});
    ASSERT_TRUE(listed);
    EXPECT_FALSE(listed->damagedAfter);
    const std::vector<ShellRow>& rows = listed->rows;
    ASSERT_EQ(Names(rows), (std::vector<std::string>{"Z", "A1", "B", "A"}));
    EXPECT_EQ(rows[0].kind, 7u);
    EXPECT_EQ(rows[0].index, 1);
    EXPECT_EQ(rows[3].kind, 6u);

    // The item filter upper-cases the names as it does the pattern; the whole text counts.
    ListSettings settings;
    settings.mask = (DWORD{1} << 5) | kListFilterItems;
    settings.itemPattern = "B";
    EXPECT_EQ(Names(ListLibraryRows(path, settings)->rows), (std::vector<std::string>{"B"}));
}

TEST(ShellRows, UnreadableLibraryIsReported) {
    TempDir dir;
    WriteFileText(dir / "bad.rlb", "not a library");
    ScriptedPrompt prompt({IDOK});
    EXPECT_FALSE(ListLibraryRows((dir / "bad.rlb").string(), ListSettings{}));
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].text.str(),
              "Error - could not open the library " + (dir / "bad.rlb").string() + " for reading.");
}

TEST(ShellRows, LowerCaseItemNamesMatchTheFilter) {
    ListSettings settings;
    settings.mask |= kListFilterItems;
    settings.itemPattern = "R1.5*";
    EXPECT_TRUE(IsItemRowShown(settings, 5, "r1.5k"));
    EXPECT_FALSE(IsItemRowShown(settings, 5, "r1"));
}

}  // namespace
