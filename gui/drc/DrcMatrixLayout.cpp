#include "gui/drc/DrcMatrixLayout.h"

DrcMatrixLayout::Hit DrcMatrixLayout::HitTest(int x, int y) const {
    if (types < 2 || cell <= 0)
        return {};
    const bool inRows = y >= kTop && y < GridBottom();
    const bool inColumns = x >= Left() && x < GridRight();
    if (inRows && inColumns) {
        const int row = (y - kTop) / cell + 1;
        const int column = (x - Left()) / cell;
        return column <= row ? Hit{Part::kCell, row, column} : Hit{};
    }
    if (inRows && x >= 0 && x < Left())
        return Hit{Part::kRowLabel, (y - kTop) / cell + 1, -1};
    if (inColumns && y >= GridBottom())
        return Hit{Part::kColumnLabel, (x - Left()) / cell, -1};
    return {};
}

int NextDrcLevel(int level) {
    return level + 1 >= 3 ? 0 : level + 1;
}
