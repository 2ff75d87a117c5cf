#pragma once
// The choice of a single-selection list whose field may be left open (mixed): the selected
// row, or -1. Such a list gets a current row without a selection when it takes the keyboard
// focus; that row is not a choice, so read the selection, never the current row.

#include <QListWidget>

inline int ChosenRow(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.front());
}
