// The band of a bus: the centre line offset to both sides, joined with mitres, closed by square
// ends or arrow heads.

#include <cmath>

#include "model/net/Bus.h"

namespace {

constexpr double kCollinear = 1e-10;
// A mitre reaching further than this many widths from its point is bevelled instead.
constexpr double kMitreLimit = 2.0;

struct Unit {
    double x;
    double y;
};

LONG Round(double v) {
    return static_cast<LONG>(std::floor(v + 0.5));
}

Unit Direction(const POINT& from, const POINT& to) {
    const double dx = double(to.x) - from.x;
    const double dy = double(to.y) - from.y;
    const double length = std::hypot(dx, dy);
    return {dx / length, dy / length};
}

// The offset points at an inner point between the segments with unit directions d1 and d2, on
// the side of the left normal (side +1) or the right one (-1).
void AddJoin(std::vector<POINT>& out, const POINT& v, Unit d1, Unit d2, double half, int side,
             double width) {
    const Unit n1{-d1.y * side, d1.x * side};
    const Unit n2{-d2.y * side, d2.x * side};
    const double det = n1.x * n2.y - n1.y * n2.x;
    if (std::fabs(det) <= kCollinear) {
        out.push_back({Round(v.x + n1.x * half), Round(v.y + n1.y * half)});
        return;
    }
    const double mx = half * (n2.y - n1.y) / det;
    const double my = half * (n1.x - n2.x) / det;
    if (std::hypot(mx, my) > kMitreLimit * width) {
        out.push_back({Round(v.x + n1.x * half), Round(v.y + n1.y * half)});
        out.push_back({Round(v.x + n2.x * half), Round(v.y + n2.y * half)});
        return;
    }
    out.push_back({Round(v.x + mx), Round(v.y + my)});
}

// The end at v, with u pointing out of the bus, from the side of +p to that of -p.
void AddEnd(std::vector<POINT>& out, const POINT& v, Unit u, double half, bool arrow,
            LONG pullBack) {
    const POINT a{Round(half * u.x), Round(half * u.y)};
    const POINT p{-a.y, a.x};
    if (!arrow) {
        out.push_back({v.x + a.x + p.x, v.y + a.y + p.y});
        out.push_back({v.x + a.x - p.x, v.y + a.y - p.y});
        return;
    }
    const POINT t{v.x - Round(pullBack * u.x), v.y - Round(pullBack * u.y)};
    const POINT base{t.x - 2 * a.x, t.y - 2 * a.y};
    out.push_back({base.x + p.x, base.y + p.y});
    out.push_back({base.x + 2 * p.x, base.y + 2 * p.y});
    out.push_back(t);
    out.push_back({base.x - 2 * p.x, base.y - 2 * p.y});
    out.push_back({base.x - p.x, base.y - p.y});
}

// Half the width of the bus an end lies on, or 0.
LONG PullBack(CDrawObj* target) {
    const auto* bus = dynamic_cast<const CBus*>(target);
    return bus ? bus->GetWidth() / 2 : 0;
}

}  // namespace

std::vector<POINT> CBus::BuildOutline() const {
    std::vector<POINT> centre;
    for (int i = 0; i < m_count; ++i) {
        const POINT& p = m_points[static_cast<size_t>(i)];
        if (centre.empty() || centre.back().x != p.x || centre.back().y != p.y)
            centre.push_back(p);
    }
    std::vector<POINT> outline;
    if (centre.size() < 2)
        return outline;
    const double half = m_width / 2.0;
    const size_t last = centre.size() - 1;
    std::vector<Unit> directions;
    for (size_t i = 0; i < last; ++i)
        directions.push_back(Direction(centre[i], centre[i + 1]));
    const Unit startOut{-directions.front().x, -directions.front().y};
    AddEnd(outline, centre.front(), startOut, half, (m_flags & kBusStartArrow) != 0,
           PullBack(m_start));
    for (size_t i = 1; i < last; ++i)
        AddJoin(outline, centre[i], directions[i - 1], directions[i], half, +1, m_width);
    AddEnd(outline, centre.back(), directions.back(), half, (m_flags & kBusEndArrow) != 0,
           PullBack(m_end));
    for (size_t i = last - 1; i >= 1; --i)
        AddJoin(outline, centre[i], directions[i - 1], directions[i], half, -1, m_width);
    return outline;
}
