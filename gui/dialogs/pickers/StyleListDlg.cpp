#include "gui/dialogs/pickers/StyleListDlg.h"

#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int kListWidth = 120;

}  // namespace

QSize CStyleRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return QSize(kListWidth, CStyleListDlg::kRowHeight);
}

CStyleListDlg::CStyleListDlg(std::span<const int> values, QStyledItemDelegate* delegate,
                             QWidget* parent)
    : QWidget(parent), m_list(new QListWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_list->setObjectName("styleList");
    m_list->setItemDelegate(delegate);
    delegate->setParent(m_list);
    for (int value : values) {
        auto* item = new QListWidgetItem(m_list);
        item->setData(Qt::UserRole, value);
    }
    const int frame = 2 * m_list->frameWidth();
    m_list->setFixedSize(kListWidth + frame, int(values.size()) * kRowHeight + frame);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CStyleListDlg::OnSelectionChanged);
}

int CStyleListDlg::RowValue(const QListWidgetItem* item) {
    return item->data(Qt::UserRole).toInt();
}

void CStyleListDlg::Select(UINT command, int value, bool select) {
    m_command = command;
    const QSignalBlocker quiet(m_list);
    m_list->clearSelection();
    m_list->setCurrentItem(nullptr);
    for (int row = 0; select && row < m_list->count(); ++row) {
        if (RowValue(m_list->item(row)) == value) {
            m_list->setCurrentRow(row);
            break;
        }
    }
    m_list->setFocus();
}

void CStyleListDlg::OnSelectionChanged() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (!selected.isEmpty())
        emit styleChosen(m_command, RowValue(selected.front()));
}

void CStyleRowDelegate::DrawBackground(QPainter& painter, const QStyleOptionViewItem& option) {
    const bool selected = option.state & QStyle::State_Selected;
    painter.fillRect(option.rect,
                     option.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
}
