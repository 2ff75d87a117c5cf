#include "model/symbol/SubcctPlacement.h"

#include <algorithm>

#include "model/doc/DrawDoc.h"

namespace {

constexpr int kFirstLeft = 500;
constexpr int kFirstTop = -500;
constexpr int kStep = 200;

bool Overlaps(CRect a, CRect b) {
    a.NormalizeRect();
    b.NormalizeRect();
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

CSize FindSubcctPlace(CDrawDoc& document, const CRect& block, CPoint anchor,
                      const std::function<CPoint(CPoint)>& snap) {
    CRect normal = block;
    normal.NormalizeRect();
    const int left0 = normal.left;
    const int top0 = normal.bottom;  // the upper edge, y growing upwards
    const int width = normal.Width();
    const int height = normal.Height();
    // The frame's inside: the drawing area less the frame's margins (normalised, so its
    // upper edge is bottom).
    const CRect inside = document.m_border.GetInnerRect(document.GetDrawingArea());
    CRect titleBlock;
    document.GetTitleBlockRect(titleBlock);
    const auto onGrid = [&](int left, int top) {
        const CSize offset(left - left0, top - top0);
        const CPoint moved = anchor + offset;
        return offset + (snap(moved) - moved);
    };
    const int firstLeft = std::max(kFirstLeft, int(inside.left));
    const int firstTop = std::min(kFirstTop, int(inside.bottom));
    for (int left = firstLeft; left + width <= inside.right; left += kStep) {
        for (int top = firstTop; top - height >= inside.top; top -= kStep) {
            const CSize offset = onGrid(left, top);
            CRect there(normal);
            there.OffsetRect(offset);
            there = CRect(there.left, there.bottom, there.right, there.top);  // upper edge first
            const bool inFrame = there.left >= inside.left && there.right <= inside.right &&
                                 there.bottom >= inside.top && there.top <= inside.bottom;
            if (inFrame && !document.ObjectInRect(there) && !Overlaps(there, titleBlock))
                return offset;
        }
    }
    return onGrid(firstLeft, firstTop);
}
