#pragma once
// CCompoundStreamFile: a file for reading a stream of a compound file as it lies, in memory or
// in the file on disk, without holding all its bytes. The stream must outlive the file;
// writing or changing the length throws CFileException::accessDenied, and bytes that cannot be
// read throw CompoundFileError.

#include "platform/CompoundStorage.h"
#include "platform/File.h"

class CCompoundStreamFile : public CFile {
public:
    explicit CCompoundStreamFile(const CompoundStream& stream) : m_stream(stream) {}

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    std::uint64_t GetPosition() const override { return m_position; }
    std::uint64_t GetLength() const override { return m_stream.Size(); }
    // Seeking past the end is allowed; reading there gives nothing.
    std::uint64_t Seek(std::int64_t offset, UINT from) override;
    void Flush() override {}
    void SetLength(std::uint64_t length) override;

private:
    const CompoundStream& m_stream;
    std::uint64_t m_position = 0;
};
