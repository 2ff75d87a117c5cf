#include "platform/DC.h"

#include "platform/Geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace {

// Points of a line or polyline drawn from the current position that need no heap block.
constexpr int kShortPoly = 8;

RECT Normalized(POINT a, POINT b) {
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

bool IsEmpty(const RECT& r) {
    return CRect(r).IsRectEmpty();
}

RECT Intersect(const RECT& a, const RECT& b) {
    CRect r;
    r.IntersectRect(a, b);
    return r;
}

std::string_view TextView(const char* text, int count) {
    if (!text)
        return {};
    return count < 0 ? std::string_view(text) : std::string_view(text, size_t(count));
}

int Direction(double scale) {
    return scale < 0 ? -1 : 1;
}

// Splits a paragraph into lines no wider than maxWidth, breaking after runs of spaces; the
// spaces at a break belong to neither line, and a word wider than maxWidth gets a line of
// its own. extents holds the cumulative advance of the paragraph's bytes.
void WrapParagraph(std::string_view text, const std::vector<LONG>& extents, LONG maxWidth,
                   std::vector<std::string_view>& lines) {
    const auto width = [&](size_t from, size_t to) {
        return to == from ? 0 : extents[to - 1] - (from ? extents[from - 1] : 0);
    };
    size_t start = 0;
    do {
        size_t lineEnd = start;
        size_t next = start;
        while (next < text.size()) {
            const size_t wordEnd = std::min(text.find(' ', next), text.size());
            if (lineEnd > start && width(start, wordEnd) > maxWidth)
                break;
            lineEnd = wordEnd;
            next = std::min(text.find_first_not_of(' ', wordEnd), text.size());
        }
        lines.push_back(text.substr(start, lineEnd - start));
        start = next;
    } while (start < text.size());
}

}  // namespace

CDC::CDC(int dpiX, int dpiY, bool printing) : m_printing(printing), m_state(dpiX, dpiY) {
    SelectStockObject(BLACK_PEN);
    SelectStockObject(WHITE_BRUSH);
    SelectStockObject(SYSTEM_FONT);
}

// ---------------------------------------------------------------------------------------------
// Drawing objects, colours and modes

CPen* CDC::SelectObject(CPen* pen) {
    if (!pen || !pen->IsCreated())
        return nullptr;
    CPen* previous = m_state.penSelected;
    m_state.penSelected = pen;
    m_state.pen = *pen;
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    if (!brush || !brush->IsCreated())
        return nullptr;
    CBrush* previous = m_state.brushSelected;
    m_state.brushSelected = brush;
    m_state.brush = *brush;
    return previous;
}

CFont* CDC::SelectObject(CFont* font) {
    if (!font || !font->IsCreated())
        return nullptr;
    CFont* previous = m_state.fontSelected;
    m_state.fontSelected = font;
    m_state.font = *font;
    return previous;
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    if (!object)
        return nullptr;
    switch (object->Kind()) {
        case GdiKind::Pen:
            return SelectObject(static_cast<CPen*>(object));
        case GdiKind::Brush:
            return SelectObject(static_cast<CBrush*>(object));
        case GdiKind::Font:
            return SelectObject(static_cast<CFont*>(object));
    }
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index) {
    return SelectObject(GetStockObject(index));
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return std::exchange(m_state.textColor, color);
}

COLORREF CDC::SetBkColor(COLORREF color) {
    return std::exchange(m_state.bkColor, color);
}

int CDC::SetBkMode(int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    return std::exchange(m_state.bkMode, mode);
}

int CDC::SetROP2(int rop) {
    if (rop < R2_BLACK || rop > R2_WHITE)
        return 0;
    return std::exchange(m_state.rop2, rop);
}

int CDC::SetPolyFillMode(int mode) {
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    return std::exchange(m_state.polyFillMode, mode);
}

UINT CDC::SetTextAlign(UINT flags) {
    return std::exchange(m_state.textAlign, flags & (TA_UPDATECP | TA_HORZ_MASK | TA_VERT_MASK));
}

POINT CDC::SetBrushOrg(int x, int y) {
    return std::exchange(m_state.brushOrg, POINT{x, y});
}

// ---------------------------------------------------------------------------------------------
// Mapping

int CDC::SetMapMode(int mode) {
    return m_state.mapping.SetMode(mode);
}

POINT CDC::OffsetViewportOrg(int dx, int dy) {
    const POINT org = m_state.mapping.ViewportOrg();
    return m_state.mapping.SetViewportOrg(
        POINT{SaturatedLong(std::int64_t{org.x} + dx), SaturatedLong(std::int64_t{org.y} + dy)});
}

