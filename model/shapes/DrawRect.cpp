#include "model/shapes/DrawRect.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/app/SchematicApp.h"
#include "model/doc/DocView.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/geometry/PointTransforms.h"
#include "model/geometry/VectorAngle.h"
#include "model/object/DxfSink.h"
#include "model/object/ShapePaintScope.h"
#include "model/object/SnapGrid.h"
#include "model/shapes/ArrowHead.h"
#include "model/shapes/Ellipse.h"
#include "model/shapes/TransformedShapes.h"
#include "platform/Archive.h"
#include "platform/GdiArchive.h"

IMPLEMENT_SERIAL(CDrawRect, CDrawObj, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kRoundnessHandle = 9;
constexpr int kLineEndHandle = 2;
constexpr int kBaseEndHandle = 5;
constexpr int kFullTurn = 3600;
constexpr int kHalfTurn = 1800;
constexpr size_t kMaxTipLength = 259;
constexpr int kDxfShapesKind = 2;

// Closed rectangles: touching counts as meeting.
bool Meet(const CRect& a, const CRect& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool StrictlyInside(const CRect& inner, const CRect& outer) {
    return inner.left > outer.left && inner.right < outer.right && inner.top > outer.top &&
           inner.bottom < outer.bottom;
}

bool AnySideMeets(const CRect& query, const CPoint* corners) {
    for (int i = 0; i < 4; ++i) {
        const CPoint& a = corners[i];
        const CPoint& b = corners[(i + 1) % 4];
        if (SegmentMeetsRect(query, a.x, a.y, b.x, b.y))
            return true;
    }
    return false;
}

// A line's end points through the matrix, with its arrow heads: filled heads (kinds 2 and 3)
// pull the line back by max(40, 3 x pen width) so that it does not poke through them.
struct ArrowedLine {
    ArrowedLine(const CRect& position, DWORD flags, int penWidth, const double* matrix) {
        POINT ends[2] = {{position.left, position.top}, {position.right, position.bottom}};
        MatrixTransformPoints(ends, 2, matrix);
        startTip = start = ends[0];
        endTip = end = ends[1];
        UnitVector(start.x, start.y, end.x, end.y, ux, uy);
        const int pullBack = std::max(40, 3 * penWidth);
        const CSize pull(RoundToLong(pullBack * ux), RoundToLong(pullBack * uy));
        endKind = ArrowKindAt(flags, kArrowLowShift);
        if (endKind > 1)
            end += CSize(RoundToLong(-pullBack * ux), RoundToLong(-pullBack * uy));
        startKind = ArrowKindAt(flags, kArrowHighShift);
        if (startKind > 1)
            start += pull;
    }

    CPoint startTip;
    CPoint endTip;
    CPoint start;
    CPoint end;
    double ux = 1;
    double uy = 0;
    int startKind = 0;
    int endKind = 0;
};

struct Units {
    double divisor;
    const char* name;
};

Units TipUnits() {
    const CSchematicApp* app = GetApp();
    if (app && (app->Options & kOptionMetric))
        return {393.701, "cm"};
    return {1000.0, "inches"};
}

CString CutToTipLength(CString text) {
    if (text.GetLength() > static_cast<int>(kMaxTipLength))
        return text.Left(static_cast<int>(kMaxTipLength));
    return text;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and record

CDrawRect::CDrawRect() = default;

CDrawRect::CDrawRect(const CRect& position) : CDrawObj(position) {}

CDrawRect::CDrawRect(const CDrawRect& source, CDrawDoc* document)
    : CDrawObj(source, document),
      m_shape(source.m_shape),
      m_roundness(source.m_roundness),
      m_rotation(source.m_rotation) {}

void CDrawRect::Serialize(CArchive& ar) {
    CDrawObj::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_shape) << m_roundness << m_rotation;
        return;
    }
    WORD shape = 0;
    ar >> shape >> m_roundness >> m_rotation;
    m_shape = shape;
    m_rotation %= kFullTurn;  // whole turns change nothing, and negating stays in range
}

CDrawObj* CDrawRect::Clone(CDrawDoc* document) {
    return new CDrawRect(*this, document);
}

CDrawObj* CDrawRect::Duplicate() {
    return Clone(nullptr);
}

void CDrawRect::CopyGeometryFrom(const CDrawObj* source) {
    CDrawObj::CopyGeometryFrom(source);
    if (const auto* rect = dynamic_cast<const CDrawRect*>(source)) {
        m_roundness = rect->m_roundness;
        m_rotation = rect->m_rotation;
    }
}

int CDrawRect::BehaviourShape() const {
    const CRuntimeClass* runtimeClass = GetRuntimeClass();
    if (runtimeClass == RUNTIME_CLASS(CDrawRect) || runtimeClass == RUNTIME_CLASS(CEllipse))
        return m_shape;
    return kShapeRect;
}

// ---------------------------------------------------------------------------------------------
// Tips

CString CDrawRect::GetTipText() const {
    switch (BehaviourShape()) {
        case kShapeRect:
            return SizeTipText("Rectangle");
        case kShapeRoundRect:
            return SizeTipText("Rounded Rectangle");
        case kShapeLine:
            return LineTipText();
        default:
            return {};
    }
}

CString CDrawRect::SizeTipText(const char* title) const {
    const Units units = TipUnits();
    const CRect r = NormalizedRect(m_position);
    CString text;
    text.Format("%s\nWidth    : %g %s\nHeight   : %g %s\nRotation : %g \xBA", title,
                r.Width() / units.divisor, units.name, r.Height() / units.divisor, units.name,
                m_rotation * 0.1);
    return CutToTipLength(text);
}

// Sheet y grows upward, so the tip shows the negated y; the integer is negated first so
// that 0 does not come out as "-0".
CString CDrawRect::LineTipText() const {
    const Units units = TipUnits();
    const CRect r = NormalizedRect(m_position);
    const double w = r.Width() / units.divisor;
    const double h = r.Height() / units.divisor;
    const auto negated = [](LONG v) { return double(WrapSub(0, v)); };
    CString text;
    text.Format("Line\nStart  : %g, %g %s\nEnd    : %g, %g %s\nLength : %g %s",
                m_position.left / units.divisor, negated(m_position.top) / units.divisor,
                units.name, m_position.right / units.divisor,
                negated(m_position.bottom) / units.divisor, units.name, std::sqrt(w * w + h * h),
                units.name);
    return CutToTipLength(text);
}

// ---------------------------------------------------------------------------------------------
// Frame and handles

int CDrawRect::GetObjType() const {
    return m_shape;
}

void CDrawRect::LocalToDoc(CPoint* points, int count) const {
    if (m_rotation)
        RotatePoints(points, count, m_rotation);
}

void CDrawRect::DocToLocal(CPoint* points, int count) const {
    if (m_rotation)
        RotatePoints(points, count, -m_rotation);
}

int CDrawRect::GetHandleCount() const {
    switch (BehaviourShape()) {
        case kShapeRoundRect:
            return 9;
        case kShapeLine:
            return 2;
        default:
            return 8;
    }
}

CPoint CDrawRect::GetHandle(int n) const {
    const int shape = BehaviourShape();
    if (shape == kShapeLine && n == kLineEndHandle)
        return CDrawObj::GetHandle(kBaseEndHandle);
    if (shape == kShapeRoundRect && n == kRoundnessHandle) {
        const CRect r = NormalizedRect(m_position);
        CPoint handle(WrapSub(r.right, m_roundness.x / 2), WrapSub(r.bottom, m_roundness.y / 2));
        LocalToDoc(&handle, 1);
        return handle;
    }
    return CDrawObj::GetHandle(n);
}

CursorId CDrawRect::GetHandleCursor(int n) const {
    const int shape = BehaviourShape();
    if (shape == kShapeLine && n == kLineEndHandle)
        return CDrawObj::GetHandleCursor(kBaseEndHandle);
    if (shape == kShapeRoundRect && n == kRoundnessHandle)
        return CursorId::SizeAll;
    return CDrawObj::GetHandleCursor(n);
}

void CDrawRect::MoveHandleTo(int n, CPoint point, IDocView* view) {
    const int shape = BehaviourShape();
    if (shape == kShapeLine && n == kLineEndHandle)
        CDrawObj::MoveHandleTo(kBaseEndHandle, point, view);
    else if (shape == kShapeRoundRect && n == kRoundnessHandle)
        MoveRoundnessHandle(point, view);
    else
        CDrawObj::MoveHandleTo(n, point, view);
}

void CDrawRect::MoveRoundnessHandle(CPoint point, IDocView* view) {
    DocToLocal(&point, 1);
    const CRect r = NormalizedRect(m_position);
    const std::int64_t midX = r.left + (std::int64_t{r.right} - r.left) / 2;
    const std::int64_t midY = r.top + (std::int64_t{r.bottom} - r.top) / 2;
    const std::int64_t x =
        std::min(std::max<std::int64_t>(point.x, midX), std::int64_t{r.right} - 1);
    const std::int64_t y =
        std::min(std::max<std::int64_t>(point.y, midY), std::int64_t{r.bottom} - 1);
    m_roundness =
        CPoint(static_cast<LONG>(2 * (r.right - x)), static_cast<LONG>(2 * (r.bottom - y)));
    Invalidate(view);
}

void CDrawRect::GetBoundingRect(CRect& rect) const {
    const CRect& r = m_position;
    CPoint corners[] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    LocalToDoc(corners, 4);
    PointsBoundingRect(corners, 4, rect);
    const LOGPEN pen = GetPen();
    const int width = pen.lopnWidth.x;
    const int shape = BehaviourShape();
    if (shape == kShapeLine) {
        const int grow = std::max(16, 6 * width / 5);
        rect.InflateRect(grow, grow);
    } else if (shape == kShapeEllipse) {
        const int grow = std::max(40, 3 * width);
        rect.InflateRect(grow, grow);
    }
    if ((pen.lopnStyle & 0xF) != PS_INSIDEFRAME) {
        const int grow = width / 2 + 1;
        rect.InflateRect(grow, grow);
    }
}

// ---------------------------------------------------------------------------------------------
// Rotating and mirroring

BOOL CDrawRect::CanRotate() const {
    return TRUE;
}

void CDrawRect::Rotate(int angle, int centreX, int centreY, IDocView* view) {
    Invalidate(view);
    if (BehaviourShape() == kShapeLine) {
        POINT ends[2] = {{m_position.left, m_position.top}, {m_position.right, m_position.bottom}};
        RotatePointsAbout(ends, 2, angle, centreX, centreY);
        m_position = CRect(ends[0], ends[1]);
        Invalidate(view);
        return;
    }
    angle = NormalizedAngle(angle);
    CPoint corners[2] = {m_position.TopLeft(), m_position.BottomRight()};
    LocalToDoc(corners, 2);
    RotatePointsAbout(corners, 2, angle, centreX, centreY);
    m_rotation = (m_rotation % kFullTurn + angle) % kFullTurn;
    DocToLocal(corners, 2);
    MoveTo(CRect(corners[0], corners[1]), view);
}

void CDrawRect::Mirror(int x1, int y1, int x2, int y2) {
    Invalidate(nullptr);
    if (BehaviourShape() == kShapeLine) {
        POINT ends[2] = {{m_position.left, m_position.top}, {m_position.right, m_position.bottom}};
        MirrorPoints(ends, 2, x1, y1, x2, y2);
        m_position = CRect(ends[0], ends[1]);
        Invalidate(nullptr);
        return;
    }
    // The reflected bottom edge, from the third corner to the second, gives the new rotation.
    CPoint corners[3] = {m_position.TopLeft(), m_position.BottomRight(),
                         CPoint(m_position.left, m_position.bottom)};
    LocalToDoc(corners, 3);
    MirrorPoints(corners, 3, x1, y1, x2, y2);
    m_rotation =
        AngleFromVector(double(corners[1].y) - corners[2].y, double(corners[1].x) - corners[2].x) %
        kHalfTurn;
    DocToLocal(corners, 2);
    MoveTo(CRect(corners[0], corners[1]), nullptr);
    Invalidate(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Hit tests and snapping

BOOL CDrawRect::Intersects(const CRect& rect) {
    const CRect query = NormalizedRect(rect);
    const int shape = BehaviourShape();
    const int width = GetPen().lopnWidth.x;
    const CRect& r = m_position;
    CPoint corners[4] = {
        {r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    LocalToDoc(corners, 4);

    CRect box = NormalizedRect(r);
    if (m_rotation)
        PointsBoundingRect(corners, 4, box);
    if (m_flags & kFlagOutlined)
        box.InflateRect(width / 2, width / 2);
    box.InflateRect(1, 1);
    if (!Meet(box, query))
        return FALSE;
    if (StrictlyInside(box, query))
        return TRUE;

    const bool panel = shape == kShapeRect || shape == kShapeRoundRect;
    if ((m_flags & kFlagFilled) && panel) {
        if (!m_rotation || query.PtInRect(corners[0]) ||
            PtInPolygon(corners, 4, query.left, query.top, nullptr) || AnySideMeets(query, corners))
            return TRUE;
        if (width < 2)
            return FALSE;
    }
    return OutlineIntersects(query, corners);
}

CDrawRect::BoxMeeting CDrawRect::MeetMappedBox(const CRect& query, CPoint (&corners)[4]) const {
    const CRect& r = m_position;
    corners[0] = r.TopLeft();
    corners[1] = CPoint(r.right, r.top);
    corners[2] = r.BottomRight();
    corners[3] = CPoint(r.left, r.bottom);
    LocalToDoc(corners, 4);
    CRect box;
    PointsBoundingRect(corners, 4, box);
    if (m_flags & kFlagOutlined) {
        const int half = GetPen().lopnWidth.x / 2;
        box.InflateRect(half, half);
    }
    box.InflateRect(1, 1);
    CRect common;
    if (!common.IntersectRect(box, query))
        return BoxMeeting::kApart;
    return StrictlyInside(box, query) ? BoxMeeting::kAround : BoxMeeting::kOverlap;
}

BOOL CDrawRect::OutlineIntersects(const CRect& query, const CPoint* corners) const {
    if (!(m_flags & kFlagOutlined))
        return FALSE;
    const int grow = (GetPen().lopnWidth.x + 1) / 2;
    CRect wide = query;
    wide.InflateRect(grow, grow);
    switch (BehaviourShape()) {
        case kShapeRect:
        case kShapeRoundRect:
            return wide.PtInRect(corners[0]) || AnySideMeets(wide, corners);
        case kShapeLine:
            return SegmentMeetsRect(wide, corners[0].x, corners[0].y, corners[2].x, corners[2].y);
        default:
            return FALSE;
    }
}

CDrawObj* CDrawRect::SnapPoint(CPoint& point, ISnapGrid* grid, double& best) {
    if (BehaviourShape() != kShapeLine)
        return CDrawObj::SnapPoint(point, grid, best);
    if (!grid)
        return nullptr;
    CPoint candidate = point;
    const double distance = grid->TrySegment(candidate, m_position.left, m_position.top,
                                             m_position.right, m_position.bottom, best);
    return AcceptSnap(point, best, candidate, distance);
}

// ---------------------------------------------------------------------------------------------
// Painting

const double* CDrawRect::ShapeMatrix(const double* placement, double* storage) const {
    if (!m_rotation)
        return placement;
    MatrixSetRotation(m_rotation, storage);
    if (placement)
        MatrixMultiply(storage, placement, storage);
    return storage;
}

void CDrawRect::Draw(CDC* dc, const double* matrix) {
    const ShapePaintScope scope(dc, *this);
    if (scope.IsReady())
        PaintShape(dc, matrix);
}

void CDrawRect::DrawTracker(CDC* dc, int state, const double* matrix) {
    {
        const ShapePaintScope scope(dc, state);
        PaintShape(dc, matrix);
    }
    CDrawObj::DrawTracker(dc, state, nullptr);
}

void CDrawRect::PaintShape(CDC* dc, const double* matrix) {
    double storage[kMatrixSize];
    const double* m = ShapeMatrix(matrix, storage);
    switch (BehaviourShape()) {
        case kShapeRect:
            if (m)
                DrawTransformedRect(dc, m_position, m);
            else
                dc->Rectangle(&m_position);
            break;
        case kShapeRoundRect:
            if (m)
                DrawTransformedRoundRect(dc, m_position, m_roundness.x, m_roundness.y, m);
            else
                dc->RoundRect(&m_position, m_roundness);
            break;
        case kShapeLine:
            PaintLine(dc, m);
            break;
        default:
            break;
    }
}

void CDrawRect::PaintLine(CDC* dc, const double* matrix) {
    const LOGPEN pen = GetPen();
    const ArrowedLine line(m_position, m_flags, pen.lopnWidth.x, matrix);
    DrawArrowHead(dc, pen, line.endTip.x, line.endTip.y, line.ux, line.uy, line.endKind);
    DrawArrowHead(dc, pen, line.startTip.x, line.startTip.y, -line.ux, -line.uy, line.startKind);
    dc->MoveTo(line.start);
    dc->LineTo(line.end);
}

// ---------------------------------------------------------------------------------------------
// DXF

void CDrawRect::ExportDxf(IDxfSink* dxf, int kind, const double* matrix) {
    const int shape = BehaviourShape();
    if (!dxf || kind != kDxfShapesKind || (!(m_flags & kFlagOutlined) && shape != kShapeLine))
        return;
    const LOGPEN pen = GetPen();
    const LOGBRUSH brush = GetBrush();
    switch (shape) {
        case kShapeRect:
            dxf->DxfWriteLwPolyline(&pen, &brush, m_position, m_rotation, matrix);
            break;
        case kShapeRoundRect:
            dxf->DxfWrite3DFace(&pen, &brush, m_position, CSize(m_roundness.x, m_roundness.y),
                                m_rotation, matrix);
            break;
        case kShapeLine:
            ExportLine(dxf, matrix);
            break;
        default:
            break;
    }
}

void CDrawRect::ExportLine(IDxfSink* dxf, const double* matrix) {
    const LOGPEN pen = GetPen();
    const ArrowedLine line(m_position, m_flags, pen.lopnWidth.x, matrix);
    const float ux = static_cast<float>(line.ux);
    const float uy = static_cast<float>(line.uy);
    if (line.endKind)
        dxf->DxfWriteArrowHead(&pen, line.endTip, ux, uy, line.endKind);
    if (line.startKind)
        dxf->DxfWriteArrowHead(&pen, line.startTip, -ux, -uy, line.startKind);
    dxf->DxfWriteLine(&pen, line.start.x, line.start.y, line.end.x, line.end.y, nullptr);
}
