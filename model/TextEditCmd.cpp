#include "model/TextEditCmd.h"

BOOL CTextEditCmd::Do(CDrawDoc*) {
    Exchange();
    return TRUE;
}

BOOL CTextEditCmd::Undo(CDrawDoc*) {
    Exchange();
    return TRUE;
}

void CTextEditCmd::Exchange() {
    CTextBox::TextState current = m_text->GetTextState();
    m_text->SetTextState(m_state);
    m_state = std::move(current);
}
