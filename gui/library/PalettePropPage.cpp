#include "gui/library/PalettePropPage.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "library/PaletteFile.h"
#include "platform/UserPrompt.h"

namespace {

// The largest number the fields take as typed; OK then checks it against the field's range.
constexpr int kTypedLimit = 99999;

// A spin box whose arrows keep to its range while any whole number may be typed, so that OK
// can refuse a number outside the range instead of the box quietly putting the old one back.
class RangeSpin : public QSpinBox {
public:
    RangeSpin(const char* name, int low, int high) : m_low(low), m_high(high) {
        setObjectName(name);
        setRange(-kTypedLimit, kTypedLimit);
    }
    void stepBy(int steps) override { setValue(std::clamp(value() + steps, m_low, m_high)); }
    // The range message when the value is outside the range, else empty.
    CString Problem() const {
        CString message;
        if (value() < m_low || value() > m_high)
            message.Format("Please enter an integer between %d and %d.", m_low, m_high);
        return message;
    }

protected:
    StepEnabled stepEnabled() const override {
        StepEnabled enabled = StepNone;
        if (value() > m_low)
            enabled |= StepDownEnabled;
        if (value() < m_high)
            enabled |= StepUpEnabled;
        return enabled;
    }

private:
    int m_low, m_high;
};

QSpinBox* Spin(const char* name, int low, int high) {
    return new RangeSpin(name, low, high);
}

QGroupBox* Group(const char* title, const char* first, QSpinBox* a, const char* second,
                 QSpinBox* b) {
    auto* group = new QGroupBox(title);
    auto* form = new QFormLayout(group);
    form->addRow(first, a);
    form->addRow(second, b);
    return group;
}

}  // namespace

CPalettePropPage::CPalettePropPage(QWidget* parent)
    : QDialog(parent),
      m_columns(Spin("columns", kPaletteMinCells, kPaletteMaxCells)),
      m_width(Spin("horizontal", kPaletteMinButtonSize, kPaletteMaxButtonSize)),
      m_rows(Spin("rows", kPaletteMinCells, kPaletteMaxCells)),
      m_height(Spin("vertical", kPaletteMinButtonSize, kPaletteMaxButtonSize)) {
    setWindowTitle("Palette Properties");
    auto* groups = new QHBoxLayout;
    groups->addWidget(Group("Arrangement", "Columns", m_columns, "Rows", m_rows));
    groups->addWidget(Group("Button Size", "Horizontal", m_width, "Vertical", m_height));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
}

void CPalettePropPage::accept() {
    for (QSpinBox* spin : {m_columns, m_rows, m_width, m_height}) {
        const CString problem = static_cast<RangeSpin*>(spin)->Problem();
        if (!problem.IsEmpty()) {
            AfxMessageBox(problem, MB_ICONEXCLAMATION);
            spin->setFocus();
            spin->selectAll();
            return;
        }
    }
    QDialog::accept();
}

void CPalettePropPage::SetValues(int columns, int width, int rows, int height) {
    m_columns->setValue(columns);
    m_width->setValue(width);
    m_rows->setValue(rows);
    m_height->setValue(height);
}

int CPalettePropPage::Columns() const {
    return m_columns->value();
}

int CPalettePropPage::ButtonWidth() const {
    return m_width->value();
}

int CPalettePropPage::Rows() const {
    return m_rows->value();
}

int CPalettePropPage::ButtonHeight() const {
    return m_height->value();
}
