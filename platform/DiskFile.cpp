#include "platform/DiskFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/WriteAccess.h"

namespace {

int OpenFlagsFor(UINT flags) {
    int result = O_CLOEXEC;
    if (flags & CDiskFile::modeReadWrite)
        result |= O_RDWR;
    else if (flags & CDiskFile::modeWrite)
        result |= O_WRONLY;
    else
        result |= O_RDONLY;
    if (flags & CDiskFile::modeCreate) {
        result |= O_CREAT;
        if (flags & CDiskFile::modeNoOverwrite)
            result |= O_EXCL;
        else if (!(flags & CDiskFile::modeNoTruncate))
            result |= O_TRUNC;
    }
    return result;
}

// Whether an open with flags may write into a file that is already there.
bool ChangesExistingFile(UINT flags) {
    const bool writes = (flags & (CDiskFile::modeWrite | CDiskFile::modeReadWrite)) != 0;
    const bool onlyNew = (flags & CDiskFile::modeCreate) && (flags & CDiskFile::modeNoOverwrite);
    return writes && !onlyNew;
}

}  // namespace

CDiskFile::~CDiskFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CDiskFile::Open(const char* path, UINT flags, CFileException* error) {
    if (m_fd >= 0)
        Close();
    m_path = path;
    if (ChangesExistingFile(flags) && IsWriteProtected(path)) {
        errno = EACCES;
    } else {
        do {
            m_fd = ::open(path, OpenFlagsFor(flags), 0666);
        } while (m_fd < 0 && errno == EINTR);
    }
    if (m_fd >= 0 && Lock(flags))
        return true;
    const int err = errno;
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (error) {
        const auto cause = err == EWOULDBLOCK ? CFileException::sharingViolation
                                              : CFileException::CauseFromErrno(err);
        *error = CFileException(cause, err, m_path);
    }
    return false;
}

bool CDiskFile::Lock(UINT flags) {
    int operation = 0;
    if (flags & shareExclusive)
        operation = LOCK_EX;
    else if (flags & shareDenyWrite)
        operation = LOCK_SH;
    else
        return true;
    int result = 0;
    do {
        result = ::flock(m_fd, operation | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

void CDiskFile::Close() {
    const int fd = m_fd;
    m_fd = -1;
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR)
        ThrowLastError();
}

UINT CDiskFile::Read(void* buffer, UINT count) {
    UINT done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, static_cast<char*>(buffer) + done, count - done);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        done += static_cast<UINT>(n);
    }
    return done;
}

void CDiskFile::Write(const void* buffer, UINT count) {
    UINT done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, static_cast<const char*>(buffer) + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        done += static_cast<UINT>(n);
    }
}

std::uint64_t CDiskFile::GetPosition() const {
    const off_t position = ::lseek(m_fd, 0, SEEK_CUR);
    if (position < 0)
        ThrowLastError();
    return static_cast<std::uint64_t>(position);
}

std::uint64_t CDiskFile::GetLength() const {
    struct stat info {};
    if (::fstat(m_fd, &info) != 0)
        ThrowLastError();
    return static_cast<std::uint64_t>(info.st_size);
}

std::uint64_t CDiskFile::Seek(std::int64_t offset, UINT from) {
    const int whence = from == current ? SEEK_CUR : from == end ? SEEK_END : SEEK_SET;
    const off_t position = ::lseek(m_fd, offset, whence);
    if (position < 0) {
        const int err = errno;
        throw CFileException(
            err == EINVAL ? CFileException::badSeek : CFileException::CauseFromErrno(err), err,
            m_path);
    }
    return static_cast<std::uint64_t>(position);
}

void CDiskFile::Flush() {
    if (::fsync(m_fd) != 0)
        ThrowLastError();
}

void CDiskFile::SetLength(std::uint64_t length) {
    if (::ftruncate(m_fd, static_cast<off_t>(length)) != 0)
        ThrowLastError();
}

void CDiskFile::Rename(const char* newPath) {
    if (::rename(m_path.c_str(), newPath) != 0)
        ThrowLastError();
    m_path = newPath;
}

void CDiskFile::ThrowLastError() const {
    const int err = errno;
    throw CFileException(CFileException::CauseFromErrno(err), err, m_path);
}
