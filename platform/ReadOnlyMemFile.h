#pragma once
// CReadOnlyMemFile: a file for reading bytes that another object holds, such as a stream of a
// compound file, without copying them. The bytes must outlive the file and stay unchanged
// while it reads; writing or changing the length throws CFileException::accessDenied.

#include <span>

#include "platform/File.h"

class CReadOnlyMemFile : public CFile {
public:
    explicit CReadOnlyMemFile(std::span<const BYTE> bytes) : m_bytes(bytes) {}

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_bytes.size(); }
    // Seeking past the end is allowed; reading there gives nothing.
    std::uint64_t Seek(std::int64_t offset, UINT from) override;
    void Flush() override {}
    void SetLength(std::uint64_t length) override;

private:
    std::span<const BYTE> m_bytes;
    std::uint64_t m_position = 0;
};