void CDC::LPtoDP(POINT* points, int count) const {
    for (int i = 0; points && i < count; ++i)
        points[i] = m_state.mapping.ToDevice(points[i]);
}

void CDC::LPtoDP(RECT* rect) const {
    if (!rect)
        return;
    const POINT a = m_state.mapping.ToDevice(POINT{rect->left, rect->top});
    const POINT b = m_state.mapping.ToDevice(POINT{rect->right, rect->bottom});
    *rect = RECT{a.x, a.y, b.x, b.y};
}

void CDC::LPtoDP(SIZE* size) const {
    if (size)
        *size = m_state.mapping.SizeToDevice(*size);
}

void CDC::DPtoLP(POINT* points, int count) const {
    for (int i = 0; points && i < count; ++i)
        points[i] = m_state.mapping.ToLogical(points[i]);
}

void CDC::DPtoLP(RECT* rect) const {
    if (!rect)
        return;
    const POINT a = m_state.mapping.ToLogical(POINT{rect->left, rect->top});
    const POINT b = m_state.mapping.ToLogical(POINT{rect->right, rect->bottom});
    *rect = RECT{a.x, a.y, b.x, b.y};
}

void CDC::DPtoLP(SIZE* size) const {
    if (size)
        *size = m_state.mapping.SizeToLogical(*size);
}

// ---------------------------------------------------------------------------------------------
// Clipping and saved states

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
    const RECT device = Normalized(m_state.mapping.ToDevice(POINT{left, top}),
                                   m_state.mapping.ToDevice(POINT{right, bottom}));
    m_state.clip = m_state.clipped ? Intersect(m_state.clip, device) : device;
    if (IsEmpty(m_state.clip))
        m_state.clip = RECT{};
    m_state.clipped = true;
    return IsEmpty(m_state.clip) ? NULLREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(const RECT* rect) {
    if (!rect)
        return RGN_ERROR;
    return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
}

int CDC::SelectClipRgn(const RECT* deviceRect) {
    if (!deviceRect) {
        m_state.clipped = false;
        return SIMPLEREGION;
    }
    m_state.clip = Normalized(POINT{deviceRect->left, deviceRect->top},
                              POINT{deviceRect->right, deviceRect->bottom});
    if (IsEmpty(m_state.clip))
        m_state.clip = RECT{};
    m_state.clipped = true;
    return IsEmpty(m_state.clip) ? NULLREGION : SIMPLEREGION;
}

RECT CDC::DeviceBounds() const {
    return RECT{0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES)};
}

int CDC::GetClipBox(RECT* rect) const {
    if (!rect)
        return RGN_ERROR;
    const RECT visible = m_state.clipped ? Intersect(DeviceBounds(), m_state.clip) : DeviceBounds();
    if (IsEmpty(visible)) {
        *rect = RECT{};
        return NULLREGION;
    }
    *rect = Normalized(m_state.mapping.ToLogical(POINT{visible.left, visible.top}),
                       m_state.mapping.ToLogical(POINT{visible.right, visible.bottom}));
    return SIMPLEREGION;
}

