#pragma once
// CSelectTool: selects objects by click or rubber band, moves the selection (copies of it
// with Ctrl), drags handles to resize, and hands a press on a pin to the wire or bus tool and
// a press on a wire's end handle to the wire-drag tool. The shape tools lean on it while an
// object of theirs is sized or drawn point by point.

#include <optional>

#include "drawtools/DrawTool.h"
#include "model/object/DrawObj.h"
#include "model/undo/UndoList.h"

class CTransformCmd;

// Pixels the mouse travels before a press becomes a drag.
constexpr int kDragThreshold = 11;
// Pixels inside the window's edge where dragging scrolls the view.
constexpr int kAutoScrollMargin = 15;

class CSelectTool : public CDrawTool {
public:
    explicit CSelectTool(ToolManager& tools) : CDrawTool(tools, kToolSelect) {}
    ~CSelectTool() override;

    void OnLButtonDown(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonDblClk(IToolView& view, UINT flags, CPoint point) override;
    void OnLButtonUp(IToolView& view, UINT flags, CPoint point) override;
    void OnMouseMove(IToolView& view, UINT flags, CPoint point) override;
    void OnEditProperties(IToolView& view) override;
    void OnContextMenu(IToolView& view, CPoint screen) override;
    void OnAutoScroll(IToolView& view) override;
    void EndGesture(IToolView& view, GestureEnd how) override;
    void OnObjectsLeft(IToolView& view, const CObList& objects) override;

    // Whether a drag of the selection or of a handle is under way.
    bool IsDragging() const { return m_pending != nullptr; }
    // The move of the selection under way, from the drag's first step until the gesture ends;
    // null otherwise (a handle being dragged too). The moved objects move rigidly by the
    // command's offset; only its other substituted objects change shape.
    const CTransformCmd* SelectionMove() const;
    void AddHeldObjects(std::vector<const CDrawObj*>& held) const override;

private:
    // A press on a handle of the primary object; TRUE when the wire-drag tool took over.
    bool PressHandle(IToolView& view, CPoint& sheet);
    // A press on an object; TRUE when a wire or bus tool took over.
    bool PressObject(IToolView& view, UINT flags, CPoint point, CPoint sheet);
    // The sheet point of a dragged mouse position, snapped and kept on the sheet.
    CPoint DragPoint(IToolView& view, UINT flags, CPoint point);
    CPoint ClampMove(IToolView& view, CPoint sheet);
    // The bounds of the selection as it stands now, moved by the drag so far.
    CRect MovedBounds(IToolView& view);
    void BeginDrag(IToolView& view, UINT flags);
    // Ends the gesture before a drag began, leaving the document as it was.
    void EndGesture(IToolView& view);
    void TrackDrag(CPoint sheet);
    void FinishDrag(IToolView& view);
    // Drops the pending command, and the copies of a Ctrl-drag.
    void AbortDrag(IToolView& view);
    void UpdateAutoScroll(IToolView& view, CPoint point) const;
    void ShowDragCursor(IToolView& view) const;
    void Hover(IToolView& view, CPoint point) const;
    void DragRubberBand(IToolView& view, CPoint point) const;
    // Esc's end of the tool's gesture, which the double click that opens an object ends too.
    void Cancel(IToolView& view);

    CTransformCmd* m_pending = nullptr;  // the drag under way
    StepId m_copies = kNoStep;           // the step that made the copies a Ctrl-drag moves
    // The bounds of the moved selection where the move began; taken once a gesture.
    std::optional<CRect> m_startBounds;
};

// The primary (last selected) object of the view, or null.
CDrawObj* PrimaryObject(const IToolView& view);
// The object a moving selection snaps by: the primary object, unless that is a text shown for
// another selected object (a part comes with its texts after it, as copies and pasted sets
// do), which is then the one.
CDrawObj* LeadObject(const IToolView& view);
// The step shortened so that bounds moved by it stay inside the sheet's drawing area; bounds
// already beyond an edge may go no further that way. None when the bounds are wider or taller
// than the area: no step keeps them on the sheet.
std::optional<CSize> KeepOnSheet(const CRect& bounds, const CRect& area, CSize step);
// Shown when a drag would move a selection that the sheet cannot hold.
inline constexpr const char* kMoveLargerThanSheet =
    "The selection is larger than the drawing area of the sheet and cannot be moved.";
// The tool's cursor for a handle cursor of an object.
ToolCursor HandleCursor(CursorId cursor);
