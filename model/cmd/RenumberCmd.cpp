#include "model/cmd/RenumberCmd.h"

#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"

BOOL CRenumberCmd::Do(CDrawDoc* /*doc*/) {
    for (std::size_t done = 0; done < m_entries.size(); ++done) {
        if (Exchange(m_entries[done]))
            continue;
        while (done-- > 0)
            Exchange(m_entries[done]);
        return FALSE;
    }
    return TRUE;
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
