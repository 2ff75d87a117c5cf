#include "model/cmd/SpiceSourceCmd.h"

BOOL CSpiceSourceCmd::Do(CDrawDoc* /*doc*/) {
    CSpiceSymbol::SourceState current = m_symbol->GetSourceState();
    m_symbol->SetSourceState(m_state);
    m_state = std::move(current);
    return TRUE;
}
