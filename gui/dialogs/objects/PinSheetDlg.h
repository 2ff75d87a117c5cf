#pragma once
// The window of the "Pin Properties" sheet, which the core asks for through IPinSheetRunner.

#include "model/symbol/PinSheet.h"

class QWidget;

class CPinSheetRunner : public IPinSheetRunner {
public:
    explicit CPinSheetRunner(QWidget* parent = nullptr) : m_parent(parent) {}
    bool RunPinSheet(PinPropForm& form, const PinPropForm::NameCheck& checkName) override;

private:
    QWidget* m_parent;
};
