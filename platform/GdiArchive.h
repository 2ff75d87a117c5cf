#pragma once
// Archive operators for the drawing records, in their stored 32-bit little-endian layouts:
// POINT and SIZE 8 bytes, RECT 16, LOGPEN 16 (style, width as a POINT, colour), LOGBRUSH 12
// (style, colour, hatch), LOGFONT 60 (five LONGs, eight BYTEs, a 32-byte face name).
// A COLORREF is a DWORD and goes through the DWORD operators.

#include "platform/Archive.h"
#include "platform/GdiTypes.h"

CArchive& operator<<(CArchive& ar, const POINT& point);
CArchive& operator>>(CArchive& ar, POINT& point);
CArchive& operator<<(CArchive& ar, const SIZE& size);
CArchive& operator>>(CArchive& ar, SIZE& size);
CArchive& operator<<(CArchive& ar, const RECT& rect);
CArchive& operator>>(CArchive& ar, RECT& rect);
CArchive& operator<<(CArchive& ar, const LOGPEN& pen);
CArchive& operator>>(CArchive& ar, LOGPEN& pen);
CArchive& operator<<(CArchive& ar, const LOGBRUSH& brush);
CArchive& operator>>(CArchive& ar, LOGBRUSH& brush);
CArchive& operator<<(CArchive& ar, const LOGFONT& font);
// The face name read is always NUL-terminated within its 32 bytes.
CArchive& operator>>(CArchive& ar, LOGFONT& font);
