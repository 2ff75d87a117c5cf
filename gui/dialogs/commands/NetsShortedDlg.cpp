#include "gui/dialogs/commands/NetsShortedDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "gui/kit/StoredText.h"
#include "model/net/Net.h"
#include "platform/UserPrompt.h"

CNetsShortedDlg::CNetsShortedDlg(const std::vector<CNet*>& nets, QWidget* parent)
    : QDialog(parent), m_nets(nets), m_list(new QListWidget(this)) {
    setWindowTitle("Nets Shorted");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("The following nets are shorted:", this));
    m_list->setObjectName("netList");
    for (const CNet* net : m_nets)
        m_list->addItem(FromStoredText(net->GetName().str()));
    layout->addWidget(m_list);
    layout->addWidget(new QLabel("Choose a net or click Cancel to abort the operation.", this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNetsShortedDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNetsShortedDlg::reject);
    layout->addWidget(buttons);
}

void CNetsShortedDlg::accept() {
    const int row = m_list->currentRow();
    if (row < 0 || m_list->selectedItems().isEmpty()) {
        AfxMessageBox("Must select a net from the list or choose cancel to abort.",
                      MB_OK | MB_ICONEXCLAMATION);
        m_list->setFocus();
        return;
    }
    m_chosen = m_nets.at(static_cast<size_t>(row));
    QDialog::accept();
}

CNet* CNetsShortedChooser::ChooseNet(const std::vector<CNet*>& nets) {
    CNetsShortedDlg dialog(nets, m_parent);
    return dialog.exec() == QDialog::Accepted ? dialog.GetChosen() : nullptr;
}
