#pragma once

// Joins the objects of an imported drawing: wires and buses that meet end to end without a pin
// become one, pins take the wires that end on them, free wire ends take the wire or bus they
// lie on, and ports without a wire are fitted to a free wire end inside them.

#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Geometry.h"
#include "platform/ObList.h"

class CDrawObj;
class CPin;
class CSymbol;
class CWire;

class ProtelJoin {
public:
    explicit ProtelJoin(CObList& objects) : m_objects(objects) {}
    void Run();
    // The wire ends indexed to find the wires that pass through them, in the last run.
    size_t IndexedEnds() const { return m_indexedEnds; }

private:
    using Key = std::pair<LONG, LONG>;
    struct Node {
        std::vector<CPin*> pins;
        std::vector<CWire*> wires;  // wires and buses
    };

    void Insert();
    void Merge(CPoint point, Node& node);
    void Repair(CPoint point, Node& node);
    void RemoveMerged();
    void Connect(CPoint point, Node& node);
    void AttachFreeEnds();
    void FitPorts();
    CWire* Survivor(CWire* wire) const;

    CObList& m_objects;
    std::map<Key, Node> m_nodes;
    std::unordered_map<CWire*, CWire*> m_mergedInto;
    size_t m_indexedEnds = 0;
};

// True when the wire's first (or else its last) vertex lies on point.
bool EndsAt(const CWire& wire, CPoint point);
