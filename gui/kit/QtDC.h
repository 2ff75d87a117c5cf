#pragma once
// CQtDC: a device context that paints through a QPainter on an image, a widget or a printer.
// Logical coordinates are mapped to whole device pixels with the context's own rounding and
// drawn in the painter's coordinates as they were when the context was made; shapes are
// drawn without antialiasing, so that raster operations such as R2_XORPEN undo exactly when
// repeated. Raster operations work on raster devices (images, widgets); elsewhere pens and
// brushes are simply copied.
//
// Fonts: the face "Arial" is drawn with Liberation Sans ("Times New Roman" with Liberation
// Serif, "Courier New" with Liberation Mono), which have the same metrics. Text in the face
// "Symbol" is drawn as the characters of its codes, with the family that holds them
// (SymbolFaceFamily). A character the face lacks is drawn, and measured, with the font Qt's
// text layout falls back to. Glyphs advance by whole device pixels, so measured extents match
// what is drawn. A height of 0 gives 12 device pixels; the width field is not used.

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTransform>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "platform/DC.h"
#include "platform/DisplayText.h"

// The Qt font for a logical font whose character (em) height is emPixels device pixels.
QFont QtFontFromLogFont(const LOGFONT& log, double emPixels);

class CQtDC : public CDC {
public:
    // The painter must be active and outlive the context; its state is restored when the
    // context goes. The context's clip replaces any clip the painter had.
    explicit CQtDC(QPainter& painter, bool printing = false);
    ~CQtDC() override;

    int GetDeviceCaps(int index) const override;

protected:
    void OutMoveTo(POINT to) override;
    void OutPoly(PolyKind kind, const POINT* points, int count) override;
    void OutShape(ShapeKind kind, const RECT& rect, POINT a, POINT b) override;
    void OutRect(RectKind kind, const RECT& rect, const CBrush& brush) override;
    void OutPatBlt(const RECT& rect, DWORD rop) override;
    void OutFocusRect(const RECT& rect) override;
    void OutPixel(POINT p, COLORREF color) override;
    void OutImage(const RECT& rect, const DibImage& image) override;
    void OutPath(PathOp op) override;
    void OutText(const TextRun& run) override;
    TEXTMETRIC MeasureFont() const override;
    // Pictures and vector files are scaled after they are made.
    bool KeepsAllText() const override { return IsPrinting() || !m_raster; }
    void MeasureChars(std::string_view text, std::vector<LONG>& cumulative) const override;

private:
    // A glyph and the font that holds it.
    struct FontGlyph {
        QRawFont font;
        quint32 glyph = 0;
    };
    // The selected font realised for the current mapping; metrics in device pixels.
    struct RealizedFont {
        QRawFont raw;
        // Characters the face lacks, as found so far; shared by every copy of the font, so
        // the cached font keeps what one paint found.
        std::shared_ptr<QHash<char32_t, FontGlyph>> fallbacks =
            std::make_shared<QHash<char32_t, FontGlyph>>();
        int ascent = 0;
        int descent = 0;
        int internalLeading = 0;
        int externalLeading = 0;
        int aveCharWidth = 0;
        int maxCharWidth = 0;
    };
    struct TextGlyphs {
        std::vector<DisplayChar> chars;
        QList<QRawFont> fonts;     // one per character
        QList<quint32> glyphs;     // one per character, in its font
        QList<QPointF> positions;  // x advance from the origin, y 0
        int width = 0;
    };

    QPointF Device(POINT p) const;
    QRect DeviceRect(const RECT& r) const;
    int DevicePenWidth() const;
    QPen MakePen() const;
    const QPen& SelectedPen();
    const QPen& GapsPen();
    QBrush MakeBrush(const CBrush& brush) const;
    // The outline of a shape, made in path (its memory reused from shape to shape).
    void ShapePath(ShapeKind kind, const RECT& rect, POINT a, POINT b, QPainterPath& path) const;
    bool PaintUprightBox(const QPainterPath& path);
    bool HasDashedPen() const;
    // Whether the pen, brush and raster operation let PaintUprightBox fill instead of paint.
    bool FillsUprightBoxes() const;
    void FillUprightBox(const QRect& box);
    void BeginOutput(QPainter::CompositionMode mode);
    void PaintPath(const QPainterPath& path, bool fill, bool stroke);
    void StrokePolyline(const POINT* points, int count);
    void FillDeviceRect(const QRect& r, const CBrush& brush);
    struct FontCache;
    static FontCache& Fonts();
    const RealizedFont& Font() const;
    FontGlyph GlyphFor(char32_t code) const;
    RealizedFont Realize(const LOGFONT& log) const;
    TextGlyphs Layout(std::string_view text, const int* dx) const;
    void PaintGlyphs(const TextGlyphs& layout, UINT align);

    // The painter state BeginOutput set last.
    struct OutputState {
        std::optional<QRect> clip;
        QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
        POINT brushOrigin{};
        bool operator==(const OutputState& other) const {
            return clip == other.clip && mode == other.mode &&
                   brushOrigin.x == other.brushOrigin.x && brushOrigin.y == other.brushOrigin.y;
        }
    };

    QPainter& m_painter;
    QTransform m_base;
    std::optional<OutputState> m_output;
    // What a pen SelectedPen made was made for.
    struct PenKey {
        LOGPEN log;
        bool extended;
        int width;
        bool operator==(const PenKey& other) const {
            return log.lopnStyle == other.log.lopnStyle &&
                   log.lopnWidth.x == other.log.lopnWidth.x &&
                   log.lopnColor == other.log.lopnColor && extended == other.extended &&
                   width == other.width;
        }
    };
    struct KeptPen {
        PenKey key;
        QPen pen;
        std::optional<COLORREF> gapsColour;  // the background GapsPen last made gaps for
        QPen gaps;
    };
    static constexpr int kKeptPens = 4;
    std::array<KeptPen, kKeptPens> m_pens{};
    int m_pensKept = 0;
    int m_nextPenSlot = 0;
    int m_currentPen = 0;  // the one SelectedPen gave last
    bool m_raster;
    QPainterPath m_path;
    QPainterPath m_shape;             // the last shape's outline
    std::vector<QPointF> m_polyline;  // the last polyline's device points
    // The font Font() realised last and what for: until the next Font() call they may lag
    // behind the selected font, so text is laid out by the selected font's own fields.
    mutable LOGFONT m_fontLog;
    mutable double m_fontScale = 0;
    mutable RealizedFont m_font;
};
