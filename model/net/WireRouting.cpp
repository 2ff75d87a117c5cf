// Keeping wires tidy and attached: the clean-up of points, the elbow chosen while a wire is
// drawn, the re-shaping of a wire whose pin or wire moved, and the DXF output.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/net/Bus.h"
#include "model/object/DxfSink.h"
#include "model/object/FollowMap.h"
#include "model/symbol/Pin.h"
#include "model/text/TextBox.h"

namespace {

// The last segment merges once it is longer than this (|dx| + |dy|).
constexpr LONG kMergeLength = 20;
constexpr int kDxfDrawPass = 2;
constexpr int kDxfJunctionRadius = 12;
constexpr double kOnSegmentSquared = 2.0;

std::int64_t Cross(const CPoint& o, const CPoint& a, const CPoint& b) {
    return (std::int64_t{a.x} - o.x) * (std::int64_t{b.y} - o.y) -
           (std::int64_t{a.y} - o.y) * (std::int64_t{b.x} - o.x);
}

struct Dir {
    double x;
    double y;
};

// Where the line through a with direction da meets the line through b with direction db.
std::optional<CPoint> LineMeet(const CPoint& a, Dir da, const CPoint& b, Dir db) {
    const double den = da.x * db.y - da.y * db.x;
    if (den == 0)
        return std::nullopt;
    const double s = ((b.x - double(a.x)) * db.y - (b.y - double(a.y)) * db.x) / den;
    return CPoint(static_cast<LONG>(std::floor(a.x + s * da.x + 0.5)),
                  static_cast<LONG>(std::floor(a.y + s * da.y + 0.5)));
}

// The square of the distance from p to its foot on the segment, the foot rounded to the sheet.
double SquaredDistanceToFoot(const CPoint& p, const CPoint& a, const CPoint& b) {
    POINT q = p;
    if (!ProjectOnSegment(q, a.x, a.y, b.x, b.y))
        q = a;
    const double dx = double(q.x) - p.x;
    const double dy = double(q.y) - p.y;
    return dx * dx + dy * dy;
}

// Gives object the place and turn of model; a text box takes them as the box it is.
void PlaceLike(CDrawObj& object, const CDrawObj& model) {
    if (auto* text = dynamic_cast<CTextBox*>(&object))
        text->CTextBox::CopyGeometryFrom(&model);
    else
        object.CopyGeometryFrom(&model);
}

// Whether p lies on the segment from a to b.
bool OnLeg(CPoint p, CPoint a, CPoint b) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y) && Cross(a, b, p) == 0;
}

// Whether the segment from c to d runs along the leg from a to b for more than a point.
bool RunsAlong(CPoint c, CPoint d, CPoint a, CPoint b) {
    if (a == b || Cross(a, b, c) != 0 || Cross(a, b, d) != 0)
        return false;
    const auto along = [&](CPoint p) {
        return (std::int64_t{p.x} - a.x) * (std::int64_t{b.x} - a.x) +
               (std::int64_t{p.y} - a.y) * (std::int64_t{b.y} - a.y);
    };
    const std::int64_t length = along(b);
    return std::max<std::int64_t>(0, std::min(along(c), along(d))) <
           std::min(length, std::max(along(c), along(d)));
}

