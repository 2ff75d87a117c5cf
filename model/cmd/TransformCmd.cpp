#include "model/cmd/TransformCmd.h"

#include <vector>

#include "model/cmd/ConnectorJoin.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/object/DrawObj.h"
#include "model/symbol/Pin.h"
#include "model/text/AttrText.h"
#include "platform/AppServices.h"

namespace {

// Mirror axes reach this far from the centre.
constexpr LONG kAxisLength = 1000;

CDrawObj* At(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

// Gives object the shape of model. Attribute texts keep their place when geometry is copied,
// so a text takes the model's rectangle and rotation as the text box it is. (A text's
// rectangle lies in its turned frame: an offset between two rectangles is no move on the
// sheet.)
void RestoreShape(CDrawObj* object, const CDrawObj* model) {
    if (auto* text = dynamic_cast<CAttrText*>(object))
        text->CTextBox::CopyGeometryFrom(model);
    else
        object->CopyGeometryFrom(model);
}

}  // namespace

CTransformCmd::CTransformCmd(CDrawDoc* doc, const CObList& objects, int kind)
    : m_doc(doc), m_kind(kind) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDrawObj* object = At(objects, pos);
        object->SetFlags(kFlagCollected, kFlagCollected);
        m_objects.AddTail(object);
    }
}

// The command owns what stands outside the document: the sources while done, else the
// duplicates.
CTransformCmd::~CTransformCmd() {
    const CObList& owned = m_done ? m_sources : m_copies;
    for (POSITION pos = owned.GetHeadPosition(); pos;)
        delete At(owned, pos);
}

const char* CTransformCmd::GetName() const {
    switch (m_kind) {
        case kTransformMove:
            return "move";
        case kTransformResize:
            return "resize object";
        case kTransformRotate:
            return "rotate";
        case kTransformMirrorVertically:
            return "mirror vertically";
        case kTransformMirrorHorizontally:
            return "mirror horizontally";
        default:
            return "";
    }
}

void CTransformCmd::SetMove(LONG dx, LONG dy) {
    m_dx = dx;
    m_dy = dy;
}

void CTransformCmd::SetRotation(int angle, CPoint centre) {
    m_angle = angle;
    m_centre = centre;
}

void CTransformCmd::SetMirror(CPoint centre) {
    m_centre = centre;
}

void CTransformCmd::SetResize(int handle, CPoint from, CPoint to) {
    m_handle = handle;
    m_from = from;
    m_to = to;
}

// ---------------------------------------------------------------------------------------------
// Substitution

void CTransformCmd::Pair(CDrawObj* source, CDrawObj* copy) {
    m_sources.AddTail(source);
    m_copies.AddTail(copy);
    m_copyOf.Set(source, copy);
    m_sourceOf.Set(copy, source);
}

void CTransformCmd::Begin() {
    CObList attached;
    CObList objects;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        CDrawObj* object = At(m_objects, pos);
        const int before = attached.GetCount();
        object->CollectConnected(&attached);
        // Attribute texts keep their place when geometry is copied, so only a copy standing
        // in for them lets undo give them back their place.
        const bool inPlace = attached.GetCount() == before && m_kind != kTransformResize &&
                             !dynamic_cast<CAttrText*>(object);
        if (inPlace) {
            m_inPlace.push_back({object, std::unique_ptr<CDrawObj>(object->Duplicate()), nullptr});
            m_inPlaceBefore.Set(object, m_inPlace.back().before.get());
            objects.AddTail(object);
            continue;
        }
        CDrawObj* copy = object->Duplicate();
        Pair(object, copy);
        objects.AddTail(copy);
    }
    m_objects.RemoveAll();
    m_objects.AddTail(&objects);
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        m_transformed.Insert(m_objects.GetNext(pos));
    m_count = m_copies.GetCount();
    for (POSITION pos = attached.GetHeadPosition(); pos;) {
        CDrawObj* wire = At(attached, pos);
        Pair(wire, wire->Duplicate());
    }
    SwapIn();
}

CDrawObj* CTransformCmd::SubstituteObject(CDrawObj* object) {
    if (!object || !m_done || m_sourceOf.Get(object) || m_transformed.Contains(object))
        return object;
    if (auto* copy = static_cast<CDrawObj*>(m_copyOf.Get(object)))
        return copy;
    CObList& objects = m_doc->GetObjects();
    const POSITION at = objects.Find(object);
    if (!at)
        return object;
    CDrawObj* copy = object->Duplicate();
    object->SetFlags(kFlagCollected, kFlagCollected);
    Pair(object, copy);
    object->GiveLinksTo(copy);
    objects.SetAt(at, copy);
    CObList from;
    CObList to;
    from.AddTail(object);
    to.AddTail(copy);
    ReplaceInSelections(from, to);
    return copy;
}

