#include "model/shapes/DrawPoly.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/geometry/PointTransforms.h"
#include "model/geometry/RectScaling.h"
#include "model/object/DxfSink.h"
#include "model/object/ShapePaintScope.h"
#include "model/object/SnapGrid.h"
#include "model/shapes/ArrowHead.h"
#include "model/shapes/DrawRect.h"
#include "platform/Archive.h"
#include "platform/GdiArchive.h"

IMPLEMENT_SERIAL(CDrawPoly, CDrawObj, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kGrowBy = 10;
// Counts are stored as WORDs.
constexpr int kMaxPoints = 0xFFFF;
constexpr LONG kFreedPoint = 0x7FFFFFFF;
constexpr int kStoredPointSize = 8;
constexpr int kHandleGroup = 3;
constexpr int kSegmentHitHalf = 3;  // pixels
constexpr int kStackPoints = 20;
constexpr double kTiny = 1e-5;

// Exact vector arithmetic on sheet points, whatever their coordinates.
using Wide = __int128;
struct WideVector {
    Wide x;
    Wide y;
};

WideVector Minus(const POINT& a, const POINT& b) {
    return {Wide{a.x} - b.x, Wide{a.y} - b.y};
}

Wide Dot(const WideVector& a, const WideVector& b) {
    return a.x * b.x + a.y * b.y;
}

Wide SquaredDistance(const POINT& a, const POINT& b) {
    const WideVector d = Minus(a, b);
    return Dot(d, d);
}

// The handle square test of the base: x from the left inclusive, y from the lower edge
// exclusive up to the upper edge inclusive (sheet y grows upward).
bool InHandleSquare(const CRect& square, const CPoint& p) {
    return p.x >= square.left && p.x < square.right && p.y <= square.top && p.y > square.bottom;
}

// Where the line through p with direction d meets the line through a and b; false for
// parallel lines.
bool LineIntersection(const CPoint& p, const CSize& d, const CPoint& a, const CPoint& b,
                      CPoint& out) {
    const double ex = double(b.x) - a.x;
    const double ey = double(b.y) - a.y;
    const double den = double(d.cx) * ey - double(d.cy) * ex;
    if (std::fabs(den) < kTiny)
        return false;
    const double t = ((double(a.x) - p.x) * ey - (double(a.y) - p.y) * ex) / den;
    out = CPoint(RoundToLong(p.x + t * d.cx), RoundToLong(p.y + t * d.cy));
    return true;
}

// The unit vector from one point to another; false when they are closer than 1e-5.
bool Direction(const POINT& from, const POINT& to, double& ux, double& uy) {
    const double dx = double(to.x) - from.x;
    const double dy = double(to.y) - from.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (length < kTiny)
        return false;
    ux = dx / length;
    uy = dy / length;
    return true;
}

// A copy of the points mapped through a matrix, on the stack for short objects.
class MappedPoints {
public:
    MappedPoints(const CPoint* points, int count, const double* matrix) : m_count(count) {
        if (!matrix) {
            m_data = points;
            return;
        }
        POINT* copy = m_local;
        if (count > kStackPoints) {
            m_heap.resize(static_cast<size_t>(count));
            copy = m_heap.data();
        }
        std::copy(points, points + count, copy);
        MatrixTransformPoints(copy, count, matrix);
        m_data = copy;
    }
    MappedPoints(const MappedPoints&) = delete;
    MappedPoints& operator=(const MappedPoints&) = delete;

    const POINT* Data() const { return m_data; }
    const POINT& operator[](int i) const { return m_data[i]; }
    int Count() const { return m_count; }

private:
    POINT m_local[kStackPoints];
    std::vector<POINT> m_heap;
    const POINT* m_data = nullptr;
    int m_count;
};

struct EndArrow {
    POINT tip;
    double ux = 0;
    double uy = 0;
    int kind = 0;
};

// The heads of an open object of two points or more: at the first point pointing away from
// the second, and at the last point pointing away from the second-last. Points closer than
// 1e-5 give no head.
std::vector<EndArrow> EndArrows(const MappedPoints& points, DWORD flags) {
    std::vector<EndArrow> arrows;
    const int count = points.Count();
    const auto add = [&](const POINT& from, const POINT& tip, int kind) {
        EndArrow arrow{tip};
        arrow.kind = kind;
        if (kind && Direction(from, tip, arrow.ux, arrow.uy))
            arrows.push_back(arrow);
    };
    add(points[1], points[0], ArrowKindAt(flags, kArrowLowShift));
    add(points[count - 2], points[count - 1], ArrowKindAt(flags, kArrowHighShift));
    return arrows;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and record

CDrawPoly::CDrawPoly() = default;

CDrawPoly::CDrawPoly(const CRect& position) : CDrawObj(position) {}

CDrawPoly::CDrawPoly(const CDrawPoly& source, CDrawDoc* document)
    : CDrawObj(source, document),
      m_count(source.m_count),
      m_capacity(source.m_capacity),
      m_points(source.m_points) {}

CDrawObj* CDrawPoly::Clone(CDrawDoc* document) {
    return new CDrawPoly(*this, document);
}

CDrawObj* CDrawPoly::Duplicate() {
    return Clone(nullptr);
}

void CDrawPoly::CopyGeometryFrom(const CDrawObj* source) {
    const auto* poly = dynamic_cast<const CDrawPoly*>(source);
    if (!poly)
        return;
    CDrawObj::CopyGeometryFrom(source);
    m_points = poly->m_points;
    m_capacity = poly->m_capacity;  // part of the record
    m_count = poly->m_count;
}

// Loading checks the count against the bytes left before allocating, and makes room for the
// count only; the capacity is kept as a number, raised to the count when the record claims less.
void CDrawPoly::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_count) << static_cast<WORD>(m_capacity);
        for (int i = 0; i < m_count; ++i)
            ar << static_cast<const POINT&>(PointAt(i));
        return;
    }
    WORD count = 0;
    WORD capacity = 0;
    ar >> count >> capacity;
    ar.CheckRemaining(std::uint64_t{count} * kStoredPointSize);
    CPolyPoints points;
    points.Reserve(count);
    for (int i = 0; i < count; ++i)
        ar >> static_cast<POINT&>(points[static_cast<size_t>(i)]);
    m_points = std::move(points);
    m_count = count;
    m_capacity = std::max(count, capacity);
}

