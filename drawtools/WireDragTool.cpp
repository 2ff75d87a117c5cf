#include "drawtools/WireDragTool.h"

#include "drawtools/ToolManager.h"
#include "drawtools/ToolPrompts.h"
#include "model/cmd/RerouteCmd.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/text/AttrText.h"

namespace {

struct OneObject : CObList {
    explicit OneObject(CObject* object) { AddTail(object); }
};

// The texts of the picked-up wire that still stand in the document go over to the copy, whose
// net they show from now on; the re-route's links take them back with an undo.
void GiveLabels(CDrawDoc& doc, const CObList& labels, CWire& copy) {
    for (POSITION pos = labels.GetHeadPosition(); pos;) {
        auto* label = static_cast<CAttrText*>(labels.GetNext(pos));
        if (!doc.IsListed(label))
            continue;
        label->Bind(&copy, label->GetName());
        copy.GetAttrTextList()->AddTail(label);
    }
}

}  // namespace

CWireDragTool::~CWireDragTool() = default;

bool CWireDragTool::IsBus() const {
    return m_wire && m_wire->GetObjType() == kObjBus;
}

void CWireDragTool::Start(IToolView& view, CWire* wire) {
    CDrawDoc& doc = view.Document();
    view.Select(wire, false);
    m_pickedUp = wire;
    m_junctionEnds.clear();
    for (POSITION pos = wire->GetJunctions().GetHeadPosition(); pos;) {
        auto* junction = static_cast<CWire*>(wire->GetJunctions().GetNext(pos));
        if (junction->GetStartObject() == wire)
            m_junctionEnds.emplace_back(junction, false);
        if (junction->GetEndObject() == wire)
            m_junctionEnds.emplace_back(junction, true);
    }
    CDrawObj* fixedEnd = State().dragHandle == 1 ? wire->GetEndObject() : wire->GetStartObject();
    CDrawObj* picked[] = {wire};
    m_labels.RemoveAll();
    m_labels.AddTail(wire->GetAttrTextList());
    m_before.RemoveAll();
    m_before.Collect(picked);
    m_before.Release();
    m_wire = static_cast<CWire*>(wire->Duplicate());
    CObList& objects = doc.GetObjects();
    objects.SetAt(objects.Find(wire), m_wire);
    OneObject out(wire);
    doc.UpdateAllViews(nullptr, kHintRemoved, &out);
    view.Select(m_wire, false);
    if (State().dragHandle == 1)
        m_wire->Reverse();
    m_wire->SetStartObject(fixedEnd);
    const int count = m_wire->GetPointCount();
    AppendFloatingPoints(view, m_wire->GetPoint(count - 1));
    view.SetCapture(true);
    view.SetPrompt(kPromptWireDrag);
}

bool CWireDragTool::CanEndOn(IToolView& view, CDrawObj* target) const {
    if (!target || target == m_wire->GetStartObject() || view.IsSelected(target))
        return false;
    CDrawObj* start = m_wire->GetStartObject();
    if (start && target->GetObjType() == kObjPin && static_cast<CPin*>(target)->GetWire() == start)
        return false;
    return !IsBus() || target->GetObjType() == kObjBus;
}

void CWireDragTool::OnLButtonDown(IToolView& view, UINT flags, CPoint point) {
    if (!m_wire)
        return;
    BeginPress(view, flags, point);
    CPoint sheet = view.ClientToDoc(point);
    CDrawObj* target = SnapTarget(view, flags, sheet);
    if (!CanEndOn(view, target)) {
        AppendFloatingPoints(view, sheet);
        view.SetPrompt(kPromptWirePoints);
        return;
    }
    CDrawObj* endOn = target->GetObjType() == kObjPin && static_cast<CPin*>(target)->GetWire()
                          ? static_cast<CPin*>(target)->GetWire()
                          : target;
    m_wire->SetEnd(sheet.x, sheet.y, endOn);
    m_wire->RemoveRedundantVertices();
    m_wire->AlignEndsOnWires();
    if (m_wire->GetPointCount() > 1) {
        m_wire->RecalcBounds(&view);
        m_wire->Invalidate(&view);
        FinishDrag(view);
    } else {
        Cancel(view);
    }
}

