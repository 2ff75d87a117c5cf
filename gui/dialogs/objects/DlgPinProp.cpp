#include "gui/dialogs/objects/DlgPinProp.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "gui/kit/ChosenRow.h"
#include "gui/kit/StoredText.h"
#include "model/symbol/Pin.h"
#include "platform/UserPrompt.h"

namespace {

constexpr const char* kCheckTexts[4] = {"&Clock", "Show Pin &Name", "Show Pin N&umber", "&Hidden"};

QListWidget* LabelledList(QGridLayout* grid, int column, const char* label) {
    auto* list = new QListWidget;
    auto* caption = new QLabel(label);
    caption->setBuddy(list);
    grid->addWidget(caption, 0, column);
    grid->addWidget(list, 1, column);
    return list;
}

Qt::CheckState CheckStateOf(TriState state) {
    switch (state) {
        case TriState::kOn:
            return Qt::Checked;
        case TriState::kMixed:
            return Qt::PartiallyChecked;
        default:
            return Qt::Unchecked;
    }
}

TriState TriStateOf(Qt::CheckState state) {
    switch (state) {
        case Qt::Checked:
            return TriState::kOn;
        case Qt::PartiallyChecked:
            return TriState::kMixed;
        default:
            return TriState::kOff;
    }
}

}  // namespace

CDlgPinProp::CDlgPinProp(const PinPropForm& form, PinPropForm::NameCheck checkName, QWidget* parent)
    : CPropertyPage("Pin Properties", "General", parent),
      m_form(form),
      m_checkName(std::move(checkName)) {
    setObjectName("pinPropPage");
    auto* grid = new QGridLayout(this);
    m_types = LabelledList(grid, 0, "&Type");
    m_symbols = LabelledList(grid, 1, "Pin &Symbol");
    for (int type : m_form.TypeChoices()) {
        auto* item = new QListWidgetItem(GetPinTypeName(type), m_types);
        item->setData(Qt::UserRole, type);
        if (type == m_form.ShownType())
            m_types->setCurrentItem(item);
    }
    for (const PinSymbolEntry& entry : kPinSymbolEntries)
        m_symbols->addItem(entry.text);
    m_symbols->setCurrentRow(m_form.ShownSymbol());
    m_name = new QLineEdit(FromStoredText(m_form.name.str()));
    m_name->setEnabled(!m_form.multiple);
    m_customType = new QLineEdit(FromStoredText(m_form.customType.str()));
    auto* fields = new QFormLayout;
    fields->addRow("N&ame", m_name);
    fields->addRow("Custom T&ype", m_customType);
    grid->addLayout(fields, 2, 0, 1, 2);
    auto* checks = new QVBoxLayout;
    for (int i = 0; i < 4; ++i) {
        m_checks[i] = new QCheckBox(kCheckTexts[i]);
        m_checks[i]->setTristate(m_form.multiple);
        m_checks[i]->setCheckState(CheckStateOf(m_form.Check(i)));
        checks->addWidget(m_checks[i]);
    }
    checks->addStretch();
    grid->addLayout(checks, 1, 2);
    m_customType->setEnabled(m_form.ShownType() == kPinTypeUserDefined);
    connect(m_types, &QListWidget::itemSelectionChanged, this, &CDlgPinProp::OnTypeChosen);
}

int CDlgPinProp::ChosenType() const {
    const int row = ChosenRow(*m_types);
    return row < 0 ? -1 : m_types->item(row)->data(Qt::UserRole).toInt();
}

void CDlgPinProp::OnTypeChosen() {
    m_customType->setEnabled(ChosenType() == kPinTypeUserDefined);
}

bool CDlgPinProp::OnKillActive() {
    PinPropForm::Choices choices;
    choices.type = ChosenType();
    choices.symbol = ChosenRow(*m_symbols);
    for (int i = 0; i < 4; ++i)
        choices.checks[i] = TriStateOf(m_checks[i]->checkState());
    choices.name = ToStoredText(m_name->text(), m_form.name);
    choices.customType = ToStoredText(m_customType->text(), m_form.customType);
    const PinPropForm::Refusal refusal = m_form.Leave(choices, m_checkName);
    if (refusal.field == PinPropForm::Field::kNone)
        return true;
    AfxMessageBox(refusal.message.c_str(), MB_OK | MB_ICONEXCLAMATION);
    QLineEdit* at = refusal.field == PinPropForm::Field::kName ? m_name : m_customType;
    at->setFocus();
    at->selectAll();
    return false;
}
