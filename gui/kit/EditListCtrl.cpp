#include "gui/kit/EditListCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionButton>

#include "gui/kit/StoredText.h"

namespace {

constexpr int kFlagsRole = Qt::UserRole;
constexpr int kCellsRole = Qt::UserRole + 1;
constexpr int kStoredRole = Qt::UserRole + 2;  // the bytes a cell was filled from
constexpr char kCellSeparator = '\x01';
constexpr char kRowSeparator[] = "\r\n";
// Lines of pasted text end as this program writes them or as other programs do.
const QRegularExpression kLineBreak("\r?\n");
constexpr int kImageSize = 16;

// Headings and widths of a growing list's columns: "Symbol Name", "Instance", then "Pin" and
// "#" in turn.
QString Heading(int column) {
    if (column < 2)
        return column == 0 ? "Symbol Name" : "Instance";
    return column % 2 == 0 ? "Pin" : "#";
}

int HeadingWidth(int column) {
    if (column < 2)
        return column == 0 ? 125 : 60;
    return column % 2 == 0 ? 50 : 60;
}

QString RowText(const std::vector<CString>& cells) {
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text += kCellSeparator;
        text += cells[i].str();
    }
    return FromStoredText(text);
}

// A check image drawn as the style draws a check box; a row without a check shows an
// attribute's image.
QVariant ImageIcon(RowImage image, const QWidget* widget) {
    if (image == RowImage::kNone)
        return {};
    if (image == RowImage::kNoCheck)
        return QIcon(":/icons/tree-attribute.svg");
    QPixmap pixmap(kImageSize, kImageSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QStyleOptionButton option;
    option.initFrom(widget);
    option.rect = pixmap.rect();
    option.state |= image == RowImage::kChecked ? QStyle::State_On
                    : image == RowImage::kMixed ? QStyle::State_NoChange
                                                : QStyle::State_Off;
    widget->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, widget);
    return QIcon(pixmap);
}

// The flags after a click on the row's check: checked and unchecked in turn, or with three
// states unchecked, checked, mixed and unchecked again; a row without a check keeps them.
DWORD ToggledCheck(DWORD flags) {
    if (flags & kRowNoCheck)
        return flags;
    if (!(flags & kRowThreeState))
        return flags ^ kRowChecked;
    if (flags & kRowMixed)
        return flags & ~(kRowMixed | kRowChecked);
    if (flags & kRowChecked)
        return (flags & ~kRowChecked) | kRowMixed;
    return flags | kRowChecked;
}

// Ctrl+Tab, Ctrl+PageDown and their reverses belong to the window holding the list: they turn
// a sheet's pages.
bool TurnsPages(const QKeyEvent& event) {
    const int key = event.key();
    return (event.modifiers() & Qt::ControlModifier) &&
           (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_PageDown ||
            key == Qt::Key_PageUp);
}

}  // namespace

CEditListCtrl::CEditListCtrl(DWORD options, QWidget* parent)
    : QTableWidget(parent), m_options(options) {
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setIconSize(QSize(kImageSize, kImageSize));
    // Tab moves between cells only while one is being edited (the editor's own Tab); else it
    // goes on to the window's next field.
    setTabKeyNavigation(false);
    connect(this, &QTableWidget::cellChanged, this, &CEditListCtrl::OnCellChanged);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CEditListCtrl::EndEdit);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &CEditListCtrl::EndEdit);
}

void CEditListCtrl::EnsureColumns(int count) {
    while (columnCount() < count) {
        const int column = columnCount();
        insertColumn(column);
        if (m_options & kListRowsGrow) {
            setHorizontalHeaderItem(column, new QTableWidgetItem(Heading(column)));
            setColumnWidth(column, HeadingWidth(column));
        }
        const bool updating = m_updating;
        m_updating = true;
        for (int row = 0; row < rowCount(); ++row) {
            setItem(row, column, new QTableWidgetItem);
            ApplyEditability(row);
        }
        m_updating = updating;
    }
}

