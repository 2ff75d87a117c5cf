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

CSize FindSubcctPlace(CDrawDoc& document, const CRect& block) {
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
    const int firstLeft = std::max(kFirstLeft, int(inside.left));
    const int firstTop = std::min(kFirstTop, int(inside.bottom));
    for (int left = firstLeft; left + width <= inside.right; left += kStep) {
        for (int top = firstTop; top - height >= inside.top; top -= kStep) {
            const CRect there(left, top, left + width, top - height);
            if (!document.ObjectInRect(there) && !Overlaps(there, titleBlock))
                return CSize(left - left0, top - top0);
        }
    }
    return CSize(firstLeft - left0, firstTop - top0);
}
