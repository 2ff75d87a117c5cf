#pragma once
// CSymbolPropEditCmd: the property edit of a symbol ("property edit"). Made before the edit, it
// keeps the symbol's shape state, a copy of its attributes, its placement matrix and one
// reference to its device; doing and undoing exchange the kept shape, matrix and device with
// the symbol's and apply the attribute changes forward or back.

#include "model/cmd/AttrMapEditCmd.h"
#include "model/cmd/PropEditCmd.h"
#include "model/cmd/Ref.h"
#include "model/cmd/ShapeEditCmd.h"
#include "model/device/Device.h"
#include "model/geometry/PlacementMatrix.h"

class CSymbol;

class CSymbolPropEditCmd : public CPropEditCmd {
public:
    explicit CSymbolPropEditCmd(CSymbol* symbol);

    // Whether shape, attributes, matrix or device differ from the kept ones.
    BOOL HasChanged() override;
    BOOL Do(CDrawDoc* doc) override;
    BOOL Undo(CDrawDoc* doc) override;

private:
    // Exchanges shape, matrix and device with the symbol's.
    void Exchange();

    CSymbol* m_symbol;
    ShapeState m_shape;
    CAttrMapEditCmd m_attributes;
    double m_matrix[kMatrixSize];
    Ref<CDevice> m_device;
};