CDrawObj* CTransformCmd::Original(const CDrawObj* object) {
    if (auto* source = static_cast<CDrawObj*>(m_sourceOf.Get(object)))
        return source;
    return static_cast<CDrawObj*>(m_inPlaceBefore.Get(object));
}

bool CTransformCmd::MovesItself(const CDrawObj* object) const {
    return m_transformed.Contains(object);
}

bool CTransformCmd::Carried(const CDrawObj* object) const {
    if (m_transformed.Contains(object))
        return true;
    const auto* pin = dynamic_cast<const CPin*>(object);
    return pin && pin->GetOwner() && m_transformed.Contains(pin->GetOwner());
}

bool CTransformCmd::MovesRigidly(const CDrawObj* object) const {
    if (m_kind != kTransformMove || !m_transformed.Contains(object))
        return false;
    if (const auto* text = dynamic_cast<const CAttrText*>(object)) {
        const CDrawObj* owner = text->GetOwnerObject();
        return !owner || Carried(owner);
    }
    if (const auto* wire = dynamic_cast<const CWire*>(object)) {
        for (const CDrawObj* end : {wire->GetStartObject(), wire->GetEndObject()}) {
            if (end && !Carried(end))
                return false;
        }
    }
    return true;
}

void CTransformCmd::ReplaceInDocument(const CObList& from, const CObList& to) {
    PointerMap replacing(static_cast<std::size_t>(from.GetCount()));
    for (POSITION a = from.GetHeadPosition(), b = to.GetHeadPosition(); a && b;)
        replacing.Set(from.GetNext(a), to.GetNext(b));
    CObList& objects = m_doc->GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        if (auto* replacement = static_cast<CObject*>(replacing.Get(objects.GetNext(pos))))
            objects.SetAt(at, replacement);
    }
}

void CTransformCmd::ReplaceInSelections(const CObList& from, const CObList& to) {
    for (IDocView* view : m_doc->GetViews())
        view->ReplaceInSelection(from, to);
}

void CTransformCmd::SwapIn() {
    for (POSITION a = m_sources.GetHeadPosition(), b = m_copies.GetHeadPosition(); a && b;)
        At(m_sources, a)->GiveLinksTo(At(m_copies, b));
    ReplaceInDocument(m_sources, m_copies);
    ReplaceInSelections(m_sources, m_copies);
    InvalidatePairs();
    m_done = true;
}

void CTransformCmd::SwapOut() {
    for (POSITION a = m_sources.GetHeadPosition(), b = m_copies.GetHeadPosition(); a && b;)
        At(m_sources, a)->TakeLinksFrom(At(m_copies, b));
    ReplaceInDocument(m_copies, m_sources);
    ReplaceInSelections(m_copies, m_sources);
    InvalidatePairs();
    m_done = false;
}

void CTransformCmd::InvalidatePairs() {
    for (POSITION a = m_sources.GetHeadPosition(), b = m_copies.GetHeadPosition(); a && b;) {
        At(m_sources, a)->Invalidate(nullptr);
        At(m_copies, b)->Invalidate(nullptr);
    }
}

// ---------------------------------------------------------------------------------------------
// Transforming

void CTransformCmd::ApplyTo(CDrawObj* object, bool forward) const {
    switch (m_kind) {
        case kTransformMove:
            object->OffsetBy(forward ? CSize(m_dx, m_dy) : CSize(-m_dx, -m_dy));
            break;
        case kTransformResize:
            object->MoveHandleTo(m_handle, forward ? m_to : m_from, nullptr);
            break;
        case kTransformRotate:
            if (object->CanRotate())
                object->Rotate(forward ? m_angle : -m_angle, m_centre.x, m_centre.y, nullptr);
            break;
        case kTransformMirrorVertically:
            object->Mirror(m_centre.x, m_centre.y, m_centre.x + kAxisLength, m_centre.y);
            break;
        case kTransformMirrorHorizontally:
            object->Mirror(m_centre.x, m_centre.y, m_centre.x, m_centre.y + kAxisLength);
            break;
        default:
            break;
    }
}

