#include "shell/view/SnapGridDlg.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
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

CSnapGridDlg::CSnapGridDlg(const SnapGridSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setWindowTitle("Snap Grid Settings");
    auto* tabs = new QTabWidget(this);
    tabs->addTab(CreateSpacingPage(), "Spacing");
    tabs->addTab(CreateObjectsPage(), "Snap To Objects");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

QWidget* CSnapGridDlg::CreateSpacingPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout;
    m_spacing = new QLineEdit(Number(m_settings.spaceX));
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
    m_independent->setChecked(m_settings.independent);
    form->addRow(m_independent);
    m_vertical = new QLineEdit(Number(m_settings.spaceY));
    m_vertical->setEnabled(m_settings.independent);
    connect(m_independent, &QCheckBox::toggled, m_vertical, &QWidget::setEnabled);
    form->addRow("Vertical Grid Spacing", m_vertical);
    m_units = new QComboBox;
    m_units->addItems({"inch", "cm"});
    m_units->setCurrentIndex(m_settings.metric ? 1 : 0);
    form->addRow("Units", m_units);
    m_colour = new QPushButton("Colour...");
    connect(m_colour, &QPushButton::clicked, this, &CSnapGridDlg::ChooseColour);
    form->addRow("Grid Colour", m_colour);

    auto* options = new QVBoxLayout;
    m_snapToGrid = AddBox(options, "Snap To Grid", m_settings.snapToGrid);
    m_snapToObjects = AddBox(options, "Snap To Objects", m_settings.snapToObjects);
    m_snapToGuides = AddBox(options, "Snap To Guides", m_settings.snapToGuides);
    m_showGrid = AddBox(options, "Show Grid", m_settings.shown);
    m_dynamic = AddBox(options, "Dynamic Resizing", m_settings.dynamicResizing);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addLayout(options);
    return page;
}

QWidget* CSnapGridDlg::CreateObjectsPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    for (const SnapObjectBox& box : kSnapObjectBoxes)
        m_objectBoxes.push_back(AddBox(layout, box.label, (m_settings.objectBits & box.bit) != 0));
    return page;
}

// The presets follow the application's units.
void CSnapGridDlg::FillPresets() {
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

void CSnapGridDlg::ChooseColour() {
    const COLORREF c = m_settings.colour;
    const QColor chosen = QColorDialog::getColor(QColor(GetRValue(c), GetGValue(c), GetBValue(c)),
                                                 this, "Grid Colour");
    if (chosen.isValid())
        m_settings.colour = RGB(chosen.red(), chosen.green(), chosen.blue());
}

SnapGridSettings CSnapGridDlg::Settings() const {
    SnapGridSettings s = m_settings;
    s.spaceX = ReadNumber(m_spacing);
    s.independent = m_independent->isChecked();
    s.spaceY = s.independent ? ReadNumber(m_vertical) : s.spaceX;
    s.metric = m_units->currentIndex() == 1;
    s.snapToGrid = m_snapToGrid->isChecked();
    s.snapToObjects = m_snapToObjects->isChecked();
    s.snapToGuides = m_snapToGuides->isChecked();
    s.shown = m_showGrid->isChecked();
    s.dynamicResizing = m_dynamic->isChecked();
    s.objectBits = 0;
    for (size_t i = 0; i < m_objectBoxes.size(); ++i) {
        if (m_objectBoxes[i]->isChecked())
            s.objectBits |= kSnapObjectBoxes[i].bit;
    }
    return s;
}

void CSnapGridDlg::accept() {
    if (!Settings().Valid()) {
        QMessageBox::warning(this, windowTitle(), "Please enter a spacing greater than 0.");
        m_spacing->setFocus();
        return;
    }
    QDialog::accept();
}

int EditSnapGridSettings(CSnapGrid& grid, CSchematicApp& app, bool symbolGrid, QWidget* parent) {
    CSnapGridDlg dialog(SnapGridSettings::From(grid, app.SnapGridOptions), parent);
    if (dialog.exec() != QDialog::Accepted)
        return IDCANCEL;
    app.SnapGridOptions = dialog.Settings().ApplyTo(grid, app.SnapGridOptions);
    grid.Save(app, symbolGrid);
    return IDOK;
}
