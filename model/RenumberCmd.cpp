#include "model/RenumberCmd.h"

#include "model/DrawObj.h"

namespace {
constexpr UINT kForce = 1;  // SetAttr: set without checking
}

void CRenumberCmd::Add(CDrawObj* object, const char* identifier) {
    m_entries.push_back({CString(identifier), object});
}

BOOL CRenumberCmd::Do(CDrawDoc*) {
    Exchange();
    return TRUE;
}

BOOL CRenumberCmd::Undo(CDrawDoc*) {
    Exchange();
    return TRUE;
}

void CRenumberCmd::Exchange() {
    for (Entry& entry : m_entries) {
        CString current = entry.object->GetAttr("_ID");
        entry.object->SetAttr("_ID", entry.identifier, kForce);
        entry.identifier = current;
        entry.object->RefreshAttrTexts(nullptr);
    }
}
