#include "platform/GdiObjects.h"

#include <cstring>
#include <limits>

CGdiObject& CGdiObject::operator=(const CGdiObject& other) {
    m_kind = other.m_kind;
    m_created = other.m_created;
    return *this;
}

namespace {

// |v|, with the most negative value taken as the most positive one.
LONG Magnitude(int v) {
    return v >= 0 ? v : v == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -v;
}

}  // namespace

BOOL CGdiObject::DeleteObject() {
    if (m_stock || !m_created)
        return FALSE;
    m_created = false;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Pens

CPen::CPen(int style, int width, COLORREF color) : CPen() {
    CreatePen(style, width, color);
}

CPen::CPen(int style, int width, const LOGBRUSH* brush) : CPen() {
    CreatePen(style, width, brush);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    if (!MayCreate())
        return FALSE;
    m_log.lopnStyle = static_cast<UINT>(style) & PS_STYLE_MASK;
    m_log.lopnWidth = POINT{Magnitude(width), 0};
    m_log.lopnColor = color;
    m_extended = false;
    SetCreated(true);
    return TRUE;
}

BOOL CPen::CreatePen(int style, int width, const LOGBRUSH* brush) {
    if (!MayCreate() || !brush)
        return FALSE;
    const UINT bits =
        static_cast<UINT>(style) & (PS_STYLE_MASK | PS_ENDCAP_MASK | PS_JOIN_MASK | PS_TYPE_MASK);
    const bool geometric = (bits & PS_TYPE_MASK) == PS_GEOMETRIC;
    m_log.lopnStyle = brush->lbStyle == BS_NULL ? PS_NULL : bits;
    m_log.lopnWidth = POINT{geometric ? Magnitude(width) : 1, 0};
    m_log.lopnColor = brush->lbColor;
    m_extended = true;
    SetCreated(true);
    return TRUE;
}

BOOL CPen::CreatePenIndirect(const LOGPEN* pen) {
    if (!pen)
        return FALSE;
    return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

int CPen::GetLogPen(LOGPEN* pen) const {
    if (!pen || !IsCreated())
        return 0;
    *pen = m_log;
    return static_cast<int>(sizeof(LOGPEN));
}

// ---------------------------------------------------------------------------------------------
// Brushes

CBrush::CBrush(COLORREF color) : CBrush() {
    CreateSolidBrush(color);
}

CBrush::CBrush(int hatch, COLORREF color) : CBrush() {
    CreateHatchBrush(hatch, color);
}

CBrush::CBrush(const BrushPattern& pattern) : CBrush() {
    CreatePatternBrush(pattern);
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    LOGBRUSH log{BS_SOLID, color, 0};
    return CreateBrushIndirect(&log);
}

BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color) {
    LOGBRUSH log{BS_HATCHED, color, hatch};
    return CreateBrushIndirect(&log);
}

BOOL CBrush::CreatePatternBrush(const BrushPattern& pattern) {
    if (!MayCreate())
        return FALSE;
    m_log = LOGBRUSH{BS_PATTERN, 0, 0};
    m_pattern = pattern;
    SetCreated(true);
    return TRUE;
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* brush) {
    if (!MayCreate() || !brush)
        return FALSE;
    switch (brush->lbStyle) {
        case BS_SOLID:
            m_log = LOGBRUSH{BS_SOLID, brush->lbColor, 0};
            break;
        case BS_NULL:
            m_log = LOGBRUSH{BS_NULL, 0, 0};
            break;
        case BS_HATCHED:
            if (brush->lbHatch < HS_HORIZONTAL || brush->lbHatch > HS_DIAGCROSS)
                return FALSE;
            m_log = *brush;
            break;
        default:
            return FALSE;
    }
    m_pattern = {};
    SetCreated(true);
    return TRUE;
}

int CBrush::GetLogBrush(LOGBRUSH* brush) const {
    if (!brush || !IsCreated())
        return 0;
    *brush = m_log;
    return static_cast<int>(sizeof(LOGBRUSH));
}

// ---------------------------------------------------------------------------------------------
// Fonts

BOOL CFont::CreateFontIndirect(const LOGFONT* font) {
    if (!MayCreate() || !font)
        return FALSE;
    m_log = *font;
    const void* end = std::memchr(m_log.lfFaceName, '\0', LF_FACESIZE);
    if (!end)
        m_log.lfFaceName[LF_FACESIZE - 1] = '\0';
    SetCreated(true);
    return TRUE;
}

int CFont::GetLogFont(LOGFONT* font) const {
    if (!font || !IsCreated())
        return 0;
    *font = m_log;
    return static_cast<int>(sizeof(LOGFONT));
}

// ---------------------------------------------------------------------------------------------
// Stock objects

namespace {

LOGFONT StockLogFont(LONG height, LONG weight) {
    LOGFONT log;
    log.lfHeight = height;
    log.lfWeight = weight;
    log.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strcpy(log.lfFaceName, "Arial");
    return log;
}

CBrush MakeNullBrush() {
    CBrush brush;
    const LOGBRUSH log{BS_NULL, 0, 0};
    brush.CreateBrushIndirect(&log);
    return brush;
}

CFont MakeStockFont(LONG height, LONG weight) {
    CFont font;
    const LOGFONT log = StockLogFont(height, weight);
    font.CreateFontIndirect(&log);
    return font;
}

}  // namespace

CGdiObject* GetStockObject(int index) {
    static CBrush brushes[] = {CBrush(RGB(255, 255, 255)), CBrush(RGB(192, 192, 192)),
                               CBrush(RGB(128, 128, 128)), CBrush(RGB(64, 64, 64)),
                               CBrush(RGB(0, 0, 0)),       MakeNullBrush()};
    static CPen pens[] = {CPen(PS_SOLID, 0, RGB(255, 255, 255)), CPen(PS_SOLID, 0, RGB(0, 0, 0)),
                          CPen(PS_NULL, 0, RGB(0, 0, 0))};
    static CFont fonts[] = {MakeStockFont(13, FW_NORMAL), MakeStockFont(16, FW_BOLD),
                            MakeStockFont(-11, FW_NORMAL)};
    static CGdiObject* const table[] = {
        &brushes[0], &brushes[1], &brushes[2], &brushes[3], &brushes[4], &brushes[5],
        &pens[0],    &pens[1],    &pens[2],    nullptr,     nullptr,     nullptr,
        &fonts[0],   &fonts[1],   nullptr,     nullptr,     nullptr,     &fonts[2]};
    static const bool marked = [] {
        for (CGdiObject* object : table) {
            if (object)
                object->m_stock = true;
        }
        return true;
    }();
    (void)marked;

    constexpr int count = static_cast<int>(sizeof(table) / sizeof(table[0]));
    return index >= 0 && index < count ? table[index] : nullptr;
}
