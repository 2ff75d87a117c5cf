#pragma once
// The drop-down of the line and fill colour buttons: the colour grid in a popup. The choice
// goes to the target window (the active view when none is given) for the button's command.

#include <QPointer>

#include "gui/kit/ColourPickerDlg.h"
#include "shell/toolbar/PopupFrame.h"

class CColourPopup : public CPopupFrame {
    Q_OBJECT
public:
    // The choice goes to target, or when it is null to the active view of each Init.
    CColourPopup(QWidget* parent, UINT command, QWidget* target = nullptr);

    // Shows colour (or, with mode bit 32, the target's current colour) as the current one.
    // Without a target and an active view the choice goes nowhere.
    void Init(QWidget* activeView, COLORREF colour, int mode);
    UINT command() const { return m_command; }
    CColourPickerDlg* dialog() const { return m_dialog; }

private:
    CColourPickerDlg* m_dialog;
    UINT m_command;
    QPointer<QWidget> m_target;
};
