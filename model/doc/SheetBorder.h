#pragma once
// CSheetBorder: the drawing frame around a sheet, with its zone marks and title block.

#include "platform/GdiTypes.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

class CArchive;
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

    // The 110-byte record of the schematic file. The frame pen is not part of it, and the
    // frame size is kept in 16 bits.
    void Serialize(CArchive& ar);

    float m_spacing = 1000.0f;  // zone size
    LONG m_frameSize = 150;     // width of the frame margin
    DWORD m_flags = 0xF7;
    LONG m_blockX = 6000;  // title-block width
    LONG m_blockY = 1000;  // title-block height
    LOGFONT m_font{.lfHeight = -100,
                   .lfWeight = FW_BOLD,
                   .lfPitchAndFamily = FF_SWISS,
                   .lfFaceName = "Arial"};       // zone labels
    LOGPEN m_pen{PS_SOLID, {0, 0}, 0xC00000};    // frame lines
    LOGBRUSH m_fill{BS_SOLID, 0xE6FFFF, 0};      // title block
    LOGBRUSH m_pageFill{BS_SOLID, 0xEAD6C8, 0};  // alternate zone cells
    COLORREF m_textColour = 0x800001;            // zone labels
    COLORREF m_gridColour = 0xEAD6C8;            // zone grid
};
