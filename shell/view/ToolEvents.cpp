#include "shell/view/ToolEvents.h"

#include <QKeyEvent>
#include <QMouseEvent>

UINT ToolFlags(const QInputEvent* event) {
    UINT flags = 0;
    const Qt::KeyboardModifiers keys = event->modifiers();
    if (keys & Qt::ShiftModifier)
        flags |= kToolShift;
    if (keys & Qt::ControlModifier)
        flags |= kToolControl;
    if (keys & Qt::AltModifier)
        flags |= kToolAlt;
    if (const auto* mouse = dynamic_cast<const QMouseEvent*>(event)) {
        if (mouse->buttons() & Qt::LeftButton)
            flags |= kToolLeftButton;
    }
    return flags;
}

CPoint ToolPoint(const QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    return CPoint(at.x(), at.y());
}

ToolKey ToolKeyOf(const QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
            return ToolKey::Space;
        case Qt::Key_X:
            return ToolKey::X;
        case Qt::Key_Y:
            return ToolKey::Y;
        case Qt::Key_Escape:
            return ToolKey::Escape;
        default:
            return ToolKey::Other;
    }
}
