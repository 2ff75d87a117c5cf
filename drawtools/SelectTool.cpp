#include "drawtools/SelectTool.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "drawtools/ToolManager.h"
#include "drawtools/ToolPrompts.h"
#include "drawtools/WireDragTool.h"
#include "model/cmd/TransformCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/object/DrawObj.h"
#include "model/symbol/Pin.h"
#include "model/text/AttrText.h"
#include "platform/UserPrompt.h"

namespace {

// Every object type and the grid.
constexpr DWORD kSnapAll = 0xEFFFFFFF;

double SquaredDistance(CPoint a, CPoint b) {
    const double dx = double(a.x) - b.x;
    const double dy = double(a.y) - b.y;
    return dx * dx + dy * dy;
}

// The handle of the primary object under sheet whose drag reshapes it, or 0. The segments of
// a drawn polyline or polygon are its outline, which a drag moves like the rest of the shape;
// only a wire's or a bus's segments are handles, since dragging one reroutes the wire.
int GripHandle(IToolView& view, CDrawObj* primary, CPoint sheet) {
    if (!primary)
        return 0;
    const int handle = primary->HitTest(sheet, &view, TRUE);
    const auto* poly = dynamic_cast<CDrawPoly*>(primary);
    if (poly && !dynamic_cast<CWire*>(primary) && handle > poly->GetPointCount())
        return 0;
    return handle;
}

}  // namespace

CDrawObj* PrimaryObject(const IToolView& view) {
    const CObList& selection = view.GetSelection();
    return selection.IsEmpty() ? nullptr : static_cast<CDrawObj*>(selection.GetTail());
}

CDrawObj* LeadObject(const IToolView& view) {
    CDrawObj* primary = PrimaryObject(view);
    const auto* text = dynamic_cast<const CAttrText*>(primary);
    CDrawObj* owner = text ? text->GetOwnerObject() : nullptr;
    return owner && view.IsSelected(owner) ? owner : primary;
}

namespace {

// The step along one axis, shortened towards zero, never reversed nor lengthened.
LONG KeepBetween(LONG step, LONG towardsLow, LONG towardsHigh) {
    return std::clamp(step, std::min(LONG{0}, towardsLow), std::max(LONG{0}, towardsHigh));
}

}  // namespace

std::optional<CSize> KeepOnSheet(const CRect& bounds, const CRect& area, CSize step) {
    if (bounds.Width() > area.Width() || bounds.Height() > area.Height())
        return std::nullopt;
    step.cx = KeepBetween(step.cx, area.left - bounds.left, area.right - bounds.right);
    step.cy = KeepBetween(step.cy, area.top - bounds.top, area.bottom - bounds.bottom);
    return step;
}

ToolCursor HandleCursor(CursorId cursor) {
    switch (cursor) {
        case CursorId::SizeWE:
            return ToolCursor::SizeWE;
        case CursorId::SizeNESW:
            return ToolCursor::SizeNESW;
        case CursorId::SizeNS:
            return ToolCursor::SizeNS;
        case CursorId::SizeNWSE:
            return ToolCursor::SizeNWSE;
        case CursorId::SizeAll:
            return ToolCursor::SizeAll;
        default:
            return ToolCursor::Arrow;
    }
}

CSelectTool::~CSelectTool() {
    delete m_pending;
}

// ---------------------------------------------------------------------------------------------
// Pressing

void CSelectTool::OnLButtonDown(IToolView& view, UINT flags, CPoint point) {
    ToolState& state = State();
    m_startBounds.reset();
    CPoint sheet = view.ClientToDoc(point);
    state.selectMode = kSelectNone;
    if (PressHandle(view, sheet))
        return;
    if (state.selectMode == kSelectNone && PressObject(view, flags, point, sheet))
        return;
    if (state.selectMode == kSelectNone) {
        if (!(flags & kToolShift))
            view.Select(nullptr, false);
        state.selectMode = kSelectRubberBand;
        view.SetPrompt(kPromptRubberBand);
        const CRect band(point, point);
        view.ShowFocusRect(&band);
    }
    state.lastSheet = sheet;
    CDrawTool::OnLButtonDown(view, flags, point);
}

bool CSelectTool::PressHandle(IToolView& view, CPoint& sheet) {
    CDrawObj* primary = PrimaryObject(view);
    const int handle = GripHandle(view, primary, sheet);
    if (!handle)
        return false;
    ToolState& state = State();
    state.dragHandle = handle;
    state.selectMode = kSelectHandle;
    if (!dynamic_cast<CDrawPoly*>(primary))
        sheet = primary->GetHandle(handle);
    auto* wire = dynamic_cast<CWire*>(primary);
    if (!wire || (handle != 1 && handle != wire->GetPointCount()))
        return false;
    SetShape(kToolWireDrag);
    m_tools.WireDragTool().Start(view, wire);
    view.SetCapture(true);
    view.SetPrompt(kPromptWireDrag);
    return true;
}

