#pragma once
// What a drawing tool asks of the view it works in: the document and the selection, the
// conversions between window pixels and sheet units, snapping, and the feedback of a gesture
// (prompt, cursor, mouse capture, focus rectangle, auto-scroll timer, zooming, menus). The
// schematic view implements it; tests drive the tools through a fake.

#include <string>
#include <vector>

#include "model/doc/DocView.h"
#include "platform/Geometry.h"
#include "platform/Types.h"

class CDrawDoc;
class CDrawObj;
class CObList;

// Keys and buttons held during a mouse event.
constexpr UINT kToolLeftButton = 0x1;
constexpr UINT kToolShift = 0x4;
constexpr UINT kToolControl = 0x8;
constexpr UINT kToolAlt = 0x20;

// Keys that tools react to.
enum class ToolKey { Other, Space, X, Y, Escape };

// Why an open gesture ends. Finish: End Wire or End Polygon finishes the open object as drawn.
// Interrupt: something else comes first (another tool, an undo, an edit, a save, another
// window); an object drawn click by click is finished as its End command finishes it, every
// other gesture is cancelled. Cancel: Esc takes the gesture back.
enum class GestureEnd { Finish, Interrupt, Cancel };

// How a snap treats the grid bit of the application's snap options.
enum class GridSnap { AsSet, Inverted, Forced };

enum class ToolCursor {
    Arrow,
    Cross,
    MoveOne,
    CopyOne,
    MoveMany,
    CopyMany,
    Zoom,
    SizeWE,
    SizeNESW,
    SizeNS,
    SizeNWSE,
    SizeAll
};

// One entry of a context menu: a command, a separator (id 0, no text) or a submenu (id 0,
// a text and entries).
struct ContextMenuEntry {
    UINT id = 0;
    std::string text;
    std::vector<ContextMenuEntry> submenu;
    bool enabled = true;
};
using ToolMenu = std::vector<ContextMenuEntry>;

class IToolView : public IDocView {
public:
    virtual CDrawDoc& Document() = 0;

    // The selection (GetSelection) and its changes.
    virtual void Select(CDrawObj* object, bool add) = 0;
    virtual void Deselect(CDrawObj* object) = 0;
    // Adds the objects meeting the window rectangle.
    virtual void SelectWithinRect(const CRect& windowRect, bool add) = 0;
    virtual CRect GetSelectionBounds() const = 0;
    // Replaces the selection by copies of it added to the document as one step; false (the
    // selection unchanged) when that failed.
    virtual bool CloneSelection() = 0;

    // The window's client rectangle and the cursor in window pixels.
    virtual CRect ClientRect() const = 0;
    virtual CPoint CursorPosition() const = 0;
    // Snapping in sheet units (see SnapEngine); grid decides the grid bit of the options.
    virtual CDrawObj* SnapPoint(CPoint& point, DWORD mask, const CObList* exclude,
                                GridSnap grid = GridSnap::AsSet) = 0;
    virtual void SnapMove(CPoint& delta, CPoint origin, CDrawObj* object, bool invert) = 0;
    // The grid's spacing in sheet units.
    virtual CSize GridSpacing() const = 0;
    // Whether the application snaps to the grid.
    virtual bool SnapsToGrid() const = 0;

    // Feedback of a gesture.
    virtual void SetPrompt(UINT id) = 0;
    virtual void SetCursor(ToolCursor cursor) = 0;
    virtual void SetCapture(bool on) = 0;
    virtual bool HasCapture() const = 0;
    // Shows the focus rectangle over the window rectangle; null hides it.
    virtual void ShowFocusRect(const CRect* windowRect) = 0;
    // The auto-scroll timer calls the current tool's OnAutoScroll every 50 ms while it runs.
    virtual void SetAutoScroll(bool on) = 0;
    virtual void ScrollLines(int dx, int dy) = 0;
    virtual void ZoomToSheetRect(const CRect& sheet) = 0;
    virtual void ZoomAt(CPoint sheet, bool in) = 0;
    // Shows the menu at a screen point; the chosen command, or 0.
    virtual UINT TrackMenu(const ToolMenu& menu, CPoint screen) = 0;
    // Runs a command as if chosen from the main window's menus.
    virtual void RunCommand(UINT id) = 0;
    // Repaints the whole window.
    virtual void InvalidateAll() = 0;
    // A text being edited in place in the view, a gesture of its own, ends with the view's
    // other gestures: handed to its object as one step, or left as it was when cancelled.
    virtual void EndInPlaceEdit(GestureEnd how) = 0;
    // The text being edited in place is handed to its object, as Enter hands it; false when
    // the object refused it and the user goes on editing it.
    virtual bool FinishInPlaceEdit() = 0;
};
