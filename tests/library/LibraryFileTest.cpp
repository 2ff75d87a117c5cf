// Library files: the bytes written, reading them back, the refusal of damaged files, and
// changes that leave the library intact when they fail.

#include "library/LibraryFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "LibraryTestBytes.h"
#include "platform/DiskFile.h"
#include "platform/MemFile.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSupport.h"

namespace {

using librarytest::Bytes;
using librarytest::FileHeader;
using librarytest::Join;
using librarytest::Record;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

const Bytes kNewLibrary =
    Join({{0x2b, 0, 0, 0, 0x74, 0x34, 0x56, 0x78, 0, 0, 0, 0, 0x8a, 0, 0, 0},
          Bytes(kDefaultLibraryDescription, kDefaultLibraryDescription + 27)});

BOOL Add(CLibraryFile& library, const char* name, const Bytes& data, int type = kItemSymbol,
         const char* description = "") {
    CMemFile source{Bytes(data)};
    CLibraryItem item(name, description, type);
    return library.AddItem(item, source);
}

// The names of the records, walked from the first.
std::vector<std::string> Names(CLibraryFile& library) {
    std::vector<std::string> names;
    if (!library.ReadHeader())
        return names;
    CLibraryItem item;
    while (library.ReadItemHeader(item, TRUE))
        names.push_back(item.m_name.str());
    return names;
}

// A library of the named items, each with its name as data, written with the code under test.
std::string MakeLibrary(const TempDir& dir, std::initializer_list<const char*> names) {
    const std::string path = (dir / "a.rlb").string();
    CLibraryFile library;
    EXPECT_EQ(library.Create(path.c_str()), kCreateDone);
    for (const char* name : names)
        EXPECT_TRUE(Add(library, name, Bytes(name, name + std::strlen(name))));
    return path;
}

TEST(LibraryFile, CreateAndAddWriteTheDocumentedBytes) {
    TempDir dir;
    const std::string path = (dir / "new.rlb").string();
    CLibraryFile library;
    ASSERT_EQ(library.Create(path.c_str()), kCreateDone);
    EXPECT_EQ(ReadFileBytes(path), kNewLibrary);

    ASSERT_TRUE(Add(library, "RES", {1, 2, 3, 4}, kItemSymbol, "Resistor"));
    const Bytes record = {0x23, 0,   0,   0,   0x74, 0x34, 0x56, 0x78, 0xa4, 0x0a, 0,   0,
                          3,    0,   0,   0,   8,    0,    0,    0,    'R',  'E',  'S', 'R',
                          'e',  's', 'i', 's', 't',  'o',  'r',  1,    2,    3,    4};
    Bytes header = kNewLibrary;
    header[8] = 1;
    header[12] = 0x8b;
    const Bytes expected = Join({header, record});
    EXPECT_EQ(ReadFileBytes(path), expected);

    // Creating over an existing file leaves it alone.
    EXPECT_EQ(library.Create(path.c_str()), kCreateExists);
    EXPECT_EQ(ReadFileBytes(path), expected);

    // As a device the record's header sum changes with its type byte.
    library.CreateImage("x");
    ASSERT_TRUE(Add(library, "RES", {1, 2, 3, 4}, kItemDevice, "Resistor"));
    const Bytes image = library.DetachImage();
    ASSERT_EQ(image.size(), 17u + record.size());
    EXPECT_EQ(image[17 + 8], 0xa6);
    EXPECT_EQ(image[17 + 10], 2);
}

TEST(LibraryFile, HandBuiltLibraryOpensListsAndFinds) {
    TempDir dir;
    const std::string path = (dir / "hand.rlb").string();
    WriteFileBytes(path, Join({FileHeader("Parts", 3), Record("R", "res", 0, {9, 9}),
                               Record("U1", "", 2, {}), Record("r", "lower", 1, {7})}));
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str()));
    EXPECT_EQ(library.GetDescription().str(), "Parts");
    EXPECT_EQ(library.GetItemCount(), 3);
    EXPECT_EQ(Names(library), (std::vector<std::string>{"R", "U1", "r"}));

    CLibraryItem item;
    ASSERT_EQ(library.FindItem(item, "r"), 2);  // names differ by letter case
    EXPECT_EQ(item.m_type, kItemCircuit);
    EXPECT_EQ(item.m_description.str(), "lower");
    EXPECT_EQ(item.m_dataLength, 1);
    EXPECT_EQ(item.m_position, 21u + 26u + 22u);
    CMemFile data;
    EXPECT_EQ(library.CopyItemData(5, data), 1u);
    EXPECT_EQ(data.GetBytes(), Bytes{7});

    EXPECT_EQ(library.FindItem(item, "X"), kItemNotFound);
    EXPECT_EQ(item.m_position, 21u + 26u + 22u + 27u);  // where the records end
    ASSERT_TRUE(library.SeekToItem(1, item));
    EXPECT_EQ(item.m_name.str(), "U1");
    EXPECT_FALSE(library.SeekToItem(3, item));
    EXPECT_FALSE(library.SeekToItem(-1, item));
    // Opened for reading only: changes are refused.
    EXPECT_FALSE(Add(library, "NEW", {1}));
    EXPECT_FALSE(library.RemoveItem(0));
}

