#pragma once
// CTextEditCmd: the undoable edit of a text object's text ("text edit"). It keeps the state
// of the text that is not current: the state before the edit while done, the edited one while
// undone; both directions exchange it with the object's.

#include "model/TextBox.h"
#include "model/UndoList.h"

class CTextEditCmd : public CCommand {
public:
    // Made before the edit: keeps the text's state as it is now.
    explicit CTextEditCmd(CTextBox* text) : m_text(text), m_state(text->GetTextState()) {}

    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;
    const char* GetName() const override { return "text edit"; }

private:
    void Exchange();

    CTextBox* m_text;
    CTextBox::TextState m_state;
};
