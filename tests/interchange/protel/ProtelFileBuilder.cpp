#include "interchange/protel/ProtelFileBuilder.h"

#include <cmath>

ProtelFileBuilder& ProtelFileBuilder::Byte(int value) {
    m_bytes.push_back(static_cast<unsigned char>(value));
    return *this;
}

ProtelFileBuilder& ProtelFileBuilder::Int16(int value) {
    return Byte(value & 0xFF).Byte((value >> 8) & 0xFF);
}

ProtelFileBuilder& ProtelFileBuilder::Dword(std::uint32_t value) {
    return Int16(static_cast<int>(value & 0xFFFF)).Int16(static_cast<int>(value >> 16));
}

ProtelFileBuilder& ProtelFileBuilder::Str(const std::string& text) {
    Byte(static_cast<int>(text.size()));
    return Raw(text);
}

ProtelFileBuilder& ProtelFileBuilder::Raw(const std::string& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

ProtelFileBuilder& ProtelFileBuilder::Zeros(int count) {
    m_bytes.insert(m_bytes.end(), static_cast<size_t>(count), 0);
    return *this;
}

// ±(1 + m) × 2^(e − 129), m in 39 bits from byte 1 (lowest) to byte 5 (highest 7 bits).
ProtelFileBuilder& ProtelFileBuilder::Real48(double value) {
    if (value == 0)
        return Zeros(6);
    int exponent;
    const double fraction = std::frexp(std::fabs(value), &exponent);  // [0.5, 1)
    const auto mantissa =
        static_cast<std::uint64_t>(std::llround((fraction * 2 - 1) * std::ldexp(1.0, 39)));
    Byte(exponent - 1 + 129);
    for (int i = 0; i < 4; ++i)
        Byte(static_cast<int>((mantissa >> (8 * i)) & 0xFF));
    return Byte(static_cast<int>((mantissa >> 32) & 0x7F) | (value < 0 ? 0x80 : 0));
}

ProtelFileBuilder& ProtelFileBuilder::SchematicStart(int components) {
    Str("Protel for Windows - Schematic Capture Binary File Version 1.2 - 2.0").Zeros(4);
    Int16(1).Int16(10).Int16(0).Byte(0).Byte(0).Byte(0).Byte(0).Str("Arial");
    return Int16(components);
}

ProtelFileBuilder& ProtelFileBuilder::LibraryStart(
    const std::vector<std::vector<std::string>>& names) {
    Str("Protel for Windows - Schematic Library Editor Binary File Version 1.2 - 2.0").Zeros(4);
    Str("Test library").Zeros(11);
    Int16(1).Int16(10).Int16(0).Byte(0).Byte(0).Byte(0).Byte(0).Str("Arial");
    Int16(static_cast<int>(names.size()));
    for (const auto& entry : names) {
        Zeros(4).Int16(static_cast<int>(entry.size()));
        for (const std::string& name : entry)
            Str(name);
    }
    return Zeros(26);
}

ProtelFileBuilder& ProtelFileBuilder::LibraryTail(const std::string& name) {
    Str("").Str(name);
    for (int i = 0; i < 16; ++i)
        Str("");
    return *this;
}

ProtelFileBuilder& ProtelFileBuilder::SheetHeader(int style, int orientation, int customWidth,
                                                  int customHeight, int custom,
                                                  const std::string& organization, int sheetNumber,
                                                  int sheetTotal) {
    Str(organization).Str("Street 1").Str("").Str("").Str("").Str("Amplifier").Str("D-17").Str("B");
    Int16(sheetNumber).Int16(sheetTotal);
    Byte(0).Byte(1).Int16(10).Byte(style).Zeros(11).Byte(1).Byte(0).Byte(orientation);
    Byte(1).Byte(1).Dword(0xFFFFFF).Dword(0).Byte(1).Int16(10).Byte(1).Int16(10);
    return Int16(customWidth).Int16(customHeight).Byte(custom);
}

ProtelFileBuilder& ProtelFileBuilder::ComponentHead(const std::vector<std::string>& names,
                                                    const std::string& description,
                                                    const std::string& footprint,
                                                    const std::string& prefix, int parts) {
    Int16(static_cast<int>(names.size()));
    for (const std::string& name : names)
        Str(name);
    Str("").Str(description).Str(footprint).Str("").Str("").Str("");
    for (int i = 0; i < 8; ++i)
        Str("");
    return Str(prefix).Str("").Int16(parts);
}

ProtelFileBuilder& ProtelFileBuilder::Instance(int x, int y, int mode, int mirror, int orientation,
                                               int part, int index, const std::string& designator) {
    Byte(0x01).Int16(x).Int16(y).Byte(mode).Byte(mirror).Byte(orientation).Byte(0);
    return Int16(part).Int16(index).Byte(0).Byte(0).Str(designator).Str("");
}

ProtelFileBuilder& ProtelFileBuilder::Pin(int x, int y, int direction, const std::string& name,
                                          const std::string& number, int electrical) {
    Byte(0x02).Byte(0).Byte(0).Byte(electrical).Byte(0).Byte(1).Byte(1).Int16(0);
    return Int16(x).Int16(y).Byte(direction).Dword(0).Str(name).Str(number);
}

ProtelFileBuilder& ProtelFileBuilder::Wire(const std::vector<std::pair<int, int>>& points,
                                           int type) {
    Byte(type).Byte(1).Dword(0x800000).Byte(0).Int16(static_cast<int>(points.size()));
    for (auto [x, y] : points)
        Int16(x).Int16(y);
    return *this;
}

ProtelFileBuilder& ProtelFileBuilder::NetLabel(int x, int y, const std::string& text) {
    return Byte(0x19).Int16(x).Int16(y).Byte(0).Dword(0x800000).Int16(1).Byte(0).Str(text);
}

ProtelFileBuilder& ProtelFileBuilder::Text(int type, int x, int y, const std::string& text) {
    Byte(type).Int16(x).Int16(y).Byte(0).Dword(0x800000).Int16(1);
    if (type == 0x04)
        return Byte(0).Str(text);
    return Byte(0).Byte(0).Str(text);
}

ProtelFileBuilder& ProtelFileBuilder::Arc(int x, int y, int radius, double start, double end) {
    return Byte(0x0C)
        .Int16(x)
        .Int16(y)
        .Int16(radius)
        .Byte(1)
        .Real48(start)
        .Real48(end)
        .Dword(0xFF)
        .Byte(0);
}

ProtelFileBuilder& ProtelFileBuilder::Port(int x, int y, int length, const std::string& name,
                                           int style) {
    Byte(0x12).Byte(style).Byte(2).Byte(0).Int16(length).Int16(x).Int16(y);
    return Dword(0x80).Dword(0xB0FFFF).Dword(0).Byte(0).Str(name);
}

ProtelFileBuilder& ProtelFileBuilder::Power(int x, int y, int style, const std::string& net) {
    return Byte(0x11).Byte(style).Int16(x).Int16(y).Byte(0).Dword(0x80).Byte(0).Str(net);
}

ProtelFileBuilder& ProtelFileBuilder::Rectangle(int x1, int y1, int x2, int y2) {
    return Byte(0x0E)
        .Int16(x1)
        .Int16(y1)
        .Int16(x2)
        .Int16(y2)
        .Byte(0)
        .Dword(0)
        .Dword(0)
        .Byte(0)
        .Byte(1);
}

ProtelFileBuilder& ProtelFileBuilder::Line(int x1, int y1, int x2, int y2) {
    return Byte(0x0D).Int16(x1).Int16(y1).Int16(x2).Int16(y2).Byte(1).Byte(0).Dword(0x80).Byte(0);
}

ProtelFileBuilder& ProtelFileBuilder::Junctionless(int type, int count) {
    return Byte(type).Byte(1).Byte(0).Dword(0x80).Byte(0).Int16(count);
}

ProtelFileBuilder& ProtelFileBuilder::DosRecord(const std::vector<int>& bytes) {
    for (size_t i = 0; i < 16; ++i)
        Byte(i < bytes.size() ? bytes[i] : 0);
    return *this;
}

ProtelFileBuilder& ProtelFileBuilder::DosRecord(int type,
                                                const std::vector<std::pair<int, int>>& int16At,
                                                const std::vector<std::pair<int, int>>& bytesAt) {
    std::vector<int> bytes(16, 0);
    bytes[0] = type;
    for (auto [at, value] : int16At) {
        bytes[static_cast<size_t>(at)] = value & 0xFF;
        bytes[static_cast<size_t>(at) + 1] = (value >> 8) & 0xFF;
    }
    for (auto [at, value] : bytesAt)
        bytes[static_cast<size_t>(at)] = value;
    return DosRecord(bytes);
}
