#include "gui/kit/DialogTitle.h"

#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

namespace {

// The bar holds the window's icon and up to three buttons, each about as wide as the bar is
// high.
constexpr int kBarButtons = 4;

}  // namespace

int TitleBarWidth(const QWidget& window) {
    QString title = window.windowTitle();
    title.remove("[*]");
    if (title.isEmpty())
        return 0;
    QFont font = window.font();
    font.setBold(true);
    const int bar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QFontMetrics(font).horizontalAdvance(title) + kBarButtons * bar;
}

void FitDialogToTitle(QWidget& window) {
    const int needed = TitleBarWidth(window);
    if (window.minimumWidth() < needed)
        window.setMinimumWidth(needed);
    if (window.width() < needed)
        window.resize(needed, window.height());
}
