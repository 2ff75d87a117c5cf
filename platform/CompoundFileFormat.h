#pragma once
// Layout constants of the compound file format and little-endian field access, shared by the
// reader and the writer.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace compound {

constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

// Header fields (byte offsets).
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kOffMinorVersion = 24;
constexpr std::size_t kOffMajorVersion = 26;
constexpr std::size_t kOffByteOrder = 28;
constexpr std::size_t kOffSectorShift = 30;
constexpr std::size_t kOffMiniSectorShift = 32;
constexpr std::size_t kOffFatSectorCount = 44;
constexpr std::size_t kOffFirstDirectorySector = 48;
constexpr std::size_t kOffMiniStreamCutoff = 56;
constexpr std::size_t kOffFirstMiniFatSector = 60;
constexpr std::size_t kOffMiniFatSectorCount = 64;
constexpr std::size_t kOffFirstDifatSector = 68;
constexpr std::size_t kOffDifatSectorCount = 72;
constexpr std::size_t kOffHeaderDifat = 76;
constexpr std::size_t kHeaderDifatEntries = 109;

constexpr std::uint16_t kMinorVersion = 0x003E;
constexpr std::uint16_t kByteOrderMark = 0xFFFE;
constexpr std::uint16_t kMiniSectorShift = 6;
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;

// Sector numbers with a meaning of their own.
constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;

// Directory entries.
constexpr std::size_t kEntrySize = 128;
constexpr std::size_t kOffNameLength = 64;
constexpr std::size_t kOffObjectType = 66;
constexpr std::size_t kOffColor = 67;
constexpr std::size_t kOffLeftSibling = 68;
constexpr std::size_t kOffRightSibling = 72;
constexpr std::size_t kOffChild = 76;
constexpr std::size_t kOffClsid = 80;
constexpr std::size_t kOffStartSector = 116;
constexpr std::size_t kOffStreamSize = 120;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

constexpr std::uint8_t kTypeUnused = 0;
constexpr std::uint8_t kTypeStorage = 1;
constexpr std::uint8_t kTypeStream = 2;
constexpr std::uint8_t kTypeRoot = 5;
constexpr std::uint8_t kRed = 0;
constexpr std::uint8_t kBlack = 1;

// Storages nested deeper than this are refused, so that no walk over the tree runs out of stack.
constexpr std::size_t kMaxStorageDepth = 256;

inline std::uint16_t GetU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t GetU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void PutU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PutU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace compound
