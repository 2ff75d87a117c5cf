#include "shell/view/PrintLayout.h"

#include <algorithm>
#include <cmath>

#include "model/doc/PrintSettings.h"

namespace {

constexpr int kOverlap = 250;  // 1/1000 inch
constexpr float kMinPrintScale = 0.3f;
constexpr float kMaxPrintScale = 10.0f;

int Pixels(int value, int dpi) {
    return MulDiv(value, dpi, 1000);
}

int CeilDiv(int value, int by) {
    return int(std::ceil(float(value) / float(by)));
}

struct Frame {
    int left, right, top, bottom;  // effective margins
    int leftInset, topInset;
    int ox, oy;
    int wpx, hpx;  // the drawing area at scale 1
};

float FitScale(DWORD size, const Frame& f, const PrinterMetrics& p) {
    const float w = float(f.wpx);
    const float h = float(f.hpx);
    const float oneAcross = std::min(float(p.physW - f.left - f.right) / w, float(p.horzRes) / w);
    const float oneDown = std::min(float(p.physH - f.top - f.bottom) / h, float(p.vertRes) / h);
    const float twoAcross = std::min(
        float(2 * p.physW - p.offX - (p.physW - p.horzRes - p.offX) - f.ox - f.left - f.right) / w,
        float(2 * p.horzRes - f.ox) / w);
    const float twoDown = std::min(
        float(2 * p.physH - p.offY - (p.physH - p.vertRes - p.offY) - f.oy - f.top - f.bottom) / h,
        float(2 * p.vertRes - f.oy) / h);
    switch (size) {
        case 4:
            return std::min(oneAcross, oneDown);
        case 8:
            return std::max(std::min(twoAcross, oneDown), std::min(twoDown, oneAcross));
        default:
            return std::min(twoAcross, twoDown);
    }
}

// The origin along one axis (x: sign 1; y: the mirrored rules with sign -1).
int Centred(int phys, int paper, int off, int margin, int ext, int printed) {
    return -(MulDiv(phys, ext, printed) - paper) / 2 + (MulDiv(off, ext, printed) - margin);
}

}  // namespace

POINT PrintLayout::PageViewportOrg(int page) const {
    const int column = (page - 1) % across;
    const int row = (page - 1) / across;
    return POINT{-column * tileW, -row * tileH};
}

std::optional<PrintLayout> ComputePrintLayout(SIZE paper, const RECT& margins,
                                              const CPrintSettings& settings,
                                              const PrinterMetrics& p) {
    if (p.dpiX <= 0 || p.dpiY <= 0)
        return std::nullopt;
    const int W = paper.cx - margins.left - margins.right;
    const int H = paper.cy + margins.top + margins.bottom;
    Frame f{};
    f.left = std::max(p.offX, Pixels(margins.left, p.dpiX));
    f.right = std::max(p.physW - p.horzRes - p.offX, Pixels(margins.right, p.dpiX));
    f.top = std::max(p.offY, Pixels(margins.top, p.dpiY));
    f.bottom = std::max(p.physH - p.vertRes - p.offY, Pixels(margins.bottom, p.dpiY));
    f.leftInset = std::max(f.left - p.offX, 0);
    f.topInset = std::max(f.top - p.offY, 0);
    f.ox = Pixels(kOverlap, p.dpiX);
    f.oy = Pixels(kOverlap, p.dpiY);
    f.wpx = Pixels(W, p.dpiX);
    f.hpx = Pixels(-H, p.dpiY);
    PrintLayout layout;
    layout.tileW = p.horzRes - f.ox;
    layout.tileH = p.vertRes - f.oy;
    if (f.wpx < 1 || f.hpx < 1 || layout.tileW < 1 || layout.tileH < 1)
        return std::nullopt;

    const DWORD size = settings.m_flags & CPrintSettings::kSizeMask;
    float s =
        size ? FitScale(size, f, p) : std::clamp(settings.m_scale, kMinPrintScale, kMaxPrintScale);
    if (!(s > 0) || !std::isfinite(s))
        return std::nullopt;
    layout.scale = s;
    layout.windowExt = SIZE{W, H};
    layout.viewportExt = SIZE{MulDiv(W, int(std::floor(s * float(p.dpiX))), 1000),
                              MulDiv(-H, int(std::floor(s * float(p.dpiY))), 1000)};
    const int printedW = layout.viewportExt.cx;
    const int printedH = layout.viewportExt.cy;
    if (printedW < 1 || printedH < 1)
        return std::nullopt;
    layout.across = CeilDiv(f.leftInset - f.ox + printedW, layout.tileW);
    layout.down = CeilDiv(f.topInset - f.oy + printedH, layout.tileH);

    // x0 in sheet units, growing right; y0 mirrored, growing up.
    int x0 = -MulDiv(f.leftInset, W, printedW);
    if (settings.m_flags & 1) {
        x0 = -MulDiv(Pixels(settings.m_offsetX, p.dpiX) - p.offX + f.left, W, printedW);
    } else if (layout.across == 1) {
        x0 = Centred(p.physW, paper.cx, p.offX, margins.left, W, printedW);
        const int excess = MulDiv(W - x0, printedW, W) - p.horzRes;
        if (excess > 0)
            x0 += MulDiv(excess, W, printedW);
        x0 = std::min(x0, 0);
    }
    int y0 = MulDiv(f.topInset, -H, printedH);
    if (settings.m_flags & 2) {
        y0 = MulDiv(Pixels(settings.m_offsetY, p.dpiY) - p.offY + f.top, -H, printedH);
    } else if (layout.down == 1) {
        y0 = -Centred(p.physH, -paper.cy, p.offY, margins.top, -H, printedH);
        const int excess = MulDiv(-H + y0, printedH, -H) - p.vertRes;
        if (excess > 0)
            y0 -= MulDiv(excess, -H, printedH);
        y0 = std::max(y0, 0);
    }
    layout.origin = POINT{x0, y0};
    return layout;
}
