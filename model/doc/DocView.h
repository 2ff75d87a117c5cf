#pragma once
// What the document model asks of a view that shows it. The schematic view implements
// this; tests use a recording fake.

#include "platform/GdiTypes.h"
#include "platform/Geometry.h"

class CObject;
class CObList;
class CDrawObj;

// Update hints sent with UpdateAllViews, with one object or a list of objects.
enum UpdateHint : int {
    kHintNone = 0,              // redraw everything
    kHintObject = 1,            // invalidate one object (the hint object)
    kHintSelection = 2,         // invalidate the listed objects (or the selection)
    kHintRemoved = 3,           // the listed objects leave the document: drop them from selections
    kHintOleObjects = 4,        // invalidate the OLE objects
    kHintDeselect = 5,          // empty the selection
    kHintUnits = 6,             // rulers and measuring units changed
    kHintZoomToFit = 7,         // show the whole sheet
    kHintReplaceSelection = 8,  // the listed objects become the selection
    kHintAddToSelection = 9     // the listed objects join the selection
};

class IDocView {
public:
    virtual ~IDocView() = default;

    // hintObject comes with kHintObject, hintList with the list hints; either may be null.
    virtual void OnUpdate(IDocView* sender, int hint, CObject* hintObject, CObList* hintList) = 0;
    virtual void SetPageSize(const SIZE& size) = 0;

    // Sheet units to window pixels and back, for handle squares and invalidation.
    virtual CPoint DocToClient(const CPoint& point) const = 0;
    virtual CPoint ClientToDoc(const CPoint& point) const = 0;
    virtual void InvalidateClientRect(const CRect& rect) = 0;

    // The selection, in selection order (the last one is the dominant object).
    virtual const CObList& GetSelection() const = 0;
    // Whether the selection holds the object. Views with a large selection answer faster than
    // a walk along it.
    virtual bool IsSelected(const CDrawObj* object) const;
    // Each object of from that the selection holds gives its place in the selection to the
    // object at the same position of to (an edit substituting copies for objects). Views
    // without a selection have nothing to do.
    virtual void ReplaceInSelection(const CObList& /*from*/, const CObList& /*to*/) {}
    virtual bool ShowsTrackers() const = 0;

    // The point of the view's snap grid nearest to point; views without a grid answer point.
    virtual CPoint NearestGridPoint(const CPoint& point) const { return point; }

    // Ends the drawing gesture open in the view, before the document is written. Views
    // without drawing tools have nothing to do.
    virtual void EndGesture() {}

    // Zooms and scrolls to show every object of the document. Views without a window have
    // nothing to do.
    virtual void ZoomToObjects() {}

    // Scrolls and zooms so that every object carrying one of the flag bits is visible.
    virtual void ShowFlaggedObjects(unsigned long flagMask) = 0;

    // Runs the "Object Properties" sheet with its "Outline and Fill" page over the objects
    // (taken from this view's selection); pageOptions selects the page's controls. On OK the
    // view records the edit as one undoable command of its document.
    virtual void EditObjectProperties(CObList& objects, DWORD pageOptions) = 0;
};
