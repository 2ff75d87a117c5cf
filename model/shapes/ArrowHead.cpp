#include "model/shapes/ArrowHead.h"

#include <algorithm>
#include <cmath>

#include "platform/DC.h"
#include "platform/Geometry.h"

namespace {

constexpr int kMinArrowLength = 40;

enum ArrowKind : int { kArrowOpen = 1, kArrowNarrow = 2, kArrowWide = 3 };

bool IsNullPen(const LOGPEN& pen) {
    return (pen.lopnStyle & 0xF) == PS_NULL;
}

// Two strokes into the tip with the selected pen, or with replacement when one is given.
void StrokeHead(CDC* dc, const POINT (&points)[3], const LOGPEN* replacement) {
    CPen pen;
    CPen* oldPen =
        replacement && pen.CreatePenIndirect(replacement) ? dc->SelectObject(&pen) : nullptr;
    dc->MoveTo(points[0]);
    dc->LineTo(points[1]);
    dc->MoveTo(points[2]);
    dc->LineTo(points[1]);
    if (oldPen)
        dc->SelectObject(oldPen);
}

void FillTriangle(CDC* dc, const POINT (&points)[3], COLORREF colour) {
    CPen pen(PS_SOLID, 0, colour);
    CBrush brush(colour);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->Polygon(points, 3);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

}  // namespace

void UnitVector(double x1, double y1, double x2, double y2, double& ux, double& uy) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length <= 1e-5) {
        ux = 1;
        uy = 0;
        return;
    }
    ux = dx / length;
    uy = dy / length;
}

void DrawArrowHead(CDC* dc, const LOGPEN& shapePen, int tipX, int tipY, double ux, double uy,
                   int kind) {
    if (kind < kArrowOpen || kind > kArrowWide)
        return;
    const bool substitute = IsNullPen(dc->GetCurrentPen()->Log());
    const LOGPEN& pen = substitute ? shapePen : dc->GetCurrentPen()->Log();
    const int length = std::max(kMinArrowLength, 6 * pen.lopnWidth.x);
    const CPoint tip(tipX, tipY);
    const CPoint back = tip + CSize(RoundToLong(-length * ux), RoundToLong(-length * uy));
    // The side vector is the back vector turned by 90 degrees, then cut to 3/10 or 2/5.
    const LONG sideX = -(back.y - tip.y);
    const LONG sideY = back.x - tip.x;
    const CSize side = kind == kArrowWide ? CSize(2 * sideX / 5, 2 * sideY / 5)
                                          : CSize(3 * sideX / 10, 3 * sideY / 10);
    const POINT points[3] = {back + side, tip, back - side};
    if (kind == kArrowOpen)
        StrokeHead(dc, points, substitute ? &shapePen : nullptr);
    else
        FillTriangle(dc, points, pen.lopnColor);
}

void DrawArrowHeadFrom(CDC* dc, const LOGPEN& shapePen, int tipX, int tipY, int fromX, int fromY,
                       int kind) {
    double ux = 0;
    double uy = 0;
    UnitVector(fromX, fromY, tipX, tipY, ux, uy);
    DrawArrowHead(dc, shapePen, tipX, tipY, ux, uy, kind);
}
