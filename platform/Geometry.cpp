#include "platform/Geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

// rest less cut, where cut lies inside rest: only a cut spanning a whole side of rest
// leaves a rectangle; any other cut leaves rest as it is.
CRect RemoveSide(CRect rest, const CRect& cut) {
    if (cut.top == rest.top && cut.bottom == rest.bottom) {
        if (cut.left == rest.left)
            rest.left = cut.right;
        else if (cut.right == rest.right)
            rest.right = cut.left;
    } else if (cut.left == rest.left && cut.right == rest.right) {
        if (cut.top == rest.top)
            rest.top = cut.bottom;
        else if (cut.bottom == rest.bottom)
            rest.bottom = cut.top;
    }
    return rest;
}

}  // namespace

CPoint CRect::CenterPoint() const {
    const auto mid = [](LONG a, LONG b) {
        return static_cast<LONG>((std::int64_t{a} + std::int64_t{b}) / 2);
    };
    return CPoint(mid(left, right), mid(top, bottom));
}

void CRect::InflateRect(int l, int t, int r, int b) {
    left = WrapSub(left, l);
    top = WrapSub(top, t);
    right = WrapAdd(right, r);
    bottom = WrapAdd(bottom, b);
}

void CRect::DeflateRect(int l, int t, int r, int b) {
    left = WrapAdd(left, l);
    top = WrapAdd(top, t);
    right = WrapSub(right, r);
    bottom = WrapSub(bottom, b);
}

void CRect::OffsetRect(int dx, int dy) {
    left = WrapAdd(left, dx);
    right = WrapAdd(right, dx);
    top = WrapAdd(top, dy);
    bottom = WrapAdd(bottom, dy);
}

void CRect::NormalizeRect() {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

BOOL CRect::IntersectRect(const RECT& a, const RECT& b) {
    const CRect first(a), second(b);
    const CRect common(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                       std::min(a.bottom, b.bottom));
    if (first.IsRectEmpty() || second.IsRectEmpty() || common.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    *this = common;
    return TRUE;
}

BOOL CRect::UnionRect(const RECT& a, const RECT& b) {
    const CRect first(a), second(b);
    if (first.IsRectEmpty() && second.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    if (first.IsRectEmpty() || second.IsRectEmpty()) {
        *this = first.IsRectEmpty() ? second : first;
        return TRUE;
    }
    SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom));
    return TRUE;
}

BOOL CRect::SubtractRect(const RECT& a, const RECT& b) {
    CRect rest(a);
    CRect cut;
    if (cut.IntersectRect(a, b))
        rest = cut == rest ? CRect() : RemoveSide(rest, cut);
    if (rest.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    *this = rest;
    return TRUE;
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    // Both magnitudes stay far below the 64-bit limits: |product| <= 2^62.
    const std::int64_t product = std::int64_t{number} * numerator;
    const std::int64_t divisor = std::abs(std::int64_t{denominator});
    const std::int64_t rounded = (std::abs(product) + divisor / 2) / divisor;
    const std::int64_t result = (product < 0) != (denominator < 0) ? -rounded : rounded;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max())
        return -1;
    return static_cast<int>(result);
}

LONG RoundToLong(double v) {
    const double rounded = std::floor(v + 0.5);
    if (std::isnan(rounded))
        return 0;
    if (rounded <= std::numeric_limits<LONG>::min())
        return std::numeric_limits<LONG>::min();
    if (rounded >= std::numeric_limits<LONG>::max())
        return std::numeric_limits<LONG>::max();
    return static_cast<LONG>(rounded);
}
