#include "platform/CompoundFileReader.h"

#include <algorithm>
#include <cstring>

#include "platform/CompoundFileError.h"
#include "platform/CompoundFileFormat.h"
#include "platform/CompoundName.h"
#include "platform/CompoundStreamExtents.h"

using namespace compound;

namespace {

constexpr std::size_t kWholeChain = static_cast<std::size_t>(-1);

[[noreturn]] void Fail(const std::string& message) {
    throw CompoundFileError("corrupt compound file: " + message);
}

std::string Quoted(const std::string& name) {
    return "\"" + name + "\"";
}

}  // namespace

CompoundFileReader::CompoundFileReader(std::shared_ptr<const CompoundImage> image)
    : m_image(std::move(image)) {}

void CompoundFileReader::Read(CompoundStorage& root) {
    ReadHeader();
    ReadFat();
    ReadDirectory();
    const Entry rootEntry = ParseEntry(0);
    if (rootEntry.type != kTypeRoot)
        Fail("the first directory entry is not the root");
    m_visitedEntries[0] = true;
    ReadMiniFat();
    ReadMiniStream(rootEntry);
    root.SetClsid(rootEntry.clsid);
    std::vector<Pending> work{{rootEntry.child, &root, 0}};
    while (!work.empty()) {
        const Pending pending = work.back();
        work.pop_back();
        ReadChildren(pending, work);
    }
}

void CompoundFileReader::ReadHeader() {
    if (m_image->Size() < kHeaderSize)
        Fail("too short for a header");
    m_image->Read(0, kHeaderSize, m_header.data());
    if (!std::equal(std::begin(kSignature), std::end(kSignature), m_header.begin()))
        throw CompoundFileError("not a compound file: bad signature");
    const std::uint8_t* header = m_header.data();
    if (GetU16(header + kOffByteOrder) != kByteOrderMark)
        Fail("bad byte order mark");
    m_majorVersion = GetU16(header + kOffMajorVersion);
    const std::uint16_t shift = GetU16(header + kOffSectorShift);
    if (!(m_majorVersion == 3 && shift == 9) && !(m_majorVersion == 4 && shift == 12))
        Fail("unsupported version " + std::to_string(m_majorVersion) + " with sector shift " +
             std::to_string(shift));
    if (GetU16(header + kOffMiniSectorShift) != kMiniSectorShift)
        Fail("bad mini sector shift");
    if (GetU32(header + kOffMiniStreamCutoff) != kMiniStreamCutoff)
        Fail("bad mini stream cutoff");
    m_sectorSize = std::size_t{1} << shift;
    // The header fills sector -1; a last sector cut short by the producer reads as zeros.
    if (m_image->Size() > m_sectorSize)
        m_sectorCount = static_cast<std::size_t>((m_image->Size() - 1) / m_sectorSize);
    m_sectorCount = std::min<std::size_t>(m_sectorCount, kMaxRegularSector + std::size_t{1});
    m_claimed.assign(m_sectorCount, false);
}

// The FAT's own sectors: the first 109 are listed in the header, the rest in a chain of DIFAT
// sectors whose last entry links to the next one.
std::vector<std::uint32_t> CompoundFileReader::FatSectorNumbers() {
    const std::uint8_t* header = m_header.data();
    const std::uint32_t count = GetU32(header + kOffFatSectorCount);
    if (count > m_sectorCount)
        Fail("the FAT has more sectors than the file");
    std::vector<std::uint32_t> numbers;
    for (std::size_t i = 0; i < std::min<std::size_t>(count, kHeaderDifatEntries); ++i)
        numbers.push_back(GetU32(header + kOffHeaderDifat + 4 * i));
    const std::size_t perSector = m_sectorSize / 4 - 1;
    std::vector<std::uint8_t> sector;
    std::uint32_t next = GetU32(header + kOffFirstDifatSector);
    while (numbers.size() < count) {
        if (next >= m_sectorCount)
            Fail("the DIFAT chain ends early or leads outside the file");
        if (m_claimed[next])
            Fail("the DIFAT chain loops");
        m_claimed[next] = true;
        sector.clear();
        AppendSectors(next, m_sectorSize, sector);
        for (std::size_t i = 0; i < perSector && numbers.size() < count; ++i)
            numbers.push_back(GetU32(sector.data() + 4 * i));
        next = GetU32(sector.data() + 4 * perSector);
    }
    return numbers;
}

void CompoundFileReader::ReadFat() {
    const std::vector<std::uint32_t> numbers = FatSectorNumbers();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(numbers.size() * m_sectorSize);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const std::uint32_t sector = numbers[i];
        if (sector >= m_sectorCount)
            Fail("a FAT sector lies outside the file");
        if (m_claimed[sector])
            Fail("a FAT sector is listed twice");
        m_claimed[sector] = true;
        AppendSectors(sector, m_sectorSize, bytes);
    }
    m_fat = ToTable(bytes);
}

void CompoundFileReader::ReadDirectory() {
    m_directory = ReadChain(GetU32(m_header.data() + kOffFirstDirectorySector), "the directory");
    if (m_directory.size() < kEntrySize)
        Fail("the directory is empty");
    m_visitedEntries.assign(m_directory.size() / kEntrySize, false);
}

