#include "shell/toolbar/UndoListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

CUndoListBox::CUndoListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::MultiSelection);
    m_scrollTimer.setInterval(kScrollInterval);
    connect(&m_scrollTimer, &QTimer::timeout, this, &CUndoListBox::ScrollStep);
}

void CUndoListBox::SelectUpTo(int row) {
    row = std::min(row, count() - 1);
    for (int i = 0; i < count(); ++i)
        item(i)->setSelected(i <= row);
    if (m_count != row + 1) {
        m_count = row + 1;
        emit selectionCountChanged(m_count);
    }
}

int CUndoListBox::RowAtY(int y) const {
    return indexAt(QPoint(1, y)).row();
}

void CUndoListBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        SelectUpTo(indexAt(event->position().toPoint()).row());
}

void CUndoListBox::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton)
        TrackMouse(event->position().toPoint());
}

void CUndoListBox::TrackMouse(const QPoint& point) {
    const QWidget* dialog = parentWidget();
    const QPoint inDialog = viewport()->mapTo(dialog, point);
    if (!dialog->rect().contains(inDialog)) {
        m_scrollTimer.stop();
        SelectUpTo(-1);
        return;
    }
    const int height = viewport()->height();
    m_scrollDirection = point.y() >= height ? 1 : point.y() < 0 ? -1 : 0;
    if (m_scrollDirection == 0) {
        m_scrollTimer.stop();
        SelectUpTo(RowAtY(point.y()));
    } else if (!m_scrollTimer.isActive()) {
        ScrollStep();
        m_scrollTimer.start();
    }
}

void CUndoListBox::ScrollStep() {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + m_scrollDirection * bar->singleStep());
    if (m_scrollDirection > 0) {
        const int last = RowAtY(viewport()->height() - 1);
        SelectUpTo(last < 0 ? count() - 1 : last);
    } else {
        SelectUpTo(RowAtY(0));
    }
}

void CUndoListBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_scrollTimer.stop();
    emit chosen();
}

void CUndoListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit chosen();
}

// Only choosing keys execute; moving the selection never does.
void CUndoListBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Down:
            SelectUpTo(m_count);
            break;
        case Qt::Key_Up:
            SelectUpTo(std::max(m_count - 2, 0));
            break;
        case Qt::Key_Home:
            SelectUpTo(0);
            break;
        case Qt::Key_End:
            SelectUpTo(count() - 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit chosen();
            break;
        default:
            event->ignore();
            return;
    }
    if (m_count > 0)
        scrollToItem(item(m_count - 1));
}

void CUndoListBox::hideEvent(QHideEvent* event) {
    m_scrollTimer.stop();
    QListWidget::hideEvent(event);
}
