#include "gui/library/PalettePropPage.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include "library/PaletteFile.h"

namespace {

QSpinBox* Spin(const char* name, int low, int high) {
    auto* spin = new QSpinBox;
    spin->setObjectName(name);
    spin->setRange(low, high);
    return spin;
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
