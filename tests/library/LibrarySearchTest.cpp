// Searching library folders: the words, the filter by kind and text, the walk over folders
// and single libraries, and the history of locations.

#include "library/LibrarySearch.h"

#include <gtest/gtest.h>

#include "LibraryTestBytes.h"
#include "library/LibraryFile.h"
#include "library/LibraryItem.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

using namespace librarytest;
namespace fs = std::filesystem;

std::vector<CString> Names(const std::vector<SearchResult>& results) {
    std::vector<CString> names;
    for (const SearchResult& result : results)
        names.push_back(result.name);
    return names;
}

class LibrarySearch : public ::testing::Test {
protected:
    LibrarySearch() {
        fs::create_directories(dir / "libs" / "sub");
        testsupport::WriteFileBytes(
            dir / "libs" / "passive.rlb",
            Join({FileHeader("passives", 3), Record("Resistor", "", kItemSymbol, {}),
                  Record("C1", "ceramic capacitor", kItemSymbol, {}),
                  Record("L1", "inductor", kItemSymbol, {})}));
        testsupport::WriteFileBytes(
            dir / "libs" / "sub" / "logic.RLB",
            Join({FileHeader("logic", 2), Record("7400", "quad nand", kItemDevice, {}),
                  Record("ADDER", "resistor free", kItemCircuit, {})}));
        testsupport::WriteFileText(dir / "libs" / "notes.txt", "not a library");
    }
    std::vector<SearchResult> Search(const fs::path& path, const CLibrarySearchFilter& filter,
                                     bool subfolders) {
        CLibrarySearchWalk walk(filter, subfolders);
        std::error_code error;
        EXPECT_TRUE(walk.Start(path, error)) << path;
        for (int steps = 0; walk.DoStep() != CLibrarySearchWalk::kDone; ++steps) {
            if (steps > 1000) {
                ADD_FAILURE() << "walk does not end";
                break;
            }
        }
        return walk.Results();
    }

    testsupport::TempDir dir;
    CLibrarySearchFilter all{{}, false, true, true, true, false};
};

TEST(SearchWords, SplitAtBlanksAndCommasUpperCasedUnlessMatchingCase) {
    EXPECT_EQ(SplitSearchWords("res, cap", false), (std::vector<CString>{"RES", "CAP"}));
    EXPECT_EQ(SplitSearchWords("res\tCap\nx", true), (std::vector<CString>{"res", "Cap", "x"}));
    EXPECT_TRUE(SplitSearchWords("*", false).empty());
    CString many;
    for (int i = 0; i < 21; ++i)
        many += "w" + CString(std::to_string(i)) + " ";
    const std::vector<CString> words = SplitSearchWords(many, true);
    ASSERT_EQ(words.size(), 20u);
    EXPECT_EQ(words.back(), "w19");
}

TEST(SearchWords, CountText) {
    EXPECT_EQ(SearchCountText(2, 1, 0, 3), "Symbols: 2, Devices: 1, Circuits: 0, Total: 3");
}

TEST_F(LibrarySearch, WordsMatchNameOrDescriptionInAnyCase) {
    const CLibrarySearchFilter filter(SplitSearchWords("res, cap", false), false, true, true, true,
                                      false);
    EXPECT_EQ(Names(Search(dir / "libs" / "passive.rlb", filter, false)),
              (std::vector<CString>{"Resistor", "C1"}));
    const CLibrarySearchFilter exact(SplitSearchWords("res", true), true, true, true, true, false);
    EXPECT_TRUE(Search(dir / "libs" / "passive.rlb", exact, false).empty());
}

TEST_F(LibrarySearch, KindsAndTheCallersFilterNarrowTheResults) {
    const CLibrarySearchFilter devices({}, false, false, true, false, false);
    const std::vector<SearchResult> found = Search(dir / "libs/", devices, true);
    ASSERT_EQ(Names(found), (std::vector<CString>{"7400"}));
    EXPECT_EQ(found[0].kind, kItemDevice);
    EXPECT_EQ(found[0].index, 0);
    EXPECT_EQ(fs::path(found[0].library.str()), dir / "libs" / "sub" / "logic.RLB");

    // The caller's filter reads the library; the walk still sees every record after it.
    int asked = 0;
    const CLibrarySearchFilter caller({}, false, true, true, true, false,
                                      [&](CLibraryFile& library, const CLibraryItem& item) {
                                          ++asked;
                                          CLibraryItem other;
                                          library.SeekToItem(0, other);
                                          return item.m_name != "C1";
                                      });
    EXPECT_EQ(Names(Search(dir / "libs" / "passive.rlb", caller, false)),
              (std::vector<CString>{"Resistor", "L1"}));
    EXPECT_EQ(asked, 3);
}

TEST_F(LibrarySearch, SubfoldersOnlyWhenAskedOrNamedByThePath) {
    // A folder with a trailing separator: its own libraries, sub-folders only when asked.
    EXPECT_EQ(Search(dir / "libs/", all, false).size(), 3u);
    EXPECT_EQ(Search(dir / "libs/", all, true).size(), 5u);
    // A folder named without one is entered all the same.
    EXPECT_EQ(Search(dir / "libs", all, false).size(), 3u);
    EXPECT_EQ(Search(dir / "libs" / "sub", all, false).size(), 2u);

    CLibrarySearchWalk walk(all, true);
    std::error_code error;
    EXPECT_FALSE(walk.Start(dir / "missing", error));
    EXPECT_TRUE(error);
}

TEST_F(LibrarySearch, CountersByKind) {
    CLibrarySearchWalk walk(all, true);
    std::error_code error;
    ASSERT_TRUE(walk.Start(dir / "libs/", error));
    while (walk.DoStep() != CLibrarySearchWalk::kDone) {
    }
    EXPECT_EQ(walk.Found(kItemSymbol), 3);
    EXPECT_EQ(walk.Found(kItemDevice), 1);
    EXPECT_EQ(walk.Found(kItemCircuit), 1);
}

TEST_F(LibrarySearch, HistoryKeepsTenNewestFirstAndNeverTheRoot) {
    SettingsStore settings(dir / "settings.ini");
    for (int i = 0; i < 11; ++i)
        AddToSearchHistory(settings, CString("/data/" + std::to_string(i)));
    EXPECT_EQ(settings.GetProfileString("Search Dialog", "Location0"), "/data/10");
    EXPECT_EQ(settings.GetProfileString("Search Dialog", "Location9"), "/data/1");
    EXPECT_EQ(SearchHistory(settings).size(), 10u);

    AddToSearchHistory(settings, "/data/5");
    EXPECT_EQ(SearchHistory(settings).front(), "/data/5");
    EXPECT_EQ(SearchHistory(settings).size(), 10u);
    AddToSearchHistory(settings, "/");
    EXPECT_EQ(SearchHistory(settings).front(), "/data/5");
}

}  // namespace
