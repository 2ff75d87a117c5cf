#include "platform/ReadableFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/AtomicFile.h"

namespace {

std::error_code LastError() {
    return std::error_code(errno, std::generic_category());
}

}  // namespace

ReadableFile::ReadableFile(const std::filesystem::path& path) : m_path(path) {
    auto fail = [&](const std::string& why, std::error_code code) {
        if (m_fd >= 0)
            ::close(m_fd);
        throw FileReadError::About(m_path, why, code);
    };
    // Non-blocking, so that opening a named pipe cannot hang; only regular files are read.
    m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        const std::error_code code = LastError();
        if (code == std::errc::no_such_file_or_directory)
            fail("the file does not exist.", code);
        fail(code.message() + ".", code);
    }
    struct stat info;
    if (::fstat(m_fd, &info) != 0) {
        const std::error_code code = LastError();
        fail(code.message() + ".", code);
    }
    if (S_ISDIR(info.st_mode))
        fail("it is a folder.", std::make_error_code(std::errc::is_a_directory));
    if (!S_ISREG(info.st_mode))
        fail("it is not a regular file.", std::make_error_code(std::errc::invalid_argument));
    m_size = static_cast<std::uint64_t>(info.st_size);
}

ReadableFile::~ReadableFile() {
    ::close(m_fd);
}

std::size_t ReadableFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const {
    auto* into = static_cast<char*>(buffer);
    std::size_t filled = 0;
    while (filled < count) {
        const ssize_t got =
            ::pread(m_fd, into + filled, count - filled, static_cast<off_t>(offset + filled));
        if (got < 0) {
            const std::error_code code = LastError();
            if (code == std::errc::interrupted)
                continue;
            throw FileReadError::About(m_path, code.message() + ".", code);
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    return filled;
}
