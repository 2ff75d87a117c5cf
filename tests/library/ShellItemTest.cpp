// The file system as the library browser sees it: paths, kinds, the wildcard match and the
// own commands of its menus.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "library/ShellItem.h"
#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;
using testsupport::WriteFileText;

ShellPath Parsed(const std::string& text) {
    ShellPath path;
    EXPECT_TRUE(ParseShellPath(text, path));
    return path;
}

TEST(ShellItem, ItemsClassifyByTypeAndExtension) {
    TempDir dir;
    for (const char* name : {"A.rlb", "B.RLB", "x.sch", "x.txt"})
        WriteFileText(dir / name, "");
    fs::create_directories(dir / "parent" / "child");
    fs::create_symlink(dir / "missing", dir / "dangling");
    struct Case {
        const char* name;
        UINT kind;
    };
    const Case cases[] = {{"A.rlb", 4},    {"B.RLB", 4},        {"x.sch", 3},
                          {"x.txt", 1},    {"parent", 0x10002}, {"parent/child", 2},
                          {"dangling", 0}, {"nothing-here", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ClassifyShellItem(dir / c.name), c.kind);
    }
    EXPECT_TRUE(HasShellChildren(dir.path()));
    EXPECT_FALSE(HasShellChildren(dir / "parent" / "child"));
}

TEST(ShellItem, FolderOfOtherFilesHasNoChildren) {
    TempDir dir;
    WriteFileText(dir / "notes.txt", "");
    WriteFileText(dir / "a.sch", "");
    EXPECT_FALSE(HasShellChildren(dir.path()));
    WriteFileText(dir / "lib.Rlb", "");
    EXPECT_TRUE(HasShellChildren(dir.path()));
}

TEST(ShellItem, PrefixesOfPaths) {
    EXPECT_EQ(IsItemIdListPrefix(Parsed("/a/b"), Parsed("/a/b/c")), 2);
    EXPECT_EQ(IsItemIdListPrefix(Parsed("/a/b/c"), Parsed("/a/b")), 1);
    EXPECT_EQ(IsItemIdListPrefix(Parsed("/a/x"), Parsed("/a/b")), 0);
    EXPECT_EQ(IsItemIdListPrefix(Parsed("/a/b"), Parsed("/a/b")), 2);
    EXPECT_EQ(IsItemIdListPrefix(Parsed("/a/./b/../b"), Parsed("/a/b")), 2);
    EXPECT_EQ(ShellPathText(ConcatItemIdLists(Parsed("/a"), {"b", "c"})), "/a/b/c");
    EXPECT_EQ(ShellPathText(Parsed("/")), "/");
    ShellPath none;
    EXPECT_FALSE(ParseShellPath("", none));
    EXPECT_EQ(CompareItemIds("ab", "abc"), -1);
    EXPECT_EQ(CompareItemIds("abd", "abc"), 1);
    EXPECT_EQ(CompareItemIds("abc", "abc"), 0);
}

TEST(ShellItem, LongPathsKeepEveryName) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "/folder-with-a-long-name-" + std::to_string(i);
    EXPECT_EQ(ShellPathText(Parsed(text)), text);
    EXPECT_EQ(ShellDisplayName(text), "folder-with-a-long-name-39");
    EXPECT_EQ(ShellDisplayName("/"), "File System");
}

TEST(ShellItem, WildcardsAndNameParts) {
    EXPECT_TRUE(MatchPattern("RLIB", "R*"));
    EXPECT_TRUE(MatchPattern("R1", "R?"));
    EXPECT_FALSE(MatchPattern("R", "R?"));
    EXPECT_FALSE(MatchPattern("RLIB", "r*"));
    EXPECT_FALSE(MatchPattern("RLIBX", "RLIB"));
    EXPECT_TRUE(MatchPattern("", ""));
    const NameParts parts = UpperNameParts("abc.def.Sch");
    EXPECT_EQ(parts.name, "ABC.DEF");
    EXPECT_EQ(parts.extension, "SCH");
    EXPECT_EQ(UpperNameParts("dir").extension, "");
}

TEST(ShellItem, OwnMenuCommandsByKind) {
    auto texts = [](UINT kind, bool paste) {
        std::string joined;
        for (const ShellMenuItem& item : ShellMenuItems(kind, paste)) {
            if (item.id < kVerbOpen)
                joined += std::string(item.text) + (item.enabled ? "" : "(grey)") + ";";
        }
        return joined;
    };
    EXPECT_EQ(texts(kShellLibrary, false), "&Rename Item;&Paste Object(grey);");
    EXPECT_EQ(texts(kShellLibrary, true), "&Rename Item;&Paste Object;");
    EXPECT_EQ(texts(kShellFolder | kShellHasSubFolders, true),
              "New &Folder;New &Library;&Rename Item;");
}

}  // namespace
