#pragma once
// Check boxes over TriState values: a mixed value shows the box's third state, which the user
// can then also choose; otherwise the box has two.

#include <QCheckBox>

#include "model/object/TriState.h"

inline void ShowTriState(QCheckBox* box, TriState state) {
    if (state == TriState::kMixed)
        box->setTristate(true);
    box->setCheckState(state == TriState::kMixed ? Qt::PartiallyChecked
                       : state == TriState::kOn  ? Qt::Checked
                                                 : Qt::Unchecked);
}

inline TriState ReadTriState(const QCheckBox* box) {
    switch (box->checkState()) {
        case Qt::Checked:
            return TriState::kOn;
        case Qt::PartiallyChecked:
            return TriState::kMixed;
        default:
            return TriState::kOff;
    }
}
