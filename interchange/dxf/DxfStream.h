#pragma once
// CDxfStream: the groups of an ASCII DXF file. Each group is two lines ended by CR LF: the
// group code right-aligned in three characters, then the value. Reals are written in general
// notation with up to six significant digits, whatever the process locale. The file's bytes
// collect in memory and replace the target as a whole when the stream is saved.

#include <filesystem>
#include <string>
#include <string_view>

class CDxfStream {
public:
    CDxfStream();

    // Makes room for about bytes more, so that a large drawing is not copied as it grows.
    void Reserve(std::size_t bytes) { m_bytes.reserve(m_bytes.size() + bytes); }

    void WriteReal(int code, double value);
    void WriteInt(int code, int value);
    // Line breaks inside the text become blanks: a value is one line of the file.
    void WriteString(int code, std::string_view text);

    // The next entity handle in lower-case hexadecimal: "100", "101", ...
    std::string NextHandle();

    const std::string& Bytes() const { return m_bytes; }
    // Writes the file through a temporary file renamed over path; throws FileWriteError.
    void Save(const std::filesystem::path& path) const;

private:
    // Room for an int's digits, and for a code line.
    static constexpr std::size_t kIntRoom = 12;
    static constexpr std::size_t kCodeRoom = kIntRoom + 2;

    static char* PutCode(char* out, int code);
    static char* PutLineEnd(char* out);

    unsigned m_nextHandle;
    std::string m_bytes;
};
