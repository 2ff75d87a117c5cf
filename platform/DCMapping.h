#pragma once
// The logical-to-device mapping of a device context: mapping mode, window and viewport
// origins and extents, and the conversions between logical and device coordinates.
//   device = (logical - window origin) * viewport extent / window extent + viewport origin
// Points are rounded half up (floor(v + 0.5)), for negative values too; sizes are scaled by
// the magnitudes of the extents with MulDiv rounding (half away from zero), so a size keeps
// its sign whatever the direction of the axes.

#include "platform/GdiTypes.h"

constexpr int MM_TEXT = 1;         // one unit = one pixel, y down
constexpr int MM_LOMETRIC = 2;     // 0.1 mm, y up
constexpr int MM_HIMETRIC = 3;     // 0.01 mm, y up
constexpr int MM_LOENGLISH = 4;    // 0.01 inch, y up
constexpr int MM_HIENGLISH = 5;    // 0.001 inch, y up
constexpr int MM_TWIPS = 6;        // 1/1440 inch, y up
constexpr int MM_ISOTROPIC = 7;    // free extents, equal scale on both axes
constexpr int MM_ANISOTROPIC = 8;  // free extents

class DCMapping {
public:
    // The device's pixels per logical inch, used by the metric and English modes.
    DCMapping(int dpiX, int dpiY);

    int Mode() const { return m_mode; }
    // Returns the previous mode, or 0 (and changes nothing) for an unknown mode. The fixed
    // modes set both extents; MM_ISOTROPIC and MM_ANISOTROPIC keep the current ones.
    int SetMode(int mode);

    POINT WindowOrg() const { return m_windowOrg; }
    POINT ViewportOrg() const { return m_viewportOrg; }
    SIZE WindowExt() const { return m_windowExt; }
    SIZE ViewportExt() const { return m_viewportExt; }

    // Each setter returns the previous value.
    POINT SetWindowOrg(POINT org);
    POINT SetViewportOrg(POINT org);
    // Extents change only in MM_ISOTROPIC and MM_ANISOTROPIC, and never to a zero component.
    // In MM_ISOTROPIC the viewport extent is then adjusted so both axes have the same scale.
    SIZE SetWindowExt(SIZE ext);
    SIZE SetViewportExt(SIZE ext);
    // viewport extent = viewport extent * num / denom per axis (integer division), when the
    // extents may change and no component becomes zero.
    SIZE ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);

    POINT ToDevice(POINT p) const;
    POINT ToLogical(POINT p) const;
    SIZE SizeToDevice(SIZE s) const;
    SIZE SizeToLogical(SIZE s) const;

    // Device units per logical unit along each axis, signed.
    double ScaleX() const { return double(m_viewportExt.cx) / m_windowExt.cx; }
    double ScaleY() const { return double(m_viewportExt.cy) / m_windowExt.cy; }

private:
    bool ExtentsFree() const { return m_mode == MM_ISOTROPIC || m_mode == MM_ANISOTROPIC; }
    void MakeIsotropic();

    int m_dpiX;
    int m_dpiY;
    int m_mode = MM_TEXT;
    POINT m_windowOrg;
    POINT m_viewportOrg;
    SIZE m_windowExt{1, 1};
    SIZE m_viewportExt{1, 1};
};
