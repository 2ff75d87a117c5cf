#include "model/text/TextBox.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "model/app/SchematicApp.h"
#include "model/cmd/TextPropCmd.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/geometry/PlacementMatrix.h"
#include "model/geometry/PlaneGeometry.h"
#include "model/geometry/VectorAngle.h"
#include "model/object/DxfSink.h"
#include "model/object/ShapePaintScope.h"
#include "model/text/TextLayout.h"
#include "platform/Archive.h"
#include "platform/DC.h"
#include "platform/GdiArchive.h"
#include "platform/ObList.h"

IMPLEMENT_SERIAL(CTextBox, CDrawRect, VERSIONABLE_SCHEMA | 1)

namespace {

// Texts narrower or lower than this inside their borders are not drawn.
constexpr std::int64_t kMinTextExtent = 20;
// Room added on the right of a single-line editor for typing.
constexpr LONG kSingleLineEditRoom = 100;

// Draws line squeezed to width with per-byte advances; FALSE when the extents are missing.
bool DrawSqueezed(CDC* dc, POINT at, std::string_view line, std::int64_t width, LONG extent) {
    std::vector<int> cumulative(line.size());
    if (!dc->GetTextExtentExPoint(line.data(), static_cast<int>(line.size()), 0, nullptr,
                                  cumulative.data(), nullptr))
        return false;
    std::vector<int> advances(line.size());
    std::int64_t previous = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto scaled =
            static_cast<std::int64_t>(std::floor(double(cumulative[i]) * width / extent + 0.5));
        advances[i] = static_cast<int>(scaled - previous);
        previous = scaled;
    }
    dc->ExtTextOut(at.x, at.y, ETO_CLIPPED, nullptr, line.data(), UINT(line.size()),
                   advances.data());
    return true;
}

// Where a line starts: at the left edge (the right one when mirrored), moved by the alignment
// when the line fits between the edges.
std::int64_t LineStart(const CRect& box, LONG extent, int align, bool mirrored) {
    const std::int64_t left = box.left;
    const std::int64_t right = box.right;
    const std::int64_t width = right - left;
    if (extent <= width && align == kTextAlignCentre)
        return mirrored ? right - (width - extent) / 2 : left + (width - extent) / 2;
    if (extent <= width && align == kTextAlignRight)
        return mirrored ? left + extent : right - extent;
    return mirrored ? right : left;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction and file record

CTextBox::CTextBox() = default;

CTextBox::CTextBox(const CRect& position) : CDrawRect(position), m_text("Text") {
    m_flags = 0;
}

CTextBox::CTextBox(const CTextBox& source, CDrawDoc* document)
    : CDrawRect(source, document),
      m_text(source.m_text),
      m_textFlags(source.m_textFlags),
      m_font(source.m_font) {
    std::copy_n(source.m_borders, 4, m_borders);
}

void CTextBox::Serialize(CArchive& ar) {
    CDrawRect::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_text << m_textFlags << WORD(m_font ? 1 : 0);
        if (m_font)
            ar << *m_font;
        for (WORD border : m_borders)
            ar << border;
        return;
    }
    WORD hasFont = 0;
    ar >> m_text >> m_textFlags >> hasFont;
    m_font.reset();
    if (hasFont) {
        LOGFONT font;
        ar >> font;
        m_font = font;
    }
    for (WORD& border : m_borders)
        ar >> border;
}

// ---------------------------------------------------------------------------------------------
// Overrides of the object interface

CString CTextBox::GetTipText() const {
    return SizeTipText("Text Box");
}

CDrawDoc* CTextBox::SetDocument(CDrawDoc* document) {
    if (document == m_document)
        return document;
    CDrawRect::SetDocument(document);
    RecalcLayout();
    return document;
}

CPoint CTextBox::GetNearestPoint(CPoint) {
    CPoint anchor = m_position.TopLeft();
    LocalToDoc(&anchor, 1);
    return anchor;
}

int CTextBox::GetObjType() const {
    return kObjText;
}

void CTextBox::MoveTo(const CRect& position, IDocView* view) {
    if (position == m_position)
        return;
    CDrawObj::MoveTo(position, view);
    RewrapText();
}