int CDC::SaveDC() {
    m_saved.push_back(m_state);
    return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int saved) {
    const long depth = static_cast<long>(m_saved.size());
    const long index = saved < 0 ? depth + 1 + saved : saved;
    if (saved == 0 || index < 1 || index > depth)
        return FALSE;
    m_state = m_saved[size_t(index - 1)];
    m_saved.resize(size_t(index - 1), m_state);
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Lines, curves and shapes

POINT CDC::MoveTo(int x, int y) {
    const POINT previous = std::exchange(m_state.position, POINT{x, y});
    OutMoveTo(m_state.position);
    return previous;
}

BOOL CDC::LineTo(int x, int y) {
    const POINT p{x, y};
    return Poly(PolyKind::LineTo, &p, 1);
}

BOOL CDC::Polyline(const POINT* points, int count) {
    return count >= 2 && Poly(PolyKind::Polyline, points, count);
}

BOOL CDC::PolylineTo(const POINT* points, int count) {
    return count >= 1 && Poly(PolyKind::PolylineTo, points, count);
}

BOOL CDC::PolyBezier(const POINT* points, int count) {
    return count >= 4 && (count - 1) % 3 == 0 && Poly(PolyKind::PolyBezier, points, count);
}

BOOL CDC::PolyBezierTo(const POINT* points, int count) {
    return count >= 3 && count % 3 == 0 && Poly(PolyKind::PolyBezierTo, points, count);
}

BOOL CDC::Polygon(const POINT* points, int count) {
    return count >= 2 && Poly(PolyKind::Polygon, points, count);
}

// The "To" kinds start at the current position and leave it at their last point.
BOOL CDC::Poly(PolyKind kind, const POINT* points, int count) {
    if (!points || count <= 0)
        return FALSE;
    const bool continues =
        kind == PolyKind::LineTo || kind == PolyKind::PolylineTo || kind == PolyKind::PolyBezierTo;
    if (!continues) {
        OutPoly(kind, points, count);
        return TRUE;
    }
    // From the current position on: a line's two points without a heap block, as lines come by
    // the ten thousand.
    std::array<POINT, kShortPoly> near{};
    std::vector<POINT> far;
    POINT* path = near.data();
    if (count >= kShortPoly) {
        far.resize(size_t(count) + 1);
        path = far.data();
    }
    path[0] = m_state.position;
    std::copy(points, points + count, path + 1);
    OutPoly(kind, path, count + 1);
    m_state.position = path[count];
    return TRUE;
}

BOOL CDC::Shape(ShapeKind kind, const RECT& rect, POINT a, POINT b) {
    OutShape(kind, rect, a, b);
    return TRUE;
}

BOOL CDC::Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4) {
    return Shape(ShapeKind::Arc, RECT{l, t, r, b}, POINT{x3, y3}, POINT{x4, y4});
}

BOOL CDC::Arc(const RECT* rect, POINT start, POINT end) {
    return rect && Shape(ShapeKind::Arc, *rect, start, end);
}

BOOL CDC::Rectangle(int l, int t, int r, int b) {
    return Shape(ShapeKind::Rectangle, RECT{l, t, r, b}, POINT{}, POINT{});
}

BOOL CDC::Rectangle(const RECT* rect) {
    return rect && Shape(ShapeKind::Rectangle, *rect, POINT{}, POINT{});
}

BOOL CDC::RoundRect(int l, int t, int r, int b, int cornerWidth, int cornerHeight) {
    return Shape(ShapeKind::RoundRect, RECT{l, t, r, b}, POINT{cornerWidth, cornerHeight}, POINT{});
}

BOOL CDC::RoundRect(const RECT* rect, POINT corner) {
    return rect && Shape(ShapeKind::RoundRect, *rect, corner, POINT{});
}

BOOL CDC::Ellipse(int l, int t, int r, int b) {
    return Shape(ShapeKind::Ellipse, RECT{l, t, r, b}, POINT{}, POINT{});
}

BOOL CDC::Ellipse(const RECT* rect) {
    return rect && Shape(ShapeKind::Ellipse, *rect, POINT{}, POINT{});
}

BOOL CDC::Chord(int l, int t, int r, int b, int x3, int y3, int x4, int y4) {
    return Shape(ShapeKind::Chord, RECT{l, t, r, b}, POINT{x3, y3}, POINT{x4, y4});
}

BOOL CDC::Chord(const RECT* rect, POINT start, POINT end) {
    return rect && Shape(ShapeKind::Chord, *rect, start, end);
}

BOOL CDC::Pie(int l, int t, int r, int b, int x3, int y3, int x4, int y4) {
    return Shape(ShapeKind::Pie, RECT{l, t, r, b}, POINT{x3, y3}, POINT{x4, y4});
}

BOOL CDC::Pie(const RECT* rect, POINT start, POINT end) {
    return rect && Shape(ShapeKind::Pie, *rect, start, end);
}

// ---------------------------------------------------------------------------------------------
// Rectangles with a given brush, patterns and pixels

void CDC::FillRect(const RECT* rect, CBrush* brush) {
    if (rect && brush && brush->IsCreated())
        OutRect(RectKind::Fill, *rect, *brush);
}

void CDC::FillSolidRect(const RECT* rect, COLORREF color) {
    SetBkColor(color);
    if (rect)
        OutRect(RectKind::Fill, *rect, CBrush(color));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    const RECT rect{x, y, SaturatedLong(std::int64_t{x} + cx), SaturatedLong(std::int64_t{y} + cy)};
    FillSolidRect(&rect, color);
}

void CDC::FrameRect(const RECT* rect, CBrush* brush) {
    if (rect && brush && brush->IsCreated())
        OutRect(RectKind::Frame, *rect, *brush);
}

void CDC::InvertRect(const RECT* rect) {
    if (rect)
        OutPatBlt(*rect, DSTINVERT);
}

