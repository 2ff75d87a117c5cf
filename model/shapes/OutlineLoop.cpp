#include "model/shapes/OutlineLoop.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "model/geometry/VectorAngle.h"
#include "model/shapes/DrawPoly.h"
#include "model/shapes/Ellipse.h"
#include "platform/ObList.h"

namespace {

constexpr int kArcStartHandle = 9;
constexpr int kArcEndHandle = 10;
// Bezier records split after whole segments (two controls and an end point each).
constexpr size_t kBezierChunk = kMaxRunPoints / 3 * 3;

struct Segment {
    PathPieceType type = PathPieceType::Line;
    CPoint ends[2];             // [0] where the piece ends, [1] where it starts
    std::vector<CPoint> inner;  // from the start towards the end
    CRect ellipse;
    int rotation = 0;
};

std::optional<Segment> ArcSegment(const CDrawObj& object) {
    const auto* arc = dynamic_cast<const CEllipse*>(&object);
    if (!arc || !(arc->GetFlags() & kFlagOpen))
        return std::nullopt;
    Segment segment;
    segment.type = PathPieceType::Arc;
    segment.ends[0] = arc->GetHandle(kArcEndHandle);
    segment.ends[1] = arc->GetHandle(kArcStartHandle);
    segment.ellipse = arc->GetPosition();
    segment.rotation = arc->GetRotation();
    return segment;
}

std::optional<Segment> PolySegment(const CDrawObj& object) {
    const auto* poly = dynamic_cast<const CDrawPoly*>(&object);
    const int count = poly ? poly->GetPointCount() : 0;
    if (count < 2)
        return std::nullopt;
    Segment segment;
    segment.type = poly->IsBezier() ? PathPieceType::Bezier : PathPieceType::Polyline;
    segment.ends[0] = poly->GetHandle(count);
    segment.ends[1] = poly->GetHandle(1);
    for (int n = 2; n < count; ++n)
        segment.inner.push_back(poly->GetHandle(n));
    return segment;
}

std::optional<Segment> SegmentOf(const CObject* item) {
    const auto* object = dynamic_cast<const CDrawObj*>(item);
    if (!object)
        return std::nullopt;
    switch (object->GetObjType()) {
        case kObjLine: {
            Segment segment;
            segment.ends[0] = object->GetHandle(2);
            segment.ends[1] = object->GetHandle(1);
            return segment;
        }
        case kObjEllipse:
            return ArcSegment(*object);
        case kObjPoly:
        case kObjBezier:
            return PolySegment(*object);
        default:
            return std::nullopt;
    }
}

std::uint64_t SquaredDistance(const CPoint& a, const CPoint& b) {
    const auto square = [](std::int64_t d) {
        const auto magnitude = static_cast<std::uint64_t>(d < 0 ? -d : d);  // below 2^32
        return magnitude * magnitude;
    };
    const std::uint64_t x = square(std::int64_t{a.x} - b.x);
    const std::uint64_t y = square(std::int64_t{a.y} - b.y);
    return x > std::numeric_limits<std::uint64_t>::max() - y
               ? std::numeric_limits<std::uint64_t>::max()
               : x + y;
}

// End e is ends[e % 2] of segment e / 2.
class EndPairing {
public:
    explicit EndPairing(const std::vector<Segment>& segments) : m_segments(segments) {}

    // Links every end to a partner; false when some end is left without one.
    bool Pair();
    size_t PartnerOf(size_t end) const { return m_partner[end]; }

private:
    static constexpr size_t kNone = std::numeric_limits<size_t>::max();

    const CPoint& At(size_t end) const { return m_segments[end / 2].ends[end % 2]; }
    size_t Nearest(size_t end) const;
    // Offers the end to its nearest end; true when that broke an earlier link.
    bool Offer(size_t end, size_t nearest);

