#pragma once
// Where the rail and net-connector symbols that end a wire come from. The core asks through
// the installed source; the application installs the standard library, tests a library of
// their own.

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

// Installs the source for the whole process (null uninstalls) and returns the one replaced.
// The caller keeps ownership and uninstalls it before destroying it.
IConnectorSymbolSource* SetConnectorSymbolSource(IConnectorSymbolSource* source);
// The installed source, or null.
IConnectorSymbolSource* GetConnectorSymbolSource();
