#pragma once
// The signals of the sub-circuit wizard: each name with its signal word (direction and side,
// SubcctLayout.h). Names are matched without case, so that typing a name again reuses it.

#include <vector>

#include "model/symbol/SubcctSymbolBuilder.h"
#include "platform/CString.h"

class CDrawDoc;

class CSubcctSignals {
public:
    // Adds the signals of a typed name list with direction: one per name, or the text itself
    // as one bus signal when busPin is set or it names one signal only. A name already listed
    // gets the direction. FALSE when the text holds no name.
    bool Add(CString text, int direction, bool busPin);
    void Remove(const CString& name);
    void Clear() { m_signals.clear(); }
    // Replaces the signals by the pins of the sheet's port symbols, each with the direction of
    // its port.
    void FillFromPorts(const CDrawDoc& sheet);

    const std::vector<SubcctSignal>& All() const { return m_signals; }
    // Null when the name is not listed.
    SubcctSignal* Find(const CString& name);
    // In pin order (SignalNameLess), every signal on a side: its own or its direction's.
    std::vector<SubcctSignal> PlacedInOrder() const;

private:
    void Put(const CString& name, int direction);

    std::vector<SubcctSignal> m_signals;
};
