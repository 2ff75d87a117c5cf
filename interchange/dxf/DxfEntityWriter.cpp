#include "interchange/dxf/DxfEntityWriter.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "interchange/dxf/DxfCodePage.h"
#include "interchange/dxf/DxfLineTypes.h"
#include "interchange/dxf/DxfStream.h"
#include "model/geometry/PlacementMatrix.h"

namespace {

constexpr double kDrawingUnit = 0.001;  // inches per sheet unit
constexpr double kThicknessDivisor = 72.0;
constexpr double kTextHeightDivisor = 1500.0;
constexpr std::size_t kTextPiece = 250;
constexpr double kFullTurn = 2 * std::numbers::pi;
constexpr double kArrowLength = 40.0;
constexpr int kEntityColour = 1;
constexpr int kTextDirectionByStyle = 3;

// MTEXT reads a backslash and braces as formatting codes; each is written after a backslash
// so that it stands for itself.
std::string MTextEscaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char ch : text) {
        if (ch == '\\' || ch == '{' || ch == '}')
            escaped += '\\';
        escaped += ch;
    }
    return escaped;
}

// The characters the escape or character at escaped[at] takes.
std::size_t UnitLength(std::string_view escaped, std::size_t at) {
    if (escaped[at] != '\\')
        return 1;
    return escaped.substr(at).starts_with(kDxfUnicodeEscape) ? kDxfUnicodeEscapeLength : 2;
}

// The length of the piece that starts escaped text: 250 characters, fewer where the 250th
// would part an escape.
std::size_t PieceLength(std::string_view escaped) {
    std::size_t end = 0;
    for (std::size_t next = 0; next <= kTextPiece; next += UnitLength(escaped, next))
        end = next;
    return end;
}

enum ArrowKind : int { kArrowOpen = 1, kArrowWide = 2, kArrowNarrow = 3 };

// The rotation (about the sheet origin) applied before the placement matrix; null for none.
const double* Placement(int rotation, const double* matrix, double* storage) {
    if (!rotation)
        return matrix;
    MatrixSetRotation(rotation, storage);
    if (matrix)
        MatrixMultiply(storage, matrix, storage);
    return storage;
}

std::array<POINT, 4> Corners(const RECT& rect, int rotation, const double* matrix) {
    std::array<POINT, 4> corners = {POINT{rect.left, rect.top}, POINT{rect.right, rect.top},
                                    POINT{rect.right, rect.bottom}, POINT{rect.left, rect.bottom}};
    double storage[kMatrixSize];
    MatrixTransformPoints(corners.data(), 4, Placement(rotation, matrix, storage));
    return corners;
}

POINT Offset(POINT p, LONG dx, LONG dy) {
    return POINT{p.x + dx, p.y + dy};
}

// An angle brought into [0, 2 pi), or into (0, 2 pi] for the end of an arc.
double TurnFromZero(double angle) {
    return angle < 0 ? angle + kFullTurn : angle;
}
double TurnUpToFull(double angle) {
    return angle <= 0 ? angle + kFullTurn : angle;
}

// An ellipse as DXF describes it: a centre, the vector to the end of its major axis and the
// ratio of the minor axis to the major one; the minor axis lies a quarter turn
// counter-clockwise from the major one.
struct EllipseAxes {
    double cx;
    double cy;
    double mx;
    double my;
    double ratio;

    // The ellipse parameter of a point: its angle in the frame of the axes, the minor axis
    // stretched to the major one's length.
    double ParameterOf(POINT p) const {
        const double dx = p.x - cx;
        const double dy = p.y - cy;
        const double along = dx * mx + dy * my;
        const double across = (dy * mx - dx * my) / ratio;
        return std::atan2(across, along);
    }
};

}  // namespace

void CDxfEntityWriter::WritePoint(int code, POINT point) {
    m_stream.WriteReal(code, point.x * kDrawingUnit);
    m_stream.WriteReal(code + 10, point.y * kDrawingUnit);
    m_stream.WriteReal(code + 20, 0.0);
}

void CDxfEntityWriter::WritePenGroups(const LOGPEN* pen) {
    m_stream.WriteReal(39, pen ? pen->lopnWidth.x / kThicknessDivisor : 0.0);
    m_stream.WriteString(6, DxfLineTypeName(pen));
}

