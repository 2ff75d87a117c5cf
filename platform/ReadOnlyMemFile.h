#pragma once
// CReadOnlyMemFile: a file for reading bytes that another object holds, without copying them.
// The bytes must outlive the file and stay unchanged while it reads.

#include <span>

#include "platform/ReadOnlyFile.h"

class CReadOnlyMemFile : public CReadOnlyFile {
public:
    explicit CReadOnlyMemFile(std::span<const BYTE> bytes) : m_bytes(bytes) {}

    std::uint64_t GetLength() const override { return m_bytes.size(); }

protected:
    void ReadAt(std::uint64_t offset, UINT count, BYTE* buffer) override;

private:
    std::span<const BYTE> m_bytes;
};
