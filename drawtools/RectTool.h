#pragma once
// CRectTool: draws the two-point shapes (lines with and without arrows, rectangles, rounded
// rectangles, ellipses, arcs, text boxes and pins) by pressing and dragging; the select tool
// sizes the new object. A click without a drag gives the object a default size.

#include <memory>

#include "drawtools/DrawTool.h"
#include "model/undo/UndoList.h"

class CDrawObj;

// Default sizes of objects made by a click.
constexpr LONG kDefaultShapeSize = 300;
constexpr LONG kDefaultPinLength = 200;

class CRectTool : public CDrawTool {
public:
    CRectTool(ToolManager& tools, int shape) : CDrawTool(tools, shape) {}

    void OnLButtonDown(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonUp(IToolView& view, UINT flags, CPoint point) override;
    void OnMouseMove(IToolView& view, UINT flags, CPoint point) override;
    void OnContextMenu(IToolView& view, CPoint screen) override;
    void EndGesture(IToolView& view, GestureEnd how) override;
    void OnObjectsLeft(IToolView& view, const CObList& objects) override;
    // The object being sized, from the press to the release.
    void AddHeldObjects(std::vector<const CDrawObj*>& held) const override;

private:
    // The tool's object on the empty rectangle at the sheet point.
    std::unique_ptr<CDrawObj> NewObject(CPoint sheet) const;
    bool IsLineTool() const;
    void GiveDefaultSize(IToolView& view, CDrawObj* object) const;

    CDrawObj* m_created = nullptr;  // the object of the gesture under way
    StepId m_added = kNoStep;       // the step that added it
};
