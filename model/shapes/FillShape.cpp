#include "model/shapes/FillShape.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/geometry/VectorAngle.h"
#include "model/object/ShapePaintScope.h"
#include "model/shapes/OutlineLoop.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/GdiArchive.h"

IMPLEMENT_SERIAL(CFillShape, CDrawRect, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr double kMaxResizeFactor = 65535;
constexpr double kMinResizeFactor = 0.00001;

// Whether a rounded value keeps within 32 bits (both ends alike).
bool FitsLong(double rounded) {
    return std::fabs(rounded) <= std::numeric_limits<LONG>::max();
}

// A scale times a factor, rounded; nothing when it rounds to 0 or leaves 32 bits.
std::optional<LONG> ScaledBy(LONG scale, double factor) {
    const double scaled = std::floor(scale * factor + 0.5);
    if (std::fabs(scaled) < 1 || !FitsLong(scaled))
        return std::nullopt;
    return static_cast<LONG>(scaled);
}

CPoint RoundedTranslation(const double* matrix) {
    return CPoint(RoundToLong(matrix[kMatTx]), RoundToLong(matrix[kMatTy]));
}

std::vector<CPoint> RunPoints(const PathRecord& record) {
    std::vector<CPoint> points = record.points;
    points.push_back(record.end);
    return points;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and record

CFillShape::CFillShape() {
    m_flags = kFlagPlacementValid;
    m_roundness = CPoint(kUnitScale, kUnitScale);
}

CFillShape::CFillShape(const CRect& position) : CDrawRect(position) {
    m_flags |= kFlagPlacementValid;
    m_roundness = CPoint(kUnitScale, kUnitScale);
}

CFillShape::CFillShape(const CFillShape& source, CDrawDoc* document)
    : CDrawRect(source, document),
      m_blob(source.m_blob),
      m_records(source.m_records),
      m_translation(source.m_translation) {}

void CFillShape::Serialize(CArchive& ar) {
    CDrawRect::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_blob.size());
        if (!m_blob.empty())
            ar.Write(m_blob.data(), static_cast<UINT>(m_blob.size()));
        if (m_flags & kFlagPlacementValid)
            ar << static_cast<const POINT&>(m_translation);
        return;
    }
    LoadPath(ar);
    if (m_flags & kFlagPlacementValid) {
        ar >> static_cast<POINT&>(m_translation);
    } else {
        m_flags |= kFlagPlacementValid;
        m_roundness = CPoint(kUnitScale, kUnitScale);
        m_translation = CPoint(0, 0);
    }
}

// The blob is checked against the bytes left before room is made for it, and its records
// against its size.
void CFillShape::LoadPath(CArchive& ar) {
    DWORD size = 0;
    ar >> size;
    m_blob.clear();
    m_records.clear();
    if (size == 0)
        return;
    ar.CheckRemaining(size);
    std::vector<BYTE> blob(size);
    ar.ReadExact(blob.data(), size);
    std::optional<std::vector<PathRecord>> records = ParseFillPath(blob);
    if (!records)
        throw CArchiveException(CArchiveException::genericException);
    m_blob = std::move(blob);
    m_records = std::move(*records);
}

CDrawObj* CFillShape::Clone(CDrawDoc* document) {
    return new CFillShape(*this, document);
}

void CFillShape::CopyGeometryFrom(const CDrawObj* source) {
    CDrawRect::CopyGeometryFrom(source);
    if (const auto* shape = dynamic_cast<const CFillShape*>(source))
        m_translation = shape->m_translation;
}

int CFillShape::GetObjType() const {
    return kObjFillShape;
}

void CFillShape::ExportDxf(IDxfSink*, int, const double*) {}

// ---------------------------------------------------------------------------------------------
// Placement

