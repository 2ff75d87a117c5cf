#include "shell/frames/MdiCascade.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

QRect CascadeRect(const QSize& area, int index, int step) {
    step = std::max(step, 1);
    const int steps = area.height() / (3 * step);
    const int offset = step * (index % (steps + 1));
    const QSize size(area.width() - steps * step, area.height() - steps * step);
    return QRect(QPoint(offset, offset), size.expandedTo(QSize(1, 1)));
}

int CascadeStep(const QMdiArea& area) {
    const QStyle* style = area.style();
    return style->pixelMetric(QStyle::PM_TitleBarHeight) +
           style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth) - 1;
}

QRect CascadeRect(const QMdiArea& area, int index) {
    return CascadeRect(area.viewport()->size(), index, CascadeStep(area));
}

void CascadeWindows(QMdiArea& area) {
    QMdiSubWindow* active = area.activeSubWindow();
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::StackingOrder)) {
        if (window != active && !window->isMinimized() && !window->isHidden())
            windows << window;
    }
    if (active && !active->isMinimized())
        windows << active;
    for (int i = 0; i < windows.size(); ++i) {
        windows[i]->showNormal();
        windows[i]->setGeometry(CascadeRect(area, i));
        windows[i]->raise();
    }
    if (active)
        area.setActiveSubWindow(active);
}
