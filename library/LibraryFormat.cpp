#include "library/LibraryFormat.h"

namespace {

constexpr int kFileSumOffset = 12;
constexpr int kHeaderSumOffset = 8;
constexpr int kDataSumOffset = 9;
constexpr int kTypeOffset = 10;

void Put32(BYTE* at, DWORD value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<BYTE>(value >> (8 * i));
}

DWORD Get32(const BYTE* at) {
    DWORD value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | at[i];
    return value;
}

}  // namespace

BYTE ByteSum(std::span<const BYTE> bytes, BYTE start) {
    unsigned sum = start;
    for (BYTE byte : bytes)
        sum += byte;
    return static_cast<BYTE>(sum);
}

void EncodeFileHeader(const LibraryFileHeader& header, BYTE (&bytes)[kFileHeaderSize]) {
    Put32(bytes, header.headerLength);
    Put32(bytes + 4, kLibraryMagic);
    Put32(bytes + 8, header.itemCount);
    Put32(bytes + kFileSumOffset, header.sum);
}

bool DecodeFileHeader(const BYTE (&bytes)[kFileHeaderSize], LibraryFileHeader& header) {
    if (Get32(bytes + 4) != kLibraryMagic)
        return false;
    header.headerLength = Get32(bytes);
    header.itemCount = Get32(bytes + 8);
    header.sum = bytes[kFileSumOffset];
    return true;
}

BYTE FileHeaderSum(const BYTE (&bytes)[kFileHeaderSize], std::span<const BYTE> description) {
    const BYTE withoutSum = static_cast<BYTE>(ByteSum(bytes) - bytes[kFileSumOffset]);
    return ByteSum(description, withoutSum);
}

void EncodeRecordHeader(const LibraryRecordHeader& header, BYTE (&bytes)[kRecordHeaderSize]) {
    Put32(bytes, header.recordLength);
    Put32(bytes + 4, kLibraryMagic);
    bytes[kHeaderSumOffset] = 0;
    bytes[kDataSumOffset] = 0;
    bytes[kTypeOffset] = header.type;
    bytes[11] = 0;
    Put32(bytes + 12, header.nameLength);
    Put32(bytes + 16, header.descriptionLength);
    bytes[kHeaderSumOffset] = ByteSum(bytes);
    bytes[kDataSumOffset] = header.dataSum;
}

bool DecodeRecordHeader(const BYTE (&bytes)[kRecordHeaderSize], LibraryRecordHeader& header) {
    if (Get32(bytes + 4) != kLibraryMagic)
        return false;
    const BYTE stored = bytes[kHeaderSumOffset];
    const BYTE computed =
        static_cast<BYTE>(ByteSum(bytes) - bytes[kHeaderSumOffset] - bytes[kDataSumOffset]);
    if (stored != computed)
        return false;
    header.recordLength = Get32(bytes);
    header.headerSum = stored;
    header.dataSum = bytes[kDataSumOffset];
    header.type = bytes[kTypeOffset];
    header.nameLength = Get32(bytes + 12);
    header.descriptionLength = Get32(bytes + 16);
    return true;
}
