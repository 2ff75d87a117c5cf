#include "gui/dialogs/document/DlgPageMargins.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "platform/UserPrompt.h"

CDlgPageMargins::CDlgPageMargins(RECT& margins, QWidget* parent)
    : CPropertyPage("Page Margins", "Margins", parent),
      m_margins(margins),
      m_form(PageMarginsForm::From(margins)) {
    setObjectName("pageMarginsPage");
    auto* group = new QGroupBox("Margins");
    auto* grid = new QGridLayout(group);
    const char* labels[] = {"&Left", "&Right", "&Top", "&Bottom"};
    for (int side = 0; side < PageMarginsForm::kSides; ++side) {
        auto* label = new QLabel(labels[side]);
        m_edits[side] = new QLineEdit;
        label->setBuddy(m_edits[side]);
        grid->addWidget(label, side, 0);
        grid->addWidget(m_edits[side], side, 1);
    }
    auto* units = new QGroupBox("Units");
    auto* row = new QHBoxLayout(units);
    m_inches = new QRadioButton("&inches");
    m_cm = new QRadioButton("&cm");
    m_inches->setChecked(true);
    auto* buttons = new QButtonGroup(units);
    buttons->addButton(m_inches);
    buttons->addButton(m_cm);
    row->addWidget(m_inches);
    row->addWidget(m_cm);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(units);
    layout->addStretch();
    connect(m_cm, &QRadioButton::toggled, this, &CDlgPageMargins::ChangeUnits);
    for (int side = 0; side < PageMarginsForm::kSides; ++side)
        m_edits[side]->setText(QString::fromStdString(MarginText(m_form.margins[side], false)));
}

// A margin the user changed keeps its length, now in the other unit, and stays changed.
void CDlgPageMargins::ChangeUnits() {
    const bool cm = m_cm->isChecked();
    for (int side = 0; side < PageMarginsForm::kSides; ++side) {
        QLineEdit* edit = m_edits[side];
        const bool typed = IsChanged(edit);
        Reshow(edit, [&] {
            edit->setText(QString::fromStdString(
                typed ? RetypedMargin(edit->text().toUtf8().constData(), m_shownCm, cm)
                      : MarginText(m_form.margins[side], cm)));
        });
    }
    m_shownCm = cm;
}

// Only changed margins are read: one kept from the document stays as it is.
bool CDlgPageMargins::OnKillActive() {
    PageMarginsForm typed = m_form;
    for (int side = 0; side < PageMarginsForm::kSides; ++side) {
        QLineEdit* edit = m_edits[side];
        if (!IsChanged(edit))
            continue;
        const MarginValue margin =
            ParseMargin(edit->text().toUtf8().constData(), m_cm->isChecked());
        if (!margin.value) {
            AfxMessageBox(margin.problem.c_str(), MB_OK | MB_ICONEXCLAMATION);
            edit->setFocus();
            edit->selectAll();
            return false;
        }
        typed.margins[side] = *margin.value;
    }
    m_form = typed;
    return true;
}

void CDlgPageMargins::OnApply() {
    m_form.ApplyTo(m_margins);
}
