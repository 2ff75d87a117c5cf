#include "platform/GdiArchive.h"

CArchive& operator<<(CArchive& ar, const POINT& point) {
    return ar << point.x << point.y;
}

CArchive& operator>>(CArchive& ar, POINT& point) {
    return ar >> point.x >> point.y;
}

CArchive& operator<<(CArchive& ar, const SIZE& size) {
    return ar << size.cx << size.cy;
}

CArchive& operator>>(CArchive& ar, SIZE& size) {
    return ar >> size.cx >> size.cy;
}

CArchive& operator<<(CArchive& ar, const RECT& rect) {
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}

CArchive& operator>>(CArchive& ar, RECT& rect) {
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}

CArchive& operator<<(CArchive& ar, const LOGPEN& pen) {
    return ar << pen.lopnStyle << pen.lopnWidth << pen.lopnColor;
}

CArchive& operator>>(CArchive& ar, LOGPEN& pen) {
    return ar >> pen.lopnStyle >> pen.lopnWidth >> pen.lopnColor;
}

CArchive& operator<<(CArchive& ar, const LOGBRUSH& brush) {
    return ar << brush.lbStyle << brush.lbColor << brush.lbHatch;
}

CArchive& operator>>(CArchive& ar, LOGBRUSH& brush) {
    return ar >> brush.lbStyle >> brush.lbColor >> brush.lbHatch;
}

CArchive& operator<<(CArchive& ar, const LOGFONT& font) {
    ar << font.lfHeight << font.lfWidth << font.lfEscapement << font.lfOrientation << font.lfWeight;
    ar << font.lfItalic << font.lfUnderline << font.lfStrikeOut << font.lfCharSet
       << font.lfOutPrecision << font.lfClipPrecision << font.lfQuality << font.lfPitchAndFamily;
    ar.Write(font.lfFaceName, LF_FACESIZE);
    return ar;
}

CArchive& operator>>(CArchive& ar, LOGFONT& font) {
    ar >> font.lfHeight >> font.lfWidth >> font.lfEscapement >> font.lfOrientation >> font.lfWeight;
    ar >> font.lfItalic >> font.lfUnderline >> font.lfStrikeOut >> font.lfCharSet >>
        font.lfOutPrecision >> font.lfClipPrecision >> font.lfQuality >> font.lfPitchAndFamily;
    ar.ReadExact(font.lfFaceName, LF_FACESIZE);
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return ar;
}
