#include "shell/toolbar/UndoPopup.h"

#include <QLabel>
#include <QVBoxLayout>

#include "gui/kit/StoredText.h"
#include "shell/toolbar/UndoListBox.h"

namespace {

constexpr int kListWidth = 180;
constexpr int kVisibleRows = 8;

}  // namespace

CUndoListDlg::CUndoListDlg(QWidget* parent)
    : QWidget(parent), m_list(new CUndoListBox(this)), m_caption(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    m_list->setObjectName("undoList");
    m_list->setFixedSize(kListWidth, kVisibleRows * m_list->fontMetrics().height() + 6);
    m_caption->setObjectName("undoCaption");
    m_caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_list);
    layout->addWidget(m_caption);
    connect(m_list, &CUndoListBox::selectionCountChanged, this, &CUndoListDlg::ShowCount);
    connect(m_list, &CUndoListBox::chosen, this, &CUndoListDlg::Execute);
}

bool CUndoListDlg::Init(const PopupTargetRef& target, bool undo) {
    m_target = target;
    m_undo = undo;
    m_caption->setText(undo ? "Select commands to undo" : "Select commands to redo");
    m_list->clear();
    m_list->SelectUpTo(-1);
    m_list->setFocus();
    std::vector<CString> rows;
    PopupTarget* view = target.get();
    if (!view || !view->UndoListRows(undo, rows))
        return false;
    for (const CString& row : rows)
        m_list->addItem(FromStoredText(row.str()));
    m_list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    return true;
}

void CUndoListDlg::ShowCount(int count) {
    if (count < 1)
        m_caption->setText("Cancel");
    else
        m_caption->setText(QString(m_undo ? "Undo %1 items" : "Redo %1 items").arg(count));
}

void CUndoListDlg::Execute() {
    if (const int count = m_list->SelectedCount(); count > 0) {
        const bool undo = m_undo;
        m_target.Post([undo, count](PopupTarget& view) { view.UndoCommands(undo, count); });
    }
    emit finished();
}

CUndoPopup::CUndoPopup(QWidget* parent, bool undo)
    : CPopupFrame(parent), m_dialog(new CUndoListDlg(this)), m_undo(undo) {
    setObjectName(undo ? "undoPopup" : "redoPopup");
    SetContent(m_dialog);
    connect(m_dialog, &CUndoListDlg::finished, this, [this] { EndPopup(kEnded); });
}

bool CUndoPopup::Init(QWidget* target) {
    const bool ok = m_dialog->Init(PopupTargetRef(target), m_undo);
    adjustSize();
    return ok;
}
