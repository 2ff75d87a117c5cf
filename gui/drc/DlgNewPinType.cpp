#include "gui/drc/DlgNewPinType.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CDlgNewPinType::CDlgNewPinType(QWidget* parent) : QDialog(parent), m_name(new QLineEdit(this)) {
    setWindowTitle("Create New Pin Type");
    m_name->setObjectName("pinTypeName");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Pin Type Name", this));
    layout->addWidget(m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString CDlgNewPinType::Name() const {
    return m_name->text();
}
