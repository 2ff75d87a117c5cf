#pragma once
// Where the symbols that the core places itself come from: the rail and net-connector symbols
// that end a wire and the ports of a new sub-circuit sheet. The core asks through the installed
// source; the application installs the standard library, tests a library of their own.

#include "platform/Installed.h"

class CDrawDoc;
class CString;
class CSymbol;

class IConnectorSymbolSource {
public:
    virtual ~IConnectorSymbolSource() = default;
    // A new symbol of the item named name, belonging to the caller, or null after telling the
    // user why there is none.
    virtual CSymbol* LoadSymbol(const CString& name, CDrawDoc* document) = 0;
};

// Without an installed source there are no symbols, and wires end without one.
template <>
IConnectorSymbolSource& Installed<IConnectorSymbolSource>::Fallback();

// Installs the source for the whole process (null uninstalls) and returns the one replaced.
// The caller keeps ownership and uninstalls it before destroying it.
inline IConnectorSymbolSource* SetConnectorSymbolSource(IConnectorSymbolSource* source) {
    return Installed<IConnectorSymbolSource>::Install(source);
}
// The installed source, else one without symbols.
inline IConnectorSymbolSource& GetConnectorSymbolSource() {
    return Installed<IConnectorSymbolSource>::Get();
}
