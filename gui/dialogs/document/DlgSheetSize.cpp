#include "gui/dialogs/document/DlgSheetSize.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QSignalBlocker>

#include "model/doc/FieldNumbers.h"
#include "platform/UserPrompt.h"

namespace {

// A sheet of paper standing or lying, with its corner turned.
QPixmap OrientationPicture(bool landscape) {
    QPixmap picture(40, 40);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QRect page = landscape ? QRect(2, 9, 36, 24) : QRect(9, 2, 24, 36);
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    const QPoint corner = page.topRight();
    painter.drawLine(corner + QPoint(-6, 0), corner + QPoint(0, 6));
    return picture;
}

}  // namespace

CDlgSheetSize::CDlgSheetSize(SIZE& paper, bool metric, QWidget* parent)
    : CPropertyPage("Sheet Size", nullptr, parent),
      m_paper(paper),
      m_form(SheetSizeForm::From(paper, metric)) {
    setObjectName("sheetSizePage");
    m_list = new QListWidget;
    for (const PaperEntry& entry : kPaperEntries)
        m_list->addItem(QString::fromUtf8(entry.text));
    auto* values = new QGridLayout;
    const char* labels[] = {"&Width ", "&Height"};
    for (int axis : {SheetSizeForm::kWidth, SheetSizeForm::kHeight}) {
        auto* label = new QLabel(labels[axis]);
        m_edits[axis] = new QLineEdit;
        label->setBuddy(m_edits[axis]);
        values->addWidget(label, axis, 0);
        values->addWidget(m_edits[axis], axis, 1);
        connect(m_edits[axis], &QLineEdit::textEdited, this,
                [this, axis] { OnEdited(SheetSizeForm::Axis(axis)); });
    }
    auto* side = new QVBoxLayout;
    side->addLayout(values);
    side->addWidget(CreateUnitsGroup());
    side->addWidget(CreateOrientationGroup());
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(side);
    m_list->setCurrentRow(m_form.paper);
    connect(m_list, &QListWidget::currentRowChanged, this, &CDlgSheetSize::OnPaperChosen);
    ShowForm();
}

QWidget* CDlgSheetSize::CreateUnitsGroup() {
    auto* group = new QGroupBox("Units");
    auto* row = new QHBoxLayout(group);
    m_inches = new QRadioButton("&inches");
    m_mm = new QRadioButton("&mm");
    (m_form.mm ? m_mm : m_inches)->setChecked(true);
    auto* buttons = new QButtonGroup(group);
    buttons->addButton(m_inches);
    buttons->addButton(m_mm);
    row->addWidget(m_inches);
    row->addWidget(m_mm);
    connect(m_mm, &QRadioButton::toggled, this, &CDlgSheetSize::OnUnits);
    return group;
}

QWidget* CDlgSheetSize::CreateOrientationGroup() {
    auto* group = new QGroupBox("Orientation");
    auto* grid = new QGridLayout(group);
    m_portrait = new QRadioButton("&Portrait");
    m_landscape = new QRadioButton("&Landscape");
    (m_form.landscape ? m_landscape : m_portrait)->setChecked(true);
    auto* buttons = new QButtonGroup(group);
    buttons->addButton(m_portrait);
    buttons->addButton(m_landscape);
    m_picture = new QLabel;
    grid->addWidget(m_portrait, 0, 0);
    grid->addWidget(m_landscape, 1, 0);
    grid->addWidget(m_picture, 0, 1, 2, 1);
    connect(m_landscape, &QRadioButton::toggled, this, &CDlgSheetSize::OnOrientation);
    return group;
}

void CDlgSheetSize::ShowForm() {
    for (int axis : {SheetSizeForm::kWidth, SheetSizeForm::kHeight}) {
        if (!m_form.typed[axis])
            m_edits[axis]->setText(QString::fromStdString(FieldText(m_form.shown[axis])));
    }
    m_picture->setPixmap(OrientationPicture(m_form.landscape));
}

void CDlgSheetSize::OnEdited(SheetSizeForm::Axis axis) {
    double value = 0;
    const bool number = ReadFieldNumber(m_edits[axis]->text().toUtf8().constData(), value);
    m_form.Type(axis, number ? float(value) : m_form.shown[axis]);
    const QSignalBlocker blocker(m_list);
    m_list->setCurrentRow(0);
}

void CDlgSheetSize::OnUnits() {
    m_form.SetUnits(m_mm->isChecked());
    ShowForm();
}

void CDlgSheetSize::OnOrientation() {
    if (m_form.SetLandscape(m_landscape->isChecked())) {
        // The values changed places, typed texts with them.
        const QString width = m_edits[SheetSizeForm::kWidth]->text();
        m_edits[SheetSizeForm::kWidth]->setText(m_edits[SheetSizeForm::kHeight]->text());
        m_edits[SheetSizeForm::kHeight]->setText(width);
    }
    ShowForm();
}

void CDlgSheetSize::OnPaperChosen(int row) {
    if (row <= 0)
        return;
    m_form.ChoosePaper(row);
    {
        const QSignalBlocker inches(m_inches);
        const QSignalBlocker mm(m_mm);
        (m_form.mm ? m_mm : m_inches)->setChecked(true);
    }
    ShowForm();
}

bool CDlgSheetSize::OnKillActive() {
    float values[2];
    for (int axis : {SheetSizeForm::kWidth, SheetSizeForm::kHeight}) {
        QLineEdit* edit = m_edits[axis];
        double value = 0;
        std::string problem = "Please enter a number.";
        if (ReadFieldNumber(edit->text().toUtf8().constData(), value))
            problem = SheetSizeProblem(value, m_form.mm);
        if (!problem.empty()) {
            AfxMessageBox(problem.c_str(), MB_OK | MB_ICONEXCLAMATION);
            edit->setFocus();
            edit->selectAll();
            return false;
        }
        values[axis] = float(value);
    }
    m_form.shown[SheetSizeForm::kWidth] = values[SheetSizeForm::kWidth];
    m_form.shown[SheetSizeForm::kHeight] = values[SheetSizeForm::kHeight];
    return true;
}

void CDlgSheetSize::OnApply() {
    m_paper = m_form.Record();
}
