// Painting of pins: the line with its decoration, the name and number texts with their
// overbars, the unconnected mark, the tracker and the DXF entities.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/object/DxfSink.h"
#include "model/object/ShapePaintScope.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/TextMetrics.h"
#include "platform/DC.h"

namespace {

constexpr COLORREF kNameColour = 0x000080;
constexpr COLORREF kNumberColour = 0x008000;
constexpr COLORREF kRed = 0x0000FF;
constexpr int kCrossHalf = 30;
// How far the band of a marked pin reaches at least beside its line: half the underlay of a
// marked wire, so that the mark shows beside the line at any zoom as a wire's does.
constexpr LONG kMarkReach = 13;
constexpr int kOverbarWidth = 5;
constexpr double kRunScale = 1000.0;
// Output-like stored types turn the inverting mark the other way.
constexpr int kOutputLikeTypes[] = {1, 5, 6, 8};

LONG FontHeight(const LOGFONT& font) {
    constexpr LONG kDefaultHeight = 12;
    return font.lfHeight == 0 ? kDefaultHeight : std::abs(font.lfHeight);
}

// The square of a circle after the matrix: its centre mapped, its radius scaled.
CRect MappedCircle(const CRect& square, const double* matrix) {
    CPoint centre = square.CenterPoint();
    MatrixTransformPoints(&centre, 1, matrix);
    const double scale = matrix ? std::sqrt(std::fabs(MatrixDeterminant(matrix))) : 1.0;
    const LONG radius = RoundToLong(square.Width() / 2.0 * scale);
    return CRect(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Texts

LOGFONT CPin::PinFont() const {
    const CDrawDoc* doc = ColourDocument();
    return doc ? doc->m_pinFont : CDrawDoc::kDefaultPinFont;
}

PinLabel CPin::ShownLabel(PinText which) {
    const DWORD flag = which == PinText::Name ? kPinShowName : kPinShowNumber;
    if (!(m_flags & flag))
        return {};
    return ParsePinLabel(which == PinText::Name ? GetAttr(GetStdAttrName(kStdAttrId))
                                                : ShownNumber());
}

std::vector<PinTextQuad> CPin::ShownTextQuads(POINT body, POINT hot) {
    std::vector<PinTextQuad> quads;
    const LOGFONT font = PinFont();
    for (const PinText which : {PinText::Name, PinText::Number}) {
        const PinLabel label = ShownLabel(which);
        if (!label.shown.IsEmpty())
            quads.push_back(PinTextPlace(which, body, hot, TextWidth(label.shown.str(), font),
                                         FontHeight(font)));
    }
    return quads;
}

// The text reads upright along the line; each overlined character gets a bar along the top of
// its cell.
void CPin::PaintPinText(CDC* dc, const POINT* ends, PinText which) {
    const PinLabel label = ShownLabel(which);
    if (label.shown.IsEmpty())
        return;
    LOGFONT log = PinFont();
    if (dc->IsTextTooSmallToRead(log.lfHeight))
        return;
    CFont upright;
    upright.CreateFontIndirect(&log);
    dc->SelectObject(&upright);
    std::vector<int> advances(static_cast<std::size_t>(label.shown.GetLength()));
    SIZE extent{0, 0};
    dc->GetTextExtentExPoint(label.shown, label.shown.GetLength(), 0, nullptr, advances.data(),
                             &extent);
    const PinTextQuad quad = PinTextPlace(which, ends[0], ends[1], extent.cx, FontHeight(log));
    CFont turned;
    if (quad.angle != 0) {
        log.lfEscapement = log.lfOrientation = quad.angle;
        turned.CreateFontIndirect(&log);
        dc->SelectObject(&turned);
    }
    const CDrawDoc* doc = ColourDocument();
    COLORREF colour = which == PinText::Name ? kNameColour : kNumberColour;
    if (doc)
        colour = which == PinText::Name ? doc->m_pinNameColour : doc->m_pinNumberColour;
    dc->SetTextColor(colour);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextAlign(TA_LEFT | TA_TOP);
    dc->TextOut(quad.origin.x, quad.origin.y, label.shown);
    if (label.overlined.empty())
        return;
    CPen bar(PS_SOLID, kOverbarWidth, colour);
    dc->SelectObject(&bar);
    const auto along = [&](int offset) {
        return POINT{RoundToLong(quad.origin.x + quad.run.x * offset / kRunScale),
                     RoundToLong(quad.origin.y + quad.run.y * offset / kRunScale)};
    };
    for (const int index : label.overlined) {
        dc->MoveTo(along(index == 0 ? 0 : advances[static_cast<std::size_t>(index) - 1]));
        dc->LineTo(along(advances[static_cast<std::size_t>(index)]));
    }
}

// ---------------------------------------------------------------------------------------------
// Line and decoration

PinStrokes CPin::Strokes() const {
    const int stored = static_cast<int>((m_flags & kPinTypeMask) >> kPinTypeShift);
    bool outputLike = false;
    for (const int type : kOutputLikeTypes)
        outputLike = outputLike || type == stored;
    return MakePinStrokes(m_body, m_hot, m_decorationSize, m_flags & kPinSymbolMask, outputLike,
                          (m_flags & kPinExtraMark) != 0);
}

void CPin::PaintPin(CDC* dc, const double* matrix, const LOGPEN& pen, bool tracker) {
    const PinStrokes strokes = Strokes();
    if (strokes.band) {
        auto band = *strokes.band;
        MatrixTransformPoints(band.data(), 4, matrix);
        ShapePaintScope scope(dc, pen, tracker ? HollowBrush() : GetBrush());
        dc->Polygon(band.data(), 4);
    }
    ShapePaintScope scope(dc, pen, HollowBrush());
    for (auto [from, to] : strokes.lines) {
        MatrixTransformPoints(&from, 1, matrix);
        MatrixTransformPoints(&to, 1, matrix);
        dc->MoveTo(from);
        dc->LineTo(to);
    }
    if (strokes.bubble) {
        const CRect circle = MappedCircle(*strokes.bubble, matrix);
        dc->Ellipse(&circle);
    }
}

// A cross at the hot end tells on screen that no wire is attached.
void CPin::PaintUnconnectedMark(CDC* dc, const double* matrix) {
    if (m_wire || !m_document || dc->IsPrinting())
        return;
    CPoint hot = m_hot;
    MatrixTransformPoints(&hot, 1, matrix);
    LOGPEN red{PS_SOLID, {0, 0}, kRed};
    if (const CSchematicApp* app = GetApp())
        red = app->GetPen(kPenRed).value_or(red);
    CPen pen;
    pen.CreatePenIndirect(&red);
    CPen* old = dc->SelectObject(&pen);
    dc->MoveTo(hot.x - kCrossHalf, hot.y - kCrossHalf);
    dc->LineTo(hot.x + kCrossHalf, hot.y + kCrossHalf);
    dc->MoveTo(hot.x + kCrossHalf, hot.y - kCrossHalf);
    dc->LineTo(hot.x - kCrossHalf, hot.y + kCrossHalf);
    dc->SelectObject(old);
}

void CPin::Draw(CDC* dc, const double* matrix) {
    if (!dc || ((m_flags & kPinHidden) && m_owner) || m_body == m_hot)
        return;
    const CSchematicApp* app = GetApp();
    const DWORD marks = PaintedMarks(dc);
    if (marks && app) {
        CRect box(m_body, m_hot);
        box.NormalizeRect();
        const LONG grow = std::max(GetPen().lopnWidth.x / 2 + 1, kMarkReach);
        box.InflateRect(grow, grow);
        CPoint corners[4] = {{box.left, box.top},
                             {box.right, box.top},
                             {box.right, box.bottom},
                             {box.left, box.bottom}};
        MatrixTransformPoints(corners, 4, matrix);
        const LOGBRUSH mark{BS_SOLID,
                            marks & kFlagDrcError ? app->DRCErrorColour : app->HighlightColour, 0};
        ShapePaintScope scope(dc, NullPen(), mark);
        dc->Polygon(corners, 4);
    }
    PaintPin(dc, matrix, GetPen(), false);
    PaintUnconnectedMark(dc, matrix);
    POINT ends[2] = {m_body, m_hot};
    MatrixTransformPoints(ends, 2, matrix);
    dc->SaveDC();
    PaintPinText(dc, ends, PinText::Name);
    PaintPinText(dc, ends, PinText::Number);
    dc->RestoreDC(-1);
}

void CPin::DrawTracker(CDC* dc, int state, const double* matrix) {
    if (!dc || m_body == m_hot)
        return;
    PaintPin(dc, matrix, TrackerPen(state), true);
    POINT ends[2] = {m_body, m_hot};
    MatrixTransformPoints(ends, 2, matrix);
    // The texts' outlines go with the texts: none where they are too small to draw.
    if (!dc->IsTextTooSmallToRead(PinFont().lfHeight)) {
        ShapePaintScope scope(dc, TrackerPen(state), HollowBrush());
        for (PinTextQuad& quad : ShownTextQuads(ends[0], ends[1]))
            dc->Polygon(quad.corners, 4);
    }
    CDrawObj::DrawTracker(dc, state, matrix);
}

void CPin::ExportDxf(IDxfSink* dxf, int, const double* matrix) {
    if (!dxf)
        return;
    const LOGPEN pen = GetPen();
    const PinStrokes strokes = Strokes();
    for (const auto& [from, to] : strokes.lines)
        dxf->DxfWriteLine(&pen, from.x, from.y, to.x, to.y, matrix);
    if (strokes.bubble) {
        const LOGBRUSH hollow = HollowBrush();
        const POINT whole = strokes.bubble->TopLeft();
        dxf->DxfWriteEllipse(&pen, &hollow, *strokes.bubble, 0, whole, whole, matrix);
    }
    if (strokes.band)
        dxf->DxfWriteClosedPolyline(0, 0, 4, strokes.band->data(), matrix);
}
