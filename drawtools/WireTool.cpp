#include "drawtools/WireTool.h"

#include "drawtools/BusMemberName.h"
#include "drawtools/SelectTool.h"
#include "drawtools/ToolManager.h"
#include "drawtools/ToolPrompts.h"
#include "drawtools/WireDragTool.h"
#include "model/app/NameList.h"
#include "model/app/SchematicApp.h"
#include "model/cmd/AddCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Bus.h"
#include "model/net/Net.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "model/text/AttrText.h"
#include "platform/AppServices.h"

namespace {

// A wire kept by a double click is longer than this (sum of squared segment lengths).
constexpr double kShortestWire = 5.0;

CPin* AsPin(CDrawObj* object) {
    return object && object->GetObjType() == kObjPin ? static_cast<CPin*>(object) : nullptr;
}

bool IsKind(const CDrawObj* object, int type) {
    return object && object->GetObjType() == type;
}

void RepaintOwner(CPin* pin, IToolView& view) {
    if (CSymbol* owner = pin->GetOwner())
        owner->Invalidate(&view);
}

double SquaredLength(const CWire& wire) {
    double sum = 0;
    for (int i = 1; i < wire.GetPointCount(); ++i) {
        const double dx = double(wire.GetPoint(i).x) - wire.GetPoint(i - 1).x;
        const double dy = double(wire.GetPoint(i).y) - wire.GetPoint(i - 1).y;
        sum += dx * dx + dy * dy;
    }
    return sum;
}

}  // namespace

CDrawObj* CWireTool::SnapTarget(IToolView& view, UINT flags, CPoint& sheet) const {
    const DWORD mask = (IsBus() ? kBusSnapMask : kWireSnapMask) | kSnapToGrid;
    const CObList* exclude = m_wire ? &view.GetSelection() : nullptr;
    CPoint snapped = sheet;
    CDrawObj* target = view.SnapPoint(snapped, mask, exclude, AltRule(flags));
    if (!target) {
        snapped = sheet;
        target = view.SnapPoint(snapped, mask, exclude, GridSnap::Forced);
    }
    sheet = snapped;
    return target;
}

// ---------------------------------------------------------------------------------------------
// Clicks

void CWireTool::OnLButtonDown(IToolView& view, UINT flags, CPoint point) {
    CDrawTool::OnLButtonDown(view, flags, point);
    CPoint sheet = view.ClientToDoc(point);
    CDrawObj* target = SnapTarget(view, flags, sheet);
    if (!m_wire) {
        if (DragFreeEnd(view, sheet, target) || !StartWire(view, sheet, target))
            return;
    } else if (target && target != m_wire->GetStartObject()) {
        EndWire(view, sheet, target);
        return;
    }
    AppendFloatingPoints(view, sheet);
}

// A press on the free end of a wire of the tool's own kind drags that end.
bool CWireTool::DragFreeEnd(IToolView& view, CPoint sheet, CDrawObj* target) {
    if (!IsKind(target, IsBus() ? kObjBus : kObjWire))
        return false;
    auto* wire = static_cast<CWire*>(target);
    const int count = wire->GetPointCount();
    const bool atStart = sheet == wire->GetPoint(0) && !wire->GetStartObject();
    const bool atEnd = sheet == wire->GetPoint(count - 1) && !wire->GetEndObject();
    if (!atStart && !atEnd)
        return false;
    SetShape(kToolWireDrag);
    State().dragHandle = atEnd ? count : 1;
    m_tools.WireDragTool().Start(view, wire);
    return true;
}

bool CWireTool::StartWire(IToolView& view, CPoint sheet, CDrawObj* target) {
    std::unique_ptr<CWire> wire = IsBus() ? std::make_unique<CBus>() : std::make_unique<CWire>();
    CWire* added = wire.get();
    if (!view.Document().AddObject(std::move(wire))) {
        view.SetCapture(false);
        SetShape(kToolSelect);
        return false;
    }
    m_wire = added;
    m_added = view.Document().GetUndoList().LastStep();
    view.Select(m_wire, false);
    CDrawObj* startOn = nullptr;
    if (CPin* pin = AsPin(target)) {
        if (!IsBus())
            startOn = pin->GetWire() ? pin->GetWire() : pin;
        else if (!pin->GetWire())
            startOn = pin;
        RepaintOwner(pin, view);
    } else if (IsKind(target, kObjWire) || IsKind(target, kObjBus)) {
        startOn = target;
    }
    m_wire->SetStart(sheet.x, sheet.y, startOn);
    return true;
}

