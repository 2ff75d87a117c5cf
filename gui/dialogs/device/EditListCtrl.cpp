#include "gui/dialogs/device/EditListCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

#include "gui/kit/StoredText.h"

namespace {

constexpr int kFlagsRole = Qt::UserRole;
constexpr int kCellsRole = Qt::UserRole + 1;
constexpr char kCellSeparator = '\x01';

CString Bytes(const QString& text) {
    return CString(text.toUtf8().constData());
}

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

}  // namespace

CEditListCtrl::CEditListCtrl(DWORD options, QWidget* parent)
    : QTableWidget(parent), m_options(options) {
    verticalHeader()->hide();
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    connect(this, &QTableWidget::cellChanged, this, &CEditListCtrl::OnCellChanged);
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
    m_updating = updating;
}

DWORD CEditListCtrl::GetRowData(int row) const {
    return item(row, 0) ? item(row, 0)->data(kFlagsRole).toUInt() : 0;
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
        cells.push_back(item(row, column) ? Bytes(item(row, column)->text()) : CString());
    return cells;
}

void CEditListCtrl::SetRowCells(int row, const std::vector<CString>& cells) {
    const bool updating = m_updating;
    m_updating = true;
    SetCellCount(row, int(cells.size()));
    for (int column = 0; column < int(cells.size()); ++column)
        item(row, column)->setText(FromStoredText(cells[column].str()));
    m_updating = updating;
}

void CEditListCtrl::SelectOnly(int row) {
    clearSelection();
    setCurrentCell(row, 0);
    selectRow(row);
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
        AppendRow(1, (m_options & kListRowsGrow) ? 1 : columnCount());
    if (filled && (m_options & kListRowsGrow) && column == CellCount(row) - 1)
        SetCellCount(row, CellCount(row) + 1);
    emit cellEdited(row, column);
}

void CEditListCtrl::CopyRow() {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.size() != 1 || ranges.first().rowCount() != 1)
        return;
    std::string text;
    const std::vector<CString> cells = RowCells(ranges.first().topRow());
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text += kCellSeparator;
        text += cells[i].str();
    }
    QApplication::clipboard()->setText(FromStoredText(text));
}

void CEditListCtrl::PasteRow() {
    const int row = currentRow();
    if (row < 0)
        return;
    std::vector<CString> cells;
    for (const QString& cell : QApplication::clipboard()->text().split(QChar(kCellSeparator)))
        cells.push_back(Bytes(cell));
    SetRowCells(row, cells);
    if ((m_options & kListKeepEmptyRow) && row == rowCount() - 1)
        AppendRow(1, 1);
    emit cellEdited(row, 0);
}

void CEditListCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopyRow();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteRow();
        return;
    }
    QTableWidget::keyPressEvent(event);
}