void CDC::DrawFocusRect(const RECT* rect) {
    if (rect)
        OutFocusRect(*rect);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    if (rop != PATCOPY && rop != PATINVERT && rop != DSTINVERT && rop != BLACKNESS &&
        rop != WHITENESS)
        return FALSE;
    OutPatBlt(
        RECT{x, y, SaturatedLong(std::int64_t{x} + width), SaturatedLong(std::int64_t{y} + height)},
        rop);
    return TRUE;
}

void CDC::DrawImage(const RECT* rect, const DibImage& image) {
    if (rect && image.width > 0 && image.height > 0)
        OutImage(*rect, image);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    OutPixel(POINT{x, y}, color);
    return color;
}

// ---------------------------------------------------------------------------------------------
// Paths

BOOL CDC::BeginPath() {
    m_path = PathState::Open;
    OutPath(PathOp::Begin);
    return TRUE;
}

BOOL CDC::EndPath() {
    if (m_path != PathState::Open)
        return FALSE;
    m_path = PathState::Closed;
    OutPath(PathOp::End);
    return TRUE;
}

BOOL CDC::AbortPath() {
    m_path = PathState::None;
    OutPath(PathOp::Abort);
    return TRUE;
}

BOOL CDC::DrawPath(PathOp op) {
    if (m_path != PathState::Closed)
        return FALSE;
    OutPath(op);
    m_path = PathState::None;
    return TRUE;
}

BOOL CDC::StrokePath() {
    return DrawPath(PathOp::Stroke);
}

BOOL CDC::FillPath() {
    return DrawPath(PathOp::Fill);
}

BOOL CDC::StrokeAndFillPath() {
    return DrawPath(PathOp::StrokeAndFill);
}

// ---------------------------------------------------------------------------------------------
// Text

BOOL CDC::TextOut(int x, int y, const char* text, int count) {
    return TextOut(x, y, TextView(text, count));
}

BOOL CDC::TextOut(int x, int y, std::string_view text) {
    return ExtTextOut(x, y, 0, nullptr, text.data(), UINT(text.size()), nullptr);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                     const int* dx) {
    const std::string_view view = text ? std::string_view(text, count) : std::string_view();
    const UINT align = m_state.textAlign;
    const bool update = (align & TA_UPDATECP) != 0;
    TextRun run{update ? m_state.position : POINT{x, y},
                align & ~TA_UPDATECP,
                rect ? options & (ETO_OPAQUE | ETO_CLIPPED) : 0,
                rect,
                view,
                dx};
    OutText(run);
    if (update) {
        std::int64_t width = 0;
        if (dx) {
            for (size_t i = 0; i < view.size(); ++i)
                width += dx[i];
        } else if (!view.empty()) {
            width = CharExtents(view).back();
        }
        AdvanceTextPosition(SaturatedLong(width));
    }
    return TRUE;
}

// Moves the current position along the text's baseline by its width: forward for left
// aligned text, backward for right aligned text.
void CDC::AdvanceTextPosition(LONG width) {
    const UINT horizontal = m_state.textAlign & TA_HORZ_MASK;
    if (horizontal == TA_CENTER)
        return;
    const std::int64_t signedWidth = horizontal == TA_RIGHT ? -std::int64_t{width} : width;
    const LONG escapement = m_state.font.Log().lfEscapement % 3600;
    if (escapement == 0) {
        m_state.position.x =
            SaturatedLong(m_state.position.x + Direction(Mapping().ScaleX()) * signedWidth);
        return;
    }
    const double angle = escapement * std::numbers::pi / 1800.0;
    const double deviceWidth = Mapping().SizeToDevice(SIZE{SaturatedLong(signedWidth), 0}).cx;
    POINT device = Mapping().ToDevice(m_state.position);
    device.x = SaturatedLong(device.x + std::llround(deviceWidth * std::cos(angle)));
    device.y = SaturatedLong(device.y - std::llround(deviceWidth * std::sin(angle)));
    m_state.position = Mapping().ToLogical(device);
}

int CDC::DrawText(const char* text, int count, RECT* rect, UINT format) {
    return DrawText(TextView(text, count), rect, format);
}

