#pragma once
// The drop-downs of the line style (width) and fill style buttons: each opens with the
// target's current value selected and passes the chosen value to it.

#include "gui/kit/PopupTarget.h"
#include "shell/toolbar/PopupFrame.h"

class CFillStyleDlg;
class CLineWidthDlg;

class CLineWidthPopup : public CPopupFrame {
    Q_OBJECT
public:
    explicit CLineWidthPopup(QWidget* parent);
    // Selects target's current width; false without a target.
    bool Init(QWidget* target);
    CLineWidthDlg* dialog() const { return m_dialog; }

private:
    CLineWidthDlg* m_dialog;
    PopupTargetRef m_target;
};

class CLineStylePopup : public CPopupFrame {
    Q_OBJECT
public:
    explicit CLineStylePopup(QWidget* parent);
    // Selects target's current fill style; false without a target.
    bool Init(QWidget* target);
    CFillStyleDlg* dialog() const { return m_dialog; }

private:
    CFillStyleDlg* m_dialog;
    PopupTargetRef m_target;
};
