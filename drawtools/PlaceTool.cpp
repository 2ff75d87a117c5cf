#include "drawtools/PlaceTool.h"

#include <limits>
#include <vector>

#include "drawtools/SelectTool.h"
#include "drawtools/ToolManager.h"
#include "drawtools/ToolPrompts.h"
#include "model/cmd/ConnectorJoin.h"
#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/undo/ConnectionList.h"
#include "resources/CommandIds.h"

namespace {

constexpr DWORD kSnapAll = 0xEFFFFFFF;
constexpr int kQuarterTurn = 900;
constexpr LONG kAxisLength = 1000;

CPoint Centre(const CRect& rect) {
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

double SquaredLength(CSize size) {
    return double(size.cx) * size.cx + double(size.cy) * size.cy;
}

}  // namespace

bool CPlaceTool::StartPlacing(IToolView& view, CObList& objects) {
    CObList placed;
    placed.AddTail(&objects);
    CDrawDoc& doc = view.Document();
    const int before = doc.GetObjects().GetCount();
    doc.AddObjects(&objects);
    // What the document took is now its own; the rest stays with the caller.
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        if (POSITION at = placed.Find(objects.GetNext(pos)))
            placed.RemoveAt(at);
    }
    // Objects of a step taken back are gone: nothing of the list may be looked at then.
    if (doc.GetObjects().GetCount() == before)
        return false;
    doc.SortInDrawingOrder(&placed);
    view.Select(nullptr, false);
    view.OnUpdate(nullptr, kHintReplaceSelection, nullptr, &placed);
    CarrySelection(view);
    return true;
}

void CPlaceTool::CarrySelection(IToolView& view) {
    m_view = &view;
    m_carried = view.Document().GetUndoList().LastStep();
    SetShape(kToolPlace);
    view.SetPrompt(kPromptPlace);
}

void CPlaceTool::OnMouseMove(IToolView& view, UINT, CPoint point) {
    const CObList& carried = view.GetSelection();
    if (&view != m_view || carried.IsEmpty())
        return;
    CDrawObj* lead = LeadObject(view);
    CRect box;
    lead->GetBoundingRect(box);
    box.NormalizeRect();
    CSize offset = view.ClientToDoc(point) - Centre(box);
    double best = std::numeric_limits<double>::max();
    CSize correction(0, 0);
    for (int i = 1; i <= lead->GetConnectionCount(); ++i) {
        const CPoint moved = lead->GetConnectionPoint(i) + offset;
        CPoint snapped = moved;
        view.SnapPoint(snapped, kSnapAll, &carried);
        if (SquaredLength(snapped - moved) < best) {
            best = SquaredLength(snapped - moved);
            correction = snapped - moved;
        }
    }
    // A carried set that the sheet cannot hold follows the mouse unlimited.
    offset = KeepOnSheet(view.GetSelectionBounds(), view.Document().GetDrawingArea(),
                         offset + correction)
                 .value_or(offset + correction);
    if (offset.cx == 0 && offset.cy == 0)
        return;
    for (POSITION pos = carried.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(carried.GetNext(pos));
        object->Invalidate(&view);
        object->OffsetBy(offset);
        object->Invalidate(&view);
    }
}

// Without Ctrl the carried set stays and a copy of it is carried on.
void CPlaceTool::OnLButtonDown(IToolView& view, UINT flags, CPoint) {
    if (&view != m_view || !LinkCarried(view))
        return;
    if (flags & kToolControl) {
        Stop(view);
        return;
    }
    CDrawDoc& doc = view.Document();
    CObList copies;
    copies.AddTail(&view.GetSelection());
    doc.SortInDrawingOrder(&copies);
    if (!doc.AddObjectCopies(&copies)) {
        Stop(view);
        return;
    }
    m_carried = doc.GetUndoList().LastStep();
    view.OnUpdate(nullptr, kHintDeselect, nullptr, nullptr);
    view.OnUpdate(nullptr, kHintReplaceSelection, nullptr, &copies);
}

