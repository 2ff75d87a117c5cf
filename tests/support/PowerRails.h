#pragma once
// A connector-symbol source standing in for the standard library's "Power Rail" while it
// lives: every rail is a bar across the top of a pin whose hot end is (0, 0).

#include "model/net/ConnectorSymbols.h"
#include "model/shapes/DrawRect.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"
#include "platform/Installed.h"

namespace testsupport {

class PowerRails : public IConnectorSymbolSource {
public:
    CSymbol* LoadSymbol(const CString&, CDrawDoc* document) override {
        auto* symbol = new CSymbol();
        auto* bar = new CDrawRect(CRect(-100, 100, 100, 100));
        bar->SetShape(kShapeLine);
        symbol->GetGraphics().AddTail(bar);
        auto* pin = new CPin(symbol);
        pin->SetEnds(CPoint(0, 100), CPoint(0, 0));
        pin->RecalcBounds();
        symbol->GetPins().AddTail(pin);
        symbol->SetFlags(kSymbolNetConnector, kSymbolKindMask);
        symbol->SetDocument(document);
        symbol->RecalcBounds(nullptr);
        return symbol;
    }

private:
    ScopedInstall<IConnectorSymbolSource> m_installed{*this};
};

}  // namespace testsupport
