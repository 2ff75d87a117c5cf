#include "model/geometry/VectorAngle.h"

#include <cmath>

#include "platform/Geometry.h"

namespace {

constexpr double kTenthsPerRadian = 572.9577951289617;
constexpr int kFullTurn = 3600;

int Vertical(double dy) {
    return dy > 0 ? 900 : -900;
}

}  // namespace

int AngleFromVector(double dy, double dx) {
    if (std::fabs(dx) < 0.000001)
        return Vertical(dy);
    const double ratio = dy / dx;
    if (std::fabs(ratio) < 0.001)
        return dx < 0 ? 1800 : 0;
    if (std::fabs(ratio) > 1000)
        return Vertical(dy);
    const int t = static_cast<int>(RoundToLong(std::atan(ratio) * kTenthsPerRadian));
    if (dx > 0)
        return t;
    return t < 0 ? t + 1800 : t - 1800;
}

int NormalizedAngle(int angle) {
    const int rest = angle % kFullTurn;
    return rest < 0 ? rest + kFullTurn : rest;
}
