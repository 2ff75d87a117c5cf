#include "gui/dialogs/document/DlgTitleBlock.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "gui/dialogs/document/MappedPreview.h"
#include "model/doc/TitleBlockColumns.h"
#include "model/object/DrawObj.h"
#include "platform/ObList.h"
#include "platform/UserPrompt.h"

namespace {

constexpr SIZE kPreviewExtent{6000, -1000};
constexpr int kMaxHeading = 80;

QString WidthText(int share) {
    return share > 0 ? QString::number(share / 10) : QString();
}

}  // namespace

CDlgTitleBlock::CDlgTitleBlock(QWidget* parent)
    : CPropertyPage("Title Block Contents", nullptr, parent) {
    setObjectName("titleBlockPage");
    m_count = new QSpinBox;
    m_count->setRange(1, CTitleBlockLayout::kMaxRows);
    m_count->setValue(m_layout.m_rowCount);
    m_columns = new QComboBox;
    m_heading = new QComboBox;
    m_heading->setEditable(true);
    m_heading->lineEdit()->setMaxLength(kMaxHeading);
    for (const char* heading : kTitleHeadings)
        m_heading->addItem(heading);
    m_heading->setCurrentIndex(-1);
    m_add = new QPushButton("&Add >>");
    m_remove = new QPushButton("<< &Remove");
    m_fields = new QListWidget;
    m_width = new QLineEdit;
    m_preview = new CMappedPreview(kPreviewExtent, [this](CDC& dc) { DrawPreview(dc); });
    m_preview->setMinimumSize(300, 60);
    auto* form = new QFormLayout;
    form->addRow("Number of &Columns", m_count);
    form->addRow("&Select Column", m_columns);
    form->addRow("Width (&%)", m_width);
    form->addRow("&Headings", m_heading);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addLayout(buttons);
    top->addWidget(m_fields);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_preview, 1);
    connect(m_count, &QSpinBox::valueChanged, this, &CDlgTitleBlock::OnCountChanged);
    connect(m_columns, &QComboBox::currentIndexChanged, this, &CDlgTitleBlock::OnColumnChosen);
    connect(m_heading, &QComboBox::currentTextChanged, this, &CDlgTitleBlock::UpdateButtons);
    connect(m_fields, &QListWidget::currentRowChanged, this, &CDlgTitleBlock::UpdateButtons);
    connect(m_add, &QPushButton::clicked, this, &CDlgTitleBlock::OnAdd);
    connect(m_remove, &QPushButton::clicked, this, &CDlgTitleBlock::OnRemove);
    connect(m_width, &QLineEdit::editingFinished, this, &CDlgTitleBlock::OnWidthEdited);
    OnCountChanged(m_layout.m_rowCount);
}

CTitleRow& CDlgTitleBlock::Column() {
    return m_layout.m_rows[std::max(m_columns->currentIndex(), 0)];
}

void CDlgTitleBlock::OnCountChanged(int count) {
    m_layout.m_rowCount = count;
    const int chosen = std::min(std::max(m_columns->currentIndex(), 0), count - 1);
    {
        const QSignalBlocker blocker(m_columns);
        m_columns->clear();
        for (int column = 1; column <= count; ++column)
            m_columns->addItem(QString::number(column));
        m_columns->setCurrentIndex(chosen);
    }
    OnColumnChosen();
}

void CDlgTitleBlock::OnColumnChosen() {
    const CTitleRow& column = Column();
    m_fields->clear();
    for (int field = 0; field < column.GetFieldCount(); ++field)
        m_fields->addItem(QString::fromUtf8(column.GetField(field)->name.c_str()));
    m_width->setText(WidthText(column.m_share));
    UpdateButtons();
    m_preview->update();
}

void CDlgTitleBlock::UpdateButtons() {
    m_add->setEnabled(!m_heading->currentText().isEmpty() &&
                      Column().GetFieldCount() < kMaxTitleFields);
    m_remove->setEnabled(m_fields->currentRow() >= 0);
}

void CDlgTitleBlock::OnAdd() {
    const QByteArray heading = m_heading->currentText().toUtf8();
    if (heading.isEmpty() || Column().GetFieldCount() >= kMaxTitleFields)
        return;
    Column().AddField(heading.constData(), CTitleField::kAttribute, 0);
    OnColumnChosen();
}

void CDlgTitleBlock::OnRemove() {
    const int row = m_fields->currentRow();
    if (row < 0)
        return;
    Column().RemoveField(Column().GetField(row));
    OnColumnChosen();
}

// A width the layout cannot take is reported and the former one shown again.
void CDlgTitleBlock::OnWidthEdited() {
    CTitleRow& column = Column();
    const int former = column.m_share;
    const std::optional<int> share = ParseColumnWidth(m_width->text().toUtf8().constData());
    const char* problem = share ? nullptr : kColumnWidthProblem;
    if (share) {
        column.m_share = *share;
        problem = ColumnWidthsProblem(m_layout);
    }
    if (problem) {
        column.m_share = former;
        m_width->setText(WidthText(former));
        AfxMessageBox(problem, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_preview->update();
}

void CDlgTitleBlock::DrawPreview(CDC& dc) const {
    CObList objects;
    m_layout.CreateFieldObjects(CRect(0, 0, kPreviewExtent.cx, kPreviewExtent.cy), nullptr,
                                objects);
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        auto* object = static_cast<CDrawObj*>(objects.GetNext(pos));
        object->Draw(&dc, nullptr);
        delete object;
    }
}
