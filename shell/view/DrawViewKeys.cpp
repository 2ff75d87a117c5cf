// The schematic view's keyboard: the arrow keys steer the mouse cursor while they are held,
// Enter presses and releases the left button where the cursor is, and the other keys go to
// the current tool.

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "drawtools/DrawTool.h"
#include "resources/CommandIds.h"
#include "shell/view/DrawView.h"
#include "shell/view/ToolEvents.h"
#include "shell/view/ViewHost.h"

namespace {

// Pixels the cursor moves per tick, and with Shift.
constexpr int kSteerStep = 3;
constexpr int kSteerFastStep = 10;

enum ArrowBit : unsigned { kLeft = 1, kUp = 2, kRight = 4, kDown = 8 };

unsigned ArrowBitOf(int key) {
    switch (key) {
        case Qt::Key_Left:
            return kLeft;
        case Qt::Key_Up:
            return kUp;
        case Qt::Key_Right:
            return kRight;
        case Qt::Key_Down:
            return kDown;
        default:
            return 0;
    }
}

bool IsEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// One axis of the step: the second key wins when both are held.
int Axis(unsigned held, unsigned less, unsigned more, int step) {
    if (held & more)
        return step;
    return (held & less) ? -step : 0;
}

}  // namespace

bool CDrawView::TakeViewKey(QKeyEvent* event) {
    event->accept();
    if (m_textEdit)
        return true;
    m_steerFast = event->modifiers() & Qt::ShiftModifier;
    if (const unsigned arrow = ArrowBitOf(event->key())) {
        m_arrowsHeld |= arrow;
        if (!event->isAutoRepeat() && !m_steering.isActive())
            m_steering.start();
        if (CDrawTool* tool = CurrentTool())
            tool->OnKeyDown(*this, ToolKeyOf(event), ToolFlags(event));
        return true;
    }
    if (IsEnter(event) && (event->modifiers() & Qt::AltModifier)) {
        ShowPropertiesFromKey();
        return true;
    }
    if (IsEnter(event) && !event->isAutoRepeat()) {
        ClickAtCursor(true, event);
        return true;
    }
    return false;
}

// Alt+Enter reaches the view when Properties has nothing to show (a drawing tool is current,
// or nothing is selected): the gesture ends as before any command, and Properties runs when
// that left it something to show.
void CDrawView::ShowPropertiesFromKey() {
    EndGesture();
    if (IViewHost* host = ViewHostOf(this))
        host->TriggerCommand(ID_EDIT_PROPERTIES);
}

void CDrawView::keyReleaseEvent(QKeyEvent* event) {
    m_steerFast = event->modifiers() & Qt::ShiftModifier;
    if (!event->isAutoRepeat()) {
        m_arrowsHeld &= ~ArrowBitOf(event->key());
        if (IsEnter(event) && !(event->modifiers() & Qt::AltModifier) && !m_textEdit)
            ClickAtCursor(false, event);
    }
    ZoomScrollView::keyReleaseEvent(event);
}

// The cursor moves on the screen where the platform lets a program move it; the tools are
// told of the move in every case.
void CDrawView::SteerCursor() {
    const int step = m_steerFast ? kSteerFastStep : kSteerStep;
    const QPoint by(Axis(m_arrowsHeld, kLeft, kRight, step), Axis(m_arrowsHeld, kUp, kDown, step));
    if (by.isNull()) {
        m_steering.stop();
        return;
    }
    const QPoint to = m_cursor + by;
    const QPoint global = viewport()->mapToGlobal(to);
    QCursor::setPos(global);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(global), Qt::NoButton,
                     QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
    mouseMoveEvent(&move);
}

// Shift and Ctrl are passed as they are held: Enter with Ctrl is a Ctrl-click.
void CDrawView::ClickAtCursor(bool press, const QKeyEvent* event) {
    if (!viewport()->rect().contains(m_cursor) && !m_capture)
        return;
    if (press)
        setFocus();
    if (m_textEdit || (!press && !ToolsEngaged()))
        return;
    if (press && !EngageTools())
        return;
    CDrawTool* tool = CurrentTool();
    if (!tool)
        return;
    const UINT flags = ToolFlags(event) & (kToolShift | kToolControl);
    const CPoint at(m_cursor.x(), m_cursor.y());
    if (press)
        tool->OnLButtonDown(*this, flags, at);
    else
        tool->OnLButtonUp(*this, flags, at);
}
