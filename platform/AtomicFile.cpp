#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <random>

#include "platform/ReadableFile.h"
#include "platform/WriteAccess.h"

namespace fs = std::filesystem;

namespace {

std::error_code LastError() {
    return std::error_code(errno, std::generic_category());
}

[[noreturn]] void ThrowWriteError(const fs::path& target, const std::string& step,
                                  std::error_code code) {
    throw FileWriteError(
        "Cannot save " + QuotedPath(target) + ": " + step + " failed (" + code.message() + ").",
        code);
}

// Closes a descriptor on scope exit unless Close() was called.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    // Closes now and reports whether the close succeeded (it may report a late write error).
    bool Close() {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// A temporary file beside the target; removed on scope exit unless committed.
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& target) : m_target(target) {}
    ~TemporaryFile() {
        if (!m_path.empty())
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Creates the file with a name nobody else uses and returns its descriptor.
    int Create() {
        std::random_device seed;
        std::mt19937_64 random(seed() ^ (static_cast<std::uint64_t>(::getpid()) << 32));
        constexpr int kAttempts = 100;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            fs::path candidate = m_target;
            std::string name = ".";
            name += m_target.filename().string();
            name += ".tmp";
            name += std::to_string(random() % 1000000000);
            candidate.replace_filename(name);
            int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                m_path = candidate;
                return fd;
            }
            if (errno != EEXIST)
                ThrowWriteError(m_target, "creating a temporary file", LastError());
        }
        ThrowWriteError(m_target, "creating a temporary file",
                        std::make_error_code(std::errc::file_exists));
    }

    void CommitAs(const fs::path& target) {
        if (::rename(m_path.c_str(), target.c_str()) != 0)
            ThrowWriteError(m_target, "replacing the file", LastError());
        m_path.clear();
    }

private:
    fs::path m_target;
    fs::path m_path;
};

void WriteAll(int fd, std::string_view bytes, const fs::path& target) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            ThrowWriteError(target, "writing", LastError());
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// The file that is really replaced: a symbolic link is followed so that the link survives.
fs::path ResolveTarget(const fs::path& target) {
    std::error_code ec;
    if (!fs::is_symlink(target, ec))
        return target;
    fs::path resolved = fs::weakly_canonical(target, ec);
    return ec ? target : resolved;
}

// Best effort: makes the rename itself durable. The new contents are in place either way.
void SyncFolder(const fs::path& file) {
    fs::path folder = file.parent_path();
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Reads a regular file into a string or byte vector sized from the file's length up front, so
// the bytes are read straight into place.
template <class Bytes>
Bytes ReadWhole(const fs::path& file, std::size_t maxBytes) {
    const ReadableFile readable(file);
    auto tooLarge = [&] {
        return FileReadError::About(
            file, "the file is larger than " + std::to_string(maxBytes) + " bytes.",
            std::make_error_code(std::errc::file_too_large));
    };
    if (readable.Size() > maxBytes)
        throw tooLarge();
    // A file that grew since it was opened (or reports no length, as some special files do)
    // goes on through the small buffer.
    Bytes contents(static_cast<std::size_t>(readable.Size()), 0);
    std::size_t filled = readable.ReadAt(0, contents.data(), contents.size());
    char buffer[65536];
    while (filled == contents.size()) {
        const std::size_t got = readable.ReadAt(filled, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got > maxBytes - filled)
            throw tooLarge();
        contents.insert(contents.end(), buffer, buffer + got);
        filled += got;
    }
    contents.resize(filled);
    return contents;
}

}  // namespace

FileReadError FileReadError::About(const fs::path& file, const std::string& why,
                                   std::error_code code) {
    return FileReadError("Cannot read " + QuotedPath(file) + ": " + why, code);
}

std::string QuotedPath(const fs::path& path) {
    std::string quoted(1, '"');
    quoted += path.string();
    quoted += '"';
    return quoted;
}

void WriteFileAtomically(const fs::path& target, std::string_view bytes) {
    const fs::path real = ResolveTarget(target);
    if (IsWriteProtected(real))
        throw FileWriteError(WriteProtectedText(target),
                             std::make_error_code(std::errc::permission_denied));
    TemporaryFile temporary(real);
    FileDescriptor fd(temporary.Create());
    struct stat old;
    if (::stat(real.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd.get(), old.st_mode & 07777);
    WriteAll(fd.get(), bytes, target);
    if (::fsync(fd.get()) != 0)
        ThrowWriteError(target, "flushing to disk", LastError());
    if (!fd.Close())
        ThrowWriteError(target, "closing", LastError());
    temporary.CommitAs(real);
    SyncFolder(real);
}

void WriteFileAtomically(const fs::path& target, std::span<const BYTE> bytes) {
    WriteFileAtomically(
        target, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string ReadWholeFile(const fs::path& file, std::size_t maxBytes) {
    return ReadWhole<std::string>(file, maxBytes);
}

std::vector<BYTE> ReadWholeFileBytes(const fs::path& file, std::size_t maxBytes) {
    return ReadWhole<std::vector<BYTE>>(file, maxBytes);
}