// Whether a wire drawn over route would look joined where it is not: a pin's end, or an end or
// corner of a wire other than wire, on its legs anywhere but at the route's own two ends; a pin's
// body end on its legs; or a leg along a pin's line or along a segment of another wire. The
// pins of the parts the route starts and ends on, and the wires it starts and ends on, count as
// any other.
bool RouteMisleads(const CDrawDoc* doc, const CWire* wire, const std::vector<CPoint>& route) {
    if (!doc || route.size() < 2)
        return false;
    const auto onRoute = [&route](CPoint p) {
        for (std::size_t i = 1; i < route.size(); ++i) {
            if (OnLeg(p, route[i - 1], route[i]))
                return true;
        }
        return false;
    };
    const auto passed = [&](CPoint p) {
        return p != route.front() && p != route.back() && onRoute(p);
    };
    const auto along = [&route](CPoint from, CPoint to) {
        for (std::size_t i = 1; i < route.size(); ++i) {
            if (RunsAlong(from, to, route[i - 1], route[i]))
                return true;
        }
        return false;
    };
    const CObList& objects = doc->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (object == wire)
            continue;
        if (const auto* other = dynamic_cast<const CWire*>(object)) {
            for (int i = 0; i < other->GetPointCount(); ++i) {
                const CPoint point = other->GetPoint(i);
                if (passed(point) || (i > 0 && along(other->GetPoint(i - 1), point)))
                    return true;
            }
        } else if (const CObList* pins = object->GetPinList()) {
            for (POSITION at = pins->GetHeadPosition(); at;) {
                const auto* pin = static_cast<const CPin*>(pins->GetNext(at));
                const CPoint hot = pin->GetConnectPoint();
                const CPoint body = pin->GetSheetBodyEnd();
                if (passed(hot) || onRoute(body) || along(hot, body))
                    return true;
            }
        }
    }
    return false;
}

// The grid lines strictly between from and to, from the one nearest their middle outwards; at
// most kMostSecondElbows of them.
constexpr std::int64_t kMostSecondElbows = 64;

std::vector<LONG> GridLinesBetween(LONG from, LONG to, int gridSpacing) {
    std::vector<LONG> lines;
    if (gridSpacing <= 0)
        return lines;
    const double step = gridSpacing;
    const double low = std::min(from, to);
    const double high = std::max(from, to);
    const auto first = static_cast<std::int64_t>(std::floor(low / step)) + 1;
    const auto last = static_cast<std::int64_t>(std::ceil(high / step)) - 1;
    if (first > last)
        return lines;
    const std::int64_t middle = std::clamp(
        static_cast<std::int64_t>(std::floor((low + high) / 2 / step + 0.5)), first, last);
    for (std::int64_t away = 0; std::int64_t(lines.size()) < kMostSecondElbows; ++away) {
        const bool below = middle - away >= first;
        const bool above = away > 0 && middle + away <= last;
        if (!below && !above)
            break;
        if (below)
            lines.push_back(static_cast<LONG>((middle - away) * gridSpacing));
        if (above)
            lines.push_back(static_cast<LONG>((middle + away) * gridSpacing));
    }
    if (std::int64_t(lines.size()) > kMostSecondElbows)
        lines.resize(std::size_t(kMostSecondElbows));
    return lines;
}

