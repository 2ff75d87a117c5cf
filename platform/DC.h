#pragma once
// CDC: the device context the documents draw with, in the vocabulary of the Windows drawing
// interface (compatible graphics mode). The base class keeps the whole state of a context:
// selected pen, brush and font, colours and modes, the logical-to-device mapping, the clip
// rectangle, the saved-state stack and the current position. A subclass renders the output
// calls (CQtDC paints through QPainter, CRecordingDC writes a text log) and measures text.
//
// Semantics kept from the Windows drawing interface:
// - Rectangle, Ellipse, RoundRect, Chord, Pie, FillRect and friends exclude the right and
//   bottom edge of their device rectangle; LineTo does not draw its last pixel.
// - Arc, Chord and Pie run counter-clockwise as seen on the device (whatever the direction of
//   the logical axes) from the ray through the start point to the ray through the end point;
//   equal points give the whole ellipse.
// - Text is upright and left to right; only the font's escapement (tenths of a degree,
//   counter-clockwise on the device) turns it. Font heights are logical units: negative for
//   the character height, positive for the cell height.
// - Selecting an object that was never created (or null) changes nothing and returns null.

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/DCMapping.h"
#include "platform/DibImage.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"

// Polygon fill modes
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// Background modes
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Binary raster operations of pens and brushes (SetROP2)
constexpr int R2_BLACK = 1;
constexpr int R2_NOTMERGEPEN = 2;
constexpr int R2_MASKNOTPEN = 3;
constexpr int R2_NOTCOPYPEN = 4;
constexpr int R2_MASKPENNOT = 5;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTMASKPEN = 8;
constexpr int R2_MASKPEN = 9;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_MERGENOTPEN = 12;
constexpr int R2_COPYPEN = 13;
constexpr int R2_MERGEPENNOT = 14;
constexpr int R2_MERGEPEN = 15;
constexpr int R2_WHITE = 16;

// Raster operations of PatBlt
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD PATINVERT = 0x005A0049;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Text alignment (SetTextAlign)
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;
constexpr UINT TA_HORZ_MASK = TA_LEFT | TA_RIGHT | TA_CENTER;
constexpr UINT TA_VERT_MASK = TA_TOP | TA_BOTTOM | TA_BASELINE;

// DrawText formats
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;

// ExtTextOut options
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// GetDeviceCaps indexes
constexpr int HORZSIZE = 4;  // millimetres
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;  // pixels
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;

// Clip results
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;

struct TEXTMETRIC {  // logical units
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
};

// The least font height, in device pixels, at which text is drawn on a screen.
constexpr LONG kLegibleTextPixels = 4;

class CDC {
public:
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Drawing objects. Each returns the object selected before (of the same kind).
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CGdiObject* SelectObject(CGdiObject* object);
    std::nullptr_t SelectObject(std::nullptr_t) { return nullptr; }
    CGdiObject* SelectStockObject(int index);
    // The values in use (copies taken when the objects were selected).
    const CPen* GetCurrentPen() const { return &m_state.pen; }
    const CBrush* GetCurrentBrush() const { return &m_state.brush; }
    const CFont* GetCurrentFont() const { return &m_state.font; }

