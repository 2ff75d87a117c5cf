#pragma once
// CPlaceTool: objects pasted or taken from a library follow the mouse, snapped by their
// connection points and kept on the sheet; each click drops them, linked to the pins and wires
// they land on, and a copy of them is carried on; a Ctrl+click drops them and ends, Esc takes
// the carried set away. Space turns them, X and Y mirror them.

#include "drawtools/DrawTool.h"
#include "model/undo/UndoList.h"

class CObList;

class CPlaceTool : public CDrawTool {
public:
    explicit CPlaceTool(ToolManager& tools) : CDrawTool(tools, kToolPlace) {}

    // Adds the objects to the view's document as one step (those it refuses stay in the list,
    // the caller's), selects them and lets them follow the mouse. False when none was added.
    bool StartPlacing(IToolView& view, CObList& objects);
    // The view's selection, added to its document by the last step, follows the mouse.
    void CarrySelection(IToolView& view);

    bool OnKeyDown(IToolView& view, ToolKey key, UINT flags) override;
    void OnLButtonDown(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonDblClk(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonUp(IToolView& view, UINT flags, CPoint point) override;
    void OnMouseMove(IToolView& view, UINT flags, CPoint point) override;
    void OnContextMenu(IToolView& view, CPoint screen) override;
    void EndGesture(IToolView& view, GestureEnd how) override;
    void OnObjectsLeft(IToolView& view, const CObList& objects) override;
    // The carried objects are the view's selection, not kept by the tool.
    void AddHeldObjects(std::vector<const CDrawObj*>&) const override {}

    bool IsPlacingIn(const IToolView& view) const { return m_view == &view; }

private:
    // The carried set turned by angle (tenths of a degree) about its centre.
    void Rotate(IToolView& view, int angle);
    // Mirrored about the vertical (acrossVertical) or horizontal line through its centre.
    void Mirror(IToolView& view, bool acrossVertical);
    // The point the carried set turns and mirrors about: the grid point nearest the centre of
    // its bounds, so that pins on the grid stay on it. While the set stands where the last turn
    // left it, that turn's point again, so that a turn and its inverse give back its place.
    CPoint Pivot(const IToolView& view);
    // Links the free pins and wire ends of the carried set to what they lie on, in the step
    // that added the set. A join of nets that the user declines takes the set back and ends
    // placing: false then.
    bool LinkCarried(IToolView& view);
    void Stop(IToolView& view);
    // Esc: the carried set is taken away and placing ends.
    void Cancel(IToolView& view);

    IToolView* m_view = nullptr;  // the view being placed in
    StepId m_carried = kNoStep;   // the step that added the carried set
    CPoint m_pivot;               // the point of the last turn or mirror
    CRect m_turned;               // the carried set's bounds that turn left
};
