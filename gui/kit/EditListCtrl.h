#pragma once
// An editable list of rows of cells: cells are edited in place; a row's kind and locks decide
// which of its cells can be edited; with the owner's options an empty row stays at the end and
// rows grow by a cell (and the list by a column) as their last cell is filled, and rows show
// an image, which may be their check. Ctrl+C copies the selected rows and Ctrl+V pastes them,
// a row's cells joined by the byte 0x01; Delete and Clear remove the selected deletable
// rows. Tab moves from cell to cell only while a cell is being edited, else on out of the
// list; Ctrl+Tab and Ctrl+PageDown (and back) are left to the window, to turn its pages.

#include <QTableWidget>
#include <vector>

#include "platform/CString.h"
#include "platform/Types.h"

// Options.
constexpr DWORD kListKeepEmptyRow = 0x1;
constexpr DWORD kListRowsGrow = 0x2;
constexpr DWORD kListRowImages = 0x4;
constexpr DWORD kListCheckImages = 0x8;

// Row flags: the low 4 bits the kind; locks.
constexpr DWORD kRowKindMask = 0xF;
// The kind whose cells are editable unless the row locks its first cell or the others.
constexpr DWORD kRowKindLockable = 2;
constexpr DWORD kRowChecked = 0x100;
constexpr DWORD kRowNoCheck = 0x200;
constexpr DWORD kRowDeletable = 0x400;
constexpr DWORD kRowFirstLocked = 0x800;
constexpr DWORD kRowOthersLocked = 0x1000;
constexpr DWORD kRowThreeState = 0x2000;
constexpr DWORD kRowMixed = 0x4000;

// Item data roles from this one on are free for the list's owner.
constexpr int kListOwnerRole = Qt::UserRole + 3;

// Images a row can show: its check unchecked, checked or mixed, or no check at all.
enum class RowImage { kNone, kUnchecked, kChecked, kNoCheck, kMixed };

class CEditListCtrl : public QTableWidget {
    Q_OBJECT
public:
    CEditListCtrl(DWORD options, QWidget* parent);

    // Appends an empty row of the kind and locks in flags with cells cells.
    void AppendRow(DWORD flags, int cells);
    DWORD GetRowData(int row) const;
    void SetRowFlags(int row, DWORD flags);
    RowImage Image(int row) const;
    int CellCount(int row) const;
    // The row's cells (as many as its cell count) and setting them. A cell that still shows the
    // text it was set from gives back those bytes unchanged.
    std::vector<CString> RowCells(int row) const;
    void SetRowCells(int row, const std::vector<CString>& cells);
    CString CellBytes(int row, int column) const;
    bool IsEditable(int row, int column) const;
    void SelectOnly(int row);
    // Puts a cell into editing; false for a cell that cannot be edited.
    bool EditCell(int row, int column);

    // Puts every selected row on the clipboard, one line each.
    void CopyRows();
    // Pastes the clipboard's lines into the selected rows, one a row, in order; lines left
    // over are dropped. A row whose locked cells a line would change takes nothing. An empty
    // clipboard, or one without text, changes nothing.
    void PasteRows();
    // Removes the selected deletable rows; the empty row kept at the end stays.
    void DeleteRows();

signals:
    // A cell was edited (notification 12).
    void cellEdited(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnCellChanged(int row, int column);
    void ShowImage(int row);
    bool HitsImage(const QPoint& point, int row) const;
    // Writes the editor's text into its cell and closes it.
    void EndEdit();
    std::vector<int> SelectedRows() const;
    // False, changing nothing, when the row refuses the line.
    bool PasteLine(int row, const QString& line);
    // The kind of the rows the list makes itself.
    DWORD NewRowKind() const;
    void SetCellCount(int row, int cells);
    // Adds columns until the list has count of them, with the growing list's headings.
    void EnsureColumns(int count);
    void ApplyEditability(int row);

    DWORD m_options;
    bool m_updating = false;
};
