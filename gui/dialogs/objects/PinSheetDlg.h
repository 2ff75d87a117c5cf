#pragma once
// The window of the "Pin Properties" sheet, which the core asks for through IPinSheetRunner:
// the pin page, the line style and the other attributes of the pins.

#include "model/symbol/PinSheet.h"

class QWidget;

class CPinSheetRunner : public IPinSheetRunner {
public:
    explicit CPinSheetRunner(QWidget* parent = nullptr) : m_parent(parent) {}
    bool RunPinSheet(PinSheet& sheet) override;

private:
    QWidget* m_parent;
};
