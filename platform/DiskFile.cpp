#include "platform/DiskFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
        if (!(flags & CDiskFile::modeNoTruncate))
            result |= O_TRUNC;
    }
    return result;
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
    do {
        m_fd = ::open(path, OpenFlagsFor(flags), 0666);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd >= 0)
        return true;
    if (error)
        *error = CFileException(CFileException::CauseFromErrno(errno), errno, m_path);
    return false;
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

void CDiskFile::ThrowLastError() const {
    const int err = errno;
    throw CFileException(CFileException::CauseFromErrno(err), err, m_path);
}
