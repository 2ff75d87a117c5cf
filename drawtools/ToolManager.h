#pragma once
// The drawing tools and their shared state: one set for the whole program, since only one
// mouse gesture runs at a time. The application owns the manager and installs it; tests make
// one each.

#include <memory>
#include <vector>

#include "drawtools/DrawTool.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

class CDrawObj;
class CSelectTool;
class CWireDragTool;
class CPlaceTool;

struct ToolState {
    int currentShape = kToolSelect;  // the shape of the current tool, 0-17
    int selectMode = kSelectNone;
    CPoint downPoint{0, 0};  // window pixels
    CPoint lastPoint{0, 0};
    UINT downFlags = 0;
    int dragHandle = 0;  // handle of the primary object, or vertex count of an open poly
    CPoint lastSheet{0, 0};
    CPoint moveOrigin{0, 0};
    int busMemberCounter = 0;  // names wires that end on a bus
};

class ToolManager {
public:
    // Makes the tools in table order.
    ToolManager();
    ~ToolManager();
    ToolManager(const ToolManager&) = delete;
    ToolManager& operator=(const ToolManager&) = delete;

    ToolState state;

    // The first tool of the table with the shape, or null.
    CDrawTool* FindTool(int shape) const;
    CDrawTool* CurrentTool() const { return FindTool(state.currentShape); }
    // The drawing objects every tool keeps between events (see CDrawTool::AddHeldObjects).
    std::vector<const CDrawObj*> HeldObjects() const;
    CSelectTool& SelectTool() const;
    CWireDragTool& WireDragTool() const;
    CPlaceTool& PlaceTool() const;

    // A Draw menu command: the open gesture ends (see EndGesture), the shape becomes current
    // and its prompt is shown.
    void ChooseShape(IToolView& view, int shape);
    // Ends the gesture open in the view, before anything else changes a document (another
    // tool, an undo or redo, an edit, a save): by default as interrupted (see GestureEnd). A
    // gesture open in another view ends there first, always as interrupted: what one view does
    // never finishes or cancels a gesture of another as its own. The mouse is released; a tool
    // that lives only for its gesture (wire drag, place) gives way to the select tool, and so
    // does every tool after a cancel.
    void EndGesture(IToolView& view, GestureEnd how = GestureEnd::Interrupt);
    // The gesture open in a view other than view (in any view when null) ends there as
    // interrupted: the user turned to something else. A text edited in place there is handed
    // to its object first; false when the object refused it and the user goes on editing it:
    // that view keeps its gesture, and nothing is to act elsewhere.
    bool EndGestureOutside(const IToolView* view);
    // A text being edited in place, in the view of the last gesture begun, is handed to its
    // object before a command acts; false when the object refused it and the user goes on
    // editing it, and then the command must not run.
    bool FinishInPlaceEdit();
    // A press, a key, a menu or a placing is about to act in the view: a gesture open in
    // another view ends first, and the view's events are the tools' from now on. False when
    // that gesture goes on (see EndGestureOutside): then nothing acts in the view.
    bool Engage(IToolView& view);
    // The view of the last gesture begun; null before the first.
    IToolView* EngagedView() const { return m_engaged; }
    // Whether the view is the one whose events the tools take: the view of the last gesture
    // begun, or any view before the first.
    bool IsEngaged(const IToolView& view) const { return !m_engaged || m_engaged == &view; }
    // Whether the view holds an open object that End Polygon or End Wire would end.
    bool HasOpenObjectIn(const IToolView& view) const;
    // The objects have left the view's document: no tool may hold on to them.
    void ObjectsLeft(IToolView& view, const CObList& objects);
    // The text of End Polygon and End Wire for the current tool; null to keep theirs.
    const char* EndCommandText() const;
    // Every gesture open in the view is cancelled and every tool lets go of the view and of
    // what it holds of its document; then the select tool is current.
    void ViewClosing(IToolView& view);

private:
    void EndGestureIn(IToolView& view, GestureEnd how);

    std::vector<std::unique_ptr<CDrawTool>> m_tools;
    IToolView* m_engaged = nullptr;  // the view of the last gesture begun
};

// The prompt a Draw menu command shows for the shape, 0 for none.
UINT ShapePrompt(int shape);

// The installed manager, or null.
ToolManager* GetToolManager();
// Installs tools (null uninstalls) and returns the one replaced.
ToolManager* SetToolManager(ToolManager* tools);
