#include "shell/toolbar/StylePopups.h"

#include "gui/dialogs/pickers/FillStyleDlg.h"
#include "gui/dialogs/pickers/LineWidthDlg.h"
#include "resources/CommandIds.h"

namespace {

// Passes a choice of the picker to the target and ends the popup.
void ConnectChoice(CPopupFrame* popup, CStyleListDlg* dialog, const PopupTargetRef& target) {
    QObject::connect(
        dialog, &CStyleListDlg::styleChosen, popup, [popup, &target](UINT command, int value) {
            target.Post([command, value](PopupTarget& view) { view.ApplyStyle(command, value); });
            popup->EndPopup(CPopupFrame::kEnded);
        });
}

}  // namespace

CLineWidthPopup::CLineWidthPopup(QWidget* parent)
    : CPopupFrame(parent), m_dialog(new CLineWidthDlg(this)) {
    setObjectName("lineWidthPopup");
    SetContent(m_dialog);
    ConnectChoice(this, m_dialog, m_target);
}

bool CLineWidthPopup::Init(QWidget* target) {
    m_target = PopupTargetRef(target);
    PopupTarget* view = m_target.get();
    if (!view)
        return false;
    m_dialog->Init(ID_LINE_WIDTH, view->CurrentLineWidth().width);
    return true;
}

CLineStylePopup::CLineStylePopup(QWidget* parent)
    : CPopupFrame(parent), m_dialog(new CFillStyleDlg(this)) {
    setObjectName("fillStylePopup");
    SetContent(m_dialog);
    ConnectChoice(this, m_dialog, m_target);
}

bool CLineStylePopup::Init(QWidget* target) {
    m_target = PopupTargetRef(target);
    PopupTarget* view = m_target.get();
    if (!view)
        return false;
    const FillStyleState fill = view->CurrentFillStyle();
    m_dialog->Init(ID_FILL_STYLE, fill.state, fill.hatch);
    return true;
}