void CWireTool::AppendFloatingPoints(IToolView& view, CPoint sheet) {
    for (int i = 0; i < 2; ++i)
        m_wire->InsertPoint(m_wire->GetPointCount(), sheet.x + 1, sheet.y);
    m_twoElbows = false;
    ToolState& state = State();
    view.SetPrompt(kPromptWirePoints);
    state.selectMode = kSelectAddPoints;
    state.dragHandle = m_wire->GetPointCount();
    state.lastSheet = sheet;
}

CDrawObj* CWireTool::EndObjectFor(CDrawObj* target) const {
    if (CPin* pin = AsPin(target)) {
        if (!pin->GetWire())
            return pin;
        if (pin->GetWire() == m_wire->GetStartObject() || IsBus())
            return nullptr;
        return pin->GetWire();
    }
    if (IsBus() && !IsKind(target, kObjBus))
        return nullptr;
    return target;
}

void CWireTool::EndWire(IToolView& view, CPoint sheet, CDrawObj* target) {
    CDrawObj* endOn = EndObjectFor(target);
    if (CPin* pin = AsPin(endOn))
        RepaintOwner(pin, view);
    view.SetCapture(false);
    m_wire->SetEnd(sheet.x, sheet.y, endOn);
    m_wire->RemoveRedundantVertices();
    m_wire->AlignEndsOnWires();
    State().selectMode = kSelectNone;
    CDrawDoc& doc = view.Document();
    if (m_wire->GetPointCount() > 1 && doc.JoinNets()) {
        NameFromBus(view);
        m_wire->RecalcBounds(&view);
        m_wire->Invalidate(&view);
        doc.NoteObjectsChanged(EndedChanges());
        m_wire = nullptr;
        return;
    }
    TakeBack(view);
}

std::vector<CDrawObj*> CWireTool::EndedChanges() const {
    std::vector<CDrawObj*> changed;
    m_wire->WalkGroup([&changed](CWire* wire) {
        changed.push_back(wire);
        for (CDrawObj* end : {wire->GetStartObject(), wire->GetEndObject()}) {
            CPin* pin = AsPin(end);
            if (pin && pin->GetOwner())
                changed.push_back(pin->GetOwner());
            else if (end && !pin)
                changed.push_back(end);
        }
        return kWalkOn;
    });
    return changed;
}

void CWireTool::OnLButtonUp(IToolView&, UINT, CPoint) {}

void CWireTool::OnLButtonDblClk(IToolView& view, UINT, CPoint) {
    if (m_wire)
        KeepOrTakeBack(view);
    State().selectMode = kSelectNone;
    view.SetCapture(false);
    SetShape(kToolSelect);
}

void CWireTool::DropFloatingPoints() const {
    for (int i = 0; i < 2 && m_wire->GetPointCount() > 2; ++i) {
        const int count = m_wire->GetPointCount();
        const CPoint last = m_wire->GetPoint(count - 1);
        const CPoint before = m_wire->GetPoint(count - 2);
        if (last != before && !(last.y == before.y && last.x == before.x + 1))
            return;
        m_wire->RemovePoint(count - 1);
    }
}

void CWireTool::TakeBack(IToolView& view) {
    view.Select(nullptr, false);
    view.Document().GetUndoList().CancelStep(m_added);
    m_wire = nullptr;
    State().selectMode = kSelectNone;
}

// ---------------------------------------------------------------------------------------------
// Naming from a bus

