#pragma once
// The user prompt of the window program: every message box of the core becomes a modal
// QMessageBox over the active window, with the buttons, icon and default button of its type.

#include "platform/UserPrompt.h"

class CMessageBoxPrompt : public IUserPrompt {
public:
    // The box's answer; a box closed without a button gives Cancel when it has one, else its
    // default answer.
    int MessageBox(const CString& text, const CString& caption, UINT type) override;
};
