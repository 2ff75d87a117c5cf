#include "gui/dialogs/commands/DlgConnectWire.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "model/net/ImplicitPinChoices.h"

CDlgConnectWire::CDlgConnectWire(CDrawDoc& doc, const CNet* net, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget) {
    setObjectName("connectWireDlg");
    setWindowTitle("Connect Wire Implicitly To..");
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const ImplicitPinChoice& choice : ListImplicitPins(doc, net)) {
        auto* item = new QListWidgetItem(QString::fromStdString(choice.entry), m_list);
        item->setSelected(choice.tied);
    }
    // A placeholder, which cannot be chosen.
    if (m_list->count() == 0)
        (new QListWidgetItem("None available", m_list))->setFlags(Qt::ItemIsEnabled);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
}

std::string CDlgConnectWire::Chosen() const {
    std::vector<std::string> entries;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->isSelected())
            entries.push_back(m_list->item(i)->text().toStdString());
    }
    return JoinImplicitPins(entries);
}
