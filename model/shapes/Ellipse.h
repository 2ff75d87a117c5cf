#pragma once
// CEllipse: ellipses, chords and arcs. The rectangle (in the rectangle family's rotated frame)
// holds the ellipse; the arc start and end points, in the same frame, mark where the outline
// begins and ends, counter-clockwise. With the open flag (0x10) the shape is an arc with
// optional arrow heads (flag bits 0x300 at the start, 0xC00 at the end); without it a chord,
// the whole ellipse when the two points are equal.
//
// Record: the rectangle-family record, then the arc start and the arc end (two int32 each).

#include "model/shapes/DrawRect.h"

class CEllipse : public CDrawRect {
    DECLARE_SERIAL(CEllipse)
public:
    CEllipse();
    // Outlined, shape 6, both arc points at the rectangle's first corner: the whole ellipse.
    explicit CEllipse(const CRect& position);
    CEllipse(const CEllipse& source, CDrawDoc* document);

    void Serialize(CArchive& ar) override;

    CString GetTipText() const override;
    // 10 when the arc points differ by 10 units or more in x or y, else 9.
    int GetHandleCount() const override;
    // Handles 9 and 10 are the arc start and end.
    CPoint GetHandle(int n) const override;
    CursorId GetHandleCursor(int n) const override;
    void MoveTo(const CRect& position, IDocView* view) override;
    void OffsetBy(CSize delta) override;
    BOOL Intersects(const CRect& rect) override;
    void MoveHandleTo(int n, CPoint point, IDocView* view) override;
    CDrawObj* Clone(CDrawDoc* document) override;
    CDrawObj* SnapPoint(CPoint& point, ISnapGrid* grid, double& best) override;
    void CopyGeometryFrom(const CDrawObj* source) override;
    void ExportDxf(IDxfSink* dxf, int kind, const double* matrix) override;

    CPoint GetArcStart() const { return m_arcStart; }
    CPoint GetArcEnd() const { return m_arcEnd; }
    void SetArc(CPoint start, CPoint end) {
        m_arcStart = start;
        m_arcEnd = end;
    }

protected:
    void PaintShape(CDC* dc, const double* matrix) override;

private:
    // Moves an arc point onto the ellipse along the ray from the centre through point (a
    // point of the shape's frame); FALSE when there is no such ray.
    BOOL ProjectOntoEllipse(CPoint& point) const;
    void PaintAxisAligned(CDC* dc, const double* matrix);
    void PaintSampled(CDC* dc, const double* matrix);

    CPoint m_arcStart;
    CPoint m_arcEnd;
};