void CFillShape::GetPlacement(double* out) const {
    const double angle = m_rotation * kRadiansPerTenthDegree;
    const double sx = m_roundness.x / double(kUnitScale);
    const double sy = m_roundness.y / double(kUnitScale);
    const double placement[kMatrixSize] = {std::cos(angle) * sx,    -std::sin(angle) * sy,
                                           double(m_translation.x), std::sin(angle) * sx,
                                           std::cos(angle) * sy,    double(m_translation.y)};
    std::copy_n(placement, kMatrixSize, out);
}

void CFillShape::LocalToDoc(CPoint* points, int count) const {
    double placement[kMatrixSize];
    GetPlacement(placement);
    MatrixTransformPoints(points, count, placement);
}

void CFillShape::DocToLocal(CPoint* points, int count) const {
    double placement[kMatrixSize];
    GetPlacement(placement);
    MatrixInverseTransformPoints(points, count, placement);
}

void CFillShape::OffsetBy(CSize delta) {
    Invalidate(nullptr);
    m_translation += delta;
    Invalidate(nullptr);
}

// The resize S = [kx, 0, new left - old left kx; 0, ky, new top - old top ky] maps the old
// rectangle onto the new one in path coordinates; the placement becomes the old one after S.
void CFillShape::MoveTo(const CRect& position, IDocView* view) {
    const CRect& old = m_position;
    const double oldWidth = double(old.right) - old.left;
    const double oldHeight = double(old.bottom) - old.top;
    if (oldWidth == 0 || oldHeight == 0)
        return;
    const double kx = std::clamp((double(position.right) - position.left) / oldWidth,
                                 -kMaxResizeFactor, kMaxResizeFactor);
    const double ky = std::clamp((double(position.bottom) - position.top) / oldHeight,
                                 -kMaxResizeFactor, kMaxResizeFactor);
    if (std::fabs(kx) <= kMinResizeFactor || std::fabs(ky) <= kMinResizeFactor)
        return;
    const std::optional<LONG> scaleX = ScaledBy(m_roundness.x, kx);
    const std::optional<LONG> scaleY = ScaledBy(m_roundness.y, ky);
    if (!scaleX || !scaleY)
        return;
    const double resize[kMatrixSize] = {kx, 0,  position.left - old.left * kx,
                                        0,  ky, position.top - old.top * ky};
    double placement[kMatrixSize];
    GetPlacement(placement);
    MatrixMultiply(placement, placement, resize);
    if (!FitsLong(std::floor(placement[kMatTx] + 0.5)) ||
        !FitsLong(std::floor(placement[kMatTy] + 0.5)))
        return;
    Invalidate(view);
    m_translation = RoundedTranslation(placement);
    m_roundness = CPoint(*scaleX, *scaleY);
    m_flags |= kFlagPlacementValid;
    Invalidate(view);
}

void CFillShape::Rotate(int angle, int centreX, int centreY, IDocView* view) {
    double turn[kMatrixSize];
    MatrixSetRotation(angle, turn);
    turn[kMatTx] = centreX - (turn[kMatA] * centreX + turn[kMatB] * centreY);
    turn[kMatTy] = centreY - (turn[kMatC] * centreX + turn[kMatD] * centreY);
    double placement[kMatrixSize];
    GetPlacement(placement);
    MatrixMultiply(placement, turn, placement);
    Invalidate(view);
    m_rotation = NormalizedAngle(NormalizedAngle(m_rotation) + NormalizedAngle(angle));
    m_translation = RoundedTranslation(placement);
    Invalidate(view);
}

