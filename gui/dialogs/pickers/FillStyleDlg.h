#pragma once
// The fill style picker: "Solid" and the six hatch patterns, each row a sample of its fill.
// A value of -1 is a solid fill, any other a hatch (0 horizontal, 1 vertical, 2 forward
// diagonal, 3 backward diagonal, 4 cross, 5 diagonal cross).

#include "gui/dialogs/pickers/StyleListDlg.h"

class CFillStyleDlg : public CStyleListDlg {
    Q_OBJECT
public:
    // States of Init.
    static constexpr int kStateSolid = 0;
    static constexpr int kStateMixed = 1;
    static constexpr int kStateHatched = 2;

    explicit CFillStyleDlg(QWidget* parent);

    // Selects "Solid" for state 0, the row of hatch for state 2, nothing for state 1 (the
    // objects differ).
    void Init(UINT command, int state, int hatch);

    // The values of the rows, in order.
    static std::span<const int> Styles();
};
