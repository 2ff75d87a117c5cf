#include "shell/view/SnapEngine.h"

#include <algorithm>

#include "model/app/SchematicApp.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "platform/PointerSet.h"
#include "shell/view/ViewSnapGrid.h"

namespace {

constexpr int kMaxMovePoints = 10;
// A connection point wins over the grid point unless the grid point is clearly nearer.
constexpr double kGridFavour = 1.2;

double SquaredDistance(POINT a, POINT b) {
    const double dx = double(a.x) - b.x;
    const double dy = double(a.y) - b.y;
    return dx * dx + dy * dy;
}

bool IsOfKind(const CDrawObj& object, DWORD mask) {
    const int type = object.GetObjType();
    return type >= 0 && type < 32 && (mask & ObjTypeMask(type));
}

}  // namespace

void SnapEngine::MarkExcluded(const CObList* list, bool on) {
    if (!list)
        return;
    for (POSITION pos = list->GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(list->GetNext(pos));
        object->SetFlags(on ? DWORD(kFlagSnapExcluded) : 0, kFlagSnapExcluded);
    }
}

CDrawObj* SnapEngine::SnapPoint(CPoint& point, DWORD mask, const CObList* exclude) {
    const CPoint grid = m_grid.SnapPoint(point.x, point.y);
    const DWORD m = m_options & mask;
    const bool gridOn = (m & kSnapToGrid) != 0;
    if (!(m & kSnapObjectMask)) {
        if (gridOn)
            point = grid;
        return nullptr;
    }
    MarkExcluded(exclude, true);
    double best = std::max(kGridFavour * SquaredDistance(grid, point), double(m_reach) * m_reach);
    const int hx = std::max(int(m_grid.m_logicalX / 2), m_reach);
    const int hy = std::max(int(m_grid.m_logicalY / 2), m_reach);
    const CRect search(point.x - hx, point.y - hy, point.x + hx, point.y + hy);
    CDrawObj* result = nullptr;
    CPoint kept = point;
    CObjectSearch objects(m_document.GetObjects(), m & kSnapObjectMask, search);
    while (CDrawObj* object = objects.Next()) {
        if (object->GetFlags() & kFlagSnapExcluded)
            continue;
        CPoint candidate = point;
        if (CDrawObj* accepted = object->SnapPoint(candidate, &m_grid, best)) {
            result = accepted;
            kept = candidate;
        }
    }
    if (result) {
        point = kept;
    } else if (gridOn) {
        point = grid;
        result = ObjectOn(point, m, CSize(hx, hy));
    }
    MarkExcluded(exclude, false);
    return result;
}

// Asked with no distance to spare, an object accepts only a connection point lying on the
// point itself.
CDrawObj* SnapEngine::ObjectOn(CPoint point, DWORD mask, CSize half) {
    const CRect search(point.x - half.cx, point.y - half.cy, point.x + half.cx, point.y + half.cy);
    CObjectSearch objects(m_document.GetObjects(), mask & kSnapObjectMask, search);
    while (CDrawObj* object = objects.Next()) {
        if (object->GetFlags() & kFlagSnapExcluded)
            continue;
        CPoint candidate = point;
        double exact = 0;
        CDrawObj* accepted = object->SnapPoint(candidate, &m_grid, exact);
        if (accepted && candidate == point)
            return accepted;
    }
    return nullptr;
}

void SnapEngine::SnapMove(CPoint& delta, CPoint origin, CDrawObj* object, const CObList& selection,
                          bool invert) {
    if (!object)
        return;
    const int count = std::min(object->GetConnectionCount(), kMaxMovePoints);
    CPoint points[kMaxMovePoints];
    for (int i = 0; i < count; ++i)
        points[i] = object->GetConnectionPoint(i + 1);
    double best = double(m_grid.m_logicalX) * m_grid.m_logicalX +
                  double(m_grid.m_logicalY) * m_grid.m_logicalY;
    if (((m_options & kSnapToGrid) != 0) != invert)
        SnapMoveToGrid(delta, origin, points, count, best);
    if (m_options & kSnapObjectMask)
        SnapMoveToObjects(delta, origin, points, count, object, selection, best);
}

void SnapEngine::SnapMoveToGrid(CPoint& delta, CPoint origin, const CPoint* points, int count,
                                double& best) {
    const CPoint proposed = delta;
    const CSize shift(proposed.x - origin.x, proposed.y - origin.y);
    for (int i = 0; i < count; ++i) {
        const CPoint c = points[i] + shift;
        const CPoint g = m_grid.SnapPoint(c.x, c.y);
        const double d = kGridFavour * SquaredDistance(c, g);
        if (d < best) {
            best = d;
            delta = proposed + CSize(g.x - c.x, g.y - c.y);
        }
    }
}

void SnapEngine::SnapMoveToObjects(CPoint& delta, CPoint origin, const CPoint* points, int count,
                                   CDrawObj* object, const CObList& selection, double best) {
    CRect bounds;
    object->GetBoundingRect(bounds);
    bounds.NormalizeRect();
    bounds.OffsetRect(delta.x - origin.x, delta.y - origin.y);
    bounds.InflateRect(int(m_grid.m_logicalX / 2), int(m_grid.m_logicalY / 2));
    PointerSet selected(static_cast<std::size_t>(selection.GetCount()));
    for (POSITION pos = selection.GetHeadPosition(); pos;)
        selected.Insert(selection.GetNext(pos));
    const DWORD mask = m_options & kSnapObjectMask;
    const CObList& objects = m_document.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* other = static_cast<CDrawObj*>(objects.GetNext(pos));
        if ((other->GetFlags() & kFlagCollected) || selected.Contains(other) ||
            !IsOfKind(*other, mask) || !other->Intersects(bounds))
            continue;
        for (int i = 0; i < count; ++i) {
            const CPoint moved = points[i] + CSize(delta.x - origin.x, delta.y - origin.y);
            CPoint candidate = moved;
            if (other->SnapPoint(candidate, &m_grid, best))
                delta += CSize(candidate.x - moved.x, candidate.y - moved.y);
        }
    }
}
