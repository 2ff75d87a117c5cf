#pragma once
// CNetPinTable: the nets of a circuit in the order the netlist files list them (the framework
// order of the net map), each with the pin connections that lie on it: parts in list order,
// each part's pins in order. Built in two passes over the parts, without a search per pin.
//
// A net record listed under several names has its pins under each of them.

#include <cstdint>
#include <span>
#include <vector>

#include "netlist/circuit/NetlistCircuit.h"

class CNetPinTable {
public:
    struct PinOnNet {
        const CComponentRecord* part;
        const CPinConnection* pin;
    };

    // Lists the circuit's nets; the table is valid until a net or pin of the circuit changes.
    explicit CNetPinTable(CNetlistCircuit& circuit);

    size_t GetCount() const { return m_entries.size(); }
    // The pins listed under the nets, each counted once.
    size_t GetPinCount() const { return m_pins.size(); }
    const CString& GetName(size_t entry) const { return m_entries[entry].key; }
    std::span<const PinOnNet> GetPins(size_t entry) const;
    // The place (1 for the first) of the last entry naming the net; 0 for a net not listed.
    int GetNumber(const CNetRecord* net) const;
    // Has the processor fetch the names and pins of the entries a few places after entry.
    // The listing order is the map's, unrelated to where names, parts and pins lie in memory;
    // a writer going through the entries calls it for each, so that they are at hand when due.
    void FetchAhead(size_t entry) const;

private:
    // How far ahead FetchAhead fetches names, and pins of their parts.
    static constexpr size_t kNameLead = 8;
    static constexpr size_t kPinLead = 4;

    // The slot of a net record listed in the table, or -1.
    int SlotOf(const CNetRecord* net) const;

    std::vector<FrameworkOrderMap<CNetRecord*>::Entry> m_entries;
    std::vector<uint32_t> m_entrySlot;         // per entry: the slot of its net record
    std::vector<const CNetRecord*> m_slotNet;  // per slot: its net record
    std::vector<int> m_slotNumber;             // per slot: the last entry's place, from 1
    std::vector<uint32_t> m_slotStart;         // per slot and one more: its first pin
    std::vector<PinOnNet> m_pins;              // by slot
};
