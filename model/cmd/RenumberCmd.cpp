#include "model/cmd/RenumberCmd.h"

#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"

BOOL CRenumberCmd::Do(CDrawDoc* /*doc*/) {
    return m_texts.Exchange(Symbols(),
                            [this] { return ExchangeAll(m_entries, Exchange) != FALSE; });
}

std::vector<CDrawObj*> CRenumberCmd::Symbols() const {
    std::vector<CDrawObj*> symbols;
    for (const Entry& entry : m_entries)
        symbols.push_back(entry.symbol);
    return symbols;
}

bool CRenumberCmd::Exchange(Entry& entry) {
    const char* idName = GetStdAttrName(kStdAttrId);
    CString present = entry.symbol->GetAttr(idName);
    if (!entry.symbol->SetAttr(idName, entry.id, kSetAttrForce))
        return false;
    entry.symbol->RefreshAttrTexts(idName);
    entry.id = present;
    return true;
}
