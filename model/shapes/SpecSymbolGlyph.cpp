#include "model/shapes/SpecSymbolGlyph.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <utility>
#include <vector>

#include "model/geometry/PlacementMatrix.h"
#include "platform/DC.h"
#include "platform/Geometry.h"

namespace {

// The rectangle of a figure and the primitives it is drawn with, every point mapped through
// the matrix.
class GlyphCanvas {
public:
    GlyphCanvas(CDC* dc, const RECT& rect, const double* matrix);

    // Coordinates num/den of the width or height away from an edge, truncated toward zero.
    LONG FromLeft(int num, int den) const { return Along(left, m_w, num, den); }
    LONG FromRight(int num, int den) const { return Along(right, -m_w, num, den); }
    LONG FromTop(int num, int den) const { return Along(top, m_h, num, den); }
    LONG FromBottom(int num, int den) const { return Along(bottom, -m_h, num, den); }

    void Polygon(std::initializer_list<POINT> points) const;
    void Polyline(std::initializer_list<POINT> points) const;
    void PolyBezier(std::initializer_list<POINT> points) const;
    void Line(POINT from, POINT to) const;
    // The arc on the ellipse of the rectangle with corners a and b, counter-clockwise on the
    // device from the ray through from to the ray through to; a mirrored figure exchanges the
    // two so that the same half of the ellipse is drawn.
    void Arc(POINT a, POINT b, POINT from, POINT to) const;
    // The circle about the mapped centre whose diameter is the smaller side.
    void Circle() const;
    // A figure closed into a path, stroked and filled: the first point, then each further
    // entry either one point (a line) or three (a Bezier segment).
    void FilledPath(std::initializer_list<std::initializer_list<POINT>> runs) const;

    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
    LONG cx;
    LONG cy;

private:
    static LONG Along(LONG edge, std::int64_t span, int num, int den) {
        return static_cast<LONG>(edge + span * num / den);
    }
    std::vector<POINT> Mapped(std::initializer_list<POINT> points) const;
    bool IsMirrored() const;

