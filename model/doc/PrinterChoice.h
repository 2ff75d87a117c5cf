#pragma once
// The printer a document prints on: the system's printer names and printer mode records, kept
// as the bytes the print set-up gave. Both empty: the default printer.

#include <vector>

#include "platform/Types.h"

struct CPrinterChoice {
    std::vector<BYTE> devNames;
    std::vector<BYTE> devMode;

    bool IsEmpty() const { return devNames.empty() && devMode.empty(); }
    void Clear() {
        devNames.clear();
        devMode.clear();
    }
};
