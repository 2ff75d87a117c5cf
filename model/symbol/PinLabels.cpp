#include "model/symbol/PinLabels.h"

#include <cmath>

#include "model/geometry/VectorAngle.h"
#include "platform/Geometry.h"

namespace {

// Angles of the reading direction that need no turning.
constexpr int kUprightLow = -899;
constexpr int kUprightHigh = 900;
constexpr double kRunScale = 1000.0;

struct Vec {
    double x;
    double y;
};

POINT At(POINT base, Vec a, double along, Vec b, double across) {
    return POINT{RoundToLong(base.x + a.x * along + b.x * across),
                 RoundToLong(base.y + a.y * along + b.y * across)};
}

}  // namespace

PinLabel ParsePinLabel(const CString& text) {
    PinLabel label;
    const int length = text.GetLength();
    for (int i = 0; i < length; ++i) {
        if (text[i] == '\\' && i < kOverbarScanLimit) {
            if (++i >= length)
                break;
            label.overlined.push_back(label.shown.GetLength());
        }
        label.shown += text[i];
    }
    return label;
}

PinTextQuad PinTextPlace(PinText which, POINT body, POINT hot, LONG width, LONG height) {
    Vec u{double(hot.x) - body.x, double(hot.y) - body.y};
    const double length = std::hypot(u.x, u.y);
    u = length < 1 ? Vec{1, 0} : Vec{u.x / length, u.y / length};
    const int lineAngle = AngleFromVector(u.y, u.x);
    const bool along = lineAngle >= kUprightLow && lineAngle <= kUprightHigh;
    const Vec run = along ? u : Vec{-u.x, -u.y};
    const Vec up{-run.y, run.x};
    const double w = width;
    const double h = height;
    // Distances along the line (from the body end towards the hot end) of the text's two ends.
    const double nearEnd = which == PinText::Name ? -kPinNameGap : kPinNumberGap;
    const double farEnd = which == PinText::Name ? nearEnd - w : nearEnd + w;
    const double start = (farEnd < nearEnd) == along ? farEnd : nearEnd;
    const double top = which == PinText::Name ? h / 2 : h;
    const double bottom = top - h;
    const POINT origin = At(body, u, start, up, top);
    PinTextQuad quad{};
    quad.corners[0] = origin;
    quad.corners[1] = At(origin, run, w, up, 0);
    quad.corners[2] = At(body, u, start, up, bottom);
    quad.corners[2] = At(quad.corners[2], run, w, up, 0);
    quad.corners[3] = At(body, u, start, up, bottom);
    quad.origin = origin;
    quad.run = POINT{RoundToLong(run.x * kRunScale), RoundToLong(run.y * kRunScale)};
    quad.angle = AngleFromVector(run.y, run.x);
    return quad;
}
