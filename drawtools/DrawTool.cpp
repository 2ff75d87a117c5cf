#include "drawtools/DrawTool.h"

#include "drawtools/ToolManager.h"
#include "drawtools/ToolPrompts.h"
#include "model/doc/DrawDoc.h"

bool CDrawTool::OnKeyDown(IToolView&, ToolKey, UINT) {
    return false;
}

void CDrawTool::OnLButtonDown(IToolView& view, UINT flags, CPoint point) {
    BeginPress(view, flags, point);
}

void CDrawTool::BeginPress(IToolView& view, UINT flags, CPoint point) const {
    view.SetCapture(true);
    ToolState& state = State();
    state.downFlags = flags;
    state.downPoint = point;
    state.lastPoint = point;
}

void CDrawTool::OnLButtonDblClk(IToolView&, UINT, CPoint) {}

void CDrawTool::OnLButtonUp(IToolView& view, UINT, CPoint point) {
    view.SetCapture(false);
    if (point == State().downPoint)
        SetShape(kToolSelect);
}

void CDrawTool::OnMouseMove(IToolView& view, UINT, CPoint point) {
    State().lastPoint = point;
    view.SetCursor(ToolCursor::Arrow);
}

void CDrawTool::OnEditProperties(IToolView&) {}

void CDrawTool::OnContextMenu(IToolView&, CPoint) {}

void CDrawTool::OnAutoScroll(IToolView& view) {
    view.SetAutoScroll(false);
}

void CDrawTool::EndGesture(IToolView&, GestureEnd) {}

void CDrawTool::OnObjectsLeft(IToolView&, const CObList&) {}

ToolState& CDrawTool::State() const {
    return m_tools.state;
}

void CDrawTool::SetShape(int shape) const {
    m_tools.state.currentShape = shape;
}

CRect SheetRectAround(const IToolView& view, CPoint point, int reach) {
    const CPoint a = view.ClientToDoc(CPoint(point.x - reach, point.y - reach));
    const CPoint b = view.ClientToDoc(CPoint(point.x + reach, point.y + reach));
    CRect rect(a, b);
    rect.NormalizeRect();
    return rect;
}

CDrawObj* ObjectAtClick(IToolView& view, CPoint point) {
    CDrawDoc& doc = view.Document();
    if (CDrawObj* under = doc.ObjectInRect(SheetRectAround(view, point, kUnderCursorReach)))
        return under;
    return doc.ObjectInRect(SheetRectAround(view, point));
}

GridSnap AltRule(UINT flags) {
    return (flags & kToolAlt) ? GridSnap::Inverted : GridSnap::AsSet;
}
