#include "model/doc/SheetBorder.h"

#include "platform/Archive.h"
#include "platform/GdiArchive.h"

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

void CSheetBorder::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_spacing << static_cast<WORD>(m_frameSize) << m_flags << m_blockX << m_blockY
           << m_font << m_fill << m_pageFill << m_textColour << m_gridColour;
        return;
    }
    WORD frameSize = 0;
    ar >> m_spacing >> frameSize >> m_flags >> m_blockX >> m_blockY >> m_font >> m_fill >>
        m_pageFill >> m_textColour >> m_gridColour;
    m_frameSize = frameSize;
}