// ---------------------------------------------------------------------------------------------
// Point list

// Room for the points grows with the capacity once they no longer fit inside the object.
void CDrawPoly::AddPoint(CPoint point) {
    if (m_count == m_capacity) {
        if (m_count >= kMaxPoints)
            return;
        m_capacity = std::min(m_count + kGrowBy, kMaxPoints);
    }
    if (m_count > 0 && PointAt(m_count - 1) == point)
        return;
    if (m_count == m_points.GetRoom())
        m_points.Reserve(m_capacity);
    PointAt(m_count++) = point;
    if (m_count == 1) {
        m_position = CRect(point, point);
        return;
    }
    m_position.NormalizeRect();
    m_position.left = std::min(m_position.left, point.x);
    m_position.top = std::min(m_position.top, point.y);
    m_position.right = std::max(m_position.right, point.x);
    m_position.bottom = std::max(m_position.bottom, point.y);
}

void CDrawPoly::RemovePoint(int index) {
    if (index < 0 || index >= m_count)
        return;
    std::copy(m_points.begin() + index + 1, m_points.begin() + m_count, m_points.begin() + index);
    PointAt(--m_count) = CPoint(kFreedPoint, kFreedPoint);
}

// The array makes room through AddPoint with a point that cannot repeat the last one.
void CDrawPoly::InsertPoint(int index, int x, int y) {
    if (index < 0 || index > m_count)
        return;
    if (m_count == 0) {
        AddPoint(CPoint(x, y));
        return;
    }
    const int before = m_count;
    const CPoint last = PointAt(m_count - 1);
    AddPoint(CPoint(WrapAdd(last.x, 1), last.y));
    if (m_count == before)
        return;
    std::copy_backward(m_points.begin() + index, m_points.begin() + before,
                       m_points.begin() + before + 1);
    PointAt(index) = CPoint(x, y);
    RecalcBounds(nullptr);
}

