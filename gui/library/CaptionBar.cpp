#include "gui/library/CaptionBar.h"

#include <QMouseEvent>
#include <QPainter>

CCaptionBar::CCaptionBar(QWidget* parent) : QWidget(parent) {
    setToolTip("Drag from here to float the palette");
}

void CCaptionBar::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Active, QPalette::Highlight));
}

void CCaptionBar::mousePressEvent(QMouseEvent* event) {
    event->ignore();
}
