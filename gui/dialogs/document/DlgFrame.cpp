#include "gui/dialogs/document/DlgFrame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

#include "gui/dialogs/document/DlgFrameGrid.h"
#include "gui/dialogs/document/DlgTitleBlockSize.h"
#include "gui/dialogs/document/MappedPreview.h"

namespace {

// The border is drawn into 5000 by 8000 units, turned for a landscape sheet.
SIZE PreviewExtent(SIZE paper) {
    return -paper.cy <= paper.cx ? SIZE{8000, -5000} : SIZE{5000, -8000};
}

}  // namespace

CDlgFrame::CDlgFrame(CSheetBorder& border, SIZE paper, bool cm, ColourAsker askColour,
                     QWidget* parent)
    : CPropertyPage("Frame", nullptr, parent),
      m_border(border),
      m_copy(border),
      m_extent(PreviewExtent(paper)),
      m_cm(cm),
      m_askColour(std::move(askColour)) {
    setObjectName("framePage");
    m_items = new QComboBox;
    for (const char* text : kFrameItemTexts)
        m_items->addItem(text);
    m_items->setCurrentIndex(int(FrameItem::kGridSpacing));
    m_itemButton = new QPushButton;
    m_preview = new CMappedPreview(m_extent, [this](CDC& dc) {
        m_copy.Draw(&dc, CRect(0, 0, m_extent.cx, m_extent.cy), TRUE);
    });
    auto* item = new QHBoxLayout;
    item->addWidget(m_items);
    item->addWidget(m_itemButton);
    auto* side = new QVBoxLayout;
    side->addWidget(CreateChecks());
    side->addLayout(item);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addWidget(m_preview, 1);
    connect(m_items, &QComboBox::currentIndexChanged, this, &CDlgFrame::OnItemChosen);
    connect(m_itemButton, &QPushButton::clicked, this, &CDlgFrame::OnItemButton);
    OnItemChosen();
}

QWidget* CDlgFrame::CreateChecks() {
    const FrameChecks checks = FrameChecks::From(m_copy.m_flags);
    auto* group = new QGroupBox("Show");
    auto* grid = new QGridLayout(group);
    auto box = [this, grid](const char* text, bool on, int row, int column) {
        auto* check = new QCheckBox(text);
        check->setChecked(on);
        grid->addWidget(check, row, column);
        connect(check, &QCheckBox::clicked, this, &CDlgFrame::OnCheck);
        return check;
    };
    m_frame = box("&Frame", checks.frame, 0, 0);
    m_sides[0] = box("&Left", checks.left, 1, 1);
    m_sides[1] = box("&Right", checks.right, 2, 1);
    m_sides[2] = box("&Top", checks.top, 3, 1);
    m_sides[3] = box("&Bottom", checks.bottom, 4, 1);
    m_grid = box("&Grid", checks.grid, 5, 0);
    m_titleBlock = box("Title Bl&ock", checks.titleBlock, 6, 0);
    m_numbers = box("Reference &Numbers", checks.referenceNumbers, 7, 0);
    for (QCheckBox* side : m_sides)
        side->setEnabled(checks.frame);
    return group;
}

void CDlgFrame::OnCheck() {
    FrameChecks checks;
    checks.frame = m_frame->isChecked();
    checks.left = m_sides[0]->isChecked();
    checks.right = m_sides[1]->isChecked();
    checks.top = m_sides[2]->isChecked();
    checks.bottom = m_sides[3]->isChecked();
    checks.grid = m_grid->isChecked();
    checks.titleBlock = m_titleBlock->isChecked();
    checks.referenceNumbers = m_numbers->isChecked();
    for (QCheckBox* side : m_sides)
        side->setEnabled(checks.frame);
    m_copy.m_flags = checks.ApplyTo(m_copy.m_flags);
    m_preview->update();
}

void CDlgFrame::OnItemChosen() {
    const int index = m_items->currentIndex();
    m_itemButton->setEnabled(index >= 0);
    m_itemButton->setText(index >= 0 ? FrameItemButtonText(FrameItem(index)) : "Colour..");
}

void CDlgFrame::OnItemButton() {
    const int index = m_items->currentIndex();
    if (index < 0)
        return;
    const FrameItem item = FrameItem(index);
    if (item == FrameItem::kGridSpacing) {
        EditSpacing();
    } else if (item == FrameItem::kTitleBlock) {
        EditTitleBlockSize();
    } else if (COLORREF* colour = FrameItemColour(m_copy, item)) {
        if (const std::optional<COLORREF> chosen =
                m_askColour ? m_askColour(*colour) : std::nullopt)
            *colour = *chosen;
    }
    m_preview->update();
}

void CDlgFrame::EditSpacing() {
    CDlgFrameGrid dialog(m_copy.m_spacing, m_cm, this);
    if (dialog.exec() == QDialog::Accepted)
        m_copy.m_spacing = float(dialog.Spacing());
}

void CDlgFrame::EditTitleBlockSize() {
    CDlgTitleBlockSize dialog(TitleBlockSizeForm::From(m_copy), m_cm, this);
    if (dialog.exec() == QDialog::Accepted)
        dialog.Form().ApplyTo(m_copy);
}

void CDlgFrame::OnApply() {
    m_border = m_copy;
}