void CEditListCtrl::AppendRow(DWORD flags, int cells) {
    const bool updating = m_updating;
    m_updating = true;
    EnsureColumns(cells);
    const int row = rowCount();
    insertRow(row);
    for (int column = 0; column < columnCount(); ++column)
        setItem(row, column, new QTableWidgetItem);
    item(row, 0)->setData(kFlagsRole, uint(flags));
    item(row, 0)->setData(kCellsRole, cells);
    ApplyEditability(row);
    ShowImage(row);
    m_updating = updating;
}

void CEditListCtrl::SetRowFlags(int row, DWORD flags) {
    const bool updating = m_updating;
    m_updating = true;
    item(row, 0)->setData(kFlagsRole, uint(flags));
    ApplyEditability(row);
    ShowImage(row);
    m_updating = updating;
}

DWORD CEditListCtrl::GetRowData(int row) const {
    return item(row, 0) ? item(row, 0)->data(kFlagsRole).toUInt() : 0;
}

RowImage CEditListCtrl::Image(int row) const {
    if (!(m_options & kListRowImages) || !(m_options & kListCheckImages))
        return RowImage::kNone;
    const DWORD flags = GetRowData(row);
    if (flags & kRowNoCheck)
        return RowImage::kNoCheck;
    if (flags & kRowMixed)
        return RowImage::kMixed;
    return flags & kRowChecked ? RowImage::kChecked : RowImage::kUnchecked;
}

void CEditListCtrl::ShowImage(int row) {
    item(row, 0)->setData(Qt::DecorationRole, ImageIcon(Image(row), this));
}

bool CEditListCtrl::HitsImage(const QPoint& point, int row) const {
    if (Image(row) == RowImage::kNone)
        return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(model()->index(row, 0));
    option.features |= QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
    option.text = item(row, 0)->text();
    return style()
        ->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this)
        .contains(point);
}

DWORD CEditListCtrl::NewRowKind() const {
    return (m_options & kListRowImages) ? kRowKindLockable : 1;
}

int CEditListCtrl::CellCount(int row) const {
    return item(row, 0) ? item(row, 0)->data(kCellsRole).toInt() : 0;
}

void CEditListCtrl::SetCellCount(int row, int cells) {
    EnsureColumns(cells);
    item(row, 0)->setData(kCellsRole, cells);
    ApplyEditability(row);
}

bool CEditListCtrl::IsEditable(int row, int column) const {
    const DWORD flags = GetRowData(row);
    switch (flags & kRowKindMask) {
        case 0:
            return column >= 2 && column < CellCount(row);
        case 1:
            return column < CellCount(row);
        default:
            return column == 0 ? !(flags & kRowFirstLocked) : !(flags & kRowOthersLocked);
    }
}

void CEditListCtrl::ApplyEditability(int row) {
    for (int column = 0; column < columnCount(); ++column) {
        if (QTableWidgetItem* cell = item(row, column)) {
            const Qt::ItemFlags flags = cell->flags();
            cell->setFlags(IsEditable(row, column) ? flags | Qt::ItemIsEditable
                                                   : flags & ~Qt::ItemIsEditable);
        }
    }
}

std::vector<CString> CEditListCtrl::RowCells(int row) const {
    std::vector<CString> cells;
    for (int column = 0; column < CellCount(row); ++column)
        cells.push_back(CellBytes(row, column));
    return cells;
}

CString CEditListCtrl::CellBytes(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    if (!cell)
        return CString();
    return ToStoredText(cell->text(), CString(cell->data(kStoredRole).toByteArray().constData()));
}

void CEditListCtrl::SetRowCells(int row, const std::vector<CString>& cells) {
    const bool updating = m_updating;
    m_updating = true;
    SetCellCount(row, int(cells.size()));
    for (int column = 0; column < int(cells.size()); ++column) {
        QTableWidgetItem* cell = item(row, column);
        cell->setText(FromStoredText(cells[column].str()));
        cell->setData(kStoredRole, QByteArray(cells[column].c_str()));
    }
    m_updating = updating;
}

