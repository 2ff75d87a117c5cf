#include "model/shapes/Ellipse.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PointTransforms.h"
#include "model/geometry/RectScaling.h"
#include "model/geometry/VectorAngle.h"
#include "model/object/DxfSink.h"
#include "model/object/SnapGrid.h"
#include "model/shapes/ArrowHead.h"
#include "model/shapes/EllipseHitTest.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/GdiArchive.h"

IMPLEMENT_SERIAL(CEllipse, CDrawRect, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kArcStartHandle = 9;
constexpr int kArcEndHandle = 10;
constexpr LONG kArcHandleSpread = 10;
constexpr double kTiny = 0.00001;
constexpr int kSampleStep = 20;  // tenths of a degree
constexpr size_t kMaxSamples = 200;

// The ellipse inscribed in a rectangle: centre and signed half-axes.
struct EllipseFrame {
    explicit EllipseFrame(const RECT& r)
        : cx((double(r.left) + r.right) / 2),
          cy((double(r.top) + r.bottom) / 2),
          a((double(r.right) - r.left) / 2),
          b((double(r.bottom) - r.top) / 2) {}

    bool IsDegenerate() const { return std::fabs(a) < kTiny || std::fabs(b) < kTiny; }

    // The direction in which the outline runs from start to end at a point of the ellipse:
    // counter-clockwise, reversed when the frame is mirrored (half-axes of opposite signs).
    void Motion(POINT p, double& x, double& y) const {
        const double sense = a * b < 0 ? -1 : 1;
        x = -sense * (p.y - cy) * a * a;
        y = sense * (p.x - cx) * b * b;
    }

    // The point at angle (tenths of a degree) of the ellipse's parameter.
    POINT At(int angle) const {
        const double radians = angle * kRadiansPerTenthDegree;
        return POINT{RoundToLong(std::cos(radians) * a + cx),
                     RoundToLong(std::sin(radians) * b + cy)};
    }

    int AngleOf(POINT p) const { return AngleFromVector((p.y - cy) / b, (p.x - cx) / a); }

    double cx;
    double cy;
    double a;
    double b;
};

bool SamePoint(const POINT& p, const POINT& q) {
    return p.x == q.x && p.y == q.y;
}

// An arrow head pointing along (x, y); none when the vector is too short to give a direction.
void DrawArrowAlong(CDC* dc, const LOGPEN& pen, POINT tip, double x, double y, int kind) {
    const double length = std::sqrt(x * x + y * y);
    if (kind && length > kTiny)
        DrawArrowHead(dc, pen, tip.x, tip.y, x / length, y / length, kind);
}

// Half the pen width in the shape's own units along its two axes, for an inside-frame pen.
void HalfPenInFrame(const double* m, int width, LONG& hx, LONG& hy) {
    const double half = width / 2.0;
    const double columnX = std::hypot(m[kMatA], m[kMatC]);
    const double columnY = std::hypot(m[kMatB], m[kMatD]);
    hx = static_cast<LONG>(std::floor(half / columnX));
    hy = static_cast<LONG>(std::floor(half / columnY));
}

// Moves both edges of one axis towards each other by h, whichever way the axis runs.
void ShrinkAxis(LONG& low, LONG& high, LONG h) {
    const LONG step = high < low ? -h : h;
    low += step;
    high -= step;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and record

CEllipse::CEllipse() {
    m_shape = kShapeEllipse;
}

CEllipse::CEllipse(const CRect& position)
    : CDrawRect(position), m_arcStart(position.TopLeft()), m_arcEnd(position.TopLeft()) {
    m_shape = kShapeEllipse;
}

CEllipse::CEllipse(const CEllipse& source, CDrawDoc* document)
    : CDrawRect(source, document), m_arcStart(source.m_arcStart), m_arcEnd(source.m_arcEnd) {
    m_shape = kShapeEllipse;
}

void CEllipse::Serialize(CArchive& ar) {
    CDrawRect::Serialize(ar);
    if (ar.IsStoring())
        ar << m_arcStart << m_arcEnd;
    else
        ar >> m_arcStart >> m_arcEnd;
}

CDrawObj* CEllipse::Clone(CDrawDoc* document) {
    return new CEllipse(*this, document);
}

void CEllipse::CopyGeometryFrom(const CDrawObj* source) {
    CDrawRect::CopyGeometryFrom(source);
    if (const auto* ellipse = dynamic_cast<const CEllipse*>(source))
        SetArc(ellipse->m_arcStart, ellipse->m_arcEnd);
}

CString CEllipse::GetTipText() const {
    return SizeTipText("Ellipse");
}

// ---------------------------------------------------------------------------------------------
// Handles

int CEllipse::GetHandleCount() const {
    const bool spread = std::abs(double(m_arcStart.x) - m_arcEnd.x) >= kArcHandleSpread ||
                        std::abs(double(m_arcStart.y) - m_arcEnd.y) >= kArcHandleSpread;
    return spread ? 10 : 9;
}

CPoint CEllipse::GetHandle(int n) const {
    if (n != kArcStartHandle && n != kArcEndHandle)
        return CDrawRect::GetHandle(n);
    CPoint handle = n == kArcStartHandle ? m_arcStart : m_arcEnd;
    LocalToDoc(&handle, 1);
    return handle;
}

CursorId CEllipse::GetHandleCursor(int n) const {
    if (n == kArcStartHandle || n == kArcEndHandle)
        return CursorId::SizeAll;
    return CDrawRect::GetHandleCursor(n);
}

BOOL CEllipse::ProjectOntoEllipse(CPoint& point) const {
    const EllipseFrame frame(m_position);
    if (frame.IsDegenerate() || (point.x == frame.cx && point.y == frame.cy))
        return FALSE;
    const double u = (point.x - frame.cx) / frame.a;
    const double v = (point.y - frame.cy) / frame.b;
    const double d = std::sqrt(u * u + v * v);
    if (d < kTiny)
        return FALSE;
    point = CPoint(RoundToLong((point.x - frame.cx) / d + frame.cx),
                   RoundToLong((point.y - frame.cy) / d + frame.cy));
    return TRUE;
}

void CEllipse::MoveHandleTo(int n, CPoint point, IDocView* view) {
    if (n != kArcStartHandle && n != kArcEndHandle) {
        CDrawRect::MoveHandleTo(n, point, view);
        return;
    }
    DocToLocal(&point, 1);
    if (!ProjectOntoEllipse(point))
        return;
    (n == kArcStartHandle ? m_arcStart : m_arcEnd) = point;
    Invalidate(view);
}

// ---------------------------------------------------------------------------------------------
// Moving

// A pure move carries the arc points along; a resize scales them (mirroring included, through
// the signed sizes). A rotated shape puts them back onto the ellipse, which the rounding of
// its frame may have left them beside.
void CEllipse::MoveTo(const CRect& position, IDocView* view) {
    if (position == m_position)
        return;
    const CRect& old = m_position;
    CPoint ends[2] = {m_arcStart, m_arcEnd};
    if (position.Size() == old.Size()) {
        for (CPoint& p : ends)
            p.Offset(WrapSub(position.left, old.left), WrapSub(position.top, old.top));
    } else if (!old.Width() || !old.Height() || !position.Width() || !position.Height()) {
        ends[0] = ends[1] = position.TopLeft();
    } else {
        for (CPoint& p : ends) {
            p = CPoint(ScaleCoordinate(p.x, old.left, old.right, position.left, position.right),
                       ScaleCoordinate(p.y, old.bottom, old.top, position.bottom, position.top));
        }
    }
    Invalidate(view);
    m_position = position;
    SetArc(ends[0], ends[1]);
    if (m_rotation) {
        LocalToDoc(ends, 2);
        MoveHandleTo(kArcStartHandle, ends[0], view);
        MoveHandleTo(kArcEndHandle, ends[1], view);
    }
    Invalidate(view);
}

void CEllipse::OffsetBy(CSize delta) {
    CPoint offset(delta.cx, delta.cy);
    DocToLocal(&offset, 1);
    CDrawRect::OffsetBy(delta);
    m_arcStart.Offset(offset);
    m_arcEnd.Offset(offset);
}

// ---------------------------------------------------------------------------------------------
// Hit tests, snapping and DXF

// The plain object's test (the position's quadrilateral) comes first, not the rectangle
// family's outline test.
BOOL CEllipse::Intersects(const CRect& rect) {
    if (!CDrawObj::Intersects(rect))  // NOLINT(bugprone-parent-virtual-call)
        return FALSE;
    CRect query = rect;
    query.NormalizeRect();
    if (m_flags & kFlagOutlined) {
        const int grow = (GetPen().lopnWidth.x + 1) / 2;
        query.InflateRect(grow, grow);
    }
    const int mode =
        (m_flags & kFlagOpen ? 0 : kEllipseClosed) | (m_flags & kFlagFilled ? kEllipseFilled : 0);
    return EllipseArcMeetsRect(m_arcStart, m_arcEnd, m_position, m_rotation, query, mode);
}

CDrawObj* CEllipse::SnapPoint(CPoint& point, ISnapGrid* grid, double& best) {
    if (!grid)
        return nullptr;
    CPoint candidate = point;
    const double distance = grid->TryEllipse(candidate, this, best);
    return AcceptSnap(point, best, candidate, distance);
}

void CEllipse::ExportDxf(IDxfSink* dxf, int, const double* matrix) {
    if (dxf)
        dxf->DxfWriteEllipse(nullptr, nullptr, m_position, m_rotation, m_arcStart, m_arcEnd,
                             matrix);
}

// ---------------------------------------------------------------------------------------------
// Painting

void CEllipse::PaintShape(CDC* dc, const double* matrix) {
    double storage[kMatrixSize];
    const double* m = ShapeMatrix(matrix, storage);
    if (!m || (std::fabs(m[kMatB]) < kTiny && std::fabs(m[kMatC]) < kTiny))
        PaintAxisAligned(dc, m);
    else
        PaintSampled(dc, m);
}

// GDI draws arcs and chords counter-clockwise whichever way the rectangle runs, so a
// rectangle flipped in one axis (a mirrored shape) exchanges the two points.
void CEllipse::PaintAxisAligned(CDC* dc, const double* m) {
    POINT points[4] = {m_position.TopLeft(), m_position.BottomRight(), m_arcStart, m_arcEnd};
    MatrixTransformPoints(points, 4, m);
    const CRect rect(points[0].x, points[0].y, points[1].x, points[1].y);
    POINT from = points[2];
    POINT to = points[3];
    const bool flipped = (rect.right - rect.left < 0) != (rect.bottom - rect.top < 0);
    if (flipped)
        std::swap(from, to);
    if (!(m_flags & kFlagOpen)) {
        dc->Chord(&rect, from, to);
        return;
    }
    dc->Arc(&rect, from, to);
    const EllipseFrame frame(rect);
    double x = 0;
    double y = 0;
    const LOGPEN pen = GetPen();
    frame.Motion(points[2], x, y);
    DrawArrowAlong(dc, pen, points[2], -x, -y, ArrowKindAt(m_flags, kArrowLowShift));
    frame.Motion(points[3], x, y);
    DrawArrowAlong(dc, pen, points[3], x, y, ArrowKindAt(m_flags, kArrowHighShift));
}

void CEllipse::PaintSampled(CDC* dc, const double* m) {
    const bool open = m_flags & kFlagOpen;
    CRect rect = m_position;
    const LOGPEN& pen = dc->GetCurrentPen()->Log();
    if (!open && (pen.lopnStyle & (PS_DOT | PS_DASHDOTDOT)) && pen.lopnWidth.x > 1 &&
        std::fabs(MatrixDeterminant(m)) > kTiny) {
        LONG hx = 0;
        LONG hy = 0;
        HalfPenInFrame(m, pen.lopnWidth.x, hx, hy);
        ShrinkAxis(rect.left, rect.right, hx);
        ShrinkAxis(rect.top, rect.bottom, hy);
    }
    const EllipseFrame frame(rect);
    if (frame.IsDegenerate()) {
        POINT ends[2] = {m_arcStart, m_arcEnd};
        MatrixTransformPoints(ends, 2, m);
        dc->MoveTo(ends[0]);
        dc->LineTo(ends[1]);
        return;
    }
    int first = 0;
    int last = 3600;
    if (!SamePoint(m_arcStart, m_arcEnd)) {
        first = frame.AngleOf(m_arcStart);
        last = frame.AngleOf(m_arcEnd);
        if (last <= first)
            last += 3600 * ((first - last + 3600) / 3600);
    }
    std::vector<POINT> points;
    points.reserve(kMaxSamples);
    for (int angle = first; angle <= last && points.size() < kMaxSamples; angle += kSampleStep)
        points.push_back(frame.At(angle));
    if (points.size() < kMaxSamples)
        points.push_back(frame.At(last));
    const int count = static_cast<int>(points.size());
    MatrixTransformPoints(points.data(), count, m);
    if (!open) {
        dc->Polygon(points.data(), count);
        return;
    }
    dc->Polyline(points.data(), count);
    // The directions of the outline at its ends, turned by the matrix (without its offset).
    const POINT localEnds[2] = {frame.At(first), frame.At(last)};
    double x[2];
    double y[2];
    frame.Motion(localEnds[0], x[0], y[0]);
    frame.Motion(localEnds[1], x[1], y[1]);
    double linear[kMatrixSize];
    std::copy(m, m + kMatrixSize, linear);
    linear[kMatTx] = linear[kMatTy] = 0;
    MatrixTransformDoubles(x, y, 2, linear);
    const LOGPEN shapePen = GetPen();
    DrawArrowAlong(dc, shapePen, points.front(), -x[0], -y[0],
                   ArrowKindAt(m_flags, kArrowLowShift));
    DrawArrowAlong(dc, shapePen, points.back(), x[1], y[1], ArrowKindAt(m_flags, kArrowHighShift));
}
