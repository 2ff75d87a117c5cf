#pragma once
// Points, sizes and rectangles with the framework's operations, and the integer
// helpers that sheet arithmetic relies on.
//
// Coordinate sums and differences wrap around in 32 bits, as they do on the original
// platform, so extreme coordinates read from a damaged file never overflow.
// Rectangles are half-open: a point on the right or bottom edge is outside.

#include <cstdint>
#include <limits>

#include "platform/GdiTypes.h"

constexpr LONG WrapAdd(LONG a, LONG b) {
    return static_cast<LONG>(static_cast<ULONG>(a) + static_cast<ULONG>(b));
}
constexpr LONG WrapSub(LONG a, LONG b) {
    return static_cast<LONG>(static_cast<ULONG>(a) - static_cast<ULONG>(b));
}
// A wide result cut to the coordinate range, for the places where a wrap would land far away.
constexpr LONG SaturatedLong(std::int64_t v) {
    constexpr std::int64_t lo = std::numeric_limits<LONG>::min();
    constexpr std::int64_t hi = std::numeric_limits<LONG>::max();
    return static_cast<LONG>(v < lo ? lo : v > hi ? hi : v);
}

class CSize;

// Equality operators are declared as ==; != follows from them.
class CPoint : public POINT {
public:
    CPoint() = default;
    CPoint(int initX, int initY) {
        x = initX;
        y = initY;
    }
    CPoint(POINT p) : POINT(p) {}
    CPoint(SIZE s) : POINT{s.cx, s.cy} {}
    // Packed as in a window message: x in the low word, y in the high word, both signed.
    explicit CPoint(DWORD packed)
        : POINT{static_cast<std::int16_t>(LOWORD(packed)),
                static_cast<std::int16_t>(HIWORD(packed))} {}

    void Offset(int dx, int dy) {
        x = WrapAdd(x, dx);
        y = WrapAdd(y, dy);
    }
    void Offset(POINT p) { Offset(p.x, p.y); }
    void Offset(SIZE s) { Offset(s.cx, s.cy); }

    // Symmetric, so that C++20's reversed comparisons find one candidate only.
    friend bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
    CPoint& operator+=(SIZE s) {
        Offset(s);
        return *this;
    }
    CPoint& operator-=(SIZE s) { return *this = *this - s; }
    CPoint& operator+=(POINT p) {
        Offset(p);
        return *this;
    }
    CPoint& operator-=(POINT p) { return *this = CPoint(WrapSub(x, p.x), WrapSub(y, p.y)); }
    CPoint operator+(SIZE s) const { return CPoint(WrapAdd(x, s.cx), WrapAdd(y, s.cy)); }
    CPoint operator+(POINT p) const { return CPoint(WrapAdd(x, p.x), WrapAdd(y, p.y)); }
    CPoint operator-(SIZE s) const { return CPoint(WrapSub(x, s.cx), WrapSub(y, s.cy)); }
    CSize operator-(POINT p) const;  // the distance from p to this point
    CPoint operator-() const { return CPoint(WrapSub(0, x), WrapSub(0, y)); }
};

class CSize : public SIZE {
public:
    CSize() = default;
    CSize(int initCx, int initCy) {
        cx = initCx;
        cy = initCy;
    }
    CSize(SIZE s) : SIZE(s) {}
    CSize(POINT p) : SIZE{p.x, p.y} {}

    friend bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
    CSize& operator+=(SIZE s) { return *this = *this + s; }
    CSize& operator-=(SIZE s) { return *this = *this - s; }
    CSize operator+(SIZE s) const { return CSize(WrapAdd(cx, s.cx), WrapAdd(cy, s.cy)); }
    CSize operator-(SIZE s) const { return CSize(WrapSub(cx, s.cx), WrapSub(cy, s.cy)); }
    CSize operator-() const { return CSize(WrapSub(0, cx), WrapSub(0, cy)); }
};

inline CSize CPoint::operator-(POINT p) const {
    return CSize(WrapSub(x, p.x), WrapSub(y, p.y));
}

// TopLeft() and BottomRight() return copies (const, so that assigning to them does
// not compile); move corners through SetRect or the members.
class CRect : public RECT {
public:
    CRect() = default;
    CRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& r) : RECT(r) {}
    CRect(POINT topLeft, SIZE size)
        : RECT{topLeft.x, topLeft.y, WrapAdd(topLeft.x, size.cx), WrapAdd(topLeft.y, size.cy)} {}
    CRect(POINT topLeft, POINT bottomRight)
        : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return WrapSub(right, left); }
    int Height() const { return WrapSub(bottom, top); }
    CSize Size() const { return CSize(Width(), Height()); }
    const CPoint TopLeft() const { return CPoint(left, top); }
    const CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const;

    BOOL IsRectEmpty() const { return left >= right || top >= bottom; }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    BOOL EqualRect(const RECT& r) const { return *this == r; }

    void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(const RECT& r) { *this = CRect(r); }

    // Inflating moves every edge outwards; deflating moves them inwards.
    void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
    void InflateRect(const RECT& r) { InflateRect(r.left, r.top, r.right, r.bottom); }
    void InflateRect(int l, int t, int r, int b);
    void DeflateRect(int dx, int dy) { DeflateRect(dx, dy, dx, dy); }
    void DeflateRect(SIZE s) { DeflateRect(s.cx, s.cy); }
    void DeflateRect(const RECT& r) { DeflateRect(r.left, r.top, r.right, r.bottom); }
    void DeflateRect(int l, int t, int r, int b);
    void OffsetRect(int dx, int dy);
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
    void NormalizeRect();

    // Set operations on half-open rectangles; an empty rectangle is the empty set.
    // Each stores its result here (either argument may be *this) and returns whether
    // the result is non-empty; an empty result is stored as (0, 0, 0, 0).
    BOOL IntersectRect(const RECT& a, const RECT& b);
    BOOL UnionRect(const RECT& a, const RECT& b);
    // a less b when that is a rectangle (b covers a whole side of a), else a itself.
    BOOL SubtractRect(const RECT& a, const RECT& b);

    friend bool operator==(const RECT& a, const RECT& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    CRect& operator+=(POINT p) { return Offset(p.x, p.y); }
    CRect& operator+=(SIZE s) { return Offset(s.cx, s.cy); }
    CRect& operator-=(POINT p) { return Offset(WrapSub(0, p.x), WrapSub(0, p.y)); }
    CRect& operator-=(SIZE s) { return Offset(WrapSub(0, s.cx), WrapSub(0, s.cy)); }
    CRect& operator&=(const RECT& r) {
        IntersectRect(*this, r);
        return *this;
    }
    CRect& operator|=(const RECT& r) {
        UnionRect(*this, r);
        return *this;
    }
    CRect operator+(POINT p) const { return CRect(*this) += p; }
    CRect operator+(SIZE s) const { return CRect(*this) += s; }
    CRect operator-(POINT p) const { return CRect(*this) -= p; }
    CRect operator-(SIZE s) const { return CRect(*this) -= s; }
    CRect operator&(const RECT& r) const { return CRect(*this) &= r; }
    CRect operator|(const RECT& r) const { return CRect(*this) |= r; }

private:
    CRect& Offset(int dx, int dy) {
        OffsetRect(dx, dy);
        return *this;
    }
};

// number x numerator / denominator with a 64-bit product, rounded half away from
// zero; -1 when the denominator is 0 or the result does not fit in 32 bits.
int MulDiv(int number, int numerator, int denominator);

// The rounding of doubles to sheet coordinates: floor(v + 0.5). Values beyond the
// LONG range saturate at its ends; NaN gives 0.
LONG RoundToLong(double v);
