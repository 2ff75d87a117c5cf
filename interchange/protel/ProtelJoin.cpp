#include "interchange/protel/ProtelJoin.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "model/net/Bus.h"
#include "model/net/Wire.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

constexpr LONG kCellSize = 2000;
constexpr LONG kPortBodyLength = 50;

bool IsBus(const CWire* wire) {
    return wire->GetObjType() == kObjBus;
}

CPoint First(const CWire& wire) {
    return wire.GetPointFromEnd(0, 0);
}

CPoint Last(const CWire& wire) {
    return wire.GetPointFromEnd(1, 0);
}

// Sets the object of the wire's end at point: its start when the first vertex is there.
void SetEndObjectAt(CWire& wire, CPoint point, CDrawObj* object) {
    if (First(wire) == point)
        wire.SetStartObject(object);
    else
        wire.SetEndObject(object);
}

bool AlreadyJoined(const CWire& wire, CWire* candidate) {
    return wire.GetStartObject() == candidate || wire.GetEndObject() == candidate ||
           candidate->GetStartObject() == &wire || candidate->GetEndObject() == &wire ||
           wire.GetJunctions().Find(candidate) ||
           candidate->GetJunctions().Find(const_cast<CWire*>(&wire));
}

// An end of a wire or bus without an object, and the other wires and buses that pass through
// it, in list order.
struct FreeEnd {
    CWire* wire;
    bool start;
    CPoint point;
    std::vector<CWire*> wiresThrough;
    const CWire* lastLooked = nullptr;  // the last wire tried on this end
};

std::vector<FreeEnd> FreeEndsOf(const std::vector<CWire*>& wires) {
    std::vector<FreeEnd> ends;
    for (CWire* wire : wires) {
        if (!wire->GetStartObject())
            ends.push_back(FreeEnd{wire, true, First(*wire), {}});
        if (!wire->GetEndObject())
            ends.push_back(FreeEnd{wire, false, Last(*wire), {}});
    }
    return ends;
}

LONG CellOf(LONG coordinate) {
    return coordinate >= 0 ? coordinate / kCellSize : -((-(coordinate + 1)) / kCellSize) - 1;
}

// The free ends by cell of a square grid. A segment looks at the cells along it only, so the
// search grows with the number of ends and the segments' lengths, never with the area a wire
// spans.
class EndGrid {
public:
    explicit EndGrid(const std::vector<FreeEnd>& ends) {
        for (size_t i = 0; i < ends.size(); ++i)
            m_cells[{CellOf(ends[i].point.x), CellOf(ends[i].point.y)}].push_back(i);
    }

    // Calls visit with every end that may lie on the segment from a to b, some more than once.
    // Points a cell apart along the segment look at the cells around them: an end on the
    // segment lies less than a cell from one of those points in either direction.
    template <class Visit>
    void ForEachNear(CPoint a, CPoint b, Visit visit) const {
        const std::int64_t dx = b.x - a.x, dy = b.y - a.y;
        const std::int64_t steps = std::max(std::abs(dx), std::abs(dy)) / kCellSize + 1;
        for (std::int64_t i = 0; i <= steps; ++i) {
            const LONG x = CellOf(static_cast<LONG>(a.x + dx * i / steps));
            const LONG y = CellOf(static_cast<LONG>(a.y + dy * i / steps));
            for (LONG cx = x - 1; cx <= x + 1; ++cx)
                for (LONG cy = y - 1; cy <= y + 1; ++cy)
                    if (auto found = m_cells.find({cx, cy}); found != m_cells.end())
                        for (size_t end : found->second)
                            visit(end);
        }
    }

private:
    std::map<std::pair<LONG, LONG>, std::vector<size_t>> m_cells;
};

// Fills each end's wires through it, wire after wire in list order.
void FindWiresThrough(std::vector<FreeEnd>& ends, const std::vector<CWire*>& wires) {
    const EndGrid grid(ends);
    for (CWire* wire : wires) {
        auto look = [&](size_t index) {
            FreeEnd& end = ends[index];
            if (end.wire == wire || end.lastLooked == wire)
                return;
            end.lastLooked = wire;
            if (wire->PointOnWire(end.point.x, end.point.y))
                end.wiresThrough.push_back(wire);
        };
        for (int i = 0; i + 1 < wire->GetPointCount(); ++i)
            grid.ForEachNear(wire->GetPoint(i), wire->GetPoint(i + 1), look);
    }
}

}  // namespace

bool EndsAt(const CWire& wire, CPoint point) {
    return First(wire) == point || Last(wire) == point;
}

void ProtelJoin::Run() {
    Insert();
    for (auto& [key, node] : m_nodes)
        Merge(CPoint(key.first, key.second), node);
    for (auto& [key, node] : m_nodes)
        Repair(CPoint(key.first, key.second), node);
    RemoveMerged();
    for (auto& [key, node] : m_nodes)
        Connect(CPoint(key.first, key.second), node);
    m_nodes.clear();
    AttachFreeEnds();
    FitPorts();
}

void ProtelJoin::Insert() {
    auto addPin = [&](CPin* pin) {
        const CPoint p = pin->GetConnectPoint();
        m_nodes[{p.x, p.y}].pins.push_back(pin);
    };
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(m_objects.GetNext(pos));
        if (auto* wire = DYNAMIC_DOWNCAST(CWire, object)) {
            const CPoint a = First(*wire), b = Last(*wire);
            m_nodes[{a.x, a.y}].wires.push_back(wire);
            if (b != a)
                m_nodes[{b.x, b.y}].wires.push_back(wire);
        } else if (auto* pin = DYNAMIC_DOWNCAST(CPin, object)) {
            addPin(pin);
        } else if (auto* symbol = DYNAMIC_DOWNCAST(CSymbol, object)) {
            for (POSITION at = symbol->GetPins().GetHeadPosition(); at;)
                addPin(static_cast<CPin*>(symbol->GetPins().GetNext(at)));
        }
    }
}

