#pragma once
// Small helpers shared by the test programs.

#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace testsupport {

// A fresh directory under the system's temporary folder, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

std::vector<unsigned char> ReadFileBytes(const std::filesystem::path& file);
void WriteFileBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes);
std::string ReadFileText(const std::filesystem::path& file);
void WriteFileText(const std::filesystem::path& file, const std::string& text);
// The names of a folder's entries, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

// Runs a shell command; returns its exit status and stores what it printed on stdout.
int RunCommand(const std::string& command, std::string* output = nullptr);

// The Debian interpreter that sees Debian's Python packages (python3-olefile, ...).
constexpr const char* kSystemPython = "/usr/bin/python3";

// A copy of viewed bytes (such as a compound stream's), to compare with expected ones.
inline std::vector<unsigned char> BytesOf(std::span<const unsigned char> bytes) {
    return {bytes.begin(), bytes.end()};
}

// Bytes written as "01 02 AB", for readable failure messages.
std::string HexDump(const std::vector<unsigned char>& bytes);

}  // namespace testsupport