    // Colours and modes; each setter returns the previous value (0 for an invalid mode).
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_state.textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_state.bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_state.bkMode; }
    int SetROP2(int rop);
    int GetROP2() const { return m_state.rop2; }
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return m_state.polyFillMode; }
    UINT SetTextAlign(UINT flags);
    UINT GetTextAlign() const { return m_state.textAlign; }
    // Brush origin in device units.
    POINT SetBrushOrg(int x, int y);
    POINT SetBrushOrg(POINT org) { return SetBrushOrg(org.x, org.y); }
    POINT GetBrushOrg() const { return m_state.brushOrg; }

    // Mapping
    int SetMapMode(int mode);
    int GetMapMode() const { return m_state.mapping.Mode(); }
    POINT SetWindowOrg(int x, int y) { return m_state.mapping.SetWindowOrg(POINT{x, y}); }
    POINT SetWindowOrg(POINT org) { return m_state.mapping.SetWindowOrg(org); }
    POINT GetWindowOrg() const { return m_state.mapping.WindowOrg(); }
    SIZE SetWindowExt(int cx, int cy) { return m_state.mapping.SetWindowExt(SIZE{cx, cy}); }
    SIZE SetWindowExt(SIZE ext) { return m_state.mapping.SetWindowExt(ext); }
    SIZE GetWindowExt() const { return m_state.mapping.WindowExt(); }
    POINT SetViewportOrg(int x, int y) { return m_state.mapping.SetViewportOrg(POINT{x, y}); }
    POINT SetViewportOrg(POINT org) { return m_state.mapping.SetViewportOrg(org); }
    POINT OffsetViewportOrg(int dx, int dy);
    POINT GetViewportOrg() const { return m_state.mapping.ViewportOrg(); }
    SIZE SetViewportExt(int cx, int cy) { return m_state.mapping.SetViewportExt(SIZE{cx, cy}); }
    SIZE SetViewportExt(SIZE ext) { return m_state.mapping.SetViewportExt(ext); }
    SIZE ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) {
        return m_state.mapping.ScaleViewportExt(xNum, xDenom, yNum, yDenom);
    }
    SIZE GetViewportExt() const { return m_state.mapping.ViewportExt(); }
    // Rectangles convert corner by corner and are not normalised.
    void LPtoDP(POINT* points, int count = 1) const;
    void LPtoDP(RECT* rect) const;
    void LPtoDP(SIZE* size) const;
    void DPtoLP(POINT* points, int count = 1) const;
    void DPtoLP(RECT* rect) const;
    void DPtoLP(SIZE* size) const;

    // Clipping. The clip rectangle is kept in device units.
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(const RECT* rect);
    // A rectangle in device units replaces the clip; null removes it.
    int SelectClipRgn(const RECT* deviceRect);
    // The visible part of the clip in logical units, normalised.
    int GetClipBox(RECT* rect) const;

    // Saved states: SaveDC returns the new depth (1 for the first); RestoreDC(-1) returns to
    // the latest saved state, RestoreDC(n) to the state saved by the n-th call, dropping
    // those saved after it.
    int SaveDC();
    BOOL RestoreDC(int saved);

    BOOL IsPrinting() const { return m_printing; }
    virtual int GetDeviceCaps(int index) const = 0;

    // Lines and curves
    POINT MoveTo(int x, int y);
    POINT MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    POINT GetCurrentPosition() const { return m_state.position; }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    BOOL Polyline(const POINT* points, int count);
    BOOL PolylineTo(const POINT* points, int count);
    // count = 3k + 1: start, then control, control, end for each segment.
    BOOL PolyBezier(const POINT* points, int count);
    // count = 3k, continuing from the current position.
    BOOL PolyBezierTo(const POINT* points, int count);
    BOOL Arc(int l, int t, int r, int b, int x3, int y3, int x4, int y4);
    BOOL Arc(const RECT* rect, POINT start, POINT end);

    // Filled shapes: outline with the pen, inside with the brush.
    BOOL Polygon(const POINT* points, int count);
    BOOL Rectangle(int l, int t, int r, int b);
    BOOL Rectangle(const RECT* rect);
    BOOL RoundRect(int l, int t, int r, int b, int cornerWidth, int cornerHeight);
    BOOL RoundRect(const RECT* rect, POINT corner);
    BOOL Ellipse(int l, int t, int r, int b);
    BOOL Ellipse(const RECT* rect);
    BOOL Chord(int l, int t, int r, int b, int x3, int y3, int x4, int y4);
    BOOL Chord(const RECT* rect, POINT start, POINT end);
    BOOL Pie(int l, int t, int r, int b, int x3, int y3, int x4, int y4);
    BOOL Pie(const RECT* rect, POINT start, POINT end);

    // Rectangles painted with a given brush, neither with the pen nor the raster operation.
    void FillRect(const RECT* rect, CBrush* brush);
    // Leaves the background colour set to the fill colour, as the framework does.
    void FillSolidRect(const RECT* rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    // A border one device pixel wide.
    void FrameRect(const RECT* rect, CBrush* brush);
    void InvertRect(const RECT* rect);
    // A dotted frame drawn by inverting pixels; drawing it again removes it.
    void DrawFocusRect(const RECT* rect);
    // The selected brush over (x, y, x + width, y + height) with PATCOPY, PATINVERT,
    // DSTINVERT, BLACKNESS or WHITENESS; others fail.
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    // The picture stretched over the rectangle (logical units).
    void DrawImage(const RECT* rect, const DibImage& image);
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT p, COLORREF color) { return SetPixel(p.x, p.y, color); }

    // Paths: between BeginPath and EndPath the line, curve and shape calls build a path
    // instead of drawing; StrokePath, FillPath and StrokeAndFillPath draw and discard it.
    BOOL BeginPath();
    BOOL EndPath();
    BOOL AbortPath();
    BOOL StrokePath();
    BOOL FillPath();
    BOOL StrokeAndFillPath();

    // Text. A negative count (or none) means up to the terminating NUL.
    BOOL TextOut(int x, int y, const char* text, int count = -1);
    BOOL TextOut(int x, int y, std::string_view text);
    // dx: the advance of each byte in logical units, or null for the font's own.
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                    const int* dx);
    // Lays the text out in the rectangle (DT_* formats; '&' has no special meaning) and
    // returns its height. With DT_CALCRECT it only sets the rectangle's right and bottom to
    // bound the text.
    int DrawText(const char* text, int count, RECT* rect, UINT format);
    int DrawText(std::string_view text, RECT* rect, UINT format);
    SIZE GetTextExtent(const char* text, int count = -1) const;
    SIZE GetTextExtent(std::string_view text) const;
    // dx receives the extent of the first 1, 2, ... count bytes; fit (when given) how many
    // bytes fit in maxExtent.
    BOOL GetTextExtentExPoint(const char* text, int count, int maxExtent, int* fit, int* dx,
                              SIZE* size) const;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;
    // Whether text in a font of this height (logical units, as in LOGFONT) is too small to
    // read on the screen: under kLegibleTextPixels device pixels. A sheet zoomed far out
    // leaves such text out rather than paint specks; a context that keeps all text (see
    // KeepsAllText) has none too small.
    bool IsTextTooSmallToRead(LONG fontHeight) const;

