#pragma once
// CReadOnlyFile: the position, seeking and refusals of a file that only reads bytes held
// elsewhere; a subclass gives the length and reads at an offset. Seeking past the end is
// allowed and reading there gives nothing; writing or changing the length throws
// CFileException::accessDenied.

#include "platform/File.h"

class CReadOnlyFile : public CFile {
public:
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t Seek(std::int64_t offset, UINT from) override;
    void Flush() override {}
    void SetLength(std::uint64_t length) override;

protected:
    // Reads count bytes at offset; the caller keeps within the length.
    virtual void ReadAt(std::uint64_t offset, UINT count, BYTE* buffer) = 0;

private:
    std::uint64_t m_position = 0;
};
