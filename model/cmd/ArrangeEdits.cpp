#include "model/cmd/ArrangeEdits.h"

#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/cmd/ConnectorJoin.h"
#include "model/cmd/NamedCmd.h"
#include "model/doc/DocView.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/object/DrawObj.h"
#include "model/symbol/Pin.h"
#include "model/text/AttrText.h"

namespace {

const char* const kAlignNames[] = {"align top",  "align vertical centre",   "align bottom",
                                   "align left", "align horizontal centre", "align right"};
const char* const kSizeNames[] = {"make same width", "make same height", "make same size"};

CDrawObj* NextObject(const CObList& list, POSITION& pos) {
    return static_cast<CDrawObj*>(list.GetNext(pos));
}

CRect BoundsOf(const CDrawObj* object) {
    CRect rect;
    object->GetBoundingRect(rect);
    return NormalizedRect(rect);
}

// The offset that brings bounds to the target's edge or middle.
CSize AlignOffset(const CRect& target, const CRect& bounds, AlignMode mode) {
    switch (mode) {
        case AlignMode::kTop:
            return {0, target.bottom - bounds.bottom};
        case AlignMode::kVertical:
            return {0, (target.top + target.bottom) / 2 - (bounds.top + bounds.bottom) / 2};
        case AlignMode::kBottom:
            return {0, target.top - bounds.top};
        case AlignMode::kLeft:
            return {target.left - bounds.left, 0};
        case AlignMode::kHorizontal:
            return {(target.left + target.right) / 2 - (bounds.left + bounds.right) / 2, 0};
        case AlignMode::kRight:
            return {target.right - bounds.right, 0};
    }
    return {0, 0};
}

bool CanBeSized(const CDrawObj* object) {
    switch (object->GetObjType()) {
        case kObjPin:
        case kObjRect:
        case kObjRoundRect:
        case kObjEllipse:
        case kObjLine:
        case kObjFillShape:
        case kObjSpecSymbol:
            return true;
        case kObjText: {
            const auto* text = dynamic_cast<const CTextBox*>(object);
            return text && !(text->GetTextFlags() & kTextAutoSize);
        }
        default:
            return false;
    }
}

// Appends to result the objects of the selection that stand in the document's list and pass
// the filter, in selection order.
void ListedObjects(const CDrawDoc& doc, const CObList& selection, bool (*filter)(const CDrawObj*),
                   CObList& result) {
    std::unordered_set<const CObject*> listed;
    const CObList& objects = doc.GetObjects();
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        listed.insert(objects.GetNext(pos));
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        CDrawObj* object = NextObject(selection, pos);
        if (listed.contains(object) && (!filter || filter(object)))
            result.AddTail(object);
    }
}

void SetMarks(const CObList& objects, BOOL mark) {
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        NextObject(objects, pos)->SetMark(mark);
}

bool IsMarked(const CDrawObj* object) {
    return object && (object->GetFlags() & kFlagMark);
}

// Attribute texts that move with their owner.
bool MovesWithOwner(const CDrawObj* object) {
    const auto* text = dynamic_cast<const CAttrText*>(object);
    return text && IsMarked(text->GetOwnerObject());
}

// Moves the marked objects to the target, each with its marked attribute texts.
void AlignMarked(const CObList& objects, const CRect& target, AlignMode mode) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDrawObj* object = NextObject(objects, pos);
        if (MovesWithOwner(object))
            continue;
        const CSize delta = AlignOffset(target, BoundsOf(object), mode);
        object->OffsetBy(delta);
        CObList texts;
        object->AddAttrTextsTo(&texts);
        for (POSITION at = texts.GetHeadPosition(); at;) {
            CDrawObj* text = NextObject(texts, at);
            if (IsMarked(text))
                text->OffsetBy(delta);
        }
    }
}

// Whether a wire's end at point still meets what it is linked to: a pin's connection point or
// a wire.
bool EndMeets(const CDrawObj* linked, CPoint point) {
    if (const auto* pin = dynamic_cast<const CPin*>(linked))
        return pin->GetConnectPoint() == point;
    if (const auto* wire = dynamic_cast<const CWire*>(linked))
        return wire->PointOnWire(point.x, point.y) != FALSE;
    return true;
}

// Unlinks the ends of wire linked to from (either end when from is null) that no longer meet
// what they are linked to.
void UnlinkPartedEnds(CWire& wire, const CDrawObj* from) {
    const int count = wire.GetPointCount();
    if (count == 0)
        return;
    const auto parted = [from](const CDrawObj* linked, CPoint point) {
        return linked && (!from || linked == from) && !EndMeets(linked, point);
    };
    if (parted(wire.GetStartObject(), wire.GetPoint(0)))
        wire.SetStartObject(nullptr);
    if (parted(wire.GetEndObject(), wire.GetPoint(count - 1)))
        wire.SetEndObject(nullptr);
}

