#pragma once
// What the document model asks of a view that shows it. The schematic view implements
// this; tests use a recording fake.

#include "platform/GdiTypes.h"
#include "platform/Geometry.h"

class CObject;
class CObList;
class CDrawObj;

// Update hints sent with UpdateAllViews.
enum UpdateHint : int {
    kHintNone = 0,            // redraw everything
    kHintObject = 1,          // invalidate one object (the hint object)
    kHintSelection = 2,       // invalidate a list of objects
    kHintRemoved = 3,         // objects left the document: drop them from the selection
    kHintSelectObjects = 4,   // select the objects of a list
    kHintDeselect = 5,        // empty the selection
    kHintUnits = 6,           // measuring units changed
    kHintZoomToFit = 7,       // show the whole sheet
    kHintPropertiesDone = 8,  // objects were replaced by edited copies
    kHintDocumentChanged = 9  // the document changed as a whole
};

class IDocView {
public:
    virtual ~IDocView() = default;

    virtual void OnUpdate(IDocView* sender, int hint, CObject* hintObject) = 0;
    virtual void SetPageSize(const SIZE& size) = 0;

    // Sheet units to window pixels and back, for handle squares and invalidation.
    virtual CPoint DocToClient(const CPoint& point) const = 0;
    virtual CPoint ClientToDoc(const CPoint& point) const = 0;
    virtual void InvalidateClientRect(const CRect& rect) = 0;

    // The selection, in selection order (the last one is the dominant object).
    virtual const CObList& GetSelection() const = 0;
    virtual bool ShowsTrackers() const = 0;

    // Scrolls and zooms so that every object carrying one of the flag bits is visible.
    virtual void ShowFlaggedObjects(unsigned long flagMask) = 0;
};
