#pragma once
// CFile: a seekable byte stream, the medium archives are read from and written to.
// CFileException: an I/O failure of a file, with its cause and the system's error number.

#include <cstdint>
#include <span>

#include "platform/CString.h"
#include "platform/Exception.h"
#include "platform/Types.h"

class CFile {
public:
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    virtual ~CFile() = default;

    // Reads up to count bytes; fewer only at the end of the file. Returns the number read.
    virtual UINT Read(void* buffer, UINT count) = 0;
    // Writes all count bytes or throws CFileException.
    virtual void Write(const void* buffer, UINT count) = 0;
    virtual std::uint64_t GetPosition() const = 0;
    virtual std::uint64_t GetLength() const = 0;
    // Moves to offset from the given SeekPosition; returns the new position. A position
    // before the start throws CFileException::badSeek.
    virtual std::uint64_t Seek(std::int64_t offset, UINT from) = 0;
    virtual void Flush() = 0;
    // Cuts the file to length bytes, or extends it with zeros.
    virtual void SetLength(std::uint64_t length) = 0;
    // The path of a file on disk; empty for other files.
    virtual CString GetFilePath() const { return {}; }

    void SeekToBegin() { Seek(0, begin); }
    std::uint64_t SeekToEnd() { return Seek(0, end); }

protected:
    CFile() = default;
    // The position a Seek of a file held in memory moves to; throws badSeek before the start.
    static std::uint64_t SeekTarget(std::uint64_t position, std::uint64_t length,
                                    std::int64_t offset, UINT from);
    // A Read of a file held in memory: copies what there is from position on and moves it.
    static UINT ReadHeld(std::span<const BYTE> bytes, std::uint64_t& position, void* buffer,
                         UINT count);
};

class CFileException : public CException {
public:
    enum Cause {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        badSeek,
        hardIO,
        diskFull,
        sharingViolation,  // another holder's lock refuses this open
    };

    CFileException(Cause cause, int osError, const CString& fileName);
    // The cause that describes a system error number (errno).
    static Cause CauseFromErrno(int osError);

    Cause m_cause;
    int m_lOsError;  // errno, or 0
    CString m_strFileName;
};
