#pragma once
// CDrawPoly: an open polyline (flag 0x10), a closed polygon, or a Bezier curve (flag 0x1000;
// anchor, control, control, anchor, ...), with optional arrow heads at the ends of an open one
// (flag bits 0x300 at the first point, 0xC00 at the last). Wires and buses build on it.
//
// The points are sheet points; the position rectangle is their bounding box (RecalcBounds).
// Handles 1..count are the points; polylines and polygons add one handle per segment (count + j
// for the segment from point j to point j + 1, the closing one last), which drags the segment
// parallel to itself.
//
// Record after the base record: count (WORD), capacity (WORD), then count points (two int32).

#include "model/object/DrawObj.h"
#include "model/shapes/PolyPoints.h"

class CDrawPoly : public CDrawObj {
    DECLARE_SERIAL(CDrawPoly)
public:
    CDrawPoly();
    // The rectangle, flags 0x2 (outlined), no points.
    explicit CDrawPoly(const CRect& position);
    CDrawPoly(const CDrawPoly& source, CDrawDoc* document);

    void Serialize(CArchive& ar) override;

    // 12 for a Bezier curve, else 9.
    int GetObjType() const override;
    int GetHandleCount() const override;
    CPoint GetHandle(int n) const override;
    CursorId GetHandleCursor(int n) const override;
    void GetBoundingRect(CRect& rect) const override;

    void Draw(CDC* dc, const double* matrix) override;
    void DrawTracker(CDC* dc, int state, const double* matrix) override;
    void MoveTo(const CRect& position, IDocView* view) override;
    void OffsetBy(CSize delta) override;
    void Rotate(int angle, int centreX, int centreY, IDocView* view) override;
    void Mirror(int x1, int y1, int x2, int y2) override;
    BOOL CanRotate() const override;
    int HitTest(CPoint point, IDocView* view, BOOL selected) override;
    BOOL Intersects(const CRect& rect) override;
    void MoveHandleTo(int n, CPoint point, IDocView* view) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    CDrawObj* SnapPoint(CPoint& point, ISnapGrid* grid, double& best) override;
    void GetAnchorPoint(CPoint* point, int handle) override;
    CDrawObj* Duplicate() override;
    void CopyGeometryFrom(const CDrawObj* source) override;
    void ExportDxf(IDxfSink* dxf, int kind, const double* matrix) override;

    // Sets the position to the bounding box of the points, invalidating in the view (all
    // views when null); FALSE when there are no points or the position already fits.
    virtual BOOL RecalcBounds(IDocView* view);

    // Appends a point unless it repeats the last one; the array grows by 10 points when full.
    // The position grows to include the point (the first point sets it).
    void AddPoint(CPoint point);
    // Removes a point; the position is left as it is.
    void RemovePoint(int index);
    // Inserts a point before index (0..count) and recomputes the position.
    void InsertPoint(int index, int x, int y);

    int GetPointCount() const { return m_count; }
    // The capacity the record states; room is made only for the points in use.
    int GetCapacity() const { return m_capacity; }
    const CPoint* GetPoints() const { return m_points.data(); }
    CPoint GetPoint(int index) const { return m_points[index]; }

    bool IsOpen() const { return m_flags & kFlagOpen; }
    bool IsBezier() const { return m_flags & kFlagBezier; }

protected:
    // Paints the outline with the pen and brush selected in dc.
    void PaintPoints(CDC* dc, const double* matrix) const;

    int m_count = 0;
    int m_capacity = 0;    // at least m_count
    CPolyPoints m_points;  // the first m_count are in use

private:
    CPoint& PointAt(int index) { return m_points[static_cast<size_t>(index)]; }
    const CPoint& PointAt(int index) const { return m_points[static_cast<size_t>(index)]; }
    int SegmentHandleCount() const { return GetHandleCount() - m_count; }
    int HitPointHandle(CPoint point, IDocView* view) const;
    int HitSegmentHandle(CPoint point, IDocView* view) const;
    void MovePointHandle(int n, CPoint point);
    void MoveSegment(int segment, CPoint point);
    bool IsOnSheet(const CPoint& point) const;
};
