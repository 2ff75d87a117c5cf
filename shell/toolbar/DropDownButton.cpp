#include "shell/toolbar/DropDownButton.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include "shell/toolbar/PopupFrame.h"

namespace {

constexpr int kArrowWidth = 14;

}  // namespace

CDropDownButton::CDropDownButton(QAction* action, QWidget* parent) : QToolButton(parent) {
    setDefaultAction(action);
    setAutoRaise(true);
    setPopupMode(QToolButton::MenuButtonPopup);
}

void CDropDownButton::SetWholeButton(bool whole) {
    setPopupMode(whole ? QToolButton::InstantPopup : QToolButton::MenuButtonPopup);
}

void CDropDownButton::SetPopup(CPopupFrame* popup, PopupInit init) {
    popup->setParent(this, popup->windowFlags());
    m_popup = popup;
    m_init = std::move(init);
}

QRect CDropDownButton::ArrowRect() const {
    if (IsWholeButton())
        return QRect();
    QStyleOptionToolButton option;
    initStyleOption(&option);
    const QRect arrow =
        style()->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButtonMenu, this);
    return arrow.isValid() ? arrow : QRect(width() - kArrowWidth, 0, kArrowWidth, height());
}

void CDropDownButton::DropDown() {
    if (!isEnabled() || m_open)
        return;
    if (!m_popup) {
        emit dropDownRequested();
        return;
    }
    m_open = true;
    setDown(true);
    m_popup->MoveUnder(this);
    if (!m_init || m_init()) {
        m_popup->installEventFilter(this);
        m_popup->TrackPopup();
        if (m_popup)
            m_popup->removeEventFilter(this);
    }
    setDown(false);
    m_open = false;
    update();
}

void CDropDownButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton &&
        (IsWholeButton() || ArrowRect().contains(event->position().toPoint()))) {
        event->accept();
        DropDown();
        return;
    }
    QToolButton::mousePressEvent(event);
}

void CDropDownButton::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

bool CDropDownButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_popup && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        if (!m_popup->rect().contains(move->position().toPoint()))
            SwitchToButtonAt(move->globalPosition().toPoint());
    }
    return QToolButton::eventFilter(watched, event);
}

// Another drop-down of this toolbar under the mouse takes over from the open popup.
bool CDropDownButton::SwitchToButtonAt(const QPoint& global) {
    QWidget* under = QApplication::widgetAt(global);
    auto* other = qobject_cast<CDropDownButton*>(under);
    if (!other || other == this || other->parentWidget() != parentWidget() || !other->isEnabled() ||
        !other->m_popup)
        return false;
    m_popup->EndPopup(CPopupFrame::kCancelled);
    QMetaObject::invokeMethod(other, &CDropDownButton::DropDown, Qt::QueuedConnection);
    return true;
}

void CDropDownButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    if (!IsWholeButton()) {
        option.features |= QStyleOptionToolButton::MenuButtonPopup;
        option.subControls |= QStyle::SC_ToolButtonMenu;
        if (m_open)
            option.activeSubControls |= QStyle::SC_ToolButtonMenu;
    }
    option.features |= QStyleOptionToolButton::HasMenu;
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}
