#pragma once
// Where the parts of the rule matrix lie, in the matrix window's scrolled coordinates: the
// triangle of cells with its origin at (left, 5), one row per type but "Not Connected" (row r
// for type r), one column per type, the row labels left of it and the column labels below.
// The labels have labelRoom pixels each: 116 by default, which puts the grid at (120, 5); a
// wider label font gets more. A column label starts 5 pixels below the grid and its text ends
// with the extent.

struct DrcMatrixLayout {
    static constexpr int kTop = 5;
    static constexpr int kDefaultLabelRoom = 116;
    static constexpr int kColumnLabelGap = 5;
    // What a label's room keeps beside its text.
    static constexpr int kLabelMargin = 6;

    enum class Part { kNothing, kCell, kRowLabel, kColumnLabel };
    struct Hit {
        Part part = Part::kNothing;
        int row = -1;     // the cell's row, or the type of a label
        int column = -1;  // the cell's column
    };

    int types = 0;  // the rule set's type count
    int cell = 1;   // width and height of a cell in pixels
    int labelRoom = kDefaultLabelRoom;

    // The grid's left edge: the row labels and 4 pixels before it.
    int Left() const { return labelRoom + 4; }
    int ExtentWidth() const { return Left() + types * cell + 5; }
    int ExtentHeight() const { return GridBottom() + kColumnLabelGap + LabelLength(); }
    // The longest label text a label's room holds.
    int LabelLength() const { return labelRoom - kLabelMargin; }
    int CellLeft(int column) const { return Left() + column * cell; }
    int CellTop(int row) const { return kTop + (row - 1) * cell; }
    // The bottom of the last row.
    int GridBottom() const { return kTop + (types - 1) * cell; }
    int GridRight() const { return Left() + types * cell; }

    // What lies at (x, y): a cell (column <= row), a row label left of the grid, a column label
    // below it, or nothing.
    Hit HitTest(int x, int y) const;
};

// The level after a click on a cell: 0, 1, 2, then 0 again.
int NextDrcLevel(int level);
