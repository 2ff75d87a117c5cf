#include "gui/netlist/tools/NewToolDlg.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

CNewToolDlg::CNewToolDlg(QWidget* parent) : QDialog(parent), m_name(new QLineEdit("New Tool")) {
    setWindowTitle("Please enter a name for the tool..");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_name);
    layout->addWidget(buttons);
    m_name->selectAll();
}

QString CNewToolDlg::Name() const {
    return m_name->text();
}
