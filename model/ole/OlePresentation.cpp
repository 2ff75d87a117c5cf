#include "model/ole/OlePresentation.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/CompoundStorage.h"
#include "platform/DisplayText.h"
#include "platform/Utf8.h"

namespace {

constexpr const char* kPresentationStream = "\x02OlePres000";
constexpr const char* kCompObjStream =
    "\x01"
    "CompObj";
constexpr std::uint32_t kStandardFormat = 0xFFFFFFFE;  // and 0xFFFFFFFF
constexpr std::uint32_t kFormatDib = 8;
constexpr size_t kCompObjHeaderSize = 28;
constexpr std::uint32_t kMaxUserTypeBytes = 4096;

// Little-endian reads that stop the parse at the end of the stream.
class Cursor {
public:
    explicit Cursor(std::span<const BYTE> bytes, size_t at = 0) : m_bytes(bytes), m_at(at) {}
    bool Dword(std::uint32_t& value) {
        if (m_bytes.size() < 4 || m_at > m_bytes.size() - 4)
            return false;
        value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | m_bytes[m_at + i];
        m_at += 4;
        return true;
    }
    bool Skip(std::uint64_t count) {
        if (count > m_bytes.size() - m_at)
            return false;
        m_at += static_cast<size_t>(count);
        return true;
    }
    size_t At() const { return m_at; }

private:
    std::span<const BYTE> m_bytes;
    size_t m_at;
};

void ReadPresentation(std::span<const BYTE> bytes, OlePresentation& out) {
    Cursor in(bytes);
    std::uint32_t marker = 0;
    std::uint32_t format = 0;
    if (!in.Dword(marker))
        return;
    if (marker >= kStandardFormat) {
        if (!in.Dword(format))
            return;
    } else if (!in.Skip(marker)) {  // a registered format's name
        return;
    }
    std::uint32_t targetDevice = 0;
    if (!in.Dword(targetDevice) || targetDevice < 4 || !in.Skip(targetDevice - 4))
        return;
    std::uint32_t fields[4];  // aspect, lindex, advise flags, reserved
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t size = 0;
    for (std::uint32_t& field : fields) {
        if (!in.Dword(field))
            return;
    }
    if (!in.Dword(width) || !in.Dword(height))
        return;
    out.hasExtent = true;
    out.extent = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
    if (format != kFormatDib || !in.Dword(size) || size > bytes.size() - in.At())
        return;
    const auto data = bytes.begin() + static_cast<std::ptrdiff_t>(in.At());
    out.image = DecodePackedDib(std::vector<BYTE>(data, data + size));
}

CString ReadUserType(std::span<const BYTE> bytes) {
    Cursor in(bytes, std::min(kCompObjHeaderSize, bytes.size()));
    std::uint32_t length = 0;
    if (bytes.size() < kCompObjHeaderSize || !in.Dword(length) || length > kMaxUserTypeBytes ||
        length > bytes.size() - in.At())
        return CString();
    std::string_view text(reinterpret_cast<const char*>(bytes.data()) + in.At(), length);
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    std::string utf8;
    for (const DisplayChar& ch : DecodeDisplayText(text))
        AppendUtf8(utf8, ch.code);
    return CString(std::move(utf8));
}

}  // namespace

OlePresentation OlePresentation::Of(const CompoundStorage& storage) {
    OlePresentation result;
    if (const CompoundStream* stream = storage.FindStream(kPresentationStream))
        ReadPresentation(stream->Data(), result);
    if (const CompoundStream* stream = storage.FindStream(kCompObjStream))
        result.userType = ReadUserType(stream->Data());
    return result;
}
