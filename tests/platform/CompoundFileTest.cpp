#include "platform/CompoundFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <sstream>
#include <tuple>

#include "platform/CompoundStreamFile.h"
#include "support/TestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using testsupport::BytesOf;
using testsupport::TempDir;

// Field access by the offsets the format documents, independent of the code under test.
std::uint32_t Get32(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, static_cast<std::uint16_t>(v));
    Put16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}

constexpr std::uint32_t kFree = 0xFFFFFFFF, kEnd = 0xFFFFFFFE, kFatSect = 0xFFFFFFFD;

Bytes Pattern(std::size_t size, unsigned seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 31 + seed * 7 + i / 251) & 0xFF);
    return bytes;
}

CompoundStorage::Clsid ClsidOf(std::uint8_t first) {
    CompoundStorage::Clsid clsid{};
    for (std::size_t i = 0; i < clsid.size(); ++i)
        clsid[i] = static_cast<std::uint8_t>(first + i);
    return clsid;
}

void ExpectSameTree(const CompoundStorage& expected, const CompoundStorage& actual,
                    const std::string& path = "/") {
    EXPECT_EQ(expected.GetClsid(), actual.GetClsid()) << path;
    ASSERT_EQ(expected.Streams().size(), actual.Streams().size()) << path;
    ASSERT_EQ(expected.Storages().size(), actual.Storages().size()) << path;
    for (auto e = expected.Streams().begin(), a = actual.Streams().begin();
         e != expected.Streams().end(); ++e, ++a) {
        EXPECT_EQ(e->Name(), a->Name()) << path;
        EXPECT_TRUE(BytesOf(e->Data()) == BytesOf(a->Data())) << path << e->Name();
    }
    for (auto e = expected.Storages().begin(), a = actual.Storages().begin();
         e != expected.Storages().end(); ++e, ++a) {
        EXPECT_EQ(e->Name(), a->Name()) << path;
        ExpectSameTree(*e, *a, path + e->Name() + "/");
    }
}

void ExpectRoundTrip(const CompoundFile& file) {
    ExpectSameTree(file.Root(), CompoundFile::Parse(file.Serialize()).Root());
}

// A tree with streams on both sides of the 4096-byte cutoff, nested storages and CLSIDs.
CompoundFile SampleFile() {
    CompoundFile file;
    file.Root().SetClsid(ClsidOf(0x10));
    unsigned seed = 0;
    for (std::size_t size : {0, 1, 63, 64, 65, 4095, 4096, 4097, 9000})
        file.Root().WriteStream("Size " + std::to_string(size), Pattern(size, ++seed));
    file.Root().WriteStream("\x05SummaryInformation", Pattern(300, ++seed));
    CompoundStorage& embedding = file.Root().CreateStorage("Embedding 1");
    embedding.SetClsid(ClsidOf(0xA0));
    embedding.WriteStream(
        "\x01"
        "CompObj",
        Pattern(70, ++seed));
    CompoundStorage& deeper = embedding.CreateStorage("\xC3\x84rger");
    deeper.WriteStream("Contents", Pattern(5000, ++seed));
    deeper.CreateStorage("Empty");
    return file;
}

TEST(CompoundFile, RoundTripsEmptyFilesStreamsAroundTheCutoffAndNestedStorages) {
    const Bytes empty = CompoundFile().Serialize();
    EXPECT_EQ(empty.size(), 3u * 512);  // header, FAT, directory
    EXPECT_EQ(Get32(empty, 44), 1u);    // FAT sectors
    EXPECT_EQ(Get32(empty, 60), kEnd);  // no mini FAT
    ExpectRoundTrip(CompoundFile());
    ExpectRoundTrip(SampleFile());
}

// Checks every sibling tree of a file we wrote: a search tree in the format's order, a valid
// red-black colouring, free slots marked free.
class DirectoryChecker {
public:
    explicit DirectoryChecker(const Bytes& file) : m_file(file) {
        for (std::uint32_t s = Get32(file, 48); s != kEnd;
             s = Get32(file, (Get32(file, 76) + 1) * 512 + 4 * s))
            m_sectors.push_back(s);
    }
    std::size_t Slots() const { return m_sectors.size() * 4; }
    std::size_t Entry(std::uint32_t id) const {
        return (m_sectors[id / 4] + 1) * 512 + id % 4 * 128;
    }
    std::uint8_t Type(std::uint32_t id) const { return m_file[Entry(id) + 66]; }

