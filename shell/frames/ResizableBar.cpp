#include "shell/frames/ResizableBar.h"

#include <QMainWindow>
#include <algorithm>

CResizableBar::CResizableBar(const QString& caption, UINT id, QMainWindow* frame)
    : QDockWidget(caption, frame), m_frame(frame) {
    setObjectName(QString("bar%1").arg(id));
    setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
    connect(this, &QDockWidget::dockLocationChanged, this, &CResizableBar::ApplyLimits);
    connect(this, &QDockWidget::topLevelChanged, this, &CResizableBar::ApplyLimits);
}

Qt::DockWidgetArea CResizableBar::Area() const {
    return isFloating() ? Qt::NoDockWidgetArea
                        : m_frame->dockWidgetArea(const_cast<CResizableBar*>(this));
}

void CResizableBar::ApplyLimits() {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    switch (Area()) {
        case Qt::LeftDockWidgetArea:
        case Qt::RightDockWidgetArea:
            setMinimumWidth(kMinWidth);
            setMaximumWidth(kMaxWidth);
            break;
        case Qt::TopDockWidgetArea:
        case Qt::BottomDockWidgetArea:
            setMinimumHeight(kMinHeight);
            setMaximumHeight(kMaxHeight);
            break;
        default:
            break;
    }
}

void CResizableBar::SetDockedWidth(int width) {
    m_width = std::clamp(width, kMinWidth, kMaxWidth);
    const Qt::DockWidgetArea area = Area();
    if (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea)
        m_frame->resizeDocks({this}, {m_width}, Qt::Horizontal);
}

void CResizableBar::SetDockedHeight(int height) {
    m_height = std::clamp(height, kMinHeight, kMaxHeight);
    const Qt::DockWidgetArea area = Area();
    if (area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea)
        m_frame->resizeDocks({this}, {m_height}, Qt::Vertical);
}
