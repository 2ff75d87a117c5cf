#pragma once
// CPrintSettings: how a sheet is placed and scaled on the printed page.

#include "platform/Types.h"

class CArchive;
class SettingsStore;

class CPrintSettings {
public:
    // Bits of m_flags.
    static constexpr DWORD kPositionMask = 0x3;  // 0 centred on the page, 3 at the offset
    static constexpr DWORD kSizeMask = 0xC;      // 0 normal or scaled, 4/8/12 fit to 1/2/4 pages
    static constexpr DWORD kPrintGrid = 0x10;    // also the sheet frame's fills and grid
    static constexpr DWORD kMonochrome = 0x20;
    static constexpr DWORD kMirrorTextAngle = 0x40;

    // Scales a file or the settings may hold; any other (no number, zero, negative, huge) is
    // damage and reads as 1.0.
    static constexpr double kMinScale = 0.01;
    static constexpr double kMaxScale = 100.0;
    static bool IsSaneScale(double scale);

    bool operator==(const CPrintSettings&) const = default;

    // The 16-byte record of the schematic file: the four members in order.
    void Serialize(CArchive& ar);

    // The application's defaults for new documents, section "Printing".
    void LoadDefaults(const SettingsStore& store);
    void SaveDefaults(SettingsStore& store) const;

    DWORD m_flags = 20;  // centred, fit to the printer page, print the grid
    float m_scale = 1.0f;
    LONG m_offsetX = 0;  // 1/1000 inch
    LONG m_offsetY = 0;
};
