#include "gui/netlist/writers/BomOptionsDlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/app/SchematicApp.h"
#include "platform/SettingsStore.h"

namespace {

// A group of radio buttons, numbered from 0 in the order given.
QGroupBox* RadioGroup(const char* title, std::initializer_list<const char*> texts,
                      QButtonGroup* buttons, const char* name) {
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    int id = 0;
    for (const char* text : texts) {
        auto* button = new QRadioButton(text);
        button->setObjectName(QString("%1%2").arg(name).arg(id));
        buttons->addButton(button, id++);
        layout->addWidget(button);
    }
    return box;
}

}  // namespace

CDlgBOM::CDlgBOM(SettingsStore& settings, QWidget* parent)
    : CPropertyPage("Options", nullptr, parent),
      m_settings(settings),
      m_sortBy(new QButtonGroup(this)),
      m_format(new QButtonGroup(this)) {
    m_group = Box("Group Similar Parts", "group", kBomGroup);
    QCheckBox* categorise = Box("Sort into Categories", "categorise", kBomCategorise);
    auto* columns = new QGroupBox("Columns");
    auto* columnLayout = new QVBoxLayout(columns);
    columnLayout->addWidget(Box("Identifier", "identifier", kBomIdentifier));
    columnLayout->addWidget(m_quantity = Box("Quantity", "quantity", kBomQuantity));
    columnLayout->addWidget(Box("Value", "value", kBomValue));
    columnLayout->addWidget(Box("Name", "name", kBomName));
    columnLayout->addWidget(Box("Description", "description", kBomDescription));
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_group, 0, 0);
    layout->addWidget(categorise, 1, 0);
    layout->addWidget(columns, 2, 0);
    layout->addWidget(RadioGroup("Sort By", {"None", "Identifier", "Value", "Name", "Description"},
                                 m_sortBy, "sortBy"),
                      0, 1, 3, 1);
    layout->addWidget(RadioGroup("Format For", {"Reading", "Spreadsheet"}, m_format, "format"), 3,
                      0, 1, 2);
    connect(m_group, &QCheckBox::toggled, m_quantity, &QWidget::setEnabled);
}

QCheckBox* CDlgBOM::Box(const char* text, const char* name, DWORD bit) {
    auto* box = new QCheckBox(text);
    box->setObjectName(name);
    m_boxes.emplace_back(box, bit);
    return box;
}

void CDlgBOM::OnLoad() {
    const CBomOptions options = CBomOptions::Load(m_settings, kBomSortIdentifier);
    for (const auto& [box, bit] : m_boxes)
        box->setChecked((options.flags & bit) != 0);
    m_quantity->setEnabled(m_group->isChecked());
    m_sortBy->button(options.sortBy)->setChecked(true);
    m_format->button((options.flags & kBomSpreadsheet) ? 1 : 0)->setChecked(true);
}

void CDlgBOM::OnApply() {
    CBomOptions options;
    options.flags = 0;
    for (const auto& [box, bit] : m_boxes) {
        if (box->isChecked())
            options.flags |= bit;
    }
    if (m_format->checkedId() == 1)
        options.flags |= kBomSpreadsheet;
    options.sortBy = m_sortBy->checkedId();
    options.Save(m_settings);
}

bool CBomOptionsWindow::EditBomOptions() {
    CSchematicApp* app = GetApp();
    if (!app)
        return false;
    CPropertySheet sheet("Bill of Materials", QApplication::activeWindow());
    sheet.AddPage(new CDlgBOM(app->Settings()));
    return sheet.exec() == QDialog::Accepted;
}