bool CSelectTool::PressObject(IToolView& view, UINT flags, CPoint point, CPoint sheet) {
    CDrawObj* object = ObjectAtClick(view, point);
    if (!object)
        return false;
    CPoint snapped = sheet;
    CDrawObj* target = view.SnapPoint(snapped, ObjTypeMask(kObjSymbol), &view.GetSelection());
    if (target && target->GetObjType() == kObjPin) {
        const bool bus = (target->GetFlags() & kPinSymbolMask) == kPinBus;
        SetShape(bus ? kToolBus : kToolWire);
        m_tools.CurrentTool()->OnLButtonDown(view, flags, point);
        return true;
    }
    ToolState& state = State();
    state.moveOrigin = sheet;
    state.lastSheet = sheet;
    state.selectMode = kSelectMove;
    view.SetPrompt(kPromptMove);
    const bool shift = flags & kToolShift;
    if (shift && view.IsSelected(object))
        view.Deselect(object);
    else
        view.Select(object, shift || view.IsSelected(object));
    return false;
}

// ---------------------------------------------------------------------------------------------
// Dragging

void CSelectTool::OnMouseMove(IToolView& view, UINT flags, CPoint point) {
    if (!view.HasCapture()) {
        Hover(view, point);
        return;
    }
    ToolState& state = State();
    if (state.selectMode == kSelectRubberBand) {
        state.lastSheet = view.ClientToDoc(point);
        DragRubberBand(view, point);
        return;
    }
    UpdateAutoScroll(view, point);
    const CPoint sheet = DragPoint(view, flags, point);
    if (point != state.downPoint) {
        const CSize travel = point - state.downPoint;
        const bool dragMode = state.selectMode == kSelectMove || state.selectMode == kSelectHandle;
        if (!m_pending && dragMode && std::abs(travel.cx) + std::abs(travel.cy) >= kDragThreshold &&
            !view.GetSelection().IsEmpty())
            BeginDrag(view, flags);
        if (m_pending)
            TrackDrag(sheet);
        if (!dragMode || m_pending)
            state.lastSheet = sheet;
    }
    if (CDrawObj* primary = PrimaryObject(view)) {
        if (state.selectMode == kSelectSizing)
            primary->MoveHandleTo(1, sheet, &view);
        else if (state.dragHandle && state.currentShape != kToolSelect)
            primary->MoveHandleTo(state.dragHandle, sheet, &view);
    }
    state.lastPoint = point;
    ShowDragCursor(view);
}

CPoint CSelectTool::DragPoint(IToolView& view, UINT flags, CPoint point) {
    const ToolState& state = State();
    CPoint sheet = view.ClientToDoc(point);
    const CObList& selection = view.GetSelection();
    CDrawObj* primary = PrimaryObject(view);
    if (state.selectMode == kSelectHandle && primary) {
        CPoint snapped = sheet;
        view.SnapPoint(snapped, kSnapAll, &selection, AltRule(flags));
        CPoint anchor(kNoAnchor, kNoAnchor);
        primary->GetAnchorPoint(&anchor, state.dragHandle);
        if (anchor.x != kNoAnchor &&
            SquaredDistance(anchor, sheet) <= SquaredDistance(snapped, sheet))
            return anchor;
        return snapped;
    }
    if (state.selectMode == kSelectMove && primary) {
        view.SnapMove(sheet, state.lastSheet, LeadObject(view),
                      AltRule(flags) == GridSnap::Inverted);
        return ClampMove(view, sheet);
    }
    view.SnapPoint(sheet, kSnapAll, &selection, AltRule(flags));
    return sheet;
}

// The selection moved to sheet stays inside the drawing area.
CPoint CSelectTool::ClampMove(IToolView& view, CPoint sheet) {
    const CPoint last = State().lastSheet;
    const std::optional<CSize> step =
        KeepOnSheet(MovedBounds(view), view.Document().GetDrawingArea(), sheet - last);
    return last + step.value_or(CSize(0, 0));
}

// The selected objects move together, so their bounds are measured once a gesture: a large
// selection takes long to measure.
CRect CSelectTool::MovedBounds(IToolView& view) {
    const CSize moved = State().lastSheet - State().moveOrigin;
    if (!m_startBounds) {
        m_startBounds = view.GetSelectionBounds();
        m_startBounds->OffsetRect(-moved.cx, -moved.cy);
    }
    CRect bounds = *m_startBounds;
    bounds.OffsetRect(moved.cx, moved.cy);
    return bounds;
}