CWire* ProtelJoin::Survivor(CWire* wire) const {
    for (auto found = m_mergedInto.find(wire); found != m_mergedInto.end();
         found = m_mergedInto.find(wire))
        wire = found->second;
    return wire;
}

void ProtelJoin::Merge(CPoint point, Node& node) {
    if (!node.pins.empty() || node.wires.size() != 2)
        return;
    CWire* first = Survivor(node.wires[0]);
    CWire* second = Survivor(node.wires[1]);
    if (first == second || IsBus(first) != IsBus(second) || !EndsAt(*first, point) ||
        !EndsAt(*second, point))
        return;
    if (Last(*first) != point)
        first->Reverse();
    const int count = second->GetPointCount();
    const bool backwards = Last(*second) == point;
    for (int i = 0; i < count; ++i)
        first->AddPoint(second->GetPointFromEnd(backwards ? 1 : 0, i));
    first->RemoveRedundantVertices();
    m_mergedInto[second] = first;
    std::erase_if(node.wires, [&](CWire* wire) { return !EndsAt(*Survivor(wire), point); });
}

void ProtelJoin::Repair(CPoint point, Node& node) {
    std::vector<CWire*> kept;
    for (CWire* wire : node.wires) {
        CWire* survivor = Survivor(wire);
        if (EndsAt(*survivor, point) && std::find(kept.begin(), kept.end(), survivor) == kept.end())
            kept.push_back(survivor);
    }
    node.wires = std::move(kept);
}

void ProtelJoin::RemoveMerged() {
    for (auto& [merged, survivor] : m_mergedInto) {
        m_objects.RemoveAt(m_objects.Find(merged));
        delete merged;
    }
    m_mergedInto.clear();
}

void ProtelJoin::Connect(CPoint point, Node& node) {
    if (node.pins.empty())
        return;
    CPin* pin = node.pins.front();
    CWire* wire = node.wires.empty() ? nullptr : node.wires.front();
    if (wire && !pin->GetWire())
        SetEndObjectAt(*wire, point, pin);
    for (size_t i = 1; i < node.pins.size(); ++i) {
        CPin* other = node.pins[i];
        auto* link = new CWire;
        link->AddPoint(point);
        link->AddPoint(CPoint(point.x + 1, point.y));
        link->SetStart(point.x, point.y, pin->GetWire() ? pin->GetWire() : pin);
        link->SetEnd(point.x, point.y, other->GetWire() ? other->GetWire() : other);
        link->RecalcBounds(nullptr);
        m_objects.AddHead(link);
    }
    auto* held = DYNAMIC_DOWNCAST(CWire, pin->GetWire());
    if (!held)
        return;
    for (CWire* other : node.wires)
        if (other != held && !IsBus(other))
            SetEndObjectAt(*other, point, held);
}

void ProtelJoin::AttachFreeEnds() {
    std::vector<CWire*> wires;
    for (POSITION pos = m_objects.GetHeadPosition(); pos;)
        if (auto* wire = DYNAMIC_DOWNCAST(CWire, m_objects.GetNext(pos)))
            wires.push_back(wire);
    std::vector<FreeEnd> ends = FreeEndsOf(wires);
    m_indexedEnds = ends.size();
    FindWiresThrough(ends, wires);
    for (const FreeEnd& end : ends) {
        CWire& wire = *end.wire;
        if (end.start ? wire.GetStartObject() : wire.GetEndObject())
            continue;
        for (CWire* candidate : end.wiresThrough) {
            if ((IsBus(&wire) && !IsBus(candidate)) || AlreadyJoined(wire, candidate))
                continue;
            end.start ? wire.SetStartObject(candidate) : wire.SetEndObject(candidate);
            break;
        }
    }
}

void ProtelJoin::FitPorts() {
    for (POSITION pos = m_objects.GetHeadPosition(); pos;) {
        auto* symbol = DYNAMIC_DOWNCAST(CSymbol, m_objects.GetNext(pos));
        if (!symbol || symbol->GetKind() != kSymbolPort || symbol->GetPins().IsEmpty())
            continue;
        auto* pin = static_cast<CPin*>(symbol->GetPins().GetHead());
        if (pin->GetWire())
            continue;
        CRect box = symbol->GetPosition();
        box.NormalizeRect();
        for (POSITION at = m_objects.GetHeadPosition(); at;) {
            auto* wire = DYNAMIC_DOWNCAST(CWire, m_objects.GetNext(at));
            if (!wire)
                continue;
            const bool startFree = !wire->GetStartObject() && box.PtInRect(First(*wire));
            const bool endFree = !wire->GetEndObject() && box.PtInRect(Last(*wire));
            if (!startFree && !endFree)
                continue;
            const CPoint end = startFree ? First(*wire) : Last(*wire);
            CPoint ends[2] = {CPoint(end.x - kPortBodyLength, end.y), end};
            symbol->DocToLocal(ends, 2);
            pin->SetEnds(ends[0], ends[1]);
            pin->RecalcBounds();
            startFree ? wire->SetStartObject(pin) : wire->SetEndObject(pin);
            symbol->RecalcBounds(nullptr);
            break;
        }
    }
}
