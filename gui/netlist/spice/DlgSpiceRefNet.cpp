#include "gui/netlist/spice/DlgSpiceRefNet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/kit/StoredText.h"
#include "model/net/Net.h"
#include "netlist/walker/DocNetlist.h"

CDlgSpiceRefNet::CDlgSpiceRefNet(CDocNetlist* walker, QWidget* parent)
    : QDialog(parent), m_nets(new QComboBox) {
    setWindowTitle("Spice Reference Net Required");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Please select the net to use as the spice reference (ground)."));
    layout->addWidget(m_nets);
    layout->addWidget(buttons);
    if (walker) {
        POSITION pos = walker->GetFirstNet();
        while (pos)
            m_nets->addItem(FromStoredText(walker->GetNextNet(pos)->GetName().str()));
    }
    m_nets->setCurrentIndex(-1);
    connect(m_nets, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_ok->setEnabled(index >= 0); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CString CDlgSpiceRefNet::Net() const {
    return CString(m_nets->currentText().toUtf8().toStdString());
}
