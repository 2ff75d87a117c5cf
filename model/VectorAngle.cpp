#include "model/VectorAngle.h"

#include <cmath>

namespace {

constexpr double kTenthsPerRadian = 572.9577951289617;

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
    const int t = static_cast<int>(std::floor(std::atan(ratio) * kTenthsPerRadian + 0.5));
    if (dx > 0)
        return t;
    return t < 0 ? t + 1800 : t - 1800;
}