    // Returns the number of entries under id's sibling tree; fails on any violation.
    std::size_t CheckTree(std::uint32_t top) {
        int blackHeight = -1;
        std::size_t count = 0;
        Walk(top, nullptr, nullptr, 0, false, blackHeight, count);
        if (top != kFree) {
            EXPECT_EQ(m_file[Entry(top) + 67], 1) << "tree top must be black";
        }
        return count;
    }

private:
    std::string Key(std::uint32_t id) const {
        std::string key;
        for (std::size_t i = 0; i + 2 < static_cast<std::size_t>(m_file[Entry(id) + 64]); i += 2)
            key += static_cast<char>(std::toupper(m_file[Entry(id) + i]));
        return key;
    }
    static bool Less(const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    }
    void Walk(std::uint32_t id, const std::string* low, const std::string* high, int blacks,
              bool parentRed, int& blackHeight, std::size_t& count) {
        if (id == kFree) {
            if (blackHeight < 0)
                blackHeight = blacks;
            EXPECT_EQ(blacks, blackHeight) << "unequal black heights";
            return;
        }
        ASSERT_LT(id, Slots());
        ++count;
        const std::string key = Key(id);
        EXPECT_TRUE(!low || Less(*low, key)) << key;
        EXPECT_TRUE(!high || Less(key, *high)) << key;
        const bool red = m_file[Entry(id) + 67] == 0;
        EXPECT_FALSE(red && parentRed) << "red node under red node: " << key;
        const int below = blacks + (red ? 0 : 1);
        Walk(Get32(m_file, Entry(id) + 68), low, &key, below, red, blackHeight, count);
        Walk(Get32(m_file, Entry(id) + 72), &key, high, below, red, blackHeight, count);
    }

    const Bytes& m_file;
    std::vector<std::uint32_t> m_sectors;
};

TEST(CompoundFile, WritesValidRedBlackSiblingTreesOverManyDirectorySectors) {
    CompoundFile file;
    for (int n = 0; n < 70; ++n) {
        CompoundStorage& storage = file.Root().CreateStorage("Storage " + std::to_string(n));
        for (int i = 0; i < n; ++i)
            storage.WriteStream((i % 2 ? "item" : "ITEM_") + std::to_string(i * 7919 % 1000), {});
    }
    const Bytes bytes = file.Serialize();
    ExpectRoundTrip(file);
    DirectoryChecker directory(bytes);
    ASSERT_GT(directory.Slots(), 2000u);
    std::size_t used = 1 + directory.CheckTree(Get32(bytes, directory.Entry(0) + 76));
    for (std::uint32_t id = 1; id < directory.Slots(); ++id) {
        if (directory.Type(id) == 1)
            used += directory.CheckTree(Get32(bytes, directory.Entry(id) + 76));
    }
    EXPECT_EQ(used, 1 + 70 + 69 * 70 / 2);
    for (std::uint32_t id = used; id < directory.Slots(); ++id) {
        const std::size_t at = directory.Entry(id);
        EXPECT_EQ(directory.Type(id), 0);
        EXPECT_EQ(Get32(bytes, at + 64), 0u);  // name length, type, colour
        for (std::size_t field : {68, 72, 76})
            EXPECT_EQ(Get32(bytes, at + field), kFree);
    }
}

TEST(CompoundFile, StorageDepthIsLimited) {
    CompoundFile file;
    CompoundStorage* storage = &file.Root();
    for (int level = 0; level < 256; ++level)
        storage = &storage->CreateStorage("L");
    storage->WriteStream("Leaf", {1});
    Bytes bytes = file.Serialize();
    ExpectRoundTrip(file);
    // Turning the leaf stream into a storage nests one level too deep.
    bytes[(Get32(bytes, 48) + 1) * 512 + 257 * 128 + 66] = 1;
    EXPECT_THROW(CompoundFile::Parse(bytes), CompoundFileError);
    storage->CreateStorage("Deeper");
    EXPECT_THROW(file.Serialize(), CompoundFileError);
}