// Through the selection model: the view's own selecting heeds the modifier keys held.
void CEditListCtrl::SelectOnly(int row) {
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    selectionModel()->select(index,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool CEditListCtrl::EditCell(int row, int column) {
    if (row < 0 || row >= rowCount() || !IsEditable(row, column))
        return false;
    QTableWidgetItem* cell = item(row, column);
    scrollToItem(cell);
    setCurrentItem(cell);
    editItem(cell);
    return true;
}

// Text entered into the last row keeps an empty row at the end; into a row's last cell, grows
// the row by a cell.
void CEditListCtrl::OnCellChanged(int row, int column) {
    if (m_updating)
        return;
    const bool filled = item(row, column) && !item(row, column)->text().isEmpty();
    if (filled && (m_options & kListKeepEmptyRow) && row == rowCount() - 1)
        AppendRow(NewRowKind(), (m_options & kListRowsGrow) ? 1 : columnCount());
    if (filled && (m_options & kListRowsGrow) && column == CellCount(row) - 1)
        SetCellCount(row, CellCount(row) + 1);
    emit cellEdited(row, column);
}

void CEditListCtrl::EndEdit() {
    QWidget* editor = focusWidget();
    if (state() != QAbstractItemView::EditingState || !editor ||
        editor->parentWidget() != viewport())
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CEditListCtrl::CopyRows() {
    QStringList lines;
    for (int row : SelectedRows())
        lines.append(RowText(RowCells(row)));
    if (!lines.isEmpty())
        QApplication::clipboard()->setText(lines.join(kRowSeparator));
}

std::vector<int> CEditListCtrl::SelectedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
        if (item(row, 0) && item(row, 0)->isSelected())
            rows.push_back(row);
    }
    return rows;
}

// Nothing lands in a row that is not selected. The one exception is the row a paste into the
// last row makes after it: that is where the next line goes, so that pasting into the empty
// row at the end adds every line.
void CEditListCtrl::PasteRows() {
    QStringList lines = QApplication::clipboard()->text().split(kLineBreak);
    lines.removeAll(QString());
    std::vector<int> rows = SelectedRows();
    for (std::size_t i = 0; i < rows.size() && !lines.isEmpty(); ++i) {
        const int row = rows[i];
        const bool last = row == rowCount() - 1;
        if (PasteLine(row, lines.takeFirst()) && last && i + 1 == rows.size() &&
            row + 1 < rowCount())
            rows.push_back(row + 1);
    }
}

bool CEditListCtrl::PasteLine(int row, const QString& line) {
    const std::vector<CString> held = RowCells(row);
    std::vector<CString> cells;
    for (const QString& cell : line.split(QChar(kCellSeparator))) {
        const std::size_t column = cells.size();
        cells.push_back(ToStoredText(cell, column < held.size() ? held[column] : CString()));
    }
    for (int column = 0; column < CellCount(row); ++column) {
        const std::size_t at = static_cast<std::size_t>(column);
        const CString pasted = at < cells.size() ? cells[at] : CString();
        if (!IsEditable(row, column) && pasted != held[at])
            return false;
    }
    SetRowCells(row, cells);
    if ((m_options & kListKeepEmptyRow) && row == rowCount() - 1)
        AppendRow(NewRowKind(), 1);
    emit cellEdited(row, 0);
    return true;
}

// The row that had the focus keeps it when it stays; otherwise the last row takes it.
void CEditListCtrl::DeleteRows() {
    const QPersistentModelIndex focused = currentIndex();
    const int kept = (m_options & kListKeepEmptyRow) ? rowCount() - 1 : rowCount();
    for (int row = kept - 1; row >= 0; --row) {
        if (item(row, 0)->isSelected() && (GetRowData(row) & kRowDeletable))
            removeRow(row);
    }
    if (focused.isValid())
        SelectOnly(focused.row());
    else if (rowCount() > 0)
        SelectOnly(rowCount() - 1);
}

void CEditListCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopyRows();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteRows();
        return;
    }
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Clear) {
        DeleteRows();
        return;
    }
    if (TurnsPages(*event)) {
        event->ignore();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

// A left click on a row's image toggles its check.
void CEditListCtrl::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    const QModelIndex index = indexAt(point);
    const int row = index.row();
    if (event->button() == Qt::LeftButton && index.isValid() && index.column() == 0 &&
        (GetRowData(row) & kRowKindMask) == kRowKindLockable && HitsImage(point, row)) {
        SetRowFlags(row, ToggledCheck(GetRowData(row)));
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void CEditListCtrl::wheelEvent(QWheelEvent* event) {
    EndEdit();
    QTableWidget::wheelEvent(event);
}
