#pragma once
// CUndoListBox: the list of the undo and redo drop-downs. Its selection always runs from the
// first row to a chosen row: the row under the mouse while the button is down, one row more
// or less with the arrow keys. Dragging above or below the list scrolls it. Releasing the
// button, a double click, Enter or Space chooses the selection.

#include <QListWidget>
#include <QTimer>

class CUndoListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kScrollInterval = 100;  // ms between steps while dragging outside

    explicit CUndoListBox(QWidget* parent);

    int SelectedCount() const { return m_count; }
    // Selects rows 0 to row and no others; row -1 selects nothing.
    void SelectUpTo(int row);

signals:
    void selectionCountChanged(int count);
    void chosen();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void TrackMouse(const QPoint& viewportPoint);
    void ScrollStep();
    int RowAtY(int y) const;

    QTimer m_scrollTimer;
    int m_scrollDirection = 0;  // 1 down, -1 up
    int m_count = 0;
};