// A reflection about a line at angle phi turns the placement's rotation into 2 phi - rotation
// with the y scale negated, and moves the translation to its mirror image.
void CFillShape::Mirror(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2)
        return;
    double reflection[kMatrixSize];
    MakeMirrorMatrix(x1, y1, x2, y2, reflection);
    double x = m_translation.x;
    double y = m_translation.y;
    MatrixTransformDoubles(&x, &y, 1, reflection);
    const int phi = AngleFromVector(double(y2) - y1, double(x2) - x1);
    Invalidate(nullptr);
    m_rotation = NormalizedAngle(2 * phi - NormalizedAngle(m_rotation));
    m_roundness.y = WrapSub(0, m_roundness.y);
    m_translation = CPoint(RoundToLong(x), RoundToLong(y));
    Invalidate(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Path

BOOL CFillShape::BuildFromOutline(const CObList& pieces) {
    std::optional<std::vector<PathRecord>> records = BuildOutlineLoop(pieces);
    if (!records)
        return FALSE;
    m_blob = MakeFillPath(*records);
    m_records = std::move(*records);
    return TRUE;
}

BOOL CFillShape::RecalcBounds(IDocView* view) {
    CRect bounds(0, 0, 0, 0);
    if (!m_records.empty()) {
        std::vector<CPoint> points = {m_records.front().end};
        WalkFillPath(m_records, [&](const PathRecord& record, const CPoint& from) {
            if (record.type == PathPieceType::Arc) {
                const std::vector<CPoint> arc =
                    ArcToPoints(from, record.end, record.ellipse, record.arc);
                points.insert(points.end(), arc.begin(), arc.end());
            }
            points.insert(points.end(), record.points.begin(), record.points.end());
            points.push_back(record.end);
        });
        PointsBoundingRect(points.data(), static_cast<int>(points.size()), bounds);
    }
    return ReplacePosition(bounds, view);
}

// ---------------------------------------------------------------------------------------------
// Hit tests and painting

// The bounding box of the mapped rectangle decides most queries; the rest ask whether the
// mapped quadrilateral meets the query.
BOOL CFillShape::Intersects(const CRect& rect) {
    const CRect query = NormalizedRect(rect);
    CPoint corners[4];
    const BoxMeeting meeting = MeetMappedBox(query, corners);
    if (meeting != BoxMeeting::kOverlap)
        return meeting == BoxMeeting::kAround;
    return PolygonMeetsRect(corners, 4, query, TRUE);
}

void CFillShape::Draw(CDC* dc, const double* matrix) {
    if (m_records.empty())
        return;
    const ShapePaintScope scope(dc, *this);
    if (!scope.IsReady())
        return;
    dc->BeginPath();
    PaintPath(dc, matrix);
    dc->EndPath();
    dc->StrokeAndFillPath();
}

void CFillShape::DrawTracker(CDC* dc, int state, const double* matrix) {
    if (!m_records.empty()) {
        CPen dotted;
        dotted.CreatePen(PS_DOT, 0, RGB(0, 0, 0));
        CPen* oldPen = dc->SelectObject(&dotted);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        PaintPath(dc, matrix);
        dc->SelectObject(oldBrush);
        dc->SelectObject(oldPen);
    }
    CDrawObj::DrawTracker(dc, state, nullptr);  // NOLINT(bugprone-parent-virtual-call)
}

void CFillShape::PaintPath(CDC* dc, const double* matrix) const {
    double m[kMatrixSize];
    GetPlacement(m);
    if (matrix)
        MatrixMultiply(m, matrix, m);
    const auto mapped = [&m](std::vector<CPoint> points) {
        MatrixTransformPoints(points.data(), static_cast<int>(points.size()), m);
        return points;
    };
    dc->MoveTo(mapped({m_records.front().end})[0]);
    WalkFillPath(m_records, [&](const PathRecord& record, const CPoint& from) {
        switch (record.type) {
            case PathPieceType::Line:
                dc->LineTo(mapped({record.end})[0]);
                break;
            case PathPieceType::Bezier: {
                const std::vector<CPoint> points = mapped(RunPoints(record));
                dc->PolyBezierTo(points.data(), static_cast<int>(points.size()));
                break;
            }
            case PathPieceType::Polyline: {
                const std::vector<CPoint> points = mapped(RunPoints(record));
                dc->PolylineTo(points.data(), static_cast<int>(points.size()));
                break;
            }
            case PathPieceType::Arc: {
                const std::vector<CPoint> points =
                    mapped(ArcToPoints(from, record.end, record.ellipse, record.arc));
                dc->PolylineTo(points.data(), static_cast<int>(points.size()));
                break;
            }
        }
    });
}
