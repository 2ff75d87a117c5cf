#pragma once
// The common part of the line width and fill style pickers: a list of fixed values, one row
// of 20 pixels each, drawn by the picker. Choosing a row (changing the selection by mouse or
// keyboard) reports its value once.

#include <QListWidget>
#include <QStyledItemDelegate>
#include <span>

#include "platform/Types.h"

class CStyleListDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 20;

    QListWidget* list() const { return m_list; }
    // The value of a row.
    static int RowValue(const QListWidgetItem* item);

signals:
    void styleChosen(UINT command, int value);

protected:
    // values fill the list in order; delegate draws the rows (the list owns it).
    CStyleListDlg(std::span<const int> values, QStyledItemDelegate* delegate, QWidget* parent);
    // Selects the row of value (none when no row has it, or when select is false) without
    // reporting it, remembers command and focuses the list.
    void Select(UINT command, int value, bool select = true);

private:
    void OnSelectionChanged();

    QListWidget* m_list;
    UINT m_command = 0;
};

// A delegate whose rows are all kRowHeight high.
class CStyleRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    // The row's background in the selection or window colours; the pen set for the face.
    static void DrawBackground(QPainter& painter, const QStyleOptionViewItem& option);
};
