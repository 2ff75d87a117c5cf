// The wire's links: its start and end objects, its junctions and its attribute texts, the
// connection records that undoable edits break and remake, the hand-over of links to a
// replacing wire, the check of links after loading, and the search for what a wire touches.

#include <cstdlib>
#include <utility>

#include "model/doc/DrawDoc.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/text/AttrText.h"
#include "model/undo/ConnectionList.h"

namespace {

// A pin's hot end is reached within this Manhattan distance.
constexpr LONG kPinReach = 3;

CWire* AsWire(CDrawObj* object) {
    const int type = object ? object->GetObjType() : kObjBase;
    return type == kObjWire || type == kObjBus ? static_cast<CWire*>(object) : nullptr;
}

void RemoveAll(CObList& list, const CObject* object) {
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        if (list.GetNext(pos) == object)
            list.RemoveAt(at);
    }
}

bool IsMarked(const CDrawObj* object) {
    return object->GetFlags() & kFlagMark;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Ends

void CWire::Link(CDrawObj* object) {
    if (auto* pin = DYNAMIC_DOWNCAST(CPin, object))
        pin->SetWire(this);
    else if (CWire* wire = AsWire(object))
        wire->AddJunction(this);
}

void CWire::Unlink(CDrawObj* object) {
    if (auto* pin = DYNAMIC_DOWNCAST(CPin, object)) {
        if (pin->GetWire() == this)
            pin->SetWire(nullptr);
    } else if (CWire* wire = AsWire(object)) {
        RemoveAll(wire->m_junctions, this);
    }
}

void CWire::SetStart(int x, int y, CDrawObj* object) {
    if (m_count == 0)
        AddPoint(CPoint(x, y));
    else
        m_points[0] = CPoint(x, y);
    SetStartObject(object);
}

void CWire::SetEnd(int x, int y, CDrawObj* object) {
    if (m_count < 2)
        AddPoint(CPoint(x, y));
    m_points[static_cast<size_t>(m_count) - 1] = CPoint(x, y);
    SetEndObject(object);
}

void CWire::SetStartObject(CDrawObj* object) {
    if (m_start)
        Unlink(m_start);
    m_start = object;
    Link(object);
    EndsRelinked();
}

void CWire::SetEndObject(CDrawObj* object) {
    if (m_end)
        Unlink(m_end);
    m_end = object;
    Link(object);
    EndsRelinked();
}

void CWire::AddJunction(CWire* wire) {
    if (wire && !m_junctions.Find(wire))
        m_junctions.AddTail(wire);
}

void CWire::ReplaceEndObject(const CDrawObj* old, CDrawObj* replacing) {
    if (m_start == old)
        m_start = replacing;
    if (m_end == old)
        m_end = replacing;
    EndsRelinked();
}

// ---------------------------------------------------------------------------------------------
// Connection records

void CWire::CollectConnections(CConnectionList* list) {
    if (!list)
        return;
    CDrawObj* start = m_start && !IsMarked(m_start) ? m_start : nullptr;
    CDrawObj* end = m_end && !IsMarked(m_end) ? m_end : nullptr;
    if (start || end)
        list->Add({this, (start ? 1 : 0) | (end ? 2 : 0), start, end, PlaceOnEnd(start),
                   PlaceOnEnd(end)});
    int place = 0;
    for (POSITION pos = m_junctions.GetHeadPosition(); pos; ++place) {
        auto* junction = static_cast<CWire*>(m_junctions.GetNext(pos));
        if (IsMarked(junction))
            continue;
        const bool starts = junction->m_start == this;
        const bool ends = junction->m_end == this;
        list->Add({junction, (starts ? 1 : 0) | (ends ? 2 : 0), starts ? this : nullptr,
                   ends ? this : nullptr, place, place});
    }
    place = 0;
    for (POSITION pos = m_attrTexts.GetHeadPosition(); pos; ++place) {
        auto* text = static_cast<CDrawObj*>(m_attrTexts.GetNext(pos));
        if (!IsMarked(text))
            list->Add({text, 0, this, nullptr, place});
    }
}

int CWire::PlaceOnEnd(CDrawObj* end) const {
    const CWire* wire = AsWire(end);
    return wire ? LinkPlaceIn(&wire->m_junctions, this) : kNoLinkPlace;
}

void CWire::Disconnect(const CConnectionRecord* record) {
    if (!record)
        return;
    if (record->partner) {
        Unlink(m_start);
        m_start = nullptr;
    }
    if (record->extra) {
        Unlink(m_end);
        m_end = nullptr;
    }
    EndsRelinked();
}

void CWire::Connect(const CConnectionRecord* record) {
    if (!record)
        return;
    if (record->partner) {
        m_start = record->partner;
        Link(m_start);
    }
    if (record->extra) {
        m_end = record->extra;
        Link(m_end);
    }
    EndsRelinked();
}

void CWire::GetLinkPlaces(const CConnectionRecord& record, std::vector<CLinkPlace>& places) {
    const auto add = [this, &places](CDrawObj* end, int place) {
        if (CWire* wire = AsWire(end); wire && place != kNoLinkPlace)
            places.push_back({&wire->m_junctions, this, place});
    };
    add(record.partner, record.partnerPlace);
    add(record.extra, record.extraPlace);
}

// The replacing wire takes the ends, the junctions and the texts; this wire keeps none.
void CWire::GiveLinksTo(CDrawObj* replacing) {
    CWire* other = AsWire(replacing);
    if (!other || other == this)
        return;
    CDrawObj* start = std::exchange(m_start, nullptr);
    CDrawObj* end = std::exchange(m_end, nullptr);
    other->m_start = start;
    other->m_end = end;
    HandOverEnd(start, other);
    HandOverEnd(end, other);
    other->m_junctions.RemoveAll();
    for (POSITION pos = m_junctions.GetHeadPosition(); pos;) {
        auto* junction = static_cast<CWire*>(m_junctions.GetNext(pos));
        if (junction->m_start == this)
            junction->m_start = other;
        else
            junction->m_end = other;
        other->m_junctions.AddTail(junction);
    }
    m_junctions.RemoveAll();
    for (POSITION pos = m_attrTexts.GetHeadPosition(); pos;) {
        auto* text = static_cast<CAttrText*>(m_attrTexts.GetNext(pos));
        text->Bind(other, text->GetName());
        other->m_attrTexts.AddTail(text);
    }
    m_attrTexts.RemoveAll();
}

// On a wire, the replacing wire takes this one's place among its junctions.
void CWire::HandOverEnd(CDrawObj* end, CWire* replacing) {
    if (CWire* wire = AsWire(end)) {
        if (POSITION at = wire->m_junctions.Find(this)) {
            wire->m_junctions.SetAt(at, replacing);
            return;
        }
    }
    Unlink(end);
    replacing->Link(end);
}

void CWire::TakeLinksFrom(CDrawObj* replaced) {
    if (replaced)
        replaced->GiveLinksTo(this);
}

void CWire::MoveLinksTo(CDrawObj* other) {
    GiveLinksTo(other);
}

int CWire::CollectConnected(CObList* list) {
    if (!list)
        return 1;
    const auto collect = [list](CObList& from) {
        for (POSITION pos = from.GetHeadPosition(); pos;) {
            auto* object = static_cast<CDrawObj*>(from.GetNext(pos));
            if (!(object->GetFlags() & kFlagCollected)) {
                object->SetFlags(kFlagCollected, kFlagCollected);
                list->AddTail(object);
            }
        }
    };
    collect(m_junctions);
    collect(m_attrTexts);
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Link validation

void CWire::PurgeAttrTexts() {
    CDrawObj::PurgeAttrTexts();
    const auto check = [this](CDrawObj*& end) {
        if (!end)
            return;
        if (m_document && !m_document->IsListed(end)) {
            end = nullptr;
        } else if (end->GetObjType() == kObjPin) {
            auto* pin = static_cast<CPin*>(end);
            if (!pin->GetWire())
                pin->SetWire(this);
            else if (pin->GetWire() != this)
                end = nullptr;
        } else if (CWire* wire = AsWire(end)) {
            wire->AddJunction(this);
        } else {
            end = nullptr;
        }
    };
    check(m_start);
    check(m_end);
    for (POSITION pos = m_junctions.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        auto* junction = static_cast<CWire*>(m_junctions.GetNext(pos));
        if (junction == this || (junction->m_start != this && junction->m_end != this))
            m_junctions.RemoveAt(at);
    }
}

// ---------------------------------------------------------------------------------------------
// What a wire touches

namespace {

// Whether the point lies on a segment of the wire.
bool Touches(const CWire& wire, const CPoint& point) {
    return wire.PointOnWire(point.x, point.y);
}

bool NearPin(const CPoint& point, const CPin& pin) {
    const CPoint hot = pin.GetConnectPoint();
    return std::labs(hot.x - point.x) + std::labs(hot.y - point.y) < kPinReach;
}

}  // namespace

int CWire::ConnectWith(CDrawObj* other, void* info) {
    auto* record = static_cast<WireConnectInfo*>(info);
    if (!other || other == m_start || other == m_end || other == this)
        return kConnectNone;
    WireConnectInfo found;
    if (other->GetObjType() == kObjSymbol) {
        const CObList* pins = other->GetPinList();
        for (POSITION pos = pins ? pins->GetHeadPosition() : nullptr; pos;) {
            auto* pin = DYNAMIC_DOWNCAST(CPin, pins->GetNext(pos));
            if (!pin || pin->GetWire())
                continue;
            if (!m_start && !found.start && m_count > 0 && NearPin(GetPointFromEnd(0, 0), *pin))
                found.start = pin;
            else if (!m_end && !found.end && m_count > 0 && NearPin(GetPointFromEnd(1, 0), *pin))
                found.end = pin;
        }
        if (!found.start && !found.end)
            return kConnectNone;
        found.wire = this;
    } else if (CWire* wire = AsWire(other)) {
        if (wire->m_start == this || wire->m_end == this)
            return kConnectNone;
        const auto endOn = [](CWire& from, CWire& target, WireConnectInfo& out) {
            if (from.m_count == 0)
                return false;
            if (!from.m_start && Touches(target, from.GetPointFromEnd(0, 0)))
                out = {&from, &target, nullptr};
            else if (!from.m_end && Touches(target, from.GetPointFromEnd(1, 0)))
                out = {&from, nullptr, &target};
            else
                return false;
            return true;
        };
        if (!endOn(*wire, *this, found) && !endOn(*this, *wire, found))
            return kConnectNone;
    } else {
        return kConnectNone;
    }
    if (record)
        *record = found;
    return other->GetObjType() == kObjWire ? kConnectWires : kConnectFound;
}

BOOL CWire::DetachStrayEnds(const CObList& objects) {
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        if (object->GetObjType() == kObjSymbol) {
            const CObList* pins = object->GetPinList();
            for (POSITION at = pins ? pins->GetHeadPosition() : nullptr; at;) {
                auto* pin = DYNAMIC_DOWNCAST(CPin, pins->GetNext(at));
                CWire* wire = pin ? AsWire(pin->GetWire()) : nullptr;
                if (!wire || wire->m_count == 0)
                    continue;
                if (wire->m_end == pin && wire->GetPointFromEnd(1, 0) != pin->GetConnectPoint())
                    wire->SetEndObject(nullptr);
                if (wire->m_start == pin && wire->GetPointFromEnd(0, 0) != pin->GetConnectPoint())
                    wire->SetStartObject(nullptr);
            }
        } else if (CWire* wire = AsWire(object); wire && wire->m_count > 0) {
            const auto stray = [](CDrawObj* target, const CPoint& point) {
                if (auto* pin = DYNAMIC_DOWNCAST(CPin, target))
                    return pin->GetConnectPoint() != point;
                const CWire* on = AsWire(target);
                return on && !on->PointOnWire(point.x, point.y);
            };
            if (stray(wire->m_start, wire->GetPointFromEnd(0, 0)))
                wire->SetStartObject(nullptr);
            if (stray(wire->m_end, wire->GetPointFromEnd(1, 0)))
                wire->SetEndObject(nullptr);
        }
    }
    return TRUE;
}