void CTransformCmd::RestoreGeometry() {
    for (POSITION a = m_sources.GetHeadPosition(), b = m_copies.GetHeadPosition(); a && b;) {
        const CDrawObj* source = At(m_sources, a);
        CDrawObj* copy = At(m_copies, b);
        copy->Invalidate(nullptr);
        RestoreShape(copy, source);
    }
    for (InPlace& entry : m_inPlace) {
        entry.object->Invalidate(nullptr);
        RestoreShape(entry.object, entry.before.get());
    }
}

void CTransformCmd::Reapply() {
    RestoreGeometry();
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        ApplyTo(At(m_objects, pos), true);
    // The following may substitute further objects; the list only grows at its tail.
    std::vector<CDrawObj*> moved;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        moved.push_back(At(m_objects, pos));
    for (CDrawObj* object : moved) {
        object->NotifyAttached(this);
        object->Invalidate(nullptr);
    }
}

void CTransformCmd::SetDragPoints(CPoint first, CPoint second) {
    m_from = first;
    m_to = second;
    if (m_kind != kTransformResize)
        SetMove(second.x - first.x, second.y - first.y);
    Reapply();
}

void CTransformCmd::Track(IDocView*, CPoint point) {
    if (m_kind == kTransformResize)
        SetDragPoints(m_from, point);
    else
        SetDragPoints(m_from, m_to + CSize(point.x, point.y));
}

void CTransformCmd::Finish() {
    ClearMarks();
}

void CTransformCmd::Apply() {
    Reapply();
    Finish();
}

void CTransformCmd::ApplyInPlace() {
    for (InPlace& entry : m_inPlace) {
        if (!entry.after) {
            ApplyTo(entry.object, true);
            continue;
        }
        entry.object->Invalidate(nullptr);
        RestoreShape(entry.object, entry.after.get());
        entry.object->Invalidate(nullptr);
    }
}

// A wire's shape after the edit is kept for the redo, as the following of wires and the joining
// up may have reshaped it; any other object takes the transform again from its shape before.
void CTransformCmd::RestoreInPlace() {
    for (InPlace& entry : m_inPlace) {
        entry.object->Invalidate(nullptr);
        const int type = entry.object->GetObjType();
        if (type == kObjWire || type == kObjBus)
            entry.after.reset(entry.object->Duplicate());
        RestoreShape(entry.object, entry.before.get());
        entry.object->Invalidate(nullptr);
    }
}

void CTransformCmd::Abort() {
    if (m_done)
        SwapOut();
    RestoreInPlace();
    ClearMarks();
}

// The duplicates keep their transformed shape while they are out of the document; objects
// transformed in place are transformed again from their geometry before.
BOOL CTransformCmd::Do(CDrawDoc*) {
    ApplyInPlace();
    SwapIn();
    m_links.Restore();
    m_doc->UpdateAllViews(nullptr, kHintAddToSelection, &m_objects);
    return TRUE;
}

BOOL CTransformCmd::Undo(CDrawDoc*) {
    m_links.Release();
    SwapOut();
    RestoreInPlace();
    CObList given;
    for (POSITION pos = m_sources.GetHeadPosition(); pos && given.GetCount() < m_count;)
        given.AddTail(m_sources.GetNext(pos));
    for (const InPlace& entry : m_inPlace)
        given.AddTail(entry.object);
    m_doc->UpdateAllViews(nullptr, kHintAddToSelection, &given);
    return TRUE;
}

void CTransformCmd::ClearMarks() {
    for (const CObList* list : {&m_copies, &m_sources, &m_objects}) {
        for (POSITION pos = list->GetHeadPosition(); pos;)
            At(*list, pos)->SetFlags(0, kFlagCollected);
    }
}

// ---------------------------------------------------------------------------------------------
// Joining up

void CTransformCmd::TidyWires() {
    for (POSITION pos = m_copies.GetHeadPosition(); pos;) {
        if (auto* wire = dynamic_cast<CWire*>(At(m_copies, pos)))
            wire->RemoveRedundantVertices();
    }
}

int CTransformCmd::JoinUp() {
    WaitCursor wait;
    ClearMarks();
    TidyWires();
    // The objects being transformed keep their links among themselves.
    const bool joinNets = ConnectFreeConnectors(
        m_objects, m_doc->GetObjects(),
        [this](const CDrawObj* candidate) { return !m_transformed.Contains(candidate); },
        [this](const CConnectionRecord& record) { m_links.Add(record); });
    return joinNets ? m_doc->JoinNets() : 1;
}