BOOL CDrawPoly::RecalcBounds(IDocView* view) {
    if (m_count == 0)
        return FALSE;
    CRect bounds;
    PointsBoundingRect(m_points.data(), m_count, bounds);
    return ReplacePosition(bounds, view);
}

// ---------------------------------------------------------------------------------------------
// Handles

int CDrawPoly::GetObjType() const {
    return IsBezier() ? kObjBezier : kObjPoly;
}

int CDrawPoly::GetHandleCount() const {
    if (IsBezier())
        return m_count;
    return IsOpen() ? std::max(0, 2 * m_count - 1) : 2 * m_count;
}

// A segment handle sits on the point that ends its segment.
CPoint CDrawPoly::GetHandle(int n) const {
    if (m_count == 0)
        return m_position.TopLeft();
    if (n < 1)
        return PointAt(0);
    if (n <= m_count)
        return PointAt(n - 1);
    return PointAt((n - m_count) % m_count);
}

CursorId CDrawPoly::GetHandleCursor(int n) const {
    if (n <= m_count || m_count == 0)
        return CursorId::SizeAll;
    const int j = std::min(m_count, n - m_count);
    const CPoint& a = PointAt(j % m_count);
    const CPoint& b = PointAt((m_count + j - 1) % m_count);
    return CursorForDirection(double(b.y) - a.y, double(a.x) - b.x);
}

void CDrawPoly::GetBoundingRect(CRect& rect) const {
    rect = m_position;
    rect.NormalizeRect();
    const int width = GetPen().lopnWidth.x;
    rect.InflateRect(width / 2 + 1, width / 2 + 1);
    if (m_flags & kFlagArrowsMask) {
        const int grow = std::max(40, 3 * width);
        rect.InflateRect(grow, grow);
    }
}

int CDrawPoly::HitTest(CPoint point, IDocView* view, BOOL selected) {
    if (!selected)
        return CDrawObj::HitTest(point, view, selected);
    if (!view)
        return 0;
    if (const int handle = HitPointHandle(point, view))
        return handle;
    return HitSegmentHandle(point, view);
}

// Point handles are tried in groups of three, each group from its highest number down.
int CDrawPoly::HitPointHandle(CPoint point, IDocView* view) const {
    for (int group = 0; group * kHandleGroup < m_count; ++group) {
        for (int k = kHandleGroup; k >= 1; --k) {
            const int n = group * kHandleGroup + k;
            if (n <= m_count && InHandleSquare(GetHandleRect(n, view), point))
                return n;
        }
    }
    return 0;
}

int CDrawPoly::HitSegmentHandle(CPoint point, IDocView* view) const {
    const CPoint pixel = view->DocToClient(point);
    const CPoint first =
        view->ClientToDoc(CPoint(pixel.x - kSegmentHitHalf, pixel.y - kSegmentHitHalf));
    const CPoint last =
        view->ClientToDoc(CPoint(pixel.x + kSegmentHitHalf, pixel.y + kSegmentHitHalf));
    const double width = double(last.x) - first.x;
    for (int j = 1; j <= SegmentHandleCount(); ++j) {
        const double distance =
            SquaredDistanceToSegment(point, PointAt(j - 1), PointAt(j % m_count));
        if (distance < width * width)
            return m_count + j;
    }
    return 0;
}

void CDrawPoly::MoveHandleTo(int n, CPoint point, IDocView* view) {
    if (n < 1 || n > GetHandleCount())
        return;
    if (n <= m_count)
        MovePointHandle(n, point);
    else
        MoveSegment(n - m_count, point);
    RecalcBounds(view);
    Invalidate(view);
}

// On a Bezier curve an anchor carries its two control points along.
void CDrawPoly::MovePointHandle(int n, CPoint point) {
    CPoint& target = PointAt(n - 1);
    if (target == point)
        return;
    const CSize offset = point - target;
    target = point;
    if (!IsBezier() || (n - 1) % 3 != 0)
        return;
    if (n > 1)
        PointAt(n - 2) += offset;
    if (n < m_count)
        PointAt(n) += offset;
}