// Damaged files: each is refused without a crash, a hang or a large allocation.
TEST(LibraryFile, DamagedFilesAreRefused) {
    const Bytes good = Join({FileHeader("D", 2), Record("A", "", 0, {1}), Record("B", "", 0, {2})});
    const size_t second = 17 + 22;
    // The good file with bytes replaced; a changed record header gets its sum made valid again
    // unless the sum itself is the damage.
    using Patches = std::vector<std::pair<size_t, Bytes>>;
    auto patched = [&](const Patches& patches, bool fixSum = true) {
        Bytes copy = good;
        for (const auto& [at, bytes] : patches)
            std::copy(bytes.begin(), bytes.end(), copy.begin() + static_cast<long>(at));
        if (fixSum) {
            unsigned sum = 0;
            for (size_t i = second; i < second + 20; ++i)
                sum += (i == second + 8 || i == second + 9) ? 0 : copy[i];
            copy[second + 8] = static_cast<unsigned char>(sum);
        }
        return copy;
    };
    struct Case {
        const char* what;
        Bytes bytes;
        bool headerReads;
        std::vector<std::string> listed;  // before the walk stops
        bool secondReads;                 // its header, for loading its data
    };
    const Case cases[] = {
        {"intact", good, true, {"A", "B"}, true},
        {"wrong magic", patched({{4, {0x75}}}), false, {}, false},
        {"wrong header sum", patched({{12, {0}}}), false, {}, false},
        {"empty description", FileHeader("", 0), false, {}, false},
        {"header longer than the file", patched({{0, {0xff, 0xff}}}), false, {}, false},
        {"more items than the file holds",
         patched({{8, {0xff, 0xff, 0xff, 0x7f}}}),
         false,
         {},
         false},
        {"truncated header", Bytes(good.begin(), good.begin() + 10), false, {}, false},
        {"record sum wrong", patched({{second + 8, {0}}}, false), true, {"A"}, false},
        {"record length 0", patched({{second, {0}}}), true, {"A"}, false},
        {"record shorter than its texts", patched({{second, {20}}}), true, {"A"}, false},
        {"name beyond the file",
         patched({{second, {0xf0, 0xff, 0xff, 0xff}}, {second + 12, {0, 0xff, 0xff, 0xf0}}}),
         true,
         {"A"},
         false},
        {"data beyond the file", patched({{second, {0xff, 0xff}}}), true, {"A"}, true},
        {"truncated data", Bytes(good.begin(), good.end() - 1), true, {"A"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLibraryFile library;
        EXPECT_EQ(library.OpenImage(c.bytes), c.headerReads);
        EXPECT_EQ(Names(library), c.listed);
        CLibraryItem item;
        EXPECT_EQ(library.FindItem(item, "B"), c.listed.size() == 2 ? 1 : kItemNotFound);
        EXPECT_EQ(library.SeekToItem(1, item), c.secondReads);
    }
}

// The bytes of record index of a library file.
Bytes RecordBytes(const std::string& path, int index) {
    CLibraryFile library;
    CLibraryItem item;
    EXPECT_TRUE(library.Open(path.c_str()));
    EXPECT_TRUE(library.SeekToItem(index, item));
    const Bytes all = ReadFileBytes(path);
    const size_t begin = item.m_position;
    const size_t end = begin + 20 + item.m_name.GetLength() + item.m_description.GetLength() +
                       static_cast<size_t>(item.m_dataLength);
    return Bytes(all.begin() + static_cast<long>(begin), all.begin() + static_cast<long>(end));
}

TEST(LibraryFile, RenameMovesTheRecordToTheEnd) {
    TempDir dir;
    const std::string path = MakeLibrary(dir, {"A", "B", "C", "D", "E"});
    const Bytes d = RecordBytes(path, 3);
    const Bytes e = RecordBytes(path, 4);
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str(), CDiskFile::modeReadWrite));
    EXPECT_EQ(library.UpdateItem(2, CLibraryItem("Z", "new", 0), kUpdateName), 1);
    EXPECT_EQ(Names(library), (std::vector<std::string>{"A", "B", "D", "E", "Z"}));
    library.Close();
    EXPECT_EQ(RecordBytes(path, 2), d);
    EXPECT_EQ(RecordBytes(path, 3), e);
    // The renamed record keeps its description and data; only the name was taken.
    EXPECT_EQ(RecordBytes(path, 4), Record("Z", "", 0, {'C'}));
    EXPECT_EQ(ReadFileBytes(path)[8], 5);
}

