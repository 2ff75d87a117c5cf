#pragma once
// CSpecSymbol: a special symbol, one of the logic-qualifier marks drawn by code (kinds 1-31,
// SpecSymbolGlyph.h). A rectangle-family shape whose shape field holds the kind: the kind sets
// the proportions PlaceAt gives the rectangle and the figure drawn in it. It behaves as a plain
// rectangle for handles, rotation and mirroring, has no tip, never snaps and writes nothing to
// DXF files.
//
// Record: the rectangle-family record.

#include "model/shapes/DrawRect.h"

class CSpecSymbol : public CDrawRect {
    DECLARE_SERIAL(CSpecSymbol)
public:
    // Kind 0, an empty rectangle, outlined (flag 0x2).
    CSpecSymbol();
    explicit CSpecSymbol(int kind);
    CSpecSymbol(const CSpecSymbol& source, CDrawDoc* document);

    CString GetTipText() const override;
    int GetObjType() const override;
    BOOL Intersects(const CRect& rect) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    CDrawObj* SnapPoint(CPoint& point, ISnapGrid* grid, double& best) override;
    void ExportDxf(IDxfSink* dxf, int kind, const double* matrix) override;

    int GetKind() const { return m_shape; }

    // Sizes the rectangle for the kind in multiples of size and places it by (x, y): at its
    // first corner, its centre, the middle of its left edge or another point the kind's figure
    // calls for. A kind above 31 keeps its rectangle.
    void PlaceAt(int x, int y, int size);

protected:
    void PaintShape(CDC* dc, const double* matrix) override;
};
