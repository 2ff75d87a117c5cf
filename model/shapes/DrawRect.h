#pragma once
// CDrawRect: rectangles, rounded rectangles and lines with optional arrow heads; also the base
// of ellipses, special symbols, fill shapes and text boxes.
//
// A shape with a rotation keeps its position rectangle in a frame turned by the rotation about
// the sheet origin (not about the shape): LocalToDoc turns points by +rotation, DocToLocal by
// -rotation. A line holds its start point in (left, top) and its end point in (right, bottom)
// and never has a rotation; it turns by moving its end points.
//
// Record after the base record: shape (WORD), roundness (two int32), rotation (int32).

#include "model/object/DrawObj.h"

class IDxfSink;

// Shape codes; the shape is also the type code of a plain rectangle-family object.
enum RectShape : int { kShapeRect = 4, kShapeRoundRect = 5, kShapeEllipse = 6, kShapeLine = 7 };

// Arrow kinds (0 none, 1 two strokes, 2 narrow filled, 3 wide filled) in the flags: bits 8-9
// hold the head at a line's end point and at the first point of a polyline or an arc, bits
// 10-11 the head at a line's start point and at the last point of a polyline or an arc.
constexpr DWORD kFlagArrowsMask = 0xF00;
constexpr int kArrowLowShift = 8;
constexpr int kArrowHighShift = 10;
constexpr int ArrowKindAt(DWORD flags, int shift) {
    return static_cast<int>((flags >> shift) & 3);
}

// Default corner size of rounded rectangles.
constexpr LONG kDefaultRoundness = 160;

class CDrawRect : public CDrawObj {
    DECLARE_SERIAL(CDrawRect)
public:
    // An empty rectangle, flags 0, shape 4, roundness (160, 160), rotation 0.
    CDrawRect();
    // The given rectangle, flags 0x2 (outlined), shape 4.
    explicit CDrawRect(const CRect& position);
    CDrawRect(const CDrawRect& source, CDrawDoc* document);

    void Serialize(CArchive& ar) override;

    CString GetTipText() const override;
    int GetObjType() const override;
    int GetHandleCount() const override;
    CPoint GetHandle(int n) const override;
    CursorId GetHandleCursor(int n) const override;
    void LocalToDoc(CPoint* points, int count) const override;
    void DocToLocal(CPoint* points, int count) const override;
    void GetBoundingRect(CRect& rect) const override;

    void Draw(CDC* dc, const double* matrix) override;
    void DrawTracker(CDC* dc, int state, const double* matrix) override;
    void Rotate(int angle, int centreX, int centreY, IDocView* view) override;
    void Mirror(int x1, int y1, int x2, int y2) override;
    BOOL CanRotate() const override;
    BOOL Intersects(const CRect& rect) override;
    void MoveHandleTo(int n, CPoint point, IDocView* view) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    CDrawObj* SnapPoint(CPoint& point, ISnapGrid* grid, double& best) override;
    CDrawObj* Duplicate() override;
    void CopyGeometryFrom(const CDrawObj* source) override;
    void ExportDxf(IDxfSink* dxf, int kind, const double* matrix) override;

    int GetShape() const { return m_shape; }
    void SetShape(int shape) { m_shape = shape; }
    CPoint GetRoundness() const { return m_roundness; }
    void SetRoundness(CPoint roundness) { m_roundness = roundness; }
    // Tenths of a degree, counter-clockwise.
    int GetRotation() const { return m_rotation; }
    void SetRotation(int rotation) { m_rotation = rotation; }

protected:
    // The shape whose behaviour (handles, rotation, mirroring, painting) applies: the stored
    // shape for rectangles and ellipses themselves; subclasses that keep other codes in the
    // shape field (special symbols, text boxes, fill shapes) behave as plain rectangles.
    int BehaviourShape() const;

    // Paints the shape with the pen and brush selected in dc, under the rotation and the
    // placement matrix; Draw and DrawTracker select them. Ellipses paint their own way.
    virtual void PaintShape(CDC* dc, const double* matrix);

    // The rotation combined with the placement matrix (the placement applied last) in storage;
    // null when there is neither.
    const double* ShapeMatrix(const double* placement, double* storage) const;

    // Where a normalised query stands against the box around the rectangle as it lies on the
    // sheet (its corners, mapped, into corners), widened by half the outline and one unit.
    enum class BoxMeeting { kApart, kAround, kOverlap };
    BoxMeeting MeetMappedBox(const CRect& query, CPoint (&corners)[4]) const;

    // "<title>\nWidth    : %g %s\nHeight   : %g %s\nRotation : %g º" (code page 1252) for the
    // normalised rectangle in the application's units.
    CString SizeTipText(const char* title) const;

    int m_shape = kShapeRect;
    CPoint m_roundness{kDefaultRoundness, kDefaultRoundness};
    int m_rotation = 0;

private:
    CString LineTipText() const;
    void PaintLine(CDC* dc, const double* matrix);
    void MoveRoundnessHandle(CPoint point, IDocView* view);
    BOOL OutlineIntersects(const CRect& query, const CPoint* corners) const;
    void ExportLine(IDxfSink* dxf, const double* matrix);
};