TEST(LibraryFile, RenameOntoAnotherNameAsksFirst) {
    struct Case {
        UINT flags;
        std::vector<int> answers;
        int result;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {kUpdateName | kUpdateNoPrompt, {}, 4, {"A", "B", "C"}},
        {kUpdateName, {IDNO}, 0, {"A", "B", "C"}},
        {kUpdateName, {IDYES}, 1, {"B", "A"}},         // the old A is gone, C renamed to A
        {kUpdateDescription, {}, 1, {"A", "B", "C"}},  // same description: nothing to do
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = MakeLibrary(dir, {"A", "B", "C"});
        testsupport::ScriptedPrompt prompt;
        for (int answer : c.answers)
            prompt.Answer(answer);
        CLibraryFile library;
        ASSERT_TRUE(library.Open(path.c_str(), CDiskFile::modeReadWrite));
        EXPECT_EQ(library.UpdateItem(2, CLibraryItem("A", "", 0), c.flags), c.result);
        EXPECT_EQ(Names(library), c.names);
        if (!prompt.shown().empty()) {
            EXPECT_EQ(prompt.shown()[0].text.str(),
                      "The item A already exists in library a.rlb.\n\nDo you want to replace the "
                      "item?");
        }
    }
}

TEST(LibraryFile, RemoveAndDescriptionKeepTheOtherRecords) {
    TempDir dir;
    const std::string path = MakeLibrary(dir, {"A", "B", "C"});
    const Bytes a = RecordBytes(path, 0);
    const Bytes b = RecordBytes(path, 1);
    const Bytes before = ReadFileBytes(path);
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str(), CDiskFile::modeReadWrite));

    ASSERT_TRUE(library.SetDescription("x"));
    Bytes expected = Join({FileHeader("x", 3), Bytes(before.begin() + 43, before.end())});
    EXPECT_EQ(ReadFileBytes(path), expected);
    EXPECT_FALSE(library.SetDescription(""));

    EXPECT_FALSE(library.RemoveItem(3));
    ASSERT_TRUE(library.RemoveItem(2));  // the last: the file ends after the record before it
    EXPECT_EQ(ReadFileBytes(path), Join({FileHeader("x", 2), a, b}));
    ASSERT_TRUE(library.RemoveItem(0));
    EXPECT_EQ(ReadFileBytes(path), Join({FileHeader("x", 1), b}));
    ASSERT_TRUE(library.RemoveItem(0));
    EXPECT_EQ(ReadFileBytes(path), FileHeader("x", 0));
    // No temporary file is left beside the library.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

// Failed changes leave the library byte for byte as it was.
TEST(LibraryFile, FailedChangesLeaveTheLibraryAlone) {
    TempDir dir;
    const std::string path = (dir / "a.rlb").string();
    // B's data is cut short: it can be removed but not renamed or copied.
    Bytes bytes = Join({FileHeader("D", 2), Record("A", "", 0, {1}), Record("B", "", 0, {2, 3})});
    bytes.pop_back();
    WriteFileBytes(path, bytes);
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str(), CDiskFile::modeReadWrite));
    EXPECT_FALSE(Add(library, "A", {5}));  // the name exists
    EXPECT_FALSE(Add(library, "C", {5}));  // the records do not end where the file does
    EXPECT_EQ(library.UpdateItem(1, CLibraryItem("Z", "", 0), kUpdateName), 0);
    EXPECT_EQ(ReadFileBytes(path), bytes);
    ASSERT_TRUE(library.RemoveItem(1));

    // A source with fewer bytes than the record claims adds nothing.
    const Bytes intact = ReadFileBytes(path);
    CMemFile source(Bytes{1, 2});
    CLibraryItem item("C", "", 0);
    EXPECT_FALSE(library.AddItem(item, source, 3));
    EXPECT_EQ(ReadFileBytes(path), intact);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