// The segment from A to B moves parallel to itself through point; A slides along the line
// towards its other neighbour P and B along the line towards Q. The free ends of an open
// object move square to the segment.
void CDrawPoly::MoveSegment(int segment, CPoint point) {
    const int n = m_count;
    CPoint& a = PointAt((n - 1 + segment) % n);
    CPoint& b = PointAt(segment % n);
    const CSize d = b - a;
    const CSize square(-d.cy, d.cx);
    CPoint p = PointAt((n - 2 + segment) % n);
    CPoint q = PointAt((segment + 1) % n);
    if (IsOpen() && segment == 1)
        p = a + square;
    if (IsOpen() && segment == n - 1)
        q = b + square;
    CPoint newA;
    CPoint newB;
    if (!LineIntersection(point, d, a, p, newA) || !LineIntersection(point, d, b, q, newB))
        return;
    if (!IsOnSheet(newA) || !IsOnSheet(newB))
        return;
    a = newA;
    b = newB;
}

bool CDrawPoly::IsOnSheet(const CPoint& point) const {
    if (!m_document)
        return true;
    const SIZE paper = m_document->GetPaperSize();
    return point.x >= 0 && point.x <= paper.cx && point.y >= -std::fabs(double(paper.cy)) &&
           point.y <= 0;
}

// The reference point for a constrained drag: for a point handle the nearer of its two
// neighbours; for a segment handle the nearer of the two places where the dragged segment
// would meet the lines of its neighbouring segments.
void CDrawPoly::GetAnchorPoint(CPoint* point, int handle) {
    if (!point)
        return;
    const int n = m_count;
    if (handle < 1 || handle > GetHandleCount() || n == 0) {
        CDrawObj::GetAnchorPoint(point, handle);
        return;
    }
    if (handle <= n) {
        const CPoint& previous = PointAt((handle - 2 + n) % n);
        const CPoint& next = PointAt(handle % n);
        *point =
            SquaredDistance(next, *point) < SquaredDistance(previous, *point) ? next : previous;
        return;
    }
    const int j = handle - n;
    const CPoint& q0 = PointAt(((j - 2) % n + n) % n);
    const CPoint& q1 = PointAt(((j - 1) % n + n) % n);
    const CPoint& q2 = PointAt(j % n);
    const CPoint& q3 = PointAt((j + 1) % n);
    const WideVector d = Minus(q2, q1);
    const WideVector normal{-d.y, d.x};
    const Wide length = Dot(d, d);
    // q1 moved along d by amount / length of its own length, or q1 itself when d is empty.
    const auto offset = [length](const POINT& from, const WideVector& v, Wide amount) {
        const Wide x = length == 0 ? 0 : v.x * amount / length;
        const Wide y = length == 0 ? 0 : v.y * amount / length;
        return CPoint(static_cast<LONG>(from.x + x), static_cast<LONG>(from.y + y));
    };
    const CPoint foot = offset(q1, d, Dot(Minus(*point, q1), d));
    const CPoint first = offset(foot, normal, Dot(Minus(q3, q2), normal));
    const CPoint second = offset(foot, normal, Dot(Minus(q0, q1), normal));
    *point = SquaredDistance(second, *point) < SquaredDistance(first, *point) ? second : first;
}

// ---------------------------------------------------------------------------------------------
// Moving, rotating and mirroring

void CDrawPoly::MoveTo(const CRect& position, IDocView* view) {
    if (position == m_position)
        return;
    Invalidate(view);
    const CRect& old = m_position;
    for (int i = 0; i < m_count; ++i) {
        CPoint& p = PointAt(i);
        p.x = old.Width() ? ScaleCoordinate(p.x, old.left, old.right, position.left, position.right)
                          : WrapAdd(p.x, WrapSub(position.left, old.left));
        p.y = old.Height()
                  ? ScaleCoordinate(p.y, old.bottom, old.top, position.bottom, position.top)
                  : WrapAdd(p.y, WrapSub(position.top, old.top));
    }
    m_position = position;
    Invalidate(view);
}

void CDrawPoly::OffsetBy(CSize delta) {
    Invalidate(nullptr);
    for (int i = 0; i < m_count; ++i)
        PointAt(i) += delta;
    m_position.OffsetRect(delta);
    Invalidate(nullptr);
}