BOOL CTextBox::Intersects(const CRect& rect) {
    const CRect query = NormalizedRect(rect);
    CPoint corners[4];
    const BoxMeeting meeting = MeetMappedBox(query, corners);
    if (meeting == BoxMeeting::kApart)
        return FALSE;
    if (meeting == BoxMeeting::kAround || m_rotation == 0)
        return TRUE;
    if (query.PtInRect(corners[0]) || PtInPolygon(corners, 4, query.left, query.top, nullptr))
        return TRUE;
    for (int i = 0; i < 4; ++i) {
        const CPoint& a = corners[i];
        const CPoint& b = corners[(i + 1) % 4];
        if (SegmentMeetsRect(query, a.x, a.y, b.x, b.y))
            return TRUE;
    }
    return FALSE;
}

void CTextBox::OnOpen(IDocView* view) {
    if (auto* host = dynamic_cast<ITextEditHost*>(view))
        host->EditTextInPlace(this, BeginInPlaceEdit());
}

void CTextBox::OnEditProperties(IDocView* view) {
    auto* host = dynamic_cast<ITextEditHost*>(view);
    if (!host)
        return;
    CObList texts;
    const CObList& selection = view->GetSelection();
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(selection.GetNext(pos));
        if (object->GetObjType() == kObjText)
            texts.AddTail(object);
    }
    view->OnUpdate(nullptr, kHintReplaceSelection, nullptr, &texts);
    host->EditTextProperties(texts);
}

CDrawObj* CTextBox::Clone(CDrawDoc* document) {
    return new CTextBox(*this, document);
}

// ---------------------------------------------------------------------------------------------
// Drawing

CTextBox::TextFrame CTextBox::GetTextFrame(const double* placement, LONG lineHeight) const {
    TextFrame frame;
    const double* matrix = ShapeMatrix(placement, frame.matrix);
    if (!matrix)
        return frame;
    if (matrix != frame.matrix)
        std::copy_n(matrix, 6, frame.matrix);
    frame.hasMatrix = true;
    const CRect box = NormalizedRect(m_position);
    // A above B on the left edge, C at the right end of the lower edge.
    POINT points[3] = {{box.left, SaturatedLong(std::int64_t{box.bottom} - lineHeight)},
                       {box.left, box.bottom},
                       {box.right, box.bottom}};
    MatrixTransformPoints(points, 3, frame.matrix);
    const POINT& a = points[0];
    const POINT& b = points[1];
    const POINT& c = points[2];
    frame.mirrored =
        (double(a.y) - b.y) * (double(c.x) - b.x) > (double(a.x) - b.x) * (double(c.y) - b.y);
    frame.angle =
        AngleFromVector(double(c.y) - b.y, double(c.x) - b.x) + (frame.mirrored ? 1800 : 0);
    return frame;
}

void CTextBox::Draw(CDC* dc, const double* matrix) {
    if (m_flags & (kFlagFilled | kFlagOutlined))
        CDrawRect::Draw(dc, matrix);
    const int saved = dc->SaveDC();
    {
        ShapePaintScope paint(dc, *this);
        PaintText(dc, matrix);
    }
    dc->RestoreDC(saved);
}

void CTextBox::PaintText(CDC* dc, const double* matrix) {
    TextFrame frame;
    CFont font;
    if (m_font || m_rotation != 0 || matrix) {
        LOGFONT log = SheetFont(GetFont());
        frame = GetTextFrame(matrix, LineHeight(GetFont()));
        const bool mirrorAngle =
            dc->IsPrinting() && m_document &&
            (m_document->m_printSettings.m_flags & CPrintSettings::kMirrorTextAngle);
        // Escapements turn counter-clockwise, as the text's frame does on the sheet; some
        // printers turn them the other way.
        log.lfEscapement = mirrorAngle ? -frame.angle : frame.angle;
        log.lfOrientation = log.lfEscapement;
        if (!font.CreateFontIndirect(&log))
            return;
        dc->SelectObject(&font);
    }
    const CSchematicApp* app = GetApp();
    const DWORD marks = PaintedMarks(dc);
    if (marks && app) {
        CBrush mark(marks & kFlagDrcError ? app->DRCErrorColour : app->HighlightColour);
        dc->SelectObject(&mark);
        PaintShape(dc, matrix);
    }
    dc->SetTextColor(GetPen().lopnColor);
    dc->SetBkMode(TRANSPARENT);
    DrawLines(dc, frame);
}

