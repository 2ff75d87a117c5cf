#include "model/geometry/PlaneGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/Geometry.h"

namespace {

// Differences of two coordinates fit in 33 bits and their products in 66, so products are
// formed in 128 bits.
using Wide = __int128;

std::int64_t Diff(LONG a, LONG b) {
    return static_cast<std::int64_t>(a) - b;
}

Wide Mul(std::int64_t a, std::int64_t b) {
    return static_cast<Wide>(a) * b;
}

int SignOfDiff(LONG a, LONG b) {
    return (a > b) - (a < b);
}

LONG SaturateToLong(Wide v) {
    constexpr LONG kMin = std::numeric_limits<LONG>::min();
    constexpr LONG kMax = std::numeric_limits<LONG>::max();
    return v < kMin ? kMin : v > kMax ? kMax : static_cast<LONG>(v);
}

// How a ray passing exactly through vertex i counts: once where the outline passes through
// the ray's height, not at all where it only touches it. When the previous edge lies on the
// ray (it counted by itself), the step before that edge decides instead.
int VertexCrossing(const POINT* points, int count, int i) {
    const LONG y = points[i].y;
    const int after = SignOfDiff(points[(i + 1) % count].y, y);
    const int before = SignOfDiff(y, points[(i + count - 1) % count].y);
    if (before != 0)
        return before * after > 0 ? 1 : 0;
    const int stepBefore = SignOfDiff(y, points[(i + count - 2) % count].y);
    return stepBefore * after < 0 ? 1 : 0;
}

// +1 when p lies on the left of u->v (y upward), -1 on its right or on the line.
int Side(LONG px, LONG py, LONG ux, LONG uy, LONG vx, LONG vy) {
    return Mul(Diff(py, uy), Diff(vx, ux)) > Mul(Diff(px, ux), Diff(vy, uy)) ? 1 : -1;
}

// Whether num / den lies in [0, 1], without dividing.
bool RatioInUnitRange(Wide num, Wide den) {
    return den > 0 ? num >= 0 && num <= den : num <= 0 && num >= den;
}

// The parameter of coordinate v along a segment from v1 stepping by delta, in thousandths.
std::int64_t Thousandths(LONG v, LONG v1, std::int64_t delta) {
    return Diff(v, v1) * 1000 / delta;
}

// Whether the edge p-q crosses one of the four sides of rect.
bool EdgeCrossesRect(const POINT& p, const POINT& q, const CRect& rect) {
    const POINT corners[4] = {{rect.left, rect.top},
                              {rect.right, rect.top},
                              {rect.right, rect.bottom},
                              {rect.left, rect.bottom}};
    for (int side = 0; side < 4; ++side) {
        const POINT& u = corners[side];
        const POINT& v = corners[(side + 1) % 4];
        if (SegmentsCross(p.x, p.y, q.x, q.y, u.x, u.y, v.x, v.y))
            return true;
    }
    return false;
}

// Whether the first point lies in rect, or (insideTest) rect's left-top corner lies inside the
// polygon, or one of the first edges (i to i + 1, the last closing to point 0) crosses rect.
bool PointsMeetRect(const POINT* points, int count, const RECT& rect, int edges, bool insideTest) {
    if (count <= 0)
        return false;
    CRect box(rect);
    box.NormalizeRect();
    if (box.PtInRect(points[0]))
        return true;
    if (insideTest && PtInPolygon(points, count, box.left, box.top, nullptr))
        return true;
    for (int i = 0; i < edges; ++i) {
        if (EdgeCrossesRect(points[i], points[(i + 1) % count], box))
            return true;
    }
    return false;
}

}  // namespace

BOOL PtInPolygon(const POINT* points, int count, int x, int y, const RECT* bounds) {
    if (count <= 0)
        return FALSE;
    CRect box;
    if (bounds)
        box = *bounds;
    else
        PointsBoundingRect(points, count, box);
    if (!box.PtInRect(POINT{x, y}))
        return FALSE;
    int crossings = 0;
    for (int i = 0; i < count; ++i) {
        const POINT& p = points[i];
        const POINT& q = points[(i + 1) % count];
        const int crossing = EdgeCrossing(x, y, p.x, p.y, q.x, q.y);
        if (crossing == -1)
            return FALSE;
        crossings += crossing == -2 ? VertexCrossing(points, count, i) : crossing;
    }
    return crossings & 1;
}

int EdgeCrossing(int x, int y, int x1, int y1, int x2, int y2) {
    if (y < std::min(y1, y2) || y > std::max(y1, y2))
        return 0;
    if (y1 == y2) {
        if (x >= std::min(x1, x2) && x <= std::max(x1, x2))
            return -1;
        return x1 > x ? 1 : 0;
    }
    const Wide xi = Mul(Diff(x2, x1), Diff(y, y1)) / Diff(y2, y1) + x1;
    if (xi == x)
        return -1;
    const int right = xi > x ? 1 : 0;
    if (y == y1 && right)
        return -2;
    return y != y2 ? right : 0;
}

