#pragma once
// A dialog's title shows whole in its title bar: the dialog opens at least as wide as the
// title needs, in the title bar's bold font, beside the bar's icon and buttons.

class QWidget;

// The width the title bar of window needs to show its title whole.
int TitleBarWidth(const QWidget& window);
// Widens window, a dialog about to show, to its title bar's width and keeps it from being
// narrowed below it.
void FitDialogToTitle(QWidget& window);
