#pragma once
// CSpiceSourceCmd: the edit of a simulation source's kind and parameter sets ("property
// edit"). Doing and undoing exchange the kept state with the symbol's.

#include "model/cmd/PropEditCmd.h"
#include "model/symbol/SpiceSymbol.h"

class CSpiceSourceCmd : public CPropEditCmd {
public:
    // state: what the symbol is to get.
    CSpiceSourceCmd(CSpiceSymbol* symbol, const CSpiceSymbol::SourceState& state)
        : m_symbol(symbol), m_state(state) {}

    BOOL HasChanged() override { return m_symbol->GetSourceState() == m_state ? FALSE : TRUE; }
    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override { return Do(doc); }

private:
    CSpiceSymbol* m_symbol;
    CSpiceSymbol::SourceState m_state;
};
