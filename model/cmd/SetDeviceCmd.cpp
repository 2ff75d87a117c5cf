#include "model/cmd/SetDeviceCmd.h"

#include "model/object/DrawObj.h"
#include "model/object/StdAttrNames.h"

BOOL CSetDeviceCmd::Do(CDrawDoc* /*doc*/) {
    return ExchangeAll(m_entries, Exchange);
}

// The symbol's reference moves to the command and the command's to the symbol.
bool CSetDeviceCmd::Exchange(Entry& entry) {
    const char* idName = GetStdAttrName(kStdAttrId);
    std::optional<CString> present;
    if (CString value; entry.symbol->LookupAttr(idName, value))
        present = value;
    if (!entry.id)
        entry.symbol->RemoveAttr(idName);
    else if (!entry.symbol->SetAttr(idName, *entry.id, kSetAttrForce))
        return false;
    entry.id = present;
    Ref<CDevice> previous(entry.symbol->GetDevice());
    if (entry.device)
        entry.device->AddRef();
    if (CDevice* released = entry.symbol->SetDevice(entry.device.Get()))
        released->Release();
    entry.device = previous;
    entry.symbol->RefreshAttrTexts(nullptr);
    return true;
}
