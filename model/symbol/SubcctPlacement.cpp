#include "model/symbol/SubcctPlacement.h"

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
    const SIZE paper = document.GetPaperSize();  // height negative: the sheet lies below 0
    CRect titleBlock;
    document.GetTitleBlockRect(titleBlock);
    for (int left = kFirstLeft; left + width <= paper.cx; left += kStep) {
        for (int top = kFirstTop; top - height >= paper.cy; top -= kStep) {
            const CRect there(left, top, left + width, top - height);
            if (!document.ObjectInRect(there) && !Overlaps(there, titleBlock))
                return CSize(left - left0, top - top0);
        }
    }
    return CSize(kFirstLeft - left0, kFirstTop - top0);
}
