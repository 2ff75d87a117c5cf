#pragma once
// CFillShape: a filled outline of lines, Bezier runs, polylines and elliptic arcs (FillPath.h),
// kept in its own path coordinates and placed on the sheet by a scale, a rotation and a
// translation. Moving, resizing, rotating and mirroring change only the placement; the
// position rectangle holds the bounds of the path in path coordinates.
//
// The rectangle-family fields carry the placement: the roundness pair is the x and y scale in
// units of 1/32768, the rotation the placement's rotation. Flag 0x1000 marks them valid.
//
// Record: the rectangle-family record, the blob's size (DWORD), the blob (none when the size
// is 0), then with flag 0x1000 the translation (two int32). Records without the flag, from
// older versions, get scale 1 and no translation.

#include <vector>

#include "model/shapes/DrawRect.h"
#include "model/shapes/FillPath.h"

class CObList;

constexpr DWORD kFlagPlacementValid = 0x1000;
// Scale 1 in the units of the scale fields.
constexpr LONG kUnitScale = 32768;

class CFillShape : public CDrawRect {
    DECLARE_SERIAL(CFillShape)
public:
    // No path, flags 0x1000, unit scale, no rotation or translation.
    CFillShape();
    // The same, outlined (flags 0x1002), on the rectangle.
    explicit CFillShape(const CRect& position);
    CFillShape(const CFillShape& source, CDrawDoc* document);

    // A blob that is not well formed ends the load with CArchiveException.
    void Serialize(CArchive& ar) override;

    int GetObjType() const override;
    // Through the placement, path to sheet and back.
    void LocalToDoc(CPoint* points, int count) const override;
    void DocToLocal(CPoint* points, int count) const override;

    void Draw(CDC* dc, const double* matrix) override;
    // The outline in a dotted black pen, then the handles.
    void DrawTracker(CDC* dc, int state, const double* matrix) override;
    // Scales the placement so that the position rectangle would map where position (in path
    // coordinates) does now. Refused when either rectangle is flat, a scale would round to 0,
    // or a scale or the translation would not fit in 32 bits.
    void MoveTo(const CRect& position, IDocView* view) override;
    void OffsetBy(CSize delta) override;
    void Rotate(int angle, int centreX, int centreY, IDocView* view) override;
    // Reflects the placement about the line through (x1, y1) and (x2, y2).
    void Mirror(int x1, int y1, int x2, int y2) override;
    BOOL Intersects(const CRect& rect) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    void CopyGeometryFrom(const CDrawObj* source) override;
    void ExportDxf(IDxfSink* dxf, int kind, const double* matrix) override;

    // Builds the path from the closed loop that the pieces form (OutlineLoop.h) in sheet
    // coordinates; FALSE, leaving the shape unchanged, when they form none. The caller then
    // sets the position (RecalcBounds).
    virtual BOOL BuildFromOutline(const CObList& pieces);
    // Sets the position to the bounds of the path (empty without a path), invalidating in the
    // view (all views when null) before and after; TRUE when it changed.
    virtual BOOL RecalcBounds(IDocView* view);

    const std::vector<BYTE>& GetPathBlob() const { return m_blob; }
    CPoint GetTranslation() const { return m_translation; }

private:
    // Path to sheet: rotation and scale, then the translation.
    void GetPlacement(double* out) const;
    // Draws the outline from the current position with the pen and brush selected in dc.
    void PaintPath(CDC* dc, const double* matrix) const;
    void LoadPath(CArchive& ar);

    std::vector<BYTE> m_blob;           // empty: no path
    std::vector<PathRecord> m_records;  // the blob's records
    CPoint m_translation;
};