int CTextBox::DrawnLineCount(std::string_view text, std::int64_t height, LONG step) const {
    if (!(m_textFlags & kTextMultiLine))
        return 1;
    std::int64_t count = 1 + CountLineFeeds(text);
    if (step != 0 && std::abs(count * step) > height)
        count = std::abs(height / step);
    return static_cast<int>(count);
}

void CTextBox::DrawLines(CDC* dc, const TextFrame& frame) {
    if (dc->IsTextTooSmallToRead(dc->GetCurrentFont()->Log().lfHeight))
        return;
    CString display;
    GetDisplayText(display);
    CRect box;
    GetTextRect(box);
    box.NormalizeRect();
    const std::int64_t width = std::int64_t{box.right} - box.left;
    const std::int64_t height = std::int64_t{box.bottom} - box.top;
    if (width < kMinTextExtent || height < kMinTextExtent)
        return;
    // Lines go down the sheet whatever the sign of the font's height.
    const LONG step = -LineHeight(GetFont());
    const int align = m_textFlags & kTextAlignMask;
    dc->SetTextAlign(TA_UPDATECP);
    std::int64_t y = box.bottom;
    for (std::string_view line :
         SplitDrawnLines(display.str(), DrawnLineCount(display.str(), height, step))) {
        const LONG extent = line.empty() ? 0 : dc->GetTextExtent(line).cx;
        POINT at{SaturatedLong(LineStart(box, extent, align, frame.mirrored)), SaturatedLong(y)};
        y += step;
        if (line.empty())
            continue;
        MatrixTransformPoints(&at, 1, frame.Matrix());
        dc->MoveTo(at);
        if (extent <= width || line.size() < 2)
            dc->TextOut(at.x, at.y, line);
        else if (!DrawSqueezed(dc, at, line, width, extent))
            return;
    }
}

// The outline in the tracker pen; only the dominant selection shows its handles.
void CTextBox::DrawTracker(CDC* dc, int state, const double* matrix) {
    if (state == kTrackerDominant) {
        CDrawRect::DrawTracker(dc, state, matrix);
    } else if (state != kTrackerNone) {
        const ShapePaintScope paint(dc, state);
        PaintShape(dc, matrix);
    }
}

// ---------------------------------------------------------------------------------------------
// DXF

void CTextBox::ExportDxf(IDxfSink* dxf, int kind, const double* matrix) {
    if (kind != 2 || !dxf)
        return;
    CDrawRect::ExportDxf(dxf, kind, matrix);
    const LONG lineHeight = LineHeight(GetFont());
    const TextFrame frame = GetTextFrame(matrix, lineHeight);
    CString display;
    GetDisplayText(display);
    const CRect box = NormalizedRect(m_position);
    const int align = m_textFlags & kTextAlignMask;
    std::int64_t x = box.left;
    if (align == kTextAlignCentre)
        x = (std::int64_t{box.left} + box.right) / 2;
    else if (align == kTextAlignRight)
        x = box.right;
    std::int64_t y = box.bottom;
    const int count =
        DrawnLineCount(display.str(), std::int64_t{box.bottom} - box.top, -lineHeight);
    // The insertion points are placed here, rotation included; the writer maps nothing more.
    for (std::string_view line : SplitDrawnLines(display.str(), count)) {
        POINT at{SaturatedLong(x), SaturatedLong(y)};
        MatrixTransformPoints(&at, 1, frame.Matrix());
        dxf->DxfWriteMText(line, at, lineHeight, align, frame.angle * kRadiansPerTenthDegree,
                           nullptr);
        y -= lineHeight;
    }
}

// ---------------------------------------------------------------------------------------------
// Text operations

BOOL CTextBox::SetText(const char* text, BOOL undoable) {
    std::unique_ptr<CTextPropCmd> command;
    if (undoable && m_document)
        command = std::make_unique<CTextPropCmd>(this, "text edit");
    m_text = NormalizeLineEnds(text ? text : "");
    RecalcLayout();
    Invalidate(nullptr);
    if (command && command->HasChanged())
        m_document->GetUndoList().Add(command.release());
    return TRUE;
}

LOGFONT CTextBox::GetFont() const {
    if (m_font)
        return *m_font;
    return m_document ? m_document->m_textFont : kDefaultFont;
}