bool CPlaceTool::LinkCarried(IToolView& view) {
    CDrawDoc& doc = view.Document();
    std::vector<CDrawObj*> changed;
    const auto noteChanged = [&changed](const CConnectionRecord& record) {
        for (CDrawObj* object : {record.object, record.partner, record.extra}) {
            if (!object)
                continue;
            const auto* pin = dynamic_cast<const CPin*>(object);
            CDrawObj* owner = pin ? pin->GetOwner() : nullptr;
            changed.push_back(owner ? owner : object);
        }
    };
    const bool joinNets = ConnectFreeConnectors(
        view.GetSelection(), doc.GetObjects(),
        [&view](const CDrawObj* candidate) { return !view.IsSelected(candidate); }, noteChanged);
    if (joinNets && !doc.JoinNets()) {
        Cancel(view);
        return false;
    }
    if (!changed.empty())
        doc.NoteObjectsChanged(changed);
    return true;
}

void CPlaceTool::OnLButtonUp(IToolView&, UINT, CPoint) {}

void CPlaceTool::OnLButtonDblClk(IToolView& view, UINT, CPoint) {
    Cancel(view);
}

void CPlaceTool::Cancel(IToolView& view) {
    if (&view == m_view && !view.GetSelection().IsEmpty()) {
        view.Select(nullptr, false);
        view.Document().GetUndoList().CancelStep(m_carried);
    }
    Stop(view);
}

void CPlaceTool::Stop(IToolView& view) {
    m_view = nullptr;
    SetShape(kToolSelect);
    view.SetPrompt(kPromptReady);
}

bool CPlaceTool::OnKeyDown(IToolView& view, ToolKey key, UINT flags) {
    if (&view != m_view)
        return false;
    switch (key) {
        case ToolKey::Space:
            Rotate(view, (flags & kToolControl) ? -kQuarterTurn : kQuarterTurn);
            break;
        case ToolKey::X:
            Mirror(view, true);
            break;
        case ToolKey::Y:
            Mirror(view, false);
            break;
        case ToolKey::Escape:
            Cancel(view);
            break;
        default:
            break;
    }
    return true;
}

CPoint CPlaceTool::Pivot(const IToolView& view) {
    const CRect bounds = view.GetSelectionBounds();
    if (bounds != m_turned)
        m_pivot = view.NearestGridPoint(Centre(bounds));
    return m_pivot;
}

void CPlaceTool::Rotate(IToolView& view, int angle) {
    const CPoint centre = Pivot(view);
    const CObList& carried = view.GetSelection();
    for (POSITION pos = carried.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(carried.GetNext(pos));
        object->Invalidate(&view);
        object->Rotate(angle, centre.x, centre.y, &view);
        object->Invalidate(&view);
    }
    m_turned = view.GetSelectionBounds();
}

void CPlaceTool::Mirror(IToolView& view, bool acrossVertical) {
    const CPoint centre = Pivot(view);
    const CPoint other = acrossVertical ? CPoint(centre.x, centre.y + kAxisLength)
                                        : CPoint(centre.x + kAxisLength, centre.y);
    const CObList& carried = view.GetSelection();
    for (POSITION pos = carried.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(carried.GetNext(pos));
        object->Invalidate(&view);
        object->Mirror(centre.x, centre.y, other.x, other.y);
        object->Invalidate(&view);
    }
    m_turned = view.GetSelectionBounds();
}

void CPlaceTool::OnContextMenu(IToolView& view, CPoint screen) {
    if (view.HasCapture())
        return;
    switch (view.TrackMenu(PlaceToolMenu(), screen)) {
        case ID_CANCEL:
            Cancel(view);
            break;
        case ID_DRAW_SELECT:
            Stop(view);
            break;
        case ID_EDIT_ROTATE_90:
            Rotate(view, kQuarterTurn);
            break;
        case ID_EDIT_ROTATE_MINUS_90:
            Rotate(view, -kQuarterTurn);
            break;
        case ID_EDIT_MIRROR_HORZ:
            Mirror(view, true);
            break;
        case ID_EDIT_MIRROR_VERT:
            Mirror(view, false);
            break;
        default:
            break;
    }
}

// Placing ends as Esc ends it: the carried set is taken away.
void CPlaceTool::EndGesture(IToolView& view, GestureEnd) {
    if (m_view == &view)
        Cancel(view);
}

// Carried objects taken out by something else: what is left is no longer the last step, which
// a cancel would take back; placing stops where it stands.
void CPlaceTool::OnObjectsLeft(IToolView& view, const CObList& objects) {
    if (m_view != &view)
        return;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        if (view.IsSelected(static_cast<const CDrawObj*>(objects.GetNext(pos)))) {
            Stop(view);
            return;
        }
    }
}