int CDC::DrawText(std::string_view text, RECT* rect, UINT format) {
    if (!rect)
        return 0;
    const std::int64_t boxWidth = std::abs(std::int64_t{rect->right} - rect->left);
    const std::vector<std::string_view> lines = LayoutLines(text, format, SaturatedLong(boxWidth));
    const LONG height = SaturatedLong(std::int64_t{MeasureFont().tmHeight} * std::ssize(lines));
    if (!(format & DT_CALCRECT)) {
        DrawTextLines(lines, *rect, format);
        return height;
    }
    LONG widest = 0;
    for (std::string_view line : lines)
        widest = std::max(widest, GetTextExtent(line).cx);
    rect->right = SaturatedLong(rect->left + std::int64_t{Direction(Mapping().ScaleX())} * widest);
    rect->bottom = SaturatedLong(rect->top + std::int64_t{Direction(Mapping().ScaleY())} * height);
    return height;
}

// Writes the lines one below the other from the rectangle's top edge as seen on the device,
// aligned by the DT_* format and clipped to the rectangle unless DT_NOCLIP.
void CDC::DrawTextLines(const std::vector<std::string_view>& lines, const RECT& rect, UINT format) {
    const int xdir = Direction(Mapping().ScaleX());
    const int ydir = Direction(Mapping().ScaleY());
    const std::int64_t boxWidth = std::abs(std::int64_t{rect.right} - rect.left);
    const std::int64_t boxHeight = std::abs(std::int64_t{rect.bottom} - rect.top);
    const std::int64_t lineHeight = MeasureFont().tmHeight;
    const LONG left = xdir > 0 ? std::min(rect.left, rect.right) : std::max(rect.left, rect.right);
    std::int64_t y = ydir > 0 ? std::min(rect.top, rect.bottom) : std::max(rect.top, rect.bottom);
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        y += ydir * ((boxHeight - lineHeight) / 2);
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        y += ydir * (boxHeight - lineHeight);

    const bool clip = !(format & DT_NOCLIP);
    for (std::string_view line : lines) {
        std::int64_t x = left;
        if (format & (DT_CENTER | DT_RIGHT)) {
            const std::int64_t free = boxWidth - GetTextExtent(line).cx;
            x += xdir * ((format & DT_CENTER) ? free / 2 : free);
        }
        OutText(TextRun{POINT{SaturatedLong(x), SaturatedLong(y)}, TA_LEFT | TA_TOP,
                        clip ? ETO_CLIPPED : 0u, clip ? &rect : nullptr, line, nullptr});
        y += ydir * lineHeight;
    }
}

// The lines of a DrawText text: one line with DT_SINGLELINE; otherwise one per paragraph
// (ended by CR, LF or CR LF), each wrapped to the width with DT_WORDBREAK.
std::vector<std::string_view> CDC::LayoutLines(std::string_view text, UINT format,
                                               LONG maxWidth) const {
    std::vector<std::string_view> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back(text);
        return lines;
    }
    size_t start = 0;
    while (true) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string_view paragraph = text.substr(start, end - start);
        if ((format & DT_WORDBREAK) && !paragraph.empty())
            WrapParagraph(paragraph, CharExtents(paragraph), maxWidth, lines);
        else
            lines.push_back(paragraph);
        if (end == text.size())
            break;
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

SIZE CDC::GetTextExtent(const char* text, int count) const {
    return GetTextExtent(TextView(text, count));
}

SIZE CDC::GetTextExtent(std::string_view text) const {
    const std::vector<LONG> extents = CharExtents(text);
    return SIZE{extents.empty() ? 0 : extents.back(), MeasureFont().tmHeight};
}

BOOL CDC::GetTextExtentExPoint(const char* text, int count, int maxExtent, int* fit, int* dx,
                               SIZE* size) const {
    const std::string_view view = TextView(text, count);
    const std::vector<LONG> extents = CharExtents(view);
    if (dx)
        std::copy(extents.begin(), extents.end(), dx);
    if (fit) {
        *fit = static_cast<int>(
            std::count_if(extents.begin(), extents.end(), [&](LONG e) { return e <= maxExtent; }));
    }
    if (size)
        *size = SIZE{extents.empty() ? 0 : extents.back(), MeasureFont().tmHeight};
    return TRUE;
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
    if (!metrics)
        return FALSE;
    *metrics = MeasureFont();
    return TRUE;
}

bool CDC::IsTextTooSmallToRead(LONG fontHeight) const {
    if (fontHeight == 0 || KeepsAllText())
        return false;
    return std::labs(m_state.mapping.SizeToDevice(SIZE{0, fontHeight}).cy) < kLegibleTextPixels;
}

std::vector<LONG> CDC::CharExtents(std::string_view text) const {
    std::vector<LONG> extents;
    MeasureChars(text, extents);
    extents.resize(text.size(), extents.empty() ? 0 : extents.back());
    return extents;
}
