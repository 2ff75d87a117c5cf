#include "platform/CompoundFileWriter.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/CompoundFileError.h"
#include "platform/CompoundFileFormat.h"
#include "platform/CompoundName.h"

using namespace compound;

namespace {

constexpr std::size_t kSectorSize = 512;
constexpr std::uint16_t kSectorShift = 9;
constexpr std::size_t kEntriesPerTableSector = kSectorSize / 4;
constexpr std::size_t kFatNumbersPerDifatSector = kEntriesPerTableSector - 1;
constexpr std::uint64_t kMaxStreamSize = 0x80000000;

std::uint64_t CeilDiv(std::uint64_t value, std::uint64_t divisor) {
    return (value + divisor - 1) / divisor;
}

}  // namespace

CompoundFileWriter::CompoundFileWriter(const CompoundStorage& root) : m_root(root) {}

std::vector<std::uint8_t> CompoundFileWriter::Write() {
    BuildDirectory();
    PlanSectors();
    WriteHeader();
    WriteFatAndDifat();
    WriteDirectory();
    WriteMiniFatAndStream();
    WriteLargeStreams();
    return std::move(m_out);
}

void CompoundFileWriter::BuildDirectory() {
    Entry rootEntry;
    rootEntry.name = u"Root Entry";
    rootEntry.type = kTypeRoot;
    rootEntry.color = kBlack;
    rootEntry.clsid = m_root.GetClsid();
    m_entries.push_back(rootEntry);
    std::vector<PendingStorage> queue{{&m_root, 0, 0}};
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const PendingStorage pending = queue[i];
        m_entries[pending.id].child = AddChildren(pending, queue);
    }
}

// Appends the children of one storage in sibling order and returns the top of their tree.
std::uint32_t CompoundFileWriter::AddChildren(const PendingStorage& parent,
                                              std::vector<PendingStorage>& queue) {
    struct Child {
        std::u16string key;
        Entry entry;
        const CompoundStorage* storage;
    };
    std::vector<Child> children;
    for (const CompoundStorage& storage : parent.storage->Storages()) {
        Entry entry;
        entry.name = EncodeName(storage.Name());
        entry.type = kTypeStorage;
        entry.clsid = storage.GetClsid();
        children.push_back({NameKey(entry.name), entry, &storage});
    }
    for (const CompoundStream& stream : parent.storage->Streams()) {
        Entry entry;
        entry.name = EncodeName(stream.Name());
        entry.type = kTypeStream;
        entry.data = stream.Data().data();
        entry.size = stream.Data().size();
        if (entry.size > kMaxStreamSize)
            throw CompoundFileError("stream \"" + stream.Name() + "\" is larger than 2 GB");
        children.push_back({NameKey(entry.name), entry, nullptr});
    }
    std::sort(children.begin(), children.end(),
              [](const Child& a, const Child& b) { return NameKeyLess(a.key, b.key); });
    const auto first = static_cast<std::uint32_t>(m_entries.size());
    for (const Child& child : children) {
        if (child.storage) {
            if (parent.depth + 1 > kMaxStorageDepth)
                throw CompoundFileError("storages are nested more than " +
                                        std::to_string(kMaxStorageDepth) + " levels deep");
            queue.push_back(
                {child.storage, static_cast<std::uint32_t>(m_entries.size()), parent.depth + 1});
        }
        m_entries.push_back(child.entry);
    }
    const auto end = static_cast<std::uint32_t>(m_entries.size());
    // A balanced tree of n nodes has floor(log2(n + 1)) full levels; those are black and the
    // partly filled last level, if any, red. Every path then passes the same number of black
    // nodes and no red node has a red child.
    const std::size_t blackLevels = std::bit_width(std::size_t{end - first} + 1) - 1;
    return LinkSiblings(first, end, 0, blackLevels);
}

std::uint32_t CompoundFileWriter::LinkSiblings(std::uint32_t first, std::uint32_t end,
                                               std::size_t depth, std::size_t blackLevels) {
    if (first == end)
        return kNoStream;
    const std::uint32_t middle = first + (end - first) / 2;
    m_entries[middle].color = depth < blackLevels ? kBlack : kRed;
    m_entries[middle].left = LinkSiblings(first, middle, depth + 1, blackLevels);
    m_entries[middle].right = LinkSiblings(middle + 1, end, depth + 1, blackLevels);
    return middle;
}

