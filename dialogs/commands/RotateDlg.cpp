#include "dialogs/commands/RotateDlg.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QVBoxLayout>

CDlgRotate::CDlgRotate(QWidget* parent)
    : QDialog(parent),
      m_angle(new QDoubleSpinBox(this)),
      m_clockwise(new QRadioButton("Clockwise", this)) {
    setWindowTitle("Rotation Angle");
    m_angle->setObjectName("angle");
    m_angle->setRange(-360.0, 360.0);
    m_angle->setDecimals(1);
    m_clockwise->setObjectName("clockwise");
    auto* anticlockwise = new QRadioButton("Anti-clockwise", this);
    anticlockwise->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow("Angle:", m_angle);
    layout->addLayout(form);
    layout->addWidget(anticlockwise);
    layout->addWidget(m_clockwise);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

double CDlgRotate::Angle() const {
    return m_angle->value();
}

void CDlgRotate::SetAngle(double degrees) {
    m_angle->setValue(degrees);
}

bool CDlgRotate::Clockwise() const {
    return m_clockwise->isChecked();
}
