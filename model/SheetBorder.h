#pragma once
// CSheetBorder: the drawing frame around a sheet, with its zone marks and title block.

#include "platform/Geometry.h"
#include "platform/Types.h"

class CDC;

class CSheetBorder {
public:
    // Bits of m_flags.
    static constexpr DWORD kMarginLeft = 0x1;
    static constexpr DWORD kMarginRight = 0x2;
    static constexpr DWORD kMarginTop = 0x4;     // the edge with the larger y
    static constexpr DWORD kMarginBottom = 0x8;  // the edge with the smaller y
    static constexpr DWORD kTitleBlock = 0x10;
    static constexpr DWORD kScreenGrid = 0x20;  // fills and zone grid on screen
    static constexpr DWORD kZoneLabels = 0x40;
    static constexpr DWORD kFrameLines = 0x80;
    static constexpr DWORD kBlockPlacementMask = 0x300;
    static constexpr DWORD kBlockLeft = 0x100;
    static constexpr DWORD kBlockRight = 0x200;
    static constexpr DWORD kBlockCentred = 0x300;

    // Paints the border into the drawing area: zone fills (and the zone grid when asked),
    // then the frame and zone labels. Nothing is painted yet.
    void Draw(CDC* dc, const CRect& area, BOOL grid) const;

    // The title block's rectangle within the drawing area, clipped to it.
    CRect GetTitleBlockRect(const CRect& area) const;

    LONG m_frameSize = 150;  // width of the frame margin
    DWORD m_flags = 0xF7;
    LONG m_blockX = 6000;  // title-block width
    LONG m_blockY = 1000;  // title-block height
};
