#pragma once
// Colours and hatches between their stored form and Qt's.

#include <QBrush>
#include <QColor>

#include "platform/GdiTypes.h"

// COLORREF is 0x00BBGGRR.
inline QColor ToQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

inline COLORREF ToColorRef(const QColor& c) {
    return RGB(c.red(), c.green(), c.blue());
}

// HS_HORIZONTAL .. HS_DIAGCROSS; other values give the diagonal cross.
inline Qt::BrushStyle ToQtHatch(LONG hatch) {
    switch (hatch) {
        case HS_HORIZONTAL:
            return Qt::HorPattern;
        case HS_VERTICAL:
            return Qt::VerPattern;
        case HS_FDIAGONAL:
            return Qt::FDiagPattern;
        case HS_BDIAGONAL:
            return Qt::BDiagPattern;
        case HS_CROSS:
            return Qt::CrossPattern;
        default:
            return Qt::DiagCrossPattern;
    }
}