void CWireTool::NameFromBus(IToolView& view) {
    if (IsBus())
        return;
    CDrawObj* start = m_wire->GetStartObject();
    CDrawObj* end = m_wire->GetEndObject();
    CDrawObj* bus = IsKind(start, kObjBus) ? start : (IsKind(end, kObjBus) ? end : nullptr);
    if (!bus)
        return;
    CDrawObj* other = bus == start ? end : start;
    if (!IsKind(other, kObjWire)) {
        CStringArray members;
        ExpandNameList(members, bus->GetAttr("_ID"));
        const CPin* pin = AsPin(other);
        const CString pinId = pin ? const_cast<CPin*>(pin)->GetAttr("_ID") : CString();
        const CString name =
            ChooseBusMember(members, pin ? pinId.c_str() : nullptr, State().busMemberCounter);
        if (name.IsEmpty())
            return;
        // In the step that adds the wire, with the rail connector or the net the name takes
        // along.
        m_wire->SetAttr("_ID", name,
                        kSetAttrForce | kSetAttrUndoable | kSetAttrUser | kSetAttrMerge);
    }
    CAttrText* text = m_wire->ShowAttrText("_ID", TRUE);
    if (!text)
        return;
    CDrawDoc& doc = view.Document();
    auto* add = new CAddCmd(text, FALSE);
    if (!add->Do(&doc) || !doc.MergeCommand(add)) {
        add->Undo(&doc);
        delete add;
    }
}

// ---------------------------------------------------------------------------------------------
// Following the mouse, ending and cancelling

void CWireTool::OnMouseMove(IToolView& view, UINT flags, CPoint point) {
    view.SetCursor(ToolCursor::Cross);
    if (!view.HasCapture() || !m_wire) {
        m_tools.SelectTool().OnMouseMove(view, flags, point);
        view.SetCursor(ToolCursor::Cross);
        return;
    }
    CRect inner = view.ClientRect();
    inner.DeflateRect(kAutoScrollMargin, kAutoScrollMargin);
    view.SetAutoScroll(!inner.PtInRect(point));
    CPoint sheet = view.ClientToDoc(point);
    view.SnapPoint(sheet, 0xFFFFFFFF, &view.GetSelection());
    ToolState& state = State();
    if (m_twoElbows && sheet != m_wire->GetPoint(state.dragHandle - 1)) {
        m_wire->RemovePoint(state.dragHandle - 2);
        --state.dragHandle;
        m_twoElbows = false;
    }
    const int routed = m_wire->RouteToPoint(state.dragHandle, sheet, view.GridSpacing().cx, &view);
    if (routed > state.dragHandle)
        m_twoElbows = true;
    state.dragHandle = routed;
    if (m_wire->GetPointCount() > 3) {
        m_wire->MergeLastSegments();
        state.dragHandle = m_wire->GetPointCount();
    }
    state.lastSheet = sheet;
    state.lastPoint = point;
}

void CWireTool::OnAutoScroll(IToolView& view) {
    m_tools.SelectTool().OnAutoScroll(view);
}

// Finished (by End Wire, or by whatever comes first) as a double click finishes it: kept when
// longer than a click's wobble and its nets join, else taken back; End Wire then returns to
// the select tool. Cancelled as Esc cancels it.
void CWireTool::EndGesture(IToolView& view, GestureEnd how) {
    if (!m_wire || m_wire->GetDocument() != &view.Document())
        return;
    if (how == GestureEnd::Finish)
        SetShape(kToolSelect);
    if (how == GestureEnd::Cancel)
        TakeBack(view);
    else
        KeepOrTakeBack(view);
}

void CWireTool::KeepOrTakeBack(IToolView& view) {
    DropFloatingPoints();
    m_wire->RemoveRedundantVertices();
    if (m_wire->GetPointCount() >= 2 && SquaredLength(*m_wire) > kShortestWire &&
        view.Document().JoinNets()) {
        m_wire->RecalcBounds(&view);
        m_wire->Invalidate(&view);
        m_wire = nullptr;
    } else {
        TakeBack(view);
    }
}

void CWireTool::OnObjectsLeft(IToolView&, const CObList& objects) {
    if (m_wire && objects.Find(m_wire))
        m_wire = nullptr;
}

void CWireTool::AddHeldObjects(std::vector<const CDrawObj*>& held) const {
    if (m_wire)
        held.push_back(m_wire);
}

void CWireTool::OnContextMenu(IToolView& view, CPoint screen) {
    const bool captured = view.HasCapture();
    if (captured)
        view.SetCapture(false);
    const UINT id = view.TrackMenu(WireToolMenu(), screen);
    if (captured)
        view.SetCapture(true);
    if (id)
        view.RunCommand(id);
}