protected:
    CDC(int dpiX, int dpiY, bool printing);

    enum class PolyKind { LineTo, Polyline, PolylineTo, PolyBezier, PolyBezierTo, Polygon };
    enum class ShapeKind { Rectangle, RoundRect, Ellipse, Arc, Chord, Pie };
    enum class RectKind { Fill, Frame };
    enum class PathOp { Begin, End, Abort, Stroke, Fill, StrokeAndFill };
    struct TextRun {
        POINT origin;  // logical
        UINT align;    // TA_* without TA_UPDATECP
        UINT options;  // ETO_*
        const RECT* rect;
        std::string_view text;
        const int* dx;  // per byte, logical; may be null
    };

    // Output, all in logical coordinates. The "To" kinds of OutPoly get the current position
    // as their first point. Shapes get their rectangle as given; a and b are the corner size
    // of RoundRect and the radial points of Arc, Chord and Pie.
    virtual void OutMoveTo(POINT to) = 0;
    virtual void OutPoly(PolyKind kind, const POINT* points, int count) = 0;
    virtual void OutShape(ShapeKind kind, const RECT& rect, POINT a, POINT b) = 0;
    virtual void OutRect(RectKind kind, const RECT& rect, const CBrush& brush) = 0;
    virtual void OutPatBlt(const RECT& rect, DWORD rop) = 0;
    virtual void OutFocusRect(const RECT& rect) = 0;
    virtual void OutPixel(POINT p, COLORREF color) = 0;
    virtual void OutImage(const RECT& rect, const DibImage& image) = 0;
    virtual void OutPath(PathOp op) = 0;
    virtual void OutText(const TextRun& run) = 0;
    // Metrics of the selected font and the advance of the first 1, 2, ... bytes of a text,
    // in logical units, ignoring the escapement.
    virtual TEXTMETRIC MeasureFont() const = 0;
    virtual void MeasureChars(std::string_view text, std::vector<LONG>& cumulative) const = 0;

    // Whether all text is output however small: on a printer, and on devices whose output is
    // scaled afterwards.
    virtual bool KeepsAllText() const { return m_printing; }

    // State for the output calls.
    const DCMapping& Mapping() const { return m_state.mapping; }
    bool IsPathOpen() const { return m_path == PathState::Open; }
    // The clip in device units, or null when there is none.
    const RECT* DeviceClip() const { return m_state.clipped ? &m_state.clip : nullptr; }

private:
    enum class PathState { None, Open, Closed };
    struct State {
        State(int dpiX, int dpiY) : mapping(dpiX, dpiY) {}
        CPen* penSelected = nullptr;
        CPen pen;
        CBrush* brushSelected = nullptr;
        CBrush brush;
        CFont* fontSelected = nullptr;
        CFont font;
        COLORREF textColor = RGB(0, 0, 0);
        COLORREF bkColor = RGB(255, 255, 255);
        int bkMode = OPAQUE;
        int rop2 = R2_COPYPEN;
        int polyFillMode = ALTERNATE;
        UINT textAlign = TA_LEFT | TA_TOP;
        DCMapping mapping;
        bool clipped = false;
        RECT clip;  // device units, normalised
        POINT brushOrg;
        POINT position;
    };

    BOOL Shape(ShapeKind kind, const RECT& rect, POINT a, POINT b);
    BOOL Poly(PolyKind kind, const POINT* points, int count);
    BOOL DrawPath(PathOp op);
    RECT DeviceBounds() const;
    void AdvanceTextPosition(LONG width);
    std::vector<LONG> CharExtents(std::string_view text) const;
    void DrawTextLines(const std::vector<std::string_view>& lines, const RECT& rect, UINT format);
    std::vector<std::string_view> LayoutLines(std::string_view text, UINT format,
                                              LONG maxWidth) const;

    bool m_printing;
    State m_state;
    std::vector<State> m_saved;
    PathState m_path = PathState::None;
};
