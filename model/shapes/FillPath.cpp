#include "model/shapes/FillPath.h"

#include <cmath>
#include <cstdint>

#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PointTransforms.h"
#include "model/geometry/VectorAngle.h"

namespace {

constexpr size_t kLineSize = 16;
constexpr size_t kRunSize = 20;  // before the points
constexpr size_t kPointSize = 8;
constexpr size_t kArcSize = 36;
constexpr double kFlat = 0.00001;
constexpr int kArcStep = 20;  // tenths of a degree
constexpr int kFullTurn = 3600;

class BlobReader {
public:
    explicit BlobReader(const std::vector<BYTE>& blob) : m_blob(blob) {}

    DWORD Dword(size_t offset) const {
        DWORD value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | m_blob[offset + size_t(i)];
        return value;
    }
    WORD Word(size_t offset) const {
        return static_cast<WORD>(m_blob[offset] | (m_blob[offset + 1] << 8));
    }
    LONG Long(size_t offset) const { return static_cast<LONG>(Dword(offset)); }
    CPoint Point(size_t offset) const { return CPoint(Long(offset), Long(offset + 4)); }

private:
    const std::vector<BYTE>& m_blob;
};

class BlobWriter {
public:
    void Dword(DWORD value) {
        for (int i = 0; i < 4; ++i)
            m_blob.push_back(static_cast<BYTE>(value >> (8 * i)));
    }
    void Word(WORD value) {
        m_blob.push_back(static_cast<BYTE>(value));
        m_blob.push_back(static_cast<BYTE>(value >> 8));
    }
    void Point(POINT p) {
        Dword(static_cast<DWORD>(p.x));
        Dword(static_cast<DWORD>(p.y));
    }
    std::vector<BYTE>& Blob() { return m_blob; }

private:
    std::vector<BYTE> m_blob;
};

// The size a record of the type must have, when its own size word says `size` and it has room
// for at least the run's count; 0 for an unknown type.
size_t ExpectedSize(const BlobReader& in, size_t offset, size_t size, DWORD type) {
    switch (static_cast<PathPieceType>(type)) {
        case PathPieceType::Line:
            return kLineSize;
        case PathPieceType::Bezier:
        case PathPieceType::Polyline:
            if (size < kRunSize)
                return 0;
            return kRunSize + kPointSize * size_t{in.Dword(offset + kLineSize)};
        case PathPieceType::Arc:
            return kArcSize;
    }
    return 0;
}

PathRecord ReadRecord(const BlobReader& in, size_t offset, DWORD type) {
    PathRecord record;
    record.type = static_cast<PathPieceType>(type);
    record.end = in.Point(offset + 8);
    if (record.type == PathPieceType::Arc) {
        const size_t at = offset + kLineSize;
        record.ellipse = CRect(in.Long(at), in.Long(at + 4), in.Long(at + 8), in.Long(at + 12));
        record.arc = in.Word(at + 16);
    } else if (record.type != PathPieceType::Line) {
        const DWORD count = in.Dword(offset + kLineSize);
        for (DWORD i = 0; i < count; ++i)
            record.points.push_back(in.Point(offset + kRunSize + kPointSize * i));
    }
    return record;
}

size_t RecordSize(const PathRecord& record) {
    switch (record.type) {
        case PathPieceType::Bezier:
        case PathPieceType::Polyline:
            return kRunSize + kPointSize * record.points.size();
        case PathPieceType::Arc:
            return kArcSize;
        case PathPieceType::Line:
            break;
    }
    return kLineSize;
}

void WriteRecord(BlobWriter& out, const PathRecord& record) {
    out.Word(static_cast<WORD>(RecordSize(record)));
    out.Word(0);
    out.Dword(static_cast<DWORD>(record.type));
    out.Point(record.end);
    if (record.type == PathPieceType::Arc) {
        const CRect& r = record.ellipse;
        out.Point(r.TopLeft());
        out.Point(r.BottomRight());
        out.Word(record.arc);
        out.Word(0);
    } else if (record.type != PathPieceType::Line) {
        out.Dword(static_cast<DWORD>(record.points.size()));
        for (const CPoint& p : record.points)
            out.Point(p);
    }
}

}  // namespace

std::optional<std::vector<PathRecord>> ParseFillPath(const std::vector<BYTE>& blob) {
    if (blob.size() < kFillPathHeaderSize)
        return std::nullopt;
    const BlobReader in(blob);
    const size_t total = blob.size();
    const DWORD count = in.Dword(4);
    if (in.Dword(0) != total || count == 0)
        return std::nullopt;
    std::vector<PathRecord> records;
    size_t offset = kFillPathHeaderSize;
    for (DWORD i = 0; i < count; ++i) {
        if (total - offset < kLineSize)
            return std::nullopt;
        const size_t size = in.Word(offset);
        const DWORD type = in.Dword(offset + 4);
        // An unknown type expects no size, which a size word of 0 must not match.
        const size_t expected = ExpectedSize(in, offset, size, type);
        if (size > total - offset || expected == 0 || size != expected)
            return std::nullopt;
        records.push_back(ReadRecord(in, offset, type));
        offset += size;
    }
    if (offset != total)
        return std::nullopt;
    return records;
}

std::vector<BYTE> MakeFillPath(const std::vector<PathRecord>& records) {
    size_t total = kFillPathHeaderSize;
    for (const PathRecord& record : records)
        total += RecordSize(record);
    BlobWriter out;
    out.Dword(static_cast<DWORD>(total));
    out.Dword(static_cast<DWORD>(records.size()));
    out.Dword(0);
    for (const PathRecord& record : records)
        WriteRecord(out, record);
    return std::move(out.Blob());
}

std::vector<CPoint> ArcToPoints(CPoint from, CPoint to, const RECT& ellipse, WORD arc) {
    const int angle = arc & kArcAngleMask;
    POINT ends[2] = {from, to};
    RotatePoints(ends, 2, -angle);
    const double a = (double(ellipse.right) - ellipse.left) / 2;
    const double b = (double(ellipse.bottom) - ellipse.top) / 2;
    const double cx = (double(ellipse.left) + ellipse.right) / 2;
    const double cy = (double(ellipse.top) + ellipse.bottom) / 2;
    int start = 0;
    int end = kFullTurn;
    if (ends[0].x != ends[1].x || ends[0].y != ends[1].y) {
        if (std::fabs(a) < kFlat || std::fabs(b) < kFlat)
            return {};
        start = AngleFromVector((ends[0].y - cy) / b, (ends[0].x - cx) / a);
        end = AngleFromVector((ends[1].y - cy) / b, (ends[1].x - cx) / a);
    }
    const auto at = [&](int t) {
        return CPoint(RoundToLong(std::cos(t * kRadiansPerTenthDegree) * a + cx),
                      RoundToLong(std::sin(t * kRadiansPerTenthDegree) * b + cy));
    };
    std::vector<CPoint> points;
    if (arc & kArcClockwise) {
        if (start <= end)
            start += kFullTurn * ((end - start + kFullTurn) / kFullTurn);
        for (int t = start; t > end; t -= kArcStep)
            points.push_back(at(t));
    } else {
        if (end <= start)
            end += kFullTurn * ((start - end + kFullTurn) / kFullTurn);
        for (int t = start; t < end; t += kArcStep)
            points.push_back(at(t));
    }
    points.push_back(at(end));
    RotatePoints(points.data(), static_cast<int>(points.size()), angle);
    return points;
}
