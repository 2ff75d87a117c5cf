#include "model/shapes/TransformedShapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "model/geometry/FloatGeometry.h"
#include "model/geometry/PlacementMatrix.h"
#include "platform/DC.h"
#include "platform/Geometry.h"

namespace {

// Pen styles whose wide outline lies inside the shape rather than centred on it.
constexpr UINT kInsideOutlineStyles = 0x2 | 0x4;

// Rounded corners: quarter ellipses sampled every 2.5 degrees plus their end points.
constexpr double kCornerStep = 0.0436332313;
constexpr int kSamplesPerQuarter = 36;
constexpr int kRoundRectBufferSize = 197;
static_assert(4 * (kSamplesPerQuarter + 1) <= kRoundRectBufferSize);

bool IsTiny(double v) {
    return std::fabs(v) < kSingularDeterminant;
}

bool KeepsAxes(const double* m) {
    return (IsTiny(m[kMatB]) && IsTiny(m[kMatC])) || (IsTiny(m[kMatA]) && IsTiny(m[kMatD]));
}

bool IsInvertible(const double* m) {
    return !IsTiny(MatrixDeterminant(m));
}

// The local thickness across the left and right sides (cx) and across the top and bottom
// (cy) that the matrix maps to the given length. The matrix must be invertible.
SIZE LocalThickness(const double* m, float length) {
    CFPoint xAxis(static_cast<float>(m[kMatA]), static_cast<float>(m[kMatC]));
    CFPoint yAxis(static_cast<float>(m[kMatB]), static_cast<float>(m[kMatD]));
    xAxis.Scale(length);
    yAxis.Scale(length);
    const double det = MatrixDeterminant(m);
    return SIZE{RoundToLong((m[kMatD] * xAxis.x - m[kMatB] * xAxis.y) / det),
                RoundToLong((m[kMatA] * yAxis.y - m[kMatC] * yAxis.x) / det)};
}

POINT MapPoint(double x, double y, const double* m) {
    MatrixTransformDoubles(&x, &y, 1, m);
    return POINT{RoundToLong(x), RoundToLong(y)};
}

// The outline of rect as four filled bands of the pen's colour, each mapped through m.
void DrawOutlineBands(CDC* dc, const RECT& rect, const LOGPEN& pen, const double* m) {
    const SIZE thickness = LocalThickness(m, static_cast<float>(pen.lopnWidth.x));
    CRect r(rect);
    if (!(pen.lopnStyle & kInsideOutlineStyles))
        r.InflateRect(thickness.cx / 2, thickness.cy / 2);
    const LONG innerTop = WrapAdd(r.top, thickness.cy);
    const LONG innerBottom = WrapSub(r.bottom, thickness.cy);
    const LONG innerLeft = WrapAdd(r.left, thickness.cx);
    const LONG innerRight = WrapSub(r.right, thickness.cx);
    POINT bands[4][4] = {
        {{r.left, r.top}, {r.left, innerTop}, {r.right, innerTop}, {r.right, r.top}},
        {{r.left, r.bottom}, {r.left, innerBottom}, {r.right, innerBottom}, {r.right, r.bottom}},
        {{r.left, r.top}, {innerLeft, r.top}, {innerLeft, r.bottom}, {r.left, r.bottom}},
        {{r.right, r.top}, {innerRight, r.top}, {innerRight, r.bottom}, {r.right, r.bottom}}};

    CPen bandPen(PS_SOLID, 0, pen.lopnColor);
    CBrush bandBrush(pen.lopnColor);
    CPen* previousPen = dc->SelectObject(&bandPen);
    CBrush* previousBrush = dc->SelectObject(&bandBrush);
    for (POINT* band : bands) {
        MatrixTransformPoints(band, 4, m);
        dc->Polygon(band, 4);
    }
    dc->SelectObject(previousBrush);
    dc->SelectObject(previousPen);
}

}  // namespace

void DrawTransformedRect(CDC* dc, const RECT& rect, const double* matrix) {
    const double* m = matrix ? matrix : kIdentityMatrix;
    if (KeepsAxes(m)) {
        POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
        MatrixTransformPoints(corners, 2, m);
        dc->Rectangle(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
        return;
    }
    POINT quad[4] = {{rect.left, rect.top},
                     {rect.left, rect.bottom},
                     {rect.right, rect.bottom},
                     {rect.right, rect.top}};
    MatrixTransformPoints(quad, 4, m);
    const LOGPEN pen = dc->GetCurrentPen()->Log();
    if (pen.lopnWidth.x <= 1) {
        dc->Polygon(quad, 4);
        return;
    }
    CGdiObject* previousPen = dc->SelectStockObject(NULL_PEN);
    dc->Polygon(quad, 4);
    dc->SelectObject(previousPen);
    if (IsInvertible(m))
        DrawOutlineBands(dc, rect, pen, m);
}

void DrawTransformedRoundRect(CDC* dc, const RECT& rect, int cornerWidth, int cornerHeight,
                              const double* matrix) {
    const double* m = matrix ? matrix : kIdentityMatrix;
    CRect r(rect);
    r.NormalizeRect();
    const LOGPEN pen = dc->GetCurrentPen()->Log();
    if (pen.lopnWidth.x >= 1 && (pen.lopnStyle & kInsideOutlineStyles) && IsInvertible(m)) {
        const SIZE inset = LocalThickness(m, pen.lopnWidth.x / 2.0f);
        r.DeflateRect(inset);
        cornerWidth -= 2 * inset.cx;
        cornerHeight -= 2 * inset.cy;
    }
    const double rx = std::max(0, std::min(r.Width(), cornerWidth) / 2);
    const double ry = std::max(0, std::min(r.Height(), cornerHeight) / 2);
    // Corner centres with the angle each quarter starts at, counter-clockwise with y upward.
    const double corners[4][3] = {{r.left + rx, r.bottom - ry, 90},
                                  {r.left + rx, r.top + ry, 180},
                                  {r.right - rx, r.top + ry, 270},
                                  {r.right - rx, r.bottom - ry, 0}};
    std::array<POINT, kRoundRectBufferSize> outline;
    int count = 0;
    for (const auto& [cx, cy, startDegrees] : corners) {
        const double start = startDegrees * std::numbers::pi / 180;
        for (int k = 0; k <= kSamplesPerQuarter; ++k) {
            const double angle =
                k < kSamplesPerQuarter ? start + k * kCornerStep : start + std::numbers::pi / 2;
            outline[count++] = MapPoint(cx + rx * std::cos(angle), cy + ry * std::sin(angle), m);
        }
    }
    dc->Polygon(outline.data(), count);
}