void CDxfEntityWriter::DxfWriteLine(const LOGPEN* pen, int x1, int y1, int x2, int y2,
                                    const double* matrix) {
    POINT ends[2] = {POINT{x1, y1}, POINT{x2, y2}};
    MatrixTransformPoints(ends, 2, matrix);
    m_stream.WriteString(0, "LINE");
    m_stream.WriteString(8, "0");
    WritePenGroups(pen);
    WritePoint(10, ends[0]);
    WritePoint(11, ends[1]);
}

void CDxfEntityWriter::DxfWriteArrowHead(const LOGPEN* pen, POINT tip, float ux, float uy,
                                         int kind) {
    if (kind < kArrowOpen || kind > kArrowNarrow)
        return;
    const auto bx = static_cast<LONG>(std::floor(0.5 - kArrowLength * ux));
    const auto by = static_cast<LONG>(std::floor(0.5 - kArrowLength * uy));
    const POINT back = Offset(tip, bx, by);
    const LONG share = kind == kArrowNarrow ? 2 : 3;
    const LONG sx = -share * by / 5;
    const LONG sy = share * bx / 5;
    const POINT head[3] = {Offset(back, sx, sy), tip, Offset(back, -sx, -sy)};
    if (kind == kArrowOpen) {
        DxfWriteLine(pen, head[0].x, head[0].y, tip.x, tip.y, nullptr);
        DxfWriteLine(pen, head[2].x, head[2].y, tip.x, tip.y, nullptr);
        return;
    }
    WritePolyline(nullptr, true, 3, head, nullptr);
}

void CDxfEntityWriter::DxfWriteLwPolyline(const LOGPEN* pen, const LOGBRUSH*, const RECT& rect,
                                          int rotation, const double* matrix) {
    m_stream.WriteString(0, "LWPOLYLINE");
    m_stream.WriteString(5, m_stream.NextHandle());
    m_stream.WriteString(100, "AcDbEntity");
    m_stream.WriteString(8, "0");
    m_stream.WriteInt(62, kEntityColour);
    m_stream.WriteString(100, "AcDbPolyline");
    m_stream.WriteInt(90, 4);
    m_stream.WriteInt(70, 1);
    m_stream.WriteReal(43, 0.0);
    WritePenGroups(pen);
    for (POINT corner : Corners(rect, rotation, matrix))
        WritePoint(10, corner);
}

void CDxfEntityWriter::DxfWrite3DFace(const LOGPEN* pen, const LOGBRUSH*, const RECT& rect, SIZE,
                                      int rotation, const double* matrix) {
    m_stream.WriteString(0, "3DFACE");
    m_stream.WriteString(8, "0");
    WritePenGroups(pen);
    int code = 10;
    for (POINT corner : Corners(rect, rotation, matrix))
        WritePoint(code++, corner);
}

void CDxfEntityWriter::DxfWritePolyline(int, int count, const POINT* points, const double* matrix) {
    WritePolyline(nullptr, false, count, points, matrix);
}

void CDxfEntityWriter::DxfWriteClosedPolyline(int, int, int count, const POINT* points,
                                              const double* matrix) {
    WritePolyline(nullptr, true, count, points, matrix);
}

// A POLYLINE without vertices is no entity a reader accepts, so none is written.
void CDxfEntityWriter::WritePolyline(const LOGPEN* pen, bool closed, int count, const POINT* points,
                                     const double* matrix) {
    if (count < 1 || !points)
        return;
    std::vector<POINT> placed(points, points + count);
    MatrixTransformPoints(placed.data(), count, matrix);
    m_stream.WriteString(0, "POLYLINE");
    m_stream.WriteString(8, "0");
    m_stream.WriteInt(66, 1);
    WritePenGroups(pen);
    if (closed)
        m_stream.WriteInt(70, 1);
    for (POINT p : placed) {
        m_stream.WriteString(0, "VERTEX");
        m_stream.WriteReal(10, p.x * kDrawingUnit);
        m_stream.WriteReal(20, p.y * kDrawingUnit);
    }
    m_stream.WriteString(0, "SEQEND");
}

