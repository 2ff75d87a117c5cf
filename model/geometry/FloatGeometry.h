#pragma once
// Two small persistent float types: a point or vector of 32-bit floats, and a record of four
// 32-bit floats.

#include "platform/Object.h"

class CFPoint : public CObject {
    DECLARE_SERIAL(CFPoint)
public:
    CFPoint() = default;
    CFPoint(float initX, float initY) : x(initX), y(initY) {}

    // Record: x then y.
    void Serialize(CArchive& ar) override;

    // Scales the vector to the given length; one shorter than 1e-5 stays as it is.
    void Scale(float length);

    float x = 0;
    float y = 0;
};

class CFRect : public CObject {
    DECLARE_SERIAL(CFRect)
public:
    CFRect() = default;
    CFRect(float v1, float v2, float v3, float v4) : f1(v1), f2(v2), f3(v3), f4(v4) {}

    // Record: f1, f2, f4, f3 (the last two in swapped order, both ways).
    void Serialize(CArchive& ar) override;

    float f1 = 0;
    float f2 = 0;
    float f3 = 0;
    float f4 = 0;
};
