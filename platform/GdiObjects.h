#pragma once
// Pens, brushes and fonts: the drawing objects a device context selects. They are plain
// values without system handles; a device context copies the value it draws with when an
// object is selected, so an object may go away while still selected without harm.

#include <array>

#include "platform/GdiTypes.h"

// Extended pen style bits, combined with a PS_* line style (CPen with a LOGBRUSH).
constexpr UINT PS_STYLE_MASK = 0x0000000F;
constexpr UINT PS_ENDCAP_ROUND = 0x00000000;
constexpr UINT PS_ENDCAP_SQUARE = 0x00000100;
constexpr UINT PS_ENDCAP_FLAT = 0x00000200;
constexpr UINT PS_ENDCAP_MASK = 0x00000F00;
constexpr UINT PS_JOIN_ROUND = 0x00000000;
constexpr UINT PS_JOIN_BEVEL = 0x00001000;
constexpr UINT PS_JOIN_MITER = 0x00002000;
constexpr UINT PS_JOIN_MASK = 0x0000F000;
constexpr UINT PS_COSMETIC = 0x00000000;
constexpr UINT PS_GEOMETRIC = 0x00010000;
constexpr UINT PS_TYPE_MASK = 0x000F0000;

// Stock objects
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEFAULT_GUI_FONT = 17;

enum class GdiKind { Pen, Brush, Font };

class CGdiObject {
public:
    virtual ~CGdiObject() = default;

    GdiKind Kind() const { return m_kind; }
    // Whether a Create call succeeded (and no DeleteObject followed).
    BOOL IsCreated() const { return m_created; }
    BOOL IsStock() const { return m_stock; }
    // Forgets the object's value. Stock objects cannot be deleted.
    BOOL DeleteObject();

protected:
    explicit CGdiObject(GdiKind kind) : m_kind(kind) {}
    CGdiObject(const CGdiObject& other) : m_kind(other.m_kind), m_created(other.m_created) {}
    CGdiObject& operator=(const CGdiObject& other);

    // Create calls ask this first: stock objects keep their value.
    bool MayCreate() const { return !m_stock; }
    void SetCreated(bool created) { m_created = created; }

private:
    friend CGdiObject* GetStockObject(int index);
    GdiKind m_kind;
    bool m_created = false;
    bool m_stock = false;
};

// The shared stock object of that index, or null for an unknown index.
CGdiObject* GetStockObject(int index);

class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(GdiKind::Pen) {}
    CPen(int style, int width, COLORREF color);
    CPen(int style, int width, const LOGBRUSH* brush);

    // A plain pen: style PS_SOLID .. PS_INSIDEFRAME (other line styles draw solid), width in
    // logical units (0 = one device pixel; negative widths count as positive).
    BOOL CreatePen(int style, int width, COLORREF color);
    // An extended pen: style may carry PS_GEOMETRIC, PS_ENDCAP_* and PS_JOIN_* bits; the
    // colour comes from the brush (a null brush gives a null pen). A cosmetic extended pen
    // is always one device pixel wide. Fails without a brush.
    BOOL CreatePen(int style, int width, const LOGBRUSH* brush);
    BOOL CreatePenIndirect(const LOGPEN* pen);

    // Copies the pen's description (the full style word, extended bits included).
    int GetLogPen(LOGPEN* pen) const;
    const LOGPEN& Log() const { return m_log; }
    UINT LineStyle() const { return m_log.lopnStyle & PS_STYLE_MASK; }
    BOOL IsExtended() const { return m_extended; }
    BOOL IsGeometric() const { return (m_log.lopnStyle & PS_TYPE_MASK) == PS_GEOMETRIC; }

private:
    LOGPEN m_log;
    bool m_extended = false;
};

// An 8x8 monochrome pattern, one byte per row from the top, the most significant bit the
// leftmost pixel. Drawn like the framework's monochrome pattern brushes: 0 bits in the
// context's text colour, 1 bits in its background colour.
using BrushPattern = std::array<BYTE, 8>;

class CBrush : public CGdiObject {
public:
    CBrush() : CGdiObject(GdiKind::Brush) {}
    explicit CBrush(COLORREF color);
    CBrush(int hatch, COLORREF color);
    explicit CBrush(const BrushPattern& pattern);

    BOOL CreateSolidBrush(COLORREF color);
    // Hatch HS_HORIZONTAL .. HS_DIAGCROSS; any other hatch fails.
    BOOL CreateHatchBrush(int hatch, COLORREF color);
    BOOL CreatePatternBrush(const BrushPattern& pattern);
    // Solid, null (hollow) and hatched brushes; pattern brushes need CreatePatternBrush.
    BOOL CreateBrushIndirect(const LOGBRUSH* brush);

    int GetLogBrush(LOGBRUSH* brush) const;
    const LOGBRUSH& Log() const { return m_log; }
    const BrushPattern& Pattern() const { return m_pattern; }

private:
    LOGBRUSH m_log;
    BrushPattern m_pattern{};
};

class CFont : public CGdiObject {
public:
    CFont() : CGdiObject(GdiKind::Font) {}

    // The face name is cut at its first NUL, or at 31 bytes when it has none.
    BOOL CreateFontIndirect(const LOGFONT* font);
    int GetLogFont(LOGFONT* font) const;
    const LOGFONT& Log() const { return m_log; }

private:
    LOGFONT m_log;
};
