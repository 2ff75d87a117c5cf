#include "gui/dialogs/document/DlgPrintScale.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "platform/UserPrompt.h"

namespace {

constexpr const char* kSizeTexts[] = {"&Normal Size", "&Scale", "&Fit to Printer Page",
                                      "Fit Over &Two Pages", "Fit Over Fo&ur Pages"};

QLineEdit* AddField(QGridLayout* grid, int row, const char* text, QLabel*& label) {
    label = new QLabel(text);
    auto* edit = new QLineEdit;
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

QString Text(const CString& text) {
    return QString::fromUtf8(text.c_str());
}

}  // namespace

CDlgPrintScale::CDlgPrintScale(CPrintSettings& settings, CPrinterChoice& printer,
                               PrinterSetupRunner setup, QWidget* parent)
    : CPropertyPage("Position and Scaling", nullptr, parent),
      m_settings(settings),
      m_printer(printer),
      m_setup(std::move(setup)),
      m_form(PrintScaleForm::From(settings)),
      m_shownX(settings.m_offsetX),
      m_shownY(settings.m_offsetY) {
    setObjectName("printScalePage");
    auto* groups = new QHBoxLayout;
    groups->addWidget(CreatePositionGroup());
    groups->addWidget(CreateSizeGroup());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(CreateOptionBoxes());
    ShowOffsets();
    UpdateEnabling();
}

QWidget* CDlgPrintScale::CreatePositionGroup() {
    auto* group = new QGroupBox("Position");
    auto* grid = new QGridLayout(group);
    m_centre = new QRadioButton("C&entre on Page");
    m_atOffset = new QRadioButton("&Offset");
    (m_form.atOffset ? m_atOffset : m_centre)->setChecked(true);
    grid->addWidget(m_centre, 0, 0, 1, 2);
    grid->addWidget(m_atOffset, 1, 0, 1, 2);
    m_offsetX = AddField(grid, 2, "&X Offset", m_offsetXLabel);
    m_offsetY = AddField(grid, 3, "&Y Offset", m_offsetYLabel);
    m_inches = new QRadioButton("&inches");
    m_cm = new QRadioButton("&cm");
    m_inches->setChecked(true);
    auto* units = new QButtonGroup(group);
    units->addButton(m_inches);
    units->addButton(m_cm);
    grid->addWidget(m_inches, 4, 0);
    grid->addWidget(m_cm, 4, 1);
    connect(m_atOffset, &QRadioButton::toggled, this, &CDlgPrintScale::UpdateEnabling);
    connect(m_cm, &QRadioButton::toggled, this, &CDlgPrintScale::ChangeUnits);
    return group;
}

QWidget* CDlgPrintScale::CreateSizeGroup() {
    auto* group = new QGroupBox("Size");
    auto* grid = new QGridLayout(group);
    m_sizes = new QButtonGroup(group);
    int row = 0;
    for (const char* text : kSizeTexts) {
        auto* button = new QRadioButton(text);
        m_sizes->addButton(button, row);
        grid->addWidget(button, row++, 0, 1, 2);
    }
    sizeButton(m_form.size)->setChecked(true);
    m_factor = AddField(grid, row, "Sca&le Factor(%)", m_factorLabel);
    m_factor->setText(QString::number(m_form.factor));
    connect(m_sizes, &QButtonGroup::idToggled, this, &CDlgPrintScale::UpdateEnabling);
    return group;
}

QWidget* CDlgPrintScale::CreateOptionBoxes() {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    m_grid = new QCheckBox("Print &Grid");
    m_monochrome = new QCheckBox("&Monochrome");
    m_mirror = new QCheckBox("Mirror Text &Angle");
    m_grid->setChecked(m_form.printGrid);
    m_monochrome->setChecked(m_form.monochrome);
    m_mirror->setChecked(m_form.mirrorTextAngle);
    m_printerButton = new QPushButton("&Printer and Paper..");
    connect(m_printerButton, &QPushButton::clicked, this, [this] {
        if (m_setup)
            m_setup(m_printer, this);
    });
    for (QWidget* widget : {static_cast<QWidget*>(m_grid), static_cast<QWidget*>(m_monochrome),
                            static_cast<QWidget*>(m_mirror)})
        row->addWidget(widget);
    row->addStretch();
    row->addWidget(m_printerButton);
    return box;
}

QRadioButton* CDlgPrintScale::sizeButton(PrintScaleForm::Size size) const {
    return static_cast<QRadioButton*>(m_sizes->button(int(size)));
}

bool CDlgPrintScale::Metric() const {
    return m_cm->isChecked();
}

void CDlgPrintScale::UpdateEnabling() {
    const bool scaled = m_sizes->checkedId() == PrintScaleForm::kScaled;
    m_factor->setEnabled(scaled);
    m_factorLabel->setEnabled(scaled);
    const bool offset = m_atOffset->isChecked();
    for (QWidget* widget :
         {static_cast<QWidget*>(m_offsetX), static_cast<QWidget*>(m_offsetY),
          static_cast<QWidget*>(m_offsetXLabel), static_cast<QWidget*>(m_offsetYLabel),
          static_cast<QWidget*>(m_inches), static_cast<QWidget*>(m_cm)})
        widget->setEnabled(offset);
}

void CDlgPrintScale::ShowOffsets() {
    m_shownMetric = Metric();
    m_offsetX->setText(Text(OffsetText(m_shownX, m_shownMetric)));
    m_offsetY->setText(Text(OffsetText(m_shownY, m_shownMetric)));
}

// A field the user changed keeps its value, now shown in the other unit, and stays changed.
void CDlgPrintScale::ChangeUnits() {
    const bool wasMetric = m_shownMetric;
    m_shownMetric = Metric();
    const std::pair<QLineEdit*, LONG> fields[] = {{m_offsetX, m_shownX}, {m_offsetY, m_shownY}};
    for (const auto& [edit, shown] : fields) {
        QLineEdit* field = edit;
        const LONG untouched = shown;
        const bool typed = IsChanged(field);
        Reshow(field, [&] {
            LONG value = untouched;
            if (typed) {
                const FieldValue<LONG> read =
                    ParseOffset(field->text().toUtf8().constData(), wasMetric);
                if (!read.value)
                    return;
                value = *read.value;
            }
            field->setText(Text(OffsetText(value, m_shownMetric)));
        });
    }
}

std::optional<LONG> CDlgPrintScale::ChangedOffset(QLineEdit* edit, bool& ok) {
    if (!IsChanged(edit))
        return std::nullopt;
    const FieldValue<LONG> value = ParseOffset(edit->text().toUtf8().constData(), Metric());
    if (!value.value) {
        AfxMessageBox(value.problem.c_str(), MB_OK | MB_ICONEXCLAMATION);
        edit->setFocus();
        edit->selectAll();
        ok = false;
    }
    return value.value;
}

std::optional<CDlgPrintScale::Fields> CDlgPrintScale::ReadFields() {
    const FieldValue<int> factor = ParseScaleFactor(m_factor->text().toUtf8().constData());
    if (!factor.value) {
        AfxMessageBox(factor.problem.c_str(), MB_OK | MB_ICONEXCLAMATION);
        m_factor->setFocus();
        m_factor->selectAll();
        return std::nullopt;
    }
    bool ok = true;
    const std::optional<LONG> x = ChangedOffset(m_offsetX, ok);
    const std::optional<LONG> y = ok ? ChangedOffset(m_offsetY, ok) : std::nullopt;
    if (!ok)
        return std::nullopt;
    Fields fields{m_form, x, y};
    fields.form.atOffset = m_atOffset->isChecked();
    fields.form.size = PrintScaleForm::Size(m_sizes->checkedId());
    fields.form.factor = *factor.value;
    fields.form.printGrid = m_grid->isChecked();
    fields.form.monochrome = m_monochrome->isChecked();
    fields.form.mirrorTextAngle = m_mirror->isChecked();
    return fields;
}

bool CDlgPrintScale::OnKillActive() {
    return ReadFields().has_value();
}

void CDlgPrintScale::OnApply() {
    if (const std::optional<Fields> fields = ReadFields())
        fields->form.ApplyTo(m_settings, fields->x, fields->y);
}
