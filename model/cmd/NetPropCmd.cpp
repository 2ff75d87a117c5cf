#include "model/cmd/NetPropCmd.h"

#include "model/doc/DrawDoc.h"
#include "model/object/DrawObj.h"

BOOL CNetPropCmd::Do(CDrawDoc* doc) {
    m_net->ExchangeAttributes(m_kept);
    const CObList* objects = doc ? &doc->GetObjects() : nullptr;
    for (POSITION pos = objects ? objects->GetHeadPosition() : nullptr; pos;) {
        auto* object = static_cast<CDrawObj*>(objects->GetNext(pos));
        if (object->GetNet() == m_net.Get())
            object->RefreshAttrTexts(nullptr);
    }
    return TRUE;
}