// Moved objects keep no link to what they parted from: the ends of a moved wire, the wires that
// ended on it, and the wires on the pins of a moved part or a moved pin. Only links of the moved
// objects are broken, as the command's undo gives back theirs alone.
void UnlinkPartedWires(const CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        CDrawObj* object = NextObject(objects, pos);
        std::vector<std::pair<CWire*, const CDrawObj*>> ends;
        if (auto* wire = dynamic_cast<CWire*>(object)) {
            ends.emplace_back(wire, nullptr);
            const CObList& junctions = wire->GetJunctions();
            for (POSITION at = junctions.GetHeadPosition(); at;)
                ends.emplace_back(static_cast<CWire*>(junctions.GetNext(at)), wire);
        }
        CObList pins;
        if (const CObList* owned = object->GetPinList())
            pins.AddTail(const_cast<CObList*>(owned));
        else if (object->GetObjType() == kObjPin)
            pins.AddTail(object);
        for (POSITION at = pins.GetHeadPosition(); at;) {
            const auto* pin = static_cast<const CPin*>(pins.GetNext(at));
            if (auto* wire = dynamic_cast<CWire*>(pin->GetWire()))
                ends.emplace_back(wire, pin);
        }
        for (const auto& [wire, from] : ends)
            UnlinkPartedEnds(*wire, from);
    }
}

CRect SizedLike(CRect rect, CSize size, SizeMode mode) {
    if (mode != SizeMode::kHeight)
        rect.right = rect.left > rect.right ? rect.left - size.cx : rect.left + size.cx;
    if (mode != SizeMode::kWidth)
        rect.bottom = rect.top > rect.bottom ? rect.top - size.cy : rect.top + size.cy;
    return rect;
}

// Links the free wire and bus ends and the free pins of the moved objects to what they now
// touch, the other moved objects included, as they moved apart or together; whether nets met.
bool ConnectWhatTouches(CDrawDoc& doc, const CObList& objects) {
    return ConnectFreeConnectors(objects, doc.GetObjects(), nullptr, nullptr);
}

// Replaces objects by copies that edit changes, recorded under name as one step. When edit
// asks for it, the nets its links brought together are joined in that step; the user's
// declining a join takes the whole step back.
template <typename Edit>
BOOL EditCopies(CDrawDoc& doc, const CObList& selection, bool (*filter)(const CDrawObj*),
                const char* name, Edit edit) {
    CObList objects;
    ListedObjects(doc, selection, filter, objects);
    if (objects.IsEmpty())
        return FALSE;
    auto command = std::make_unique<CNamedCmd>();
    if (!command->BeginEdit(&doc, objects, name))
        return FALSE;
    CObList& copies = command->GetCopies();
    doc.UpdateAllViews(nullptr, kHintReplaceSelection, &copies);
    const bool joinNets = edit(copies);
    if (!doc.GetUndoList().Add(command.release()))
        return FALSE;
    if (joinNets && !doc.JoinNets()) {
        doc.CancelLastCommand();
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BOOL AlignSelection(CDrawDoc& doc, const CObList& selection, AlignMode mode) {
    if (!CanAlign(selection))
        return FALSE;
    const CRect target = BoundsOf(static_cast<const CDrawObj*>(selection.GetTail()));
    return EditCopies(doc, selection, nullptr, kAlignNames[static_cast<int>(mode)],
                      [&](CObList& copies) {
                          SetMarks(copies, TRUE);
                          AlignMarked(copies, target, mode);
                          SetMarks(copies, FALSE);
                          UnlinkPartedWires(copies);
                          const bool joinNets = ConnectWhatTouches(doc, copies);
                          // A connector found near an end is no link: the end is not on it.
                          UnlinkPartedWires(copies);
                          return joinNets;
                      });
}

BOOL MakeSelectionSameSize(CDrawDoc& doc, const CObList& selection, SizeMode mode) {
    if (selection.IsEmpty())
        return FALSE;
    const CRect dominant =
        NormalizedRect(static_cast<const CDrawObj*>(selection.GetTail())->GetPosition());
    const CSize size(dominant.Width(), dominant.Height());
    return EditCopies(doc, selection, CanBeSized, kSizeNames[static_cast<int>(mode)],
                      [&](CObList& copies) {
                          for (POSITION pos = copies.GetHeadPosition(); pos;) {
                              CDrawObj* copy = NextObject(copies, pos);
                              copy->MoveTo(SizedLike(copy->GetPosition(), size, mode), nullptr);
                          }
                          return false;
                      });
}

bool CanAlign(const CObList& selection) {
    return selection.GetCount() >= 2;
}

bool CanMakeSameSize(const CObList& selection) {
    const CObject* dominant = selection.IsEmpty() ? nullptr : selection.GetTail();
    for (POSITION pos = selection.GetHeadPosition(); pos;) {
        const CDrawObj* object = NextObject(selection, pos);
        if (object != dominant && CanBeSized(object))
            return true;
    }
    return false;
}
