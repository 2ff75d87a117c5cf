#include "gui/dialogs/objects/DlgTextGeneral.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialogs/objects/TriStateBox.h"
#include "gui/kit/PlainTextEdit.h"
#include "gui/kit/StoredText.h"
#include "platform/UserPrompt.h"

namespace {

constexpr const char* kMarginLabels[4] = {"&Left", "&Right", "&Top", "&Bottom"};

// Stored line ends are CR LF; the editor's are LF.
QString ShownText(const CString& text) {
    return FromStoredText(text.str()).replace("\r\n", "\n");
}

CString StoredTextOf(const QString& text) {
    QString stored = text;
    stored.replace("\n", "\r\n");
    return CString(stored.toUtf8().constData());
}

}  // namespace

CDlgTextGeneral::CDlgTextGeneral(const TextGeneralState& state, bool metric, QWidget* parent)
    : CPropertyPage("General", nullptr, parent),
      m_state(state),
      m_shownUnit(metric ? MarginUnit::kMillimetre : MarginUnit::kInch),
      m_text(new CPlainTextEdit(this)),
      m_alignment(new QComboBox(this)),
      m_multiLine(new QCheckBox("&Multi-line", this)),
      m_autoSize(new QCheckBox("&Auto Size", this)),
      m_units(new QButtonGroup(this)) {
    m_alignment->addItems({"Left", "Centre", "Right"});
    auto* margins = new QGroupBox("Margins", this);
    auto* grid = new QGridLayout(margins);
    for (int i = 0; i < 4; ++i) {
        m_margins[i] = new QLineEdit(margins);
        auto* label = new QLabel(kMarginLabels[i], margins);
        label->setBuddy(m_margins[i]);
        grid->addWidget(label, i / 2, (i % 2) * 2);
        grid->addWidget(m_margins[i], i / 2, (i % 2) * 2 + 1);
    }
    auto* mm = new QRadioButton("&mm", margins);
    auto* inch = new QRadioButton("&inch", margins);
    m_units->addButton(mm, int(MarginUnit::kMillimetre));
    m_units->addButton(inch, int(MarginUnit::kInch));
    grid->addWidget(mm, 2, 1);
    grid->addWidget(inch, 2, 3);
    connect(m_units, &QButtonGroup::idClicked, this, &CDlgTextGeneral::SwitchUnits);

    auto* form = new QFormLayout;
    form->addRow("&Alignment", m_alignment);
    form->addRow(m_multiLine);
    form->addRow(m_autoSize);
    auto* layout = new QVBoxLayout(this);
    auto* textLabel = new QLabel("&Text", this);
    textLabel->setBuddy(m_text);
    layout->addWidget(textLabel);
    layout->addWidget(m_text);
    layout->addLayout(form);
    layout->addWidget(margins);
}

void CDlgTextGeneral::OnLoad() {
    m_text->setPlainText(ShownText(m_state.text));
    m_alignment->setCurrentIndex(m_state.alignment.value_or(-1));
    ShowTriState(m_multiLine, m_state.multiLine);
    ShowTriState(m_autoSize, m_state.autoSize);
    m_units->button(int(m_shownUnit))->setChecked(true);
    ShowMargins();
}

void CDlgTextGeneral::ShowMargins() {
    for (int i = 0; i < 4; ++i)
        m_margins[i]->setText(FromStoredText(m_state.MarginText(i, m_shownUnit).str()));
}

void CDlgTextGeneral::SwitchUnits(int unit) {
    if (MarginUnit(unit) == m_shownUnit)
        return;
    if (!ReadMargins()) {
        m_units->button(int(m_shownUnit))->setChecked(true);
        return;
    }
    m_shownUnit = MarginUnit(unit);
    ShowMargins();
}

bool CDlgTextGeneral::ReadMargins() {
    for (int i = 0; i < 4; ++i) {
        CString message;
        const QByteArray text = m_margins[i]->text().toUtf8();
        if (!m_state.ParseMargin(i, text.constData(), m_shownUnit, message)) {
            AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
            m_margins[i]->setFocus();
            m_margins[i]->selectAll();
            return false;
        }
    }
    return true;
}

bool CDlgTextGeneral::OnKillActive() {
    if (!ReadMargins())
        return false;
    m_state.text = StoredTextOf(m_text->toPlainText());
    const int alignment = m_alignment->currentIndex();
    m_state.alignment = alignment < 0 ? std::nullopt : std::optional<int>(alignment);
    m_state.multiLine = ReadTriState(m_multiLine);
    m_state.autoSize = ReadTriState(m_autoSize);
    return true;
}

void CDlgTextGeneral::OnApply() {
    m_applied = true;
}