void CompoundFileWriter::PlanSectors() {
    PlanMiniStream();
    m_directorySectors =
        static_cast<std::uint32_t>(CeilDiv(m_entries.size() * kEntrySize, kSectorSize));
    std::uint64_t dataSectors = m_directorySectors + m_miniFatSectors + m_miniStreamSectors;
    for (const Entry& entry : m_entries) {
        if (entry.type == kTypeStream && entry.size >= kMiniStreamCutoff)
            dataSectors += CeilDiv(entry.size, kSectorSize);
    }
    if (dataSectors >= kMaxRegularSector)
        throw CompoundFileError("the compound file would be too large");
    std::uint32_t next = PlanFat(static_cast<std::uint32_t>(dataSectors));
    m_directoryStart = AllocateChain(m_fat, next, m_directorySectors);
    m_miniFatStart = AllocateChain(m_fat, next, m_miniFatSectors);
    m_miniStreamStart = AllocateChain(m_fat, next, m_miniStreamSectors);
    for (Entry& entry : m_entries) {
        if (entry.type == kTypeStream && entry.size >= kMiniStreamCutoff)
            entry.start = AllocateChain(m_fat, next, CeilDiv(entry.size, kSectorSize));
    }
    m_entries[0].start = m_miniStreamStart;
    m_out.assign((std::size_t{next} + 1) * kSectorSize, 0);
}

// Streams below the cutoff go to the mini stream, which the root entry holds.
void CompoundFileWriter::PlanMiniStream() {
    std::uint32_t next = 0;
    for (Entry& entry : m_entries) {
        if (entry.type == kTypeStream && entry.size < kMiniStreamCutoff)
            entry.start = AllocateChain(m_miniFat, next, CeilDiv(entry.size, kMiniSectorSize));
    }
    m_entries[0].size = std::uint64_t{next} * kMiniSectorSize;
    m_miniStreamSectors = static_cast<std::uint32_t>(CeilDiv(m_entries[0].size, kSectorSize));
    m_miniFatSectors = static_cast<std::uint32_t>(CeilDiv(next, kEntriesPerTableSector));
    m_miniFat.resize(std::size_t{m_miniFatSectors} * kEntriesPerTableSector, kFreeSector);
}

// Sizes the FAT and DIFAT, which must also describe their own sectors, and places them first.
// Returns the first sector after them.
std::uint32_t CompoundFileWriter::PlanFat(std::uint32_t dataSectors) {
    std::uint64_t fat = 0;
    std::uint64_t difat = 0;
    for (;;) {
        const std::uint64_t neededFat = CeilDiv(dataSectors + fat + difat, kEntriesPerTableSector);
        const std::uint64_t neededDifat =
            neededFat > kHeaderDifatEntries
                ? CeilDiv(neededFat - kHeaderDifatEntries, kFatNumbersPerDifatSector)
                : 0;
        if (neededFat == fat && neededDifat == difat)
            break;
        fat = neededFat;
        difat = neededDifat;
    }
    m_fatSectors = static_cast<std::uint32_t>(fat);
    m_difatSectors = static_cast<std::uint32_t>(difat);
    m_fat.assign(fat * kEntriesPerTableSector, kFreeSector);
    std::fill_n(m_fat.begin(), fat, kFatSector);
    std::fill_n(m_fat.begin() + fat, difat, kDifatSector);
    return m_fatSectors + m_difatSectors;
}

// Links `count` consecutive units from `next` on; returns the first, or end-of-chain for none.
std::uint32_t CompoundFileWriter::AllocateChain(std::vector<std::uint32_t>& table,
                                                std::uint32_t& next, std::uint64_t count) {
    if (count == 0)
        return kEndOfChain;
    const std::uint32_t first = next;
    if (table.size() < first + count)
        table.resize(first + count, kFreeSector);
    for (std::uint32_t i = 0; i < count; ++i)
        table[first + i] = i + 1 < count ? first + i + 1 : kEndOfChain;
    next = static_cast<std::uint32_t>(first + count);
    return first;
}

