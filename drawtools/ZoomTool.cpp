#include "drawtools/ZoomTool.h"

#include "drawtools/ToolManager.h"
#include "drawtools/ToolPrompts.h"

void CZoomTool::OnLButtonDown(IToolView& view, UINT flags, CPoint point) {
    const CRect band(point, point);
    view.ShowFocusRect(&band);
    m_view = &view;
    view.SetPrompt(kPromptZoomRect);
    CDrawTool::OnLButtonDown(view, flags, point);
}

void CZoomTool::OnLButtonDblClk(IToolView& view, UINT flags, CPoint point) {
    OnLButtonDown(view, flags, point);
}

void CZoomTool::OnMouseMove(IToolView& view, UINT, CPoint point) {
    if (!view.HasCapture() || m_view != &view)
        return;
    const CRect band(State().downPoint, point);
    view.ShowFocusRect(&band);
    view.SetCursor(ToolCursor::Zoom);
    State().lastPoint = point;
}

void CZoomTool::OnLButtonUp(IToolView& view, UINT flags, CPoint point) {
    if (!view.HasCapture() || m_view != &view)
        return;
    view.ShowFocusRect(nullptr);
    view.SetCapture(false);
    m_view = nullptr;
    const CPoint down = State().downPoint;
    if (point != down) {
        CRect sheet(view.ClientToDoc(down), view.ClientToDoc(point));
        sheet.NormalizeRect();
        view.ZoomToSheetRect(sheet);
        SetShape(kToolSelect);
        view.SetPrompt(kPromptReady);
        return;
    }
    view.ZoomAt(view.ClientToDoc(point), !(flags & kToolShift));
    view.SetPrompt(kPromptZoom);
}

void CZoomTool::EndGesture(IToolView& view, GestureEnd) {
    if (m_view != &view)
        return;
    view.ShowFocusRect(nullptr);
    m_view = nullptr;
}

void CZoomTool::OnContextMenu(IToolView& view, CPoint screen) {
    if (const UINT id = view.TrackMenu(ZoomToolMenu(), screen))
        view.RunCommand(id);
}
