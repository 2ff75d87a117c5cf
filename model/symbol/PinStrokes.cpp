#include "model/symbol/PinStrokes.h"

#include <cmath>

#include "model/symbol/Pin.h"

namespace {

constexpr int kZeroLengthStep = 20;

// Points of a frame along a line: (along, across) from its start.
class LineFrame {
public:
    LineFrame(POINT start, POINT end) : m_start(start) {
        const double dx = double(end.x) - start.x;
        const double dy = double(end.y) - start.y;
        m_length = std::hypot(dx, dy);
        m_ux = m_length < 1 ? 1 : dx / m_length;
        m_uy = m_length < 1 ? 0 : dy / m_length;
    }
    POINT At(double along, double across) const {
        return POINT{RoundToLong(m_start.x + m_ux * along - m_uy * across),
                     RoundToLong(m_start.y + m_uy * along + m_ux * across)};
    }
    double Length() const { return m_length; }

private:
    POINT m_start;
    double m_length;
    double m_ux;
    double m_uy;
};

void AddDecoration(PinStrokes& strokes, const LineFrame& line, double half, DWORD symbol,
                   bool outputLike) {
    auto stroke = [&](double a1, double c1, double a2, double c2) {
        strokes.lines.emplace_back(line.At(a1, c1), line.At(a2, c2));
    };
    switch (symbol) {
        case kPinBubble:
            strokes.bubble = CRect(line.At(half / 2, 0), line.At(half / 2, 0));
            strokes.bubble->InflateRect(RoundToLong(half / 2), RoundToLong(half / 2));
            break;
        case kPinInverting:
        case kPinInvertingOther:
            if (outputLike) {
                stroke(0, 0, half, half);
                stroke(half, half, half, 0);
            } else {
                stroke(0, half, half, 0);
            }
            break;
        case kPinOpenCollector:
            stroke(0, 0, half / 2, half / 2);
            stroke(half / 2, half / 2, half, 0);
            stroke(half, 0, half / 2, -half / 2);
            stroke(half / 2, -half / 2, 0, 0);
            break;
        default:
            break;
    }
}

}  // namespace

PinStrokes MakePinStrokes(POINT body, POINT hot, int decorationSize, DWORD symbol, bool outputLike,
                          bool extraMark) {
    PinStrokes strokes;
    const LineFrame line(body, hot);
    const double half = decorationSize / 2.0;
    if (symbol == kPinBus && decorationSize > 0) {
        const double q = half / 2;
        strokes.band = std::array<POINT, 4>{line.At(0, q), line.At(line.Length(), q),
                                            line.At(line.Length(), -q), line.At(0, -q)};
    } else {
        const double lineStart = symbol == kPinBubble ? std::min(half, line.Length()) : 0;
        strokes.lines.emplace_back(line.At(lineStart, 0), hot);
        AddDecoration(strokes, line, half, symbol, outputLike);
    }
    if (extraMark) {
        for (const double along : {half / 3, 2 * half / 3})
            strokes.lines.emplace_back(line.At(along, half / 2), line.At(along, -half / 2));
    }
    return strokes;
}

std::array<POINT, 4> PinBand(POINT body, POINT hot, int decorationSize) {
    if (body.x == hot.x && body.y == hot.y)
        hot = POINT{WrapAdd(body.x, kZeroLengthStep), body.y};
    const LineFrame line(body, hot);
    const double half = decorationSize / 2.0;
    return {line.At(-half, half), line.At(line.Length() + half, half),
            line.At(line.Length() + half, -half), line.At(-half, -half)};
}
