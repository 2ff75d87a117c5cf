#include "shell/view/SnapGridDlg.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/app/SchematicApp.h"
#include "platform/UserPrompt.h"
#include "shell/view/ViewSnapGrid.h"

namespace {

QString Number(float value) {
    return QString::number(double(value), 'g', 6);
}

float ReadNumber(const QLineEdit* edit) {
    bool ok = false;
    const double value = edit->text().trimmed().toDouble(&ok);
    return ok ? float(value) : 0.0f;
}

QCheckBox* AddBox(QVBoxLayout* layout, const char* text, bool checked) {
    auto* box = new QCheckBox(QString::fromUtf8(text));
    box->setChecked(checked);
    layout->addWidget(box);
    return box;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Spacing page

CSnapSpacingPage::CSnapSpacingPage(const SnapGridSettings& settings)
    : CPropertyPage("Spacing"), m_colour(settings.colour) {
    auto* form = new QFormLayout;
    m_spacing = new QLineEdit(Number(settings.spaceX));
    m_presets = new QToolButton;
    m_presets->setText("Set");
    m_presets->setPopupMode(QToolButton::InstantPopup);
    m_presets->setMenu(new QMenu(m_presets));
    FillPresets();
    auto* spacingRow = new QHBoxLayout;
    spacingRow->addWidget(m_spacing);
    spacingRow->addWidget(m_presets);
    form->addRow("Grid Spacing", spacingRow);
    m_independent = new QCheckBox("&Independant vertical spacing");
    m_independent->setChecked(settings.independent);
    form->addRow(m_independent);
    m_vertical = new QLineEdit(Number(settings.spaceY));
    m_vertical->setEnabled(settings.independent);
    connect(m_independent, &QCheckBox::toggled, m_vertical, &QWidget::setEnabled);
    form->addRow("Vertical Grid Spacing", m_vertical);
    m_units = new QComboBox;
    m_units->addItems({"inch", "cm"});
    m_units->setCurrentIndex(settings.metric ? 1 : 0);
    form->addRow("Units", m_units);
    auto* colour = new QPushButton("Colour...");
    connect(colour, &QPushButton::clicked, this, &CSnapSpacingPage::ChooseColour);
    form->addRow("Grid Colour", colour);

    auto* options = new QVBoxLayout;
    m_snapToGrid = AddBox(options, "Snap To Grid", settings.snapToGrid);
    m_snapToObjects = AddBox(options, "Snap To Objects", settings.snapToObjects);
    m_snapToGuides = AddBox(options, "Snap To Guides", settings.snapToGuides);
    m_showGrid = AddBox(options, "Show Grid", settings.shown);
    m_dynamic = AddBox(options, "Dynamic Resizing", settings.dynamicResizing);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(options);
}

// The presets follow the application's units.
void CSnapSpacingPage::FillPresets() {
    const CSchematicApp* app = GetApp();
    const bool metric = app && (app->Options & kOptionMetric);
    for (const SpacingPreset& preset : SpacingPresets(metric)) {
        const float value = preset.value;
        m_presets->menu()->addAction(QString::fromUtf8(preset.label.c_str()), this, [this, value] {
            m_spacing->setText(Number(value));
            m_spacing->setModified(true);
            if (!m_independent->isChecked())
                m_vertical->setText(Number(value));
        });
    }
}

void CSnapSpacingPage::ChooseColour() {
    const COLORREF c = m_colour;
    const QColor chosen = QColorDialog::getColor(QColor(GetRValue(c), GetGValue(c), GetBValue(c)),
                                                 this, "Grid Colour");
    if (chosen.isValid())
        m_colour = RGB(chosen.red(), chosen.green(), chosen.blue());
}

void CSnapSpacingPage::ReadInto(SnapGridSettings& s) const {
    s.spaceX = ReadNumber(m_spacing);
    s.independent = m_independent->isChecked();
    s.spaceY = s.independent ? ReadNumber(m_vertical) : s.spaceX;
    s.metric = m_units->currentIndex() == 1;
    s.colour = m_colour;
    s.snapToGrid = m_snapToGrid->isChecked();
    s.snapToObjects = m_snapToObjects->isChecked();
    s.snapToGuides = m_snapToGuides->isChecked();
    s.shown = m_showGrid->isChecked();
    s.dynamicResizing = m_dynamic->isChecked();
}

bool CSnapSpacingPage::OnKillActive() {
    SnapGridSettings shown;
    ReadInto(shown);
    if (shown.Valid())
        return true;
    QMessageBox::warning(window(), window()->windowTitle(),
                         "Please enter a spacing greater than 0.");
    m_spacing->setFocus();
    return false;
}

// ---------------------------------------------------------------------------------------------
// Snap To Objects page

CSnapObjectsPage::CSnapObjectsPage(const SnapGridSettings& settings)
    : CPropertyPage("Snap To Objects") {
    auto* layout = new QVBoxLayout(this);
    for (const SnapObjectBox& box : kSnapObjectBoxes)
        m_boxes.push_back(AddBox(layout, box.label, (settings.objectBits & box.bit) != 0));
}

void CSnapObjectsPage::ReadInto(SnapGridSettings& s) const {
    s.objectBits = 0;
    for (size_t i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes[i]->isChecked())
            s.objectBits |= kSnapObjectBoxes[i].bit;
    }
}

// ---------------------------------------------------------------------------------------------
// Sheet

CSnapGridDlg::CSnapGridDlg(const SnapGridSettings& settings, QWidget* parent)
    : CPropertySheet("Snap Grid Settings", parent),
      m_settings(settings),
      m_spacingPage(new CSnapSpacingPage(settings)),
      m_objectsPage(new CSnapObjectsPage(settings)) {
    AddPage(m_spacingPage);
    AddPage(m_objectsPage);
}

SnapGridSettings CSnapGridDlg::Settings() const {
    SnapGridSettings s = m_settings;
    m_spacingPage->ReadInto(s);
    m_objectsPage->ReadInto(s);
    return s;
}

int EditSnapGridSettings(CSnapGrid& grid, CSchematicApp& app, bool symbolGrid, QWidget* parent) {
    CSnapGridDlg dialog(SnapGridSettings::From(grid, app.SnapGridOptions), parent);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    app.SnapGridOptions = dialog.Settings().ApplyTo(grid, app.SnapGridOptions);
    grid.Save(app, symbolGrid);
    return IDOK;
}