// An add writes the grown library beside the old file and renames it over: the old file is
// never written into, so a failure or the program's end part way leaves it whole.
TEST(LibraryFile, AnAddReplacesTheLibraryAndLeavesTheOldFileWhole) {
    // A source whose reads fail after the data sum was taken, as a disk failing mid-copy.
    class FailingSource : public CMemFile {
    public:
        using CMemFile::CMemFile;
        UINT Read(void* buffer, UINT count) override {
            if (++m_reads > 1)
                throw CFileException(CFileException::hardIO, EIO, "source");
            return CMemFile::Read(buffer, count);
        }

    private:
        int m_reads = 0;
    };

    TempDir dir;
    const std::string path = (dir / "a.rlb").string();
    const Bytes before = Join({FileHeader("D", 1), Record("A", "", 0, {1})});
    WriteFileBytes(path, before);
    const std::filesystem::path old = dir / "old";
    std::filesystem::create_hard_link(path, old);
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str(), CDiskFile::modeReadWrite));

    FailingSource failing{Bytes{7, 8}};
    CLibraryItem item("B", "b", kItemDevice);
    EXPECT_THROW(library.AddItem(item, failing), CFileException);
    EXPECT_EQ(ReadFileBytes(path), before);

    ASSERT_TRUE(Add(library, "B", {7, 8}, kItemDevice, "b"));
    EXPECT_EQ(ReadFileBytes(path),
              Join({FileHeader("D", 2), Record("A", "", 0, {1}), Record("B", "b", 2, {7, 8})}));
    EXPECT_EQ(ReadFileBytes(old), before) << "the old file was written into";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              2)
        << "a temporary file was left";
}

// Many adds made to an image of a library in memory reach the file in one replacement, with
// the bytes the adds would have written to the file itself.
TEST(LibraryFile, AnImageOfTheLibraryReplacesItInOneWrite) {
    TempDir dir;
    const std::string path = (dir / "a.rlb").string();
    const Bytes before = Join({FileHeader("D", 1), Record("A", "", 0, {1})});
    WriteFileBytes(path, before);
    const std::filesystem::path old = dir / "old";
    std::filesystem::create_hard_link(path, old);
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str(), CDiskFile::modeReadWrite));
    CLibraryFile image;
    ASSERT_TRUE(library.CopyToImage(image));
    EXPECT_FALSE(Add(image, "A", {5}));  // the library's own names are taken
    ASSERT_TRUE(Add(image, "B", {2}, kItemDevice, "b"));
    ASSERT_TRUE(Add(image, "C", {3, 4}));
    EXPECT_EQ(ReadFileBytes(path), before) << "the image is not the file";

    ASSERT_TRUE(library.ReplaceContents(image));
    EXPECT_EQ(ReadFileBytes(path), Join({FileHeader("D", 3), Record("A", "", 0, {1}),
                                         Record("B", "b", 2, {2}), Record("C", "", 0, {3, 4})}));
    EXPECT_EQ(ReadFileBytes(old), before) << "the old file was written into";
    EXPECT_EQ(Names(library), (std::vector<std::string>{"A", "B", "C"}));

    // A library that may no longer be written stays as it was.
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    const Bytes stored = ReadFileBytes(path);
    ASSERT_TRUE(Add(image, "D", {6}));
    EXPECT_FALSE(library.ReplaceContents(image));
    EXPECT_EQ(ReadFileBytes(path), stored);
}

// A library write-protected while it was open for writing is not replaced: the changes fail
// and the file stays as it was.
TEST(LibraryFile, AWriteProtectedLibraryIsNotReplaced) {
    TempDir dir;
    const std::string path = MakeLibrary(dir, {"A", "B"});
    CLibraryFile library;
    ASSERT_TRUE(library.Open(path.c_str(), CDiskFile::modeReadWrite));
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    const Bytes stored = ReadFileBytes(path);
    EXPECT_FALSE(library.RemoveItem(0));
    EXPECT_EQ(library.UpdateItem(0, CLibraryItem("Z", "", 0), kUpdateName), 0);
    EXPECT_FALSE(library.SetDescription("Mine"));
    EXPECT_FALSE(Add(library, "C", {5}));
    EXPECT_EQ(ReadFileBytes(path), stored);
    EXPECT_EQ(Names(library), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
    library.Close();
    EXPECT_FALSE(library.Open(path.c_str(), CDiskFile::modeReadWrite));
}

TEST(LibraryFile, ReadersShareAndWritersHoldTheLibraryAlone) {
    TempDir dir;
    const std::string path = MakeLibrary(dir, {"A"});
    CLibraryFile reader;
    CLibraryFile second;
    ASSERT_TRUE(reader.Open(path.c_str()));
    EXPECT_TRUE(second.Open(path.c_str()));
    CLibraryFile writer;
    EXPECT_FALSE(writer.Open(path.c_str(), CDiskFile::modeReadWrite));
    reader.Close();
    second.Close();

    ASSERT_TRUE(writer.Open(path.c_str(), CDiskFile::modeReadWrite));
    EXPECT_FALSE(reader.Open(path.c_str()));
    // The library that replaced the old file after a change is held as well.
    ASSERT_TRUE(writer.SetDescription("changed"));
    EXPECT_FALSE(reader.Open(path.c_str()));
    writer.Close();
    ASSERT_TRUE(reader.Open(path.c_str()));
    EXPECT_EQ(reader.GetDescription().str(), "changed");
}

}  // namespace
