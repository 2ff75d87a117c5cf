#pragma once
// The line width picker: widths of 0 to 4 pixels and of 0.20 to 4.00 points, each row a line
// of that width. A width of 0 or more is in pixels (0 the thinnest line), a negative one in
// hundredths of a point.

#include "dialogs/StyleListDlg.h"

class CLineWidthDlg : public CStyleListDlg {
    Q_OBJECT
public:
    explicit CLineWidthDlg(QWidget* parent);

    // Selects the row of width (none when no row has it).
    void Init(UINT command, int width) { Select(command, width); }

    // The values of the rows, in order.
    static std::span<const int> Widths();
    // How many pixels wide a row draws width on a device of dpi pixels per inch.
    static int LinePixels(int width, int dpi);
    // The size shown beside a width in points ("1.50 pts"); empty for pixel widths.
    static QString PointsText(int width);
};
