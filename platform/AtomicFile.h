#pragma once
// Whole-file reading and writing. A file is written into a temporary file beside it, flushed
// to disk and then renamed over the target, so readers see either the old or the new contents,
// never a mix. Failures are reported as exceptions whose message names the file and the cause.

#include <cstddef>
#include <filesystem>
#include <limits>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/Types.h"

// A file could not be read or written. what() is a message fit to show to the user;
// code() is the system's reason (empty when the cause was not a system error).
class FileError : public std::runtime_error {
public:
    FileError(const std::string& message, std::error_code code)
        : std::runtime_error(message), m_code(code) {}
    const std::error_code& code() const { return m_code; }

private:
    std::error_code m_code;
};

class FileReadError : public FileError {
public:
    using FileError::FileError;
    // "Cannot read <file>: " and why.
    static FileReadError About(const std::filesystem::path& file, const std::string& why,
                               std::error_code code);
    bool IsMissing() const { return code() == std::errc::no_such_file_or_directory; }
};

class FileWriteError : public FileError {
public:
    using FileError::FileError;
};

// The path in double quotes, as messages about files show it.
std::string QuotedPath(const std::filesystem::path& path);

// Replaces the contents of target with bytes, or leaves the old file untouched and throws
// FileWriteError. The folder must exist. A file the user may not write (IsWriteProtected) is
// refused, although its folder would let it be replaced. An existing file keeps its permission
// bits; a new one gets the usual ones (0666 less the umask). When target is a symbolic link the
// file it points to is replaced and the link stays.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);
void WriteFileAtomically(const std::filesystem::path& target, std::span<const BYTE> bytes);

// The whole contents of a regular file. Throws FileReadError when the file is missing, is a
// folder, a pipe or a device, cannot be read or holds more than maxBytes bytes.
std::string ReadWholeFile(const std::filesystem::path& file,
                          std::size_t maxBytes = std::numeric_limits<std::size_t>::max());
std::vector<BYTE> ReadWholeFileBytes(
    const std::filesystem::path& file,
    std::size_t maxBytes = std::numeric_limits<std::size_t>::max());
