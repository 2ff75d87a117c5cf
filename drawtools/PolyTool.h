#pragma once
// CPolyTool: draws polygons, polylines and Bezier curves click by click. A floating last
// point follows the mouse; a click on the first point closes the shape, End Polygon ends it.

#include "drawtools/DrawTool.h"
#include "model/undo/UndoList.h"

class CDrawPoly;

class CPolyTool : public CDrawTool {
public:
    CPolyTool(ToolManager& tools, int shape) : CDrawTool(tools, shape) {}

    void OnLButtonDown(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonDblClk(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonUp(IToolView& view, UINT flags, CPoint point) override;
    void OnMouseMove(IToolView& view, UINT flags, CPoint point) override;
    void OnContextMenu(IToolView& view, CPoint screen) override;
    void EndGesture(IToolView& view, GestureEnd how) override;
    void OnObjectsLeft(IToolView& view, const CObList& objects) override;
    bool HasOpenObject() const override { return m_poly != nullptr; }
    void AddHeldObjects(std::vector<const CDrawObj*>& held) const override;

    CDrawPoly* OpenPoly() const { return m_poly; }

private:
    bool IsBezier() const { return Shape() == kToolBezier; }
    // A new poly at the sheet point; false when the document refused it.
    bool Start(IToolView& view, CPoint sheet);
    void Close(IToolView& view);
    // Drops the point left following the mouse; the Bezier's are its own.
    void DropFloatingPoint(IToolView& view);
    // Whether the poly has no point beyond its first click yet.
    bool HasOnlyItsStart() const;
    // Takes the poly being drawn back out of its document: the step that added it, when
    // nothing was recorded after it; else the poly stays as drawn.
    void TakeBack(IToolView& view);
    void SmoothBezier(IToolView& view);

    CDrawPoly* m_poly = nullptr;  // the poly being drawn
    StepId m_added = kNoStep;     // the step that added it, while it is drawn
};
