#pragma once
// The byte layout of library files: a 16-byte file header and the description, then records of
// a 20-byte header, the name, the description and the item data. Integers are little-endian;
// every sum is the unsigned byte sum modulo 256.

#include <cstdint>
#include <span>

#include "platform/Types.h"

constexpr DWORD kLibraryMagic = 0x78563474;
constexpr UINT kFileHeaderSize = 16;
constexpr UINT kRecordHeaderSize = 20;
// Bytes of the shortest record: a header and nothing else.
constexpr UINT kMinRecordSize = kRecordHeaderSize;

BYTE ByteSum(std::span<const BYTE> bytes, BYTE start = 0);

struct LibraryFileHeader {
    DWORD headerLength = 0;  // 16 plus the description's length
    DWORD itemCount = 0;
    BYTE sum = 0;  // over the 16 bytes with the sum taken as zero, and the description
};

// Encodes the 16 bytes; the sum is stored as given.
void EncodeFileHeader(const LibraryFileHeader& header, BYTE (&bytes)[kFileHeaderSize]);
// False when the magic is wrong.
bool DecodeFileHeader(const BYTE (&bytes)[kFileHeaderSize], LibraryFileHeader& header);
// The header sum of these 16 bytes (their sum byte taken as zero) and this description.
BYTE FileHeaderSum(const BYTE (&bytes)[kFileHeaderSize], std::span<const BYTE> description);

struct LibraryRecordHeader {
    DWORD recordLength = 0;  // 20 + name + description + data
    BYTE headerSum = 0;      // the 20 bytes with both sums taken as zero
    BYTE dataSum = 0;
    BYTE type = 0;
    DWORD nameLength = 0;
    DWORD descriptionLength = 0;
};

// Encodes the 20 bytes with the header sum computed here (the given one is ignored).
void EncodeRecordHeader(const LibraryRecordHeader& header, BYTE (&bytes)[kRecordHeaderSize]);
// False when the magic or the header sum is wrong.
bool DecodeRecordHeader(const BYTE (&bytes)[kRecordHeaderSize], LibraryRecordHeader& header);
