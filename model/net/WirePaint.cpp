// Painting a wire: the highlight underlay, the line, and at each end a junction dot (on a
// wire), a bus entry (on a bus) or the arrow head.

#include <cmath>
#include <cstdint>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/Bus.h"
#include "model/object/ShapePaintScope.h"
#include "model/shapes/ArrowHead.h"
#include "model/shapes/DrawRect.h"

namespace {

constexpr LONG kUnderlayWidth = 25;
constexpr LONG kJunctionRadius = 25;
// A bus entry starts this far beyond the bus edge and runs this far towards and along it.
constexpr std::int64_t kEntryLength = 40;

struct Vec {
    std::int64_t x;
    std::int64_t y;
};

std::int64_t Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}

// The direction of the bus segment nearest to the point, against the bus's flow when it is
// reversed.
// What a wire end lies on, told by the object's type: every end of every wire asks at each
// paint, where a cast that fails costs more than drawing the end.
const CBus* BusAt(const CDrawObj* end) {
    return end && end->GetObjType() == kObjBus ? static_cast<const CBus*>(end) : nullptr;
}

bool IsWireOrBus(const CDrawObj* end) {
    return end && (end->GetObjType() == kObjWire || end->GetObjType() == kObjBus);
}

Vec BusDirection(const CBus& bus, const CPoint& point) {
    const CPoint* points = bus.GetPoints();
    Vec best{0, 0};
    double nearest = -1;
    for (int i = 0; i + 1 < bus.GetPointCount(); ++i) {
        const double distance = SquaredDistanceToSegment(point, points[i], points[i + 1]);
        if (nearest < 0 || distance < nearest) {
            nearest = distance;
            best = {std::int64_t{points[i + 1].x} - points[i].x,
                    std::int64_t{points[i + 1].y} - points[i].y};
        }
    }
    if (bus.GetFlags() & kBusReverseFlow)
        best = {-best.x, -best.y};
    return best;
}

LOGPEN MarkPen(DWORD flags) {
    const CSchematicApp* app = GetApp();
    const COLORREF colour = !app                      ? COLORREF{0}
                            : (flags & kFlagDrcError) ? app->DRCErrorColour
                                                      : app->HighlightColour;
    return LOGPEN{PS_SOLID, {kUnderlayWidth, 0}, colour};
}

}  // namespace

std::vector<POINT> BusEntryPoints(const CPoint& q, const CPoint& p, const CBus& bus) {
    const Vec b = BusDirection(bus, p);
    const Vec d{std::int64_t{q.x} - p.x, std::int64_t{q.y} - p.y};
    const std::int64_t length2 = Dot(b, b);
    const std::int64_t cross = d.x * b.y - d.y * b.x;
    const Vec n = length2 ? Vec{b.y * cross / length2, -b.x * cross / length2} : Vec{0, 0};
    const auto L = static_cast<std::int64_t>(
        std::floor(std::sqrt(double(n.x) * double(n.x) + double(n.y) * double(n.y)) + 0.5));
    if (length2 == 0 || L == 0)
        return {q, p};
    const std::int64_t reach = bus.GetWidth() / 2 + kEntryLength;
    const Vec o{reach * n.x / L, reach * n.y / L};
    const std::int64_t od = Dot(o, d);
    if (od == 0)
        return {q, p};
    const std::int64_t oo = Dot(o, o);
    const CPoint x(static_cast<LONG>(p.x + d.x * oo / od), static_cast<LONG>(p.y + d.y * oo / od));
    const Vec rot{-n.y, n.x};
    const std::int64_t s = Dot(rot, b) < 0 ? -1 : 1;
    const CPoint tip(
        static_cast<LONG>(x.x - kEntryLength * n.x / L + s * (kEntryLength * rot.x / L)),
        static_cast<LONG>(x.y - kEntryLength * n.y / L + s * (kEntryLength * rot.y / L)));
    return {q, x, tip};
}

void CWire::Draw(CDC* dc, const double* matrix) {
    if (!dc || m_count == 0)
        return;
    std::vector<POINT> points(m_points.begin(), m_points.begin() + m_count);
    MatrixTransformPoints(points.data(), m_count, matrix);
    if (const DWORD marks = PaintedMarks(dc)) {
        const ShapePaintScope underlay(dc, MarkPen(marks), LOGBRUSH{BS_NULL, 0, 0});
        dc->Polyline(points.data(), m_count);
    }
    const LOGPEN pen = GetPen();
    const ShapePaintScope scope(dc, pen, LOGBRUSH{BS_SOLID, pen.lopnColor, 0});
    const int first = BusAt(m_start) ? 1 : 0;
    const int last = BusAt(m_end) ? m_count - 2 : m_count - 1;
    if (last > first)
        dc->Polyline(points.data() + first, last - first + 1);
    if (m_count >= 2) {
        PaintEnd(dc, matrix, false);
        PaintEnd(dc, matrix, true);
    }
}

// A wire with both ends on buses enters each from its middle.
std::vector<POINT> CWire::BusEntryAt(bool atEnd) const {
    const CBus* bus = BusAt(atEnd ? m_end : m_start);
    if (!bus)
        return {};
    const CPoint p = GetPointFromEnd(atEnd ? 1 : 0, 0);
    CPoint q = GetPointFromEnd(atEnd ? 1 : 0, 1);
    if (m_count < 3 && BusAt(atEnd ? m_start : m_end))
        q = CPoint((p.x + q.x) / 2, (p.y + q.y) / 2);
    return BusEntryPoints(q, p, *bus);
}

void CWire::PaintEnd(CDC* dc, const double* matrix, bool atEnd) {
    CDrawObj* target = atEnd ? m_end : m_start;
    CPoint p = GetPointFromEnd(atEnd ? 1 : 0, 0);
    if (std::vector<POINT> entry = BusEntryAt(atEnd); !entry.empty()) {
        MatrixTransformPoints(entry.data(), static_cast<int>(entry.size()), matrix);
        dc->Polyline(entry.data(), static_cast<int>(entry.size()));
        return;
    }
    POINT tip = p;
    MatrixTransformPoints(&tip, 1, matrix);
    if (IsWireOrBus(target)) {
        dc->Ellipse(tip.x - kJunctionRadius, tip.y - kJunctionRadius, tip.x + kJunctionRadius,
                    tip.y + kJunctionRadius);
        return;
    }
    POINT from = GetPointFromEnd(atEnd ? 1 : 0, 1);
    MatrixTransformPoints(&from, 1, matrix);
    DrawArrowHeadFrom(dc, GetPen(), tip.x, tip.y, from.x, from.y,
                      ArrowKindAt(m_flags, atEnd ? kArrowHighShift : kArrowLowShift));
}
