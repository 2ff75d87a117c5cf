#pragma once
// CZoomTool: a click zooms in (out with Shift) about the point; a dragged rectangle is zoomed
// to fill the window.

#include "drawtools/DrawTool.h"

// The factor of a click.
constexpr float kZoomToolStep = 1.25f;

class CZoomTool : public CDrawTool {
public:
    explicit CZoomTool(ToolManager& tools) : CDrawTool(tools, kToolZoom) {}

    void OnLButtonDown(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonDblClk(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonUp(IToolView& view, UINT flags, CPoint point) override;
    void OnMouseMove(IToolView& view, UINT flags, CPoint point) override;
    void OnContextMenu(IToolView& view, CPoint screen) override;
    void EndGesture(IToolView& view, GestureEnd how) override;
    // A zoom rectangle holds no drawing object.
    void AddHeldObjects(std::vector<const CDrawObj*>&) const override {}

private:
    IToolView* m_view = nullptr;  // the view of the rectangle being dragged
};
