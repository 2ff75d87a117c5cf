// Joining the sheets of a design: each sub-circuit instance of the top circuit is replaced by a
// copy of its sheet's circuit, so that every instance of a sheet keeps contents of its own.

#include <ostream>
#include <unordered_map>
#include <utility>

#include "netlist/circuit/NetlistCircuit.h"
#include "netlist/walker/DocNetlist.h"
#include "netlist/walker/NetNode.h"
#include "netlist/walker/RailTies.h"

namespace {

CNetNode* FindChild(CNetNode& node, const CString& id) {
    for (int i = 0; i < node.GetChildCount(); ++i) {
        if (node.GetChild(i)->id == id)
            return node.GetChild(i);
    }
    return nullptr;
}

}  // namespace

void CNetlistCircuit::Flatten(CNetNode& topNode, std::ostream& log) {
    if (m_instances.empty())
        return;
    std::unordered_set<std::string> partIds;
    for (const auto& part : m_parts)
        partIds.insert(part->id.str());
    while (!m_instances.empty() && ExpandInstance(topNode, log, partIds)) {
    }
}

BOOL CNetlistCircuit::ExpandInstance(CNetNode& topNode, std::ostream& log,
                                     std::unordered_set<std::string>& partIds) {
    const std::unique_ptr<CComponentRecord> instance = std::move(m_instances.front());
    m_instances.pop_front();
    CNetNode* child = FindChild(topNode, instance->id);
    if (!child || !child->circuit || child->circuit == this) {
        log << "Sub-circuit not found " << instance->id << "\n";
        return FALSE;
    }
    CNetlistCircuit& sheet = *child->circuit;
    const CString prefix = instance->id + ":";

    // The sheet's nets under prefixed names, its rails under their own; a name the circuit
    // already has is that net.
    Expansion expansion{m_parts.size(), m_instances.size(), {}, {}};
    auto nameOf = [&](const CString& name) { return sheet.IsRail(name) ? name : prefix + name; };
    std::unordered_map<const CNetRecord*, CNetRecord*> copies;
    for (const auto& entry : sheet.m_nets.InOrder()) {
        const CString name = nameOf(entry.key);
        const bool isNew = !m_nets.Find(name);
        CNetRecord* net = GetNet(name);
        copies.emplace(entry.value, net);
        if (isNew)
            expansion.newNets.insert(net);
        if (sheet.IsRail(entry.key))
            expansion.rails.insert(net);
    }
    auto netOf = [&](CNetRecord* net) {
        auto it = copies.find(net);
        return it != copies.end() ? it->second : GetNet(nameOf(net->name));
    };

    std::vector<CString> added;
    for (const auto& part : sheet.m_parts) {
        m_parts.push_back(part->CopyWith(netOf, m_pinTexts));
        CString& id = m_parts.back()->id;
        if (partIds.count(id.str()))
            id = prefix + id;
        added.push_back(id);
    }
    for (const CString& id : added)
        partIds.insert(id.str());
    for (const auto& inner : sheet.m_instances) {
        m_instances.push_back(inner->CopyWith(netOf, m_pinTexts));
        m_instances.back()->id = prefix + m_instances.back()->id;
    }
    JoinPorts(sheet, *instance, child->path, netOf, expansion, topNode.railTies.get(), log);

    for (int i = 0; i < child->GetChildCount(); ++i)
        child->GetChild(i)->id = prefix + child->GetChild(i)->id;
    topNode.AdoptChildren(*child);
    child->circuit = nullptr;
    sheet.Release();
    topNode.RemoveChild(child);
    return TRUE;
}

void CNetlistCircuit::JoinPorts(CNetlistCircuit& sheet, CComponentRecord& instance,
                                const CString& sheetPath,
                                const std::function<CNetRecord*(CNetRecord*)>& netOf,
                                const Expansion& expansion, const CRailTies* ties,
                                std::ostream& log) {
    std::vector<std::pair<CString, CNetRecord*>> ports;
    for (const auto& entry : sheet.m_ports.InOrder())
        ports.emplace_back(entry.key, netOf(entry.value));
    for (size_t i = 0; i < ports.size(); ++i) {
        const CString& name = ports[i].first;
        CNetRecord* inner = ports[i].second;
        const CPinConnection* pin = nullptr;
        for (const CPinConnection& candidate : instance.pins) {
            if (candidate.name == name) {
                pin = &candidate;
                break;
            }
        }
        if (!pin) {
            log << "Unresolved port " << name << " in file " << sheetPath << "\n";
            continue;
        }
        if (!pin->net) {
            log << "Unconnected port " << name << " in file " << sheetPath << "\n";
            continue;
        }
        CNetRecord* outer = pin->net;
        // Joined already through another port of the same net, or a port that would short two
        // rails.
        if (outer == inner || (ties && ties->IsCut(instance.id, name)))
            continue;
        // The instance's net takes the port's net, unless that is a rail, which keeps its name.
        const bool rail = expansion.rails.count(inner) != 0;
        CNetRecord* kept = rail ? inner : outer;
        CNetRecord* joined = rail ? outer : inner;
        if (expansion.newNets.count(joined))
            ReplaceNetFrom(kept, joined, expansion.firstPart, expansion.firstInstance);
        else
            ReplaceNet(kept, joined);
        for (CPinConnection& other : instance.pins) {
            if (other.net == joined)
                other.net = kept;
        }
        for (size_t later = i + 1; later < ports.size(); ++later) {
            if (ports[later].second == joined)
                ports[later].second = kept;
        }
        m_nets.RemoveKey(joined->name);
    }
}

CNetNode* FindCircuitNode(const CString& path, CNetNode& node) {
    if (node.circuit && node.path == path)
        return &node;
    for (int i = 0; i < node.GetChildCount(); ++i) {
        if (CNetNode* found = FindCircuitNode(path, *node.GetChild(i)))
            return found;
    }
    return nullptr;
}

void ReleaseCircuits(CNetNode& node) {
    if (node.circuit) {
        node.circuit->Release();
        node.circuit = nullptr;
    }
    for (int i = 0; i < node.GetChildCount(); ++i)
        ReleaseCircuits(*node.GetChild(i));
}

int PrepareCircuitSheet(CDocNetlist& walker, CNetNode& node, std::ostream& log, DWORD flags) {
    if (CNetNode* shared = FindCircuitNode(walker.GetPathName(), *node.GetRoot())) {
        node.circuit = shared->circuit;
        node.circuit->AddRef();
        return 1;
    }
    node.circuit = new CNetlistCircuit(flags);
    node.circuit->AddRef();
    return node.circuit->BuildParts(walker, log);
}