// The grid lines on either side of line, the nearest first; at most kMostSecondElbows of them.
std::vector<LONG> GridLinesBeside(LONG line, int gridSpacing) {
    const std::int64_t span = (kMostSecondElbows / 2 + 1) * std::int64_t{gridSpacing};
    std::vector<LONG> lines = GridLinesBetween(static_cast<LONG>(line - span),
                                               static_cast<LONG>(line + span), gridSpacing);
    std::erase(lines, line);
    return lines;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Clean-up

// A point taken out where the wire turned back changes the extent, so the bounds follow.
void CWire::RemoveRedundantVertices() {
    const int before = m_count;
    for (int i = 0; m_count > 2 && i + 1 < m_count;) {
        if (m_points[static_cast<size_t>(i)] == m_points[static_cast<size_t>(i) + 1])
            RemovePoint(i);
        else
            ++i;
    }
    for (int i = 1; m_count > 2 && i + 1 < m_count;) {
        if (Cross(m_points[static_cast<size_t>(i) - 1], m_points[static_cast<size_t>(i)],
                  m_points[static_cast<size_t>(i) + 1]) == 0)
            RemovePoint(i);
        else
            ++i;
    }
    if (m_count != before)
        RecalcBounds(nullptr);
}

void CWire::MergeLastSegments() {
    if (m_count < 4)
        return;
    const CPoint last = GetPointFromEnd(1, 0);
    const CPoint doubled = GetPointFromEnd(1, 1);
    if (doubled != GetPointFromEnd(1, 2) || Cross(GetPointFromEnd(1, 3), doubled, last) != 0)
        return;
    if (std::labs(last.x - doubled.x) + std::labs(last.y - doubled.y) <= kMergeLength)
        return;
    RemovePoint(m_count - 2);
    InsertPoint(m_count, last.x, last.y);
}

void CWire::AlignEndsOnWires() {
    for (int fromEnd : {0, 1}) {
        auto* target = dynamic_cast<CWire*>(fromEnd ? m_end : m_start);
        if (!target || m_count < 2 || target->m_count < 2)
            continue;
        const CPoint end = GetPointFromEnd(fromEnd, 0);
        const CPoint next = GetPointFromEnd(fromEnd, 1);
        int nearest = 0;
        double best = -1;
        for (int i = 0; i + 1 < target->m_count; ++i) {
            const double distance =
                SquaredDistanceToFoot(end, target->GetPoint(i), target->GetPoint(i + 1));
            if (best < 0 || distance < best) {
                best = distance;
                nearest = i;
            }
        }
        const CPoint a = target->GetPoint(nearest);
        const CPoint b = target->GetPoint(nearest + 1);
        if (Cross(a, b, end) != 0 || Cross(a, b, next) != 0)
            continue;  // not along the target
        // Coming from next, the wire first meets the segment at next itself or at the
        // segment's end nearer to next.
        CPoint meet = next;
        if (!target->PointOnWire(next.x, next.y)) {
            const auto far = [&next](const CPoint& p) {
                return std::labs(p.x - next.x) + std::labs(p.y - next.y);
            };
            meet = far(a) <= far(b) ? a : b;
        }
        if (meet == next && m_count > 2)
            RemovePoint(IndexFromEnd(fromEnd, 0));
        else
            PointFromEnd(fromEnd, 0) = meet;
    }
    RecalcBounds(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Elbows while drawing

BOOL CWire::IsElbowFree(CPoint from, CPoint elbow, CPoint to, int grow) const {
    if (!m_document)
        return TRUE;
    for (const auto& [a, b] : {std::pair{from, elbow}, std::pair{elbow, to}}) {
        CRect leg = NormalizedRect(CRect(a, b));
        leg.InflateRect(grow, grow);
        if (m_document->FindOtherObjectInRect(leg, const_cast<CWire*>(this)))
            return FALSE;
    }
    return TRUE;
}

std::optional<std::pair<CPoint, CPoint>> CWire::FindTwoElbows(std::optional<CPoint> w, CPoint q,
                                                              CPoint p, int gridSpacing) const {
    if (q == p)
        return std::nullopt;
    // The first leg turns back over the segment from w to q.
    const auto doublesBack = [&](CPoint first) {
        return w && Cross(*w, q, first) == 0 &&
               (std::int64_t{w->x} - q.x) * (std::int64_t{first.x} - q.x) +
                       (std::int64_t{w->y} - q.y) * (std::int64_t{first.y} - q.y) >
                   0;
    };
    // The middle leg on one of lines, the first leg horizontal or vertical.
    const auto across = [&](const std::vector<LONG>& lines,
                            bool horizontalFirst) -> std::optional<std::pair<CPoint, CPoint>> {
        for (LONG line : lines) {
            const CPoint first = horizontalFirst ? CPoint(line, q.y) : CPoint(q.x, line);
            const CPoint second = horizontalFirst ? CPoint(line, p.y) : CPoint(p.x, line);
            if (!doublesBack(first) && !RouteMisleads(m_document, this, {q, first, second, p}))
                return std::pair{first, second};
        }
        return std::nullopt;
    };
    // A straight run steps aside to a grid line beside it and comes back.
    if (q.y == p.y)
        return across(GridLinesBeside(q.y, gridSpacing), false);
    if (q.x == p.x)
        return across(GridLinesBeside(q.x, gridSpacing), true);
    const bool verticalFirst = std::labs(p.x - q.x) < std::labs(p.y - q.y);
    if (auto elbows = across(
            GridLinesBetween(verticalFirst ? q.y : q.x, verticalFirst ? p.y : p.x, gridSpacing),
            !verticalFirst))
        return elbows;
    return across(
        GridLinesBetween(verticalFirst ? q.x : q.y, verticalFirst ? p.x : p.y, gridSpacing),
        verticalFirst);
}

int CWire::RouteToPoint(int count, CPoint point, int gridSpacing, IDocView* view) {
    if (count < 1 || count > m_count || m_points[static_cast<size_t>(count) - 1] == point)
        return count;
    m_points[static_cast<size_t>(count) - 1] = point;
    int routed = count;
    if (count >= 3) {
        const CPoint q = m_points[static_cast<size_t>(count) - 3];
        const CPoint a(q.x, point.y);
        const CPoint b(point.x, q.y);
        const int grow = gridSpacing / 3;
        const bool aFree = IsElbowFree(q, a, point, grow);
        const bool bFree = IsElbowFree(q, b, point, grow);
        bool aBack = false;
        bool bBack = false;
        std::optional<CPoint> w;
        if (count >= 4) {
            w = m_points[static_cast<size_t>(count) - 4];
            const auto sameSide = [](LONG w, LONG q, LONG p) {
                return (std::int64_t{w} - q) * (std::int64_t{p} - q) > 0;
            };
            aBack = w->x == q.x && sameSide(w->y, q.y, point.y);
            bBack = w->y == q.y && sameSide(w->x, q.x, point.x);
        }
        bool takeA = false;
        if (aFree && !bFree && !aBack)
            takeA = true;
        else if (!aFree && bFree && !bBack)
            takeA = false;
        else if (aBack != bBack)
            takeA = bBack;
        else
            takeA = std::labs(point.x - q.x) < std::labs(point.y - q.y);
        // A free elbow meets nothing. One that would look joined where it is not gives way to
        // the other elbow when that one does not, unless only the other turns back on the
        // wire; else to two elbows that look joined to nothing, when there are such.
        std::optional<std::pair<CPoint, CPoint>> twoElbows;
        if (!(takeA ? aFree : bFree) &&
            RouteMisleads(m_document, this, {q, takeA ? a : b, point})) {
            const bool otherTurnsBack = takeA ? bBack : aBack;
            const bool chosenTurnsBack = takeA ? aBack : bBack;
            if ((!otherTurnsBack || chosenTurnsBack) &&
                !RouteMisleads(m_document, this, {q, takeA ? b : a, point}))
                takeA = !takeA;
            else
                twoElbows = FindTwoElbows(w, q, point, gridSpacing);
        }
        if (twoElbows) {
            m_points[static_cast<size_t>(count) - 2] = twoElbows->first;
            InsertPoint(count - 1, twoElbows->second.x, twoElbows->second.y);
            routed = count + 1;
        } else {
            m_points[static_cast<size_t>(count) - 2] = takeA ? a : b;
        }
    }
    RecalcBounds(view);
    Invalidate(view);
    return routed;
}

// ---------------------------------------------------------------------------------------------
// Following moved objects

void CWire::MoveEnd(int fromEnd, int moving, std::vector<CWire*>& follow, LONG dx, LONG dy) {
    if (m_count < 2 || moving < 1)
        return;
    CDrawObj* fixed = fromEnd ? m_start : m_end;
    int k = std::min(moving, m_count);
    std::optional<CPoint> fixedOnTarget;
    if (k >= m_count - 1 && fixed) {
        const auto* pin = dynamic_cast<CPin*>(fixed);
        const CPoint fixedPoint = GetPointFromEnd(1 - fromEnd, 0);
        const bool pinMovedAlike =
            pin && pin->GetConnectPoint() == CPoint(fixedPoint.x + dx, fixedPoint.y + dy);
        if (!pinMovedAlike && m_count > 2) {
            k = m_count - 2;
        } else if (!pinMovedAlike) {
            auto* target = dynamic_cast<CWire*>(fixed);
            const CPoint p0 = GetPointFromEnd(fromEnd, 0);
            const CPoint shifted(p0.x + dx, p0.y + dy);
            const Dir along{double(fixedPoint.x) - p0.x, double(fixedPoint.y) - p0.y};
            double best = -1;
            for (int i = 0; target && i + 1 < target->m_count; ++i) {
                const CPoint a = target->GetPoint(i);
                const CPoint b = target->GetPoint(i + 1);
                const auto meet =
                    LineMeet(shifted, along, a, {double(b.x - a.x), double(b.y - a.y)});
                if (!meet || SquaredDistanceToFoot(*meet, a, b) >= kOnSegmentSquared)
                    continue;
                const double distance =
                    std::hypot(meet->x - double(fixedPoint.x), meet->y - double(fixedPoint.y));
                if (best < 0 || distance < best) {
                    best = distance;
                    fixedOnTarget = meet;
                }
            }
            if (!fixedOnTarget) {
                const CPoint mid((p0.x + fixedPoint.x) / 2, (p0.y + fixedPoint.y) / 2);
                InsertPoint(1, mid.x, mid.y);
                InsertPoint(1, mid.x, mid.y);
            }
        }
    }
    // Junction wires on the segments that move.
    for (POSITION pos = m_junctions.GetHeadPosition(); pos;) {
        auto* junction = static_cast<CWire*>(m_junctions.GetNext(pos));
        const CPoint on = junction->GetPointFromEnd(junction->m_end == this ? 1 : 0, 0);
        for (int i = 0; i <= k && i + 1 < m_count; ++i) {
            if (SquaredDistanceToFoot(on, GetPointFromEnd(fromEnd, i),
                                      GetPointFromEnd(fromEnd, i + 1)) < kOnSegmentSquared) {
                if (std::find(follow.begin(), follow.end(), junction) == follow.end())
                    follow.push_back(junction);
                break;
            }
        }
    }
    // The first fixed point slides along its fixed segment to meet the moved segment.
    if (k >= 1 && k + 1 < m_count && !fixedOnTarget) {
        const CPoint mover = GetPointFromEnd(fromEnd, k - 1);
        const CPoint a = GetPointFromEnd(fromEnd, k);
        const CPoint b = GetPointFromEnd(fromEnd, k + 1);
        Dir moved{double(a.x) - mover.x, double(a.y) - mover.y};
        Dir fixedDir{double(b.x) - a.x, double(b.y) - a.y};
        const bool movedZero = moved.x == 0 && moved.y == 0;
        const bool fixedZero = fixedDir.x == 0 && fixedDir.y == 0;
        if (movedZero && fixedZero) {
            moved = {1, 0};
            fixedDir = {0, 1};
        } else if (fixedZero || moved.x * fixedDir.y - moved.y * fixedDir.x == 0) {
            fixedDir = {-moved.y, moved.x};
        } else if (movedZero) {
            moved = {-fixedDir.y, fixedDir.x};
        }
        if (const auto meet = LineMeet(a, fixedDir, CPoint(mover.x + dx, mover.y + dy), moved))
            PointFromEnd(fromEnd, k) = *meet;
    }
    for (int i = 0; i < k; ++i) {
        CPoint& p = PointFromEnd(fromEnd, i);
        p.Offset(dx, dy);
    }
    if (fixedOnTarget)
        PointFromEnd(1 - fromEnd, 0) = *fixedOnTarget;
}

void CWire::FollowWire(CWire& moved, int fromEnd, std::vector<CWire*>& follow) {
    // A segment counted from the fixed end that crosses the moved wire cuts the wire back.
    for (int i = 0; i + 1 < m_count; ++i) {
        const CPoint a = GetPointFromEnd(1 - fromEnd, i);
        const CPoint b = GetPointFromEnd(1 - fromEnd, i + 1);
        for (int j = 0; j + 1 < moved.m_count; ++j) {
            POINT cross{};
            const CPoint c = moved.GetPoint(j);
            const CPoint d = moved.GetPoint(j + 1);
            if (!SegmentIntersection(a.x, a.y, b.x, b.y, c.x, c.y, d.x, d.y, cross))
                continue;
            const int keep = m_count - 1 - i;  // points from the attached end to collapse
            for (int n = 0; n < keep; ++n)
                PointFromEnd(fromEnd, n) = cross;
            return;
        }
    }
    const CPoint end = GetPointFromEnd(fromEnd, 0);
    const CPoint next = GetPointFromEnd(fromEnd, 1);
    const Dir along{double(end.x) - next.x, double(end.y) - next.y};
    for (int j = 0; j + 1 < moved.m_count; ++j) {
        const CPoint c = moved.GetPoint(j);
        const CPoint d = moved.GetPoint(j + 1);
        const auto meet = LineMeet(next, along, c, {double(d.x - c.x), double(d.y - c.y)});
        if (meet && SquaredDistanceToFoot(*meet, c, d) < kOnSegmentSquared) {
            MoveEnd(fromEnd, 1, follow, meet->x - end.x, meet->y - end.y);
            return;
        }
    }
    const CPoint nearest = moved.GetNearestPoint(end);
    MoveEnd(fromEnd, 2, follow, nearest.x - end.x, nearest.y - end.y);
}

void CWire::FollowObject(CDrawObj* moved, IFollowMap* map) {
    std::unordered_set<const CWire*> followed;
    FollowObject(moved, followed, map);
}

void CWire::FollowObject(CDrawObj* moved, std::unordered_set<const CWire*>& followed,
                         IFollowMap* map) {
    if (!moved || m_count < 2 || !followed.insert(this).second)
        return;
    RemoveRedundantVertices();
    std::vector<CWire*> follow;
    const int fromEnd = m_end == moved ? 1 : 0;
    if (auto* pin = dynamic_cast<CPin*>(moved)) {
        const CPoint hot = pin->GetConnectPoint();
        const CPoint end = GetPointFromEnd(fromEnd, 0);
        MoveEnd(fromEnd, 1, follow, hot.x - end.x, hot.y - end.y);
    } else if (auto* wire = dynamic_cast<CWire*>(moved)) {
        FollowWire(*wire, fromEnd, follow);
    }
    if (map)
        KeepTextOffsets(*map);
    Invalidate(nullptr);
    RecalcBounds(nullptr);
    for (CWire* junction : follow) {
        if (auto* follower = dynamic_cast<CWire*>(map ? map->Substitute(junction) : junction))
            follower->FollowObject(this, followed, map);
    }
}

void CWire::NotifyAttached(IFollowMap* map) {
    if (m_start)
        FollowObject(m_start, map);
    if (m_end)
        FollowObject(m_end, map);
    // Substituting a junction changes the list.
    std::vector<CDrawObj*> junctions;
    for (POSITION pos = m_junctions.GetHeadPosition(); pos;)
        junctions.push_back(static_cast<CDrawObj*>(m_junctions.GetNext(pos)));
    for (CDrawObj* junction : junctions) {
        if (auto* follower = dynamic_cast<CWire*>(map ? map->Substitute(junction) : junction))
            follower->FollowObject(this, map);
    }
    if (map)
        KeepTextOffsets(*map);
}

void CWire::KeepTextOffsets(IFollowMap& map) {
    CDrawObj* before = m_attrTexts.IsEmpty() ? nullptr : map.Original(this);
    if (!before)
        return;
    std::vector<CDrawObj*> texts;
    for (POSITION pos = m_attrTexts.GetHeadPosition(); pos;)
        texts.push_back(static_cast<CDrawObj*>(m_attrTexts.GetNext(pos)));
    for (CDrawObj* text : texts) {
        if (map.MovesItself(text))
            continue;
        const CDrawObj* original = map.Original(text);
        const CDrawObj* model = original ? original : text;
        // A text's rectangle lies in its own turned frame: its centre is taken to the sheet.
        CPoint anchor = NormalizedRect(model->GetPosition()).CenterPoint();
        model->LocalToDoc(&anchor, 1);
        const CSize moved = GetNearestPoint(anchor) - before->GetNearestPoint(anchor);
        CDrawObj* copy = map.Substitute(text);
        copy->Invalidate(nullptr);
        PlaceLike(*copy, *model);
        copy->OffsetBy(moved);
        copy->Invalidate(nullptr);
    }
}

// A pin end stays on its pin while the segment from it is dragged: the end is doubled, and the
// neighbour it leaves behind slides square to the segment from the pin.
void CWire::MoveHandleTo(int handle, CPoint point, IDocView* view) {
    const auto onPin = [](const CDrawObj* object) { return dynamic_cast<const CPin*>(object); };
    int segment = m_count >= 2 ? handle - m_count : 0;
    const bool stubAtStart = segment == 1 && onPin(m_start);
    const bool stubAtEnd = segment >= 1 && segment == m_count - 1 && onPin(m_end);
    if (!stubAtStart && !stubAtEnd) {
        CDrawPoly::MoveHandleTo(handle, point, view);
        return;
    }
    const std::vector<CPoint> before(m_points.begin(), m_points.begin() + m_count);
    const CPoint first = before.front();
    const CPoint last = before.back();
    if (stubAtStart) {
        InsertPoint(0, first.x, first.y);
        ++segment;
    }
    if (stubAtEnd)
        InsertPoint(m_count - 1, last.x, last.y);
    // The pin ends stand square to the segment while it moves, then go back on their pins.
    const CPoint a = GetPoint(segment - 1);
    const CPoint b = GetPoint(segment);
    const CSize square(a.y - b.y, b.x - a.x);
    if (stubAtStart)
        m_points.front() = first + square;
    if (stubAtEnd)
        PointFromEnd(1, 0) = last + square;
    CDrawPoly::MoveHandleTo(m_count + segment, point, view);
    if (stubAtStart)
        m_points.front() = first;
    if (stubAtEnd)
        PointFromEnd(1, 0) = last;
    if (GetPoint(segment - 1) == a && GetPoint(segment) == b) {
        // The segment could not move (it would leave the sheet): no stub either.
        m_count = static_cast<int>(before.size());
        std::copy(before.begin(), before.end(), m_points.begin());
    }
    RecalcBounds(view);
}

// ---------------------------------------------------------------------------------------------
// DXF

void CWire::ExportDxf(IDxfSink* dxf, int kind, const double* matrix) {
    if (!dxf || kind != kDxfDrawPass || m_count < 2)
        return;
    const int first = dynamic_cast<CBus*>(m_start) ? 1 : 0;
    const int last = dynamic_cast<CBus*>(m_end) ? m_count - 2 : m_count - 1;
    if (last > first)
        dxf->DxfWritePolyline(0, last - first + 1, m_points.data() + first, matrix);
    // An end on a bus is written as drawn: its entry, which meets the bus.
    for (bool atEnd : {false, true}) {
        const std::vector<POINT> entry = BusEntryAt(atEnd);
        if (entry.size() > 1)
            dxf->DxfWritePolyline(0, static_cast<int>(entry.size()), entry.data(), matrix);
    }
    for (int fromEnd : {0, 1}) {
        CDrawObj* target = fromEnd ? m_end : m_start;
        if (target && target->GetObjType() == kObjWire) {
            POINT p = GetPointFromEnd(fromEnd, 0);
            MatrixTransformPoints(&p, 1, matrix);
            dxf->DxfWriteCircle(0, p.x, p.y, kDxfJunctionRadius);
        }
    }
}
