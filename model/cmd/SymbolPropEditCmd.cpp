#include "model/cmd/SymbolPropEditCmd.h"

#include <algorithm>

#include "model/symbol/Symbol.h"

CSymbolPropEditCmd::CSymbolPropEditCmd(CSymbol* symbol)
    : m_symbol(symbol),
      m_shape(ShapeState::Of(*symbol)),
      m_attributes(symbol),
      m_device(symbol->GetDevice()) {
    std::copy_n(symbol->GetMatrix(), kMatrixSize, m_matrix);
}

BOOL CSymbolPropEditCmd::HasChanged() {
    const bool attributes = m_attributes.HasChanged();
    return attributes || !(m_shape == ShapeState::Of(*m_symbol)) ||
           !std::equal(m_matrix, m_matrix + kMatrixSize, m_symbol->GetMatrix()) ||
           m_device.Get() != m_symbol->GetDevice();
}

// The symbol and the command exchange their devices, each keeping one reference.
void CSymbolPropEditCmd::Exchange() {
    const ShapeState shape = ShapeState::Of(*m_symbol);
    m_symbol->Invalidate(nullptr);
    m_shape.ApplyTo(*m_symbol);
    m_shape = shape;
    double matrix[kMatrixSize];
    std::copy_n(m_symbol->GetMatrix(), kMatrixSize, matrix);
    m_symbol->SetMatrix(m_matrix);
    std::copy_n(matrix, kMatrixSize, m_matrix);
    CDevice* kept = m_device.Get();
    CDevice* present = m_symbol->SetDevice(kept);
    if (kept)
        kept->AddRef();  // the symbol's reference
    m_device = Ref<CDevice>(present);
    if (present)
        present->Release();  // the symbol's reference, now the command's
    m_symbol->Invalidate(nullptr);
}

BOOL CSymbolPropEditCmd::Do(CDrawDoc* doc) {
    if (!m_attributes.Do(doc))
        return FALSE;
    Exchange();
    m_symbol->RefreshAttrTexts(nullptr);
    return TRUE;
}

BOOL CSymbolPropEditCmd::Undo(CDrawDoc* doc) {
    if (!m_attributes.Undo(doc))
        return FALSE;
    Exchange();
    m_symbol->RefreshAttrTexts(nullptr);
    return TRUE;
}
