#pragma once
// CDrawTool: the base of the drawing tools. Every mouse and key event of a view goes to the
// tool of the current shape; the base takes the mouse capture on a button press and returns
// to the select tool after a click without movement or on cancel.

#include <vector>

#include "drawtools/ToolView.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

class CDrawObj;
class CObList;
class ToolManager;
struct ToolState;

// Shape numbers of the tools.
enum ToolShape : int {
    kToolSelect = 0,
    kToolLine = 1,
    kToolRect = 2,
    kToolRoundRect = 3,
    kToolEllipse = 4,
    kToolPolygon = 5,
    kToolText = 6,
    kToolPin = 7,
    kToolWire = 8,
    kToolBus = 9,
    kToolZoom = 10,
    kToolArc = 11,
    kToolBezier = 12,
    kToolWireDrag = 13,
    kToolPlace = 14,
    kToolPolyline = 15,
    kToolArrowLine = 16,
    kToolDoubleArrowLine = 17
};

// What the left button is doing.
enum SelectMode : int {
    kSelectNone = 0,
    kSelectRubberBand = 1,
    kSelectMove = 2,
    kSelectSizing = 3,
    kSelectHandle = 4,
    kSelectAddPoints = 5
};

class CDrawTool {
public:
    CDrawTool(ToolManager& tools, int shape) : m_tools(tools), m_shape(shape) {}
    virtual ~CDrawTool() = default;
    CDrawTool(const CDrawTool&) = delete;
    CDrawTool& operator=(const CDrawTool&) = delete;

    int Shape() const { return m_shape; }

    // TRUE when the tool consumed the key.
    virtual bool OnKeyDown(IToolView& view, ToolKey key, UINT flags);
    virtual void OnLButtonDown(IToolView& view, UINT flags, CPoint point);
    virtual void OnLButtonDblClk(IToolView& view, UINT flags, CPoint point);
    virtual void OnLButtonUp(IToolView& view, UINT flags, CPoint point);
    virtual void OnMouseMove(IToolView& view, UINT flags, CPoint point);
    virtual void OnEditProperties(IToolView& view);
    virtual void OnContextMenu(IToolView& view, CPoint screen);
    // A tick of the view's auto-scroll timer.
    virtual void OnAutoScroll(IToolView& view);
    // Ends the gesture the tool has open in the view, if any (see GestureEnd); afterwards
    // nothing of the tool refers to the view or to the objects of its gesture. Only the tool
    // manager calls it, with the view the gesture lives in, and settles the shared state
    // afterwards; a step the gesture recorded is taken back by its identity (StepId), never
    // as the last step of whatever document.
    virtual void EndGesture(IToolView& view, GestureEnd how);
    // Objects have left the view's document: the tool lets go of those it holds, without
    // touching the document.
    virtual void OnObjectsLeft(IToolView& view, const CObList& objects);
    // Whether the tool holds an open object that End Polygon or End Wire would end.
    virtual bool HasOpenObject() const { return false; }
    // Adds the drawing objects the tool keeps between events (an open object, an object being
    // sized, a picked-up wire, a pending drag's objects): while any is held, a gesture of the
    // tool is open, and what a check finds still held once every gesture ended is a fault.
    // Every tool answers, also one that keeps nothing.
    virtual void AddHeldObjects(std::vector<const CDrawObj*>& held) const = 0;

protected:
    // What every press does: the capture, and the press point and keys kept for the gesture.
    void BeginPress(IToolView& view, UINT flags, CPoint point) const;
    ToolState& State() const;
    void SetShape(int shape) const;

    ToolManager& m_tools;

private:
    int m_shape;
};

// How near a click, in pixels, an object counts as clicked.
constexpr int kClickReach = 3;
// How near a click, in pixels, an object counts as right under the cursor: a line drawn one
// pixel wide lies within one pixel of where the mouse points at it.
constexpr int kUnderCursorReach = 1;

// The window rectangle of half-size reach around a window point, on the sheet and normalised.
CRect SheetRectAround(const IToolView& view, CPoint point, int reach = kClickReach);
// The object a click at a window point picks: the topmost one right under the cursor, else the
// topmost one within the click's reach, so that a near miss of a later object (a label just
// beside a symbol) never takes the click from the object hit; null when there is none.
CDrawObj* ObjectAtClick(IToolView& view, CPoint point);
// The application's snapping rule for one gesture: Alt inverts Snap to Grid.
GridSnap AltRule(UINT flags);