    CDC* m_dc;
    const double* m_matrix;
    std::int64_t m_w;
    std::int64_t m_h;
};

GlyphCanvas::GlyphCanvas(CDC* dc, const RECT& rect, const double* matrix)
    : left(rect.left),
      top(rect.top),
      right(rect.right),
      bottom(rect.bottom),
      cx(static_cast<LONG>((std::int64_t{rect.left} + rect.right) / 2)),
      cy(static_cast<LONG>((std::int64_t{rect.top} + rect.bottom) / 2)),
      m_dc(dc),
      m_matrix(matrix),
      m_w(std::int64_t{rect.right} - rect.left),
      m_h(std::int64_t{rect.bottom} - rect.top) {}

std::vector<POINT> GlyphCanvas::Mapped(std::initializer_list<POINT> points) const {
    std::vector<POINT> mapped(points);
    MatrixTransformPoints(mapped.data(), static_cast<int>(mapped.size()), m_matrix);
    return mapped;
}

// A matrix with a negative determinant mirrors, and so does a rectangle whose width and
// height have opposite signs.
bool GlyphCanvas::IsMirrored() const {
    bool mirrored = false;
    if (m_matrix) {
        double xs[3] = {0, 1000, 0};
        double ys[3] = {0, 0, 1000};
        MatrixTransformDoubles(xs, ys, 3, m_matrix);
        mirrored = (ys[2] - ys[0]) * (xs[1] - xs[0]) < (xs[2] - xs[0]) * (ys[1] - ys[0]);
    }
    return mirrored != ((m_w < 0) != (m_h < 0));
}

void GlyphCanvas::Polygon(std::initializer_list<POINT> points) const {
    const std::vector<POINT> mapped = Mapped(points);
    m_dc->Polygon(mapped.data(), static_cast<int>(mapped.size()));
}

void GlyphCanvas::Polyline(std::initializer_list<POINT> points) const {
    const std::vector<POINT> mapped = Mapped(points);
    m_dc->Polyline(mapped.data(), static_cast<int>(mapped.size()));
}

void GlyphCanvas::PolyBezier(std::initializer_list<POINT> points) const {
    const std::vector<POINT> mapped = Mapped(points);
    m_dc->PolyBezier(mapped.data(), static_cast<int>(mapped.size()));
}

void GlyphCanvas::Line(POINT from, POINT to) const {
    const std::vector<POINT> mapped = Mapped({from, to});
    m_dc->MoveTo(mapped[0]);
    m_dc->LineTo(mapped[1]);
}

void GlyphCanvas::Arc(POINT a, POINT b, POINT from, POINT to) const {
    std::vector<POINT> mapped = Mapped({a, b, from, to});
    if (IsMirrored())
        std::swap(mapped[2], mapped[3]);
    const RECT rect{mapped[0].x, mapped[0].y, mapped[1].x, mapped[1].y};
    m_dc->Arc(&rect, mapped[2], mapped[3]);
}

void GlyphCanvas::Circle() const {
    const POINT centre = Mapped({{cx, cy}})[0];
    const auto radius = static_cast<LONG>(std::min(std::llabs(m_w), std::llabs(m_h)) / 2);
    m_dc->Ellipse(WrapSub(centre.x, radius), WrapSub(centre.y, radius), WrapAdd(centre.x, radius),
                  WrapAdd(centre.y, radius));
}

void GlyphCanvas::FilledPath(std::initializer_list<std::initializer_list<POINT>> runs) const {
    m_dc->BeginPath();
    for (const std::initializer_list<POINT>& run : runs) {
        const std::vector<POINT> mapped = Mapped(run);
        if (&run == runs.begin())
            m_dc->MoveTo(mapped[0]);
        else if (mapped.size() == 1)
            m_dc->LineTo(mapped[0]);
        else
            m_dc->PolyBezierTo(mapped.data(), static_cast<int>(mapped.size()));
    }
    m_dc->EndPath();
    m_dc->StrokeAndFillPath();
}

// ---------------------------------------------------------------------------------------------
// The figures, by kind, with the names the symbol page lists them under.

// The diamond of the open-circuit marks.
void Diamond(const GlyphCanvas& c) {
    c.Polygon({{c.left, c.cy}, {c.cx, c.bottom}, {c.right, c.cy}, {c.cx, c.top}});
}

// 1 Dot
void PaintDot(const GlyphCanvas& c) {
    c.Circle();
}

// 2 Right-left signal flow
void PaintRightLeftFlow(const GlyphCanvas& c) {
    c.Polygon({{c.left, c.cy}, {c.right, c.top}, {c.right, c.bottom}});
}

// 3 Clock
void PaintClock(const GlyphCanvas& c) {
    c.Polyline({{c.left, c.top}, {c.right, c.cy}, {c.left, c.bottom}});
}

// 4 Signal low
void PaintSignalLow(const GlyphCanvas& c) {
    c.Polygon({{c.right, c.top}, {c.left, c.top}, {c.left, c.bottom}});
}

// 5 Analog signal in: the upper half of a circle on two legs.
void PaintAnalogIn(const GlyphCanvas& c) {
    c.Arc({c.left, c.bottom}, {c.right, c.top}, {c.right, c.cy}, {c.left, c.cy});
    c.Line({c.right, c.cy}, {c.right, c.top});
    c.Line({c.left, c.cy}, {c.left, c.top});
}

// 6 Not logic connection
void PaintNotLogic(const GlyphCanvas& c) {
    c.Line({c.left, c.top}, {c.right, c.bottom});
    c.Line({c.left, c.bottom}, {c.right, c.top});
}

// 7 Shift right
void PaintShiftRight(const GlyphCanvas& c) {
    c.Polygon({{c.left, c.cy}, {c.cx, c.bottom}, {c.cx, c.top}});
    c.Line({c.right, c.cy}, {c.cx, c.cy});
}

// 8 Postponed output
void PaintPostponed(const GlyphCanvas& c) {
    c.Polyline({{c.left, c.bottom}, {c.right, c.bottom}, {c.right, c.top}});
}

// 9 Open collector: the diamond over a bar.
void PaintOpenCollector(const GlyphCanvas& c) {
    Diamond(c);
    c.Line({c.left, c.top}, {c.right, c.top});
}

// 10 High impedance
void PaintHighImpedance(const GlyphCanvas& c) {
    c.Polygon({{c.left, c.bottom}, {c.right, c.bottom}, {c.cx, c.top}});
}

// 11 High current, and 27 Invertor
void PaintHighCurrent(const GlyphCanvas& c) {
    c.Polygon({{c.left, c.bottom}, {c.left, c.top}, {c.right, c.cy}});
}

// 12 Pulse
void PaintPulse(const GlyphCanvas& c) {
    const LONG x1 = c.FromLeft(1, 3);
    const LONG x2 = c.FromRight(1, 3);
    c.Polyline({{c.left, c.top},
                {x1, c.top},
                {x1, c.bottom},
                {x2, c.bottom},
                {x2, c.top},
                {c.right, c.top}});
}

// 13 Schmitt
void PaintSchmitt(const GlyphCanvas& c) {
    c.Polyline({{c.left, c.top}, {c.FromRight(1, 3), c.top}, {c.FromRight(1, 4), c.bottom}});
    c.Polyline({{c.right, c.bottom}, {c.FromLeft(1, 3), c.bottom}, {c.FromLeft(1, 4), c.top}});
}

// 14 Delay
void PaintDelay(const GlyphCanvas& c) {
    c.Line({c.left, c.top}, {c.left, c.bottom});
    c.Line({c.left, c.cy}, {c.right, c.cy});
    c.Line({c.right, c.bottom}, {c.right, c.top});
}

// 15 Group line
void PaintGroupLine(const GlyphCanvas& c) {
    c.Polyline({{c.left, c.bottom}, {c.right, c.bottom}, {c.right, c.top}, {c.left, c.top}});
}

// 16 Group bin: a brace opening to the left.
void PaintGroupBin(const GlyphCanvas& c) {
    const LONG mid = c.FromLeft(1, 2);
    c.Polyline({{c.left, c.bottom},
                {mid, c.FromBottom(1, 6)},
                {mid, c.FromBottom(1, 3)},
                {c.right, c.cy},
                {mid, c.FromTop(1, 3)},
                {mid, c.FromTop(1, 6)},
                {c.left, c.top}});
}

// 17 Active low output
void PaintActiveLowOutput(const GlyphCanvas& c) {
    c.Line({c.left, c.bottom}, {c.right, c.top});
}

// 18 Pi: a bar with a serif at its left end, two legs, each leg ending in a small curl
// (twelfths of the width, tenths of the height).
void PaintPi(const GlyphCanvas& c) {
    const LONG barY = c.FromTop(8, 10);
    const LONG footY = c.FromTop(2, 10);
    const LONG leftLeg = c.FromLeft(4, 12);
    const LONG rightLeg = c.FromLeft(8, 12);
    c.Polygon({{c.left, barY}, {c.right, barY}, {c.right, c.bottom}, {c.left, c.bottom}});
    c.Line({c.left, barY}, {c.left, c.FromTop(6, 10)});
    c.Line({leftLeg, barY}, {leftLeg, footY});
    c.Line({rightLeg, barY}, {rightLeg, footY});
    const LONG curlTop = c.FromTop(3, 10);
    const LONG curlBottom = c.FromTop(1, 10);
    const LONG leftCurl = c.FromLeft(2, 12);
    const LONG rightCurl = c.FromLeft(10, 12);
    c.Arc({leftCurl, curlTop}, {leftLeg, curlBottom}, {leftCurl, footY}, {leftLeg, footY});
    c.Arc({rightLeg, curlTop}, {rightCurl, curlBottom}, {rightLeg, footY}, {rightCurl, footY});
}

// 19 Greater than or equal to: the angle above a bar.
void PaintGreaterEqual(const GlyphCanvas& c) {
    c.Polyline(
        {{c.left, c.bottom}, {c.right, c.FromBottom(6, 14)}, {c.left, c.FromBottom(12, 14)}});
    c.Line({c.left, c.top}, {c.right, c.top});
}

// 20 Less than or equal to
void PaintLessEqual(const GlyphCanvas& c) {
    c.Polyline(
        {{c.right, c.bottom}, {c.left, c.FromBottom(6, 14)}, {c.right, c.FromBottom(12, 14)}});
    c.Line({c.right, c.top}, {c.left, c.top});
}

// 21 Sigma (hundredths of the width from the left, of the height down from the bottom edge)
void PaintSigma(const GlyphCanvas& c) {
    c.Polyline({{c.FromLeft(93, 100), c.FromBottom(20, 100)},
                {c.FromLeft(87, 100), c.bottom},
                {c.FromLeft(10, 100), c.bottom},
                {c.FromLeft(57, 100), c.FromBottom(46, 100)},
                {c.FromLeft(3, 100), c.top},
                {c.FromLeft(83, 100), c.top},
                {c.FromLeft(97, 100), c.FromBottom(74, 100)}});
}

// 22 Open collector pullup: the open-collector mark with a bar through the diamond.
void PaintOpenCollectorPullup(const GlyphCanvas& c) {
    Diamond(c);
    c.Line({c.left, c.cy}, {c.right, c.cy});
    c.Line({c.left, c.top}, {c.right, c.top});
}

// 23 Open emitter: the diamond under a bar.
void PaintOpenEmitter(const GlyphCanvas& c) {
    Diamond(c);
    c.Line({c.left, c.bottom}, {c.right, c.bottom});
}

// 24 Open emitter pullup
void PaintOpenEmitterPullup(const GlyphCanvas& c) {
    Diamond(c);
    c.Line({c.left, c.cy}, {c.right, c.cy});
    c.Line({c.left, c.bottom}, {c.right, c.bottom});
}

// 25 Digital signal in
void PaintDigitalIn(const GlyphCanvas& c) {
    c.Line({c.FromLeft(3, 14), c.top}, {c.FromLeft(5, 14), c.bottom});
    c.Line({c.FromLeft(9, 14), c.top}, {c.FromLeft(11, 14), c.bottom});
    c.Line({c.left, c.FromBottom(1, 4)}, {c.right, c.FromBottom(1, 4)});
    c.Line({c.left, c.FromBottom(3, 4)}, {c.right, c.FromBottom(3, 4)});
}

// 26 AND
void PaintAnd(const GlyphCanvas& c) {
    const LONG flatEnd = c.FromLeft(2, 3);
    c.Polyline({{flatEnd, c.bottom}, {c.left, c.bottom}, {c.left, c.top}, {flatEnd, c.top}});
    c.Arc({c.FromLeft(1, 3), c.bottom}, {c.right, c.top}, {flatEnd, c.top}, {flatEnd, c.bottom});
}

// 28 OR and 29 XOR. The OR body is 13 units wide (a unit is a 13th of an OR's width, a 14th
// of an XOR's, whose body starts one unit in): a flat run at each side, two Bezier segments
// meeting at the tip and a concave back, stroked and filled; two input leads from the left
// edge to the back. An XOR adds a second back curve one unit behind the body.
void PaintOrBody(const GlyphCanvas& c, bool exclusive) {
    const int units = exclusive ? 14 : 13;
    const int offset = exclusive ? 1 : 0;
    // x at num/den units into the body.
    const auto x = [&](int num, int den = 1) {
        return c.FromLeft(offset * den + num, units * den);
    };
    const LONG lower = c.FromTop(1, 4);
    const LONG upper = c.FromBottom(1, 4);
    const LONG backLow = c.FromTop(1, 3);
    const LONG backHigh = c.FromBottom(1, 3);
    c.FilledPath({{{x(1), c.top}},
                  {{x(4), c.top}},
                  {{x(8), c.top}, {x(11), lower}, {x(13), c.cy}},
                  {{x(11), upper}, {x(8), c.bottom}, {x(4), c.bottom}},
                  {{x(1), c.bottom}},
                  {{x(3), backHigh}, {x(3), backLow}, {x(1), c.top}}});
    if (exclusive)
        c.PolyBezier({{x(0), c.bottom}, {x(2), backHigh}, {x(2), backLow}, {x(0), c.top}});
    // The back curve passes x = 17/8 units at a quarter and three quarters of the height.
    c.Line({c.left, lower}, {x(17, 8), lower});
    c.Line({c.left, upper}, {x(17, 8), upper});
}

void PaintOr(const GlyphCanvas& c) {
    PaintOrBody(c, false);
}

void PaintXor(const GlyphCanvas& c) {
    PaintOrBody(c, true);
}

// 30 Shift left: the mirror image of shift right.
void PaintShiftLeft(const GlyphCanvas& c) {
    c.Polygon({{c.right, c.cy}, {c.cx, c.bottom}, {c.cx, c.top}});
    c.Line({c.left, c.cy}, {c.cx, c.cy});
}

// 31 Input/Output: a hexagon pointed at both ends.
void PaintInputOutput(const GlyphCanvas& c) {
    const LONG x1 = c.FromLeft(2, 13);
    const LONG x2 = c.FromRight(2, 13);
    c.Polygon({{c.left, c.cy},
               {x1, c.bottom},
               {x2, c.bottom},
               {c.right, c.cy},
               {x2, c.top},
               {x1, c.top}});
}

using GlyphPainter = void (*)(const GlyphCanvas&);

constexpr GlyphPainter kPainters[kSpecSymbolKinds + 1] = {
    nullptr,
    PaintDot,
    PaintRightLeftFlow,
    PaintClock,
    PaintSignalLow,
    PaintAnalogIn,
    PaintNotLogic,
    PaintShiftRight,
    PaintPostponed,
    PaintOpenCollector,
    PaintHighImpedance,
    PaintHighCurrent,
    PaintPulse,
    PaintSchmitt,
    PaintDelay,
    PaintGroupLine,
    PaintGroupBin,
    PaintActiveLowOutput,
    PaintPi,
    PaintGreaterEqual,
    PaintLessEqual,
    PaintSigma,
    PaintOpenCollectorPullup,
    PaintOpenEmitter,
    PaintOpenEmitterPullup,
    PaintDigitalIn,
    PaintAnd,
    PaintHighCurrent,
    PaintOr,
    PaintXor,
    PaintShiftLeft,
    PaintInputOutput,
};

}  // namespace

void DrawSpecSymbolGlyph(CDC* dc, int kind, const RECT& rect, const double* matrix) {
    if (!dc || kind < 1 || kind > kSpecSymbolKinds)
        return;
    kPainters[kind](GlyphCanvas(dc, rect, matrix));
}
