#include "model/geometry/FloatGeometry.h"

#include <cmath>

#include "platform/Archive.h"

IMPLEMENT_SERIAL(CFPoint, CObject, 1)
IMPLEMENT_SERIAL(CFRect, CObject, 1)

void CFPoint::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << x << y;
    else
        ar >> x >> y;
}

void CFPoint::Scale(float length) {
    const double current = std::hypot(static_cast<double>(x), static_cast<double>(y));
    if (current < 1e-5f)
        return;
    x = static_cast<float>(x * length / current);
    y = static_cast<float>(y * length / current);
}

void CFRect::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        ar << f1 << f2 << f4 << f3;
    else
        ar >> f1 >> f2 >> f4 >> f3;
}
