#include "shell/frames/SplitterBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QStyleOptionFrame>
#include <algorithm>

namespace {

constexpr int kLineHeight = 2;

}  // namespace

CSplitterBar::CSplitterBar(QWidget* parent, RangeQuery range)
    : QWidget(parent), m_range(std::move(range)) {
    setCursor(Qt::SplitVCursor);
    setFixedHeight(7);
}

int CSplitterBar::LinePosition() const {
    return m_line && m_line->isVisible() ? m_line->y() : -1;
}

int CSplitterBar::ClampedY(const QMouseEvent& event) const {
    const int y = mapToParent(event.position().toPoint()).y();
    return std::clamp(y, m_allowed.first, std::max(m_allowed.first, m_allowed.second));
}

void CSplitterBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_allowed = m_range();
    if (!m_line)
        m_line = new QRubberBand(QRubberBand::Line, parentWidget());
    m_start = ClampedY(*event);
    m_line->setGeometry(0, m_start, parentWidget()->width(), kLineHeight);
    m_line->show();
}

void CSplitterBar::mouseMoveEvent(QMouseEvent* event) {
    if (LinePosition() >= 0)
        m_line->move(0, ClampedY(*event));
}

void CSplitterBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || LinePosition() < 0)
        return;
    const int end = m_line->y();
    m_line->hide();
    if (end != m_start)
        emit moved(end - m_start);
}

void CSplitterBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame option;
    option.initFrom(this);
    option.rect = QRect(0, 2, width(), 3);
    option.lineWidth = 1;
    option.state |= QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_Frame, &option, &painter, this);
}
