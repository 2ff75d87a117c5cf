#pragma once
// The character grid of the Character Map page, apart from its window: characters 32 to 255
// in rows of 10, the rows that fit, the scroll position and the selected character.

class CCharMapGrid {
public:
    static constexpr int kColumns = 10;
    static constexpr int kRowHeight = 18;
    static constexpr int kFirstChar = 32;
    static constexpr int kLastChar = 255;

    enum class Arrow { Left, Right, Up, Down };

    int VisibleRows() const { return m_rows; }
    // Sets the rows that fit and the scroll range; the position goes back to the top.
    void SetVisibleRows(int rows);
    int ScrollMax() const;
    int ScrollPos() const { return m_scroll; }
    // Moves to position, clamped to the range; how many rows the content moved up.
    int ScrollTo(int position);

    // -1 when none.
    int Selection() const { return m_selection; }
    void Select(int character) { m_selection = character; }
    // The character of the cell at row and column of the view; past 255 for an empty cell.
    int CharAt(int row, int column) const;
    // The cell's row in the view (negative or past the rows when scrolled away) and column.
    int RowOf(int character) const { return (character - kFirstChar) / kColumns - m_scroll; }
    int ColumnOf(int character) const { return (character - kFirstChar) % kColumns; }

    // Moves the selection by an arrow key and scrolls it into view; whether it changed.
    bool Move(Arrow arrow);
    void ScrollIntoView(int character);

private:
    int m_rows = 8;
    int m_scroll = 0;
    int m_selection = -1;
};
