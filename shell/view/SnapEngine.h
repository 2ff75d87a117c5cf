#pragma once
// Snapping of the points a drawing tool takes from the mouse: to the view's grid when Snap to
// Grid applies, and to the nearest connection point of nearby objects when both the tool's
// mask and the user's snap options (the application's SnapGridOptions) allow their kind.

#include "platform/Geometry.h"
#include "platform/Types.h"

class CDrawDoc;
class CDrawObj;
class CObList;
class CSnapGrid;

class SnapEngine {
public:
    // Within reach (sheet units) of the point, a connection point wins over the grid however
    // near the grid point is: a view passes what a few of its pixels cover, so that an end
    // that looks joined on the screen is joined.
    SnapEngine(CDrawDoc& document, CSnapGrid& grid, DWORD options, int reach = 0)
        : m_document(document), m_grid(grid), m_options(options), m_reach(reach) {}

    // Moves point (sheet units) to its snap point; returns the object that supplied it, or
    // null for no snap and for a grid point where no object has a connection point. Objects of
    // exclude never attract the point.
    CDrawObj* SnapPoint(CPoint& point, DWORD mask, const CObList* exclude);
    // For a moving selection: delta holds the proposed new position of the point where the
    // move began at origin, and is corrected so that one of object's first ten connection
    // points lands on the grid or on another object's connection point.
    void SnapMove(CPoint& delta, CPoint origin, CDrawObj* object, const CObList& selection,
                  bool invert);

private:
    void MarkExcluded(const CObList* list, bool on);
    // The object of a kind in mask, not excluded, with a connection point on point (a pin's
    // end, a wire's or bus's vertex or a point of its segments), looked for within half of
    // the point.
    CDrawObj* ObjectOn(CPoint point, DWORD mask, CSize half);
    void SnapMoveToGrid(CPoint& delta, CPoint origin, const CPoint* points, int count,
                        double& best);
    // The selection never attracts its own points. It is passed over before any object's
    // shape is measured, which for a large selection costs far more than the look-up.
    void SnapMoveToObjects(CPoint& delta, CPoint origin, const CPoint* points, int count,
                           CDrawObj* object, const CObList& selection, double best);

    CDrawDoc& m_document;
    CSnapGrid& m_grid;
    DWORD m_options;
    int m_reach;
};