void CSelectTool::BeginDrag(IToolView& view, UINT flags) {
    ToolState& state = State();
    m_copies = kNoStep;
    const bool resize = state.selectMode == kSelectHandle;
    if (!resize && !KeepOnSheet(MovedBounds(view), view.Document().GetDrawingArea(), CSize(0, 0))) {
        EndGesture(view);
        AfxMessageBox(kMoveLargerThanSheet);
        return;
    }
    if (resize) {
        CObList primary;
        primary.AddTail(PrimaryObject(view));
        view.OnUpdate(nullptr, kHintReplaceSelection, nullptr, &primary);
    } else if (flags & kToolControl) {
        if (!view.CloneSelection()) {
            EndGesture(view);
            return;
        }
        m_copies = view.Document().GetUndoList().LastStep();
    }
    view.SetPrompt(kPromptCompleteMove);
    m_pending = new CTransformCmd(&view.Document(), view.GetSelection(),
                                  resize ? kTransformResize : kTransformMove);
    m_pending->Begin();
    if (resize)
        state.moveOrigin = PrimaryObject(view)->GetHandle(state.dragHandle);
}

void CSelectTool::EndGesture(IToolView& view) {
    State().selectMode = kSelectNone;
    view.SetCapture(false);
    view.SetPrompt(kPromptReady);
}

void CSelectTool::TrackDrag(CPoint sheet) {
    const ToolState& state = State();
    if (state.selectMode == kSelectHandle) {
        m_pending->SetResize(state.dragHandle, state.moveOrigin, sheet);
    } else {
        if (sheet == state.lastSheet)
            return;
        // The whole move from where the drag began: the command starts over from the
        // objects' first shape each time.
        m_pending->SetMove(sheet.x - state.moveOrigin.x, sheet.y - state.moveOrigin.y);
    }
    m_pending->Apply();
}

void CSelectTool::DragRubberBand(IToolView& view, CPoint point) const {
    ToolState& state = State();
    const CRect band(state.downPoint, point);
    view.ShowFocusRect(&band);
    state.lastPoint = point;
    view.SetCursor(ToolCursor::Arrow);
}

void CSelectTool::UpdateAutoScroll(IToolView& view, CPoint point) const {
    CRect inner = view.ClientRect();
    inner.DeflateRect(kAutoScrollMargin, kAutoScrollMargin);
    view.SetAutoScroll(!inner.PtInRect(point));
}

void CSelectTool::OnAutoScroll(IToolView& view) {
    CRect inner = view.ClientRect();
    inner.DeflateRect(kAutoScrollMargin, kAutoScrollMargin);
    const CPoint at = view.CursorPosition();
    const int dx = at.x < inner.left ? -1 : (at.x >= inner.right ? 1 : 0);
    const int dy = at.y < inner.top ? -1 : (at.y >= inner.bottom ? 1 : 0);
    if (!view.HasCapture() || (dx == 0 && dy == 0)) {
        view.SetAutoScroll(false);
        return;
    }
    view.ScrollLines(dx, dy);
}

void CSelectTool::ShowDragCursor(IToolView& view) const {
    const ToolState& state = State();
    CDrawObj* primary = PrimaryObject(view);
    if (state.selectMode == kSelectMove && m_pending) {
        const bool many = view.GetSelection().GetCount() > 1;
        if (m_copies != kNoStep)
            view.SetCursor(many ? ToolCursor::CopyMany : ToolCursor::CopyOne);
        else
            view.SetCursor(many ? ToolCursor::MoveMany : ToolCursor::MoveOne);
    } else if (state.selectMode == kSelectHandle && primary) {
        view.SetCursor(HandleCursor(primary->GetHandleCursor(state.dragHandle)));
    } else if (state.currentShape == kToolSelect) {
        view.SetCursor(ToolCursor::Arrow);
    }
}

void CSelectTool::Hover(IToolView& view, CPoint point) const {
    if (State().currentShape != kToolSelect)
        return;
    CDrawObj* primary = PrimaryObject(view);
    const int handle = GripHandle(view, primary, view.ClientToDoc(point));
    if (handle) {
        view.SetCursor(HandleCursor(primary->GetHandleCursor(handle)));
        view.SetPrompt(kPromptResize);
    } else {
        view.SetCursor(ToolCursor::Arrow);
        view.SetPrompt(kPromptReady);
    }
}

// ---------------------------------------------------------------------------------------------
// Releasing and cancelling