void CompoundFileWriter::WriteHeader() {
    std::uint8_t* header = m_out.data();
    std::copy(std::begin(kSignature), std::end(kSignature), header);
    PutU16(header + kOffMinorVersion, kMinorVersion);
    PutU16(header + kOffMajorVersion, 3);
    PutU16(header + kOffByteOrder, kByteOrderMark);
    PutU16(header + kOffSectorShift, kSectorShift);
    PutU16(header + kOffMiniSectorShift, kMiniSectorShift);
    PutU32(header + kOffFatSectorCount, m_fatSectors);
    PutU32(header + kOffFirstDirectorySector, m_directoryStart);
    PutU32(header + kOffMiniStreamCutoff, kMiniStreamCutoff);
    PutU32(header + kOffFirstMiniFatSector, m_miniFatStart);
    PutU32(header + kOffMiniFatSectorCount, m_miniFatSectors);
    PutU32(header + kOffFirstDifatSector, m_difatSectors > 0 ? m_fatSectors : kEndOfChain);
    PutU32(header + kOffDifatSectorCount, m_difatSectors);
    for (std::uint32_t i = 0; i < kHeaderDifatEntries; ++i)
        PutU32(header + kOffHeaderDifat + 4 * i, i < m_fatSectors ? i : kFreeSector);
}

// The FAT fills sectors 0 .. fat-1; the DIFAT sectors after it list FAT sectors 109 and up.
void CompoundFileWriter::WriteFatAndDifat() {
    WriteTable(m_fat, 0);
    std::uint32_t listed = kHeaderDifatEntries;
    for (std::uint32_t d = 0; d < m_difatSectors; ++d) {
        std::uint8_t* sector = Sector(m_fatSectors + d);
        for (std::size_t i = 0; i < kFatNumbersPerDifatSector; ++i, ++listed)
            PutU32(sector + 4 * i, listed < m_fatSectors ? listed : kFreeSector);
        const bool last = d + 1 == m_difatSectors;
        PutU32(sector + 4 * kFatNumbersPerDifatSector, last ? kEndOfChain : m_fatSectors + d + 1);
    }
}

void CompoundFileWriter::WriteDirectory() {
    std::uint8_t* directory = Sector(m_directoryStart);
    const std::size_t slots = std::size_t{m_directorySectors} * kSectorSize / kEntrySize;
    for (std::size_t i = 0; i < slots; ++i) {
        std::uint8_t* raw = directory + i * kEntrySize;
        if (i >= m_entries.size()) {
            PutU32(raw + kOffLeftSibling, kNoStream);
            PutU32(raw + kOffRightSibling, kNoStream);
            PutU32(raw + kOffChild, kNoStream);
            continue;
        }
        const Entry& entry = m_entries[i];
        for (std::size_t u = 0; u < entry.name.size(); ++u)
            PutU16(raw + 2 * u, entry.name[u]);
        PutU16(raw + kOffNameLength, static_cast<std::uint16_t>(2 * (entry.name.size() + 1)));
        raw[kOffObjectType] = entry.type;
        raw[kOffColor] = entry.color;
        PutU32(raw + kOffLeftSibling, entry.left);
        PutU32(raw + kOffRightSibling, entry.right);
        PutU32(raw + kOffChild, entry.child);
        std::copy(entry.clsid.begin(), entry.clsid.end(), raw + kOffClsid);
        if (entry.type != kTypeStorage) {
            PutU32(raw + kOffStartSector, entry.start);
            PutU32(raw + kOffStreamSize, static_cast<std::uint32_t>(entry.size));
        }
    }
}

void CompoundFileWriter::WriteMiniFatAndStream() {
    if (m_miniFatSectors > 0)
        WriteTable(m_miniFat, m_miniFatStart);
    for (const Entry& entry : m_entries) {
        if (entry.type == kTypeStream && entry.size > 0 && entry.size < kMiniStreamCutoff)
            std::memcpy(Sector(m_miniStreamStart) + std::size_t{entry.start} * kMiniSectorSize,
                        entry.data, entry.size);
    }
}

void CompoundFileWriter::WriteLargeStreams() {
    for (const Entry& entry : m_entries) {
        if (entry.type == kTypeStream && entry.size >= kMiniStreamCutoff)
            std::memcpy(Sector(entry.start), entry.data, entry.size);
    }
}

std::uint8_t* CompoundFileWriter::Sector(std::uint32_t sector) {
    return m_out.data() + (std::size_t{sector} + 1) * kSectorSize;
}

// Tables fill whole consecutive sectors from firstSector on.
void CompoundFileWriter::WriteTable(const std::vector<std::uint32_t>& table,
                                    std::uint32_t firstSector) {
    std::uint8_t* out = Sector(firstSector);
    for (std::size_t i = 0; i < table.size(); ++i)
        PutU32(out + 4 * i, table[i]);
}
