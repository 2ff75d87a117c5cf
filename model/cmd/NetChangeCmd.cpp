#include "model/cmd/NetChangeCmd.h"

#include <utility>

#include "model/net/Wire.h"
#include "model/object/StdAttrNames.h"
#include "model/symbol/Pin.h"
#include "model/symbol/Symbol.h"

namespace {

// The pin of a net connector that an end of the wire lies on, or null.
CPin* ConnectorPin(CDrawObj* end) {
    auto* pin = DYNAMIC_DOWNCAST(CPin, end);
    return pin && pin->GetOwner() && pin->GetOwner()->GetKind() == kSymbolNetConnector ? pin
                                                                                       : nullptr;
}

}  // namespace

CNetChangeCmd::CNetChangeCmd(const std::vector<CWire*>& wires, CNet* net) {
    for (CWire* wire : wires) {
        Entry entry{wire, Ref<CNet>(net), {}};
        for (CDrawObj* end : {wire->GetStartObject(), wire->GetEndObject()}) {
            if (CPin* pin = ConnectorPin(end); pin && net && !net->GetName().IsEmpty())
                entry.pins.push_back({pin, net->GetName()});
        }
        m_entries.push_back(std::move(entry));
    }
}

BOOL CNetChangeCmd::Do(CDrawDoc*) {
    std::vector<CDrawObj*> changed;
    GetChangedObjects(changed);
    for (const Entry& entry : m_entries) {
        for (const PinName& pin : entry.pins)
            changed.push_back(pin.pin);
    }
    m_texts.Exchange(changed, [this] {
        ExchangeNets();
        return true;
    });
    return TRUE;
}

void CNetChangeCmd::ExchangeNets() {
    const char* idName = GetStdAttrName(kStdAttrId);
    for (Entry& entry : m_entries) {
        CNet* present = entry.wire->SetNet(entry.net.Get());
        // The wire's reference and the command's change hands.
        if (entry.net)
            entry.net->AddRef();
        entry.net = Ref<CNet>(present);
        if (present)
            present->Release();
        for (PinName& pin : entry.pins) {
            CString had = pin.pin->GetAttr(idName);
            pin.pin->SetNetConnectorName(pin.name);
            pin.pin->RefreshAttrTexts(nullptr);
            pin.name = had;
        }
        entry.wire->RefreshAttrTexts(nullptr);
    }
}

BOOL CNetChangeCmd::GetChangedObjects(std::vector<CDrawObj*>& objects) const {
    for (const Entry& entry : m_entries) {
        objects.push_back(entry.wire);
        for (const PinName& pin : entry.pins)
            objects.push_back(pin.pin->GetOwner());
    }
    return TRUE;
}