// Runs Debian's olefile on a file and lists what it finds, one sorted line per entry:
// "storage <path as hex> <CLSID as hex>" or "stream <path as hex> <size> <Adler-32>".
std::vector<std::string> OlefileListing(const std::filesystem::path& file) {
    TempDir dir;
    testsupport::WriteFileText(dir / "list.py", R"(import olefile, sys, uuid, zlib
def clsid(text):
    return uuid.UUID(text).bytes_le.hex() if text else "00" * 16
ole = olefile.OleFileIO(sys.argv[1], raise_defects=olefile.DEFECT_INCORRECT)
print("root", clsid(ole.root.clsid))
for path in ole.listdir(streams=True, storages=True):
    name = "/".join(path).encode("utf-8").hex()
    if ole.get_type(path) == olefile.STGTY_STORAGE:
        print("storage", name, clsid(ole.getclsid(path)))
    else:
        data = ole.openstream(path).read()
        print("stream", name, len(data), zlib.adler32(data))
)");
    std::string output;
    const int status =
        testsupport::RunCommand(std::string(testsupport::kSystemPython) + " " +
                                    (dir / "list.py").string() + " " + file.string() + " 2>&1",
                                &output);
    EXPECT_EQ(status, 0) << output.substr(0, 2000);
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string Hex(const std::string& text) {
    std::string out;
    for (unsigned char c : text)
        out += "0123456789abcdef"[c >> 4] + std::string(1, "0123456789abcdef"[c & 15]);
    return out;
}

std::string ClsidHex(const CompoundStorage::Clsid& clsid) {
    return Hex(std::string(clsid.begin(), clsid.end()));
}

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

void ListExpected(const CompoundStorage& storage, const std::string& prefix,
                  std::vector<std::string>& lines) {
    for (const CompoundStream& stream : storage.Streams())
        lines.push_back("stream " + Hex(prefix + stream.Name()) + " " +
                        std::to_string(stream.Data().size()) + " " +
                        std::to_string(Adler32(stream.Data())));
    for (const CompoundStorage& child : storage.Storages()) {
        lines.push_back("storage " + Hex(prefix + child.Name()) + " " + ClsidHex(child.GetClsid()));
        ListExpected(child, prefix + child.Name() + "/", lines);
    }
}

std::vector<std::string> ExpectedListing(const CompoundFile& file) {
    std::vector<std::string> lines{"root " + ClsidHex(file.Root().GetClsid())};
    ListExpected(file.Root(), "", lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// The FAT of a 7.2 MB stream takes more than the header's 109 sectors: the DIFAT holds the rest.
TEST(CompoundFile, OlefileReadsWhatWeWriteIncludingTheDifat) {
    TempDir dir;
    CompoundFile file = SampleFile();
    for (int i = 0; i < 120; ++i)
        file.Root()
            .FindStorage("Embedding 1")
            ->WriteStream("Item " + std::to_string(i), Pattern(i, i));
    file.Root().WriteStream("Big", Pattern(7200000, 3));
    file.SaveToFile(dir / "sample.sch");
    const Bytes bytes = testsupport::ReadFileBytes(dir / "sample.sch");
    EXPECT_GT(Get32(bytes, 44), 109u);
    EXPECT_EQ(Get32(bytes, 72), 1u);
    ExpectSameTree(file.Root(), CompoundFile::Parse(bytes).Root());
    EXPECT_EQ(OlefileListing(dir / "sample.sch"), ExpectedListing(file));
}

// A compound file laid out by hand the way other producers do: any sector order, sibling trees
// that are plain chains, free directory slots.
struct HandBuiltFile {
    HandBuiltFile(std::uint16_t major, std::size_t sectors)
        : sectorSize(major == 4 ? 4096 : 512), bytes((sectors + 1) * sectorSize) {
        const std::uint8_t signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        std::copy(std::begin(signature), std::end(signature), bytes.begin());
        Put16(bytes, 24, 0x3E);
        Put16(bytes, 26, major);
        Put16(bytes, 28, 0xFFFE);
        Put16(bytes, 30, major == 4 ? 12 : 9);
        Put16(bytes, 32, 6);
        Put32(bytes, 56, 4096);
        Put32(bytes, 60, kEnd);
        Put32(bytes, 68, kEnd);
        for (std::size_t i = 0; i < 109; ++i)
            Put32(bytes, 76 + 4 * i, kFree);
    }

    std::size_t Sector(std::uint32_t sector) const { return (sector + 1) * sectorSize; }
    // Fills a sector with 32-bit values (FAT, mini FAT, DIFAT).
    void FillTable(std::uint32_t sector, std::uint32_t value) {
        for (std::size_t i = 0; i < sectorSize; i += 4)
            Put32(bytes, Sector(sector) + i, value);
    }
    void FreeEntries(std::uint32_t sector) {
        for (std::size_t at = Sector(sector); at < Sector(sector + 1); at += 128)
            for (std::size_t field : {68, 72, 76})
                Put32(bytes, at + field, kFree);
    }
    void SetEntry(std::uint32_t sector, std::uint32_t slot, const std::u16string& name,
                  std::uint8_t type, std::uint32_t left, std::uint32_t right, std::uint32_t child,
                  std::uint32_t start, std::uint32_t size, std::uint8_t clsid = 0) {
        const std::size_t at = Sector(sector) + 128 * slot;
        for (std::size_t i = 0; i < name.size(); ++i)
            Put16(bytes, at + 2 * i, name[i]);
        Put16(bytes, at + 64, static_cast<std::uint16_t>(2 * name.size() + 2));
        bytes[at + 66] = type;
        bytes[at + 67] = 1;
        Put32(bytes, at + 68, left);
        Put32(bytes, at + 72, right);
        Put32(bytes, at + 76, child);
        for (std::size_t i = 0; clsid && i < 16; ++i)
            bytes[at + 80 + i] = static_cast<std::uint8_t>(clsid + i);
        Put32(bytes, at + 116, start);
        Put32(bytes, at + 120, size);
    }
    void Write(std::uint32_t sector, std::size_t offset, const Bytes& data) {
        std::copy(data.begin(), data.end(), bytes.begin() + Sector(sector) + offset);
    }

    std::size_t sectorSize;
    Bytes bytes;
};

// Version 4: FAT in sector 0, directory 1, mini FAT 2, mini stream 3, "Big" in 4-5.
// Root -> Big -> Beta -> Alpha is a chain of right siblings; Beta holds Gamma.
Bytes VersionFourFile() {
    HandBuiltFile file(4, 6);
    Put32(file.bytes, 40, 1);  // directory sectors
    Put32(file.bytes, 44, 1);  // FAT sectors
    Put32(file.bytes, 48, 1);
    Put32(file.bytes, 60, 2);
    Put32(file.bytes, 64, 1);
    Put32(file.bytes, 76, 0);
    file.FillTable(0, kFree);
    for (std::uint32_t s : {1, 2, 3, 5})
        Put32(file.bytes, file.Sector(0) + 4 * s, kEnd);
    Put32(file.bytes, file.Sector(0), kFatSect);
    Put32(file.bytes, file.Sector(0) + 16, 5);
    file.FillTable(2, kFree);
    Put32(file.bytes, file.Sector(2), 1);
    Put32(file.bytes, file.Sector(2) + 4, kEnd);
    Put32(file.bytes, file.Sector(2) + 8, kEnd);
    file.FreeEntries(1);
    file.SetEntry(1, 0, u"Root Entry", 5, kFree, kFree, 1, 3, 192, 0x11);
    file.SetEntry(1, 1, u"Big", 2, kFree, 3, kFree, 4, 5000);
    file.SetEntry(1, 3, u"Beta", 1, kFree, 2, 4, 0, 0, 0x22);
    file.SetEntry(1, 2, u"Alpha", 2, kFree, kFree, kFree, 0, 100);
    file.SetEntry(1, 4, u"Gamma", 2, kFree, kFree, kFree, 2, 50);
    file.Write(3, 0, Pattern(100, 1));
    file.Write(3, 128, Pattern(50, 2));
    file.Write(4, 0, Pattern(5000, 3));
    return file.bytes;
}

TEST(CompoundFile, ReadsVersionFourFilesAsOlefileDoes) {
    TempDir dir;
    const Bytes bytes = VersionFourFile();
    testsupport::WriteFileBytes(dir / "v4.sch", bytes);
    const CompoundFile file = CompoundFile::LoadFromFile(dir / "v4.sch");
    EXPECT_EQ(file.Root().GetClsid(), ClsidOf(0x11));
    ASSERT_NE(file.Root().FindStorage("beta"), nullptr);
    EXPECT_EQ(file.Root().FindStorage("beta")->GetClsid(), ClsidOf(0x22));
    EXPECT_TRUE(BytesOf(file.Root().FindStorage("beta")->FindStream("GAMMA")->Data()) ==
                Pattern(50, 2));
    EXPECT_TRUE(BytesOf(file.Root().FindStream("Alpha")->Data()) == Pattern(100, 1));
    EXPECT_TRUE(BytesOf(file.Root().FindStream("Big")->Data()) == Pattern(5000, 3));
    EXPECT_EQ(OlefileListing(dir / "v4.sch"), ExpectedListing(file));
}

// Root holds "Sub" (entry 1) with "Inner" (4, 10 bytes), "Large" (2, 5000 bytes) and
// "Small" (3, 100 bytes). Our writer keeps the directory and each table in consecutive sectors.
Bytes BaseFile() {
    CompoundFile file;
    file.Root().CreateStorage("Sub").WriteStream("Inner", Pattern(10, 1));
    file.Root().WriteStream("Large", Pattern(5000, 2));
    file.Root().WriteStream("Small", Pattern(100, 3));
    return file.Serialize();
}
std::size_t EntryAt(const Bytes& b, std::uint32_t id) {
    return (Get32(b, 48) + 1) * 512 + 128 * id;
}
std::uint32_t StartOf(const Bytes& b, std::uint32_t id) {
    return Get32(b, EntryAt(b, id) + 116);
}
std::size_t FatAt(const Bytes& b, std::uint32_t sector) {
    return (Get32(b, 76) + 1) * 512 + 4 * sector;
}
std::size_t MiniFatAt(const Bytes& b, std::uint32_t miniSector) {
    return (Get32(b, 60) + 1) * 512 + 4 * miniSector;
}

// Read from memory and from a file on disk, the bytes give the same error.
void ExpectCorrupt(const Bytes& bytes, const std::string& fragment) {
    const TempDir dir;
    testsupport::WriteFileBytes(dir / "corrupt.sch", bytes);
    for (bool fromDisk : {false, true}) {
        try {
            if (fromDisk)
                CompoundFile::LoadFromFile(dir / "corrupt.sch");
            else
                CompoundFile::Parse(bytes);
            ADD_FAILURE() << "accepted; expected an error about " << fragment;
        } catch (const CompoundFileError& error) {
            EXPECT_NE(std::string(error.what()).find(fragment), std::string::npos) << error.what();
        }
    }
}

TEST(CompoundFile, RejectsBadHeaders) {
    const Bytes base = BaseFile();
    ASSERT_EQ(Get32(base, 48), 1u);
    ExpectCorrupt(Bytes(base.begin(), base.begin() + 100), "too short");
    const std::vector<std::pair<std::size_t, const char*>> fields = {
        {0, "signature"},          {28, "byte order"},
        {30, "sector shift"},      {26, "version"},
        {32, "mini sector shift"}, {56, "cutoff"},
        {44, "more sectors than"}, {76, "FAT sector lies outside"}};
    for (const auto& [offset, fragment] : fields) {
        Bytes bytes = base;
        Put16(bytes, offset, offset == 30 ? 12 : offset == 44 || offset == 76 ? 5000 : 7);
        ExpectCorrupt(bytes, fragment);
    }
}

TEST(CompoundFile, RejectsBrokenSectorChains) {
    const Bytes base = BaseFile();
    const std::uint32_t large = StartOf(base, 2);
    const std::uint32_t small = StartOf(base, 3);
    const std::uint32_t directory = Get32(base, 48);
    const std::vector<std::tuple<std::size_t, std::uint32_t, const char*>> cases = {
        {FatAt(base, large + 5), large + 2, "\"Large\" has a sector chain that loops"},
        {FatAt(base, large), 5000, "leads outside the file"},
        {FatAt(base, large + 3), kEnd, "\"Large\" is larger than its sector chain"},
        {FatAt(base, large + 3), StartOf(base, 0), "loops or crosses another"},
        {EntryAt(base, 2) + 120, 0x7FFFFFF0, "\"Large\" is larger than the file"},
        {MiniFatAt(base, small), small, "\"Small\" has a sector chain that loops"},
        {MiniFatAt(base, small), 100, "leads outside"},
        {EntryAt(base, 0) + 120, 0, "lies in the mini stream, but there is none"},
        {FatAt(base, directory + 1), directory, "directory has a sector chain that loops"},
        {48, 9999, "directory has a sector chain that leads outside"},
        {60, 9999, "mini FAT has a sector chain that leads outside"}};
    for (const auto& [offset, value, fragment] : cases) {
        Bytes bytes = base;
        Put32(bytes, offset, value);
        ExpectCorrupt(bytes, fragment);
    }
    ExpectCorrupt(Bytes(base.begin(), base.begin() + 2048), "leads outside the file");
}

TEST(CompoundFile, RejectsBrokenDirectories) {
    const Bytes base = BaseFile();
    const std::vector<std::tuple<std::size_t, std::uint32_t, const char*>> cases = {
        {EntryAt(base, 1) + 76, 1, "reaches entry 1 twice"},
        {EntryAt(base, 4) + 72, 2, "reaches entry 2 twice"},
        {EntryAt(base, 1) + 76, 500, "entry 500 beyond the directory"},
        {EntryAt(base, 1) + 76, 7, "entry 7 has an unexpected type"},
        {EntryAt(base, 0) + 64, 0x01010000 | 22, "first directory entry is not the root"},
        {EntryAt(base, 3) + 8, 0x00780000 | 'l', "entry 3 is not terminated"},
        {EntryAt(base, 3) + 64, 0x01020000 | 66, "entry 3 has a bad name length"},
        {EntryAt(base, 3) + 64, 0x01020000 | 11, "entry 3 has a bad name length"},
        {EntryAt(base, 3), 0x006DD800, "surrogate"},
        {EntryAt(base, 3), 0x006D002F, "contains NUL, '/'"}};
    for (const auto& [offset, value, fragment] : cases) {
        Bytes bytes = base;
        Put32(bytes, offset, value);
        ExpectCorrupt(bytes, fragment);
    }
    Bytes duplicate = base;
    for (std::size_t i = 0; i < 5; ++i)
        Put16(duplicate, EntryAt(base, 2) + 2 * i, static_cast<std::uint16_t>("sMALL"[i]));
    ExpectCorrupt(duplicate, "holds two entries named \"Small\"");
}

// Whatever single field is damaged, reading ends in success or a CompoundFileError.
TEST(CompoundFile, SurvivesEveryDamagedField) {
    const Bytes base = BaseFile();
    int rejected = 0;
    for (std::size_t offset = 0; offset + 4 <= base.size(); offset += 4) {
        for (std::uint32_t value : {0u, 3u, 0x7FFFFFFFu, kEnd, kFree}) {
            Bytes bytes = base;
            Put32(bytes, offset, value);
            try {
                CompoundFile::Parse(bytes);
            } catch (const CompoundFileError&) {
                ++rejected;
            }
        }
    }
    EXPECT_GT(rejected, 100);
}

TEST(CompoundFile, ToleratesHarmlessQuirksOfOtherProducers) {
    const Bytes base = BaseFile();
    const CompoundFile expected = CompoundFile::Parse(base);
    Bytes bytes = base;
    Put32(bytes, EntryAt(base, 2) + 124, 0xDEADBEEF);  // upper half of a version 3 size
    Put32(bytes, EntryAt(base, 0), 0x00410042);        // root entry name
    bytes.resize(bytes.size() - 100);                  // last sector cut short after the data
    ExpectSameTree(expected.Root(), CompoundFile::Parse(bytes).Root());
}

// Other producers may lay a stream's sectors out in any order: "Large" is read through a chain
// that takes its second half first from the file, then its first half.
Bytes OutOfOrderFile() {
    const Bytes base = BaseFile();
    const std::uint32_t large = StartOf(base, 2);
    constexpr std::uint32_t kSectors = 10;  // 5000 bytes
    constexpr std::uint32_t kHalf = kSectors / 2;
    auto at = [](std::uint32_t sector) { return (std::size_t{sector} + 1) * 512; };
    Bytes bytes = base;
    for (std::uint32_t i = 0; i < kSectors; ++i) {
        const std::uint32_t to = large + (i + kHalf) % kSectors;
        std::copy_n(base.begin() + static_cast<std::ptrdiff_t>(at(large + i)), 512,
                    bytes.begin() + static_cast<std::ptrdiff_t>(at(to)));
        const std::uint32_t next = large + (i + 1 + kHalf) % kSectors;
        Put32(bytes, FatAt(base, to), i + 1 == kSectors ? kEnd : next);
    }
    Put32(bytes, EntryAt(base, 2) + 116, large + kHalf);
    return bytes;
}

TEST(CompoundFile, ReadsStreamsWhoseSectorsAreOutOfOrder) {
    const Bytes bytes = OutOfOrderFile();
    const CompoundFile file = CompoundFile::Parse(bytes);
    EXPECT_TRUE(BytesOf(file.Root().FindStream("Large")->Data()) == Pattern(5000, 2));
    EXPECT_TRUE(BytesOf(file.Root().FindStream("Small")->Data()) == Pattern(100, 3));
}

bool Inside(std::span<const std::uint8_t> data, const Bytes& image) {
    const auto at = reinterpret_cast<std::uintptr_t>(data.data());
    const auto begin = reinterpret_cast<std::uintptr_t>(image.data());
    return at >= begin && at + data.size() <= begin + image.size();
}

// Large streams whose sectors follow one another view the caller's image; small ones live in
// the mini stream and are copied.
TEST(CompoundFile, ParseInPlaceViewsLargeStreamsLaidOutInOneRun) {
    CompoundFile written;
    written.Root().WriteStream("Large", Pattern(300000, 1));
    written.Root().WriteStream("Small", Pattern(100, 2));
    written.Root().CreateStorage("Sub").WriteStream("Cutoff", Pattern(4096, 3));
    const Bytes image = written.Serialize();
    const CompoundFile file = CompoundFile::ParseInPlace(image);
    ExpectSameTree(written.Root(), file.Root());
    EXPECT_TRUE(Inside(file.Root().FindStream("Large")->Data(), image));
    EXPECT_TRUE(Inside(file.Root().FindStorage("Sub")->FindStream("Cutoff")->Data(), image));
    EXPECT_FALSE(Inside(file.Root().FindStream("Small")->Data(), image));
}

TEST(CompoundFile, StreamsOutOfOrderOrRunningPastTheEndAreCopied) {
    // Unused sectors after the end, so that reading on from the chain's first sector stays
    // inside the image.
    Bytes shuffled = OutOfOrderFile();
    shuffled.resize(shuffled.size() + 10 * 512, 0x55);
    const CompoundFile file = CompoundFile::ParseInPlace(shuffled);
    const CompoundStream* large = file.Root().FindStream("Large");
    EXPECT_TRUE(BytesOf(large->Data()) == Pattern(5000, 2));
    EXPECT_FALSE(Inside(large->Data(), shuffled));

    // "Large" fills the file's last ten sectors, the last one up to byte 392 of 512. Cut 80 of
    // those bytes off the file, and they read as zeros.
    Bytes cut = BaseFile();
    ASSERT_EQ(cut.size(), (StartOf(cut, 2) + 10 + 1) * 512u);
    cut.resize(cut.size() - 120 - 80);
    const CompoundFile cutFile = CompoundFile::ParseInPlace(cut);
    Bytes expected = Pattern(5000, 2);
    std::fill(expected.end() - 80, expected.end(), 0);
    EXPECT_TRUE(BytesOf(cutFile.Root().FindStream("Large")->Data()) == expected);
    EXPECT_FALSE(Inside(cutFile.Root().FindStream("Large")->Data(), cut));
}

// Copies of what a file holds own their bytes: they outlive the file and its image (a read of
// a freed image shows under the address sanitizer). Moves keep the bytes where they are.
TEST(CompoundFile, CopiesOwnTheirBytesAndMovesKeepThem) {
    CompoundStorage kept("Root Entry");
    std::vector<CompoundStream> streams;
    {
        const auto image = std::make_unique<Bytes>(SampleFile().Serialize());
        const CompoundFile file = CompoundFile::ParseInPlace(*image);
        kept.CopyStorage("Copy", file.Root());
        const CompoundStream& viewed = *file.Root().FindStream("Size 9000");
        ASSERT_TRUE(Inside(viewed.Data(), *image));
        streams.push_back(viewed);
        EXPECT_FALSE(Inside(streams.back().Data(), *image));
        CompoundStream assigned("x", Bytes{1});
        assigned = viewed;
        EXPECT_FALSE(Inside(assigned.Data(), *image));
        const std::uint8_t* owned = assigned.Data().data();
        streams.push_back(std::move(assigned));
        EXPECT_EQ(streams.back().Data().data(), owned);
    }
    ExpectSameTree(SampleFile().Root(), *kept.FindStorage("Copy"));
    for (const CompoundStream& stream : streams) {
        EXPECT_EQ(stream.Name(), "Size 9000");
        EXPECT_TRUE(BytesOf(stream.Data()) == Pattern(9000, 9));
    }
}

TEST(CompoundFile, ParsedFilesKeepTheirImageWhenMoved) {
    CompoundFile parsed = CompoundFile::Parse(SampleFile().Serialize());
    const std::uint8_t* bytes = parsed.Root().FindStream("Size 9000")->Data().data();
    CompoundFile moved(std::move(parsed));
    EXPECT_EQ(moved.Root().FindStream("Size 9000")->Data().data(), bytes);
    CompoundFile assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.Root().FindStream("Size 9000")->Data().data(), bytes);
    ExpectSameTree(SampleFile().Root(), assigned.Root());
}

// The streams of a file on disk are read from it when they are wanted, in any order and in
// pieces, whatever order their sectors lie in.
TEST(CompoundFile, LoadFromFileReadsStreamsFromTheFileWhenWanted) {
    const TempDir dir;
    testsupport::WriteFileBytes(dir / "sample.sch", SampleFile().Serialize());
    ExpectSameTree(SampleFile().Root(), CompoundFile::LoadFromFile(dir / "sample.sch").Root());

    const Bytes shuffled = OutOfOrderFile();
    testsupport::WriteFileBytes(dir / "shuffled.sch", shuffled);
    const CompoundFile file = CompoundFile::LoadFromFile(dir / "shuffled.sch");
    // Bytes changed on disk after loading are the ones read: the file was not read whole.
    Bytes changed = shuffled;
    // The stream's second sector follows its first in the file, after the header.
    const std::size_t secondSector = (std::size_t{StartOf(shuffled, 2)} + 1 + 1) * 512;
    changed[secondSector] ^= 0xFF;
    testsupport::WriteFileBytes(dir / "shuffled.sch", changed);
    Bytes expected = Pattern(5000, 2);
    expected[512] ^= 0xFF;

    const CompoundStream& large = *file.Root().FindStream("Large");
    EXPECT_EQ(large.Size(), 5000u);
    CCompoundStreamFile stream(large);
    Bytes pieces(5000);
    ASSERT_EQ(stream.Seek(2400, CFile::begin), 2400u);
    EXPECT_EQ(stream.Read(pieces.data() + 2400, 3000), 2600u);  // across the halves' seam
    stream.SeekToBegin();
    EXPECT_EQ(stream.Read(pieces.data(), 2400), 2400u);
    EXPECT_TRUE(pieces == expected);
    Bytes more(10);
    EXPECT_EQ(stream.Read(more.data(), 10), 10u);
    EXPECT_TRUE(std::equal(more.begin(), more.end(), expected.begin() + 2400));
    stream.SeekToEnd();
    EXPECT_EQ(stream.Read(more.data(), 10), 0u);
    EXPECT_TRUE(BytesOf(large.Data()) == expected);
    EXPECT_TRUE(BytesOf(file.Root().FindStream("Small")->Data()) == Pattern(100, 3));
}

// A file cut short on disk gives the errors its bytes give in memory; one cut short while it is
// open gives an error naming it when the lost bytes are wanted, and copies made before keep
// theirs.
TEST(CompoundFile, LoadFromFileReportsFilesCutShort) {
    const Bytes base = BaseFile();
    ExpectCorrupt(Bytes(base.begin(), base.begin() + 2048), "leads outside the file");
    ExpectCorrupt(Bytes(base.begin(), base.begin() + 300), "too short");

    const TempDir dir;
    const std::filesystem::path path = dir / "cut.sch";
    Bytes cut = base;  // the last sector cut short after the data reads as zeros
    cut.resize(cut.size() - 120 - 80);
    testsupport::WriteFileBytes(path, cut);
    Bytes expected = Pattern(5000, 2);
    std::fill(expected.end() - 80, expected.end(), 0);
    EXPECT_TRUE(BytesOf(CompoundFile::LoadFromFile(path).Root().FindStream("Large")->Data()) ==
                expected);

    testsupport::WriteFileBytes(path, base);
    const CompoundFile file = CompoundFile::LoadFromFile(path);
    CompoundStorage kept("Root Entry");
    kept.CopyStorage("Copy", file.Root());
    std::filesystem::resize_file(path, (std::size_t{StartOf(base, 2)} + 2) * 512);
    const CompoundStream& large = *file.Root().FindStream("Large");
    try {
        large.Data();
        ADD_FAILURE() << "read bytes the file no longer holds";
    } catch (const CompoundFileError& error) {
        EXPECT_NE(std::string(error.what()).find("cut.sch\": the file became shorter"),
                  std::string::npos)
            << error.what();
    }
    CCompoundStreamFile stream(large);
    Bytes first(512);
    EXPECT_EQ(stream.Read(first.data(), 512), 512u);
    EXPECT_THROW(stream.Read(first.data(), 1000), CompoundFileError);
    EXPECT_TRUE(BytesOf(kept.FindStorage("Copy")->FindStream("Large")->Data()) == Pattern(5000, 2));
}

// Writing itself is the atomic file writer's; here only its errors must become ours.
TEST(CompoundFile, FileErrorsBecomeCompoundFileErrors) {
    TempDir dir;
    EXPECT_THROW(SampleFile().SaveToFile(dir / "missing" / "b.sch"), CompoundFileError);
    testsupport::WriteFileText(dir / "bad.sch", "not a compound file");
    EXPECT_THROW(CompoundFile::LoadFromFile(dir / "bad.sch"), CompoundFileError);
    EXPECT_THROW(CompoundFile::LoadFromFile(dir.path()), CompoundFileError);
}

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

TEST(CompoundStorage, ChildrenAreFoundReplacedAndRemovedIgnoringCase) {
    CompoundStorage root("Root Entry");
    root.WriteStream("Data", {1});
    root.WriteStream("DATA", {2});
    root.CreateStorage("\xC3\x84rger");  // "Ärger"
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"+\xC3\x84rger", "DATA"}));
    EXPECT_EQ(BytesOf(root.FindStream("data")->Data()), Bytes{2});
    EXPECT_NE(root.FindStorage("\xC3\xA4RGER"), nullptr);  // "äRGER"
    EXPECT_EQ(root.FindStorage("Data"), nullptr);
    EXPECT_EQ(root.FindStream("\xC3\x84rger"), nullptr);
    EXPECT_EQ(root.FindStream("Dat"), nullptr);

    root.CreateStorage("data").WriteStream("Inner", {3});
    EXPECT_EQ(root.FindStream("Data"), nullptr);
    root.CreateStorage("Data");
    EXPECT_EQ(root.FindStorage("Data")->Streams().size(), 0u);
    root.WriteStream("Data", {});
    EXPECT_EQ(root.FindStorage("Data"), nullptr);
    EXPECT_TRUE(root.Remove("dAtA"));
    EXPECT_FALSE(root.Remove("Data"));
    EXPECT_EQ(ChildNames(root), (std::vector<std::string>{"+\xC3\x84rger"}));
}

}  // namespace
