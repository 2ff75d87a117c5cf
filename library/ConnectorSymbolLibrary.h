#pragma once
// The rail and net-connector symbols of the standard library "basic.rlb".

#include "model/net/ConnectorSymbols.h"

class CSchematicApp;

class CConnectorSymbolLibrary : public IConnectorSymbolSource {
public:
    // The library is looked for in the standard library folder the settings of app name.
    explicit CConnectorSymbolLibrary(CSchematicApp& app) : m_app(app) {}

    // The item's first object when it is a symbol, without the texts the item shows with it;
    // otherwise the user is told what is wrong (a damaged record too).
    CSymbol* LoadSymbol(const CString& name, CDrawDoc* document) override;

private:
    CSchematicApp& m_app;
};
