#include "model/net/RailConnectors.h"

#include "model/symbol/Symbol.h"

CString RailOf(CSymbol& symbol) {
    CString rail;
    if (symbol.GetKind() != kSymbolNetConnector || !symbol.LookupAttr(kRailAttrName, rail))
        return {};
    return rail;
}