void CompoundFileReader::ReadMiniFat() {
    const std::uint32_t start = GetU32(m_header.data() + kOffFirstMiniFatSector);
    if (start != kEndOfChain)
        m_miniFat = ToTable(ReadChain(start, "the mini FAT"));
}

void CompoundFileReader::ReadMiniStream(const Entry& root) {
    if (root.size == 0)
        return;
    m_miniStream = ReadSectors(root.start, root.size, "the mini stream");
    m_claimedMini.assign((m_miniStream.size() + kMiniSectorSize - 1) / kMiniSectorSize, false);
}

void CompoundFileReader::ReadChildren(const Pending& pending, std::vector<Pending>& work) {
    struct Child {
        std::u16string key;
        std::string name;
        Entry entry;
    };
    std::vector<Child> children;
    for (std::uint32_t id : SiblingIds(pending.firstChild)) {
        Entry entry = ParseEntry(id);
        if (entry.type != kTypeStorage && entry.type != kTypeStream)
            Fail("directory entry " + std::to_string(id) + " has an unexpected type");
        std::u16string key = NameKey(entry.name);
        std::string name = DecodeName(entry.name);
        children.push_back({std::move(key), std::move(name), std::move(entry)});
    }
    std::sort(children.begin(), children.end(),
              [](const Child& a, const Child& b) { return NameKeyLess(a.key, b.key); });
    for (std::size_t i = 1; i < children.size(); ++i) {
        if (children[i].key == children[i - 1].key)
            Fail("storage " + Quoted(pending.storage->Name()) + " holds two entries named " +
                 Quoted(children[i].name));
    }
    for (const Child& child : children) {
        if (child.entry.type == kTypeStream) {
            AddStream(*pending.storage, child.name, child.entry);
            continue;
        }
        if (pending.depth + 1 > kMaxStorageDepth)
            Fail("storages are nested more than " + std::to_string(kMaxStorageDepth) +
                 " levels deep");
        CompoundStorage& storage = pending.storage->CreateStorage(child.name);
        storage.SetClsid(child.entry.clsid);
        work.push_back({child.entry.child, &storage, pending.depth + 1});
    }
}

// The entries of one storage's sibling tree, each seen once, whatever the tree's shape.
std::vector<std::uint32_t> CompoundFileReader::SiblingIds(std::uint32_t top) {
    std::vector<std::uint32_t> ids;
    std::vector<std::uint32_t> stack;
    if (top != kNoStream)
        stack.push_back(top);
    while (!stack.empty()) {
        const std::uint32_t id = stack.back();
        stack.pop_back();
        if (id >= m_visitedEntries.size())
            Fail("the directory tree refers to entry " + std::to_string(id) +
                 " beyond the directory");
        if (m_visitedEntries[id])
            Fail("the directory tree reaches entry " + std::to_string(id) + " twice");
        m_visitedEntries[id] = true;
        ids.push_back(id);
        const std::uint8_t* raw = m_directory.data() + id * kEntrySize;
        for (std::size_t offset : {kOffLeftSibling, kOffRightSibling}) {
            const std::uint32_t sibling = GetU32(raw + offset);
            if (sibling != kNoStream)
                stack.push_back(sibling);
        }
    }
    return ids;
}

CompoundFileReader::Entry CompoundFileReader::ParseEntry(std::uint32_t id) const {
    const std::uint8_t* raw = m_directory.data() + id * kEntrySize;
    Entry entry;
    entry.type = raw[kOffObjectType];
    entry.child = GetU32(raw + kOffChild);
    std::copy_n(raw + kOffClsid, entry.clsid.size(), entry.clsid.begin());
    entry.start = GetU32(raw + kOffStartSector);
    entry.size = GetU32(raw + kOffStreamSize);
    // Version 3 sizes are 32 bits; some producers leave garbage in the upper half.
    if (m_majorVersion == 4)
        entry.size |= std::uint64_t{GetU32(raw + kOffStreamSize + 4)} << 32;
    if (entry.type != kTypeStorage && entry.type != kTypeStream)
        return entry;
    const std::uint16_t nameBytes = GetU16(raw + kOffNameLength);
    if (nameBytes < 2 || nameBytes > 2 * (kMaxNameUnits + 1) || nameBytes % 2 != 0)
        Fail("directory entry " + std::to_string(id) + " has a bad name length");
    const std::size_t units = nameBytes / 2 - 1;
    if (GetU16(raw + 2 * units) != 0)
        Fail("the name of directory entry " + std::to_string(id) + " is not terminated");
    for (std::size_t i = 0; i < units; ++i)
        entry.name += static_cast<char16_t>(GetU16(raw + 2 * i));
    return entry;
}

