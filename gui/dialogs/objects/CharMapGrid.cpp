#include "gui/dialogs/objects/CharMapGrid.h"

#include <algorithm>

namespace {

constexpr int kCharCount = CCharMapGrid::kLastChar - CCharMapGrid::kFirstChar + 1;

}  // namespace

void CCharMapGrid::SetVisibleRows(int rows) {
    m_rows = std::max(rows, 1);
    m_scroll = 0;
}

// One row more than the last screenful; never below 0 when all rows fit.
int CCharMapGrid::ScrollMax() const {
    return std::max(0, (kCharCount - m_rows * kColumns) / kColumns + 1);
}

int CCharMapGrid::ScrollTo(int position) {
    const int old = m_scroll;
    m_scroll = std::clamp(position, 0, ScrollMax());
    return m_scroll - old;
}

int CCharMapGrid::CharAt(int row, int column) const {
    return kFirstChar + kColumns * (row + m_scroll) + column;
}

bool CCharMapGrid::Move(Arrow arrow) {
    int next = m_selection;
    switch (arrow) {
        case Arrow::Left:
            --next;
            break;
        case Arrow::Right:
            ++next;
            break;
        case Arrow::Up:
            if (next >= kFirstChar + kColumns)
                next -= kColumns;
            break;
        case Arrow::Down:
            if (next + kColumns <= kLastChar)
                next += kColumns;
            break;
    }
    next = std::clamp(next, kFirstChar, kLastChar);
    if (next == m_selection)
        return false;
    m_selection = next;
    ScrollIntoView(next);
    return true;
}

void CCharMapGrid::ScrollIntoView(int character) {
    const int row = (character - kFirstChar) / kColumns;
    if (row < m_scroll)
        ScrollTo(row);
    else if (row >= m_scroll + m_rows)
        ScrollTo(row - m_rows + 1);
}
