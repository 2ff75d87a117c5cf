#pragma once
// CDiskFile: a file in the file system, read and written through the system's file
// descriptor calls. Saving a document goes through a temporary file that is renamed into
// place; this class is the plain file underneath. The share flags take an advisory lock that
// lasts while the file is open: readers that deny writing share it, a writer holds it alone.

#include "platform/File.h"

class CDiskFile : public CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        modeCreate = 0x1000,       // create the file, emptying an existing one
        modeNoTruncate = 0x2000,   // with modeCreate: keep an existing file's contents
        modeNoOverwrite = 0x4000,  // with modeCreate: fail when the file exists
        shareExclusive = 0x0010,   // nobody else may hold the lock
        shareDenyWrite = 0x0020,   // others may hold the lock to read too
    };

    CDiskFile() = default;
    ~CDiskFile() override;
    CDiskFile(const CDiskFile&) = delete;
    CDiskFile& operator=(const CDiskFile&) = delete;

    // Opens the file; on failure returns false and, when given, fills error. A lock another
    // holder refuses fails with CFileException::sharingViolation; opening a file the user may
    // not write (IsWriteProtected) for writing fails with accessDenied, for the superuser too.
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
    void SetLength(std::uint64_t length) override;
    CString GetFilePath() const override { return m_path; }
    // Gives the open file the new path, replacing a file of that name; it stays open.
    void Rename(const char* newPath);

private:
    [[noreturn]] void ThrowLastError() const;
    bool Lock(UINT flags);

    int m_fd = -1;
    CString m_path;
};
