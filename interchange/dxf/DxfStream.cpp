#include "interchange/dxf/DxfStream.h"

#include <charconv>

#include "platform/AtomicFile.h"

namespace {

constexpr unsigned kFirstHandle = 0x100;
constexpr int kRealDigits = 6;

}  // namespace

CDxfStream::CDxfStream() : m_nextHandle(kFirstHandle) {}

void CDxfStream::WriteCode(int code) {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, code).ptr;
    const std::size_t length = static_cast<std::size_t>(end - digits);
    if (length < 3)
        m_bytes.append(3 - length, ' ');
    m_bytes.append(digits, length);
    EndLine();
}

void CDxfStream::EndLine() {
    m_bytes += "\r\n";
}

void CDxfStream::WriteReal(int code, double value) {
    WriteCode(code);
    char digits[32];
    char* end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general,
                              kRealDigits)
                    .ptr;
    m_bytes.append(digits, end);
    EndLine();
}

void CDxfStream::WriteInt(int code, int value) {
    WriteCode(code);
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    m_bytes.append(digits, end);
    EndLine();
}

void CDxfStream::WriteString(int code, std::string_view text) {
    WriteCode(code);
    const std::size_t start = m_bytes.size();
    m_bytes += text;
    for (std::size_t i = start; i < m_bytes.size(); ++i) {
        if (m_bytes[i] == '\r' || m_bytes[i] == '\n')
            m_bytes[i] = ' ';
    }
    EndLine();
}

std::string CDxfStream::NextHandle() {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, m_nextHandle++, 16).ptr;
    return std::string(digits, end);
}

void CDxfStream::Save(const std::filesystem::path& path) const {
    WriteFileAtomically(path, m_bytes);
}
