#include "gui/dialogs/commands/RotateDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "model/doc/FieldNumbers.h"
#include "platform/UserPrompt.h"

namespace {

constexpr double kMaxAngle = 360.0;

}  // namespace

CDlgRotate::CDlgRotate(QWidget* parent)
    : QDialog(parent),
      m_angle(new QLineEdit(this)),
      m_spin(new QSpinBox(this)),
      m_clockwise(new QRadioButton("&Clockwise", this)) {
    setWindowTitle("Rotation Angle");
    m_angle->setObjectName("angle");
    m_spin->setRange(int(-kMaxAngle), int(kMaxAngle));
    // Only the arrows of the spin box show: it steps the angle typed beside it.
    m_spin->findChild<QLineEdit*>()->hide();
    m_spin->setFixedWidth(m_spin->sizeHint().height());
    m_clockwise->setObjectName("clockwise");
    auto* anticlockwise = new QRadioButton("&Anti-clockwise", this);
    anticlockwise->setChecked(true);
    auto* angle = new QHBoxLayout;
    angle->addWidget(m_angle);
    angle->addWidget(m_spin);
    auto* form = new QFormLayout;
    form->addRow("Angle:", angle);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(anticlockwise);
    layout->addWidget(m_clockwise);
    layout->addWidget(buttons);
    connect(m_spin, &QSpinBox::valueChanged, this,
            [this](int degrees) { m_angle->setText(QString::number(degrees)); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgRotate::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    SetAngle(0.0);
}

void CDlgRotate::SetAngle(double degrees) {
    m_value = degrees;
    {
        const QSignalBlocker blocker(m_spin);
        m_spin->setValue(int(degrees));
    }
    m_angle->setText(QString::fromStdString(FieldText(float(degrees))));
}

bool CDlgRotate::Clockwise() const {
    return m_clockwise->isChecked();
}

void CDlgRotate::accept() {
    double value = 0;
    const char* problem = nullptr;
    if (!ReadFieldNumber(m_angle->text().toUtf8().constData(), value))
        problem = "Please enter a number.";
    else if (value < -kMaxAngle || value > kMaxAngle)
        problem = "Please enter a number between -360 and 360.";
    if (problem) {
        AfxMessageBox(problem, MB_OK | MB_ICONEXCLAMATION);
        m_angle->setFocus();
        m_angle->selectAll();
        return;
    }
    m_value = float(value);
    QDialog::accept();
}