void CDrawPoly::Rotate(int angle, int centreX, int centreY, IDocView* view) {
    RotatePointsAbout(m_points.data(), m_count, angle, centreX, centreY);
    RecalcBounds(view);
    Invalidate(view);
}

void CDrawPoly::Mirror(int x1, int y1, int x2, int y2) {
    MirrorPoints(m_points.data(), m_count, x1, y1, x2, y2);
    RecalcBounds(nullptr);
    Invalidate(nullptr);
}

BOOL CDrawPoly::CanRotate() const {
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Hit tests and snapping

BOOL CDrawPoly::Intersects(const CRect& rect) {
    if (m_count == 0 || !CDrawObj::Intersects(rect))
        return FALSE;
    CRect query = rect;
    query.NormalizeRect();
    if (m_flags & kFlagOutlined) {
        const int grow = (GetPen().lopnWidth.x + 1) / 2;
        query.InflateRect(grow, grow);
    }
    if (IsOpen() && !IsBezier())
        return PolylineMeetsRect(m_points.data(), m_count, query);
    return PolygonMeetsRect(m_points.data(), m_count, query,
                            (m_flags & (kFlagFilled | kFlagBezier)) != 0);
}

// Closed objects offer their closing segment first.
CDrawObj* CDrawPoly::SnapPoint(CPoint& point, ISnapGrid* grid, double& best) {
    if (!grid || m_count == 0)
        return nullptr;
    double localBest = best;
    CPoint found = point;
    // A candidate as far as the best so far is taken too: a point on the grid (best 0) snaps
    // to a segment that runs through it.
    bool accepted = false;
    const auto offer = [&](const CPoint& a, const CPoint& b) {
        CPoint candidate = point;
        const double distance = grid->TrySegment(candidate, a.x, a.y, b.x, b.y, localBest);
        if (distance > -1 && distance <= localBest) {
            localBest = distance;
            found = candidate;
            accepted = true;
        }
    };
    if (!IsOpen())
        offer(PointAt(m_count - 1), PointAt(0));
    for (int i = 1; i < m_count; ++i)
        offer(PointAt(i - 1), PointAt(i));
    if (!accepted)
        return nullptr;
    point = found;
    best = localBest;
    return this;
}

// ---------------------------------------------------------------------------------------------
// Painting

void CDrawPoly::Draw(CDC* dc, const double* matrix) {
    const ShapePaintScope scope(dc, *this);
    PaintPoints(dc, matrix);
}

void CDrawPoly::DrawTracker(CDC* dc, int state, const double* matrix) {
    {
        const ShapePaintScope scope(dc, state);
        PaintPoints(dc, matrix);
    }
    CDrawObj::DrawTracker(dc, state, nullptr);
}

// The heads of an open object point away from it and do not shorten it.
void CDrawPoly::PaintPoints(CDC* dc, const double* matrix) const {
    if (m_count == 0)
        return;
    const MappedPoints points(m_points.data(), m_count, matrix);
    if (!IsOpen() || m_count < 2) {
        dc->Polygon(points.Data(), m_count);
        return;
    }
    if (IsBezier())
        dc->PolyBezier(points.Data(), m_count);
    else
        dc->Polyline(points.Data(), m_count);
    const LOGPEN pen = GetPen();
    for (const EndArrow& arrow : EndArrows(points, m_flags))
        DrawArrowHead(dc, pen, arrow.tip.x, arrow.tip.y, arrow.ux, arrow.uy, arrow.kind);
}

// ---------------------------------------------------------------------------------------------
// DXF

void CDrawPoly::ExportDxf(IDxfSink* dxf, int, const double* matrix) {
    if (!dxf)
        return;
    if (!IsOpen() || m_count < 2) {
        dxf->DxfWriteClosedPolyline(0, 0, m_count, m_points.data(), matrix);
        return;
    }
    if (!IsBezier())
        dxf->DxfWritePolyline(0, m_count, m_points.data(), matrix);
    const MappedPoints points(m_points.data(), m_count, matrix);
    const LOGPEN pen = GetPen();
    for (const EndArrow& arrow : EndArrows(points, m_flags))
        dxf->DxfWriteArrowHead(&pen, arrow.tip, float(arrow.ux), float(arrow.uy), arrow.kind);
}