void CWireDragTool::OnLButtonDblClk(IToolView& view, UINT flags, CPoint point) {
    OnLButtonDown(view, flags, point);
}

void CWireDragTool::FinishDrag(IToolView& view) {
    if (!m_pickedUp)
        return;
    CDrawDoc& doc = view.Document();
    for (const auto& [junction, atEnd] : m_junctionEnds) {
        const CPoint end = junction->GetPointFromEnd(atEnd ? 1 : 0, 0);
        const bool free = !(atEnd ? junction->GetEndObject() : junction->GetStartObject());
        if (free && m_wire->PointOnWire(end.x, end.y)) {
            if (atEnd)
                junction->SetEndObject(m_wire);
            else
                junction->SetStartObject(m_wire);
        }
        junction->Invalidate(&view);
    }
    m_pickedUp->Invalidate(&view);
    GiveLabels(doc, m_labels, *m_wire);
    m_wire->Invalidate(&view);
    CDrawObj* rerouted[] = {m_wire};
    CConnectionList after;
    after.Collect(rerouted);
    doc.GetUndoList().Add(new CRerouteCmd(m_pickedUp, m_wire, m_before, after));
    const StepId step = doc.GetUndoList().LastStep();
    SetShape(kToolSelect);
    view.SetCapture(false);
    State().selectMode = kSelectNone;
    view.SetPrompt(kPromptReady);
    Forget();
    if (!doc.JoinNets())
        doc.GetUndoList().CancelStep(step);
}

void CWireDragTool::Cancel(IToolView& view) {
    SetShape(kToolSelect);
    State().selectMode = kSelectNone;
    view.SetCapture(false);
    if (m_pickedUp)
        PutBack(view);
}

// End Wire records the re-route as it stands; any other end puts the wire back as it was.
void CWireDragTool::EndGesture(IToolView& view, GestureEnd how) {
    if (!m_pickedUp || m_pickedUp->GetDocument() != &view.Document())
        return;
    if (how != GestureEnd::Finish) {
        PutBack(view);
        return;
    }
    DropFloatingPoints();
    m_wire->RemoveRedundantVertices();
    m_wire->RecalcBounds(&view);
    FinishDrag(view);
}

// The tool lets go before the views hear of the copy leaving.
void CWireDragTool::PutBack(IToolView& view) {
    CWire* copy = m_wire;
    CWire* original = m_pickedUp;
    CConnectionList before(m_before);
    Forget();
    CDrawDoc& doc = view.Document();
    CObList& objects = doc.GetObjects();
    const POSITION at = objects.Find(copy);
    if (!at)
        return;
    CDrawObj* copies[] = {copy};
    CConnectionList links;
    links.Collect(copies);
    links.Release();
    objects.SetAt(at, original);
    before.Restore();
    OneObject out(copy);
    doc.UpdateAllViews(nullptr, kHintRemoved, &out);
    OneObject back(original);
    doc.UpdateAllViews(nullptr, kHintAddToSelection, &back);
    original->Invalidate(&view);
    delete copy;
}

// A copy taken out by something else is the taker's now, and the picked-up wire cannot come
// back in its place: the drag is given up where it stands.
void CWireDragTool::OnObjectsLeft(IToolView&, const CObList& objects) {
    if (m_wire && m_pickedUp && objects.Find(m_wire))
        Forget();
}

void CWireDragTool::AddHeldObjects(std::vector<const CDrawObj*>& held) const {
    CWireTool::AddHeldObjects(held);
    if (m_pickedUp)
        held.push_back(m_pickedUp);
    for (POSITION pos = m_labels.GetHeadPosition(); pos;)
        held.push_back(static_cast<const CDrawObj*>(m_labels.GetNext(pos)));
    for (const auto& [junction, atEnd] : m_junctionEnds)
        held.push_back(junction);
}

void CWireDragTool::Forget() {
    m_wire = nullptr;
    m_pickedUp = nullptr;
    m_before.RemoveAll();
    m_labels.RemoveAll();
    m_junctionEnds.clear();
}
