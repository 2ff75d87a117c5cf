#include "platform/CompoundStorage.h"

#include <gtest/gtest.h>

#include "platform/CompoundFileError.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<std::string> ChildNames(const CompoundStorage& storage) {
    std::vector<std::string> names;
    for (const CompoundStorage& child : storage.Storages())
        names.push_back("+" + child.Name());
    for (const CompoundStream& child : storage.Streams())
        names.push_back(child.Name());
    return names;
}

TEST(CompoundStorage, AcceptsOnlyNamesTheFormatCanHold) {
    CompoundStorage root("Root Entry");
    for (const char* good : {"\x05SummaryInformation", "Embedding 1", "x",
                             "1234567890123456789012345678901", "\xC3\x84rger \xF0\x9F\x98\x80"})
        EXPECT_NO_THROW(root.WriteStream(good, {})) << good;
    const std::string nul("a\0b", 3);
    for (const std::string& bad :
         {std::string(), std::string(32, 'x'), std::string(30, 'x') + "\xF0\x9F\x98\x80",
          std::string("a/b"), std::string("a\\b"), std::string("a:b"), std::string("a!b"), nul,
          std::string("\xC3"), std::string("\xC0\x80"), std::string("\xED\xA0\x80")}) {
        EXPECT_THROW(root.WriteStream(bad, {}), CompoundFileError) << bad;
        EXPECT_THROW(root.CreateStorage(bad), CompoundFileError) << bad;
    }
}

TEST(CompoundStorage, FindsChildrenIgnoringCase) {
    CompoundStorage root("Root Entry");
    root.WriteStream("Contents", {1, 2});
    root.CreateStorage("\xC3\x84rger");  // "Ärger"
    ASSERT_NE(root.FindStream("CONTENTS"), nullptr);
    EXPECT_EQ(root.FindStream("contents")->Data(), (Bytes{1, 2}));
    EXPECT_NE(root.FindStorage("\xC3\xA4RGER"), nullptr);  // "äRGER"
    EXPECT_EQ(root.FindStorage("Contents"), nullptr);
    EXPECT_EQ(root.FindStream("\xC3\x84rger"), nullptr);
    EXPECT_EQ(root.FindStream("Content"), nullptr);
}

TEST(CompoundStorage, ReplacesAndRemovesChildrenOfTheSameName) {
    CompoundStorage root("Root Entry");
    root.WriteStream("Data", {1});
    root.WriteStream("DATA", {2});
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"DATA"}));
    EXPECT_EQ(root.FindStream("data")->Data(), Bytes{2});

    root.CreateStorage("data").WriteStream("Inner", {3});
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"+data"}));
    root.CreateStorage("Data");
    EXPECT_EQ(root.FindStorage("Data")->Streams().size(), 0u);
    root.WriteStream("Data", {});
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"Data"}));

    EXPECT_TRUE(root.Remove("dAtA"));
    EXPECT_FALSE(root.Remove("Data"));
    EXPECT_TRUE(ChildNames(root).empty());
}

TEST(CompoundStorage, ListsChildrenInTheFormatsSiblingOrder) {
    CompoundStorage root("Root Entry");
    for (const char* name : {"Embedding 10", "_", "b", "Embedding 9", "A", "c", "\xC3\xA9"})
        root.WriteStream(name, {});
    root.CreateStorage("z");
    root.CreateStorage("Y");
    // Shorter names first; then upper-cased units, so "A" < "_" (0x5F) < "É" (0xC9).
    EXPECT_EQ(ChildNames(root),
              (std::vector<std::string>{"+Y", "+z", "A", "b", "c", "_", "\xC3\xA9", "Embedding 9",
                                        "Embedding 10"}));
}

TEST(CompoundStorage, ChildReferencesSurviveLaterInsertionsAndCopiesAreDeep) {
    CompoundStorage root("Root Entry");
    CompoundStorage& middle = root.CreateStorage("M");
    CompoundStream& stream = root.WriteStream("S", {1});
    for (const char* name : {"A", "Z", "N", "B"})
        root.CreateStorage(name);
    middle.WriteStream("Inner", {7});
    stream.Data().push_back(2);
    EXPECT_EQ(root.FindStorage("M")->FindStream("Inner")->Data(), Bytes{7});
    EXPECT_EQ(root.FindStream("S")->Data(), (Bytes{1, 2}));

    CompoundStorage copy = root;
    copy.FindStorage("M")->WriteStream("Inner", {8});
    EXPECT_EQ(root.FindStorage("M")->FindStream("Inner")->Data(), Bytes{7});
}

}  // namespace
