#include "model/shapes/EllipseHitTest.h"

#include <cmath>
#include <initializer_list>

#include "model/geometry/PlaneGeometry.h"
#include "model/geometry/PointTransforms.h"
#include "platform/Geometry.h"

namespace {

// The ellipse becomes the circle of this radius about the origin.
constexpr double kRadius = 1000;

// Maps points of the ellipse's frame onto the frame where the ellipse is the circle.
class CircleFrame {
public:
    explicit CircleFrame(const RECT& rect) {
        const double rx = std::trunc((double(rect.right) - rect.left) / 2);
        const double ry = std::trunc((double(rect.bottom) - rect.top) / 2);
        m_rx = rx != 0 ? rx : 1;
        m_ry = ry != 0 ? ry : 1;
        m_cx = (double(rect.left) + rect.right) / 2;
        m_cy = (double(rect.top) + rect.bottom) / 2;
    }

    POINT Map(POINT p) const {
        return POINT{RoundToLong((p.x - m_cx) * kRadius / m_rx),
                     RoundToLong((p.y - m_cy) * kRadius / m_ry)};
    }

private:
    double m_rx;
    double m_ry;
    double m_cx;
    double m_cy;
};

class ArcSide {
public:
    ArcSide(POINT start, POINT end) : m_start(start), m_end(end) {}

    bool IsFull() const { return m_start.x == m_end.x && m_start.y == m_end.y; }

    // Whether a point of the circle lies on the arc: anywhere on a full circle, else on the
    // arc's side of the chord.
    bool Holds(double x, double y) const {
        if (IsFull())
            return true;
        const double ax = double(m_start.x) - m_end.x;
        const double ay = double(m_start.y) - m_end.y;
        return ax * (y - m_end.y) - ay * (x - m_end.x) > 0;
    }

    bool ChordCrosses(POINT a, POINT b) const {
        return !IsFull() &&
               SegmentsIntersect(m_start.x, m_start.y, m_end.x, m_end.y, a.x, a.y, b.x, b.y);
    }

private:
    POINT m_start;
    POINT m_end;
};

// Whether the segment a-b meets the circle at a point the arc holds.
bool SideMeetsArc(POINT a, POINT b, const ArcSide& arc) {
    const double dx = double(b.x) - a.x;
    const double dy = double(b.y) - a.y;
    const double qa = dx * dx + dy * dy;
    if (qa == 0)
        return false;
    const double qb = 2 * (a.x * dx + a.y * dy);
    const double qc = double(a.x) * a.x + double(a.y) * a.y - kRadius * kRadius;
    const double discriminant = qb * qb - 4 * qa * qc;
    if (discriminant < 0)
        return false;
    const double root = std::sqrt(discriminant);
    for (const double t : {(-qb - root) / (2 * qa), (-qb + root) / (2 * qa)}) {
        if (t >= 0 && t <= 1 && arc.Holds(a.x + t * dx, a.y + t * dy))
            return true;
    }
    return false;
}

}  // namespace

BOOL EllipseArcMeetsRect(POINT arcStart, POINT arcEnd, const RECT& ellipseRect, int rotation,
                         const RECT& query, int mode) {
    rotation %= 3600;
    // The arc points of a whole ellipse lie at its rectangle's corner, off the outline.
    const bool full = arcStart.x == arcEnd.x && arcStart.y == arcEnd.y;
    POINT start = arcStart;
    RotatePoints(&start, 1, rotation);
    if (!full && CRect(query).PtInRect(start))
        return TRUE;

    // The query's corners go into the ellipse's frame; the arc points are already there.
    POINT corners[4] = {{query.left, query.top},
                        {query.right, query.top},
                        {query.right, query.bottom},
                        {query.left, query.bottom}};
    RotatePoints(corners, 4, -rotation);
    const CircleFrame frame(ellipseRect);
    for (POINT& corner : corners)
        corner = frame.Map(corner);
    const ArcSide arc(frame.Map(arcStart), frame.Map(arcEnd));

    for (int i = 0; i < 4; ++i) {
        const POINT a = corners[i];
        const POINT b = corners[(i + 1) % 4];
        if ((mode & kEllipseClosed) && arc.ChordCrosses(a, b))
            return TRUE;
        if (SideMeetsArc(a, b, arc))
            return TRUE;
    }
    const double x = corners[0].x;
    const double y = corners[0].y;
    return (mode & kEllipseFilled) && x * x + y * y < kRadius * kRadius && arc.Holds(x, y);
}
