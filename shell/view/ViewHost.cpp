#include "shell/view/ViewHost.h"

#include <QWidget>

IViewHost* ViewHostOf(const QWidget* widget) {
    return dynamic_cast<IViewHost*>(widget->window());
}
