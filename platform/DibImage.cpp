#include "platform/DibImage.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::int64_t kMaxPixels = 16 * 1024 * 1024;
constexpr DWORD kCompressionNone = 0;

std::uint32_t Le(const std::vector<BYTE>& bytes, size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + i];
    return value;
}

void PutLe(std::vector<BYTE>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

}  // namespace

std::vector<BYTE> EncodePackedDib(const DibImage& image) {
    std::vector<BYTE> bytes;
    bytes.reserve(40 + image.pixels.size() * 4);
    PutLe(bytes, 40, 4);
    PutLe(bytes, static_cast<std::uint32_t>(image.width), 4);
    PutLe(bytes, static_cast<std::uint32_t>(image.height), 4);
    PutLe(bytes, 1, 2);   // planes
    PutLe(bytes, 32, 2);  // bits per pixel
    for (int field = 0; field < 6; ++field)
        PutLe(bytes, 0, 4);  // uncompressed; sizes, resolutions and colours unstated
    for (int row = image.height - 1; row >= 0; --row) {
        for (int column = 0; column < image.width; ++column) {
            const COLORREF pixel = image.pixels[static_cast<size_t>(row) * image.width + column];
            bytes.push_back(GetBValue(pixel));
            bytes.push_back(GetGValue(pixel));
            bytes.push_back(GetRValue(pixel));
            bytes.push_back(0);
        }
    }
    return bytes;
}

std::optional<DibImage> DecodePackedDib(const std::vector<BYTE>& bytes) {
    if (bytes.size() < 40)
        return std::nullopt;
    const std::uint32_t headerSize = Le(bytes, 0, 4);
    const auto width = static_cast<std::int32_t>(Le(bytes, 4, 4));
    const auto height = static_cast<std::int32_t>(Le(bytes, 8, 4));
    const unsigned bits = Le(bytes, 14, 2);
    const std::uint32_t compression = Le(bytes, 16, 4);
    std::uint32_t colours = Le(bytes, 32, 4);
    if (headerSize < 40 || headerSize > bytes.size() || width <= 0 || height == 0 ||
        height == INT32_MIN || compression != kCompressionNone)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return std::nullopt;
    const std::int64_t rows = std::abs(std::int64_t{height});
    if (std::int64_t{width} * rows > kMaxPixels)
        return std::nullopt;
    if (bits <= 8 && (colours == 0 || colours > (1u << bits)))
        colours = 1u << bits;
    if (bits > 8)
        colours = 0;
    const size_t table = headerSize;
    const size_t stride = ((size_t(width) * bits + 31) / 32) * 4;
    const size_t pixelsAt = table + size_t{colours} * 4;
    if (pixelsAt > bytes.size() || stride * size_t(rows) > bytes.size() - pixelsAt)
        return std::nullopt;

    DibImage image{width, static_cast<int>(rows), {}};
    image.pixels.reserve(size_t(width) * size_t(rows));
    for (std::int64_t y = 0; y < rows; ++y) {
        // Rows are stored from the bottom unless the height is negative.
        const std::int64_t stored = height > 0 ? rows - 1 - y : y;
        const size_t row = pixelsAt + size_t(stored) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            size_t at = 0;
            if (bits <= 8) {
                const size_t bit = size_t(x) * bits;
                const unsigned index =
                    (bytes[row + bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                at = table + std::min<size_t>(index, colours - 1) * 4;
            } else {
                at = row + size_t(x) * (bits / 8);
            }
            image.pixels.push_back(RGB(bytes[at + 2], bytes[at + 1], bytes[at]));
        }
    }
    return image;
}
