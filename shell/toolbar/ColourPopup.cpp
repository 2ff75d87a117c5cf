#include "shell/toolbar/ColourPopup.h"

CColourPopup::CColourPopup(QWidget* parent, UINT command, QWidget* target)
    : CPopupFrame(parent),
      m_dialog(new CColourPickerDlg(this)),
      m_command(command),
      m_target(target) {
    setObjectName(QString("colourPopup%1").arg(command));
    SetContent(m_dialog);
    connect(m_dialog, &CColourPickerDlg::finished, this, [this] {
        EndPopup(kEnded);
        hide();
    });
}

void CColourPopup::Init(QWidget* activeView, COLORREF colour, int mode) {
    m_dialog->Init(m_target ? m_target.data() : activeView, m_command, colour, mode);
}
