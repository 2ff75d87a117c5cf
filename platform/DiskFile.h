#pragma once
// CDiskFile: a file in the file system, read and written through the system's file
// descriptor calls. Saving a document goes through a temporary file that is renamed into
// place; this class is the plain file underneath.

#include "platform/File.h"

class CDiskFile : public CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        modeCreate = 0x1000,      // create the file, emptying an existing one
        modeNoTruncate = 0x2000,  // with modeCreate: keep an existing file's contents
    };

    CDiskFile() = default;
    ~CDiskFile() override;
    CDiskFile(const CDiskFile&) = delete;
    CDiskFile& operator=(const CDiskFile&) = delete;

    // Opens the file; on failure returns false and, when given, fills error.
    bool Open(const char* path, UINT flags, CFileException* error = nullptr);
    // Closes the file; a failure to close (a late write error) throws.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    std::uint64_t GetPosition() const override;
    std::uint64_t GetLength() const override;
    std::uint64_t Seek(std::int64_t offset, UINT from) override;
    // Forces the written bytes to the storage device.
    void Flush() override;
    CString GetFilePath() const override { return m_path; }

private:
    [[noreturn]] void ThrowLastError() const;

    int m_fd = -1;
    CString m_path;
};
