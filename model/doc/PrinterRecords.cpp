#include "model/doc/PrinterRecords.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kNamesHeader = 8;
constexpr size_t kDeviceOffsetAt = 2;
constexpr size_t kOutputOffsetAt = 4;
constexpr size_t kDeviceNameBytes = 32;
constexpr size_t kFieldsAt = 40;
constexpr size_t kOrientationAt = 44;
constexpr size_t kPaperSizeAt = 46;
constexpr size_t kModeSize = 148;  // the record as the system's version 4 lays it out
constexpr WORD kModeVersion = 0x400;

unsigned Word(const std::vector<BYTE>& bytes, size_t at) {
    return bytes[at] | (unsigned{bytes[at + 1]} << 8);
}

void PutWord(std::vector<BYTE>& bytes, size_t at, unsigned value) {
    bytes[at] = BYTE(value & 0xFF);
    bytes[at + 1] = BYTE((value >> 8) & 0xFF);
}

std::string TextAt(const std::vector<BYTE>& bytes, size_t at, size_t limit) {
    if (at >= bytes.size())
        return {};
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(at);
    const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), limit));
    return std::string(begin, std::find(begin, end, BYTE{0}));
}

// The name whose offset stands at offsetAt of a printer-names record.
std::string NameAt(const std::vector<BYTE>& devNames, size_t offsetAt) {
    if (devNames.size() < kNamesHeader)
        return {};
    return TextAt(devNames, Word(devNames, offsetAt), devNames.size());
}

void AppendName(std::vector<BYTE>& bytes, const std::string& name) {
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.push_back(0);
}

}  // namespace

std::string PrinterDeviceName(const std::vector<BYTE>& devNames) {
    return NameAt(devNames, kDeviceOffsetAt);
}

PrinterFields ReadPrinterFields(const CPrinterChoice& choice) {
    PrinterFields fields;
    fields.deviceName = PrinterDeviceName(choice.devNames);
    fields.outputName = NameAt(choice.devNames, kOutputOffsetAt);
    const std::vector<BYTE>& mode = choice.devMode;
    if (fields.deviceName.empty())
        fields.deviceName = TextAt(mode, 0, kDeviceNameBytes);
    if (mode.size() < kPaperSizeAt + 2)
        return fields;
    const DWORD present = Word(mode, kFieldsAt) | (DWORD(Word(mode, kFieldsAt + 2)) << 16);
    if (present & kPrinterModeOrientation)
        fields.orientation = short(Word(mode, kOrientationAt));
    if (present & kPrinterModePaperSize)
        fields.paperSize = short(Word(mode, kPaperSizeAt));
    return fields;
}

CPrinterChoice MakePrinterChoice(const std::string& device, bool isDefault, short orientation,
                                 short paperSize, const std::string& output) {
    CPrinterChoice choice;
    // Names: no driver, the device, the output.
    std::vector<BYTE>& names = choice.devNames;
    names.assign(kNamesHeader, 0);
    AppendName(names, "");
    PutWord(names, kDeviceOffsetAt, unsigned(names.size()));
    AppendName(names, device);
    PutWord(names, kOutputOffsetAt, unsigned(names.size()));
    AppendName(names, output);
    PutWord(names, 0, kNamesHeader);
    PutWord(names, 6, isDefault ? 1 : 0);

    std::vector<BYTE>& mode = choice.devMode;
    mode.assign(kModeSize, 0);
    std::memcpy(mode.data(), device.data(), std::min(device.size(), kDeviceNameBytes - 1));
    PutWord(mode, 32, kModeVersion);
    PutWord(mode, 36, kModeSize);
    DWORD present = kPrinterModeOrientation;
    PutWord(mode, kOrientationAt, unsigned(orientation));
    if (paperSize != 0) {
        present |= kPrinterModePaperSize;
        PutWord(mode, kPaperSizeAt, unsigned(paperSize));
    }
    PutWord(mode, kFieldsAt, present);
    return choice;
}