void PointsBoundingRect(const POINT* points, int count, RECT& out) {
    out = RECT{std::numeric_limits<LONG>::max(), std::numeric_limits<LONG>::max(),
               std::numeric_limits<LONG>::min(), std::numeric_limits<LONG>::min()};
    for (int i = 0; i < count; ++i) {
        out.left = std::min(out.left, points[i].x);
        out.top = std::min(out.top, points[i].y);
        out.right = std::max(out.right, points[i].x);
        out.bottom = std::max(out.bottom, points[i].y);
    }
}

BOOL SegmentsCross(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy) {
    if (Side(cx, cy, ax, ay, bx, by) == Side(dx, dy, ax, ay, bx, by))
        return FALSE;
    return Side(ax, ay, cx, cy, dx, dy) != Side(bx, by, cx, cy, dx, dy);
}

BOOL SegmentsIntersect(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy) {
    const double d1x = static_cast<double>(bx) - ax;
    const double d1y = static_cast<double>(by) - ay;
    const double d2x = static_cast<double>(dx) - cx;
    const double d2y = static_cast<double>(dy) - cy;
    const double den = d2x * d1y - d2y * d1x;
    if (std::abs(den) < 1e-5)
        return FALSE;
    const double ex = static_cast<double>(cx) - ax;
    const double ey = static_cast<double>(cy) - ay;
    const double s = (ey * d1x - ex * d1y) / den;
    const double t = (d2x * ey - ex * d2y) / den;
    return s >= 0 && s <= 1 && t >= 0 && t <= 1;
}

BOOL SegmentIntersection(int ax, int ay, int bx, int by, int cx, int cy, int dx, int dy,
                         POINT& out) {
    const std::int64_t d1x = Diff(bx, ax);
    const std::int64_t d1y = Diff(by, ay);
    const std::int64_t d2x = Diff(dx, cx);
    const std::int64_t d2y = Diff(dy, cy);
    const Wide den = Mul(d2x, d1y) - Mul(d2y, d1x);
    if (den == 0)
        return FALSE;
    const std::int64_t ex = Diff(cx, ax);
    const std::int64_t ey = Diff(cy, ay);
    const Wide num = Mul(ey, d2x) - Mul(ex, d2y);
    const Wide m = Mul(ey, d1x) - Mul(ex, d1y);
    out.x = SaturateToLong(ax + d1x * num / den);
    out.y = SaturateToLong(ay + d1y * num / den);
    return RatioInUnitRange(num, den) && RatioInUnitRange(m, den);
}

BOOL ProjectOnSegment(POINT& point, int x1, int y1, int x2, int y2) {
    const std::int64_t dx = Diff(x2, x1);
    const std::int64_t dy = Diff(y2, y1);
    const Wide lengthSquared = Mul(dx, dx) + Mul(dy, dy);
    if (lengthSquared == 0)
        return FALSE;
    const Wide dot = Mul(Diff(x1, point.x), dx) + Mul(Diff(y1, point.y), dy);
    const double t = -static_cast<double>(dot) / static_cast<double>(lengthSquared);
    if (t < 0)
        point = POINT{x1, y1};
    else if (t > 1)
        point = POINT{x2, y2};
    else
        point = POINT{RoundToLong(x1 + t * dx), RoundToLong(y1 + t * dy)};
    return TRUE;
}

BOOL SegmentMeetsRect(const RECT& rect, int x1, int y1, int x2, int y2) {
    if (y1 == y2 && x1 != x2) {
        return rect.top <= y1 && y1 <= rect.bottom && !(x1 < rect.left && x2 < rect.left) &&
               (x1 <= rect.right || x2 <= rect.right);
    }
    if (x1 == x2) {
        return rect.left <= x1 && x1 <= rect.right && !(y1 < rect.top && y2 < rect.top) &&
               (y1 <= rect.bottom || y2 <= rect.bottom);
    }
    const std::int64_t dx = Diff(x2, x1);
    const std::int64_t dy = Diff(y2, y1);
    const auto [xLow, xHigh] =
        std::minmax({Thousandths(rect.left, x1, dx), Thousandths(rect.right, x1, dx)});
    const auto [yLow, yHigh] =
        std::minmax({Thousandths(rect.bottom, y1, dy), Thousandths(rect.top, y1, dy)});
    const std::int64_t tmin = std::max<std::int64_t>(std::max(xLow, yLow), 0);
    const std::int64_t tmax = std::min(xHigh, yHigh);
    return tmax > 1000 ? tmin <= 1000 : tmin <= tmax;
}

BOOL PolygonMeetsRect(const POINT* points, int count, const RECT& rect, BOOL closed) {
    return PointsMeetRect(points, count, rect, count, closed != FALSE);
}

BOOL PolylineMeetsRect(const POINT* points, int count, const RECT& rect) {
    return PointsMeetRect(points, count, rect, count - 1, false);
}

void UniteExtents(RECT& extent, const RECT& other) {
    extent.left = std::min(extent.left, other.left);
    extent.top = std::min(extent.top, other.top);
    extent.right = std::max(extent.right, other.right);
    extent.bottom = std::max(extent.bottom, other.bottom);
}

double SquaredDistanceToSegment(const POINT& p, const POINT& a, const POINT& b) {
    const double dx = double(b.x) - a.x;
    const double dy = double(b.y) - a.y;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? ((p.x - double(a.x)) * dx + (p.y - double(a.y)) * dy) / length : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - p.x;
    const double ey = a.y + t * dy - p.y;
    return ex * ex + ey * ey;
}
