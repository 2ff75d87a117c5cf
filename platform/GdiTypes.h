#pragma once
// Plain records of the drawing interface: points, sizes, rectangles, and the logical
// pen, brush and font descriptions that documents store. Their stored layouts are the
// 32-bit little-endian ones; the archive reads and writes them field by field.

#include <cstring>
#include <type_traits>

#include "platform/Types.h"

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
};

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

// Pen styles
constexpr UINT PS_SOLID = 0;
constexpr UINT PS_DASH = 1;
constexpr UINT PS_DOT = 2;
constexpr UINT PS_DASHDOT = 3;
constexpr UINT PS_DASHDOTDOT = 4;
constexpr UINT PS_NULL = 5;
constexpr UINT PS_INSIDEFRAME = 6;

// Brush styles and hatches
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_HOLLOW = BS_NULL;
constexpr UINT BS_HATCHED = 2;
constexpr UINT BS_PATTERN = 3;
constexpr LONG HS_HORIZONTAL = 0;
constexpr LONG HS_VERTICAL = 1;
constexpr LONG HS_FDIAGONAL = 2;
constexpr LONG HS_BDIAGONAL = 3;
constexpr LONG HS_CROSS = 4;
constexpr LONG HS_DIAGCROSS = 5;

// Font weights, character sets and pitch
constexpr LONG FW_DONTCARE = 0;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;
constexpr int LF_FACESIZE = 32;

struct LOGPEN {  // 16 bytes stored: style, width as a POINT, colour
    UINT lopnStyle = PS_SOLID;
    POINT lopnWidth;
    COLORREF lopnColor = 0;
};

struct LOGBRUSH {  // 12 bytes stored: style, colour, hatch
    UINT lbStyle = BS_SOLID;
    COLORREF lbColor = 0;
    LONG lbHatch = 0;
};

inline LOGPEN NullPen() {
    LOGPEN pen;
    pen.lopnStyle = PS_NULL;
    return pen;
}

inline LOGBRUSH HollowBrush() {
    LOGBRUSH brush;
    brush.lbStyle = BS_NULL;
    return brush;
}

struct LOGFONT {  // 60 bytes stored; the face name is a NUL-terminated 32-byte field
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};

constexpr int kStoredLogPenSize = 16;
constexpr int kStoredLogBrushSize = 12;
constexpr int kStoredLogFontSize = 60;

// Whether two records hold the same values. Their fields fill them without gaps, so their bytes
// compare; a face name compares with the bytes after its terminator.
template <class Record>
bool SameRecord(const Record& a, const Record& b) {
    static_assert(std::has_unique_object_representations_v<Record>);
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}
