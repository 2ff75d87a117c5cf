#pragma once
// The two printer records a document keeps (see CPrinterChoice), read and written the way
// the system's print set-up lays them out. Records written elsewhere stay opaque bytes; only
// these fields are read from them:
//   printer names: four little-endian WORDs (the byte offsets of the driver, device and output
//                  names, and a flags word, 1 = the default printer), then the names, each
//                  ending in a NUL; no device but an output name: print to that PDF file;
//   printer mode:  the device name (32 bytes, NUL-padded) at 0, the fields word (DWORD) at
//                  40, the orientation (1 portrait, 2 landscape) at 44 and the paper size
//                  code at 46, both 16-bit.

#include <optional>
#include <string>

#include "model/doc/PrinterChoice.h"

struct PrinterFields {
    std::string deviceName;
    std::string outputName;
    std::optional<short> orientation;
    std::optional<short> paperSize;
};

// Bits of the mode record's fields word.
constexpr DWORD kPrinterModeOrientation = 0x1;
constexpr DWORD kPrinterModePaperSize = 0x2;
constexpr short kPortrait = 1;
constexpr short kLandscape = 2;

// The device name of a printer-names record, or empty when the record holds none.
std::string PrinterDeviceName(const std::vector<BYTE>& devNames);
// What the records say: the names record's device name (else the mode's) and output name, and
// the mode's orientation and paper size when its fields word marks them.
PrinterFields ReadPrinterFields(const CPrinterChoice& choice);
// Minimal records naming device and output, with the orientation and, when not 0, the paper
// size code.
CPrinterChoice MakePrinterChoice(const std::string& device, bool isDefault, short orientation,
                                 short paperSize, const std::string& output = {});
