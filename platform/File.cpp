#include "platform/File.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <string>

namespace {

const char* Describe(CFileException::Cause cause) {
    switch (cause) {
        case CFileException::none:
            return "No error";
        case CFileException::fileNotFound:
            return "File not found";
        case CFileException::badPath:
            return "Invalid path";
        case CFileException::tooManyOpenFiles:
            return "Too many open files";
        case CFileException::accessDenied:
            return "Access denied";
        case CFileException::badSeek:
            return "Seek before the start of the file";
        case CFileException::hardIO:
            return "Hardware I/O error";
        case CFileException::diskFull:
            return "Disk full";
        case CFileException::sharingViolation:
            return "The file is in use";
        case CFileException::genericException:
            break;
    }
    return "File error";
}

}  // namespace

CFileException::CFileException(Cause cause, int osError, const CString& fileName)
    : CException(MessageForFile(Describe(cause), fileName.str())),
      m_cause(cause),
      m_lOsError(osError),
      m_strFileName(fileName) {}

CFileException::Cause CFileException::CauseFromErrno(int osError) {
    switch (osError) {
        case 0:
            return none;
        case ENOENT:
            return fileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return badPath;
        case EMFILE:
        case ENFILE:
            return tooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return accessDenied;
        case EIO:
            return hardIO;
        case ENOSPC:
        case EDQUOT:
            return diskFull;
        default:
            return genericException;
    }
}

std::uint64_t CFile::SeekTarget(std::uint64_t position, std::uint64_t length, std::int64_t offset,
                                UINT from) {
    std::int64_t base = 0;
    if (from == current)
        base = static_cast<std::int64_t>(position);
    else if (from == end)
        base = static_cast<std::int64_t>(length);
    if (offset < -base || offset > std::numeric_limits<std::int64_t>::max() - base)
        throw CFileException(CFileException::badSeek, 0, {});
    return static_cast<std::uint64_t>(base + offset);
}

UINT CFile::ReadHeld(std::span<const BYTE> bytes, std::uint64_t& position, void* buffer,
                     UINT count) {
    if (position >= bytes.size())
        return 0;
    const auto n = static_cast<UINT>(std::min<std::uint64_t>(count, bytes.size() - position));
    if (n > 0)
        std::memcpy(buffer, bytes.data() + position, n);
    position += n;
    return n;
}
