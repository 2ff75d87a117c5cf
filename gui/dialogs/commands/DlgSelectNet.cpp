#include "gui/dialogs/commands/DlgSelectNet.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <map>

#include "gui/kit/StoredText.h"
#include "model/doc/DrawDoc.h"
#include "model/net/Net.h"
#include "netlist/walker/DocNetlist.h"

namespace {

constexpr int kMaxNetName = 40;

}  // namespace

CDlgSelectNet::CDlgSelectNet(CDrawDoc& doc, QWidget* parent)
    : QDialog(parent), m_nets(new QComboBox(this)) {
    setObjectName("selectNetDlg");
    setWindowTitle("Select Net");
    m_nets->setEditable(true);
    m_nets->setInsertPolicy(QComboBox::NoInsert);
    m_nets->lineEdit()->setMaxLength(kMaxNetName);
    // Each name once, with its stored bytes.
    std::map<QString, QByteArray> names;
    for (POSITION pos = doc.m_netlist.GetFirstNet(); pos;) {
        const CString& name = doc.m_netlist.GetNextNet(pos)->GetName();
        if (!name.IsEmpty())
            names.emplace(FromStoredText(name.str()), QByteArray(name.c_str()));
    }
    for (const auto& [text, bytes] : names)
        m_nets->addItem(text, bytes);
    m_nets->setCurrentIndex(-1);
    m_nets->setEditText(QString());
    auto* label = new QLabel("&Type a net name or select from the list", this);
    label->setBuddy(m_nets);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_nets);
    layout->addWidget(buttons);
    connect(m_nets, &QComboBox::editTextChanged, this,
            [this](const QString& text) { m_ok->setEnabled(!text.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

// A name picked from the list keeps the bytes it is stored with.
CString CDlgSelectNet::NetName() const {
    const QString text = m_nets->currentText();
    const int index = m_nets->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    const QByteArray bytes = index >= 0 ? m_nets->itemData(index).toByteArray() : text.toUtf8();
    return CString(bytes.constData());
}
