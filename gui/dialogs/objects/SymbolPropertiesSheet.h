#pragma once
// The window of the "Symbol Properties" sheet, which the core asks for through
// ISymbolSheetRunner: the General page and the attribute page over the symbols' copies.

#include "model/symbol/SymbolSheet.h"

class QWidget;

class CSymbolSheetRunner : public ISymbolSheetRunner {
public:
    explicit CSymbolSheetRunner(QWidget* parent = nullptr) : m_parent(parent) {}
    int RunSymbolSheet(SymbolSheet& sheet) override;

private:
    QWidget* m_parent;
};
