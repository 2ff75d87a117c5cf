#pragma once
// CCompoundStreamFile: a file for reading a stream of a compound file as it lies, in memory or
// in the file on disk, without holding all its bytes. The stream must outlive the file; bytes
// that cannot be read throw CompoundFileError.

#include "platform/CompoundStorage.h"
#include "platform/ReadOnlyFile.h"

class CCompoundStreamFile : public CReadOnlyFile {
public:
    explicit CCompoundStreamFile(const CompoundStream& stream) : m_stream(stream) {}

    std::uint64_t GetLength() const override { return m_stream.Size(); }

protected:
    void ReadAt(std::uint64_t offset, UINT count, BYTE* buffer) override;

private:
    const CompoundStream& m_stream;
};
