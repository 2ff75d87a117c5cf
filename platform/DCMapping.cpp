#include "platform/DCMapping.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using Wide = __int128;

template <typename Int>
LONG ClampToLong(Int v) {
    constexpr Int lo = std::numeric_limits<LONG>::min();
    constexpr Int hi = std::numeric_limits<LONG>::max();
    return static_cast<LONG>(v < lo ? lo : (v > hi ? hi : v));
}

// floor(num / den) for den > 0.
template <typename Int>
Int FloorDiv(Int num, Int den) {
    Int q = num / den;
    if (num % den != 0 && num < 0)
        --q;
    return q;
}

template <typename Int>
LONG MapAxisIn(LONG v, LONG fromOrg, LONG fromExt, LONG toExt, LONG toOrg) {
    Int num = (Int(v) - fromOrg) * toExt;
    Int den = fromExt;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    return ClampToLong(FloorDiv<Int>(2 * num + den, 2 * den) + toOrg);
}

// (v - fromOrg) * toExt / fromExt + toOrg, rounded half up: in 64 bits while the extent leaves
// room for twice the product, as a window's or a sheet's does, else in 128.
LONG MapAxis(LONG v, LONG fromOrg, LONG fromExt, LONG toExt, LONG toOrg) {
    constexpr LONG kNarrowExtent = LONG{1} << 29;
    if (toExt > -kNarrowExtent && toExt < kNarrowExtent)
        return MapAxisIn<std::int64_t>(v, fromOrg, fromExt, toExt, toOrg);
    return MapAxisIn<Wide>(v, fromOrg, fromExt, toExt, toOrg);
}

Wide Abs(LONG v) {
    return v < 0 ? -Wide(v) : Wide(v);
}

// v * num / den rounded half away from zero; den > 0.
LONG MulDivRound(LONG v, Wide num, Wide den) {
    const Wide product = Wide(v) * num;
    const Wide magnitude = (product < 0 ? -product : product) + den / 2;
    const Wide q = magnitude / den;
    return ClampToLong(product < 0 ? -q : q);
}

// Logical units per inch of the fixed modes; 0 for the others.
int UnitsPerInch(int mode) {
    switch (mode) {
        case MM_LOMETRIC:
            return 254;
        case MM_HIMETRIC:
            return 2540;
        case MM_LOENGLISH:
            return 100;
        case MM_HIENGLISH:
            return 1000;
        case MM_TWIPS:
            return 1440;
        default:
            return 0;
    }
}

}  // namespace

DCMapping::DCMapping(int dpiX, int dpiY)
    : m_dpiX(dpiX > 0 ? dpiX : 96), m_dpiY(dpiY > 0 ? dpiY : 96) {}

int DCMapping::SetMode(int mode) {
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    const int previous = m_mode;
    m_mode = mode;
    if (mode == MM_TEXT) {
        m_windowExt = SIZE{1, 1};
        m_viewportExt = SIZE{1, 1};
    } else if (const int units = UnitsPerInch(mode)) {
        m_windowExt = SIZE{units, units};
        m_viewportExt = SIZE{m_dpiX, -m_dpiY};
    } else if (mode == MM_ISOTROPIC) {
        MakeIsotropic();
    }
    return previous;
}

POINT DCMapping::SetWindowOrg(POINT org) {
    const POINT previous = m_windowOrg;
    m_windowOrg = org;
    return previous;
}

POINT DCMapping::SetViewportOrg(POINT org) {
    const POINT previous = m_viewportOrg;
    m_viewportOrg = org;
    return previous;
}

SIZE DCMapping::SetWindowExt(SIZE ext) {
    const SIZE previous = m_windowExt;
    if (ExtentsFree() && ext.cx != 0 && ext.cy != 0) {
        m_windowExt = ext;
        if (m_mode == MM_ISOTROPIC)
            MakeIsotropic();
    }
    return previous;
}

SIZE DCMapping::SetViewportExt(SIZE ext) {
    const SIZE previous = m_viewportExt;
    if (ExtentsFree() && ext.cx != 0 && ext.cy != 0) {
        m_viewportExt = ext;
        if (m_mode == MM_ISOTROPIC)
            MakeIsotropic();
    }
    return previous;
}

SIZE DCMapping::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
    const SIZE previous = m_viewportExt;
    if (xDenom == 0 || yDenom == 0)
        return previous;
    const SIZE scaled{ClampToLong(Wide(m_viewportExt.cx) * xNum / xDenom),
                      ClampToLong(Wide(m_viewportExt.cy) * yNum / yDenom)};
    SetViewportExt(scaled);
    return previous;
}

// Shrinks the viewport extent on the axis with the larger physical scale so that one
// logical unit has the same length on both axes; signs are kept and no component reaches 0.
void DCMapping::MakeIsotropic() {
    const double xdim = std::fabs(double(m_viewportExt.cx) / (double(m_windowExt.cx) * m_dpiX));
    const double ydim = std::fabs(double(m_viewportExt.cy) / (double(m_windowExt.cy) * m_dpiY));
    LONG& adjusted = xdim > ydim ? m_viewportExt.cx : m_viewportExt.cy;
    const double factor = xdim > ydim ? ydim / xdim : xdim / ydim;
    const LONG sign = adjusted < 0 ? -1 : 1;
    const double magnitude = std::floor(std::fabs(double(adjusted)) * factor + 0.5);
    adjusted = magnitude < 1 ? sign : sign * static_cast<LONG>(magnitude);
}

POINT DCMapping::ToDevice(POINT p) const {
    return POINT{MapAxis(p.x, m_windowOrg.x, m_windowExt.cx, m_viewportExt.cx, m_viewportOrg.x),
                 MapAxis(p.y, m_windowOrg.y, m_windowExt.cy, m_viewportExt.cy, m_viewportOrg.y)};
}

POINT DCMapping::ToLogical(POINT p) const {
    return POINT{MapAxis(p.x, m_viewportOrg.x, m_viewportExt.cx, m_windowExt.cx, m_windowOrg.x),
                 MapAxis(p.y, m_viewportOrg.y, m_viewportExt.cy, m_windowExt.cy, m_windowOrg.y)};
}

SIZE DCMapping::SizeToDevice(SIZE s) const {
    return SIZE{MulDivRound(s.cx, Abs(m_viewportExt.cx), Abs(m_windowExt.cx)),
                MulDivRound(s.cy, Abs(m_viewportExt.cy), Abs(m_windowExt.cy))};
}

SIZE DCMapping::SizeToLogical(SIZE s) const {
    return SIZE{MulDivRound(s.cx, Abs(m_windowExt.cx), Abs(m_viewportExt.cx)),
                MulDivRound(s.cy, Abs(m_windowExt.cy), Abs(m_viewportExt.cy))};
}