// The axes come from the normalised rectangle, the longer side giving the major axis. The
// arc runs where the shape draws it: counter-clockwise in the rectangle's frame from the start
// to the end point, reversed when the rectangle or the placement mirrors; DXF arcs always run
// counter-clockwise, so a mirrored arc swaps its ends.
void CDxfEntityWriter::DxfWriteEllipse(const LOGPEN* pen, const LOGBRUSH*, const RECT& rect,
                                       int rotation, POINT arcStart, POINT arcEnd,
                                       const double* matrix) {
    const std::int64_t w = std::int64_t{rect.right} - rect.left;
    const std::int64_t h = std::int64_t{rect.bottom} - rect.top;
    const std::int64_t width = w < 0 ? -w : w;
    const std::int64_t height = h < 0 ? -h : h;
    if (width == 0 || height == 0)
        return;
    const auto cx = static_cast<LONG>((std::int64_t{rect.left} + rect.right) / 2);
    const auto cy = static_cast<LONG>((std::int64_t{rect.top} + rect.bottom) / 2);
    const bool wide = width >= height;
    const double ratio = wide ? double(height) / double(width) : double(width) / double(height);
    const POINT axisEnd = wide ? POINT{static_cast<LONG>(cx + width / 2), cy}
                               : POINT{cx, static_cast<LONG>(cy + height / 2)};
    POINT points[4] = {POINT{cx, cy}, axisEnd, arcStart, arcEnd};
    double storage[kMatrixSize];
    const double* m = Placement(rotation, matrix, storage);
    MatrixTransformPoints(points, 4, m);
    const EllipseAxes axes{double(points[0].x), double(points[0].y),
                           double(points[1].x) - points[0].x, double(points[1].y) - points[0].y,
                           ratio};
    if (axes.mx == 0 && axes.my == 0)
        return;
    double start = 0.0;
    double end = kFullTurn;
    if (arcStart.x != arcEnd.x || arcStart.y != arcEnd.y) {
        const bool mirrored = ((w < 0) != (h < 0)) != (m && MatrixDeterminant(m) < 0);
        start = axes.ParameterOf(points[mirrored ? 3 : 2]);
        end = axes.ParameterOf(points[mirrored ? 2 : 3]);
    }
    m_stream.WriteString(0, "ELLIPSE");
    m_stream.WriteString(8, "0");
    m_stream.WriteReal(39, 0.0);
    m_stream.WriteString(6, DxfLineTypeName(pen));
    WritePoint(10, points[0]);
    m_stream.WriteReal(11, axes.mx * kDrawingUnit);
    m_stream.WriteReal(21, axes.my * kDrawingUnit);
    m_stream.WriteReal(31, 0.0);
    m_stream.WriteReal(40, ratio);
    m_stream.WriteReal(41, TurnFromZero(start));
    m_stream.WriteReal(42, TurnUpToFull(end));
}

void CDxfEntityWriter::DxfWriteCircle(int, int x, int y, int radius) {
    m_stream.WriteString(0, "CIRCLE");
    m_stream.WriteString(8, "0");
    m_stream.WriteReal(39, 0.0);
    WritePoint(10, POINT{x, y});
    m_stream.WriteReal(40, radius * kDrawingUnit);
}

void CDxfEntityWriter::DxfWriteMText(std::string_view text, POINT insertion, int height,
                                     int alignment, double angle, const double* matrix) {
    MatrixTransformPoints(&insertion, 1, matrix);
    const double textHeight = std::abs(double(height)) / kTextHeightDivisor;
    m_stream.WriteString(0, "MTEXT");
    m_stream.WriteString(5, m_stream.NextHandle());
    m_stream.WriteString(100, "AcDbEntity");
    m_stream.WriteString(8, "0");
    m_stream.WriteInt(62, kEntityColour);
    m_stream.WriteString(100, "AcDbMText");
    WritePoint(10, insertion);
    m_stream.WriteReal(40, textHeight);
    m_stream.WriteReal(43, textHeight);
    m_stream.WriteReal(50, angle);
    m_stream.WriteInt(71, alignment);
    m_stream.WriteInt(72, kTextDirectionByStyle);
    m_stream.WriteReal(11, std::cos(angle));
    m_stream.WriteReal(21, std::sin(angle));
    m_stream.WriteReal(31, 0.0);
    WriteTextPieces(text);
}

// The escaped text in the file's code page, in pieces of 250 characters (fewer where the 250th
// would part an escape) as group 3, the rest (1 to 250 characters) as group 1.
void CDxfEntityWriter::WriteTextPieces(std::string_view text) {
    const std::string escaped = DxfCodePageText(MTextEscaped(text));
    std::string_view rest = escaped;
    while (rest.size() > kTextPiece) {
        const std::size_t length = PieceLength(rest);
        m_stream.WriteString(3, rest.substr(0, length));
        rest.remove_prefix(length);
    }
    m_stream.WriteString(1, rest);
}