void CTextBox::SetFont(const LOGFONT* font) {
    SetOwnFont(font);
    RecalcLayout();
    Invalidate(nullptr);
}

void CTextBox::RecalcLayout() {
    if (!(m_textFlags & kTextAutoSize))
        return;
    CString text;
    GetDisplayText(text);
    Invalidate(nullptr);
    if (m_textFlags & kTextMultiLine)
        RewrapText();
    CSize size;
    MeasureText(size, text);
    const CRect box = NormalizedRect(m_position);
    std::int64_t left = box.left;
    std::int64_t right = box.right;
    const std::int64_t width = std::int64_t{m_borders[kLeft]} + size.cx + m_borders[kRight];
    switch (m_textFlags & kTextAlignMask) {
        case kTextAlignLeft:
            right = left + width;
            break;
        case kTextAlignCentre:
            left = (left + right) / 2 - width / 2;
            right = left + width;
            break;
        case kTextAlignRight:
            left = right - width;
            break;
        default:
            break;
    }
    const std::int64_t top =
        std::int64_t{box.bottom} - m_borders[kBottom] - m_borders[kTop] - size.cy;
    m_position = NormalizedRect(
        CRect(SaturatedLong(left), SaturatedLong(top), SaturatedLong(right), box.bottom));
    Invalidate(nullptr);
}

void CTextBox::GetDisplayText(CString& out) {
    if (m_text.IsEmpty())
        return;
    out = m_text[0] == '=' ? ResolveText(m_text) : m_text;
}

CString CTextBox::ResolveText(const char* text) {
    return CString(text);
}

void CTextBox::RewrapText() {
    if (!(m_textFlags & kTextMultiLine)) {
        RemoveSoftBreaks(m_text.str());
        return;
    }
    CRect box;
    GetTextRect(box);
    box.NormalizeRect();
    m_text = WrapText(m_text.str(), GetFont(), SaturatedLong(std::int64_t{box.right} - box.left));
}

WORD CTextBox::SetTextFlags(WORD value, WORD mask) {
    m_textFlags = static_cast<WORD>((m_textFlags & ~mask) | (value & mask));
    return mask;
}

void CTextBox::SetBorders(int left, int top, int right, int bottom) {
    m_borders[kLeft] = static_cast<WORD>(left);
    m_borders[kRight] = static_cast<WORD>(right);
    m_borders[kTop] = static_cast<WORD>(top);
    m_borders[kBottom] = static_cast<WORD>(bottom);
}

void CTextBox::GetTextRect(CRect& rect) const {
    const CRect box = NormalizedRect(m_position);
    rect = CRect(SaturatedLong(std::int64_t{box.left} + m_borders[kLeft]),
                 SaturatedLong(std::int64_t{box.top} + m_borders[kBottom]),
                 SaturatedLong(std::int64_t{box.right} - m_borders[kRight]),
                 SaturatedLong(std::int64_t{box.bottom} - m_borders[kTop]));
}

void CTextBox::MeasureText(CSize& out, const char* text) const {
    out = MeasureTextBlock(text ? text : "", GetFont(), m_textFlags & kTextMultiLine);
}

TextEditSetup CTextBox::BeginInPlaceEdit() {
    TextEditSetup setup;
    CRect box;
    GetTextRect(box);
    box.NormalizeRect();
    if (m_rotation != 0) {
        CPoint corner = box.TopLeft();
        LocalToDoc(&corner, 1);
        box.OffsetRect(corner - box.TopLeft());
    }
    setup.editRect = box;
    setup.controlRect = box;
    setup.multiLine = m_textFlags & kTextMultiLine;
    setup.autoSize = m_textFlags & kTextAutoSize;
    if (!setup.multiLine)
        setup.controlRect.right = SaturatedLong(std::int64_t{box.right} + kSingleLineEditRoom);
    setup.font = GetFont();
    setup.font.lfHeight = MulDiv(setup.font.lfHeight, 100, 72);
    setup.font.lfWidth = 0;
    setup.storedText = m_text;
    RemoveSoftBreaks(m_text.str());
    setup.text = m_text;
    return setup;
}

void CTextBox::SetOwnFont(const LOGFONT* font) {
    if (font)
        m_font = *font;
    else
        m_font.reset();
}

void CTextBox::SetContentText(const char* text) {
    m_text = text ? text : "";
    Invalidate(nullptr);
}