    const std::vector<Segment>& m_segments;
    std::vector<size_t> m_partner;
    std::vector<std::uint64_t> m_distance;
};

size_t EndPairing::Nearest(size_t end) const {
    size_t best = kNone;
    std::uint64_t bestDistance = 0;
    for (size_t other = 0; other < m_partner.size(); ++other) {
        if (other / 2 == end / 2)
            continue;
        const std::uint64_t distance = SquaredDistance(At(end), At(other));
        if (best == kNone || distance < bestDistance) {
            best = other;
            bestDistance = distance;
        }
    }
    return best;
}

bool EndPairing::Offer(size_t end, size_t nearest) {
    const std::uint64_t distance = SquaredDistance(At(end), At(nearest));
    const size_t previous = m_partner[nearest];
    if (previous != kNone && m_distance[nearest] <= distance)
        return false;
    if (previous != kNone)
        m_partner[previous] = kNone;
    m_partner[end] = nearest;
    m_partner[nearest] = end;
    m_distance[end] = m_distance[nearest] = distance;
    return previous != kNone;
}

// Each pass only ever replaces links by nearer ones, so it settles; a loop of pieces whose ends
// meet settles in one pass. The bound on passes only guards against pathological layouts.
bool EndPairing::Pair() {
    const size_t count = m_segments.size() * 2;
    m_partner.assign(count, kNone);
    m_distance.assign(count, 0);
    std::vector<size_t> nearest(count);
    for (size_t end = 0; end < count; ++end) {
        nearest[end] = Nearest(end);
        if (nearest[end] == kNone)
            return false;
    }
    bool broke = true;
    for (size_t pass = 0; broke && pass <= 4 * count; ++pass) {
        broke = false;
        for (size_t end = 0; end < count; ++end) {
            if (m_partner[end] == kNone && Offer(end, nearest[end]))
                broke = true;
        }
    }
    return !broke && std::find(m_partner.begin(), m_partner.end(), kNone) == m_partner.end();
}

struct Step {
    size_t segment;
    bool reversed;  // walked from its end
};

// The order of the segments around the loop from the first one's start, or nothing when the
// walk does not come back there after visiting each segment once.
std::optional<std::vector<Step>> WalkLoop(const EndPairing& pairing, size_t segmentCount) {
    std::vector<Step> steps;
    size_t entry = 1;  // the start of segment 0
    while (steps.size() < segmentCount) {
        const size_t segment = entry / 2;
        steps.push_back({segment, entry % 2 == 0});
        entry = pairing.PartnerOf(entry ^ 1);
        if (entry / 2 == 0)
            break;
    }
    if (steps.size() != segmentCount || entry != 1)
        return std::nullopt;
    return steps;
}

PathRecord LineTo(const CPoint& end) {
    PathRecord record;
    record.end = end;
    return record;
}

// Runs are split after every chunk of points, so that no record holds more than the format
// allows.
void AppendRun(std::vector<PathRecord>& records, const Segment& segment, bool reversed) {
    std::vector<CPoint> points = segment.inner;
    if (reversed)
        std::reverse(points.begin(), points.end());
    points.push_back(segment.ends[reversed ? 1 : 0]);
    const size_t chunk = segment.type == PathPieceType::Bezier ? kBezierChunk : kMaxRunPoints + 1;
    for (size_t first = 0; first < points.size(); first += chunk) {
        const size_t last = std::min(first + chunk, points.size()) - 1;
        PathRecord record;
        record.type = segment.type;
        record.points.assign(points.begin() + std::ptrdiff_t(first),
                             points.begin() + std::ptrdiff_t(last));
        record.end = points[last];
        records.push_back(std::move(record));
    }
}

void AppendSegment(std::vector<PathRecord>& records, const Segment& segment, bool reversed) {
    const CPoint& exit = segment.ends[reversed ? 1 : 0];
    switch (segment.type) {
        case PathPieceType::Line:
            records.push_back(LineTo(exit));
            break;
        case PathPieceType::Bezier:
        case PathPieceType::Polyline:
            AppendRun(records, segment, reversed);
            break;
        case PathPieceType::Arc: {
            PathRecord record = LineTo(exit);
            record.type = PathPieceType::Arc;
            record.ellipse = segment.ellipse;
            const int rotation = NormalizedAngle(segment.rotation);
            record.arc = static_cast<WORD>(rotation | (reversed ? kArcClockwise : 0));
            records.push_back(std::move(record));
            break;
        }
    }
}

}  // namespace

std::optional<std::vector<PathRecord>> BuildOutlineLoop(const CObList& pieces) {
    std::vector<Segment> segments;
    for (POSITION pos = pieces.GetHeadPosition(); pos;) {
        std::optional<Segment> segment = SegmentOf(pieces.GetNext(pos));
        if (!segment)
            return std::nullopt;
        segments.push_back(std::move(*segment));
    }
    EndPairing pairing(segments);
    if (segments.empty() || !pairing.Pair())
        return std::nullopt;
    const std::optional<std::vector<Step>> steps = WalkLoop(pairing, segments.size());
    if (!steps)
        return std::nullopt;
    CPoint current = segments.front().ends[1];
    std::vector<PathRecord> records = {LineTo(current)};
    for (const Step& step : *steps) {
        const Segment& segment = segments[step.segment];
        const CPoint& entry = segment.ends[step.reversed ? 0 : 1];
        if (entry != current)
            records.push_back(LineTo(entry));
        AppendSegment(records, segment, step.reversed);
        current = segment.ends[step.reversed ? 1 : 0];
    }
    return records;
}