void CompoundFileReader::AddStream(CompoundStorage& storage, const std::string& name,
                                   const Entry& entry) {
    const std::string what = "stream " + Quoted(name);
    if (entry.size == 0) {
        storage.WriteStream(name, {});
    } else if (entry.size < kMiniStreamCutoff) {
        storage.WriteStream(name, ReadMiniSectors(entry.start, entry.size, what));
    } else {
        const std::vector<std::uint32_t> chain = SectorChain(entry.start, entry.size, what);
        if (!m_image->Held())
            storage.LeaveStreamInFile(name, std::make_shared<CompoundStreamExtents>(
                                                m_image, chain, m_sectorSize, entry.size));
        else if (const auto run = InPlace(chain, entry.size))
            storage.ViewStream(name, *run);
        else
            storage.WriteStream(name, Gather(chain, entry.size));
    }
}

std::vector<std::uint8_t> CompoundFileReader::ReadChain(std::uint32_t start,
                                                        const std::string& what) {
    const std::vector<std::uint32_t> chain =
        FollowChain(start, kWholeChain, m_fat, m_claimed, what);
    return Gather(chain, chain.size() * m_sectorSize);
}

// The sectors that hold size bytes from sector start on.
std::vector<std::uint32_t> CompoundFileReader::SectorChain(std::uint32_t start, std::uint64_t size,
                                                           const std::string& what) {
    if (size > m_image->Size())
        Fail(what + " is larger than the file");
    const std::size_t wanted = (size + m_sectorSize - 1) / m_sectorSize;
    return FollowChain(start, wanted, m_fat, m_claimed, what);
}

std::vector<std::uint8_t> CompoundFileReader::ReadSectors(std::uint32_t start, std::uint64_t size,
                                                          const std::string& what) {
    return Gather(SectorChain(start, size, what), size);
}

std::optional<std::span<const std::uint8_t>> CompoundFileReader::InPlace(
    const std::vector<std::uint32_t>& chain, std::size_t size) const {
    for (std::size_t i = 1; i < chain.size(); ++i) {
        if (chain[i] != chain[0] + i)
            return std::nullopt;
    }
    const std::span<const std::uint8_t> bytes = *m_image->Held();
    const std::size_t offset = (std::size_t{chain.front()} + 1) * m_sectorSize;
    if (offset > bytes.size() || size > bytes.size() - offset)
        return std::nullopt;
    return bytes.subspan(offset, size);
}

// Sectors that follow one another in the file, as most of a stream's do, are copied as one.
std::vector<std::uint8_t> CompoundFileReader::Gather(const std::vector<std::uint32_t>& chain,
                                                     std::size_t size) const {
    std::vector<std::uint8_t> out;
    out.reserve(size);
    for (std::size_t i = 0; i < chain.size() && out.size() < size;) {
        std::size_t run = 1;
        while (i + run < chain.size() && chain[i + run] == chain[i] + run)
            ++run;
        AppendSectors(chain[i], std::min(run * m_sectorSize, size - out.size()), out);
        i += run;
    }
    out.resize(size);
    return out;
}

void CompoundFileReader::AppendSectors(std::uint32_t first, std::size_t count,
                                       std::vector<std::uint8_t>& out) const {
    const std::size_t at = out.size();
    out.resize(at + count);
    m_image->Read((std::uint64_t{first} + 1) * m_sectorSize, count, out.data() + at);
}

std::vector<std::uint8_t> CompoundFileReader::ReadMiniSectors(std::uint32_t start, std::size_t size,
                                                              const std::string& what) {
    if (m_miniStream.empty())
        Fail(what + " lies in the mini stream, but there is none");
    const std::size_t wanted = (size + kMiniSectorSize - 1) / kMiniSectorSize;
    const std::vector<std::uint32_t> chain =
        FollowChain(start, wanted, m_miniFat, m_claimedMini, what);
    std::vector<std::uint8_t> out(size);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        const std::size_t from = chain[i] * kMiniSectorSize;
        const std::size_t count =
            std::min({kMiniSectorSize, size - i * kMiniSectorSize, m_miniStream.size() - from});
        std::memcpy(out.data() + i * kMiniSectorSize, m_miniStream.data() + from, count);
    }
    return out;
}

// Follows a chain through a sector table. Each sector may belong to one chain only, which
// bounds the walk and rejects loops and crossed chains.
std::vector<std::uint32_t> CompoundFileReader::FollowChain(std::uint32_t start, std::size_t wanted,
                                                           const std::vector<std::uint32_t>& table,
                                                           std::vector<bool>& claimed,
                                                           const std::string& what) {
    std::vector<std::uint32_t> chain;
    std::uint32_t sector = start;
    while (wanted == kWholeChain ? sector != kEndOfChain : chain.size() < wanted) {
        if (sector == kEndOfChain)
            Fail(what + " is larger than its sector chain");
        if (sector >= claimed.size())
            Fail(what + " has a sector chain that leads outside the file");
        if (claimed[sector])
            Fail(what + " has a sector chain that loops or crosses another");
        claimed[sector] = true;
        chain.push_back(sector);
        sector = sector < table.size() ? table[sector] : kFreeSector;
    }
    return chain;
}

std::vector<std::uint32_t> CompoundFileReader::ToTable(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint32_t> table(bytes.size() / 4);
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = GetU32(bytes.data() + 4 * i);
    return table;
}
