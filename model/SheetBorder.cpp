#include "model/SheetBorder.h"

void CSheetBorder::Draw(CDC* /*dc*/, const CRect& /*area*/, BOOL /*grid*/) const {}

CRect CSheetBorder::GetTitleBlockRect(const CRect& area) const {
    CRect bounds = area;
    bounds.NormalizeRect();
    CRect block = bounds;
    if (!(m_flags & kTitleBlock))
        block.DeflateRect(m_frameSize, m_frameSize);
    switch (m_flags & kBlockPlacementMask) {
        case kBlockLeft:
            block.right = WrapAdd(block.left, m_blockX);
            break;
        case kBlockRight:
            block.left = WrapSub(block.right, m_blockX);
            break;
        case kBlockCentred:
            block.left = WrapSub(WrapAdd(block.left, block.right), m_blockX) >> 1;
            block.right = WrapAdd(block.left, m_blockX);
            break;
        default:
            break;
    }
    block.bottom = WrapAdd(block.top, m_blockY);
    block.IntersectRect(block, bounds);
    return block;
}
