#pragma once
// The outline of a fill shape as files store it: a blob of a 12-byte header (DWORD total size
// with the header, DWORD record count, one unused DWORD) and the records, little-endian.
//
// Each record starts with its size (WORD, then two unused bytes), its type (DWORD) and its end
// point (two int32). Lines end there (16 bytes). Bezier runs and polylines add a DWORD n and n
// points between the start and the end point (20 + 8n bytes): two control points for each
// Bezier segment, whose end points are the following point each third. Elliptic arcs add the
// rectangle of their ellipse (four int32) and a WORD, bits 0-14 the ellipse's rotation in
// tenths of a degree and bit 15 set when the arc runs clockwise, then two unused bytes (36).
//
// The first record is the starting point; every other record draws from the end point of the
// record before it, and the first record once more closes the figure.

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/Geometry.h"

enum class PathPieceType : DWORD { Line = 0, Bezier = 1, Arc = 2, Polyline = 3 };

constexpr size_t kFillPathHeaderSize = 12;
constexpr WORD kArcClockwise = 0x8000;
constexpr WORD kArcAngleMask = 0x7FFF;
// The most points a Bezier or polyline record carries, so that the record size fits its WORD;
// longer runs are split.
constexpr size_t kMaxRunPoints = 256;

struct PathRecord {
    PathPieceType type = PathPieceType::Line;
    CPoint end;
    std::vector<CPoint> points;  // Bezier runs and polylines: the points before the end point
    CRect ellipse;               // arcs: in the frame turned by the ellipse's rotation
    WORD arc = 0;                // arcs: rotation and direction bit
};

// The records of a blob, or nothing when the blob is not well formed: a total size other than
// the blob's, no records, a record that runs past the blob or whose size does not fit its
// type, an unknown type, or bytes left after the counted records.
std::optional<std::vector<PathRecord>> ParseFillPath(const std::vector<BYTE>& blob);

// The blob of the records, header included; runs hold at most kMaxRunPoints points.
std::vector<BYTE> MakeFillPath(const std::vector<PathRecord>& records);

// Calls visit(record, from) in drawing order: the second to the last record, each from the end
// point of the record before it, then the first record from the last end point. At least one
// record is required.
template <class Visit>
void WalkFillPath(const std::vector<PathRecord>& records, Visit visit) {
    CPoint from = records.front().end;
    for (size_t i = 1; i < records.size(); ++i) {
        visit(records[i], from);
        from = records[i].end;
    }
    visit(records.front(), from);
}

// The points of the elliptic arc from `from` to `to` (points of the sheet frame, which the
// ellipse's rotation turns into the ellipse's frame) every 2 degrees, the end point last;
// counter-clockwise unless the direction bit is set. Equal end points give the whole ellipse;
// a flat ellipse gives no points.
std::vector<CPoint> ArcToPoints(CPoint from, CPoint to, const RECT& ellipse, WORD arc);
