#pragma once
// CMemFile: a file held in memory. It grows in steps of at least the grow-by amount as it
// is written (doubling once it is large), can be opened on existing bytes for reading, and hands
// its bytes out.

#include <vector>

#include "platform/File.h"

class CMemFile : public CFile {
public:
    explicit CMemFile(UINT growBytes = 1024);
    // A file holding these bytes, positioned at the start.
    explicit CMemFile(std::vector<BYTE> bytes, UINT growBytes = 1024);

    UINT Read(void* buffer, UINT count) override;
    // Writing past the end extends the file; a gap left by seeking past the end reads as zeros.
    void Write(const void* buffer, UINT count) override;
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_bytes.size(); }
    std::uint64_t Seek(std::int64_t offset, UINT from) override;
    void Flush() override {}
    void SetLength(std::uint64_t length) override;

    const std::vector<BYTE>& GetBytes() const { return m_bytes; }
    // Takes the bytes out, leaving the file empty.
    std::vector<BYTE> Detach();

private:
    std::vector<BYTE> m_bytes;
    std::uint64_t m_position = 0;
    UINT m_growBytes;
};
