#include "model/doc/SheetBorder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "model/doc/SettingsRecords.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/GdiArchive.h"
#include "platform/SettingsStore.h"

namespace {

constexpr const char* kSection = "Document";
// More zones than this along one edge are not drawn (a frame of such zones is no frame).
constexpr double kMaxZones = 4096.0;
// The dotted zone grid: an 8x8 checkerboard.
constexpr BrushPattern kCheckerboard{0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};

struct PointD {
    double x;
    double y;
};

// The part of a convex polygon between lo and hi along one axis (x when alongX).
std::vector<PointD> ClipPolygon(const std::vector<PointD>& polygon, bool alongX, double lo,
                                double hi) {
    auto coord = [alongX](const PointD& p) { return alongX ? p.x : p.y; };
    auto clip = [&](const std::vector<PointD>& in, double limit, bool keepAbove) {
        std::vector<PointD> out;
        for (size_t i = 0; i < in.size(); ++i) {
            const PointD& a = in[i];
            const PointD& b = in[(i + 1) % in.size()];
            const bool aIn = keepAbove ? coord(a) >= limit : coord(a) <= limit;
            const bool bIn = keepAbove ? coord(b) >= limit : coord(b) <= limit;
            if (aIn)
                out.push_back(a);
            if (aIn != bIn) {
                const double t = (limit - coord(a)) / (coord(b) - coord(a));
                out.push_back(PointD{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
            }
        }
        return out;
    };
    return clip(clip(polygon, lo, true), hi, false);
}

void FillPolygon(CDC* dc, const std::vector<PointD>& polygon) {
    if (polygon.size() < 3)
        return;
    std::vector<POINT> points;
    for (const PointD& p : polygon)
        points.push_back(POINT{static_cast<LONG>(std::floor(p.x + 0.5)),
                               static_cast<LONG>(std::floor(p.y + 0.5))});
    dc->Polygon(points.data(), static_cast<int>(points.size()));
}

// The margin band between two corners of the outer and the inner rectangle.
std::vector<PointD> Band(POINT outerA, POINT outerB, POINT innerB, POINT innerA) {
    auto d = [](POINT p) { return PointD{double(p.x), double(p.y)}; };
    return {d(outerA), d(outerB), d(innerB), d(innerA)};
}

// Zone boundaries from start in steps of spacing (negative: downwards) while inside the
// range; the last entry is the far end of the range.
std::vector<LONG> ZoneBoundaries(double start, double spacing, LONG end) {
    std::vector<LONG> bounds;
    for (int i = 0;; ++i) {
        const LONG at = static_cast<LONG>(std::floor(start + i * spacing + 0.5));
        if (spacing > 0 ? at >= end : at <= end)
            break;
        bounds.push_back(at);
    }
    bounds.push_back(end);
    return bounds;
}

LONG Middle(LONG a, LONG b) {
    return static_cast<LONG>((std::int64_t{a} + b) / 2);
}

}  // namespace

// One margin band and the axis its cells are cut along.
struct CSheetBorder::MarginCells {
    std::vector<PointD> band;
    bool alongX;  // columns: cells cut along x
    LONG middle;  // the middle of the band across the cells
};

// ---------------------------------------------------------------------------------------------
// Geometry

CRect CSheetBorder::GetInnerRect(const CRect& area) const {
    CRect inner = area;
    inner.NormalizeRect();
    if (m_flags & kMarginLeft)
        inner.left = WrapAdd(inner.left, m_frameSize);
    if (m_flags & kMarginRight)
        inner.right = WrapSub(inner.right, m_frameSize);
    if (m_flags & kMarginTop)
        inner.bottom = WrapSub(inner.bottom, m_frameSize);
    if (m_flags & kMarginBottom)
        inner.top = WrapAdd(inner.top, m_frameSize);
    return inner;
}

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

bool CSheetBorder::HasZones() const {
    return std::isfinite(m_spacing) && m_spacing >= kMinZoneSize;
}

CString CSheetBorder::ColumnLabel(int column) {
    CString label;
    if (column >= 26)
        label += static_cast<char>('A' + (column / 26 - 1) % 26);
    label += static_cast<char>('A' + column % 26);
    return label;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void CSheetBorder::Draw(CDC* dc, const CRect& area, BOOL grid) const {
    DrawZones(dc, area, grid);
    DrawFrame(dc, area);
}

void CSheetBorder::DrawFrame(CDC* dc, const CRect& area) const {
    CRect outer = area;
    outer.NormalizeRect();
    const CRect inner = GetInnerRect(area);
    const int saved = dc->SaveDC();
    CPen pen;
    pen.CreatePenIndirect(&m_pen);
    dc->SelectObject(&pen);
    dc->SelectStockObject(HOLLOW_BRUSH);
    if (m_flags & kFrameLines) {
        dc->Rectangle(&outer);
        dc->Rectangle(&inner);
        const POINT corners[4][2] = {{{outer.left, outer.bottom}, {inner.left, inner.bottom}},
                                     {{outer.right, outer.bottom}, {inner.right, inner.bottom}},
                                     {{outer.right, outer.top}, {inner.right, inner.top}},
                                     {{outer.left, outer.top}, {inner.left, inner.top}}};
        for (const auto& corner : corners) {
            if (corner[0].x != corner[1].x && corner[0].y != corner[1].y) {
                dc->MoveTo(corner[1]);
                dc->LineTo(corner[0]);
            }
        }
    }
    if (m_flags & kTitleBlock) {
        CBrush fill;
        fill.CreateBrushIndirect(&m_fill);
        dc->SelectObject(&fill);
        const CRect block = GetTitleBlockRect(area);
        dc->Rectangle(&block);
    }
    dc->RestoreDC(saved);
}

void CSheetBorder::DrawZones(CDC* dc, const CRect& area, BOOL grid) const {
    CRect outer = area;
    outer.NormalizeRect();
    const CRect inner = GetInnerRect(area);
    if (!HasZones() || outer.Width() / m_spacing > kMaxZones ||
        outer.Height() / m_spacing > kMaxZones)
        return;
    const int saved = dc->SaveDC();
    if (grid)
        DrawZoneGrid(dc, outer, inner);
    CFont font;
    font.CreateFontIndirect(&m_font);
    dc->SelectObject(&font);
    CBrush fill;
    fill.CreateBrushIndirect(&m_pageFill);
    dc->SelectObject(&fill);
    dc->SelectStockObject(NULL_PEN);
    dc->SetTextColor(m_textColour);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextAlign(TA_CENTER | TA_TOP);
    DrawColumns(dc, outer, inner);
    DrawRows(dc, outer, inner);
    dc->RestoreDC(saved);
}

// Columns run left to right and are lettered; their cells lie in the top and bottom margins.
void CSheetBorder::DrawColumns(CDC* dc, const CRect& outer, const CRect& inner) const {
    const std::vector<LONG> bounds = ZoneBoundaries(outer.left, m_spacing, outer.right);
    for (const bool top : {true, false}) {
        if (!(m_flags & (top ? kMarginTop : kMarginBottom)))
            continue;
        const LONG edge = top ? outer.bottom : outer.top;
        const LONG innerEdge = top ? inner.bottom : inner.top;
        const MarginCells cells{Band(CPoint(outer.left, edge), CPoint(outer.right, edge),
                                     CPoint(inner.right, innerEdge), CPoint(inner.left, innerEdge)),
                                true, Middle(edge, innerEdge)};
        PaintMargin(dc, cells, bounds, outer, &CSheetBorder::ColumnLabel);
    }
}

// Rows run from the top edge down and are numbered; their cells lie in the side margins.
void CSheetBorder::DrawRows(CDC* dc, const CRect& outer, const CRect& inner) const {
    const std::vector<LONG> bounds = ZoneBoundaries(outer.bottom, -m_spacing, outer.top);
    for (const bool left : {true, false}) {
        if (!(m_flags & (left ? kMarginLeft : kMarginRight)))
            continue;
        const LONG edge = left ? outer.left : outer.right;
        const LONG innerEdge = left ? inner.left : inner.right;
        const MarginCells cells{Band(CPoint(edge, outer.top), CPoint(edge, outer.bottom),
                                     CPoint(innerEdge, inner.bottom), CPoint(innerEdge, inner.top)),
                                false, Middle(edge, innerEdge)};
        PaintMargin(dc, cells, bounds, outer, &RowLabel);
    }
}

// Every other cell of the margin, from the first, is filled; with labels each cell gets its
// label centred in it when the label fits inside the area.
void CSheetBorder::PaintMargin(CDC* dc, const MarginCells& cells, const std::vector<LONG>& bounds,
                               const CRect& outer, CString (*label)(int)) const {
    const LONG halfHeight = std::abs(m_font.lfHeight) / 2;
    for (size_t i = 0; i + 1 < bounds.size(); ++i) {
        const double lo = std::min(bounds[i], bounds[i + 1]);
        const double hi = std::max(bounds[i], bounds[i + 1]);
        if (i % 2 == 0)
            FillPolygon(dc, ClipPolygon(cells.band, cells.alongX, lo, hi));
        if (!(m_flags & kZoneLabels))
            continue;
        const CString text = label(static_cast<int>(i));
        const LONG centre = Middle(bounds[i], bounds[i + 1]);
        if (cells.alongX) {
            const LONG half = dc->GetTextExtent(text).cx / 2;
            if (centre - half >= outer.left && centre + half <= outer.right)
                dc->TextOut(centre, WrapAdd(cells.middle, halfHeight), text);
        } else if (centre - halfHeight >= outer.top && centre + halfHeight <= outer.bottom) {
            dc->TextOut(cells.middle, WrapAdd(centre, halfHeight), text);
        }
    }
}

CString CSheetBorder::RowLabel(int row) {
    CString label;
    label.Format("%d", row + 1);
    return label;
}

// The dotted grid: one-pixel lines (one sheet unit when printing) at the zone boundaries
// inside the inner rectangle, painted in device units with the checkerboard brush.
void CSheetBorder::DrawZoneGrid(CDC* dc, const CRect& outer, const CRect& inner) const {
    const SIZE window = dc->GetWindowExt();
    const SIZE viewport = dc->GetViewportExt();
    const bool printing = dc->IsPrinting();
    if (!printing && m_spacing * std::abs(double(viewport.cx) / window.cx) < kMinZoneSize)
        return;
    LONG thickX = 1;
    LONG thickY = 1;
    if (printing) {
        thickX = std::max(1, (MulDiv(10, viewport.cx, window.cx) + 5) / 10);
        thickY = std::max(1, (MulDiv(-10, viewport.cy, window.cy) + 5) / 10);
    }
    std::vector<LONG> columns;
    for (LONG x : ZoneBoundaries(outer.left, m_spacing, outer.right)) {
        POINT p{x, 0};
        dc->LPtoDP(&p);
        if (x > inner.left && x < inner.right)
            columns.push_back(p.x);
    }
    std::vector<LONG> rows;
    for (LONG y : ZoneBoundaries(outer.bottom, -m_spacing, outer.top)) {
        POINT p{0, y};
        dc->LPtoDP(&p);
        if (y > inner.top && y < inner.bottom)
            rows.push_back(p.y);
    }
    CRect device = inner;
    dc->LPtoDP(&device);
    device.NormalizeRect();

    const int saved = dc->SaveDC();
    dc->SetMapMode(MM_TEXT);
    dc->SetWindowOrg(0, 0);
    dc->SetViewportOrg(0, 0);
    CBrush brush(kCheckerboard);
    dc->SelectObject(&brush);
    dc->SetTextColor(m_gridColour);
    dc->SetBrushOrg(printing ? device.left % 8 : 0, printing ? device.top % 8 : 0);
    for (LONG x : columns)
        dc->PatBlt(x, device.top, thickX, device.Height(), PATCOPY);
    for (LONG y : rows)
        dc->PatBlt(device.left, y, device.Width(), thickY, PATCOPY);
    dc->RestoreDC(saved);
}

// ---------------------------------------------------------------------------------------------
// Storage

bool CSheetBorder::operator==(const CSheetBorder& other) const {
    // The spacing by its bits: one that is no number equals itself.
    return std::bit_cast<DWORD>(m_spacing) == std::bit_cast<DWORD>(other.m_spacing) &&
           m_frameSize == other.m_frameSize && m_flags == other.m_flags &&
           m_blockX == other.m_blockX && m_blockY == other.m_blockY &&
           SameRecord(m_font, other.m_font) && SameRecord(m_pen, other.m_pen) &&
           SameRecord(m_fill, other.m_fill) && SameRecord(m_pageFill, other.m_pageFill) &&
           m_textColour == other.m_textColour && m_gridColour == other.m_gridColour;
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

void CSheetBorder::ReadDefaults(const SettingsStore& store) {
    double spacing = 0.0;
    const CString text = store.GetProfileString(kSection, "FrameSpacing", "1000.0");
    m_spacing = ParseDouble(text, spacing) ? static_cast<float>(spacing) : 1000.0f;
    m_frameSize = static_cast<LONG>(store.GetProfileInt(kSection, "FrameSize", 150));
    m_flags = store.GetProfileInt(kSection, "FrameFlags", 0xF7);
    m_blockX = static_cast<LONG>(store.GetProfileInt(kSection, "FrameBlockX", 500));
    m_blockY = static_cast<LONG>(store.GetProfileInt(kSection, "FrameBlockY", 1000));
    m_textColour = store.GetProfileInt(kSection, "FrameTextColour", 0x800001);
    settingsrecords::Read(store, kSection, "FrameFont", kStoredLogFontSize, m_font);
    settingsrecords::Read(store, kSection, "FramePen", kStoredLogPenSize, m_pen);
    settingsrecords::Read(store, kSection, "FrameFill", kStoredLogBrushSize, m_fill);
    settingsrecords::Read(store, kSection, "FramePageFill", kStoredLogBrushSize, m_pageFill);
    m_textColour = store.GetProfileInt(kSection, "FrameTextColour", 0x800001);
    m_gridColour = store.GetProfileInt(kSection, "FrameGridColour", static_cast<int>(m_gridColour));
}

void CSheetBorder::WriteDefaults(SettingsStore& store) const {
    CString spacing;
    spacing.Format("%f", static_cast<double>(m_spacing));
    store.WriteProfileString(kSection, "FrameSpacing", spacing);
    store.WriteProfileInt(kSection, "FrameSize", m_frameSize);
    store.WriteProfileInt(kSection, "FrameFlags", static_cast<int>(m_flags));
    store.WriteProfileInt(kSection, "FrameBlockX", m_blockX);
    store.WriteProfileInt(kSection, "FrameBlockY", m_blockY);
    store.WriteProfileInt(kSection, "FrameTextColour", static_cast<int>(m_textColour));
    settingsrecords::Write(store, kSection, "FrameFont", m_font);
    settingsrecords::Write(store, kSection, "FramePen", m_pen);
    settingsrecords::Write(store, kSection, "FrameFill", m_fill);
    settingsrecords::Write(store, kSection, "FramePageFill", m_pageFill);
    store.WriteProfileInt(kSection, "FrameTextColour", static_cast<int>(m_textColour));
    store.WriteProfileInt(kSection, "FrameGridColour", static_cast<int>(m_gridColour));
}
