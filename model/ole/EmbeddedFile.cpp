#include "model/ole/EmbeddedFile.h"

#include <cstdint>

namespace {

constexpr const char* kPresentationStream = "\x02OlePres000";
constexpr const char* kCompObjStream =
    "\x01"
    "CompObj";
constexpr const char* kNativeStream =
    "\x01"
    "Ole10Native";
constexpr std::uint32_t kFormatDib = 8;
constexpr std::uint32_t kAspectContent = 1;

// {00000316-0000-0000-C000-000000000046} and {0003000C-0000-0000-C000-000000000046}.
constexpr CompoundStorage::Clsid kStaticDibClass = {0x16, 0x03, 0, 0, 0, 0, 0, 0,
                                                    0xC0, 0,    0, 0, 0, 0, 0, 0x46};
constexpr CompoundStorage::Clsid kPackageClass = {0x0C, 0, 0x03, 0, 0, 0, 0, 0,
                                                  0xC0, 0, 0,    0, 0, 0, 0, 0x46};

class Writer {
public:
    void Dword(std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(BYTE((value >> (8 * i)) & 0xFF));
    }
    void Word(unsigned value) {
        m_bytes.push_back(BYTE(value & 0xFF));
        m_bytes.push_back(BYTE((value >> 8) & 0xFF));
    }
    void Text(const std::string& text) {  // ending in a NUL
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        m_bytes.push_back(0);
    }
    void CountedText(const std::string& text) {
        Dword(std::uint32_t(text.size() + 1));
        Text(text);
    }
    void Bytes(const std::vector<BYTE>& bytes) {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    }
    std::vector<BYTE>& Result() { return m_bytes; }

private:
    std::vector<BYTE> m_bytes;
};

std::vector<BYTE> CompObj(const CompoundStorage::Clsid& clsid, const std::string& userType,
                          const std::string& progId) {
    Writer out;
    out.Word(1);
    out.Word(0xFFFE);
    out.Dword(0x0A03);
    out.Dword(0xFFFFFFFF);
    out.Bytes(std::vector<BYTE>(clsid.begin(), clsid.end()));
    out.CountedText(userType);
    out.Dword(0);  // no clipboard format
    out.CountedText(progId);
    return std::move(out.Result());
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CompoundStorage PictureStorage(const DibImage& picture, SIZE extent) {
    CompoundStorage storage("Embedding");
    storage.SetClsid(kStaticDibClass);
    const std::vector<BYTE> dib = EncodePackedDib(picture);
    Writer pres;
    pres.Dword(0xFFFFFFFF);
    pres.Dword(kFormatDib);
    pres.Dword(4);  // no target device
    pres.Dword(kAspectContent);
    pres.Dword(0xFFFFFFFF);  // every piece
    pres.Dword(0);           // advise flags
    pres.Dword(0);
    pres.Dword(std::uint32_t(extent.cx));
    pres.Dword(std::uint32_t(extent.cy));
    pres.Dword(std::uint32_t(dib.size()));
    pres.Bytes(dib);
    storage.WriteStream(kPresentationStream, std::move(pres.Result()));
    storage.WriteStream(kCompObjStream,
                        CompObj(kStaticDibClass, "Picture (Device Independent Bitmap)", ""));
    return storage;
}

CompoundStorage PackageStorage(const std::string& path, const std::vector<BYTE>& contents) {
    CompoundStorage storage("Embedding");
    storage.SetClsid(kPackageClass);
    Writer body;
    body.Word(2);
    body.Text(BaseName(path));
    body.Text(path);
    body.Dword(0x00030000);
    body.CountedText(path);
    body.Dword(std::uint32_t(contents.size()));
    body.Bytes(contents);
    Writer native;
    native.Dword(std::uint32_t(body.Result().size()));
    native.Bytes(body.Result());
    storage.WriteStream(kNativeStream, std::move(native.Result()));
    storage.WriteStream(kCompObjStream, CompObj(kPackageClass, "Package", "Package"));
    return storage;
}
