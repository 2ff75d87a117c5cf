#include "gui/kit/ArrowButton.h"

CArrowButton::CArrowButton(QWidget* parent) : QToolButton(parent) {
    setArrowType(Qt::RightArrow);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setFocusPolicy(Qt::TabFocus);
}
