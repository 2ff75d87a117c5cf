#pragma once
// CSheetBorder: the drawing frame around a sheet, with its zone marks and title block.

#include <vector>

#include "platform/CString.h"
#include "platform/GdiTypes.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

class CArchive;
class CDC;
class SettingsStore;

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

    // Zones narrower than this (in sheet units, or on screen in pixels) are not drawn.
    static constexpr double kMinZoneSize = 5.0;

    // The whole border into the area: the zones, then the frame.
    void Draw(CDC* dc, const CRect& area, BOOL grid) const;
    // Zone fills in the margins and zone labels, with the dotted zone grid first when asked.
    void DrawZones(CDC* dc, const CRect& area, BOOL grid) const;
    // Frame lines and the filled title block.
    void DrawFrame(CDC* dc, const CRect& area) const;

    // The title block's rectangle within the drawing area, clipped to it.
    CRect GetTitleBlockRect(const CRect& area) const;
    // The area, normalised, less the frame size on each side that has a margin.
    CRect GetInnerRect(const CRect& area) const;
    // Whether the zone spacing gives zones at all: a spacing that is no number or below
    // kMinZoneSize (as a damaged file or setting may hold) gives none.
    bool HasZones() const;
    // "A" ... "Z", "AA" ... "AZ", "BA" ... for column 0, 1, 2 ...
    static CString ColumnLabel(int column);

    // Every member the same, the frame pen included.
    bool operator==(const CSheetBorder& other) const;

    // The 110-byte record of the schematic file. The frame pen is not part of it, and the
    // frame size is kept in 16 bits.
    void Serialize(CArchive& ar);

    // The application's defaults for new documents, section "Document".
    void ReadDefaults(const SettingsStore& store);
    void WriteDefaults(SettingsStore& store) const;

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

private:
    struct MarginCells;

    void DrawColumns(CDC* dc, const CRect& outer, const CRect& inner) const;
    void DrawRows(CDC* dc, const CRect& outer, const CRect& inner) const;
    void PaintMargin(CDC* dc, const MarginCells& cells, const std::vector<LONG>& bounds,
                     const CRect& outer, CString (*label)(int)) const;
    void DrawZoneGrid(CDC* dc, const CRect& outer, const CRect& inner) const;
    static CString RowLabel(int row);
};