void CSelectTool::OnLButtonUp(IToolView& view, UINT flags, CPoint point) {
    ToolState& state = State();
    view.SetAutoScroll(false);
    switch (state.selectMode) {
        case kSelectRubberBand:
            view.ShowFocusRect(nullptr);
            view.SelectWithinRect(CRect(state.downPoint, state.lastPoint), true);
            break;
        case kSelectMove:
        case kSelectHandle:
            if (m_pending)
                FinishDrag(view);
            break;
        case kSelectSizing:
            view.Document().UpdateAllViews(&view, kHintNone);
            break;
        default:
            break;
    }
    state.selectMode = kSelectNone;
    view.SetPrompt(kPromptReady);
    CDrawTool::OnLButtonUp(view, flags, point);
}

void CSelectTool::FinishDrag(IToolView& view) {
    const ToolState& state = State();
    if (state.lastSheet == state.moveOrigin) {
        AbortDrag(view);
        return;
    }
    if (state.selectMode == kSelectMove)
        m_pending->SetMove(state.lastSheet.x - state.moveOrigin.x,
                           state.lastSheet.y - state.moveOrigin.y);
    view.SetCapture(false);
    CTransformCmd* command = m_pending;
    m_pending = nullptr;
    CUndoList& history = view.Document().GetUndoList();
    // The move of copies joins the step that made them.
    const StepId copies = std::exchange(m_copies, kNoStep);
    const BOOL recorded = copies == kNoStep              ? history.Add(command)
                          : history.LastStep() == copies ? history.Merge(command)
                                                         : FALSE;
    if (!recorded) {
        command->Abort();
        delete command;
        history.CancelStep(copies);
        return;
    }
    if (!command->JoinUp())
        history.CancelStep(history.LastStep());
    view.InvalidateAll();
}

// The copies of a Ctrl-drag go with the drag: none may stay behind on the originals.
void CSelectTool::AbortDrag(IToolView& view) {
    m_pending->Abort();
    delete m_pending;
    m_pending = nullptr;
    view.Document().GetUndoList().CancelStep(std::exchange(m_copies, kNoStep));
    view.InvalidateAll();
}

void CSelectTool::Cancel(IToolView& view) {
    SetShape(kToolSelect);
    if (m_pending)
        AbortDrag(view);
    if (State().selectMode == kSelectRubberBand)
        view.ShowFocusRect(nullptr);
    State().selectMode = kSelectNone;
    view.SetPrompt(kPromptReady);
    view.SetAutoScroll(false);
    view.SetCapture(false);
}

void CSelectTool::EndGesture(IToolView& view, GestureEnd) {
    if (m_pending && m_pending->GetDocument() == &view.Document())
        AbortDrag(view);
}

// A drag whose objects were taken out by something else can neither put them back nor free
// them: they are the taker's now. The drag is given up where it stands.
void CSelectTool::OnObjectsLeft(IToolView& view, const CObList& objects) {
    if (!m_pending || m_pending->GetDocument() != &view.Document())
        return;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const CObject* object = objects.GetNext(pos);
        for (const CObList* held :
             {&m_pending->GetObjects(), &m_pending->GetSources(), &m_pending->GetCopies()}) {
            if (held->Find(const_cast<CObject*>(object))) {
                m_pending = nullptr;
                m_copies = kNoStep;
                State().selectMode = kSelectNone;
                return;
            }
        }
    }
}

const CTransformCmd* CSelectTool::SelectionMove() const {
    return m_pending && m_pending->GetKind() == kTransformMove ? m_pending : nullptr;
}

void CSelectTool::AddHeldObjects(std::vector<const CDrawObj*>& held) const {
    if (!m_pending)
        return;
    const CObList& objects = m_pending->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        held.push_back(static_cast<const CDrawObj*>(objects.GetNext(pos)));
}

// ---------------------------------------------------------------------------------------------
// Other operations

void CSelectTool::OnLButtonDblClk(IToolView& view, UINT flags, CPoint point) {
    CDrawObj* object = ObjectAtClick(view, point);
    if (!object)
        return;
    if (flags & kToolShift) {
        view.Deselect(object);
        return;
    }
    Cancel(view);
    view.Select(object, false);
    object->OnOpen(&view);
}

void CSelectTool::OnEditProperties(IToolView& view) {
    if (CDrawObj* primary = PrimaryObject(view))
        primary->OnEditProperties(&view);
}

void CSelectTool::OnContextMenu(IToolView& view, CPoint screen) {
    if (view.HasCapture())
        return;
    CDrawObj* object = nullptr;
    if (State().selectMode == kSelectNone) {
        object = ObjectAtClick(view, view.CursorPosition());
        if (object)
            view.Select(object, view.IsSelected(object));
    }
    if (const UINT id = view.TrackMenu(object ? ObjectMenu(*object) : SheetMenu(), screen))
        view.RunCommand(id);
}
