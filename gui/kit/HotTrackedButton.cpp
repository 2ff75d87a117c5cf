#include "gui/kit/HotTrackedButton.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

CHotTrackedButton::CHotTrackedButton(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
}

DWORD CHotTrackedButton::Flags() const {
    return (m_flags & ~(kHotTrackHot | kHotTrackChecked)) | (IsHot() ? kHotTrackHot : 0) |
           (isChecked() ? kHotTrackChecked : 0);
}

void CHotTrackedButton::SetFlags(DWORD flags) {
    m_flags = flags & ~kHotTrackHot;
    setChecked(flags & kHotTrackChecked);
    update();
}

HotTrackedButtonState CHotTrackedButton::State() const {
    return {Flags() & ~kHotTrackHot, CString(text().toUtf8().toStdString())};
}

void CHotTrackedButton::SetState(const HotTrackedButtonState& state) {
    setText(QString::fromUtf8(state.text.c_str()));
    SetFlags(state.flags);
}

void CHotTrackedButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    const DWORD flags = Flags();
    if (!(flags & kHotTrackEdge))
        option.state &= ~(QStyle::State_Raised | QStyle::State_Sunken | QStyle::State_On);
    if (!(flags & kHotTrackTransparent))
        painter.fillRect(rect(), (flags & kHotTrackChecked) ? palette().color(QPalette::Light)
                                                            : palette().color(QPalette::Button));
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
    const QRect face = rect().adjusted(2, 2, -2, -2);
    DrawFace(painter, face);
    if (hasFocus() && !(flags & kHotTrackNoFocusRect)) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void CHotTrackedButton::DrawFace(QPainter& painter, const QRect& face) {
    if (!(Flags() & kHotTrackCaption))
        return;
    const QPalette::ColorRole role = !isEnabled() ? QPalette::PlaceholderText
                                     : IsHot()    ? QPalette::Link
                                                  : QPalette::ButtonText;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, role));
    const int align = (Flags() & kHotTrackLeftText) ? Qt::AlignLeft : Qt::AlignHCenter;
    painter.drawText(face.adjusted(2, 0, -2, 0), align | Qt::AlignVCenter | Qt::TextShowMnemonic,
                     text());
}
