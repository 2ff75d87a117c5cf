#include "model/geometry/PointTransforms.h"

#include "model/geometry/PlacementMatrix.h"
#include "platform/Geometry.h"

void RotatePoints(POINT* points, int count, int angle) {
    RotatePointsAbout(points, count, angle, 0, 0);
}

void RotatePointsAbout(POINT* points, int count, int angle, int cx, int cy) {
    double cosine = 0;
    double sine = 0;
    TurnCosineSine(angle, cosine, sine);
    for (int i = 0; i < count; ++i) {
        const double x = static_cast<double>(points[i].x) - cx;
        const double y = static_cast<double>(points[i].y) - cy;
        points[i].x = RoundToLong(cx + (x * cosine - y * sine));
        points[i].y = RoundToLong(cy + (y * cosine + x * sine));
    }
}

void MirrorPoints(POINT* points, int count, double x1, double y1, double x2, double y2) {
    const double nx = y1 - y2;
    const double ny = x2 - x1;
    const double lengthSquared = nx * nx + ny * ny;
    if (lengthSquared == 0)
        return;
    for (int i = 0; i < count; ++i) {
        const double s = nx * (points[i].x - x1) + ny * (points[i].y - y1);
        points[i].x = WrapSub(points[i].x, RoundToLong(2 * s * nx / lengthSquared));
        points[i].y = WrapSub(points[i].y, RoundToLong(2 * s * ny / lengthSquared));
    }
}
