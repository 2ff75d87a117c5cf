#include "gui/dialogs/document/DlgTitleBlockSize.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "platform/UserPrompt.h"

namespace {

QGroupBox* RadioGroup(const char* title, std::initializer_list<const char*> texts,
                      QRadioButton** buttons, QObject* owner) {
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    auto* exclusive = new QButtonGroup(owner);
    int i = 0;
    for (const char* text : texts) {
        buttons[i] = new QRadioButton(text);
        exclusive->addButton(buttons[i]);
        layout->addWidget(buttons[i++]);
    }
    return group;
}

}  // namespace

CDlgTitleBlockSize::CDlgTitleBlockSize(const TitleBlockSizeForm& form, bool cm, QWidget* parent)
    : QDialog(parent), m_form(form) {
    setObjectName("titleBlockSizeDlg");
    setWindowTitle("Title Block Size and Alignment");
    auto* sizes = new QGridLayout;
    const char* labels[] = {"&Width", "&Height"};
    for (int axis : {TitleBlockSizeForm::kWidth, TitleBlockSizeForm::kHeight}) {
        auto* label = new QLabel(labels[axis]);
        m_edits[axis] = new QLineEdit;
        label->setBuddy(m_edits[axis]);
        sizes->addWidget(label, axis, 0);
        sizes->addWidget(m_edits[axis], axis, 1);
    }
    QGroupBox* units = RadioGroup("Units", {"&Inches", "&cm", "&%"}, m_units, this);
    QGroupBox* alignment =
        RadioGroup("Alignment", {"&Stretch", "&Left", "&Right", "C&entre"}, m_alignments, this);
    m_units[cm ? TitleBlockSizeForm::kCm : TitleBlockSizeForm::kInches]->setChecked(true);
    m_alignments[m_form.alignment & 3]->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QGridLayout(this);
    layout->addLayout(sizes, 0, 0, 1, 2);
    layout->addWidget(units, 1, 0);
    layout->addWidget(alignment, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    for (QRadioButton* button : m_units)
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                ChangeUnits();
        });
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgTitleBlockSize::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgTitleBlockSize::reject);
    m_shownUnits = Units();
    for (int axis : {TitleBlockSizeForm::kWidth, TitleBlockSizeForm::kHeight}) {
        m_edits[axis]->setText(QString::fromStdString(
            TitleBlockSizeText(m_form.size[axis], TitleBlockSizeForm::Axis(axis), m_shownUnits)));
        m_changed.TakeOn(m_edits[axis]);
    }
}

TitleBlockSizeForm::Units CDlgTitleBlockSize::Units() const {
    for (int units : {TitleBlockSizeForm::kCm, TitleBlockSizeForm::kPercent}) {
        if (m_units[units]->isChecked())
            return TitleBlockSizeForm::Units(units);
    }
    return TitleBlockSizeForm::kInches;
}

// A size the user changed keeps its length, now in the other unit, and stays changed.
void CDlgTitleBlockSize::ChangeUnits() {
    const TitleBlockSizeForm::Units units = Units();
    for (int axis : {TitleBlockSizeForm::kWidth, TitleBlockSizeForm::kHeight}) {
        QLineEdit* edit = m_edits[axis];
        const auto along = TitleBlockSizeForm::Axis(axis);
        const bool typed = m_changed.IsChanged(edit);
        m_changed.Reshow(edit, [&] {
            edit->setText(QString::fromStdString(
                typed ? RetypedTitleBlockSize(edit->text().toUtf8().constData(), along,
                                              m_shownUnits, units)
                      : TitleBlockSizeText(m_form.size[axis], along, units)));
        });
    }
    m_shownUnits = units;
}

void CDlgTitleBlockSize::accept() {
    TitleBlockSizeForm form = m_form;
    for (int axis : {TitleBlockSizeForm::kWidth, TitleBlockSizeForm::kHeight}) {
        QLineEdit* edit = m_edits[axis];
        if (!m_changed.IsChanged(edit))
            continue;
        const TitleBlockSizeValue value = ParseTitleBlockSize(
            edit->text().toUtf8().constData(), TitleBlockSizeForm::Axis(axis), Units());
        if (!value.value) {
            AfxMessageBox(value.problem.c_str(), MB_OK | MB_ICONEXCLAMATION);
            edit->setFocus();
            edit->selectAll();
            return;
        }
        form.size[axis] = *value.value;
    }
    for (int alignment = 0; alignment < 4; ++alignment) {
        if (m_alignments[alignment]->isChecked())
            form.alignment = alignment;
    }
    m_form = form;
    QDialog::accept();
}
