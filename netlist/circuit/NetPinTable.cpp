#include "netlist/circuit/NetPinTable.h"

#include "platform/Prefetch.h"

CNetPinTable::CNetPinTable(CNetlistCircuit& circuit) : m_entries(circuit.Nets().InOrder()) {
    // Number the net records by their first listing; a record's own index field remembers its
    // slot, which SlotOf checks against the table.
    m_entrySlot.reserve(m_entries.size());
    m_slotNet.reserve(m_entries.size());
    m_slotNumber.reserve(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i) {
        // The entries lie where the map keeps them, the records where they were made: both
        // are fetched a few entries ahead.
        if (i + kNameLead < m_entries.size())
            FetchLine(&m_entries[i + kNameLead].value);
        if (i + kPinLead < m_entries.size())
            FetchLine(m_entries[i + kPinLead].value);
        CNetRecord* net = m_entries[i].value;
        int slot = SlotOf(net);
        if (slot < 0) {
            slot = static_cast<int>(m_slotNet.size());
            net->listIndex = static_cast<size_t>(slot);
            m_slotNet.push_back(net);
            m_slotNumber.push_back(0);
        }
        m_slotNumber[static_cast<size_t>(slot)] = static_cast<int>(i) + 1;
        m_entrySlot.push_back(static_cast<uint32_t>(slot));
    }
    // A stable bucket sort of the pins by net: count the pins of each slot, then place them
    // from each slot's end, last pin first, which leaves each slot's start behind.
    m_slotStart.assign(m_slotNet.size() + 1, 0);
    for (const auto& part : circuit.Parts()) {
        for (const CPinConnection& pin : part->pins) {
            if (const int slot = SlotOf(pin.net); slot >= 0)
                ++m_slotStart[static_cast<size_t>(slot)];
        }
    }
    for (size_t slot = 1; slot < m_slotStart.size(); ++slot)
        m_slotStart[slot] += m_slotStart[slot - 1];
    m_pins.resize(m_slotStart.back());
    for (auto part = circuit.Parts().rbegin(); part != circuit.Parts().rend(); ++part) {
        for (auto pin = (*part)->pins.rbegin(); pin != (*part)->pins.rend(); ++pin) {
            if (const int slot = SlotOf(pin->net); slot >= 0)
                m_pins[--m_slotStart[static_cast<size_t>(slot)]] = PinOnNet{part->get(), &*pin};
        }
    }
}

std::span<const CNetPinTable::PinOnNet> CNetPinTable::GetPins(size_t entry) const {
    const size_t slot = m_entrySlot[entry];
    return std::span<const PinOnNet>(m_pins).subspan(m_slotStart[slot],
                                                     m_slotStart[slot + 1] - m_slotStart[slot]);
}

void CNetPinTable::FetchAhead(size_t entry) const {
    if (entry + kNameLead < m_entries.size())
        FetchLine(&m_entries[entry + kNameLead].key);
    if (entry + kPinLead < m_entries.size()) {
        for (const PinOnNet& on : GetPins(entry + kPinLead)) {
            FetchLine(on.part);
            FetchLine(on.pin);
        }
    }
}

int CNetPinTable::GetNumber(const CNetRecord* net) const {
    const int slot = SlotOf(net);
    return slot < 0 ? 0 : m_slotNumber[static_cast<size_t>(slot)];
}

int CNetPinTable::SlotOf(const CNetRecord* net) const {
    if (!net || net->listIndex >= m_slotNet.size() || m_slotNet[net->listIndex] != net)
        return -1;
    return static_cast<int>(net->listIndex);
}
