#include "model/ole/EmbeddedStandIn.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "model/ole/DrawItem.h"
#include "model/ole/DrawOleObj.h"
#include "platform/CompoundStorage.h"

namespace {

constexpr const char* kPresentationStream = "\x02OlePres000";
constexpr const char* kCompObjStream =
    "\x01"
    "CompObj";
constexpr const char* kNativeStream =
    "\x01"
    "Ole10Native";
constexpr std::uint32_t kStandardFormat = 0xFFFFFFFF;
constexpr std::uint32_t kFormatDib = 8;
constexpr std::uint32_t kAspectContent = 1;
constexpr int kPixelsPerInch = 96;
constexpr int kHimetricPerInch = 2540;

void PutDword(std::vector<BYTE>& bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

void PutText(std::vector<BYTE>& bytes, const std::string& text) {
    PutDword(bytes, static_cast<std::uint32_t>(text.size() + 1));
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
}

// The object's class stream: the fixed header, then the user type name and no format.
std::vector<BYTE> CompObj(const std::string& userType) {
    std::vector<BYTE> bytes(28, 0);  // the header, then the class id: none
    constexpr std::array<BYTE, 12> kHeader = {0x01, 0x00, 0xFE, 0xFF, 0x03, 0x0A,
                                              0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    std::copy(kHeader.begin(), kHeader.end(), bytes.begin());
    PutText(bytes, userType);
    PutDword(bytes, 0);
    return bytes;
}

// A cached presentation of the bitmap in content aspect, for no target device.
std::vector<BYTE> Presentation(const DibImage& image, SIZE extent) {
    std::vector<BYTE> bytes;
    PutDword(bytes, kStandardFormat);
    PutDword(bytes, kFormatDib);
    PutDword(bytes, 4);  // the target device: its size alone
    PutDword(bytes, kAspectContent);
    PutDword(bytes, 0xFFFFFFFF);  // lindex
    PutDword(bytes, 0);           // advise flags
    PutDword(bytes, 0);
    PutDword(bytes, static_cast<std::uint32_t>(extent.cx));
    PutDword(bytes, static_cast<std::uint32_t>(extent.cy));
    const std::vector<BYTE> dib = EncodePackedDib(image);
    PutDword(bytes, static_cast<std::uint32_t>(dib.size()));
    bytes.insert(bytes.end(), dib.begin(), dib.end());
    return bytes;
}

std::unique_ptr<CDrawOleObj> ObjectWith(const CRect& rect, const CompoundStorage& storage) {
    auto item = std::make_unique<CDrawItem>();
    item->SetStorage(storage);
    auto object = std::make_unique<CDrawOleObj>(rect);
    object->SetItem(std::move(item));
    return object;
}

}  // namespace

std::unique_ptr<CDrawOleObj> MakeEmbeddedPicture(const CRect& rect, const DibImage& image) {
    const SIZE extent{MulDiv(image.width, kHimetricPerInch, kPixelsPerInch),
                      MulDiv(image.height, kHimetricPerInch, kPixelsPerInch)};
    CompoundStorage storage("Embedding");
    storage.WriteStream(kCompObjStream, CompObj("Picture"));
    storage.WriteStream(kPresentationStream, Presentation(image, extent));
    return ObjectWith(rect, storage);
}

std::unique_ptr<CDrawOleObj> MakeEmbeddedPackage(const CRect& rect, const CString& fileName,
                                                 const std::vector<BYTE>& bytes) {
    std::vector<BYTE> native;
    PutText(native, fileName.str());
    PutDword(native, static_cast<std::uint32_t>(bytes.size()));
    native.insert(native.end(), bytes.begin(), bytes.end());
    CompoundStorage storage("Embedding");
    storage.WriteStream(kCompObjStream, CompObj("Package"));
    storage.WriteStream(kNativeStream, std::move(native));
    return ObjectWith(rect, storage);
}
