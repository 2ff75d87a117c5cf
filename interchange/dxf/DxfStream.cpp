#include "interchange/dxf/DxfStream.h"

#include <algorithm>
#include <charconv>

#include "interchange/dxf/DxfReal.h"
#include "platform/AtomicFile.h"

namespace {

constexpr unsigned kFirstHandle = 0x100;
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

CDxfStream::CDxfStream() : m_nextHandle(kFirstHandle) {}

// The code line of a group, right-aligned in three characters.
char* CDxfStream::PutCode(char* out, int code) {
    if (code < 0 || code > 999) {
        char digits[kIntRoom];
        char* end = std::to_chars(digits, digits + sizeof digits, code).ptr;
        for (auto length = end - digits; length < 3; ++length)
            *out++ = ' ';
        return PutLineEnd(std::copy(digits, end, out));
    }
    out[0] = code >= 100 ? static_cast<char>('0' + code / 100) : ' ';
    out[1] = code >= 10 ? static_cast<char>('0' + code / 10 % 10) : ' ';
    out[2] = static_cast<char>('0' + code % 10);
    return PutLineEnd(out + 3);
}

char* CDxfStream::PutLineEnd(char* out) {
    return std::ranges::copy(kLineEnd, out).out;
}

void CDxfStream::WriteReal(int code, double value) {
    char group[kCodeRoom + kDxfRealRoom + kLineEnd.size()];
    char* end = PutLineEnd(FormatDxfReal(PutCode(group, code), value));
    m_bytes.append(group, end);
}

void CDxfStream::WriteInt(int code, int value) {
    char group[kCodeRoom + kIntRoom + kLineEnd.size()];
    char* end = PutCode(group, code);
    end = PutLineEnd(std::to_chars(end, end + kIntRoom, value).ptr);
    m_bytes.append(group, end);
}

void CDxfStream::WriteString(int code, std::string_view text) {
    char line[kCodeRoom];
    m_bytes.append(line, PutCode(line, code));
    const std::size_t start = m_bytes.size();
    m_bytes += text;
    for (std::size_t i = start; i < m_bytes.size(); ++i) {
        if (m_bytes[i] == '\r' || m_bytes[i] == '\n')
            m_bytes[i] = ' ';
    }
    m_bytes += kLineEnd;
}

std::string CDxfStream::NextHandle() {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, m_nextHandle++, 16).ptr;
    return std::string(digits, end);
}

void CDxfStream::Save(const std::filesystem::path& path) const {
    WriteFileAtomically(path, m_bytes);
}
