#pragma once
// An editable list of rows of cells: cells are edited in place; a row's kind and locks decide
// which of its cells can be edited; with the owner's options an empty row stays at the end and
// rows grow by a cell (and the list by a column) as their last cell is filled. Ctrl+C copies
// the selected row and Ctrl+V pastes one, the cells joined by the byte 0x01.

#include <QTableWidget>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

// Options.
constexpr DWORD kListKeepEmptyRow = 0x1;
constexpr DWORD kListRowsGrow = 0x2;

// Row flags: the low 4 bits the kind; locks.
constexpr DWORD kRowKindMask = 0xF;
constexpr DWORD kRowDeletable = 0x400;
constexpr DWORD kRowFirstLocked = 0x800;
constexpr DWORD kRowOthersLocked = 0x1000;

class CEditListCtrl : public QTableWidget {
    Q_OBJECT
public:
    CEditListCtrl(DWORD options, QWidget* parent);

    // Appends an empty row of the kind and locks in flags with cells cells.
    void AppendRow(DWORD flags, int cells);
    DWORD GetRowData(int row) const;
    int CellCount(int row) const;
    // The row's cells (as many as its cell count) and setting them.
    std::vector<CString> RowCells(int row) const;
    void SetRowCells(int row, const std::vector<CString>& cells);
    bool IsEditable(int row, int column) const;
    void SelectOnly(int row);
    // Puts a cell into editing; false for a cell that cannot be edited.
    bool EditCell(int row, int column);

    void CopyRow();
    void PasteRow();

signals:
    // A cell was edited (notification 12).
    void cellEdited(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnCellChanged(int row, int column);
    void SetCellCount(int row, int cells);
    // Adds columns until the list has count of them, with the growing list's headings.
    void EnsureColumns(int count);
    void ApplyEditability(int row);

    DWORD m_options;
    bool m_updating = false;
};
