#include "gui/dialogs/document/DlgFrameGrid.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "model/doc/FieldNumbers.h"
#include "model/doc/FrameForm.h"
#include "platform/UserPrompt.h"

namespace {

constexpr double kUnitsPerCm = 393.701;

}  // namespace

CDlgFrameGrid::CDlgFrameGrid(double spacing, bool cm, QWidget* parent)
    : QDialog(parent), m_spacing(spacing), m_shownCm(cm) {
    setObjectName("frameGridDlg");
    setWindowTitle("Frame Grid Spacing");
    m_edit = new QLineEdit(QString::fromStdString(GridSpacingText(spacing, cm)));
    m_inches = new QRadioButton("&Inches");
    m_cm = new QRadioButton("&cm");
    (cm ? m_cm : m_inches)->setChecked(true);
    auto* units = new QButtonGroup(this);
    units->addButton(m_inches);
    units->addButton(m_cm);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QFormLayout(this);
    layout->addRow("&Spacing", m_edit);
    layout->addRow(m_inches, m_cm);
    layout->addRow(buttons);
    connect(m_cm, &QRadioButton::toggled, this, &CDlgFrameGrid::OnUnits);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgFrameGrid::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgFrameGrid::reject);
    m_changed.TakeOn(m_edit);
}

// The value shown stays the same length in the other unit.
void CDlgFrameGrid::OnUnits() {
    m_changed.Reshow(m_edit, [this] {
        double value = 0;
        if (ReadFieldNumber(m_edit->text().toUtf8().constData(), value)) {
            const double thousandths = value * (m_shownCm ? kUnitsPerCm : 1000.0);
            m_edit->setText(
                QString::fromStdString(GridSpacingText(thousandths, m_cm->isChecked())));
        }
    });
    m_shownCm = m_cm->isChecked();
}

void CDlgFrameGrid::accept() {
    if (!m_changed.IsChanged(m_edit)) {
        QDialog::accept();
        return;
    }
    const LengthValue value = ParseGridSpacing(m_edit->text().toUtf8().constData());
    if (!value.value) {
        AfxMessageBox(value.problem.c_str(), MB_OK | MB_ICONEXCLAMATION);
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_spacing = double(GridSpacingUnits(*value.value, m_cm->isChecked()));
    QDialog::accept();
}
