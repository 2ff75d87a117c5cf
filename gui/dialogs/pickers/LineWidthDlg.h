#pragma once
// The line style picker: the thinnest line (0), the dashed and dotted lines (1 to 4: dash, dot,
// dash-dot, dash-dot-dot, as objects take them), and widths of 0.20 to 4.00 points (negative:
// hundredths of a point), each row a line drawn so.

#include "gui/dialogs/pickers/StyleListDlg.h"

class CLineWidthDlg : public CStyleListDlg {
    Q_OBJECT
public:
    explicit CLineWidthDlg(QWidget* parent);

    // Selects the row of width (none when no row has it).
    void Init(UINT command, int width) { Select(command, width); }

    // The values of the rows, in order.
    static std::span<const int> Widths();
    // How many pixels wide a row draws width on a device of dpi pixels per inch, and in which
    // pen style.
    static int LinePixels(int width, int dpi);
    static Qt::PenStyle LineStyle(int width);
    // The size shown beside a width in points ("1.50 pts"); empty for pixel widths.
    static QString PointsText(int width);
};
