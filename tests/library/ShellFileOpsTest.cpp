// Renaming, new folders and libraries, and deleting and renaming library records.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "library/LibraryFile.h"
#include "library/ShellFileOps.h"
#include "platform/MemFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFileText;
using testsupport::ScriptedPrompt;
using testsupport::TempDir;
using testsupport::WriteFileText;

std::vector<std::string> RecordNames(const std::string& path) {
    CLibraryFile library;
    EXPECT_TRUE(library.Open(path.c_str()));
    std::vector<std::string> names;
    CLibraryItem item;
    for (int i = 0; i < library.GetItemCount() && library.ReadItemHeader(item, TRUE); ++i)
        names.push_back(item.m_name.str());
    return names;
}

std::string LibraryWithRecords(const TempDir& dir, int count) {
    const std::string path = (dir / "lib.rlb").string();
    CLibraryFile library;
    EXPECT_EQ(library.Create(path.c_str()), kCreateDone);
    for (int i = 0; i < count; ++i) {
        CMemFile data(16);
        const BYTE byte = static_cast<BYTE>(i);
        data.Write(&byte, 1);
        data.SeekToBegin();
        CLibraryItem item(("R" + std::to_string(i)).c_str(), "", kItemSymbol);
        EXPECT_TRUE(library.AddItem(item, data));
    }
    return path;
}

TEST(ShellFileOps, RenameNeverReplacesOrMoves) {
    TempDir dir;
    WriteFileText(dir / "a.sch", "mine");
    WriteFileText(dir / "b.sch", "other");
    fs::create_directory(dir / "sub");
    const std::string path = (dir / "a.sch").string();
    struct Case {
        const char* name;
        const char* reason;
    };
    const Case refused[] = {{"b.sch", "File exists"},
                            {"../x.sch", "Invalid argument"},
                            {"sub/a.sch", "Invalid argument"},
                            {"..", "Invalid argument"},
                            {"a\\b", "Invalid argument"}};
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt({IDOK});
        EXPECT_EQ(RenameShellItem(path, c.name, "a.sch"), RenameResult::kFailed);
        ASSERT_EQ(prompt.shown().size(), 1u);
        EXPECT_EQ(prompt.shown()[0].text.str(),
                  std::string("Cannot rename a.sch\nReason: ") + c.reason);
    }
    EXPECT_EQ(ReadFileText(dir / "a.sch"), "mine");
    EXPECT_EQ(ReadFileText(dir / "b.sch"), "other");
    EXPECT_FALSE(fs::exists(dir / "sub" / "a.sch"));

    EXPECT_EQ(RenameShellItem(path, "a.sch", "a.sch"), RenameResult::kUnchanged);
    std::string renamed;
    EXPECT_EQ(RenameShellItem(path, "c.sch", "a.sch", &renamed), RenameResult::kDone);
    EXPECT_EQ(renamed, (dir / "c.sch").string());
    EXPECT_EQ(ReadFileText(dir / "c.sch"), "mine");
}

TEST(ShellFileOps, NewFoldersAndLibrariesTakeTheFirstFreeName) {
    TempDir dir;
    fs::create_directory(dir / "New Folder");
    fs::create_directory(dir / "New Folder (2)");
    EXPECT_EQ(CreateNewFolder(dir.path().string()), "New Folder (3)");
    EXPECT_TRUE(fs::is_directory(dir / "New Folder (3)"));

    const std::string folder = dir.path().string();
    EXPECT_EQ(CreateNewLibrary(folder, LibraryNaming::kList), folder + "/New Library.rlb");
    EXPECT_EQ(CreateNewLibrary(folder, LibraryNaming::kList), folder + "/New Library(2).rlb");
    EXPECT_EQ(CreateNewLibrary(folder, LibraryNaming::kTree), folder + "/Untitled.rlb");
    EXPECT_EQ(CreateNewLibrary(folder, LibraryNaming::kTree), folder + "/Untitled2.rlb");
    CLibraryFile library;
    EXPECT_TRUE(library.Open((folder + "/Untitled2.rlb").c_str()));
}

TEST(ShellFileOps, TheSearchForAFreeFolderNameEnds) {
    TempDir dir;
    fs::create_directory(dir / "New Folder");
    for (int i = 2; i <= 1000; ++i)
        fs::create_directory(dir / ("New Folder (" + std::to_string(i) + ")"));
    ScriptedPrompt prompt({IDOK});
    EXPECT_FALSE(CreateNewFolder(dir.path().string()));
    EXPECT_EQ(prompt.shown().at(0).text.str(),
              "Cannot create folder " + (dir / "New Folder").string() + "\nReason: File exists");
}

TEST(ShellFileOps, FailuresToCreateAreReported) {
    ScriptedPrompt prompt({IDOK, IDOK});
    EXPECT_FALSE(CreateNewFolder("/nonexistent-folder-of-tests"));
    EXPECT_FALSE(CreateNewLibrary("/nonexistent-folder-of-tests", LibraryNaming::kList));
    ASSERT_EQ(prompt.shown().size(), 2u);
    EXPECT_EQ(prompt.shown()[0].text.str(),
              "Cannot create folder /nonexistent-folder-of-tests/New Folder\nReason: No such file "
              "or directory");
    EXPECT_EQ(prompt.shown()[1].text.str().rfind("Failed to create library file - ", 0), 0u);
}

TEST(ShellFileOps, DeletingRecordsInEitherOrderRemovesExactlyThose) {
    for (const std::vector<int>& order : {std::vector<int>{2, 5}, std::vector<int>{5, 2}}) {
        TempDir dir;
        const std::string path = LibraryWithRecords(dir, 7);
        ScriptedPrompt prompt({IDOK});
        EXPECT_TRUE(DeleteLibraryItems(path, order));
        EXPECT_EQ(prompt.shown()[0].text.str(),
                  "Are you sure you want to permanently delete these items?");
        EXPECT_EQ(RecordNames(path), (std::vector<std::string>{"R0", "R1", "R3", "R4", "R6"}));
    }
    TempDir dir;
    const std::string path = LibraryWithRecords(dir, 3);
    ScriptedPrompt cancel({IDCANCEL});
    EXPECT_FALSE(DeleteLibraryItems(path, {0}));
    EXPECT_EQ(RecordNames(path).size(), 3u);
}

TEST(ShellFileOps, RecordRenameRefusesAnExistingName) {
    TempDir dir;
    const std::string path = LibraryWithRecords(dir, 3);
    const auto before = testsupport::ReadFileBytes(path);
    ScriptedPrompt prompt({IDOK});
    EXPECT_FALSE(RenameLibraryItem(path, 0, "R2"));
    EXPECT_EQ(prompt.shown()[0].text.str(), "Error - an item named R2 already exists.");
    EXPECT_EQ(testsupport::ReadFileBytes(path), before);
    EXPECT_TRUE(RenameLibraryItem(path, 0, "R9"));
    EXPECT_EQ(RecordNames(path), (std::vector<std::string>{"R1", "R2", "R9"}));
}

TEST(ShellFileOps, FilterTextSplitsAtTheLastDot) {
    struct Case {
        const char* text;
        bool files;
        const char* name;
        const char* extension;
    };
    const Case cases[] = {{"abc.def.sch", true, "ABC.DEF", "SCH"},
                          {"abc", true, "ABC", "*"},
                          {"r1.5", false, "R1.5", "*"}};
    for (const Case& c : cases) {
        const FilterText parts = SplitFilterText(c.text, c.files);
        EXPECT_EQ(parts.name, c.name);
        EXPECT_EQ(parts.extension, c.extension);
    }
}

}  // namespace
